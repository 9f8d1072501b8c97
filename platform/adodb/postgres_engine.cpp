// The PostgreSQL engine: a server reached through libpq. Statements are translated to its dialect
// (postgres_dialect.h), parameters are sent apart from the text, results come back as text and
// are read by the column's type (postgres_result.h), and errors are told by their SQLSTATE.

#include <platform/adodb/engine.h>
#include <platform/adodb/postgres_connect.h>
#include <platform/adodb/postgres_dialect.h>
#include <platform/adodb/postgres_result.h>
#include <platform/adodb/postgres_wait.h>
#include <platform/adodb/value_rules.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <libpq-fe.h>
#include <poll.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace adodb::internal {

using automation::Variant;
using automation::VarType;

namespace {

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

FailureCause CauseOf(const std::string& state) {
    if (state == "42P01") return FailureCause::MissingTable;
    if (state == "42703") return FailureCause::MissingColumn;
    if (state == "25006") return FailureCause::ReadOnly;
    if (state == "55P03" || state == "40P01") return FailureCause::Locked;
    if (state == "57014") return FailureCause::TimedOut;  // the statement's time limit
    if (state == "XX001" || state == "XX002") return FailureCause::Damaged;
    if (state == "53100") return FailureCause::DiskFull;
    if (state == "58030") return FailureCause::InputOutput;
    if (state.rfind("08", 0) == 0 || state == "57P01") return FailureCause::Unreachable;
    if (state == "3D000" || state.rfind("28", 0) == 0 || state == "42501") {
        return FailureCause::CannotOpen;
    }
    return FailureCause::Other;
}

using NameMap = std::map<std::string, std::string>;

// The letter case of result columns, which the server folds to lower case: the names the
// database keeps in its catalogue of names (written with the schema), per server address.
std::shared_ptr<const NameMap> NameCatalogue(const std::string& address,
                                             const std::function<Result(const char*)>& query) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const NameMap>> known;
    std::lock_guard lock(mutex);
    auto found = known.find(address);
    if (found != known.end()) return found->second;
    auto names = std::make_shared<NameMap>();
    Result exists(query("SELECT to_regclass('trackquery_names') IS NOT NULL"));
    if (PQresultStatus(exists.get()) != PGRES_TUPLES_OK ||
        std::string(PQgetvalue(exists.get(), 0, 0)) != "t") {
        return names;  // a database being built has none yet: asked again next time
    }
    Result rows(query("SELECT name FROM trackquery_names"));
    for (int r = 0; PQresultStatus(rows.get()) == PGRES_TUPLES_OK && r < PQntuples(rows.get());
         ++r) {
        const std::string name = PQgetvalue(rows.get(), r, 0);
        (*names)[automation::LCase(name)] = name;
    }
    known[address] = names;
    return names;
}

std::string ParameterText(const Variant& value, int index) {
    switch (value.Type()) {
        case VarType::Boolean:
            return value.AsBoolean() ? "1" : "0";
        case VarType::Integer:
        case VarType::Long:
            return std::to_string(static_cast<int64_t>(*value.NumericValue()));
        case VarType::Single:
        case VarType::Double: {
            char text[40];
            std::snprintf(text, sizeof text, "%.17g", *value.NumericValue());
            return text;
        }
        case VarType::Date:
            return FormatDateText(value.AsDate(), true);
        case VarType::String:
            return AsUtf8(value.AsString());
        case VarType::Object:
            Fail(adoerr::InvalidArgument, "Parameter " + std::to_string(index) +
                                              " is an object, which cannot be bound to SQL.");
        default:
            return "";
    }
}

// The server's write-ahead log position, which moves with every write to it: where the next
// record goes, which moves at once, unlike the position written out, which waits for a
// commit that need not be synchronous (on a standby: as far as it replayed).
constexpr const char* kStampQuery =
    "SELECT (CASE WHEN pg_is_in_recovery() THEN pg_last_wal_replay_lsn() "
    "ELSE pg_current_wal_insert_lsn() END)::text";

// COPY's text format: tab between values, \N for Null, backslash escapes.
void AppendCopyValue(std::string& line, const Variant& value, int column) {
    if (value.IsNull() || value.IsEmpty()) {
        line += "\\N";
        return;
    }
    for (char c : ParameterText(value, column)) {
        switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
        }
    }
}

