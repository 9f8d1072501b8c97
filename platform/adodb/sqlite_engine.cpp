// The SQLite engine: an embedded database file, opened with a busy timeout so that a writer in
// another program is waited for a while before a statement fails as "locked".

#include <platform/adodb/engine.h>
#include <platform/adodb/sqlite_result.h>
#include <platform/adodb/statement_cache.h>
#include <platform/adodb/value_rules.h>
#include <platform/automation/errors.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>

namespace adodb::internal {

using automation::Variant;
using automation::VarType;

namespace {

constexpr int kBusyTimeoutMs = 5000;
static_assert(kBusyTimeoutMs == kLockWaitSeconds * 1000, "the locked text names the wait");

FailureCause CauseOf(int code, const std::string& message) {
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return FailureCause::Locked;
        case SQLITE_CORRUPT:
            return FailureCause::Damaged;
        case SQLITE_NOTADB:
            return FailureCause::NotADatabase;
        case SQLITE_READONLY:
            return FailureCause::ReadOnly;
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return FailureCause::CannotOpen;
        case SQLITE_FULL:
            return FailureCause::DiskFull;
        case SQLITE_IOERR:
            return FailureCause::InputOutput;
        default:
            break;
    }
    if (message.rfind("no such table", 0) == 0) return FailureCause::MissingTable;
    if (message.rfind("no such column", 0) == 0) return FailureCause::MissingColumn;
    return FailureCause::Other;
}

[[noreturn]] void FailFromSqlite(sqlite3* db, const std::string& what, const std::string& sql) {
    const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    FailWithCause(db ? CauseOf(sqlite3_extended_errcode(db), message) : FailureCause::Other, what,
                  message, sql);
}

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

bool IsBlankTail(const char* tail) {
    for (; *tail; ++tail)
        if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';') return false;
    return true;
}

