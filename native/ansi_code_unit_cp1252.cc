// The native build's ANSI code page: Windows-1252, the default of the Windows test systems.
// Best-fit substitutions of the real code page (such as a letter with a macron becoming the
// plain letter) are not modelled; such units give the default character here.
#include "notifications/json/ansi_code_unit.h"

namespace json {
namespace {

// Code units of the bytes 0x80 to 0x9F.
const unsigned short kHighControlRow[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const char kDefaultCharacter = '?';

}  // namespace

void AppendAnsiCodeUnit(unsigned short code_unit, std::string* text) {
  if (code_unit < 0x80 || (code_unit >= 0xA0 && code_unit <= 0xFF)) {
    text->push_back(static_cast<char>(code_unit));
    return;
  }
  for (unsigned int i = 0; i < 32; ++i) {
    if (kHighControlRow[i] == code_unit) {
      text->push_back(static_cast<char>(0x80 + i));
      return;
    }
  }
  text->push_back(kDefaultCharacter);
}

}  // namespace json
