// The debugger-only logging variant, seen from outside: the test runs the probe program as its
// debugger and collects every text the probe sends to the debugger, in order.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

struct DebuggedRun {
  std::vector<std::string> texts;
  DWORD exit_code = 0;
  bool ended = false;
};

// Runs `command_line` under this thread as its debugger for at most `timeout_ms`.
DebuggedRun RunAsDebugger(const std::wstring& program, std::wstring command_line, DWORD timeout_ms) {
  DebuggedRun run;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(program.c_str(), &command_line[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                      nullptr, &startup, &info)) {
    ADD_FAILURE() << "cannot start the probe, error " << GetLastError();
    return run;
  }
  const DWORD deadline = GetTickCount() + timeout_ms;
  while (!run.ended) {
    const DWORD now = GetTickCount();
    DEBUG_EVENT event = {};
    if (static_cast<LONG>(deadline - now) <= 0 || !WaitForDebugEvent(&event, deadline - now)) break;
    DWORD continue_status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case OUTPUT_DEBUG_STRING_EVENT: {
        const OUTPUT_DEBUG_STRING_INFO& text = event.u.DebugString;
        std::string buffer(text.nDebugStringLength, '\0');
        SIZE_T got = 0;
        ReadProcessMemory(info.hProcess, text.lpDebugStringData, &buffer[0], buffer.size(), &got);
        buffer.resize(got);
        while (!buffer.empty() && buffer.back() == '\0') buffer.pop_back();
        run.texts.push_back(buffer);
        break;
      }
      case EXCEPTION_DEBUG_EVENT:
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
          continue_status = DBG_EXCEPTION_NOT_HANDLED;
        break;
      case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
      case LOAD_DLL_DEBUG_EVENT:
        if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        break;
      case EXIT_PROCESS_DEBUG_EVENT:
        run.exit_code = event.u.ExitProcess.dwExitCode;
        run.ended = true;
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continue_status);
  }
  if (!run.ended) {
    ADD_FAILURE() << "the probe did not end within " << timeout_ms << " ms";
    TerminateProcess(info.hProcess, 99);
    DebugActiveProcessStop(info.dwProcessId);
  }
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return run;
}

struct Case {
  const wchar_t* mode;
  std::vector<std::string> texts;  // a pattern for each whole text, in order
};

TEST(DebuggerOnlyLogging, ReportsFailedChecksAndCarriesOn) {
  const std::string at_exit = ":.*[\\\\/]base[\\\\/]at_exit\\.cc\\(\\d+\\)\\] ";
  const std::string probe = ":.*[\\\\/]tests[\\\\/]base[\\\\/]debug_log_probe\\.cc\\(\\d+\\)\\] ";
  const std::string finished = "probe: finished\n";
  const Case cases[] = {
      {L"register-without-manager",
       {at_exit + "Check failed: false\\. Tried to RegisterCallback without an AtExitManager\n", finished}},
      {L"process-without-manager",
       {at_exit + "Check failed: false\\. Tried to ProcessCallbacksNow without an AtExitManager\n", finished}},
      {L"lazy-without-manager",
       {at_exit + "Check failed: false\\. Tried to RegisterCallback without an AtExitManager\n",
        "probe: instance holds 7\n", finished}},
      {L"null-callback", {at_exit + "Check failed: func\\. \n", "probe: callback B ran\n", finished}},
      {L"failed-checks",
       {probe + "Check failed: two == 3\\. details\n", probe + "Check failed: two == 3 \\(2 vs\\. 3\\)\n",
        probe + "wide \xE6\xBE\x84\xE8\x88\x9F\n", finished}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(test_support::ToUtf8(c.mode));
    DebuggedRun run = RunAsDebugger(test_support::BinDir() + L"\\debug_log_probe.exe",
                                    std::wstring(L"debug_log_probe.exe ") + c.mode, 60000);
    EXPECT_EQ(0u, run.exit_code);
    ASSERT_EQ(c.texts.size(), run.texts.size());
    for (size_t i = 0; i < c.texts.size(); ++i)
      EXPECT_TRUE(std::regex_match(run.texts[i], std::regex(c.texts[i]))) << run.texts[i];
  }
}

}  // namespace