void Bind(sqlite3* db, sqlite3_stmt* statement, int index, const Variant& value,
          const std::string& sql) {
    int rc = SQLITE_OK;
    switch (value.Type()) {
        case VarType::Empty:
        case VarType::Null:
            rc = sqlite3_bind_null(statement, index);
            break;
        case VarType::Boolean:
            rc = sqlite3_bind_int(statement, index, value.AsBoolean() ? 1 : 0);
            break;
        case VarType::Integer:
        case VarType::Long:
            rc = sqlite3_bind_int64(statement, index,
                                    static_cast<sqlite3_int64>(*value.NumericValue()));
            break;
        case VarType::Single:
        case VarType::Double:
            rc = sqlite3_bind_double(statement, index, *value.NumericValue());
            break;
        case VarType::Date: {
            const std::string text = FormatDateText(value.AsDate(), true);
            rc = sqlite3_bind_text(statement, index, text.c_str(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        case VarType::String: {
            const std::string& text = value.AsString();
            rc = sqlite3_bind_text(statement, index, text.c_str(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        case VarType::Object:
            Fail(adoerr::InvalidArgument, "Parameter " + std::to_string(index) +
                                              " is an object, which cannot be bound to SQL.");
    }
    if (rc != SQLITE_OK) FailFromSqlite(db, "A parameter could not be bound", sql);
}

class SqliteEngine final : public Engine {
  public:
    SqliteEngine(sqlite3* db, std::string dataSource, bool readOnly)
        : db_(db), dataSource_(std::move(dataSource)), readOnly_(readOnly) {}
    ~SqliteEngine() override {
        statements_.Clear();
        sqlite3_close_v2(db_);
    }

    RecordsetPtr Execute(const std::string& sql, const std::vector<Variant>& parameters,
                         int64_t& recordsAffected) override {
        if (sql == "COMMIT" || sql == "ROLLBACK") callStamp_.reset();
        // A query this connection ran before is taken prepared from the cache; it passed the
        // checks of Prepare when it was first prepared. A kept statement that fails is run once
        // more, prepared anew, so that a failure (a table dropped meanwhile) reads as it does on
        // a first run.
        for (bool fromCache = true;; fromCache = false) {
            Statement statement(fromCache ? statements_.Take(sql) : nullptr);
            const bool kept = statement != nullptr;
            if (!kept) statement = Prepare(sql);
            const int expected = sqlite3_bind_parameter_count(statement.get());
            if (expected != static_cast<int>(parameters.size()))
                FailParameterCount(expected, parameters.size(), sql);
            for (size_t i = 0; i < parameters.size(); ++i)
                Bind(db_, statement.get(), static_cast<int>(i + 1), parameters[i], sql);

            if (sqlite3_column_count(statement.get()) == 0) {
                const int rc = sqlite3_step(statement.get());
                if (rc != SQLITE_DONE && rc != SQLITE_ROW)
                    FailFromSqlite(db_, "The statement failed", sql);
                recordsAffected = sqlite3_changes64(db_);
                // BEGIN and COMMIT of a reader's transaction are kept like its queries.
                if (sqlite3_stmt_readonly(statement.get()))
                    statements_.Keep(sql, statement.release());
                return std::make_shared<Recordset>();  // closed: the statement returns no rows
            }
            int rc = SQLITE_OK;
            RecordsetPtr rows = ReadRows(statement.get(), rc);
            if (!rows && kept) continue;
            if (!rows) FailFromSqlite(db_, "The statement failed", sql);
            // Only statements that read are kept: they ran to their end and hold nothing.
            if (sqlite3_stmt_readonly(statement.get())) statements_.Keep(sql, statement.release());
            return rows;
        }
    }

    void ExecuteScript(const std::string& sql) override {
        // A savepoint makes the script one change: a failing statement takes back the ones
        // before it.
        int64_t ignored = 0;
        Execute("SAVEPOINT adodb_script", {}, ignored);
        try {
            RunScript(ToSqliteDialect(sql));
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK TO adodb_script; RELEASE adodb_script", nullptr, nullptr,
                         nullptr);
            throw;
        }
        Execute("RELEASE adodb_script", {}, ignored);
    }

    void BulkInsert(const std::string& table, const std::vector<std::string>& columns,
                    const std::vector<std::vector<Variant>>& rows) override {
        std::string sql = "INSERT INTO \"" + table + "\" (";
        std::string marks;
        for (size_t i = 0; i < columns.size(); ++i) {
            sql += (i ? ", \"" : "\"") + columns[i] + "\"";
            marks += i ? ", ?" : "?";
        }
        sql += ") VALUES (" + marks + ")";
        int64_t ignored = 0;
        Execute("SAVEPOINT adodb_bulk", {}, ignored);
        try {
            Statement statement = Prepare(sql);
            for (const auto& row : rows) {
                for (size_t i = 0; i < row.size(); ++i)
                    Bind(db_, statement.get(), static_cast<int>(i + 1), row[i], sql);
                if (sqlite3_step(statement.get()) != SQLITE_DONE)
                    FailFromSqlite(db_, "A row could not be inserted", sql);
                sqlite3_reset(statement.get());
            }
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK TO adodb_bulk; RELEASE adodb_bulk", nullptr, nullptr,
                         nullptr);
            throw;
        }
        Execute("RELEASE adodb_bulk", {}, ignored);
    }

    Connection::Stamp DatabaseStamp() override {
        if (dataSource_ == ":memory:") return {"memory", "memory"};
        struct stat file {};
        if (::stat(dataSource_.c_str(), &file) != 0) return {};
        Connection::Stamp result;
        result.identity = std::to_string(file.st_dev) + ":" + std::to_string(file.st_ino);
        result.stamp = result.identity + ":" + StampOf(file);
        // A database in WAL mode takes its commits into the -wal file first.
        const std::string wal = dataSource_ + "-wal";
        if (::stat(wal.c_str(), &file) == 0) result.stamp += "/" + StampOf(file);
        return result;
    }

    // A call that checks the file's identity just before its transaction and its stamp within it
    // looks at the file once: the stamp read with the identity holds until the transaction ends.
    std::string DatabaseIdentity() override {
        callStamp_ = DatabaseStamp();
        return callStamp_->identity;
    }
    Connection::Stamp TransactionStamp() override {
        if (!InTransaction()) return DatabaseStamp();
        if (!callStamp_) callStamp_ = DatabaseStamp();
        return *callStamp_;
    }

    bool InTransaction() const override { return !sqlite3_get_autocommit(db_); }
    DatabaseEngine Kind() const override { return DatabaseEngine::SQLite; }
    // A file of this machine answers; the limit is kept for the caller only.
    void SetCommandTimeout(int32_t seconds) override { commandTimeout_ = seconds; }
    int32_t CommandTimeout() const override { return commandTimeout_; }
    sqlite3* SqliteHandle() const override { return db_; }

  private:
    Statement Prepare(const std::string& sql) {
        const std::string text = ToSqliteDialect(sql);
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(db_, text.c_str(), static_cast<int>(text.size()),
                               SQLITE_PREPARE_PERSISTENT, &raw, &tail) != SQLITE_OK)
            FailFromSqlite(db_, "The statement cannot be prepared", sql);
        Statement statement(raw);
        if (!statement) Fail(adoerr::InvalidArgument, "There is no SQL statement to execute.");
        if (tail && !IsBlankTail(tail)) FailSeveralStatements(sql);
        if (readOnly_ && !sqlite3_stmt_readonly(statement.get()))
            FailWithCause(FailureCause::ReadOnly, "The statement was refused",
                          "the connection is read-only and the statement would change the "
                          "database",
                          sql);
        return statement;
    }

    void RunScript(const std::string& text) {
        const char* next = text.c_str();
        while (*next) {
            sqlite3_stmt* raw = nullptr;
            const char* tail = nullptr;
            if (sqlite3_prepare_v2(db_, next, -1, &raw, &tail) != SQLITE_OK)
                FailFromSqlite(db_, "A statement of the script cannot be prepared", next);
            Statement statement(raw);
            const std::string current(next, static_cast<size_t>(tail - next));
            next = tail;
            if (!statement) continue;  // blanks or comments
            if (readOnly_ && !sqlite3_stmt_readonly(statement.get()))
                FailWithCause(FailureCause::ReadOnly, "The script was refused",
                              "the connection is read-only and the script would change the "
                              "database",
                              current);
            int rc;
            while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
            }
            if (rc != SQLITE_DONE) FailFromSqlite(db_, "A statement of the script failed", current);
        }
    }

    static std::string StampOf(const struct stat& file) {
        return std::to_string(file.st_size) + ":" + std::to_string(file.st_mtim.tv_sec) + "." +
               std::to_string(file.st_mtim.tv_nsec);
    }

    sqlite3* db_;
    std::string dataSource_;
    bool readOnly_;
    int32_t commandTimeout_ = kStatementLimitMs / 1000;
    std::optional<Connection::Stamp> callStamp_;  // from DatabaseIdentity to the transaction's end
    // The queries run before, prepared, for the next run of the same text.
    StatementCache statements_;
};

}  // namespace

std::unique_ptr<Engine> OpenSqliteEngine(const ConnectionSettings& settings) {
    const bool inMemory = settings.dataSource == ":memory:";
    if (!inMemory && settings.mode != OpenMode::Create &&
        !std::filesystem::exists(settings.dataSource))
        Fail(adoerr::ProviderError, "The database file \"" + settings.dataSource +
                                        "\" does not exist (add Mode=Create to make a new one).");
    // A connection serves one thread at a time (the client has one thread), so SQLite need not
    // lock it on every call: a query reading 10,000 rows makes hundreds of thousands of them.
    int flags = SQLITE_OPEN_NOMUTEX;
    flags |= settings.mode == OpenMode::Read ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (settings.mode == OpenMode::Create) flags |= SQLITE_OPEN_CREATE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(settings.dataSource.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        Fail(adoerr::ProviderError,
             "The database \"" + settings.dataSource + "\" cannot be opened: " + message);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return std::make_unique<SqliteEngine>(db, settings.dataSource, settings.mode == OpenMode::Read);
}

}  // namespace adodb::internal
