#include "base/strings/string_util.h"

namespace base {
namespace {

template <typename String, typename IsSpace>
String TrimT(const String& text, IsSpace is_space) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && is_space(text[begin])) ++begin;
  while (end > begin && is_space(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsASCIIWhitespace(char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

template <typename String, typename Char>
std::vector<String> SplitT(const String& text, Char separator, String (*trim)(const String&)) {
  std::vector<String> pieces;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    if (end == String::npos) {
      pieces.push_back(trim(text.substr(start)));
      return pieces;
    }
    pieces.push_back(trim(text.substr(start, end - start)));
    start = end + 1;
  }
}

template <typename String>
String JoinT(const std::vector<String>& pieces, const String& separator) {
  String joined;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) joined += separator;
    joined += pieces[i];
  }
  return joined;
}

template <typename String, typename Convert>
String MapT(const String& text, Convert convert) {
  String out(text);
  for (auto& c : out) c = convert(c);
  return out;
}

template <typename String>
bool EqualsCaseInsensitiveT(const String& a, const String& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToLowerASCII(a[i]) != ToLowerASCII(b[i])) return false;
  }
  return true;
}

}  // namespace

bool IsUnicodeWhitespace(wchar_t c) {
  switch (c) {
    case 0x0020: case 0x0085: case 0x00A0: case 0x1680: case 0x180E: case 0x200C:
    case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
      return true;
    default:
      return (c >= 0x0009 && c <= 0x000D) || (c >= 0x2000 && c <= 0x200A);
  }
}

std::wstring TrimWhitespace(const std::wstring& text) { return TrimT(text, &IsUnicodeWhitespace); }

// Bytes above 0x7F are parts of UTF-8 sequences here, never whitespace on their own.
std::string TrimWhitespaceASCII(const std::string& text) { return TrimT(text, &IsASCIIWhitespace); }

std::vector<std::wstring> SplitString(const std::wstring& text, wchar_t separator) {
  return SplitT<std::wstring, wchar_t>(text, separator, &TrimWhitespace);
}

std::vector<std::string> SplitString(const std::string& text, char separator) {
  return SplitT<std::string, char>(text, separator, &TrimWhitespaceASCII);
}

std::wstring JoinString(const std::vector<std::wstring>& pieces, const std::wstring& separator) {
  return JoinT(pieces, separator);
}

std::string JoinString(const std::vector<std::string>& pieces, const std::string& separator) {
  return JoinT(pieces, separator);
}

char ToLowerASCII(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
wchar_t ToLowerASCII(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }
char ToUpperASCII(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }
wchar_t ToUpperASCII(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - (L'a' - L'A')) : c; }

std::string StringToLowerASCII(const std::string& text) {
  return MapT(text, static_cast<char (*)(char)>(&ToLowerASCII));
}
std::wstring StringToLowerASCII(const std::wstring& text) {
  return MapT(text, static_cast<wchar_t (*)(wchar_t)>(&ToLowerASCII));
}
std::string StringToUpperASCII(const std::string& text) {
  return MapT(text, static_cast<char (*)(char)>(&ToUpperASCII));
}
std::wstring StringToUpperASCII(const std::wstring& text) {
  return MapT(text, static_cast<wchar_t (*)(wchar_t)>(&ToUpperASCII));
}

bool EqualsCaseInsensitiveASCII(const std::string& a, const std::string& b) { return EqualsCaseInsensitiveT(a, b); }
bool EqualsCaseInsensitiveASCII(const std::wstring& a, const std::wstring& b) { return EqualsCaseInsensitiveT(a, b); }

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
bool StartsWith(const std::wstring& text, const std::wstring& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace base
