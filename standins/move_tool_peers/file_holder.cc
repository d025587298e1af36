// Keeps one file open without sharing until it is terminated, so that nobody can rename,
// copy or delete it meanwhile. Sets the named event once the file is held.
//
//   file_holder.exe <path> <ready event name>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  if (ready) {
    SetEvent(ready);
    CloseHandle(ready);
  }
  Sleep(INFINITE);
  return 0;
}
