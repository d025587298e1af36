// The profile database "pref.db": its `config` table of settings, and the process-wide
// SyncDatabase through which the move tool records the sync folder there.
#pragma once

#include <memory>
#include <string>

#include "database/store_sqlite.h"

// The `config` table: text keys mapped to values, schema version 1.
class ConfigSqlite : public StoreSqlite {
 public:
  ConfigSqlite() { user_version_ = 1; }
  ~ConfigSqlite() override = default;

  // Any stored version above 0 is one the client wrote.
  bool IsVersionAcceptable(int32_t version) override { return version > 0; }
  bool NeedsCreate() override;
  bool CreateTables() override;
  bool ClearTables() override;

  // Inserts the row `key` or updates its value; both are UTF-8 and stored as text.
  bool SetValue(const std::string& key, const std::string& value);
};

class SyncDatabase {
 public:
  // The process-wide instance, created on first use and deleted at process exit.
  static SyncDatabase* Instance();

  SyncDatabase() = default;
  virtual ~SyncDatabase() = default;
  SyncDatabase(const SyncDatabase&) = delete;
  SyncDatabase& operator=(const SyncDatabase&) = delete;

  // Opens "pref.db" in `directory`, creating its table when the file is new.
  bool Open(const std::wstring& directory);
  // Stores `path` as the row "nubrel_path"; trailing separators are dropped except a drive root's.
  void SetSyncFolderPath(const std::wstring& path);
  bool Close();

  // What the store reports; the move tool has no use for it.
  void ReportStoreStatus(int status) {}
  void OnStoreCorrupt() {}

 private:
  bool opened_ = false;
  std::unique_ptr<ConfigSqlite> store_;
};
