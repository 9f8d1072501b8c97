#pragma once
// The prepared statements of one SQLite connection, kept by their SQL text for the next Execute
// of the same text. Preparing a statement parses and plans it, which costs more than running a
// short query; a connection that stays open runs the same few queries again and again. Internal
// to the connection.
//
// A statement is kept only after it ran to its end, so a kept one holds no read transaction and
// every run sees what other connections committed. A change of the schema, by this connection or
// another, makes SQLite prepare a kept statement again at its next step.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct sqlite3_stmt;

namespace adodb::internal {

class StatementCache {
  public:
    explicit StatementCache(size_t capacity = 32) : capacity_(capacity) {}
    ~StatementCache() { Clear(); }
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The kept statement for `sql`, taken out of the cache: reset, with no parameter bound.
    // Nothing when none is kept.
    sqlite3_stmt* Take(const std::string& sql);
    // Keeps a statement that ran to its end for the next Take of `sql` (it is reset and its
    // parameters cleared here); the one used least recently is finalized when the cache is full.
    void Keep(const std::string& sql, sqlite3_stmt* statement);
    // Finalizes every kept statement (before the connection closes).
    void Clear();

  private:
    size_t capacity_;
    std::vector<std::pair<std::string, sqlite3_stmt*>> kept_;  // the most recently kept last
};

}  // namespace adodb::internal
