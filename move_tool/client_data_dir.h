// The client's data directory: the launcher and the profiles live below it.
#pragma once

#include <windows.h>

#include <string>

// The per-user (or, when `per_user` is false, the all-users) application-data folder followed by
// "Nubrel Network\Nubrel". False when the folder cannot be determined.
bool GetClientDataDir(bool per_user, std::wstring* dir);

// The client data directory below `app_data`, the application-data folder as the shell gave it:
// its long-name form unless `below_medium_integrity`, then "Nubrel Network\Nubrel".
bool ClientDataDirBelow(const std::wstring& app_data, bool below_medium_integrity,
                        std::wstring* dir);

// Whether `token` has an integrity level below medium; false when the level cannot be read.
bool IsBelowMediumIntegrity(HANDLE token);
