// The PostgreSQL engine: a server reached through libpq. Statements are translated to its dialect
// (postgres_dialect.h), parameters are sent apart from the text, results come back as text and
// are read by the column's type, and errors are told by their SQLSTATE.

#include <platform/adodb/engine.h>
#include <platform/adodb/postgres_dialect.h>
#include <platform/adodb/value_rules.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <libpq-fe.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace adodb::internal {

using automation::Variant;
using automation::VarType;

namespace {

// Type OIDs of the server's built-in types that read as other than text (pg_type.dat); they are
// fixed across versions.
enum : Oid {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kDate = 1082,
    kTimestamp = 1114,
    kTimestampTz = 1184,
    kNumeric = 1700,
};

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

FailureCause CauseOf(const std::string& state) {
    if (state == "42P01") return FailureCause::MissingTable;
    if (state == "42703") return FailureCause::MissingColumn;
    if (state == "25006") return FailureCause::ReadOnly;
    if (state == "55P03" || state == "40P01" || state == "57014") return FailureCause::Locked;
    if (state == "XX001" || state == "XX002") return FailureCause::Damaged;
    if (state == "53100") return FailureCause::DiskFull;
    if (state == "58030") return FailureCause::InputOutput;
    if (state.rfind("08", 0) == 0 || state == "57P01") return FailureCause::Unreachable;
    if (state == "3D000" || state.rfind("28", 0) == 0 || state == "42501") {
        return FailureCause::CannotOpen;
    }
    return FailureCause::Other;
}

// The server's message without the user name, which a message must never show.
std::string WithoutUser(std::string message, const std::string& user) {
    if (!user.empty()) {
        for (size_t at = message.find(user); at != std::string::npos;
             at = message.find(user, at + 3)) {
            message.replace(at, user.size(), "***");
        }
    }
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

using NameMap = std::map<std::string, std::string>;

// The letter case of result columns, which the server folds to lower case: the names the
// database keeps in its catalogue of names (written with the schema), per server address.
std::shared_ptr<const NameMap> NameCatalogue(PGconn* connection, const std::string& address) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const NameMap>> known;
    std::lock_guard lock(mutex);
    auto found = known.find(address);
    if (found != known.end()) return found->second;
    auto names = std::make_shared<NameMap>();
    Result exists(PQexec(connection, "SELECT to_regclass('trackquery_names') IS NOT NULL"));
    if (PQresultStatus(exists.get()) != PGRES_TUPLES_OK ||
        std::string(PQgetvalue(exists.get(), 0, 0)) != "t") {
        return names;  // a database being built has none yet: asked again next time
    }
    Result rows(PQexec(connection, "SELECT name FROM trackquery_names"));
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

// What a column of a server type reads as.
enum class ColumnKind { Integer, Real, Boolean, Date, Text };

ColumnKind KindOf(Oid type) {
    switch (type) {
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            return ColumnKind::Integer;
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return ColumnKind::Real;
        case kBool:
            return ColumnKind::Boolean;
        case kDate:
        case kTimestamp:
        case kTimestampTz:
            return ColumnKind::Date;
        default:
            return ColumnKind::Text;
    }
}

// A column as a record set field, by the type the server reports.
struct ColumnReader {
    FieldInfo field;
    ColumnKind kind = ColumnKind::Text;
    bool wide = false;  // an integer beyond 32 bits was read
};

Variant ReadValue(const char* text, int length, ColumnReader& column) {
    switch (column.kind) {
        case ColumnKind::Integer: {
            const long long value = std::strtoll(text, nullptr, 10);
            if (value < std::numeric_limits<int32_t>::min() ||
                value > std::numeric_limits<int32_t>::max())
                column.wide = true;
            return static_cast<int64_t>(value);
        }
        case ColumnKind::Real:
            return std::strtod(text, nullptr);
        case ColumnKind::Boolean:
            return text[0] == 't';
        case ColumnKind::Date: {
            // "2026-05-04 00:00:00[.fff][+zz]": the seconds are what a Date holds.
            const auto date = ParseDateText(std::string_view(text, std::min(length, 19)));
            if (date) return *date;
            return std::string(text, static_cast<size_t>(length));
        }
        case ColumnKind::Text:
            break;
    }
    return std::string(text, static_cast<size_t>(length));
}

void DescribeField(ColumnReader& column) {
    FieldInfo& field = column.field;
    switch (column.kind) {
        case ColumnKind::Integer:
            field.Type = column.wide ? adBigInt : adInteger;
            field.DefinedSize = column.wide ? 8 : 4;
            break;
        case ColumnKind::Real:
            field.Type = adDouble;
            field.DefinedSize = 8;
            break;
        case ColumnKind::Boolean:
            field.Type = adBoolean;
            field.DefinedSize = 2;
            break;
        case ColumnKind::Date:
            field.Type = adDBTimeStamp;
            field.DefinedSize = 16;
            break;
        case ColumnKind::Text:
            field.Type = adVarWChar;
            field.DefinedSize = 0;
            break;
    }
}

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
    PostgresEngine(PGconn* connection, std::string address, std::string user)
        : connection_(connection), address_(std::move(address)), user_(std::move(user)) {}
    ~PostgresEngine() override { PQfinish(connection_); }

    RecordsetPtr Execute(const std::string& sql, const std::vector<Variant>& parameters,
                         int64_t& recordsAffected) override {
        return Execute(sql, parameters, recordsAffected, false);
    }

    RecordsetPtr Execute(const std::string& sql, const std::vector<Variant>& parameters,
                         int64_t& recordsAffected, bool retried) {
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
        Result result(statement.name.empty()
                          ? PQexecParams(connection_, statement.sql.c_str(), count, nullptr,
                                         values.data(), nullptr, nullptr, 0)
                          : PQexecPrepared(connection_, statement.name.c_str(), count,
                                           values.data(), nullptr, nullptr, 0));
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
            if (!retry) FailFrom(result.get(), "The statement failed", sql);
            return Execute(sql, parameters, recordsAffected, true);
        }
        return ReadRows(result.get(), statement.written);
    }

