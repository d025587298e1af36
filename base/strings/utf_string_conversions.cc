#include "base/strings/utf_string_conversions.h"

#include <stdint.h>

namespace base {
namespace {

const uint32_t kReplacementCharacter = 0xFFFD;

bool IsValidCodePoint(uint32_t code_point) {
  return code_point < 0xD800 || (code_point >= 0xE000 && code_point <= 0x10FFFF);
}

// Reads one code point starting at src[*index] and leaves *index on its last byte.
// Returns false (and a replacement character) for a malformed or overlong sequence.
bool ReadUTF8CodePoint(const unsigned char* src, size_t length, size_t* index, uint32_t* code_point) {
  const unsigned char lead = src[*index];
  *code_point = kReplacementCharacter;
  if (lead < 0x80) {
    *code_point = lead;
    return true;
  }
  size_t trail_count;
  uint32_t value;
  uint32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    trail_count = 1;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    trail_count = 2;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    trail_count = 3;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    return false;  // a stray trail byte or an invalid lead byte
  }
  for (size_t i = 1; i <= trail_count; ++i) {
    if (*index + i >= length || (src[*index + i] & 0xC0) != 0x80) {
      *index += i - 1;  // resume at the byte that broke the sequence
      return false;
    }
    value = (value << 6) | (src[*index + i] & 0x3F);
  }
  *index += trail_count;
  if (value < minimum || !IsValidCodePoint(value)) return false;
  *code_point = value;
  return true;
}

// Reads one code point from UTF-16 at src[*index] and leaves *index on its last unit.
bool ReadUTF16CodePoint(const wchar_t* src, size_t length, size_t* index, uint32_t* code_point) {
  const uint32_t unit = static_cast<uint16_t>(src[*index]);
  if (unit >= 0xD800 && unit <= 0xDBFF && *index + 1 < length) {
    const uint32_t trail = static_cast<uint16_t>(src[*index + 1]);
    if (trail >= 0xDC00 && trail <= 0xDFFF) {
      ++*index;
      *code_point = 0x10000 + ((unit - 0xD800) << 10) + (trail - 0xDC00);
      return true;
    }
  }
  if (!IsValidCodePoint(unit)) {
    *code_point = kReplacementCharacter;
    return false;
  }
  *code_point = unit;
  return true;
}

void AppendUTF16(uint32_t code_point, std::wstring* output) {
  if (code_point < 0x10000) {
    output->push_back(static_cast<wchar_t>(code_point));
  } else {
    code_point -= 0x10000;
    output->push_back(static_cast<wchar_t>(0xD800 + (code_point >> 10)));
    output->push_back(static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF)));
  }
}

void AppendUTF8(uint32_t code_point, std::string* output) {
  if (code_point < 0x80) {
    output->push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    output->push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    output->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    output->push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    output->push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    output->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    output->push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    output->push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    output->push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    output->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

}  // namespace

bool UTF8ToWide(const char* src, size_t src_len, std::wstring* output) {
  output->clear();
  output->reserve(src_len);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(src);
  bool clean = true;
  for (size_t i = 0; i < src_len; ++i) {
    uint32_t code_point;
    if (!ReadUTF8CodePoint(bytes, src_len, &i, &code_point)) clean = false;
    AppendUTF16(code_point, output);
  }
  return clean;
}

std::wstring UTF8ToWide(const std::string& utf8) {
  std::wstring wide;
  UTF8ToWide(utf8.data(), utf8.size(), &wide);
  return wide;
}

bool WideToUTF8(const wchar_t* src, size_t src_len, std::string* output) {
  output->clear();
  // ASCII text needs one byte per unit; anything else is reserved at the worst case of 3.
  output->reserve(src_len > 0 && static_cast<uint16_t>(src[0]) >= 0x80 ? src_len * 3 : src_len);
  bool clean = true;
  for (size_t i = 0; i < src_len; ++i) {
    uint32_t code_point;
    if (!ReadUTF16CodePoint(src, src_len, &i, &code_point)) clean = false;
    AppendUTF8(code_point, output);
  }
  return clean;
}

std::string WideToUTF8(const std::wstring& wide) {
  std::string utf8;
  WideToUTF8(wide.data(), wide.size(), &utf8);
  return utf8;
}

std::string WideToASCII(const std::wstring& wide) {
  std::string ascii;
  ascii.reserve(wide.size());
  for (wchar_t c : wide) ascii.push_back(static_cast<char>(c & 0xFF));
  return ascii;
}

std::wstring ASCIIToWide(const std::string& ascii) {
  std::wstring wide;
  wide.reserve(ascii.size());
  for (char c : ascii) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

bool IsStringASCII(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsStringASCII(const std::wstring& text) {
  for (wchar_t c : text) {
    if (static_cast<uint16_t>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace base
