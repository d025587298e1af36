// Reading a signed 32-bit decimal number from text the way the plug-in's INI values and the
// user-group error number are read.
#pragma once

#include <string>

namespace notifications {

// Leading white space is skipped, an optional sign taken, then digits up to the first
// other character; 0 without digits, and the 32-bit limit when the value runs past it.
int parse_decimal_int32(const std::string& text);

}  // namespace notifications
