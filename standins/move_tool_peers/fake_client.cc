// Plays the sync client while the move tool waits for it: creates the client's
// single-instance mutex (with --hold-mutex), tells the test it is ready, and exits with code 7
// after --exit-after-ms=N milliseconds, or never.
//
//   nubrel.exe [--hold-mutex] [--exit-after-ms=N] [--ready-event=NAME]
#include <windows.h>

#include <stdlib.h>
#include <wchar.h>

namespace {

const wchar_t kClientMutexName[] = L"TeravelMutex{F2144F49-1DC8-46c2-ABA5-2B860D22449B}";
const int kExitedByItself = 7;

const wchar_t* ValueOf(const wchar_t* argument, const wchar_t* name) {
  size_t length = wcslen(name);
  return wcsncmp(argument, name, length) == 0 ? argument + length : nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  bool hold_mutex = false;
  DWORD exit_after_ms = INFINITE;
  const wchar_t* ready_event = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (wcscmp(argv[i], L"--hold-mutex") == 0) hold_mutex = true;
    if (const wchar_t* value = ValueOf(argv[i], L"--exit-after-ms=")) exit_after_ms = wcstoul(value, nullptr, 10);
    if (const wchar_t* value = ValueOf(argv[i], L"--ready-event=")) ready_event = value;
  }
  HANDLE mutex = hold_mutex ? CreateMutexW(nullptr, TRUE, kClientMutexName) : nullptr;
  if (hold_mutex && !mutex) return 1;
  if (ready_event) {
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready_event);
    if (ready) {
      SetEvent(ready);
      CloseHandle(ready);
    }
  }
  Sleep(exit_after_ms);
  if (mutex) CloseHandle(mutex);
  return kExitedByItself;
}
