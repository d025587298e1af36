#include "move_tool/client_data_dir.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "base/path_string.h"

namespace {

const wchar_t kClientDataSubdir[] = L"Nubrel Network\\Nubrel";

// The last sub-authority of the token's integrity level SID, or false.
bool ReadIntegrityLevel(HANDLE token, DWORD* level) {
  DWORD size = 0;
  GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  if (size == 0) return false;
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) return false;
  PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
  if (!sid || !IsValidSid(sid)) return false;
  UCHAR count = *GetSidSubAuthorityCount(sid);
  if (count == 0) return false;
  *level = *GetSidSubAuthority(sid, count - 1);
  return true;
}

}  // namespace

bool IsBelowMediumIntegrity(HANDLE token) {
  DWORD level = 0;
  return ReadIntegrityLevel(token, &level) && level < SECURITY_MANDATORY_MEDIUM_RID;
}

bool ClientDataDirBelow(const std::wstring& app_data, bool below_medium_integrity,
                        std::wstring* dir) {
  std::wstring folder = app_data;
  // A process below medium integrity may not read the folders on the way, so it keeps the form
  // the shell gave.
  if (!below_medium_integrity) {
    wchar_t long_name[MAX_PATH + 1];
    DWORD length = GetLongPathNameW(app_data.c_str(), long_name, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return false;
    folder.assign(long_name, length);
  }
  *dir = base::PathString(folder).Join(kClientDataSubdir).value();
  return true;
}

bool GetClientDataDir(bool per_user, std::wstring* dir) {
  wchar_t app_data[MAX_PATH];
  int folder = (per_user ? CSIDL_APPDATA : CSIDL_COMMON_APPDATA) | CSIDL_FLAG_CREATE;
  if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, app_data))) return false;
  HANDLE token = nullptr;
  bool below_medium = false;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    below_medium = IsBelowMediumIntegrity(token);
    CloseHandle(token);
  }
  return ClientDataDirBelow(app_data, below_medium, dir);
}
