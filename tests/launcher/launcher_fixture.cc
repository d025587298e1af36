#include "launcher_fixture.h"

#include <algorithm>
#include <regex>
#include <sstream>

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(line);
  return lines;
}

}  // namespace

void LauncherTest::Install(const wchar_t* client, const wchar_t* reporter) {
  const std::wstring bin = test_support::BinDir() + L"\\";
  ASSERT_TRUE(test_support::CopyTo(bin + L"nubrel.exe", launcher()));
  if (client) {
    ASSERT_TRUE(test_support::CopyTo(bin + client, folder_.Join(L"nubrel.dll"))) << test_support::ToUtf8(client);
  }
  if (reporter) {
    ASSERT_TRUE(test_support::CopyTo(bin + reporter, folder_.Join(L"CrashReporter.dll")))
        << test_support::ToUtf8(reporter);
  }
}

std::wstring LauncherTest::LauncherCommandLine(const std::wstring& arguments) const {
  return test_support::QuoteArgument(launcher()) + (arguments.empty() ? L"" : L" " + arguments);
}

DWORD LauncherTest::Launch(const std::wstring& arguments, test_support::ChildProcess::Options options) {
  if (options.current_dir.empty()) options.current_dir = elsewhere_.path();
  options.capture_output = true;  // the launcher copies its errors to standard error
  test_support::ChildProcess process;
  if (!process.Start(launcher(), LauncherCommandLine(arguments), options)) {
    ADD_FAILURE() << "cannot start the launcher, error " << GetLastError();
    return 0xFFFFFFFF;
  }
  DWORD exit_code = 0;
  if (!process.Wait(kTimeoutMs, &exit_code)) {
    ADD_FAILURE() << "the launcher did not end within " << kTimeoutMs << " ms";
    return 0xFFFFFFFF;
  }
  return exit_code;
}

std::vector<std::string> LauncherTest::Record() const {
  std::string text;
  test_support::ReadFile(folder_.Join(L"standin-record.txt"), &text);
  return SplitLines(text);
}

std::vector<std::string> LauncherTest::LogLines(const std::wstring& folder) const {
  std::string text;
  if (!test_support::ReadFile((folder.empty() ? folder_.path() : folder) + L"\\debug.log", &text)) return {};
  EXPECT_TRUE(text.empty() || text.back() == '\n') << "the last log line is incomplete";
  return SplitLines(text);
}

int IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  std::vector<std::string>::const_iterator found = std::find(lines.begin(), lines.end(), line);
  return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
}

int CountOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

::testing::AssertionResult IsErrorLine(const std::string& line, const std::string& source_file,
                                       const std::string& message) {
  // "MM-DD hh:mm:ss ERROR file(line) message"
  static const std::regex format("(\\d\\d)-(\\d\\d) (\\d\\d):(\\d\\d):(\\d\\d) ERROR ([^ ]+)\\((\\d+)\\) (.*)");
  std::smatch match;
  if (!std::regex_match(line, match, format)) return ::testing::AssertionFailure() << "not a log line: " << line;
  const int month = std::stoi(match[1]), day = std::stoi(match[2]);
  if (month < 1 || month > 12 || day < 1 || day > 31 || std::stoi(match[3]) > 23 || std::stoi(match[4]) > 59)
    return ::testing::AssertionFailure() << "impossible timestamp: " << line;
  if (match[6] != source_file) return ::testing::AssertionFailure() << "source file " << match[6] << ": " << line;
  if (match[8] != message) return ::testing::AssertionFailure() << "message \"" << match[8] << "\": " << line;
  return ::testing::AssertionSuccess();
}
