#include "base/files/file_util.h"

#include <windows.h>
#include <shellapi.h>

namespace file_util {

namespace {

// Shell results that mean "nothing left to delete" besides 0: file not found, and 0x402,
// which the shell reports for a path that is not there (any more).
const int kShellNotFound = 2;
const int kShellVanished = 0x402;

bool FitsMaxPath(const std::wstring& path) { return path.size() < MAX_PATH; }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The shell takes lists of paths, each ended by a NUL, the list ended by a second NUL.
std::wstring ShellPathList(const std::wstring& path) {
  std::wstring list = path;
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

const FILEOP_FLAGS kQuietShellFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;

}  // namespace

bool PathPresent(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderPresent(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ParentFolder(const std::wstring& path) {
  // "C:\a\" is the folder "C:\a"; the separator of "C:\" and a leading one stay.
  size_t end = path.size();
  while (end > 1 && IsSeparator(path[end - 1]) && !(end == 3 && path[1] == L':')) --end;
  size_t separator = path.find_last_of(L"\\/", end == 0 ? 0 : end - 1);
  if (separator == std::wstring::npos) return L".";
  bool after_drive = separator == 2 && path[1] == L':';
  if (after_drive || separator == 0) return path.substr(0, separator + 1);
  return path.substr(0, separator);
}

bool MovePath(const std::wstring& from, const std::wstring& to) {
  if (!FitsMaxPath(from) || !FitsMaxPath(to)) return false;
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    return true;
  if (!FolderPresent(from)) return false;
  // A folder cannot be renamed onto an existing folder or across volumes: copy it, then drop it.
  return CopyFolderTree(from, to, true) && DeletePath(from, true);
}

bool DeletePath(const std::wstring& path, bool recursive) {
  if (!FitsMaxPath(path)) return false;
  // Gone already (also when its folder is gone, which not every shell reports as not found).
  if (!PathPresent(path)) return true;
  std::wstring from = ShellPathList(path);
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = kQuietShellFlags;
  if (!recursive) operation.fFlags |= FOF_NORECURSION;
  int result = SHFileOperationW(&operation);
  return result == 0 || result == kShellNotFound || result == kShellVanished;
}

bool CopyFolderTree(const std::wstring& from, const std::wstring& to, bool recursive) {
  if (!FitsMaxPath(from) || !FitsMaxPath(to)) return false;
  std::wstring source = ShellPathList(from);
  std::wstring target = ShellPathList(to);
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_COPY;
  operation.pFrom = source.c_str();
  operation.pTo = target.c_str();
  operation.fFlags = kQuietShellFlags | FOF_NOCONFIRMMKDIR;
  if (!recursive) operation.fFlags |= FOF_NORECURSION;
  return SHFileOperationW(&operation) == 0;
}

}  // namespace file_util
