// Opening the `config` store on real files: schema creation, version checks, pragmas, and
// what a failed schema creation leaves behind.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "database/config.h"
#include "sqlite_probe.h"
#include "support/test_support.h"

namespace {

const char kCreateConfig[] = "CREATE TABLE config (  key TEXT PRIMARY KEY NOT NULL,  value BLOB)";

// The real store, with every statement its connection runs recorded from the moment the
// pragmas are set.
class TracedConfig : public ConfigSqlite {
 public:
  bool NeedsCreate() override {
    sqlite3_trace_v2(db(), SQLITE_TRACE_STMT, &Record, &ran);
    return ConfigSqlite::NeedsCreate();
  }
  std::string Query(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    std::string text;
    if (sqlite3_prepare_v2(db(), sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
      text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return text;
  }

  std::vector<std::string> ran;

 private:
  static int Record(unsigned, void* ran, void*, void* sql) {
    static_cast<std::vector<std::string>*>(ran)->push_back(static_cast<const char*>(sql));
    return 0;
  }
};

const char kTableLookup[] = "SELECT name FROM main.sqlite_master WHERE type='table' AND name=?";

class StoreSqliteTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = dir_.Join(L"pref.db"); }

  // A database as the client leaves it: the table, a row and the given version.
  void MakeClientDatabase(int version) {
    std::string sql = std::string(kCreateConfig) +
                      "; INSERT INTO config VALUES ('nubrel_path', 'D:\\Old');"
                      " PRAGMA user_version = " + std::to_string(version);
    ASSERT_TRUE(sqlite_probe::Exec(path_, sql.c_str()));
  }

