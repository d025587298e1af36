// File and folder operations of the move tool. Paths are wide strings; every operation that
// goes through a rename or the shell refuses paths of MAX_PATH (260) characters or more,
// because those calls cannot take them.
#pragma once

#include <string>

namespace file_util {

// True when the path's attributes can be read (a file or a folder).
bool PathPresent(const std::wstring& path);

// True when the path's attributes can be read and mark a folder.
bool FolderPresent(const std::wstring& path);

// The path without its last component. A drive root ("C:\") keeps its separator; a path
// without any separator yields ".".
std::wstring ParentFolder(const std::wstring& path);

// Moves `from` to `to`, replacing an existing target and copying across volumes. When the
// move fails and `from` is a folder, the folder is copied with CopyFolderTree and then
// deleted; the result is then whether both worked.
bool MovePath(const std::wstring& from, const std::wstring& to);

// Deletes a file or folder through the shell, silently and for good (no recycle bin); a
// folder's subfolders only when `recursive`. A path that is already gone counts as deleted.
bool DeletePath(const std::wstring& path, bool recursive);

// Copies a file or folder through the shell, silently, creating folders as needed; into
// subfolders only when `recursive`. Copying a folder onto an existing folder places it inside
// that folder and merges it with what is there.
bool CopyFolderTree(const std::wstring& from, const std::wstring& to, bool recursive);

}  // namespace file_util
