// Prepared statements of one connection, one per place in the code that runs them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "database/sql_statement.h"

struct sqlite3;

// The call site that owns a cached statement: pass it where the statement runs.
#define SQL_FROM_HERE __FILE__, __LINE__

class StatementCache {
 public:
  explicit StatementCache(sqlite3* db) : db_(db) {}
  ~StatementCache() { Clear(); }
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The statement of the call site (`file`, `line`). Prepared from `sql` on first use; the text is
  // not compared afterwards. Null when the site has none yet and `sql` is null or fails to prepare.
  SqlStatement* GetStatement(const char* file, int line, const char* sql);
  // Finalizes every statement and forgets the connection.
  void Clear();

 private:
  // Ordered by line first, then by file name.
  using CallSite = std::pair<int, std::string>;

  sqlite3* db_;
  std::map<CallSite, std::unique_ptr<SqlStatement>> statements_;
};

// A statement taken from the cache for one scope; leaving the scope resets it (its bindings stay)
// so the next use of the call site starts afresh.
class CachedStatement {
 public:
  CachedStatement(StatementCache* cache, const char* file, int line, const char* sql)
      : statement_(cache ? cache->GetStatement(file, line, sql) : nullptr) {}
  ~CachedStatement() {
    if (statement_) statement_->Reset();
  }
  CachedStatement(const CachedStatement&) = delete;
  CachedStatement& operator=(const CachedStatement&) = delete;

  bool is_valid() const { return statement_ != nullptr; }
  SqlStatement* get() const { return statement_; }
  SqlStatement* operator->() const { return statement_; }

 private:
  SqlStatement* statement_;
};
