// The move tool's only window: it waits for the client to go, starts the move, shows its
// progress and, when the worker reports the end, records the new folder, restarts the client
// and ends the process. The user cannot close it.
#pragma once

#include <windows.h>

#include <string>

#include "move_tool/modal_dialog.h"
#include "move_tool/move_progress.h"

class CMainDlg : public ModalDialog {
 public:
  enum { TIMER_TIME_LEFT = 1, TIMER_CLIENT_WAIT = 2 };

  CMainDlg(const std::wstring& source_dir, const std::wstring& target_dir,
           const std::wstring& profile_name);

 protected:
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

 private:
  void OnClientWaitTimer();
  void OnTimeLeftTimer();
  void OnMoveNotify(WPARAM kind, LPARAM data);
  void OnStarted(const LONGLONG* total);
  void OnProgress(const LONGLONG* copied);
  void OnFileDone(const LONGLONG* size);
  void OnError(DWORD error_code);
  // Records a successful move, restarts the client and ends the process with 0.
  void OnFinished(bool succeeded);

  void SetStatusText(const wchar_t* text);
  void SetDetailText(const wchar_t* text);
  void SetBarPosition(int percent);

  HWND progress_ = nullptr;
  const std::wstring source_dir_;
  const std::wstring target_dir_;
  const std::wstring profile_name_;
  HANDLE client_mutex_ = nullptr;
  bool created_target_dir_ = false;  // the target folder is ours to remove after a failure
  DWORD launch_tick_ = 0;
  MoveProgress move_progress_;
};
