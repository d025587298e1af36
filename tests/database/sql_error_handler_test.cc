// The error handlers and the process-wide factory that every failing statement goes through.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "database/sql_error_handler.h"
#include "database/sql_statement.h"
#include "database/store_sqlite.h"
#include "support/test_support.h"

namespace {

TEST(SQLErrorHandler, ReleaseHandlerKeepsTheCodeAndPassesItOn) {
  ReleaseSQLErrorHandler handler;
  EXPECT_EQ(0, handler.LastErrorCode());
  EXPECT_EQ(SQLITE_BUSY, handler.ReportError(SQLITE_BUSY, nullptr));
  EXPECT_EQ(SQLITE_BUSY, handler.LastErrorCode());
  EXPECT_EQ(SQLITE_CORRUPT, handler.ReportError(SQLITE_CORRUPT, nullptr));
  EXPECT_EQ(SQLITE_CORRUPT, handler.LastErrorCode());
}

TEST(SQLErrorHandler, TheFactoryIsOneInstanceThatKeepsANewHandlerPerRequest) {
  DefaultSQLErrorHandlerFactory* factory = DefaultSQLErrorHandlerFactory::GetInstance();
  ASSERT_NE(nullptr, factory);
  EXPECT_EQ(factory, DefaultSQLErrorHandlerFactory::GetInstance());

  size_t before = factory->HandlerCount();
  SQLErrorHandler* first = factory->CreateHandler();
  SQLErrorHandler* second = factory->CreateHandler();
  ASSERT_NE(nullptr, first);
  EXPECT_NE(first, second);
  EXPECT_NE(nullptr, dynamic_cast<ReleaseSQLErrorHandler*>(first));
  EXPECT_EQ(0, second->LastErrorCode());
  EXPECT_EQ(before + 2, factory->HandlerCount());
}

TEST(SQLErrorHandler, EveryFailedPreparationOrStepLeavesOneHandler) {
  test_support::TempDir dir;
  sqlite3* db = nullptr;
  ASSERT_EQ(SQLITE_OK, OpenConnection(dir.Join(L"errors.db"), &db));
  ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "CREATE TABLE t (k PRIMARY KEY)", nullptr, nullptr, nullptr));
  DefaultSQLErrorHandlerFactory* factory = DefaultSQLErrorHandlerFactory::GetInstance();
  {
    size_t before = factory->HandlerCount();
    SqlStatement statement;
    EXPECT_EQ(SQLITE_ERROR, statement.Prepare(db, "SELECT FROM nowhere"));
    EXPECT_FALSE(statement.is_valid());
    EXPECT_EQ(before + 1, factory->HandlerCount());

    ASSERT_EQ(SQLITE_OK, statement.Prepare(db, "INSERT INTO t VALUES (1)"));
    EXPECT_EQ(SQLITE_DONE, statement.Step());
    EXPECT_EQ(before + 1, factory->HandlerCount()) << "success makes no handler";
    statement.Reset();
    EXPECT_EQ(SQLITE_CONSTRAINT, statement.Step());
    EXPECT_EQ(before + 2, factory->HandlerCount());
  }
  sqlite3_close(db);
}

}  // namespace
