#include "standin_record.h"

#include <string.h>

namespace standin {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
  return out;
}

std::wstring EnvironmentValue(const wchar_t* name) {
  // Walk the block: GetEnvironmentVariableW cannot tell an empty value from a missing one.
  const size_t name_length = wcslen(name);
  std::wstring value = L"<absent>";
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
    if (_wcsnicmp(entry, name, name_length) == 0 && entry[name_length] == L'=') {
      value = entry + name_length + 1;
      break;
    }
  }
  FreeEnvironmentStringsW(block);
  return value;
}

void Record(HMODULE module, const std::string& line) {
  const DWORD saved_error = GetLastError();  // recording must not disturb what it observes
  std::wstring path = EnvironmentValue(L"NUBREL_STANDIN_RECORD");
  if (path == L"<absent>" || path.empty()) {
    wchar_t module_path[MAX_PATH] = {};
    GetModuleFileNameW(module, module_path, MAX_PATH);
    path = module_path;
    path = path.substr(0, path.rfind(L'\\') + 1) + L"standin-record.txt";
  }
  // FILE_APPEND_DATA makes each write land at the end, whoever else appends.
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }
  SetLastError(saved_error);
}

}  // namespace standin
