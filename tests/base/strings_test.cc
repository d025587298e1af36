#include <gtest/gtest.h>

#include "base/strings/string_util.h"
#include "base/strings/utf_string_conversions.h"

namespace {

struct Utf8Case {
  std::string utf8;
  std::wstring wide;
  bool clean;
};

TEST(Utf8ToWide, DecodesOrReplacesEachCodePoint) {
  const Utf8Case cases[] = {
      {"", L"", true},
      {"plain", L"plain", true},
      {"\xE6\xBE\x84\xE8\x88\x9F", L"\u6F84\u821F", true},
      {"\xF0\x9F\x98\x80", L"\xD83D\xDE00", true},  // outside the BMP: a surrogate pair
      {"a\x80z", L"a\xFFFDz", false},               // stray trail byte
      {"a\xE6\xBEz", L"a\xFFFDz", false},           // truncated sequence, next byte kept
      {"\xC0\xAF", L"\xFFFD", false},               // overlong "/"
      {"\xED\xA0\x80", L"\xFFFD", false},           // an encoded surrogate
      {"\xF4\x90\x80\x80", L"\xFFFD", false},       // above U+10FFFF
  };
  for (const Utf8Case& c : cases) {
    std::wstring wide;
    EXPECT_EQ(c.clean, base::UTF8ToWide(c.utf8.data(), c.utf8.size(), &wide)) << c.utf8;
    EXPECT_EQ(c.wide, wide) << c.utf8;
  }
}

TEST(WideToUtf8, EncodesOrReplacesEachCodePoint) {
  const Utf8Case cases[] = {
      {"", L"", true},
      {"plain", L"plain", true},
      {"\xE6\xBE\x84\xE8\x88\x9F", L"\u6F84\u821F", true},
      {"\xF0\x9F\x98\x80", L"\xD83D\xDE00", true},
      {"a\xEF\xBF\xBDz", L"a\xD83Dz", false},  // unpaired lead surrogate
      {"\xEF\xBF\xBD", L"\xDE00", false},      // unpaired trail surrogate
  };
  for (const Utf8Case& c : cases) {
    std::string utf8;
    EXPECT_EQ(c.clean, base::WideToUTF8(c.wide.data(), c.wide.size(), &utf8)) << c.utf8;
    EXPECT_EQ(c.utf8, utf8);
  }
}

TEST(AsciiConversions, KeepLowByteAndWiden) {
  EXPECT_EQ("abc", base::WideToASCII(L"abc"));
  EXPECT_EQ(std::string("A\x34", 2), base::WideToASCII(L"\u0141\u1234"));
  EXPECT_EQ(L"disable-breakpad", base::ASCIIToWide("disable-breakpad"));
  EXPECT_TRUE(base::IsStringASCII(std::string("\\CrashReporter.dll")));
  EXPECT_FALSE(base::IsStringASCII(std::string("\xE6\xBE\x84")));
  EXPECT_FALSE(base::IsStringASCII(std::wstring(L"\u00E9")));
}

TEST(TrimWhitespace, RemovesEveryKindOfBlankAtBothEnds) {
  const std::wstring blanks =
      L"\u0009\u000A\u000B\u000C\u000D\u0020\u0085\u00A0\u1680\u180E\u2000\u2005\u200A\u200C\u2028\u2029"
      L"\u202F\u205F\u3000";
  EXPECT_EQ(L"a \u3000 b", base::TrimWhitespace(blanks + L"a \u3000 b" + blanks));
  EXPECT_EQ(L"", base::TrimWhitespace(blanks));
  EXPECT_EQ(L"\u200Bx\u200B", base::TrimWhitespace(L"\u200Bx\u200B"));  // zero-width space is not blank
  EXPECT_EQ("a b", base::TrimWhitespaceASCII(" \t a b\r\n"));
  EXPECT_EQ("\xC2\xA0x", base::TrimWhitespaceASCII("\xC2\xA0x "));  // UTF-8 bytes stay whole
}

TEST(SplitString, KeepsEmptyPiecesAndTrimsEach) {
  struct Case {
    std::wstring text;
    wchar_t separator;
    std::vector<std::wstring> pieces;
  };
  const Case cases[] = {
      {L"", L'.', {L""}},
      {L"2.0.0.473", L'.', {L"2", L"0", L"0", L"473"}},
      {L"2, 0, 0 ,473", L',', {L"2", L"0", L"0", L"473"}},
      {L".a..", L'.', {L"", L"a", L"", L""}},
      {L"no separator", L'?', {L"no separator"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.pieces, base::SplitString(c.text, c.separator)) << c.text;
  EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), base::SplitString(std::string(" a ?? b"), '?'));
}

TEST(AsciiCase, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(L"disable-breakpad=yes \u00C9\u0130", base::StringToLowerASCII(std::wstring(L"Disable-BREAKPAD=Yes \u00C9\u0130")));
  EXPECT_EQ("ABC-1\xC3\xA9", base::StringToUpperASCII(std::string("abc-1\xC3\xA9")));
  EXPECT_TRUE(base::EqualsCaseInsensitiveASCII(std::string("Nubrel.EXE"), std::string("nubrel.exe")));
  EXPECT_FALSE(base::EqualsCaseInsensitiveASCII(std::wstring(L"\u00C9"), std::wstring(L"\u00E9")));
}

}  // namespace
