#include "move_tool/directory_move_engine.h"

#include "base/files/file_util.h"
#include "move_tool/move_notify.h"

namespace {

const wchar_t kCacheFolder[] = L"\\.nubrel.cache";
const wchar_t kBackupFolder[] = L"\\.nubrel.cache\\.merge";

// Finished files are reported at most this often.
const DWORD kFileReportIntervalMs = 50;

// Tick count of the last progress report; used only on the worker thread.
DWORD g_last_progress_tick = 0;

struct FolderEntry {
  std::wstring path;
  bool is_folder;
  LONGLONG size;
};

// Calls `visit` for every entry of `folder` except "." and "..", hidden and system ones
// included, until it returns false. A folder that cannot be listed has no entries.
template <typename Visit>
bool ForEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return true;
  bool go_on = true;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry entry = {folder + L"\\" + name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
    go_on = visit(entry);
  } while (go_on && FindNextFileW(find, &data));
  FindClose(find);
  return go_on;
}

bool RenameWithoutReplacing(const std::wstring& from, const std::wstring& to) {
  return from.size() < MAX_PATH && to.size() < MAX_PATH && MoveFileExW(from.c_str(), to.c_str(), 0);
}

// Removes a file that a failed copy or move left at a place that was empty before it.
void RemoveLeftover(const std::wstring& path) {
  if (!file_util::PathPresent(path) || file_util::FolderPresent(path)) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
}

}  // namespace

DirectoryMoveEngine::DirectoryMoveEngine(const std::wstring& source_dir,
                                         const std::wstring& target_dir, HWND dialog)
    : source_dir_(source_dir),
      target_dir_(target_dir),
      dialog_(dialog),
      // Compared exactly: "d:" and "D:" count as two volumes, which only costs a copy.
      same_volume_(!source_dir.empty() && !target_dir.empty() && source_dir[0] == target_dir[0]),
      // Only a target that is not there at all may be deleted as a whole on rollback; a file
      // of that name belongs to the user.
      target_was_missing_(!file_util::PathPresent(target_dir)),
      cache_dir_(target_dir + kCacheFolder),
      backup_root_(target_dir + kBackupFolder) {}

std::wstring DirectoryMoveEngine::MapToTarget(const std::wstring& source_path) const {
  return target_dir_ + source_path.substr(source_dir_.size());
}

std::wstring DirectoryMoveEngine::MapToSource(const std::wstring& target_path) const {
  return source_dir_ + target_path.substr(target_dir_.size());
}

std::wstring DirectoryMoveEngine::MapToBackup(const std::wstring& target_path) const {
  return backup_root_ + target_path.substr(target_dir_.size());
}

bool DirectoryMoveEngine::Fail(DWORD error_code) {
  FlushFileDone();
  SendMoveNotify(dialog_, NOTIFY_ERROR, static_cast<LPARAM>(error_code));
  return false;
}

LONGLONG DirectoryMoveEngine::ComputeDirectorySize(const std::wstring& folder) {
  LONGLONG total = 0;
  ForEachEntry(folder, [&](const FolderEntry& entry) {
    total += entry.is_folder ? ComputeDirectorySize(entry.path) : entry.size;
    return true;
  });
  return total;
}

bool DirectoryMoveEngine::MoveDirectoryTree(const std::wstring& folder) {
  bool moved = MoveTree(folder, false);
  if (moved) FlushFileDone();
  return moved;
}

bool DirectoryMoveEngine::MoveTree(const std::wstring& folder, bool target_is_new) {
  return ForEachEntry(folder, [&](const FolderEntry& entry) {
    return entry.is_folder ? MoveFolderEntry(entry.path) : MoveFileEntry(entry.path, entry.size, target_is_new);
  });
}

bool DirectoryMoveEngine::MoveFolderEntry(const std::wstring& source_path) {
  std::wstring target_path = MapToTarget(source_path);
  bool created = false;
  if (!file_util::FolderPresent(target_path)) {
    // Only a folder this run really created is deleted on rollback; when it cannot be created
    // (a file of that name is there), nothing can go into it, so the move fails here.
    if (!CreateDirectoryW(target_path.c_str(), nullptr)) return Fail(GetLastError());
    created_paths_.push_back(target_path);
    created = true;
  }
  return MoveTree(source_path, created);
}

bool DirectoryMoveEngine::MoveFileEntry(const std::wstring& source_path, LONGLONG size, bool target_is_new) {
  std::wstring target_path = MapToTarget(source_path);
  // Into a folder this run created, a plain rename needs no look first: it neither replaces
  // nor copies, so when it fails (a name that differs only in letter case where the file
  // system tells such names apart, or another device behind the same drive letter) nothing
  // has happened, and the careful way below takes over.
  bool moved = same_volume_ && target_is_new && RenameWithoutReplacing(source_path, target_path);
  if (!moved) {
    if (file_util::PathPresent(target_path) && !DisplaceTargetPath(target_path)) return Fail(0);
    DWORD error_code = 0;
    if (same_volume_) {
      moved = file_util::MovePath(source_path, target_path);
    } else {
      SetLastError(0);
      moved = CopyFileExW(source_path.c_str(), target_path.c_str(), CopyProgressRoutine, dialog_,
                          nullptr, COPY_FILE_RESTARTABLE) != FALSE;
      error_code = GetLastError();
    }
    if (!moved) {
      // The place was empty before (what was there has been set aside), so whatever is there
      // now is a partly written file of the failed copy.
      RemoveLeftover(target_path);
      return Fail(error_code);
    }
  }
  (same_volume_ ? moved_paths_ : created_paths_).push_back(target_path);
  ReportFileDone(size);
  return true;
}

