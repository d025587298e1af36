#include "move_tool/modal_dialog.h"

namespace {

HINSTANCE g_dialog_module = nullptr;

}  // namespace

void DialogModule::Init(HINSTANCE instance) { g_dialog_module = instance; }

void DialogModule::Term() { g_dialog_module = nullptr; }

HINSTANCE DialogModule::instance() { return g_dialog_module; }

INT_PTR ModalDialog::DoModal() {
  return DialogBoxParamW(DialogModule::instance(), MAKEINTRESOURCEW(template_id_), GetActiveWindow(),
                         DialogProc, reinterpret_cast<LPARAM>(this));
}

void ModalDialog::EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

void ModalDialog::CenterWindow() {
  RECT window;
  GetWindowRect(hwnd_, &window);
  RECT area;
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner) {
    GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    area = monitor.rcWork;
  }
  int width = window.right - window.left;
  int height = window.bottom - window.top;
  int left = area.left + (area.right - area.left - width) / 2;
  int top = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    ModalDialog* dialog = reinterpret_cast<ModalDialog*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    dialog->hwnd_ = hwnd;
    return dialog->OnInitDialog();
  }
  ModalDialog* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!dialog) return FALSE;
  LRESULT result = 0;
  if (!dialog->OnMessage(message, wparam, lparam, &result)) return FALSE;
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}
