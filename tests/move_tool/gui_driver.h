// Drives windows of another process from a test: find them, read their texts, press buttons,
// and photograph the screen.
#pragma once

#include <windows.h>

#include <string>

namespace gui_driver {

// A visible top-level window of process `pid` (0: of any process) with the title `title`;
// null after `timeout_ms`.
HWND FindWindowOf(DWORD pid, const std::wstring& title, DWORD timeout_ms);
// Whether process `pid` has any visible top-level window now.
bool HasVisibleWindow(DWORD pid);

// The text of a window or control (asked by message, so it works across processes).
std::wstring TextOf(HWND window);
std::wstring ItemTextOf(HWND dialog, int control_id);
// The message text of a message box.
std::wstring MessageBoxText(HWND box);
// Presses the button `button_id` of a dialog, as a click would.
bool PressButton(HWND dialog, int button_id);

// Waits until the window's thread has handled everything queued for it (bounded).
bool WaitUntilHandled(HWND window, DWORD timeout_ms);

// Saves what the screen shows as a BMP file.
bool SaveScreenshot(const std::wstring& path);
// The folder for files kept after the tests (the build's "artefacts" folder), created.
std::wstring ArtefactsDir();

}  // namespace gui_driver
