#include "notifications/json/ansi_code_unit.h"

#include <windows.h>

namespace json {

void AppendAnsiCodeUnit(unsigned short code_unit, std::string* text) {
  const wchar_t unit = static_cast<wchar_t>(code_unit);
  char bytes[8];  // a code unit is at most two bytes in any ANSI code page
  const int written =
      WideCharToMultiByte(CP_ACP, 0, &unit, 1, bytes, sizeof(bytes), nullptr, nullptr);
  if (written > 0) text->append(bytes, static_cast<std::size_t>(written));
}

}  // namespace json
