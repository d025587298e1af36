// A transaction on one connection; one that was begun and not ended rolls back with its scope.
#pragma once

struct sqlite3;

class SQLTransaction {
 public:
  explicit SQLTransaction(sqlite3* db) : db_(db) {}
  virtual ~SQLTransaction();
  SQLTransaction(const SQLTransaction&) = delete;
  SQLTransaction& operator=(const SQLTransaction&) = delete;

  // SQLite's result code; 1 (generic error) when the call makes no sense in the current state.
  virtual int RunBegin(const char* sql);
  virtual int RunEnd(const char* sql);

  int Begin() { return RunBegin("BEGIN IMMEDIATE"); }
  int Commit() { return RunEnd("COMMIT"); }
  int Rollback() { return RunEnd("ROLLBACK"); }
  bool began() const { return began_; }

 private:
  sqlite3* db_;
  bool began_ = false;
};
