#include "move_tool/move_directory_thread.h"

#include "base/files/file_util.h"
#include "move_tool/move_notify.h"

DWORD MoveDirectoryThread::StartMove(const std::wstring& source_dir, const std::wstring& target_dir,
                                     HWND dialog) {
  MoveDirectoryThread* thread = new MoveDirectoryThread(source_dir, target_dir, dialog);
  thread->Start();
  // Valid until the run's first notification has been handled.
  return thread->tid();
}

MoveDirectoryThread::MoveDirectoryThread(const std::wstring& source_dir,
                                         const std::wstring& target_dir, HWND dialog)
    : SimpleThread("MoveDirectoryThread"), engine_(source_dir, target_dir, dialog), dialog_(dialog) {}

void MoveDirectoryThread::Run() {
  const std::wstring& source = engine_.source_dir();
  LONGLONG total = engine_.ComputeDirectorySize(source);
  SendMoveNotify(dialog_, NOTIFY_STARTED, reinterpret_cast<LPARAM>(&total));
  ResetCopyProgressThrottle();
  if (engine_.MoveDirectoryTree(source)) {
    succeeded_ = 1;
    if (!file_util::DeletePath(source, true)) engine_.DeleteDirectoryContents(source);
  } else {
    engine_.Rollback();
  }
  // While the dialog lives it ends the process inside this call; the object is released here
  // only when the dialog was gone.
  SendMoveNotify(dialog_, NOTIFY_FINISHED, succeeded_);
  delete this;
}
