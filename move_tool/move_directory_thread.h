// The worker thread of one move: measures the source, moves the tree, completes or undoes the
// move and reports every step to the dialog by synchronous WM_MOVE_NOTIFY messages.
#pragma once

#include <windows.h>

#include <string>

#include "base/threading/simple_thread.h"
#include "move_tool/directory_move_engine.h"

class MoveDirectoryThread : public base::SimpleThread {
 public:
  // Starts the thread before returning and gives its id. The object deletes itself when the
  // run has ended, so the creator does not keep it.
  static DWORD StartMove(const std::wstring& source_dir, const std::wstring& target_dir, HWND dialog);

  void Run() override;

 private:
  MoveDirectoryThread(const std::wstring& source_dir, const std::wstring& target_dir, HWND dialog);
  ~MoveDirectoryThread() override = default;

  DirectoryMoveEngine engine_;
  const HWND dialog_;
  LONG succeeded_ = 0;
};
