#include "database/sql_transaction.h"

#include <sqlite3.h>

SQLTransaction::~SQLTransaction() {
  if (began_) Rollback();
}

int SQLTransaction::RunBegin(const char* sql) {
  if (began_ || !db_) return SQLITE_ERROR;
  int result = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  began_ = result == SQLITE_OK;
  return result;
}

int SQLTransaction::RunEnd(const char* sql) {
  if (!began_ || !db_) return SQLITE_ERROR;
  int result = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  // Still begun after a failed end, so that the destructor rolls back.
  if (result == SQLITE_OK) began_ = false;
  return result;
}
