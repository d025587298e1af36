// The real nubrel.exe under Wine, with the client and crash reporter stand-ins beside it.
#include <windows.h>

#include "launcher_fixture.h"

namespace {

const wchar_t kClient[] = L"nubrel.dll";
const wchar_t kClientWithoutMain[] = L"nubrel_no_main.dll";
const wchar_t kClientWithoutRelaunch[] = L"nubrel_no_relaunch.dll";
const wchar_t kReporter[] = L"CrashReporter.dll";
const wchar_t kReporterWithoutExport[] = L"CrashReporter_no_register.dll";

const char kRelaunchMissing[] = "Could not find exported function RelaunchNubrelWithNewCommandLineIfNeeded";

TEST_F(LauncherTest, MissingClientLibraryExitsWith6AndLogsTwoErrors) {
  Install(nullptr, kReporter);
  EXPECT_EQ(6u, Launch());
  const std::vector<std::string> log = LogLines();
  ASSERT_EQ(2u, log.size());
  EXPECT_TRUE(IsErrorLine(log[0], "client_util.cc",
                          "Failed to load nubrel.dll from " + test_support::ToUtf8(folder()) + "\\"));
  EXPECT_TRUE(IsErrorLine(log[1], "client_util.cc", kRelaunchMissing));
  EXPECT_EQ(-1, IndexOf(Record(), "crash-reporter loaded")) << "no crash registration without a client";
}

TEST_F(LauncherTest, ClientWithoutMainExitsWith5AfterOneRegistration) {
  Install(kClientWithoutMain, kReporter);
  EXPECT_EQ(5u, Launch());
  const std::vector<std::string> record = Record();
  EXPECT_EQ(1, CountOf(record, "crash-reporter RegisterCrash"));
  EXPECT_NE(-1, IndexOf(record, "client RelaunchNubrelWithNewCommandLineIfNeeded"));
  EXPECT_TRUE(LogLines().empty()) << "the launcher logs nothing for a missing main export";
}

TEST_F(LauncherTest, PassesTheClientResultThroughAfterTheRelaunchExport) {
  Install(kClient, kReporter);
  for (int result : {0, 42, 259}) {
    SCOPED_TRACE(result);
    Remove(L"standin-record.txt");
    test_support::ChildProcess::Options options;
    options.extra_environment.push_back(L"NUBREL_STANDIN_EXIT_CODE=" + std::to_wstring(result));
    EXPECT_EQ(static_cast<DWORD>(result), Launch(L"", options));
    const std::vector<std::string> record = Record();
    const int registered = IndexOf(record, "crash-reporter RegisterCrash");
    const int main_started = IndexOf(record, "client NubrelMain");
    const int main_returned = IndexOf(record, "client NubrelMain returns " + std::to_string(result));
    const int relaunched = IndexOf(record, "client RelaunchNubrelWithNewCommandLineIfNeeded");
    EXPECT_NE(-1, registered);
    EXPECT_LT(registered, main_started);
    EXPECT_LT(main_started, main_returned);
    EXPECT_LT(main_returned, relaunched);
    EXPECT_EQ(record.size() - 1, static_cast<size_t>(relaunched)) << "nothing of the client runs after it";
  }
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(LauncherTest, ClientSeesItsFolderTheLauncherAndAnEmptyVersionVariable) {
  Install(kClient, kReporter);
  test_support::ChildProcess::Options options;
  options.extra_environment.push_back(L"NUBREL_VERSION=stale");  // the launcher replaces it
  const std::wstring arguments = L"--Some-Switch=1 plain";
  EXPECT_EQ(0u, Launch(arguments, options));
  const std::vector<std::string> record = Record();

  std::string directory;
  for (const std::string& line : record) {
    if (line.compare(0, 25, "client current-directory=") == 0) directory = line.substr(25);
  }
  if (!directory.empty() && directory.back() == '\\') directory.pop_back();
  EXPECT_EQ(0, lstrcmpiW(test_support::FromUtf8(directory).c_str(), folder().c_str()))
      << directory << " is not the launcher's folder";

  EXPECT_NE(-1, IndexOf(record, "client instance-is-launcher=yes"));
  EXPECT_NE(-1, IndexOf(record, "client NUBREL_VERSION="));
  EXPECT_NE(-1, IndexOf(record, "crash-reporter NUBREL_VERSION=")) << "set before the crash registration";
  EXPECT_NE(-1, IndexOf(record, "client command-line=" + test_support::ToUtf8(LauncherCommandLine(arguments))));
}

TEST_F(LauncherTest, RegistersTheCrashReporterWithNameAndDottedVersion) {
  Install(kClient, kReporter);
  EXPECT_EQ(0u, Launch());
  const std::vector<std::string> record = Record();
  const int registered = IndexOf(record, "crash-reporter RegisterCrash");
  ASSERT_NE(-1, registered);
  ASSERT_LE(static_cast<size_t>(registered + 4), record.size());
  EXPECT_EQ("crash-reporter exe-name=nubrel.exe", record[registered + 1]);
  EXPECT_EQ("crash-reporter version=2.0.0.473", record[registered + 2]);
  EXPECT_EQ("crash-reporter argument3=", record[registered + 3]);
  EXPECT_EQ("crash-reporter argument4=", record[registered + 4]);
  EXPECT_EQ(1, CountOf(record, "crash-reporter RegisterCrash"));
}

TEST_F(LauncherTest, DisableBreakpadSwitchKeepsTheReporterUnloaded) {
  Install(kClient, kReporter);
  for (const wchar_t* spelling : {L"--Disable-Breakpad", L"/disable-breakpad", L"-disable-breakpad=1"}) {
    SCOPED_TRACE(test_support::ToUtf8(spelling));
    Remove(L"standin-record.txt");
    EXPECT_EQ(0u, Launch(spelling));
    const std::vector<std::string> record = Record();
    EXPECT_EQ(-1, IndexOf(record, "crash-reporter loaded"));
    EXPECT_NE(-1, IndexOf(record, "client crash-reporter-loaded=no"));
    EXPECT_NE(-1, IndexOf(record, "client NubrelMain"));
  }
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(LauncherTest, EachCrashReporterFailureLogsOneLineAndTheClientStillStarts) {
  struct Case {
    const wchar_t* reporter;
    const char* message;
    DWORD last_error;  // what the failed call left, which logging must not change
  };
  const Case cases[] = {
      {nullptr, "No found CrashReporter.dll", ERROR_MOD_NOT_FOUND},
      {kReporterWithoutExport, "No found function RegisterCrash", ERROR_PROC_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Remove(L"CrashReporter.dll");
    Remove(L"standin-record.txt");
    Install(kClient, c.reporter);
    // An existing log is appended to; reopening it would also overwrite the last error if
    // logging did not restore it.
    ASSERT_TRUE(test_support::WriteFile(folder_path(L"debug.log"), "earlier line\n"));

    EXPECT_EQ(0u, Launch());
    const std::vector<std::string> log = LogLines();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ("earlier line", log[0]);
    EXPECT_TRUE(IsErrorLine(log[1], "breakpad_win.cc", c.message));
    const std::vector<std::string> record = Record();
    EXPECT_NE(-1, IndexOf(record, "client NubrelMain"));
    EXPECT_NE(-1, IndexOf(record, "client last-error=" + std::to_string(c.last_error)));
  }
}

TEST_F(LauncherTest, LogsToTheCurrentFolderWhenItsOwnLogCannotBeOpened) {
  Install(kClientWithoutRelaunch, kReporter);
  // Held without sharing, the log beside the program cannot be opened by the launcher.
  HANDLE held = CreateFileW(folder_path(L"debug.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  test_support::ChildProcess::Options options;
  options.extra_environment.push_back(L"NUBREL_STANDIN_CHDIR=" + elsewhere());  // the client moves away
  EXPECT_EQ(0u, Launch(L"", options));
  CloseHandle(held);

  EXPECT_TRUE(LogLines().empty());
  const std::vector<std::string> fallback = LogLines(elsewhere());
  ASSERT_EQ(1u, fallback.size());
  EXPECT_TRUE(IsErrorLine(fallback[0], "client_util.cc", kRelaunchMissing));
}

}  // namespace
