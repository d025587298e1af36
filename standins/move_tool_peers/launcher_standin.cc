// Plays the launcher that the move tool starts when it is done: appends its argument string
// as one UTF-8 line to the file named by NUBREL_LAUNCH_RECORD, and exits.
#include <windows.h>

#include <string>

int APIENTRY wWinMain(HINSTANCE, HINSTANCE, LPWSTR argument_string, int) {
  wchar_t record[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"NUBREL_LAUNCH_RECORD", record, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  std::wstring line = argument_string ? argument_string : L"";
  int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string utf8(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &utf8[0], size, nullptr,
                      nullptr);
  utf8 += "\n";
  HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
