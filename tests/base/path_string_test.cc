#include <gtest/gtest.h>

#include "base/path_string.h"

namespace {

using base::PathString;

TEST(PathString, Parent) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\dir\\nubrel.dll", L"C:\\dir"},
      {L"C:\\dir\\sub\\", L"C:\\dir"},
      {L"C:\\dir\\\\", L"C:\\"},
      {L"C:\\", L"C:\\"},
      {L"C:\\nubrel.exe", L"C:\\"},
      {L"C:", L"C:"},
      {L"C:file", L"C:"},
      {L"\\\\server", L"\\\\"},
      {L"\\\\server\\share", L"\\\\server"},
      {L"\\", L"\\"},
      {L"\\file", L"\\"},
      {L"///x", L"//"},
      {L"a/b", L"a"},
      {L"nubrel.dll", L"."},
      {L"", L"."},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, PathString(c.first).Parent().value()) << c.first;
}

TEST(PathString, Join) {
  struct Case {
    std::wstring path;
    std::wstring component;
    std::wstring joined;
  };
  const Case cases[] = {
      {L"C:\\dir", L"\\CrashReporter.dll", L"C:\\dir\\\\CrashReporter.dll"},
      {L"C:", L"\\CrashReporter.dll", L"C:\\CrashReporter.dll"},
      {L".", L"\\CrashReporter.dll", L"\\CrashReporter.dll"},
      {L"C:\\dir", L"nubrel.exe", L"C:\\dir\\nubrel.exe"},
      {L"C:\\dir\\\\", L"nubrel.exe", L"C:\\dir\\nubrel.exe"},
      {L"C:\\", L"nubrel.exe", L"C:\\nubrel.exe"},
      {L"C:", L"nubrel.exe", L"C:nubrel.exe"},
      {L"dir/sub", L"x", L"dir/sub\\x"},
      {L"C:\\dir", L"", L"C:\\dir"},
      {L"", L"x", L"x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.joined, PathString(c.path).Join(c.component).value()) << c.path << L" + " << c.component;
  }
}

TEST(PathString, JoinAsciiMatchesJoin) {
  EXPECT_EQ(L"C:\\dir\\\\CrashReporter.dll", PathString(L"C:\\dir").JoinAscii("\\CrashReporter.dll").value());
  // A client library path without a folder puts the reporter at the root of the current drive.
  EXPECT_EQ(L"\\CrashReporter.dll", PathString(L"nubrel.dll").Parent().JoinAscii("\\CrashReporter.dll").value());
}

TEST(PathString, IsAbsolute) {
  const std::pair<std::wstring, bool> cases[] = {
      {L"C:\\x", true}, {L"c:/x", true}, {L"\\\\server\\share", true}, {L"//server", true},
      {L"C:x", false},  {L"C:", false},  {L"\\x", false},              {L"x\\y", false},
      {L".", false},    {L"", false},    {L"1:\\x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, PathString(c.first).IsAbsolute()) << c.first;
}

}  // namespace
