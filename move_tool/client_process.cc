#include "move_tool/client_process.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <string>

#include "base/path_string.h"
#include "move_tool/client_data_dir.h"

const wchar_t kClientMutexName[] = L"TeravelMutex{F2144F49-1DC8-46c2-ABA5-2B860D22449B}";
const wchar_t kClientImageName[] = L"nubrel.exe";

namespace {

const DWORD kClientGracePeriodMs = 5000;

}  // namespace

bool WaitForClientExit(DWORD launch_tick, HANDLE* client_mutex) {
  if (GetTickCount() - launch_tick >= kClientGracePeriodMs) {
    KillProcessesByName(kClientImageName);
    return true;
  }
  SetLastError(0);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kClientMutexName);
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    *client_mutex = nullptr;
    return false;
  }
  // From now until the restart the mutex exists because of us.
  *client_mutex = mutex;
  return true;
}

void KillProcessesByName(const wchar_t* image_name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (wcsncmp(entry.szExeFile, image_name, MAX_PATH) != 0) continue;
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, entry.th32ProcessID);
    if (!process) continue;
    TerminateProcess(process, 0);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

void RestartClient(HANDLE* client_mutex, HWND owner) {
  if (*client_mutex) {
    CloseHandle(*client_mutex);
    *client_mutex = nullptr;
  }
  std::wstring client_data_dir;
  if (!GetClientDataDir(true, &client_data_dir)) return;
  std::wstring launcher =
      base::PathString(client_data_dir).Join(L"Application").Join(L"Bin").Join(L"Nubrel.exe").value();
  ShellExecuteW(owner, L"open", launcher.c_str(), L"teravel_disk_startup", nullptr, SW_RESTORE);
}
