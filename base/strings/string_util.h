// Small text helpers: whitespace trimming, splitting at one character, ASCII case.
#pragma once

#include <string>
#include <vector>

namespace base {

// The whitespace set: U+0009-U+000D, U+0020, U+0085, U+00A0, U+1680, U+180E, U+2000-U+200A,
// U+200C, U+2028, U+2029, U+202F, U+205F and U+3000.
bool IsUnicodeWhitespace(wchar_t c);

// Removes whitespace at both ends. The narrow form removes only ASCII whitespace
// (0x09-0x0D, 0x20), which keeps UTF-8 sequences intact.
std::wstring TrimWhitespace(const std::wstring& text);
std::string TrimWhitespaceASCII(const std::string& text);

// Splits at every `separator`, keeping empty pieces (an empty text gives one empty piece);
// each piece is trimmed of whitespace.
std::vector<std::wstring> SplitString(const std::wstring& text, wchar_t separator);
std::vector<std::string> SplitString(const std::string& text, char separator);

// Joins the pieces with `separator` between them.
std::wstring JoinString(const std::vector<std::wstring>& pieces, const std::wstring& separator);
std::string JoinString(const std::vector<std::string>& pieces, const std::string& separator);

// ASCII case conversion: only A-Z and a-z change.
char ToLowerASCII(char c);
wchar_t ToLowerASCII(wchar_t c);
char ToUpperASCII(char c);
wchar_t ToUpperASCII(wchar_t c);
std::string StringToLowerASCII(const std::string& text);
std::wstring StringToLowerASCII(const std::wstring& text);
std::string StringToUpperASCII(const std::string& text);
std::wstring StringToUpperASCII(const std::wstring& text);

// Case-insensitive (ASCII letters only) comparison for equality.
bool EqualsCaseInsensitiveASCII(const std::string& a, const std::string& b);
bool EqualsCaseInsensitiveASCII(const std::wstring& a, const std::wstring& b);

bool StartsWith(const std::string& text, const std::string& prefix);
bool StartsWith(const std::wstring& text, const std::wstring& prefix);
bool EndsWith(const std::string& text, const std::string& suffix);
bool EndsWith(const std::wstring& text, const std::wstring& suffix);

}  // namespace base
