// "json.dat" in the user's configuration folder: the user identifier, "|", and the JSON
// text of the messages, with no terminator. The client reads it after the event.
#pragma once

#include <string>

namespace notifications {

// The file's path: the folder followed by "\json.dat", as given.
std::wstring message_file_path(const std::wstring& config_dir);

// Writes the new content into a file beside "json.dat" and then puts it in its place, so
// the client never reads a half-written file and a failed write leaves the previous one
// as it was. True when "json.dat" holds the new content.
bool write_message_file(const std::wstring& config_dir, const std::string& uid,
                        const std::string& json_text);

}  // namespace notifications
