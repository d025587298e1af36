#include "move_tool/folder_paths.h"

#include <windows.h>

namespace {

// "C:\a\" names the folder "C:\a"; a drive root keeps its separator.
std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (path.size() > 1 && path.back() == L'\\' && !(path.size() == 3 && path[1] == L':'))
    path.pop_back();
  return path;
}

// The absolute form (forward slashes become backslashes), without trailing separators.
bool FullPath(const std::wstring& path, std::wstring* full) {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  *full = WithoutTrailingSeparators(std::wstring(buffer, length));
  return true;
}

// Case-insensitive comparison of the first `count` characters, as the file system compares.
bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b, size_t count) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(count), b.c_str(),
                              static_cast<int>(count), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool FolderContains(const std::wstring& outer, const std::wstring& inner) {
  std::wstring full_outer, full_inner;
  if (!FullPath(outer, &full_outer) || !FullPath(inner, &full_inner)) return false;
  if (full_inner.size() <= full_outer.size()) return false;
  // A drive root ends in its separator; any other folder needs one right after its name.
  bool separated = full_outer.back() == L'\\' || full_inner[full_outer.size()] == L'\\';
  return separated && EqualIgnoringCase(full_inner, full_outer, full_outer.size());
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
  std::wstring full_a, full_b;
  if (!FullPath(a, &full_a) || !FullPath(b, &full_b)) return false;
  return full_a.size() == full_b.size() && EqualIgnoringCase(full_a, full_b, full_a.size());
}
