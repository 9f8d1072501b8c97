#pragma once
// What a connection needs of the database engine behind it: SQLite (a file) or PostgreSQL (a
// server). The connection keeps ADO's behaviour the same on both; an engine runs statements and
// turns what its database returns into record sets. Internal to the connection.

#include <platform/adodb/connection.h>
#include <platform/adodb/connection_string.h>

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace adodb::internal {

// How long a statement waits for a lock another program holds before it fails as "locked".
inline constexpr int kLockWaitSeconds = 5;
// How long a statement may run on a server unless the address or the server says otherwise, and
// how much longer the engine waits for its answer before it takes the server for frozen.
inline constexpr int kStatementLimitMs = 8000;
inline constexpr int kAnswerGraceMs = 2000;

class Engine {
  public:
    virtual ~Engine() = default;

    // One statement, parameters bound to its "?" in order. A statement that returns columns gives
    // an open record set; any other a closed one, with the rows it changed in `recordsAffected`.
    virtual RecordsetPtr Execute(const std::string& sql,
                                 const std::vector<automation::Variant>& parameters,
                                 int64_t& recordsAffected) = 0;
    // Several statements as one change: a failing one takes back those before it.
    virtual void ExecuteScript(const std::string& sql) = 0;
    // Rows for `table` in one go, far faster than INSERT statements; every row has a value for
    // each column, in order. Fails as a whole, leaving the table as it was.
    virtual void BulkInsert(const std::string& table, const std::vector<std::string>& columns,
                            const std::vector<std::vector<automation::Variant>>& rows) = 0;

    // See Connection::DatabaseStamp, DatabaseIdentity and TransactionStamp.
    virtual Connection::Stamp DatabaseStamp() = 0;
    virtual std::string DatabaseIdentity() { return DatabaseStamp().identity; }
    virtual Connection::Stamp TransactionStamp() { return DatabaseStamp(); }
    virtual bool InTransaction() const = 0;
    // See Connection::CommandTimeout.
    virtual void SetCommandTimeout(int32_t seconds) = 0;
    virtual int32_t CommandTimeout() const = 0;
    virtual DatabaseEngine Kind() const = 0;
    virtual sqlite3* SqliteHandle() const { return nullptr; }
};

std::unique_ptr<Engine> OpenSqliteEngine(const ConnectionSettings& settings);
std::unique_ptr<Engine> OpenPostgresEngine(const ConnectionSettings& settings);

// The failure texts both engines share: the statement quoted after a description, cut short.
std::string Excerpt(const std::string& sql);
[[noreturn]] void Fail(int32_t number, const std::string& description);
// The statement's "?" count is not the count of parameters given (error 3001).
[[noreturn]] void FailParameterCount(int expected, size_t given, const std::string& sql);
// Execute was given more than one statement (error 3001).
[[noreturn]] void FailSeveralStatements(const std::string& sql);
// A provider failure: the cause in words a user can act on opens the description.
[[noreturn]] void FailWithCause(FailureCause cause, const std::string& what,
                                const std::string& message, const std::string& sql);

}  // namespace adodb::internal
