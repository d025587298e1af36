// A thin layer over the system's modal dialogs: a class per dialog template whose message
// handler is a virtual function.
#pragma once

#include <windows.h>

// The module whose resources the dialogs are made from; set once by the program entry.
class DialogModule {
 public:
  static void Init(HINSTANCE instance);
  static void Term();
  static HINSTANCE instance();
};

class ModalDialog {
 public:
  explicit ModalDialog(UINT template_id) : template_id_(template_id) {}
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Runs the dialog until EndDialog; the owner is the window active on this thread, if any.
  INT_PTR DoModal();
  void EndDialog(INT_PTR result);
  HWND hwnd() const { return hwnd_; }

 protected:
  // WM_INITDIALOG; the result says whether the system should set the keyboard focus.
  virtual BOOL OnInitDialog() { return TRUE; }
  // Every other message: true when handled, with *result as the message's result. Unhandled
  // messages get the system's default dialog handling.
  virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) = 0;

  // Centres the window over its owner, or on the work area of its monitor without one.
  void CenterWindow();

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  const UINT template_id_;
  HWND hwnd_ = nullptr;
};
