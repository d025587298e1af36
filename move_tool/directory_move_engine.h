// The file-system work of one move: measure the source folder, move its tree below the target
// folder file by file (renames on one volume, copies with progress across volumes), undo a
// failed move, and clear the source after a successful one. Every failure is reported to the
// dialog with WM_MOVE_NOTIFY and stops the walk at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DirectoryMoveEngine {
 public:
  // `dialog` receives the notifications; null sends none.
  DirectoryMoveEngine(const std::wstring& source_dir, const std::wstring& target_dir, HWND dialog);
  DirectoryMoveEngine(const DirectoryMoveEngine&) = delete;
  DirectoryMoveEngine& operator=(const DirectoryMoveEngine&) = delete;

  // Sum of the listed sizes of all files below `folder`; 0 when it cannot be listed.
  LONGLONG ComputeDirectorySize(const std::wstring& folder);

  // Moves everything below `folder` (the source folder or one below it) to the target.
  // Target files in the way are set aside below the backup root first. False on the first
  // failure, after an error notification. Finished files are reported at most every 50 ms
  // (their sizes summed), and all of them before an error and before returning.
  bool MoveDirectoryTree(const std::wstring& folder);

  // Undoes a failed MoveDirectoryTree: the source and the target end as they were.
  bool Rollback();

  // Puts the target files set aside by the move back in their places, by renames. False when
  // something could not go back; it then stays below the backup root, which is kept.
  bool RestoreDisplacedFiles();

  // Best-effort removal of everything below `folder`; the folder itself stays.
  bool DeleteDirectoryContents(const std::wstring& folder);

  const std::wstring& source_dir() const { return source_dir_; }
  const std::wstring& target_dir() const { return target_dir_; }
  const std::wstring& backup_root() const { return backup_root_; }
  bool same_volume() const { return same_volume_; }
  HWND dialog() const { return dialog_; }

 private:
  std::wstring MapToTarget(const std::wstring& source_path) const;
  std::wstring MapToSource(const std::wstring& target_path) const;
  std::wstring MapToBackup(const std::wstring& target_path) const;

  // `target_is_new`: the target folder of `folder` was created by this run, so files are
  // first tried with a plain rename that cannot replace anything.
  bool MoveTree(const std::wstring& folder, bool target_is_new);
  bool MoveFolderEntry(const std::wstring& source_path);
  bool MoveFileEntry(const std::wstring& source_path, LONGLONG size, bool target_is_new);
  void ReportFileDone(LONGLONG size);
  void FlushFileDone();
  // Moves what is in the way at `target_path` below the backup root.
  bool DisplaceTargetPath(const std::wstring& target_path);
  // Creates `folder` below the backup root with its missing parents, noting the cache
  // folders this run created.
  void CreateBackupFolders(const std::wstring& folder);
  // Moves `from` back to `to`; a folder onto an existing folder merges entry by entry.
  bool MergeBack(const std::wstring& from, const std::wstring& to);
  bool WasDisplaced(const std::wstring& backup_path) const;
  bool Fail(DWORD error_code);

  const std::wstring source_dir_;
  const std::wstring target_dir_;
  const HWND dialog_;
  const bool same_volume_;
  const bool target_was_missing_;
  const std::wstring cache_dir_;    // target\.nubrel.cache
  const std::wstring backup_root_;  // target\.nubrel.cache\.merge
  bool created_cache_dir_ = false;
  bool created_backup_root_ = false;
  std::vector<std::wstring> created_paths_;
  std::vector<std::wstring> moved_paths_;
  std::vector<std::wstring> displaced_paths_;
  // Finished files not reported yet, and when the last report went out.
  LONGLONG unreported_bytes_ = 0;
  bool unreported_files_ = false;
  DWORD last_file_report_tick_ = 0;
};

// The system's copy progress routine for the cross-volume copies: reports the bytes copied
// of the current file to the dialog window given as `context`, at most once every 50 ms.
DWORD CALLBACK CopyProgressRoutine(LARGE_INTEGER total_file_size, LARGE_INTEGER total_transferred,
                                   LARGE_INTEGER stream_size, LARGE_INTEGER stream_transferred,
                                   DWORD stream_number, DWORD reason, HANDLE source_file,
                                   HANDLE target_file, LPVOID context);

// Restarts the 50 ms throttle of the progress reports: the next report goes out at once.
void ResetCopyProgressThrottle();
