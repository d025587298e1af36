// One SQLite connection with fixed pragmas, a schema that a derived table class supplies and
// checks by version, and a cache of prepared statements.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>

#include "database/statement_cache.h"

struct sqlite3;
class SyncDatabase;

// What a store tells its owner.
enum StoreStatus {
  kStoreCorrupt = 0,
  kStoreOperationBegins = 1,
  kStoreCreateTablesFailed = 3,
  kStoreClearTablesFailed = 4,
  kStoreWriteFailed = 5,
  kStoreReadFailed = 6,
};

// Opens `path` for reading and writing, creating the file when missing. SQLite's result code;
// `*db` may hold a handle to close even on failure.
int OpenConnection(const std::wstring& path, sqlite3** db);

// Whether `table` exists in the database `database_name` ("main" when null or empty).
bool TableExists(sqlite3* db, const char* database_name, const char* table);

class StoreSqlite {
 public:
  StoreSqlite() = default;
  virtual ~StoreSqlite();
  StoreSqlite(const StoreSqlite&) = delete;
  StoreSqlite& operator=(const StoreSqlite&) = delete;

  // Closes, then deletes the database file and its journal.
  virtual bool DeleteFiles();
  virtual void Init(const std::wstring& path, SyncDatabase* owner);
  // Opens the connection, then creates the schema when missing or checks its version.
  virtual bool Open();
  virtual bool Close();
  virtual bool IsVersionAcceptable(int32_t version) = 0;
  // Runs `sql`; true when SQLite reports success.
  virtual bool Execute(const char* sql);
  virtual bool CreateSchema();
  virtual bool CheckVersion();
  virtual bool NeedsCreate() = 0;
  virtual bool CreateTables() = 0;
  virtual bool ClearTables() = 0;
  // Tells the owner and returns false: nothing is repaired or deleted.
  virtual bool OnCorruption();

  bool is_open() const { return db_ != nullptr; }
  const std::wstring& path() const { return path_; }

 protected:
  // Runs `sql` and returns SQLite's result code; corruption is reported to the owner first.
  int Run(const char* sql);
  void ReportStatus(StoreStatus status);

  sqlite3* db() const { return db_; }
  StatementCache* statements() const { return statements_.get(); }

  int32_t user_version_ = 0;

 private:
  std::wstring path_;
  SyncDatabase* owner_ = nullptr;
  sqlite3* db_ = nullptr;
  std::unique_ptr<StatementCache> statements_;
};
