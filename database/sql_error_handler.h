// Error handlers that record SQLite result codes, and the process-wide factory that makes them.
#pragma once

#include <stddef.h>

#include <list>

#include "base/synchronization/lock.h"

struct sqlite3;

class SQLErrorHandler {
 public:
  virtual ~SQLErrorHandler() = default;
  // Takes note of `code` from `db`; returns the code to pass on.
  virtual int ReportError(int code, sqlite3* db) = 0;
  virtual int LastErrorCode() const = 0;
};

class VanillaSQLErrorHandler : public SQLErrorHandler {
 public:
  int LastErrorCode() const override { return last_error_code_; }

 protected:
  int last_error_code_ = 0;
};

// Keeps the code and passes it on unchanged.
class ReleaseSQLErrorHandler : public VanillaSQLErrorHandler {
 public:
  int ReportError(int code, sqlite3* db) override;
};

class SQLErrorHandlerFactory {
 public:
  virtual ~SQLErrorHandlerFactory() = default;
  virtual SQLErrorHandler* CreateHandler() = 0;
};

// The process-wide factory. It keeps every handler it made and deletes them when it is
// destroyed at process exit.
class DefaultSQLErrorHandlerFactory : public SQLErrorHandlerFactory {
 public:
  static DefaultSQLErrorHandlerFactory* GetInstance();

  DefaultSQLErrorHandlerFactory() = default;
  ~DefaultSQLErrorHandlerFactory() override;
  DefaultSQLErrorHandlerFactory(const DefaultSQLErrorHandlerFactory&) = delete;
  DefaultSQLErrorHandlerFactory& operator=(const DefaultSQLErrorHandlerFactory&) = delete;

  // A new ReleaseSQLErrorHandler, kept in the list.
  SQLErrorHandler* CreateHandler() override;
  size_t HandlerCount();

 private:
  base::Lock lock_;
  std::list<SQLErrorHandler*> handlers_;
};

// Passes a failing result of `db` through a new handler of the default factory; returns the
// code to pass on.
int ReportSqlError(int code, sqlite3* db);
