#pragma once
// A thin owner of a SQLite connection and its prepared statements, for the code that builds ERP
// databases in bulk (schema, templates, demo and fixture data). Reading for the tracking views
// goes through adodb::Connection instead.
//
// Failures throw std::runtime_error with SQLite's message and the statement that failed.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace client::erp_database {

// A value bound to a statement parameter.
using SqlValue = std::variant<std::nullptr_t, int64_t, double, std::string>;

class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement(Statement&& other) noexcept;

    // Binds the values to ?1..?n, runs the statement to its end and resets it for the next use.
    void Run(const std::vector<SqlValue>& values);
    // Binds, then steps once; true when a row is there (read it with the Column functions).
    bool Query(const std::vector<SqlValue>& values);
    bool Next();
    int64_t ColumnInt(int column) const;
    std::string ColumnText(int column) const;
    void Reset();

  private:
    void Bind(const std::vector<SqlValue>& values);
    [[noreturn]] void Fail(const std::string& what) const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
};

class SqliteDatabase {
  public:
    // Opens (and creates, when `create` is set) the database file.
    SqliteDatabase(const std::string& path, bool create);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Runs a script of statements without parameters.
    void Exec(const std::string& sql);
    Statement Prepare(const std::string& sql);
    // One integer from a query without parameters (0 when it returns no row).
    int64_t QueryInt(const std::string& sql);

    sqlite3* Handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

}  // namespace client::erp_database
