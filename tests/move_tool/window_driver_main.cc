// Drives the move tool's windows from a shell script (the demo):
//
//   move_tool_window_driver watch [folder]   prints each new status text of the main window
//                                            until the window is gone; with a folder, saves a
//                                            screenshot phase-N.bmp there at each new text
//   move_tool_window_driver show-box         waits for the error box and prints its text
//   move_tool_window_driver press-ok         presses OK in the error box
//
// Texts go to standard output as UTF-8 lines. Exit code 0 on success, 1 on a timeout.
#include <windows.h>

#include <string>

#include "move_tool/gui_driver.h"
#include "support/test_support.h"

namespace {

const wchar_t kWindowTitle[] = L"移动澄舟目录";
const wchar_t kMessageBoxCaption[] = L"澄舟";
const int kStatusTextId = 1001;
const DWORD kWaitMs = 30000;

void PrintLine(const std::wstring& text) {
  std::string line = test_support::ToUtf8(text) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

int Watch(const std::wstring& screenshot_folder) {
  HWND window = gui_driver::FindWindowOf(0, kWindowTitle, kWaitMs);
  if (!window) return 1;
  std::wstring last;
  int phase = 0;
  DWORD start = GetTickCount();
  while (IsWindow(window)) {
    std::wstring status = gui_driver::ItemTextOf(window, kStatusTextId);
    if (IsWindow(window) && status != last) {
      if (!screenshot_folder.empty())
        gui_driver::SaveScreenshot(screenshot_folder + L"\\phase-" + std::to_wstring(++phase) + L".bmp");
      PrintLine(L"   " + std::to_wstring(GetTickCount() - start) + L" ms: " + status);
      last = status;
    }
    Sleep(20);  // sampling the text of another program's window
  }
  return 0;
}

HWND WaitForBox() { return gui_driver::FindWindowOf(0, kMessageBoxCaption, kWaitMs); }

int ShowBox() {
  HWND box = WaitForBox();
  if (!box) return 1;
  PrintLine(L"   message box \"" + gui_driver::TextOf(box) + L"\": " + gui_driver::MessageBoxText(box));
  return 0;
}

int PressOk() {
  HWND box = WaitForBox();
  return box && gui_driver::PressButton(box, IDOK) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"watch") return Watch(argc > 2 ? argv[2] : L"");
  if (command == L"show-box") return ShowBox();
  if (command == L"press-ok") return PressOk();
  PrintLine(L"usage: move_tool_window_driver watch|show-box|press-ok");
  return 2;
}