  test_support::TempDir dir_;
  std::wstring path_;
};

TEST_F(StoreSqliteTest, AMissingFileIsCreatedWithTheTableInOneImmediateTransaction) {
  TracedConfig store;
  store.Init(path_, nullptr);
  ASSERT_TRUE(store.Open());
  EXPECT_EQ((std::vector<std::string>{kTableLookup, "BEGIN IMMEDIATE", kCreateConfig,
                                      "PRAGMA user_version = 1", "COMMIT"}),
            store.ran);
  ASSERT_TRUE(store.Close());

  sqlite_probe::Connection probe(path_);
  EXPECT_EQ(kCreateConfig, probe.QueryText("SELECT sql FROM sqlite_master WHERE name='config'"));
  EXPECT_EQ("1", probe.QueryText("PRAGMA user_version"));
  EXPECT_EQ("0", probe.QueryText("SELECT count(*) FROM config"));
}

TEST_F(StoreSqliteTest, AnExistingVersionOneFileIsOpenedWithoutTouchingIt) {
  MakeClientDatabase(1);
  sqlite_probe::FileSnapshot before(path_);
  TracedConfig store;
  store.Init(path_, nullptr);
  ASSERT_TRUE(store.Open());
  EXPECT_EQ((std::vector<std::string>{kTableLookup, "PRAGMA user_version"}), store.ran);
  ASSERT_TRUE(store.Close());
  EXPECT_TRUE(before.Unchanged());
}

TEST_F(StoreSqliteTest, StoredVersionsAboveZeroAreAccepted) {
  const struct { int version; bool accepted; } cases[] = {{1, true}, {2, true}, {7, true},
                                                          {0, false}, {-1, false}};
  for (const auto& c : cases) {
    DeleteFileW(path_.c_str());
    MakeClientDatabase(c.version);
    sqlite_probe::FileSnapshot before(path_);
    ConfigSqlite store;
    store.Init(path_, nullptr);
    EXPECT_EQ(c.accepted, store.Open()) << "version " << c.version;
    EXPECT_TRUE(store.Close());
    EXPECT_TRUE(before.Unchanged()) << "version " << c.version << " was changed by opening";
  }
}

TEST_F(StoreSqliteTest, TheConnectionRunsWithTheFixedPragmasAndKeepsItsLock) {
  MakeClientDatabase(1);
  TracedConfig store;
  store.Init(path_, nullptr);
  ASSERT_TRUE(store.Open());
  EXPECT_EQ("exclusive", store.Query("PRAGMA locking_mode"));
  EXPECT_EQ("8000", store.Query("PRAGMA cache_size"));
  EXPECT_EQ("0", store.Query("PRAGMA synchronous"));
  EXPECT_EQ("2", store.Query("PRAGMA temp_store"));

  // Once the store has read the file, nobody else can write it until the store closes.
  sqlite_probe::Connection other(path_);
  EXPECT_EQ(SQLITE_BUSY, other.Exec("DELETE FROM config"));
  ASSERT_TRUE(store.Close());
  EXPECT_EQ(SQLITE_OK, other.Exec("DELETE FROM config"));
}

TEST_F(StoreSqliteTest, ExecuteReportsWhetherTheStatementSucceeded) {
  ConfigSqlite store;
  store.Init(path_, nullptr);
  ASSERT_TRUE(store.Open());
  EXPECT_TRUE(store.Execute("INSERT INTO config VALUES ('a', 'b')"));
  EXPECT_FALSE(store.Execute("INSERT INTO config VALUES ('a', 'c')")) << "duplicate key";
  EXPECT_FALSE(store.Execute("SELECT FROM nowhere"));
  EXPECT_TRUE(store.ClearTables());
  EXPECT_FALSE(store.CreateTables()) << "the table exists already";
}

TEST_F(StoreSqliteTest, SetValueStoresTextAndRefusesAnEmptyKey) {
  ConfigSqlite store;
  store.Init(path_, nullptr);
  ASSERT_TRUE(store.Open());
  EXPECT_FALSE(store.SetValue("", "E:\\New"));
  EXPECT_TRUE(store.SetValue("k", "v1"));
  EXPECT_TRUE(store.SetValue("k", "v2"));
  ASSERT_TRUE(store.Close());
  EXPECT_EQ((std::vector<sqlite_probe::ConfigRow>{{"k", "v2", "text"}}),
            sqlite_probe::ConfigRows(path_));
}

// Something named "config" that is not a table: creating the table fails, and opening must
// neither succeed nor stamp a version on the file.
TEST_F(StoreSqliteTest, AFailedTableCreationFailsTheOpenAndLeavesTheFileAsItWas) {
  ASSERT_TRUE(sqlite_probe::Exec(path_, "CREATE VIEW config AS SELECT 1 AS key, 2 AS value"));
  sqlite_probe::FileSnapshot before(path_);
  TracedConfig store;
  store.Init(path_, nullptr);
  EXPECT_FALSE(store.Open());
  EXPECT_EQ("ROLLBACK", store.ran.back());
  EXPECT_TRUE(store.Close());
  EXPECT_TRUE(before.Unchanged());
  EXPECT_EQ(0, sqlite_probe::UserVersion(path_));
}

TEST_F(StoreSqliteTest, DeleteFilesClosesAndRemovesTheDatabase) {
  ConfigSqlite store;
  store.Init(path_, nullptr);
  ASSERT_TRUE(store.Open());
  EXPECT_TRUE(store.DeleteFiles());
  EXPECT_FALSE(store.is_open());
  EXPECT_FALSE(test_support::FileExists(path_));
  EXPECT_TRUE(store.DeleteFiles()) << "nothing left to delete is fine";
}

TEST_F(StoreSqliteTest, TableExistsLooksInTheNamedDatabase) {
  MakeClientDatabase(1);
  sqlite_probe::Connection probe(path_);
  EXPECT_TRUE(TableExists(probe.get(), nullptr, "config"));
  EXPECT_TRUE(TableExists(probe.get(), "", "config"));
  EXPECT_TRUE(TableExists(probe.get(), "main", "config"));
  EXPECT_FALSE(TableExists(probe.get(), "main", "other"));
  EXPECT_FALSE(TableExists(probe.get(), "temp", "config"));
  EXPECT_FALSE(TableExists(probe.get(), "nosuchdb", "config")) << "a failed preparation is false";
}

}  // namespace