class PostgresEngine final : public Engine {
  public:
    PostgresEngine(ServerConnection server, const ConnectionSettings& settings)
        : connection_(server.connection),
          settings_(settings),
          address_(settings.dataSource),
          shownAddress_(std::move(server.shownAddress)),
          user_(std::move(server.user)) {}
    ~PostgresEngine() override { PQfinish(connection_); }

    // The session's settings, and its statement time limit: the one the address or the server
    // gives, else ours. One exchange with the server.
    void SetUp(bool readOnly) {
        readOnly_ = readOnly;
        // As SQLite's busy timeout: a lock another session holds is waited for a while, then the
        // statement fails as "locked"; read-only connections refuse every write.
        std::string setup = "SET client_encoding = 'UTF8'; SET lock_timeout = '" +
                            std::to_string(kLockWaitSeconds) +
                            "s'; SET client_min_messages = warning; ";
        if (readOnly) setup += "SET default_transaction_read_only = on; ";
        setup +=
            "SELECT setting, CASE WHEN source = 'default' THEN set_config('statement_timeout', '" +
            std::to_string(kStatementLimitMs) +
            "', false) END FROM pg_settings WHERE name = 'statement_timeout'";
        Result limit(Query(setup.c_str()));
        if (PQresultStatus(limit.get()) != PGRES_TUPLES_OK || PQntuples(limit.get()) != 1) {
            FailFrom(limit.get(), "The session cannot be set up", "");
        }
        statementLimitMs_ = PQgetisnull(limit.get(), 0, 1)
                                ? std::atoi(PQgetvalue(limit.get(), 0, 0))
                                : kStatementLimitMs;
    }

    RecordsetPtr Execute(const std::string& sql, const std::vector<Variant>& parameters,
                         int64_t& recordsAffected) override {
        const bool firstOfTransaction = beginPending_;
        keptStatementFailed_ = false;
        try {
            return Execute(sql, parameters, recordsAffected, false);
        } catch (const automation::RuntimeError&) {
            // Nothing of the transaction ran before its first statement, so that statement runs
            // again on a new transaction where the failure was not its own: the server ended the
            // session while it was idle (a restart, an administrator), or the statement was kept
            // from before a change of its tables.
            if (!firstOfTransaction || !connection_) throw;
            if (PQstatus(connection_) == CONNECTION_BAD) {
                Reconnect();
            } else if (keptStatementFailed_ && InTransaction()) {
                Run("ROLLBACK");
            } else {
                throw;
            }
        }
        beginPending_ = true;
        return Execute(sql, parameters, recordsAffected, true);
    }

