#include <components/erp_database/sqlite_database.h>

#include <sqlite3.h>

#include <stdexcept>

namespace client::erp_database {

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db), sql_(sql) {
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
        Fail("prepare");
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(other.stmt_), sql_(std::move(other.sql_)) {
    other.stmt_ = nullptr;
}

void Statement::Fail(const std::string& what) const {
    throw std::runtime_error("SQLite " + what + " failed: " + sqlite3_errmsg(db_) + " in: " + sql_);
}

void Statement::Bind(const std::vector<SqlValue>& values) {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    if (static_cast<int>(values.size()) != sqlite3_bind_parameter_count(stmt_)) {
        throw std::runtime_error("Wrong number of values for: " + sql_);
    }
    for (size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const SqlValue& value = values[i];
        int rc = SQLITE_OK;
        if (std::holds_alternative<int64_t>(value)) {
            rc = sqlite3_bind_int64(stmt_, index, std::get<int64_t>(value));
        } else if (std::holds_alternative<double>(value)) {
            rc = sqlite3_bind_double(stmt_, index, std::get<double>(value));
        } else if (std::holds_alternative<std::string>(value)) {
            const std::string& text = std::get<std::string>(value);
            rc = sqlite3_bind_text(stmt_, index, text.c_str(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_null(stmt_, index);
        }
        if (rc != SQLITE_OK) Fail("bind");
    }
}

void Statement::Run(const std::vector<SqlValue>& values) {
    Bind(values);
    int rc;
    while ((rc = sqlite3_step(stmt_)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) Fail("step");
    sqlite3_reset(stmt_);
}

bool Statement::Query(const std::vector<SqlValue>& values) {
    Bind(values);
    return Next();
}

bool Statement::Next() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Fail("step");
    return false;
}

int64_t Statement::ColumnInt(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::ColumnText(int column) const {
    const auto* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

void Statement::Reset() { sqlite3_reset(stmt_); }

SqliteDatabase::SqliteDatabase(const std::string& path, bool create) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw std::runtime_error("Cannot open the database " + path + ": " + message);
    }
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

void SqliteDatabase::Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw std::runtime_error("SQLite failed: " + message);
    }
}

Statement SqliteDatabase::Prepare(const std::string& sql) { return Statement(db_, sql); }

int64_t SqliteDatabase::QueryInt(const std::string& sql) {
    Statement statement(db_, sql);
    return statement.Query({}) ? statement.ColumnInt(0) : 0;
}

}  // namespace client::erp_database
