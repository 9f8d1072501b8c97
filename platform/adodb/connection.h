#pragma once
// An ADO connection over an embedded SQLite database or a PostgreSQL server.
//
// The connection string is ADO's "Key=Value;..." text, keys without regard to letter case:
//   Provider=SQLite;Data Source=/path/to/file.db[;Mode=Read|ReadWrite|Create]
//   Provider=PostgreSQL;Data Source="postgresql://host/db?..."[;Mode=Read]
// Provider may be left out (SQLite is the default); any other provider is refused. A SQLite file
// must exist unless Mode=Create asks for it to be made. For PostgreSQL the Data Source is libpq's
// connection URI or key=value text. Mode=Read opens read-only: every statement that would write
// is refused (SQLite before it runs, PostgreSQL in a read-only transaction).
//
// Both engines read the same SQL: ISNULL(a, b) and IFNULL(a, b) mean "a unless it is NULL, else
// b", LIKE ignores the letter case of ASCII letters, "?" marks a parameter, and result columns
// keep the letter case of the schema. Failures are automation::RuntimeError with the source
// "ADODB.Connection": the engine's errors carry adoerr::ProviderError and its own message, after
// the cause in words (see FailureCause). A PostgreSQL user name or password never appears in a
// message. The server takes UTF-8 only: a byte of a statement or text parameter that begins no
// valid UTF-8 sequence is sent as U+FFFD, so such a text finds nothing, as on SQLite.

#include <platform/adodb/recordset.h>
#include <platform/automation/errors.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace adodb {

namespace internal {
class Engine;
}

enum class DatabaseEngine { SQLite, PostgreSQL };

class Connection : public automation::Object {
  public:
    Connection();
    ~Connection() override;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    std::string TypeName() const override { return "Connection"; }

    // Opens the database the string names (3705 when already open).
    void Open(const std::string& connectionString);
    void Close();  // 3704 when closed
    ObjectStateEnum State() const;
    const std::string& ConnectionString() const { return connectionString_; }
    bool IsReadOnly() const { return readOnly_; }
    DatabaseEngine Engine() const;
    // Which database the connection reads and how it stands, for a caller that keeps the
    // connection open between uses: `identity` stays the same while the database is the one the
    // connection opened (for a file: the same file, not one put in its place; for a server: the
    // same server and database, still answering); `stamp` changes besides whenever the database
    // is written, by any connection. Both are empty when the database is gone or the connection
    // is closed.
    struct Stamp {
        std::string identity;
        std::string stamp;
    };
    Stamp DatabaseStamp() const;
    // DatabaseStamp's identity, without asking a server: a session the server ended is noticed
    // when the server has said so. A caller that keeps the connection still meets a session lost
    // unnoticed only as a new one: a transaction whose first statement finds its session gone
    // runs on a new session, whose identity is another.
    std::string DatabaseIdentity() const;
    // The stamp as the transaction open now found the database, read on a server together with
    // the transaction's first statement (asked for before any statement ran, it costs a round
    // trip of its own); outside a transaction, and on a file, DatabaseStamp.
    Stamp TransactionStamp();

    // Runs one SQL statement; `?` placeholders take `parameters` in order (bound, never pasted
    // into the text). A statement that returns columns gives an open record set holding a copy
    // of its rows (BOF and EOF True when there are none); any other statement gives a closed
    // record set, as ADO does, and RecordsAffected() tells how many rows it changed.
    // Parameters: Null/Empty bind NULL, Boolean 1 or 0, numbers as numbers, texts as texts and
    // Dates as the text "YYYY-MM-DD HH:MM:SS" (store dates that way). Field types of the result
    // are described in sqlite_result.h and postgres_result.h; note that a BIT or BOOL column
    // reads as Boolean (True is -1 in VB arithmetic), so 0/1 flags compared with numbers belong
    // in INTEGER columns. Several statements in one text, or a parameter count that does not
    // match, are error 3001. A query that only reads is kept prepared, by its text, for the next
    // Execute of that text.
    RecordsetPtr Execute(const std::string& sql);
    RecordsetPtr Execute(const std::string& sql,
                         const std::vector<automation::Variant>& parameters);
    // Rows changed by the last statement Execute ran that was not a query.
    int64_t RecordsAffected() const { return recordsAffected_; }

