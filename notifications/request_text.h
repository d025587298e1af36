// Values from the network or the client that go into a request line.
#pragma once

#include <string>

namespace notifications {

// Percent-encodes the bytes that would end or extend the request line: control bytes,
// space and DEL. Every other byte, "%" and "&" included, is kept as it is.
std::string escape_request_text(const std::string& text);

}  // namespace notifications
