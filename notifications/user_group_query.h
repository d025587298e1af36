// The user-group request and its reply: the check code over the user's identifiers and
// the fixed protocol numbers, the query path, and the reading of the reply.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace notifications {

// MD2 over uid, "1", "10", "0", "100" and sid, concatenated, as 32 lower-case hex digits.
std::string user_group_check_code(const std::string& uid, const std::string& sid);

// "/attribute?uid=<uid>&sid=<sid>&pv=10&cht=100&cmt=0&clt=1&cc=<check code>". The values
// go in as they are, except for bytes that would break the request line.
std::string user_group_path(const std::string& uid, const std::string& sid,
                            const std::string& check_code);

// The reply's "ERRNO" (a decimal number in a string; anything else reads as 0). When it is
// 0, `attributes` receives the "ATTRIBUTE" strings in order (an element of another kind as
// an empty string). Throws a standard exception when the body is not a JSON object.
int read_user_group_reply(const char* body, std::size_t length,
                          std::vector<std::string>* attributes);

}  // namespace notifications
