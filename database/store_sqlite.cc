#include "database/store_sqlite.h"

#include <windows.h>

#include <sqlite3.h>

#include <string>

#include "base/strings/utf_string_conversions.h"
#include "database/config.h"
#include "database/sql_transaction.h"

namespace {

// Speed over durability; the file lock, once taken, is kept until the connection closes.
const char* const kConnectionPragmas[] = {
    "PRAGMA locking_mode = EXCLUSIVE",
    "PRAGMA cache_size = 8000",
    "PRAGMA synchronous = OFF",
    "PRAGMA temp_store = MEMORY",
};

}  // namespace

int OpenConnection(const std::wstring& path, sqlite3** db) {
  return sqlite3_open(base::WideToUTF8(path).c_str(), db);
}

bool TableExists(sqlite3* db, const char* database_name, const char* table) {
  std::string sql = "SELECT name FROM ";
  if (database_name && *database_name) {
    sql += database_name;
    sql += ".";
  }
  sql += "sqlite_master WHERE type='table' AND name=?";

  SqlStatement statement;
  if (statement.Prepare(db, sql.c_str()) != SQLITE_OK) return false;
  if (statement.BindText(0, table) != SQLITE_OK) return false;
  return statement.Step() == SQLITE_ROW;
}

StoreSqlite::~StoreSqlite() { Close(); }

bool StoreSqlite::DeleteFiles() {
  if (!Close()) return false;
  std::wstring journal = path_ + L"-journal";
  if (!DeleteFileW(journal.c_str()) && GetFileAttributesW(journal.c_str()) != INVALID_FILE_ATTRIBUTES)
    return false;
  return DeleteFileW(path_.c_str()) || GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void StoreSqlite::Init(const std::wstring& path, SyncDatabase* owner) {
  path_ = path;
  owner_ = owner;
}

bool StoreSqlite::Open() {
  if (db_) return true;
  if (OpenConnection(path_, &db_) != SQLITE_OK) {
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
    return false;
  }
  // The pragmas only tune speed: a failing one leaves SQLite's default, except corruption.
  for (const char* pragma : kConnectionPragmas) {
    if (Run(pragma) == SQLITE_CORRUPT) return false;
  }
  statements_ = std::make_unique<StatementCache>(db_);
  return NeedsCreate() ? CreateSchema() : CheckVersion();
}

bool StoreSqlite::Close() {
  if (!db_) return true;
  statements_.reset();
  int result = sqlite3_close(db_);
  db_ = nullptr;
  return result == SQLITE_OK;
}

bool StoreSqlite::Execute(const char* sql) { return Run(sql) == SQLITE_OK; }

bool StoreSqlite::CreateSchema() {
  SQLTransaction transaction(db_);
  if (transaction.Begin() != SQLITE_OK) return false;
  // Any failure below leaves the transaction begun, so it rolls back with its scope.
  if (!CreateTables()) return false;
  std::string stamp = "PRAGMA user_version = " + std::to_string(user_version_);
  if (!Execute(stamp.c_str())) return false;
  return transaction.Commit() == SQLITE_OK;
}

bool StoreSqlite::CheckVersion() {
  CachedStatement statement(statements_.get(), SQL_FROM_HERE, "PRAGMA user_version");
  if (!statement.is_valid()) return false;
  if (statement->Step() != SQLITE_ROW) return false;
  int32_t version = statement->ColumnInt(0);
  return version == user_version_ || IsVersionAcceptable(version);
}

bool StoreSqlite::OnCorruption() {
  ReportStatus(kStoreCorrupt);
  if (owner_) owner_->OnStoreCorrupt();
  return false;
}

int StoreSqlite::Run(const char* sql) {
  int result = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (result == SQLITE_CORRUPT) OnCorruption();
  return result;
}

void StoreSqlite::ReportStatus(StoreStatus status) {
  if (owner_) owner_->ReportStoreStatus(status);
}
