// Looks at database files through SQLite's own C API, on connections of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace sqlite_probe {

// A connection of the test's own; closed with the object.
class Connection {
 public:
  explicit Connection(const std::wstring& path);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  sqlite3* get() const { return db_; }
  // SQLite's result code of running `sql`.
  int Exec(const char* sql);
  // The first column of the first row of `sql` as text ("" without a row).
  std::string QueryText(const char* sql);

 private:
  sqlite3* db_ = nullptr;
};

struct ConfigRow {
  std::string key;
  std::string value;  // raw bytes
  std::string type;   // typeof(value)
  bool operator==(const ConfigRow& other) const {
    return key == other.key && value == other.value && type == other.type;
  }
};

// Runs `sql` (several statements allowed) on a fresh connection to `path`; false on failure.
bool Exec(const std::wstring& path, const char* sql);
// Every row of the `config` table, ordered by key.
std::vector<ConfigRow> ConfigRows(const std::wstring& path);
int UserVersion(const std::wstring& path);

// The bytes of a file when the snapshot was taken, to show that nothing wrote to it since.
class FileSnapshot {
 public:
  explicit FileSnapshot(const std::wstring& path);
  // Success when the file still has exactly those bytes; otherwise says where they differ.
  ::testing::AssertionResult Unchanged() const;

 private:
  std::wstring path_;
  std::string bytes_;
};

}  // namespace sqlite_probe
