#include "database/config.h"

#include <sqlite3.h>

#include "base/lazy_instance.h"
#include "base/path_string.h"
#include "base/strings/utf_string_conversions.h"

namespace {

base::LazyInstance<SyncDatabase> g_sync_database;

const char kSyncFolderKey[] = "nubrel_path";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveRoot(const std::wstring& path) {
  return path.size() == 3 && path[1] == L':' && IsSeparator(path[2]) &&
         ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (path.size() > 1 && IsSeparator(path.back()) && !IsDriveRoot(path)) path.pop_back();
  return path;
}

}  // namespace

bool ConfigSqlite::NeedsCreate() { return !TableExists(db(), "main", "config"); }

bool ConfigSqlite::CreateTables() {
  ReportStatus(kStoreOperationBegins);
  if (Execute("CREATE TABLE config (  key TEXT PRIMARY KEY NOT NULL,  value BLOB)")) return true;
  ReportStatus(kStoreCreateTablesFailed);
  return false;
}

bool ConfigSqlite::ClearTables() {
  ReportStatus(kStoreOperationBegins);
  if (Execute("DELETE FROM config")) return true;
  ReportStatus(kStoreClearTablesFailed);
  return false;
}

bool ConfigSqlite::SetValue(const std::string& key, const std::string& value) {
  ReportStatus(kStoreOperationBegins);
  if (key.empty()) return false;

  int lookup;
  {  // The lookup is reset before anything is written.
    CachedStatement select(statements(), SQL_FROM_HERE, "SELECT value FROM config WHERE key=?");
    if (!select.is_valid()) return false;
    if (select->BindText(0, key) != SQLITE_OK) return false;
    lookup = select->Step();
  }
  if (lookup == SQLITE_CORRUPT) return OnCorruption();

  int written;
  if (lookup == SQLITE_DONE) {
    CachedStatement insert(statements(), SQL_FROM_HERE,
                           "INSERT INTO config (key, value) VALUES (?, ?)");
    if (!insert.is_valid()) return false;
    if (insert->BindText(0, key) != SQLITE_OK || insert->BindText(1, value) != SQLITE_OK)
      return false;
    written = insert->Step();
  } else {  // a row, or a failed lookup: the update fails too if the table cannot be read
    CachedStatement update(statements(), SQL_FROM_HERE, "UPDATE config SET value=? WHERE key=?");
    if (!update.is_valid()) return false;
    if (update->BindText(0, value) != SQLITE_OK || update->BindText(1, key) != SQLITE_OK)
      return false;
    written = update->Step();
  }
  if (written == SQLITE_CORRUPT) return OnCorruption();
  if (written == SQLITE_DONE) return true;
  ReportStatus(kStoreWriteFailed);
  return false;
}

SyncDatabase* SyncDatabase::Instance() { return g_sync_database.Pointer(); }

bool SyncDatabase::Open(const std::wstring& directory) {
  if (opened_) return true;
  store_ = std::make_unique<ConfigSqlite>();
  store_->Init(base::PathString(directory).Join(L"pref.db").value(), this);
  if (!store_->Open()) {
    store_.reset();
    return false;
  }
  opened_ = true;
  return true;
}

void SyncDatabase::SetSyncFolderPath(const std::wstring& path) {
  if (!store_ || path.empty()) return;
  store_->SetValue(kSyncFolderKey, base::WideToUTF8(WithoutTrailingSeparators(path)));
}

bool SyncDatabase::Close() {
  if (opened_) {
    store_->Close();
    store_.reset();
    opened_ = false;
  }
  return true;
}
