// Merging one attribute's push reply into the document collected during a pass.
#pragma once

#include <cstddef>
#include <cstdint>

#include "notifications/json/elements.h"

namespace notifications {

// Reads `body` as a JSON object. When its "platform" is "windows", the messages of its
// "message" array whose validity window holds `now` (starttime < now < endtime, seconds
// since 1970) are kept and the others dropped. For the first attribute (index 0) the reply
// then replaces `document`, whatever its platform; for a later one the kept messages are
// appended to the "message" array of `document` (created if missing). Throws a standard
// exception, with `document` unchanged, when the body is not a JSON object.
void merge_push_reply(const char* body, std::size_t length, unsigned attribute_index,
                      std::int64_t now, json::Object& document);

// Seconds since 1970-01-01 UTC.
std::int64_t current_unix_time();

}  // namespace notifications