    RecordsetPtr Execute(const std::string& sql, const std::vector<Variant>& parameters,
                         int64_t& recordsAffected, bool retried) {
        if (parameters.empty() && ControlsTransaction(sql) && TakeTransactionControl(sql)) {
            recordsAffected = 0;
            return std::make_shared<Recordset>();
        }
        // A statement this connection ran before runs prepared: the server plans a query over
        // the views once instead of at every call, which costs far more than running it.
        const Statement& statement = StatementFor(sql);
        if (statement.parameters != static_cast<int>(parameters.size())) {
            FailParameterCount(statement.parameters, parameters.size(), sql);
        }
        std::vector<std::string> texts(parameters.size());
        std::vector<const char*> values(parameters.size(), nullptr);
        for (size_t i = 0; i < parameters.size(); ++i) {
            if (parameters[i].IsNull() || parameters[i].IsEmpty()) continue;
            texts[i] = ParameterText(parameters[i], static_cast<int>(i + 1));
            values[i] = texts[i].c_str();
        }
        const int count = static_cast<int>(values.size());
        const auto send = [&](PGconn* connection) {
            return statement.name.empty()
                       ? PQsendQueryParams(connection, statement.sql.c_str(), count, nullptr,
                                           values.data(), nullptr, nullptr, 0)
                       : PQsendQueryPrepared(connection, statement.name.c_str(), count,
                                             values.data(), nullptr, nullptr, 0);
        };
        Result result(beginPending_ ? ExchangeAfterBegin(send) : Exchange(send));
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_COMMAND_OK) {
            const char* tuples = PQcmdTuples(result.get());
            recordsAffected = tuples && *tuples ? std::strtoll(tuples, nullptr, 10) : 0;
            return std::make_shared<Recordset>();  // closed: the statement returns no rows
        }
        if (status != PGRES_TUPLES_OK) {
            if (statement.name.empty()) FailFrom(result.get(), "The statement failed", sql);
            // A kept statement whose tables changed under it (the server will not give a kept
            // query other columns) is prepared anew: at once outside a transaction, which the
            // failure did not spoil; inside one, at its next run.
            const bool retry = !retried && PQtransactionStatus(connection_) == PQTRANS_IDLE;
            Forget(sql);
            keptStatementFailed_ = true;
            if (!retry) FailFrom(result.get(), "The statement failed", sql);
            return Execute(sql, parameters, recordsAffected, true);
        }
        return ReadRows(result.get(), statement.written);
    }

    void ExecuteScript(const std::string& sql) override {
        const std::string script = ToPostgresDialect(AsUtf8(sql)).sql;
        SendPendingBegin();
        AwaitEnd(AnswerDeadline());
        // One change: in a transaction of the caller's a savepoint, else a transaction of its own.
        const bool inTransaction = PQtransactionStatus(connection_) == PQTRANS_INTRANS;
        Run(inTransaction ? "SAVEPOINT adodb_script" : "BEGIN");
        Result result(Query(script.c_str()));
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK &&
            PQresultStatus(result.get()) != PGRES_TUPLES_OK &&
            PQresultStatus(result.get()) != PGRES_EMPTY_QUERY) {
            const std::string state = SqlState(result.get());
            const std::string message = Message(result.get());
            Run(inTransaction ? "ROLLBACK TO adodb_script; RELEASE adodb_script" : "ROLLBACK");
            FailWithCause(CauseOf(state), "A statement of the script failed", message, sql);
        }
        Run(inTransaction ? "RELEASE adodb_script" : "COMMIT");
    }

    void BulkInsert(const std::string& table, const std::vector<std::string>& columns,
                    const std::vector<std::vector<Variant>>& rows) override {
        std::string copy = "COPY " + automation::LCase(table) + " (";
        for (size_t i = 0; i < columns.size(); ++i) {
            copy += (i ? ", " : "") + automation::LCase(columns[i]);
        }
        copy += ") FROM STDIN";
        Result start(Query(copy.c_str()));
        if (PQresultStatus(start.get()) != PGRES_COPY_IN) {
            FailFrom(start.get(), "The rows cannot be loaded", copy);
        }
        std::string chunk;
        for (const auto& row : rows) {
            for (size_t c = 0; c < row.size(); ++c) {
                if (c) chunk += '\t';
                AppendCopyValue(chunk, row[c], static_cast<int>(c + 1));
            }
            chunk += '\n';
            if (chunk.size() > (1 << 20)) Send(chunk);
        }
        Send(chunk);
        const Deadline deadline = AnswerDeadline();
        while (PQputCopyEnd(connection_, nullptr) == 0) AwaitFlush(deadline);
        AwaitFlush(deadline);
        if (PQstatus(connection_) == CONNECTION_BAD) FailConnection("The rows cannot be loaded");
        Result end(Await(deadline));
        if (PQresultStatus(end.get()) != PGRES_COMMAND_OK) {
            FailFrom(end.get(), "The rows cannot be loaded", copy);
        }
    }

    std::string DatabaseIdentity() override {
        if (!connection_) return "";
        // What the server sent meanwhile is taken in: a session it ended shows as lost.
        pollfd socket{PQsocket(connection_), POLLIN, 0};
        if (socket.fd >= 0 && ::poll(&socket, 1, 0) > 0) PQconsumeInput(connection_);
        return PQstatus(connection_) == CONNECTION_OK ? Identity() : "";
    }

    Connection::Stamp TransactionStamp() override {
        SendPendingBegin();
        if (transactionStamp_.empty() || !InTransaction()) return DatabaseStamp();
        return {Identity(), Identity() + "@" + transactionStamp_};
    }

    Connection::Stamp DatabaseStamp() override {
        // The server's write-ahead log position moves with every write to it; a session that no
        // longer answers has no stamp, so that a caller keeping it opens a new one.
        if (!connection_) return {};
        Result result;
        try {
            result = Query(kStampQuery);
        } catch (const automation::RuntimeError&) {
            return {};  // it did not answer in time, and is closed
        }
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) != 1) {
            return {};
        }
        return {Identity(), Identity() + "@" + PQgetvalue(result.get(), 0, 0)};
    }

    bool InTransaction() const override {
        if (beginPending_) return true;
        if (endInFlight_) return false;
        const PGTransactionStatusType status = PQtransactionStatus(connection_);
        return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
    }
    DatabaseEngine Kind() const override { return DatabaseEngine::PostgreSQL; }

    void SetCommandTimeout(int32_t seconds) override {
        limitGiven_ = static_cast<int64_t>(std::max(seconds, 0)) * 1000;
        SetStatementLimit(*limitGiven_);
    }
    int32_t CommandTimeout() const override {
        return static_cast<int32_t>((statementLimitMs_ + 999) / 1000);
    }

  private:
    // A statement as the server reads it; `name` is that of its prepared statement, empty for
    // one that runs unprepared (schema changes, transaction control).
    struct Statement {
        std::string sql;
        int parameters = 0;
        std::string name;
        std::vector<std::string> written;  // MixedCaseWords of the statement
    };

    // The server and database, and the session on it: a new session is another identity.
    std::string Identity() const { return address_ + "#" + std::to_string(sessions_); }

    // A new session in place of one the server ended, set up as the first was.
    void Reconnect() {
        ServerConnection server = ConnectToServer(settings_);
        PQfinish(connection_);
        connection_ = server.connection;
        ++sessions_;
        statements_.clear();
        beginPending_ = endInFlight_ = false;
        transactionStamp_.clear();
        SetUp(readOnly_);
        if (limitGiven_) SetStatementLimit(*limitGiven_);
    }

    // The kept statement for `sql`, prepared at its first run; statements that change the
    // schema or the transaction run unprepared every time.
    const Statement& StatementFor(const std::string& sql) {
        if (auto found = statements_.find(sql); found != statements_.end()) return found->second;
        const PostgresStatement translated = ToPostgresDialect(AsUtf8(sql));
        if (translated.several) FailSeveralStatements(sql);
        unprepared_ = {translated.sql, translated.parameters, "", MixedCaseWords(sql)};
        if (!IsKeptKind(translated.sql)) return unprepared_;
        if (statements_.size() >= kKeptStatements) ForgetAll();
        const std::string name = "adodb_" + std::to_string(++statementsMade_);
        Result prepared(Exchange([&](PGconn* connection) {
            return PQsendPrepare(connection, name.c_str(), translated.sql.c_str(),
                                 translated.parameters, nullptr);
        }));
        if (PQresultStatus(prepared.get()) != PGRES_COMMAND_OK) {
            FailFrom(prepared.get(), "The statement cannot be prepared", sql);
        }
        unprepared_.name = name;
        return statements_.emplace(sql, std::move(unprepared_)).first->second;
    }

    // --- Transactions: BEGIN goes with the transaction's first statement, the database's stamp
    // with it, and a read-only transaction's end is not waited for ----------------------------

    // The statements Connection sends for BeginTrans, CommitTrans and RollbackTrans.
    static bool ControlsTransaction(const std::string& sql) {
        return sql == "BEGIN" || sql == "COMMIT" || sql == "ROLLBACK";
    }

    // Takes BEGIN, COMMIT or ROLLBACK without a round trip of its own where that changes nothing
    // a caller sees: a BEGIN outside a transaction waits for the transaction's first statement
    // and goes with it; an end before any statement ran ends nothing; on a read-only connection,
    // whose transaction cannot fail to end, the end is sent and its answer read with the next
    // exchange's. False when the statement is to run as any other.
    bool TakeTransactionControl(const std::string& sql) {
        transactionStamp_.clear();
        if (sql == "BEGIN") {
            if (InTransaction()) return false;  // the server's warning, as before
            beginPending_ = true;
            return true;
        }
        if (beginPending_) {
            beginPending_ = false;
            return true;
        }
        if (!readOnly_ || !InTransaction() || !connection_) return false;
        if (!PQenterPipelineMode(connection_) ||
            !PQsendQueryParams(connection_, sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr,
                               0) ||
            !PQpipelineSync(connection_)) {
            PQexitPipelineMode(connection_);
            return false;  // reported by the usual path
        }
        AwaitFlush(AnswerDeadline());
        endInFlight_ = true;
        return true;
    }

    // Reads the answer to a transaction's end sent before. A read-only transaction ends without
    // failing; a connection lost meanwhile is reported by the exchange that follows.
    void AwaitEnd(const Deadline& deadline) {
        if (!endInFlight_ || !connection_) return;
        endInFlight_ = false;
        AwaitSynced(deadline);
        PQexitPipelineMode(connection_);
    }

    // The pending BEGIN sent on its own, with the stamp, when something else than a statement
    // comes first.
    void SendPendingBegin() {
        if (!beginPending_) return;
        Result begun(ExchangeAfterBegin(nullptr));
        if (PQresultStatus(begun.get()) != PGRES_COMMAND_OK &&
            PQresultStatus(begun.get()) != PGRES_TUPLES_OK) {
            FailFrom(begun.get(), "The statement failed", "BEGIN");
        }
    }

    // BEGIN, the database's stamp and the statement `send` queues (if any) in one pipeline, after
    // the end of the transaction before when that is still on its way: one round trip. The
    // statement's answer, or the first failure before it.
    Result ExchangeAfterBegin(const std::function<int(PGconn*)>& send) {
        RequireConnection();
        beginPending_ = false;
        const Deadline deadline = AnswerDeadline();
        const bool sent =
            PQenterPipelineMode(connection_) &&
            PQsendQueryParams(connection_, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0) &&
            PQsendQueryParams(connection_, kStampQuery, 0, nullptr, nullptr, nullptr, nullptr, 0) &&
            (!send || send(connection_)) && PQpipelineSync(connection_);
        if (!sent) {
            endInFlight_ = false;
            PQexitPipelineMode(connection_);
            return Result();
        }
        AwaitFlush(deadline);
        AwaitEnd(deadline);
        Result begun(Await(deadline));
        Result stamp(Await(deadline));
        Result answer(send ? Await(deadline) : Result());
        AwaitSynced(deadline);
        PQexitPipelineMode(connection_);
        if (PQresultStatus(begun.get()) != PGRES_COMMAND_OK) return begun;
        if (PQresultStatus(stamp.get()) != PGRES_TUPLES_OK) return stamp;
        transactionStamp_ = PQgetvalue(stamp.get(), 0, 0);
        return send ? std::move(answer) : std::move(stamp);
    }

    // Queries and row changes are kept; anything else (CREATE, BEGIN, SET ...) is not.
    static bool IsKeptKind(const std::string& sql) {
        size_t start = 0;
        while (start < sql.size() && std::isspace(static_cast<unsigned char>(sql[start]))) ++start;
        size_t end = start;
        while (end < sql.size() && std::isalpha(static_cast<unsigned char>(sql[end]))) ++end;
        const std::string word = automation::UCase(sql.substr(start, end - start));
        return word == "SELECT" || word == "WITH" || word == "INSERT" || word == "UPDATE" ||
               word == "DELETE" || word == "VALUES";
    }

    void Forget(const std::string& sql) {
        const auto found = statements_.find(sql);
        if (found == statements_.end()) return;
        const std::string deallocate = "DEALLOCATE " + found->second.name;
        statements_.erase(found);
        // In a failed transaction the server refuses this; the statement then stays there unused.
        Result ignored(Query(deallocate.c_str()));
    }

    void ForgetAll() {
        while (!statements_.empty()) Forget(statements_.begin()->first);
    }

    std::string SqlState(const PGresult* result) const {
        const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        return state ? state : "";
    }
    std::string Message(const PGresult* result) const {
        const char* primary =
            result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        return WithoutUser(primary ? primary : PQerrorMessage(connection_), user_);
    }

    [[noreturn]] void FailFrom(const PGresult* result, const std::string& what,
                               const std::string& sql) const {
        FailureCause cause = CauseOf(SqlState(result));
        // A session lost before the server said why has no SQLSTATE to tell it.
        if (cause == FailureCause::Other && PQstatus(connection_) == CONNECTION_BAD) {
            cause = FailureCause::Unreachable;
        }
        FailWithCause(cause, what, Message(result), sql);
    }
    [[noreturn]] void FailConnection(const std::string& what) const {
        FailWithCause(FailureCause::Unreachable, what,
                      WithoutUser(PQerrorMessage(connection_), user_), "");
    }

    void Run(const char* sql) {
        Result result(Query(sql));
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
            FailFrom(result.get(), "The statement failed", sql);
        }
    }

    // Sends one chunk of COPY's rows, waiting while the server takes in those before it.
    void Send(std::string& chunk) {
        if (chunk.empty()) return;
        const Deadline deadline = AnswerDeadline();
        int sent = 0;
        while ((sent = PQputCopyData(connection_, chunk.data(), static_cast<int>(chunk.size()))) ==
               0) {
            AwaitFlush(deadline);
        }
        if (sent < 0) FailConnection("The rows cannot be loaded");
        chunk.clear();
    }

    // --- Waiting on the server, never longer than the statement's limit and a little more ----

    Result Query(const char* sql) {
        SendPendingBegin();
        return Exchange([sql](PGconn* connection) { return PQsendQuery(connection, sql); });
    }

    // Sends what `send` queues and waits for the answer; a null result (read as a failure with
    // the connection's message) when it could not be sent.
    Result Exchange(const std::function<int(PGconn*)>& send) {
        RequireConnection();
        const Deadline deadline = AnswerDeadline();
        AwaitEnd(deadline);
        if (!send(connection_)) return Result();
        AwaitFlush(deadline);
        return Await(deadline);
    }

    void AwaitFlush(const Deadline& deadline) {
        if (FlushBy(connection_, deadline) == WaitOutcome::TimedOut) GiveUp();
    }

    Result Await(const Deadline& deadline) {
        const Answer answer = AwaitAnswer(connection_, deadline);
        if (answer.outcome == WaitOutcome::TimedOut) GiveUp();
        return Result(answer.result);
    }

    void AwaitSynced(const Deadline& deadline) {
        if (AwaitSync(connection_, deadline) == WaitOutcome::TimedOut) GiveUp();
    }

    Deadline AnswerDeadline() const {
        if (statementLimitMs_ <= 0) return std::nullopt;
        return WaitClock::now() + std::chrono::milliseconds(statementLimitMs_ + kAnswerGraceMs);
    }

    void SetStatementLimit(int64_t ms) {
        Run(("SET statement_timeout = " + std::to_string(ms)).c_str());
        statementLimitMs_ = ms;
    }

    // A server that does not answer within the limit is taken for frozen: the connection is
    // closed (the server takes back what it had begun once it notices), and every later use of
    // this one fails at once, so that a caller opens a new one.
    [[noreturn]] void GiveUp() {
        PQfinish(connection_);
        connection_ = nullptr;
        beginPending_ = endInFlight_ = false;
        FailClosed();
    }

    void RequireConnection() const {
        if (!connection_) FailClosed();
    }

    [[noreturn]] void FailClosed() const {
        const std::string limit = std::to_string((statementLimitMs_ + kAnswerGraceMs) / 1000);
        FailWithCause(
            FailureCause::TimedOut, "The database \"" + shownAddress_ + "\"",
            "the server did not answer within " + limit + " s, and the connection to it was closed",
            "");
    }

    RecordsetPtr ReadRows(const PGresult* result, const std::vector<std::string>& written) {
        // Names folded to lower case get back the case the statement or the schema wrote.
        const auto catalogue =
            NameCatalogue(address_, [this](const char* sql) { return Query(sql); });
        return ReadResultRows(result, [&](const std::string& name) {
            for (const auto& word : written) {
                if (automation::LCase(word) == name) return word;
            }
            const auto known = catalogue->find(name);
            return known == catalogue->end() ? name : known->second;
        });
    }

    // A few dozen statements make up what the client runs again and again.
    static constexpr size_t kKeptStatements = 64;

    PGconn* connection_;  // null once the server did not answer in time
    ConnectionSettings settings_;
    std::string address_;
    int64_t sessions_ = 1;
    std::string shownAddress_;
    std::string user_;
    int64_t statementLimitMs_ = kStatementLimitMs;
    std::optional<int64_t> limitGiven_;                      // by SetCommandTimeout
    std::unordered_map<std::string, Statement> statements_;  // by the text Execute was given
    Statement unprepared_;  // the statement of the last Execute that keeps none
    int64_t statementsMade_ = 0;
    bool readOnly_ = false;
    bool keptStatementFailed_ = false;  // by the last Execute
    bool beginPending_ = false;         // BEGIN is to go with the next statement
    std::string transactionStamp_;      // the stamp read with BEGIN
    bool endInFlight_ = false;          // COMMIT or ROLLBACK sent, its answer not read yet
};

}  // namespace

std::unique_ptr<Engine> OpenPostgresEngine(const ConnectionSettings& settings) {
    auto engine = std::make_unique<PostgresEngine>(ConnectToServer(settings), settings);
    engine->SetUp(settings.mode == OpenMode::Read);
    return engine;
}

}  // namespace adodb::internal
