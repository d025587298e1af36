#include "move_tool/move_notify.h"

void SendMoveNotify(HWND dialog, MoveNotifyKind kind, LPARAM data) {
  if (IsWindow(dialog)) SendMessageW(dialog, WM_MOVE_NOTIFY, kind, data);
}
