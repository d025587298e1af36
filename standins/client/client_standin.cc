// Stand-in for the client library nubrel.dll: records what the launcher gave it and behaves
// as the environment asks:
//   NUBREL_STANDIN_EXIT_CODE   what NubrelMain returns (default 0)
//   NUBREL_STANDIN_START_GATE  name of an event to wait for (at most 60 s) before logging
//   NUBREL_STANDIN_LOG_LINES   how many lines to log through the product's file logging
//   NUBREL_STANDIN_CHDIR       folder to make current before NubrelMain returns
// Variants leave out one export: STANDIN_NO_MAIN, STANDIN_NO_RELAUNCH.
#include <windows.h>

#include <stdlib.h>

#include <string>

#include "base/logging.h"
#include "standin_record.h"

namespace {

standin::Recorder g_recorder("client");

void Record(const std::string& line) { g_recorder.Record(line); }

[[maybe_unused]] int EnvironmentNumber(const wchar_t* name, int fallback) {
  const std::wstring value = standin::EnvironmentValue(name);
  return value == L"<absent>" || value.empty() ? fallback : _wtoi(value.c_str());
}

// Tells the test it has arrived (semaphore "<gate>.arrived") and waits until the gate event
// opens, so that several launchers reach their logging at the same moment.
[[maybe_unused]] void WaitForStartGate() {
  const std::wstring gate = standin::EnvironmentValue(L"NUBREL_STANDIN_START_GATE");
  if (gate == L"<absent>") return;
  HANDLE arrived = OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, (gate + L".arrived").c_str());
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, gate.c_str());
  if (!arrived || !event) {
    Record("start-gate=missing");
  } else {
    ReleaseSemaphore(arrived, 1, nullptr);
    Record(WaitForSingleObject(event, 60000) == WAIT_OBJECT_0 ? "start-gate=open" : "start-gate=timeout");
  }
  if (arrived) CloseHandle(arrived);
  if (event) CloseHandle(event);
}

[[maybe_unused]] void LogLines(int count) {
  // Long lines make any interleaving between processes visible.
  const std::string filler(120, 'x');
  for (int i = 0; i < count; ++i)
    LOG(INFO) << "client line pid=" << GetCurrentProcessId() << " n=" << i << " " << filler << " end";
}

}  // namespace

#ifndef STANDIN_NO_MAIN
extern "C" __declspec(dllexport) int NubrelMain(HINSTANCE instance) {
  const DWORD last_error = GetLastError();
  Record("NubrelMain");
  Record("last-error=" + std::to_string(last_error));
  Record(std::string("instance-is-launcher=") + (instance == GetModuleHandleW(nullptr) ? "yes" : "no"));
  wchar_t directory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, directory);
  Record("current-directory=" + standin::ToUtf8(directory));
  Record("NUBREL_VERSION=" + standin::ToUtf8(standin::EnvironmentValue(L"NUBREL_VERSION")));
  Record(std::string("crash-reporter-loaded=") + (GetModuleHandleW(L"CrashReporter.dll") ? "yes" : "no"));
  Record("command-line=" + standin::ToUtf8(GetCommandLineW()));

  WaitForStartGate();
  LogLines(EnvironmentNumber(L"NUBREL_STANDIN_LOG_LINES", 0));
  const std::wstring new_directory = standin::EnvironmentValue(L"NUBREL_STANDIN_CHDIR");
  if (new_directory != L"<absent>") SetCurrentDirectoryW(new_directory.c_str());

  const int result = EnvironmentNumber(L"NUBREL_STANDIN_EXIT_CODE", 0);
  Record("NubrelMain returns " + std::to_string(result));
  return result;
}
#endif

#ifndef STANDIN_NO_RELAUNCH
extern "C" __declspec(dllexport) int RelaunchNubrelWithNewCommandLineIfNeeded() {
  Record("RelaunchNubrelWithNewCommandLineIfNeeded");
  return 0;
}
#endif

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_recorder.Attached(module);
  return TRUE;
}
