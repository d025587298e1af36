// "pmsg.dat": the identifiers of messages that are withheld from the client, as an INI
// file with the section "msgid" and the keys "id_no[0]", "id_no[1]", ... without gaps.
// The list ends at the first key that is missing or reads as 0.
#pragma once

#include <string>
#include <vector>

#include "notifications/json/elements.h"

namespace notifications {

extern const char kProcessedFileName[];  // "pmsg.dat"

std::vector<int> read_processed_ids(const std::string& path);

// Erases from `messages` every message whose "msgid" is in `processed`; returns their
// identifiers in the order met (once per erased message).
std::vector<int> remove_processed(json::Array& messages, const std::vector<int>& processed);

// Replaces the file by one that lists exactly `ids`. Failures are ignored: the file then
// lists fewer identifiers or none.
void rewrite_processed_file(const std::string& path, const std::vector<int>& ids);

}  // namespace notifications