void DirectoryMoveEngine::ReportFileDone(LONGLONG size) {
  unreported_bytes_ += size;
  unreported_files_ = true;
  // One synchronous message per small file would cost more than renaming it.
  if (GetTickCount() - last_file_report_tick_ >= kFileReportIntervalMs) FlushFileDone();
}

void DirectoryMoveEngine::FlushFileDone() {
  if (!unreported_files_) return;
  LONGLONG bytes = unreported_bytes_;
  unreported_bytes_ = 0;
  unreported_files_ = false;
  last_file_report_tick_ = GetTickCount();
  SendMoveNotify(dialog_, NOTIFY_FILE_DONE, reinterpret_cast<LPARAM>(&bytes));
}

bool DirectoryMoveEngine::DisplaceTargetPath(const std::wstring& target_path) {
  std::wstring backup_path = MapToBackup(target_path);
  CreateBackupFolders(file_util::ParentFolder(backup_path));
  if (!file_util::MovePath(target_path, backup_path)) return false;
  displaced_paths_.push_back(backup_path);
  return true;
}

void DirectoryMoveEngine::CreateBackupFolders(const std::wstring& folder) {
  if (folder.size() <= target_dir_.size() || file_util::FolderPresent(folder)) return;
  CreateBackupFolders(file_util::ParentFolder(folder));
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return;
  if (folder == cache_dir_) created_cache_dir_ = true;
  if (folder == backup_root_) created_backup_root_ = true;
}

bool DirectoryMoveEngine::Rollback() {
  if (same_volume_) {
    for (const std::wstring& path : moved_paths_) file_util::MovePath(path, MapToSource(path));
    RestoreDisplacedFiles();
    // Here the created folders may hold the only copy of a file that could not be renamed
    // back, so they go only when empty: innermost first.
    for (auto path = created_paths_.rbegin(); path != created_paths_.rend(); ++path)
      RemoveDirectoryW(path->c_str());
  } else if (target_was_missing_) {
    file_util::DeletePath(target_dir_, true);
  } else {
    // Everything created here is a copy. Created folders come before anything inside them, so
    // the first deletion of a tree takes all of it; later entries are then gone already.
    for (const std::wstring& path : created_paths_) file_util::DeletePath(path, true);
    RestoreDisplacedFiles();
  }
  return true;
}

bool DirectoryMoveEngine::WasDisplaced(const std::wstring& backup_path) const {
  for (const std::wstring& displaced : displaced_paths_) {
    if (displaced == backup_path) return true;
    if (displaced.size() > backup_path.size() && displaced[backup_path.size()] == L'\\' &&
        displaced.compare(0, backup_path.size(), backup_path) == 0)
      return true;
  }
  return false;
}

bool DirectoryMoveEngine::RestoreDisplacedFiles() {
  ForEachEntry(backup_root_, [&](const FolderEntry& entry) {
    if (WasDisplaced(entry.path)) MergeBack(entry.path, target_dir_ + entry.path.substr(backup_root_.size()));
    return true;
  });
  // The cache folders go only when nothing set aside is left in them.
  bool all_back = true;
  for (const std::wstring& path : displaced_paths_) all_back &= !file_util::PathPresent(path);
  if (all_back && created_backup_root_) file_util::DeletePath(backup_root_, true);
  if (all_back && created_cache_dir_) file_util::DeletePath(cache_dir_, true);
  return all_back;
}

bool DirectoryMoveEngine::MergeBack(const std::wstring& from, const std::wstring& to) {
  if (!file_util::FolderPresent(from) || !file_util::FolderPresent(to)) {
    // Something at `to` is a file that could not go back to the source: never overwrite it;
    // the set-aside one then stays below the backup root.
    return !file_util::PathPresent(to) && file_util::MovePath(from, to);
  }
  // Renames need no free space, unlike a copy, so even a full disk takes everything back.
  bool merged = ForEachEntry(from, [&](const FolderEntry& entry) {
    return MergeBack(entry.path, to + entry.path.substr(from.size()));
  });
  return RemoveDirectoryW(from.c_str()) && merged;
}

bool DirectoryMoveEngine::DeleteDirectoryContents(const std::wstring& folder) {
  bool result = true;
  ForEachEntry(folder, [&](const FolderEntry& entry) {
    if (!file_util::DeletePath(entry.path, true)) {
      if (entry.is_folder) DeleteDirectoryContents(entry.path);
      result = false;
    }
    return true;
  });
  return result;
}

void ResetCopyProgressThrottle() { g_last_progress_tick = 0; }

DWORD CALLBACK CopyProgressRoutine(LARGE_INTEGER total_file_size, LARGE_INTEGER total_transferred,
                                   LARGE_INTEGER stream_size, LARGE_INTEGER stream_transferred,
                                   DWORD stream_number, DWORD reason, HANDLE source_file,
                                   HANDLE target_file, LPVOID context) {
  if (total_transferred.QuadPart == 0) return PROGRESS_CONTINUE;
  DWORD now = GetTickCount();
  if (static_cast<LONG>(now - g_last_progress_tick) <= 50) return PROGRESS_CONTINUE;
  if (context) {
    LONGLONG transferred = total_transferred.QuadPart;
    SendMoveNotify(static_cast<HWND>(context), NOTIFY_PROGRESS, reinterpret_cast<LPARAM>(&transferred));
    g_last_progress_tick = now;
  }
  return PROGRESS_CONTINUE;
}
