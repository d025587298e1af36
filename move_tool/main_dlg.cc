#include "move_tool/main_dlg.h"

#include <commctrl.h>

#include <stdlib.h>

#include "base/files/file_util.h"
#include "move_tool/client_process.h"
#include "move_tool/move_directory_thread.h"
#include "move_tool/move_notify.h"
#include "move_tool/resource.h"
#include "move_tool/sync_folder_record.h"
#include "move_tool/ui_texts.h"

namespace {

const UINT kTimeLeftPeriodMs = 3000;
const UINT kClientWaitPeriodMs = 1000;
const int kWindowWidth = 400;
const int kWindowHeight = 160;
const RECT kProgressBarRect = {30, 46, 360, 63};

HICON LoadAppIcon(int size_metric_x, int size_metric_y) {
  return static_cast<HICON>(LoadImageW(DialogModule::instance(), MAKEINTRESOURCEW(IDI_APP_ICON),
                                       IMAGE_ICON, GetSystemMetrics(size_metric_x),
                                       GetSystemMetrics(size_metric_y), LR_DEFAULTCOLOR));
}

}  // namespace

CMainDlg::CMainDlg(const std::wstring& source_dir, const std::wstring& target_dir,
                   const std::wstring& profile_name)
    : ModalDialog(IDD_MOVE_DIALOG),
      source_dir_(source_dir),
      target_dir_(target_dir),
      profile_name_(profile_name) {}

BOOL CMainDlg::OnInitDialog() {
  HWND window = hwnd();
  CenterWindow();
  SetWindowPos(window, nullptr, 0, 0, kWindowWidth, kWindowHeight, SWP_NOMOVE | SWP_NOZORDER);
  SetForegroundWindow(window);

  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadAppIcon(SM_CXICON, SM_CYICON)));
  SendMessageW(window, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(LoadAppIcon(SM_CXSMICON, SM_CYSMICON)));

  const RECT& bar = kProgressBarRect;
  progress_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, bar.left, bar.top,
                              bar.right - bar.left, bar.bottom - bar.top, window, nullptr,
                              DialogModule::instance(), nullptr);
  SendMessageW(progress_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));

  SetWindowTextW(window, kWindowTitle);
  // Without Close (and with OK and Cancel ignored) the user has no way to end the move.
  DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
  SetStatusText(kClosingClientText);
  SetDetailText(L"");

  client_mutex_ = nullptr;
  move_progress_ = MoveProgress();
  launch_tick_ = GetTickCount();
  SetTimer(window, TIMER_CLIENT_WAIT, kClientWaitPeriodMs, nullptr);
  return TRUE;
}

bool CMainDlg::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_TIMER:
      if (wparam == TIMER_CLIENT_WAIT) OnClientWaitTimer();
      else if (wparam == TIMER_TIME_LEFT) OnTimeLeftTimer();
      else return false;
      return true;
    case WM_COMMAND:
      // Enter and Escape must not close the window.
      return LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL;
    case WM_MOVE_NOTIFY:
      OnMoveNotify(wparam, lparam);
      *result = 0;
      return true;
  }
  return false;
}

void CMainDlg::OnClientWaitTimer() {
  if (!WaitForClientExit(launch_tick_, &client_mutex_)) return;
  SetStatusText(kPreparingText);
  if (!file_util::FolderPresent(target_dir_))
    created_target_dir_ = CreateDirectoryW(target_dir_.c_str(), nullptr) != FALSE;
  KillTimer(hwnd(), TIMER_CLIENT_WAIT);
  // With the source gone no worker would ever report; end as after a failed move.
  if (!file_util::FolderPresent(source_dir_)) {
    OnFinished(false);
    return;
  }
  MoveDirectoryThread::StartMove(source_dir_, target_dir_, hwnd());
}

void CMainDlg::OnMoveNotify(WPARAM kind, LPARAM data) {
  const LONGLONG* count = reinterpret_cast<const LONGLONG*>(data);
  switch (kind) {
    case NOTIFY_PROGRESS: OnProgress(count); break;
    case NOTIFY_ERROR: OnError(static_cast<DWORD>(data)); break;
    case NOTIFY_FILE_DONE: OnFileDone(count); break;
    case NOTIFY_STARTED: OnStarted(count); break;
    case NOTIFY_FINISHED: OnFinished(data != 0); break;
  }
}

void CMainDlg::OnStarted(const LONGLONG* total) {
  SetTimer(hwnd(), TIMER_TIME_LEFT, kTimeLeftPeriodMs, nullptr);
  if (!total) return;
  move_progress_.Started(*total, GetTickCount());
  SetStatusText(kMovingText);
}

void CMainDlg::OnProgress(const LONGLONG* copied) {
  if (!copied) return;
  SetBarPosition(move_progress_.Copied(*copied, GetTickCount()));
}

void CMainDlg::OnFileDone(const LONGLONG* size) {
  if (!size) return;
  bool all_done = false;
  SetBarPosition(move_progress_.FileDone(*size, &all_done));
  if (!all_done) return;
  KillTimer(hwnd(), TIMER_TIME_LEFT);
  SetStatusText(kMoveDoneText);
  SetDetailText(L"");
}

void CMainDlg::OnError(DWORD error_code) {
  // The worker waits in its notification until the user has read this.
  MessageBoxW(nullptr, MoveErrorText(error_code), kMessageBoxCaption, MB_ICONERROR | MB_OK);
}

void CMainDlg::OnFinished(bool succeeded) {
  if (succeeded) {
    RecordSyncFolder(profile_name_, target_dir_);
  } else if (created_target_dir_) {
    RemoveDirectoryW(target_dir_.c_str());  // only when the rollback left it empty
  }
  RestartClient(&client_mutex_, hwnd());
  // The worker is still inside its notification and ends with the process.
  exit(0);
}

void CMainDlg::OnTimeLeftTimer() {
  std::wstring line;
  if (move_progress_.TimeLeftLine(&line)) SetDetailText(line.c_str());
}

void CMainDlg::SetStatusText(const wchar_t* text) { SetDlgItemTextW(hwnd(), IDC_STATUS_TEXT, text); }

void CMainDlg::SetDetailText(const wchar_t* text) { SetDlgItemTextW(hwnd(), IDC_DETAIL_TEXT, text); }

void CMainDlg::SetBarPosition(int percent) { SendMessageW(progress_, PBM_SETPOS, percent, 0); }