    void ExecuteScript(const std::string& sql) override {
        const std::string script = ToPostgresDialect(AsUtf8(sql)).sql;
        // One change: in a transaction of the caller's a savepoint, else a transaction of its own.
        const bool inTransaction = PQtransactionStatus(connection_) == PQTRANS_INTRANS;
        Run(inTransaction ? "SAVEPOINT adodb_script" : "BEGIN");
        Result result(PQexec(connection_, script.c_str()));
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
        Result start(PQexec(connection_, copy.c_str()));
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
        if (PQputCopyEnd(connection_, nullptr) != 1) FailConnection("The rows cannot be loaded");
        Result end(PQgetResult(connection_));
        if (PQresultStatus(end.get()) != PGRES_COMMAND_OK) {
            FailFrom(end.get(), "The rows cannot be loaded", copy);
        }
        while (PGresult* more = PQgetResult(connection_)) PQclear(more);
    }

    Connection::Stamp DatabaseStamp() override {
        // The server's write-ahead log position moves with every write to it; a session that no
        // longer answers has no stamp, so that a caller keeping it opens a new one.
        Result result(PQexec(connection_, "SELECT pg_current_wal_lsn()::text"));
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) != 1) {
            return {};
        }
        return {address_, address_ + "@" + PQgetvalue(result.get(), 0, 0)};
    }

    bool InTransaction() const override {
        const PGTransactionStatusType status = PQtransactionStatus(connection_);
        return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
    }
    DatabaseEngine Kind() const override { return DatabaseEngine::PostgreSQL; }

  private:
    // A statement as the server reads it; `name` is that of its prepared statement, empty for
    // one that runs unprepared (schema changes, transaction control).
    struct Statement {
        std::string sql;
        int parameters = 0;
        std::string name;
        std::vector<std::string> written;  // MixedCaseWords of the statement
    };

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
        Result prepared(PQprepare(connection_, name.c_str(), translated.sql.c_str(),
                                  translated.parameters, nullptr));
        if (PQresultStatus(prepared.get()) != PGRES_COMMAND_OK) {
            FailFrom(prepared.get(), "The statement cannot be prepared", sql);
        }
        unprepared_.name = name;
        return statements_.emplace(sql, std::move(unprepared_)).first->second;
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
        Result ignored(PQexec(connection_, deallocate.c_str()));
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
        FailWithCause(CauseOf(SqlState(result)), what, Message(result), sql);
    }
    [[noreturn]] void FailConnection(const std::string& what) const {
        FailWithCause(FailureCause::Unreachable, what,
                      WithoutUser(PQerrorMessage(connection_), user_), "");
    }

    void Run(const char* sql) {
        Result result(PQexec(connection_, sql));
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
            FailFrom(result.get(), "The statement failed", sql);
        }
    }

    void Send(std::string& chunk) {
        if (chunk.empty()) return;
        if (PQputCopyData(connection_, chunk.data(), static_cast<int>(chunk.size())) != 1) {
            FailConnection("The rows cannot be loaded");
        }
        chunk.clear();
    }

    RecordsetPtr ReadRows(const PGresult* result, const std::vector<std::string>& written) {
        const int columns = PQnfields(result);
        const int count = PQntuples(result);
        // Names folded to lower case get back the case the statement or the schema wrote.
        const auto catalogue = NameCatalogue(connection_, address_);
        auto originalOf = [&](const std::string& name) {
            for (const auto& word : written) {
                if (automation::LCase(word) == name) return word;
            }
            const auto known = catalogue->find(name);
            return known == catalogue->end() ? name : known->second;
        };

        std::vector<ColumnReader> readers(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            auto& reader = readers[static_cast<size_t>(c)];
            reader.field.Name = originalOf(PQfname(result, c));
            reader.kind = KindOf(PQftype(result, c));
        }
        std::vector<std::vector<Variant>> rows(static_cast<size_t>(count));
        for (int r = 0; r < count; ++r) {
            auto& row = rows[static_cast<size_t>(r)];
            row.reserve(static_cast<size_t>(columns));
            for (int c = 0; c < columns; ++c) {
                if (PQgetisnull(result, r, c)) {
                    row.push_back(automation::Null);
                } else {
                    row.push_back(ReadValue(PQgetvalue(result, r, c), PQgetlength(result, r, c),
                                            readers[static_cast<size_t>(c)]));
                }
            }
        }
        std::vector<FieldInfo> fields;
        for (auto& reader : readers) {
            DescribeField(reader);
            fields.push_back(reader.field);
        }
        auto recordset = Recordset::OpenWithFields(fields);
        for (auto& row : rows) {
            for (size_t c = 0; c < row.size(); ++c) {
                // A wide integer column reads as Double, as on SQLite.
                if (readers[c].wide && !row[c].IsNull()) row[c] = *row[c].NumericValue();
            }
            recordset->LoadRow(std::move(row));
        }
        return recordset;
    }

    // A few dozen statements make up what the client runs again and again.
    static constexpr size_t kKeptStatements = 64;

    PGconn* connection_;
    std::string address_;
    std::string user_;
    std::unordered_map<std::string, Statement> statements_;  // by the text Execute was given
    Statement unprepared_;  // the statement of the last Execute that keeps none
    int64_t statementsMade_ = 0;
};

}  // namespace

