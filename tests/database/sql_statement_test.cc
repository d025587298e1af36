// Prepared statements, the per-call-site cache and the scope holder, on a real database file.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "database/statement_cache.h"
#include "database/store_sqlite.h"
#include "support/test_support.h"

namespace {

const char kChinese[] = "\xE6\xBE\x84\xE8\x88\x9F";  // 澄舟

class SqlStatementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SQLITE_OK, OpenConnection(dir_.Join(L"statements.db"), &db_));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db_, "CREATE TABLE t (k TEXT PRIMARY KEY, v)", nullptr,
                                      nullptr, nullptr));
  }
  void TearDown() override { EXPECT_EQ(SQLITE_OK, sqlite3_close(db_)) << "statements left open"; }

  test_support::TempDir dir_;
  sqlite3* db_ = nullptr;
};

TEST_F(SqlStatementTest, BoundValuesReadBackByTheirKind) {
  SqlStatement insert;
  ASSERT_EQ(SQLITE_OK, insert.Prepare(db_, "INSERT INTO t (k, v) VALUES (?, ?)"));
  auto insert_row = [&insert](const char* key, auto bind_value) {
    insert.Reset();
    ASSERT_EQ(SQLITE_OK, insert.BindText(0, key));
    ASSERT_EQ(SQLITE_OK, bind_value(1));
    ASSERT_EQ(SQLITE_DONE, insert.Step()) << key;
    EXPECT_EQ(1, insert.Changes());
  };
  const std::string blob("\0\x01\xFF", 3);
  insert_row("text", [&](int i) { return insert.BindText(i, kChinese); });
  insert_row("wide", [&](int i) { return insert.BindWideText(i, L"\u6F84\u821F"); });
  insert_row("blob", [&](int i) { return insert.BindBlob(i, blob.data(), 3); });
  insert_row("int", [&](int i) { return insert.BindInt(i, -7); });
  insert_row("int64", [&](int i) { return insert.BindInt64(i, int64_t{1} << 40); });
  insert_row("double", [&](int i) { return insert.BindDouble(i, 2.5); });
  insert_row("bool", [&](int i) { return insert.BindBool(i, true); });
  insert_row("null", [&](int i) { return insert.BindNull(i); });
  EXPECT_EQ(8, insert.LastInsertRowId());

  SqlStatement select;
  ASSERT_EQ(SQLITE_OK, select.Prepare(db_, "SELECT v, typeof(v) FROM t WHERE k=?"));
  EXPECT_EQ(2, select.ColumnCount());
  auto row = [&select](const char* key) {
    select.Reset();
    select.BindText(0, key);
    EXPECT_EQ(SQLITE_ROW, select.Step()) << key;
    std::string type;
    select.ColumnText(1, &type);
    return type;
  };
  std::string text;
  std::wstring wide;

  EXPECT_EQ("text", row("text"));
  EXPECT_TRUE(select.ColumnText(0, &text));
  EXPECT_EQ(kChinese, text);
  EXPECT_EQ("text", row("wide"));
  EXPECT_TRUE(select.ColumnWideText(0, &wide));
  EXPECT_EQ(L"\u6F84\u821F", wide);
  EXPECT_TRUE(select.ColumnText(0, &text));
  EXPECT_EQ(kChinese, text) << "wide text is stored as UTF-8";
  EXPECT_EQ("blob", row("blob"));
  EXPECT_TRUE(select.ColumnBlob(0, &text));
  EXPECT_EQ(blob, text);
  EXPECT_EQ("integer", row("int"));
  EXPECT_EQ(-7, select.ColumnInt(0));
  EXPECT_EQ("integer", row("int64"));
  EXPECT_EQ(int64_t{1} << 40, select.ColumnInt64(0));
  EXPECT_EQ("real", row("double"));
  EXPECT_EQ(2.5, select.ColumnDouble(0));
  EXPECT_EQ("integer", row("bool"));
  EXPECT_TRUE(select.ColumnBool(0));
  EXPECT_EQ("null", row("null"));
  text = "stale";
  EXPECT_FALSE(select.ColumnText(0, &text)) << "a null column reads as false";
  EXPECT_EQ("", text);
  EXPECT_FALSE(select.ColumnBlob(0, &text));
}

TEST_F(SqlStatementTest, EveryCallSiteOwnsItsStatement) {
  StatementCache cache(db_);
  const char sql[] = "SELECT count(*) FROM t";
  SqlStatement* here = cache.GetStatement("store.cc", 10, sql);
  ASSERT_NE(nullptr, here);
  EXPECT_NE(here, cache.GetStatement("store.cc", 11, sql)) << "same SQL, another line";
  EXPECT_NE(here, cache.GetStatement("config.cc", 10, sql)) << "same SQL, another file";
  EXPECT_EQ(here, cache.GetStatement("store.cc", 10, "SELECT 1")) << "the SQL is not compared";
  EXPECT_EQ(here, cache.GetStatement("store.cc", 10, nullptr));
  EXPECT_EQ(nullptr, cache.GetStatement("store.cc", 12, nullptr)) << "no SQL, nothing to prepare";

  EXPECT_EQ(nullptr, cache.GetStatement("store.cc", 13, "SELECT FROM nowhere"));
  EXPECT_NE(nullptr, cache.GetStatement("store.cc", 13, sql)) << "a failed preparation is not kept";

  cache.Clear();
  EXPECT_EQ(nullptr, sqlite3_next_stmt(db_, nullptr)) << "clearing finalizes every statement";
  EXPECT_EQ(nullptr, cache.GetStatement("store.cc", 10, sql)) << "a cleared cache has no connection";
}

// One call site, used twice.
int CountRowsWithKey(StatementCache* cache, const char* key_or_null) {
  CachedStatement statement(cache, SQL_FROM_HERE, "SELECT count(*) FROM t WHERE k=?");
  if (!statement.is_valid()) return -1;
  if (key_or_null) statement->BindText(0, key_or_null);
  if (statement->Step() != SQLITE_ROW) return -2;
  return statement->ColumnInt(0);
}

TEST_F(SqlStatementTest, ACachedStatementIsResetWithItsScopeAndKeepsItsBindings) {
  ASSERT_EQ(SQLITE_OK, sqlite3_exec(db_, "INSERT INTO t VALUES ('a', 1)", nullptr, nullptr, nullptr));
  StatementCache cache(db_);
  EXPECT_EQ(1, CountRowsWithKey(&cache, "a"));
  // Stepping again gives a row again, so the statement was reset; the key is still bound.
  EXPECT_EQ(1, CountRowsWithKey(&cache, nullptr));
  EXPECT_EQ(0, CountRowsWithKey(&cache, "b"));

  CachedStatement without_sql(&cache, "elsewhere.cc", 1, nullptr);
  EXPECT_FALSE(without_sql.is_valid());
  CachedStatement without_cache(nullptr, SQL_FROM_HERE, "SELECT 1");
  EXPECT_FALSE(without_cache.is_valid());
}

}  // namespace
