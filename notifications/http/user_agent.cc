#include "notifications/http/user_agent.h"

#include <windows.h>

#include "notifications/com_utility/com_module.h"

namespace notifications {
namespace {

constexpr DWORD kValueBufferSize = 260;

std::string& current_user_agent() {
  static std::string value = kDefaultUserAgent;
  return value;
}

// The value in the system's ANSI code page, as a narrow private-profile read gives it.
std::string ToAnsi(const wchar_t* text, int length) {
  int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(size > 0 ? size : 0, '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0], size, nullptr, nullptr);
  return narrow;
}

}  // namespace

const char kDefaultUserAgent[] =
    "Mozilla/5.0 (Windows NT 5.1) AppleWebKit/535.11 (KHTML, like Gecko) "
    "Chrome/17.0.963.56 Safari/535.11";

const std::string& user_agent() { return current_user_agent(); }

void refresh_user_agent(const std::wstring& folder) {
  const std::wstring path = folder + L"\\base.ini";
  wchar_t value[kValueBufferSize] = {};
  DWORD length =
      GetPrivateProfileStringW(L"http", L"UserAgent", L"", value, kValueBufferSize, path.c_str());
  if (length > 0) current_user_agent() = ToAnsi(value, static_cast<int>(length));
}

std::wstring module_folder() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(com::ModuleInstance(), path, MAX_PATH);
  std::wstring full(path, length < MAX_PATH ? length : MAX_PATH);
  size_t slash = full.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash);
}

}  // namespace notifications
