// Records the new sync folder in the profile's database, where the restarted client reads it.
#pragma once

#include <string>

// Writes `folder` as the sync folder of `profile` into "pref.db" of that profile below the
// client data directory. Nothing is written when the directory or the database cannot be used,
// and nothing is reported: the client then keeps its old setting.
void RecordSyncFolder(const std::wstring& profile, const std::wstring& folder);

// The same below a given client data directory.
void RecordSyncFolderBelow(const std::wstring& client_data_dir, const std::wstring& profile,
                           const std::wstring& folder);
