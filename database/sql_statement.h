// One prepared SQLite statement. Parameter and column indices are 0-based here.
#pragma once

#include <stdint.h>

#include <string>

struct sqlite3;
struct sqlite3_stmt;

class SqlStatement {
 public:
  SqlStatement() = default;
  ~SqlStatement();
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;

  // Prepares the whole of `sql` on `db`, replacing any earlier statement. SQLite's result code;
  // a failure goes through the error handler factory.
  int Prepare(sqlite3* db, const char* sql);
  // SQLite's result: 100 (a row) and 101 (done) as they are, anything else through an error handler.
  int Step();
  int Reset();
  void Finalize();
  bool is_valid() const { return statement_ != nullptr; }

  // Binding: SQLite's result code. Text and blobs are copied by SQLite.
  int BindText(int index, const std::string& utf8);
  int BindWideText(int index, const std::wstring& text);
  int BindBlob(int index, const void* data, int size);
  int BindInt(int index, int32_t value);
  int BindInt64(int index, int64_t value);
  int BindDouble(int index, double value);
  int BindBool(int index, bool value);
  int BindNull(int index);

  // Column text as UTF-8 bytes; a null column gives an empty text and false.
  bool ColumnText(int column, std::string* utf8) const;
  bool ColumnWideText(int column, std::wstring* text) const;
  bool ColumnBlob(int column, std::string* bytes) const;
  int32_t ColumnInt(int column) const;
  int64_t ColumnInt64(int column) const;
  double ColumnDouble(int column) const;
  bool ColumnBool(int column) const;
  int ColumnCount() const;

  // Of the statement's connection.
  int Changes() const;
  int64_t LastInsertRowId() const;

 private:
  sqlite3_stmt* statement_ = nullptr;
};
