// The one message by which the move worker reports to the dialog. It is always sent
// synchronously: the worker waits until the dialog has handled it.
#pragma once

#include <windows.h>

const UINT WM_MOVE_NOTIFY = 0x1737;

// The word parameter of WM_MOVE_NOTIFY; the comment says what the long parameter carries.
enum MoveNotifyKind {
  NOTIFY_PROGRESS = 0,   // const LONGLONG*: bytes of the current file copied so far
  NOTIFY_ERROR = 1,      // a system error code (a value); 0 when none is known
  NOTIFY_FILE_DONE = 2,  // const LONGLONG*: the size of the file just finished
  NOTIFY_STARTED = 3,    // const LONGLONG*: the bytes to move
  NOTIFY_FINISHED = 4,   // 1 when the move succeeded, else 0 (a value)
};

// Sends the notification while `dialog` is a window; a vanished dialog gets nothing.
void SendMoveNotify(HWND dialog, MoveNotifyKind kind, LPARAM data);
