#include <platform/adodb/connection.h>

#include <platform/adodb/engine.h>
#include <platform/automation/errors.h>

namespace adodb {

using automation::Variant;

namespace internal {

namespace {

constexpr const char* kSource = "ADODB.Connection";

// The causes a user can act on, in the words that open the error's description: an engine's own
// message ("database disk image is malformed") does not say what to do about it.
struct CauseText {
    FailureCause cause;
    const char* text;
};
constexpr CauseText kCauseTexts[] = {
    {FailureCause::Locked, "The database is locked by another program (waited 5 s)"},
    {FailureCause::Damaged, "The database file is damaged"},
    {FailureCause::NotADatabase, "The file is no database, or its header is damaged"},
    {FailureCause::ReadOnly, "The database cannot be written (it is read-only)"},
    {FailureCause::CannotOpen, "The database cannot be opened"},
    {FailureCause::DiskFull, "The disk is full"},
    {FailureCause::InputOutput, "The database cannot be read or written (input/output error)"},
    {FailureCause::MissingTable, "A table is missing from the database"},
    {FailureCause::MissingColumn, "A column is missing from the database"},
    {FailureCause::Unreachable, "The database server cannot be reached"},
    {FailureCause::TimedOut, "The database server did not answer in time"},
};

std::string TextOf(FailureCause cause) {
    for (const auto& entry : kCauseTexts) {
        if (entry.cause == cause) return entry.text;
    }
    return "";
}

}  // namespace

std::string Excerpt(const std::string& sql) {
    constexpr size_t kLimit = 200;
    return sql.size() <= kLimit ? sql : sql.substr(0, kLimit) + "...";
}

void Fail(int32_t number, const std::string& description) {
    automation::Raise(number, kSource, description);
}

void FailParameterCount(int expected, size_t given, const std::string& sql) {
    Fail(adoerr::InvalidArgument, "The statement takes " + std::to_string(expected) +
                                      " parameters but " + std::to_string(given) +
                                      " were given [SQL: " + Excerpt(sql) + "]");
}

void FailSeveralStatements(const std::string& sql) {
    Fail(adoerr::InvalidArgument,
         "Execute runs one statement at a time; use ExecuteScript for several [SQL: " +
             Excerpt(sql) + "]");
}

void FailWithCause(FailureCause cause, const std::string& what, const std::string& message,
                   const std::string& sql) {
    const std::string text = TextOf(cause);
    std::string description = (text.empty() ? "" : text + ". ") + what + ": " + message;
    if (!sql.empty()) description += " [SQL: " + Excerpt(sql) + "]";
    Fail(adoerr::ProviderError, description);
}

}  // namespace internal

FailureCause CauseOfFailure(const automation::RuntimeError& error) {
    if (error.Number() != adoerr::ProviderError) return FailureCause::Other;
    for (const auto& entry : internal::kCauseTexts) {
        if (error.Description().rfind(entry.text, 0) == 0) return entry.cause;
    }
    return FailureCause::Other;
}

std::string QuotedConnectionValue(const std::string& value) {
    std::string quoted = "\"";
    for (char c : value) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::RequireOpen() const {
    if (!engine_) {
        internal::Fail(adoerr::ObjectClosed, "Operation is not allowed when the object is closed.");
    }
}

void Connection::Open(const std::string& connectionString) {
    if (engine_) {
        internal::Fail(adoerr::ObjectOpen, "Operation is not allowed when the object is open.");
    }
    const internal::ConnectionSettings settings = internal::ParseConnectionString(connectionString);
    engine_ = settings.engine == DatabaseEngine::PostgreSQL ? internal::OpenPostgresEngine(settings)
                                                            : internal::OpenSqliteEngine(settings);
    if (commandTimeout_) engine_->SetCommandTimeout(*commandTimeout_);
    connectionString_ = connectionString;
    readOnly_ = settings.mode == internal::OpenMode::Read;
    recordsAffected_ = 0;
}

void Connection::Close() {
    RequireOpen();
    engine_.reset();
}

ObjectStateEnum Connection::State() const { return engine_ ? adStateOpen : adStateClosed; }

DatabaseEngine Connection::Engine() const {
    RequireOpen();
    return engine_->Kind();
}

RecordsetPtr Connection::Execute(const std::string& sql) { return Execute(sql, {}); }

RecordsetPtr Connection::Execute(const std::string& sql, const std::vector<Variant>& parameters) {
    RequireOpen();
    return engine_->Execute(sql, parameters, recordsAffected_);
}

void Connection::ExecuteScript(const std::string& sql) {
    RequireOpen();
    engine_->ExecuteScript(sql);
}

void Connection::BulkInsert(const std::string& table, const std::vector<std::string>& columns,
                            const std::vector<std::vector<Variant>>& rows) {
    RequireOpen();
    engine_->BulkInsert(table, columns, rows);
}

void Connection::BeginTrans() { Execute("BEGIN"); }
void Connection::CommitTrans() { Execute("COMMIT"); }
void Connection::RollbackTrans() { Execute("ROLLBACK"); }

Connection::Stamp Connection::DatabaseStamp() const {
    return engine_ ? engine_->DatabaseStamp() : Stamp{};
}

std::string Connection::DatabaseIdentity() const {
    return engine_ ? engine_->DatabaseIdentity() : "";
}

Connection::Stamp Connection::TransactionStamp() {
    return engine_ ? engine_->TransactionStamp() : Stamp{};
}

bool Connection::InTransaction() const { return engine_ && engine_->InTransaction(); }

int32_t Connection::CommandTimeout() const {
    if (engine_) return engine_->CommandTimeout();
    return commandTimeout_.value_or(internal::kStatementLimitMs / 1000);
}

void Connection::SetCommandTimeout(int32_t seconds) {
    if (seconds < 0) {
        internal::Fail(adoerr::InvalidArgument, "CommandTimeout cannot be negative.");
    }
    commandTimeout_ = seconds;
    if (engine_) engine_->SetCommandTimeout(seconds);
}

sqlite3* Connection::Handle() const { return engine_ ? engine_->SqliteHandle() : nullptr; }

}  // namespace adodb
