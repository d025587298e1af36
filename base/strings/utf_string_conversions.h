// Conversions between UTF-8 (narrow) and UTF-16 (wide) text, and the "ASCII" shortcuts.
//
// Both directions decode one code point at a time. A code point is valid below U+D800 and
// from U+E000 to U+10FFFF; an unpaired surrogate or a malformed UTF-8 sequence becomes
// U+FFFD. The output is always complete; the bool result says whether the input was clean.
#pragma once

#include <stddef.h>

#include <string>

namespace base {

bool UTF8ToWide(const char* src, size_t src_len, std::wstring* output);
std::wstring UTF8ToWide(const std::string& utf8);

bool WideToUTF8(const wchar_t* src, size_t src_len, std::string* output);
std::string WideToUTF8(const std::wstring& wide);

// Keeps the low byte of each UTF-16 unit: only for text that is expected to be ASCII.
std::string WideToASCII(const std::wstring& wide);
// Widens each byte; only for ASCII text.
std::wstring ASCIIToWide(const std::string& ascii);

bool IsStringASCII(const std::string& text);
bool IsStringASCII(const std::wstring& text);

}  // namespace base
