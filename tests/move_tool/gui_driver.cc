#include "move_tool/gui_driver.h"

#include <vector>

#include "support/test_support.h"

namespace gui_driver {

namespace {

const DWORD kPollMs = 50;
const UINT kMessageTimeoutMs = 5000;
// The static control that holds a message box's text.
const int kMessageBoxTextId = 0xFFFF;

struct Search {
  DWORD pid;
  const std::wstring* title;  // null: any visible window
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if ((search->pid && pid != search->pid) || !IsWindowVisible(window)) return TRUE;
  if (search->title && TextOf(window) != *search->title) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CollectStatics(HWND child, LPARAM param) {
  wchar_t class_name[32] = {};
  GetClassNameW(child, class_name, 32);
  if (lstrcmpiW(class_name, L"Static") == 0)
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

}  // namespace

HWND FindWindowOf(DWORD pid, const std::wstring& title, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    Search search = {pid, &title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= timeout_ms) return nullptr;
    Sleep(kPollMs);  // polling the other process's windows; bounded by timeout_ms
  }
}

bool HasVisibleWindow(DWORD pid) {
  Search search = {pid, nullptr, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           kMessageTimeoutMs, &length))
    return L"<no answer>";
  return std::wstring(text, length);
}

std::wstring ItemTextOf(HWND dialog, int control_id) {
  HWND item = GetDlgItem(dialog, control_id);
  return item ? TextOf(item) : L"<no control>";
}

std::wstring MessageBoxText(HWND box) {
  if (HWND text = GetDlgItem(box, kMessageBoxTextId)) return TextOf(text);
  // Otherwise the longest static text (the icon is a static without text).
  std::vector<HWND> statics;
  EnumChildWindows(box, CollectStatics, reinterpret_cast<LPARAM>(&statics));
  std::wstring longest;
  for (HWND item : statics) {
    std::wstring text = TextOf(item);
    if (text.size() > longest.size()) longest = text;
  }
  return longest;
}

bool PressButton(HWND dialog, int button_id) {
  HWND button = GetDlgItem(dialog, button_id);
  if (!button) return false;
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool WaitUntilHandled(HWND window, DWORD timeout_ms) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return false;
  DWORD result = WaitForInputIdle(process, timeout_ms);
  CloseHandle(process);
  // A sent message is answered only after the thread has taken up its queue again.
  DWORD_PTR ignored = 0;
  return result == 0 &&
         SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeout_ms, &ignored) != 0;
}

bool SaveScreenshot(const std::wstring& path) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = bitmap != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    DWORD row = ((width * 3 + 3) / 4) * 4;
    DWORD image_size = row * height;
    BITMAPFILEHEADER file_header = {};
    file_header.bfType = 0x4D42;  // "BM"
    file_header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file_header.bfSize = file_header.bfOffBits + image_size;
    std::string contents(reinterpret_cast<const char*>(&file_header), sizeof(file_header));
    contents.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    contents.append(static_cast<const char*>(bits), image_size);
    ok = test_support::WriteFile(path, contents);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::wstring ArtefactsDir() {
  // The tests run from <build>/<arch>/bin; the build keeps artefacts in <build>/artefacts.
  std::wstring dir = test_support::BinDir() + L"\\..\\..\\artefacts";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

}  // namespace gui_driver
