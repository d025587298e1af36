#include "sqlite_probe.h"

#include "support/test_support.h"

namespace sqlite_probe {

Connection::Connection(const std::wstring& path) {
  if (sqlite3_open(test_support::ToUtf8(path).c_str(), &db_) != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

Connection::~Connection() { sqlite3_close(db_); }

int Connection::Exec(const char* sql) {
  return db_ ? sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) : SQLITE_CANTOPEN;
}

std::string Connection::QueryText(const char* sql) {
  sqlite3_stmt* statement = nullptr;
  std::string text;
  if (db_ && sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0)) {
    text.assign(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                sqlite3_column_bytes(statement, 0));
  }
  sqlite3_finalize(statement);
  return text;
}

bool Exec(const std::wstring& path, const char* sql) {
  return Connection(path).Exec(sql) == SQLITE_OK;
}

std::vector<ConfigRow> ConfigRows(const std::wstring& path) {
  Connection connection(path);
  std::vector<ConfigRow> rows;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(connection.get(),
                         "SELECT key, CAST(value AS BLOB), typeof(value) FROM config ORDER BY key",
                         -1, &statement, nullptr) != SQLITE_OK)
    return rows;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    auto column = [statement](int i) {
      const char* data = static_cast<const char*>(sqlite3_column_blob(statement, i));
      return data ? std::string(data, sqlite3_column_bytes(statement, i)) : std::string();
    };
    rows.push_back({column(0), column(1), column(2)});
  }
  sqlite3_finalize(statement);
  return rows;
}

int UserVersion(const std::wstring& path) {
  return std::stoi("0" + Connection(path).QueryText("PRAGMA user_version"));
}

FileSnapshot::FileSnapshot(const std::wstring& path) : path_(path) {
  EXPECT_TRUE(test_support::ReadFile(path, &bytes_)) << "cannot read " << test_support::ToUtf8(path);
}

::testing::AssertionResult FileSnapshot::Unchanged() const {
  std::string now;
  if (!test_support::ReadFile(path_, &now))
    return ::testing::AssertionFailure() << "the file cannot be read any more";
  if (now == bytes_) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < now.size() && at < bytes_.size() && now[at] == bytes_[at]) ++at;
  return ::testing::AssertionFailure() << "the file changed: " << bytes_.size() << " bytes before, "
                                       << now.size() << " now, first difference at offset " << at;
}

}  // namespace sqlite_probe
