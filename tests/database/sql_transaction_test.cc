// Transactions on a real database file: what runs, what stays, and what rolls back.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "database/sql_transaction.h"
#include "database/store_sqlite.h"
#include "sqlite_probe.h"
#include "support/test_support.h"

namespace {

class SQLTransactionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Join(L"transactions.db");
    ASSERT_TRUE(sqlite_probe::Exec(path_, "CREATE TABLE t (v); INSERT INTO t VALUES (1)"));
    ASSERT_EQ(SQLITE_OK, OpenConnection(path_, &db_));
    sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &Record, &ran_);
  }
  void TearDown() override { sqlite3_close(db_); }

  static int Record(unsigned, void* ran, void*, void* sql) {
    static_cast<std::vector<std::string>*>(ran)->push_back(static_cast<const char*>(sql));
    return 0;
  }
  // Rows of t as another connection sees them.
  std::string CommittedRows() {
    return sqlite_probe::Connection(path_).QueryText("SELECT group_concat(v) FROM t");
  }
  void Insert(int value) {
    std::string sql = "INSERT INTO t VALUES (" + std::to_string(value) + ")";
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr));
  }

  test_support::TempDir dir_;
  std::wstring path_;
  sqlite3* db_ = nullptr;
  std::vector<std::string> ran_;
};

TEST_F(SQLTransactionTest, EndingWhatWasNeverBegunReturnsOneAndRunsNothing) {
  SQLTransaction transaction(db_);
  EXPECT_EQ(1, transaction.Commit());
  EXPECT_EQ(1, transaction.Rollback());
  EXPECT_EQ(1, transaction.RunEnd("COMMIT"));
  EXPECT_TRUE(ran_.empty()) << ran_.front();

  SQLTransaction without_connection(nullptr);
  EXPECT_EQ(1, without_connection.Begin());
  EXPECT_FALSE(without_connection.began());
}

TEST_F(SQLTransactionTest, ABegunTransactionRollsBackWithItsScope) {
  {
    SQLTransaction transaction(db_);
    ASSERT_EQ(SQLITE_OK, transaction.Begin());
    EXPECT_TRUE(transaction.began());
    EXPECT_EQ(1, transaction.Begin()) << "begun at most once";
    Insert(2);
  }
  EXPECT_EQ((std::vector<std::string>{"BEGIN IMMEDIATE", "INSERT INTO t VALUES (2)", "ROLLBACK"}),
            ran_);
  EXPECT_TRUE(sqlite3_get_autocommit(db_));
  EXPECT_EQ("1", CommittedRows());
}

TEST_F(SQLTransactionTest, ACommittedTransactionKeepsItsWorkAndIsOver) {
  {
    SQLTransaction transaction(db_);
    ASSERT_EQ(SQLITE_OK, transaction.Begin());
    Insert(2);
    EXPECT_EQ(SQLITE_OK, transaction.Commit());
    EXPECT_FALSE(transaction.began());
    EXPECT_EQ(1, transaction.Rollback());
  }
  EXPECT_EQ("COMMIT", ran_.back()) << "nothing ran after the commit";
  EXPECT_EQ("1,2", CommittedRows());
}

TEST_F(SQLTransactionTest, AFailedCommitStaysBegunAndRollsBackWithItsScope) {
  {
    SQLTransaction transaction(db_);
    ASSERT_EQ(SQLITE_OK, transaction.Begin());
    Insert(2);
    {
      // A reader in the middle of a query keeps the writer from committing.
      sqlite_probe::Connection reader(path_);
      sqlite3_stmt* reading = nullptr;
      ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(reader.get(), "SELECT v FROM t", -1, &reading, nullptr));
      ASSERT_EQ(SQLITE_ROW, sqlite3_step(reading));
      EXPECT_EQ(SQLITE_BUSY, transaction.Commit());
      EXPECT_TRUE(transaction.began());
      sqlite3_finalize(reading);
    }
  }
  EXPECT_EQ("ROLLBACK", ran_.back());
  EXPECT_TRUE(sqlite3_get_autocommit(db_));
  EXPECT_EQ("1", CommittedRows());
}

}  // namespace