    // Runs a script of several statements without parameters (schemas, bulk data) as one
    // change: when a statement fails, the ones before it are taken back. The script must not
    // hold BEGIN / COMMIT of its own.
    void ExecuteScript(const std::string& sql);

    // Loads rows into a table in one go (PostgreSQL's COPY; prepared inserts on SQLite): every
    // row has a value for each column, in order. A failure leaves the table as it was.
    void BulkInsert(const std::string& table, const std::vector<std::string>& columns,
                    const std::vector<std::vector<automation::Variant>>& rows);

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    // True between BeginTrans and its CommitTrans or RollbackTrans (or a BEGIN run as SQL).
    bool InTransaction() const;

    // How long a statement may run, in seconds; 0: as long as it takes. On PostgreSQL it is the
    // server's statement_timeout (8 s unless the address or the server sets one), and a server
    // that has not answered 2 s after it is taken for frozen: the statement fails as TimedOut and
    // the connection is closed, so that every later use fails at once (a caller opens a new one).
    // SQLite runs on a file of this machine and takes no limit. Set before Open, it applies from
    // the start.
    int32_t CommandTimeout() const;
    void SetCommandTimeout(int32_t seconds);

    // The raw SQLite handle, for bulk loaders that prepare their own statements. Null when closed
    // or on PostgreSQL.
    sqlite3* Handle() const;

  private:
    void RequireOpen() const;

    std::unique_ptr<internal::Engine> engine_;
    std::optional<int32_t> commandTimeout_;  // set before Open
    std::string connectionString_;
    bool readOnly_ = false;
    int64_t recordsAffected_ = 0;
};

using ConnectionPtr = std::shared_ptr<Connection>;

// What a failure of the database was about, for callers that tell the user what to fix. The
// description of such an error opens with the cause in words.
enum class FailureCause {
    Other,
    Locked,        // another program holds a lock past the busy timeout
    Damaged,       // the engine's verdict: the data is malformed
    NotADatabase,  // another kind of file, or one whose header was overwritten
    ReadOnly,      // a write to a read-only file or connection
    CannotOpen,    // the file or database cannot be opened (rights, a missing database)
    DiskFull,
    InputOutput,
    MissingTable,
    MissingColumn,
    Unreachable,  // no database server answers at the address given
    TimedOut,     // the server did not answer, or a statement did not end, within its time limit
};
FailureCause CauseOfFailure(const automation::RuntimeError& error);

// A value written into a connection string so that it reads back as it stands: in double quotes,
// a double quote inside doubled ("C:\\a;b.db" -> "\"C:\\a;b.db\"").
std::string QuotedConnectionValue(const std::string& value);

// A database name as a message may show it: a file as it is; of a PostgreSQL address (URI or
// key=value text) only its service, host, port and database name, read by libpq's own parser; of
// a connection string its keys without password and user. A text that cannot be read is shown
// as words saying so, never as itself.
std::string RedactedDataSource(const std::string& dataSource);

// Whether a text is a connection string: it opens with "Provider=" or "Data Source=".
bool IsConnectionString(const std::string& text);

// What a connection string names, read as Open reads it (with Open's errors 3001 and 3706)
// without opening anything.
struct ConnectionTarget {
    DatabaseEngine engine;
    std::string dataSource;
    bool namesMode = false;
};
ConnectionTarget TargetOf(const std::string& connectionString);

// A connection string as a file may hold it: without ADO's Password, and its PostgreSQL address
// without libpq's password (written back as key=value text). Error 3001 when it cannot be read.
std::string WithoutPassword(const std::string& connectionString);
// Keeps the password of the PostgreSQL address a connection string names in this process: a
// connection opened later to that address without a password is given it (so that the string a
// file holds is WithoutPassword's). Error 3001 when it cannot be read.
void KeepPassword(const std::string& connectionString);
// The same for a password given apart from the connection string (typed into a window, read from
// the desktop's keyring) for the PostgreSQL address the string names. Error 3001 when it cannot
// be read.
void KeepPassword(const std::string& connectionString, const std::string& password);

// Whether a database named on a command line is a PostgreSQL address ("postgresql://..." or
// "postgres://...") rather than a file.
bool IsPostgresAddress(const std::string& database);

}  // namespace adodb
