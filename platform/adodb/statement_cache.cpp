#include <platform/adodb/statement_cache.h>

#include <sqlite3.h>

namespace adodb::internal {

sqlite3_stmt* StatementCache::Take(const std::string& sql) {
    for (size_t i = kept_.size(); i-- > 0;) {
        if (kept_[i].first == sql) {
            sqlite3_stmt* statement = kept_[i].second;
            kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(i));
            return statement;
        }
    }
    return nullptr;
}

void StatementCache::Keep(const std::string& sql, sqlite3_stmt* statement) {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (capacity_ == 0) {
        sqlite3_finalize(statement);
        return;
    }
    if (kept_.size() >= capacity_) {
        sqlite3_finalize(kept_.front().second);
        kept_.erase(kept_.begin());
    }
    kept_.emplace_back(sql, statement);
}

void StatementCache::Clear() {
    for (auto& [sql, statement] : kept_) sqlite3_finalize(statement);
    kept_.clear();
}

}  // namespace adodb::internal
