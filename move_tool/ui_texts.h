// The texts the move tool shows.
#pragma once

#include <windows.h>

extern const wchar_t kWindowTitle[];
extern const wchar_t kClosingClientText[];
extern const wchar_t kPreparingText[];
extern const wchar_t kMovingText[];
extern const wchar_t kMoveDoneText[];
extern const wchar_t kMessageBoxCaption[];

// The error box text for a failed copy or rename: the disk-full text for ERROR_DISK_FULL
// (112), the files-in-use text for every other code, 0 included.
const wchar_t* MoveErrorText(DWORD error_code);
