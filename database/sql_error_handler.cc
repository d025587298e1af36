#include "database/sql_error_handler.h"

#include "base/lazy_instance.h"

namespace {

base::LazyInstance<DefaultSQLErrorHandlerFactory> g_default_factory;

}  // namespace

int ReleaseSQLErrorHandler::ReportError(int code, sqlite3* db) {
  last_error_code_ = code;
  return code;
}

DefaultSQLErrorHandlerFactory* DefaultSQLErrorHandlerFactory::GetInstance() {
  return g_default_factory.Pointer();
}

DefaultSQLErrorHandlerFactory::~DefaultSQLErrorHandlerFactory() {
  for (SQLErrorHandler* handler : handlers_) delete handler;
}

SQLErrorHandler* DefaultSQLErrorHandlerFactory::CreateHandler() {
  SQLErrorHandler* handler = new ReleaseSQLErrorHandler();
  base::AutoLock hold(lock_);
  handlers_.push_back(handler);
  return handler;
}

size_t DefaultSQLErrorHandlerFactory::HandlerCount() {
  base::AutoLock hold(lock_);
  return handlers_.size();
}

int ReportSqlError(int code, sqlite3* db) {
  return DefaultSQLErrorHandlerFactory::GetInstance()->CreateHandler()->ReportError(code, db);
}