std::unique_ptr<Engine> OpenPostgresEngine(const ConnectionSettings& settings) {
    PGconn* connection = PQconnectdb(settings.dataSource.c_str());
    const std::string user = connection && PQuser(connection) ? PQuser(connection) : "";
    const std::string shown = RedactedDataSource(settings.dataSource);
    if (!connection || PQstatus(connection) != CONNECTION_OK) {
        const std::string message =
            connection ? WithoutUser(PQerrorMessage(connection), user) : "out of memory";
        PQfinish(connection);
        const bool noDatabase = message.find("does not exist") != std::string::npos ||
                                message.find("authentication") != std::string::npos;
        FailWithCause(noDatabase ? FailureCause::CannotOpen : FailureCause::Unreachable,
                      "The database \"" + shown + "\" cannot be opened", message, "");
    }
    auto engine = std::make_unique<PostgresEngine>(connection, settings.dataSource, user);
    // As SQLite's busy timeout: a lock another session holds is waited for a while, then the
    // statement fails as "locked"; read-only connections refuse every write.
    std::string setup = "SET client_encoding = 'UTF8'; SET lock_timeout = '" +
                        std::to_string(kLockWaitSeconds) + "s'; SET client_min_messages = warning";
    if (settings.mode == OpenMode::Read) setup += "; SET default_transaction_read_only = on";
    Result result(PQexec(connection, setup.c_str()));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
        FailWithCause(FailureCause::Other, "The session cannot be set up",
                      WithoutUser(PQerrorMessage(connection), user), "");
    }
    return engine;
}

}  // namespace adodb::internal
