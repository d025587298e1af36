// Control of the sync client's process around a move: wait for it to go (ending it after a
// grace period), hold its single-instance mutex meanwhile, and start it again afterwards.
#pragma once

#include <windows.h>

// The client's single-instance mutex, in the session's name space.
extern const wchar_t kClientMutexName[];
// The client's process image name.
extern const wchar_t kClientImageName[];

// One step of the wait, run once a second from `launch_tick` on. True when the move may
// start: the client's mutex could be created anew (its handle is then kept in *client_mutex),
// or 5000 ms have passed, in which case every client process is terminated.
bool WaitForClientExit(DWORD launch_tick, HANDLE* client_mutex);

// Terminates every process whose image name equals `image_name` exactly (letter case counts).
void KillProcessesByName(const wchar_t* image_name);

// Lets go of the client's mutex and starts the launcher from the client data directory with
// "teravel_disk_startup", owned by `owner`. Failures start nothing and are not reported.
void RestartClient(HANDLE* client_mutex, HWND owner);
