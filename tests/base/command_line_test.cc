#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "base/command_line.h"

namespace {

using base::ProcessCommandLine;
typedef std::vector<std::wstring> Strings;

struct Case {
  const wchar_t* text;
  Strings argv;
  std::map<std::string, std::wstring> switches;
  Strings args;
};

TEST(ProcessCommandLine, ParsesSwitchesAndArguments) {
  const Case cases[] = {
      {L"prog /Disable-Breakpad=Yes --x -- -y",
       {L"prog", L"/disable-breakpad=Yes", L"--x", L"--", L"-y"},
       {{"disable-breakpad", L"Yes"}, {"x", L""}},
       {L"--", L"-y"}},
      {L"  \t ", {L""}, {}, {}},
      {L"", {L""}, {}, {}},
      {L"prog - /", {L"prog", L"-", L"/"}, {{"", L""}}, {}},
      {L"\"C:\\Program Files\\nubrel.exe\" plain --A=1 --a=2",
       {L"C:\\Program Files\\nubrel.exe", L"--a=1", L"--a=2", L"plain"},
       {{"a", L"2"}},
       {L"plain"}},
      {L"prog \"--Path=C:\\My Dir\" -k=v=w",
       {L"prog", L"--path=C:\\My Dir", L"-k=v=w"},
       {{"path", L"C:\\My Dir"}, {"k", L"v=w"}},
       {}},
      {L"prog -- --after", {L"prog", L"--", L"--after"}, {}, {L"--", L"--after"}},
  };
  for (const Case& c : cases) {
    ProcessCommandLine command_line;
    command_line.ParseFromString(c.text);
    EXPECT_EQ(c.argv, command_line.argv()) << c.text;
    EXPECT_EQ(c.switches, command_line.switches()) << c.text;
    EXPECT_EQ(c.args, command_line.GetArgs()) << c.text;
  }
}

TEST(ProcessCommandLine, SwitchLookupIgnoresCase) {
  ProcessCommandLine command_line;
  command_line.ParseFromString(L"prog -disable-breakpad=1");
  EXPECT_TRUE(command_line.HasSwitchName("Disable-Breakpad"));
  EXPECT_EQ(L"1", command_line.GetSwitchValue("DISABLE-BREAKPAD"));
  EXPECT_FALSE(command_line.HasSwitchName("breakpad"));
}

TEST(ProcessCommandLine, ProcessInstanceIsBuiltOnceFromTheSystem) {
  ProcessCommandLine::InitForProcess();
  ProcessCommandLine* first = ProcessCommandLine::Current();
  ProcessCommandLine::InitForProcess();
  EXPECT_EQ(first, ProcessCommandLine::Current());
  int count = 0;
  LPWSTR* tokens = CommandLineToArgvW(GetCommandLineW(), &count);
  ASSERT_NE(nullptr, tokens);
  EXPECT_EQ(tokens[0], first->program());
  LocalFree(tokens);
}

}  // namespace
