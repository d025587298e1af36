#include "database/statement_cache.h"

#include <sqlite3.h>

#include "base/logging.h"

SqlStatement* StatementCache::GetStatement(const char* file, int line, const char* sql) {
  CallSite site(line, file);
  auto found = statements_.find(site);
  if (found != statements_.end()) return found->second.get();
  if (!sql || !db_) return nullptr;

  auto statement = std::make_unique<SqlStatement>();
  if (statement->Prepare(db_, sql) != SQLITE_OK) {
    LOG(WARNING) << "Cannot prepare \"" << sql << "\": " << sqlite3_errmsg(db_);
    return nullptr;
  }
  SqlStatement* prepared = statement.get();
  statements_.emplace(std::move(site), std::move(statement));
  return prepared;
}

void StatementCache::Clear() {
  statements_.clear();  // each statement finalizes itself
  db_ = nullptr;
}
