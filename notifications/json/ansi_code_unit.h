// The one place where the JSON library depends on the platform: the text of a backslash-u
// escape is kept in the process's ANSI code page.
#pragma once

#include <string>

namespace json {

// Appends the bytes that the ANSI code page gives for one UTF-16 code unit; a unit that the
// code page cannot represent gives the code page's default character.
void AppendAnsiCodeUnit(unsigned short code_unit, std::string* text);

}  // namespace json
