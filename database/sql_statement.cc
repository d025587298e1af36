#include "database/sql_statement.h"

#include <sqlite3.h>

#include "base/strings/utf_string_conversions.h"
#include "database/sql_error_handler.h"

SqlStatement::~SqlStatement() { Finalize(); }

int SqlStatement::Prepare(sqlite3* db, const char* sql) {
  Finalize();
  int result = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
  if (result != SQLITE_OK) {
    Finalize();
    return ReportSqlError(result, db);
  }
  return result;
}

int SqlStatement::Step() {
  if (!statement_) return SQLITE_MISUSE;
  int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW || result == SQLITE_DONE) return result;
  return ReportSqlError(result, sqlite3_db_handle(statement_));
}

int SqlStatement::Reset() { return statement_ ? sqlite3_reset(statement_) : SQLITE_MISUSE; }

void SqlStatement::Finalize() {
  if (statement_) sqlite3_finalize(statement_);
  statement_ = nullptr;
}

int SqlStatement::BindText(int index, const std::string& utf8) {
  return sqlite3_bind_text(statement_, index + 1, utf8.data(), static_cast<int>(utf8.size()),
                           SQLITE_TRANSIENT);
}

int SqlStatement::BindWideText(int index, const std::wstring& text) {
  return sqlite3_bind_text16(statement_, index + 1, text.data(),
                             static_cast<int>(text.size() * sizeof(wchar_t)), SQLITE_TRANSIENT);
}

int SqlStatement::BindBlob(int index, const void* data, int size) {
  return sqlite3_bind_blob(statement_, index + 1, data, size, SQLITE_TRANSIENT);
}

int SqlStatement::BindInt(int index, int32_t value) {
  return sqlite3_bind_int(statement_, index + 1, value);
}

int SqlStatement::BindInt64(int index, int64_t value) {
  return sqlite3_bind_int64(statement_, index + 1, value);
}

int SqlStatement::BindDouble(int index, double value) {
  return sqlite3_bind_double(statement_, index + 1, value);
}

int SqlStatement::BindBool(int index, bool value) { return BindInt(index, value ? 1 : 0); }

int SqlStatement::BindNull(int index) { return sqlite3_bind_null(statement_, index + 1); }

bool SqlStatement::ColumnText(int column, std::string* utf8) const {
  const unsigned char* text = sqlite3_column_text(statement_, column);
  if (!text) {
    utf8->clear();
    return false;
  }
  utf8->assign(reinterpret_cast<const char*>(text), sqlite3_column_bytes(statement_, column));
  return true;
}

bool SqlStatement::ColumnWideText(int column, std::wstring* text) const {
  std::string utf8;
  bool read = ColumnText(column, &utf8);
  *text = base::UTF8ToWide(utf8);
  return read;
}

bool SqlStatement::ColumnBlob(int column, std::string* bytes) const {
  // An empty blob has no data pointer either; only a null column reads as false.
  const void* data = sqlite3_column_blob(statement_, column);
  int size = sqlite3_column_bytes(statement_, column);
  if (data)
    bytes->assign(static_cast<const char*>(data), size);
  else
    bytes->clear();
  return sqlite3_column_type(statement_, column) != SQLITE_NULL;
}

int32_t SqlStatement::ColumnInt(int column) const { return sqlite3_column_int(statement_, column); }

int64_t SqlStatement::ColumnInt64(int column) const {
  return sqlite3_column_int64(statement_, column);
}

double SqlStatement::ColumnDouble(int column) const {
  return sqlite3_column_double(statement_, column);
}

bool SqlStatement::ColumnBool(int column) const { return ColumnInt(column) != 0; }

int SqlStatement::ColumnCount() const { return sqlite3_column_count(statement_); }

int SqlStatement::Changes() const {
  return statement_ ? sqlite3_changes(sqlite3_db_handle(statement_)) : 0;
}

int64_t SqlStatement::LastInsertRowId() const {
  return statement_ ? sqlite3_last_insert_rowid(sqlite3_db_handle(statement_)) : 0;
}
