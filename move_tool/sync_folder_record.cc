#include "move_tool/sync_folder_record.h"

#include "base/path_string.h"
#include "database/config.h"
#include "move_tool/client_data_dir.h"

void RecordSyncFolder(const std::wstring& profile, const std::wstring& folder) {
  std::wstring client_data_dir;
  if (!GetClientDataDir(true, &client_data_dir)) return;
  RecordSyncFolderBelow(client_data_dir, profile, folder);
}

void RecordSyncFolderBelow(const std::wstring& client_data_dir, const std::wstring& profile,
                           const std::wstring& folder) {
  std::wstring profile_dir =
      base::PathString(client_data_dir).Join(L"User Data").Join(profile).value();
  SyncDatabase* database = SyncDatabase::Instance();
  if (!database->Open(profile_dir)) return;
  database->SetSyncFolderPath(folder);
  database->Close();
}
