#pragma once
// The raw fetch the library's figures are set against: a query run through the engine's own
// client library (sqlite3 on a SQLite file, libpq on a PostgreSQL server), every value of every
// row read and nothing else done with them, the least any reader of those rows must pay. A query
// is prepared anew on each fetch on both engines (PQexecParams sends the text with its parameter
// each time, as sqlite3_prepare_v2 compiles it each time).

#include <platform/adodb/connection.h>

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <utility>

namespace bench_data {

// A query as each engine reads it. Written once, "?N" marks its parameters and becomes "$N" for
// PostgreSQL; a query whose functions differ between the engines gives both texts.
struct RawQuery {
    RawQuery(const char* both) : RawQuery(std::string(both)) {}
    RawQuery(const std::string& both) : sqlite(both), postgres(Numbered(both)) {}
    RawQuery(std::string sqliteText, std::string postgresText)
        : sqlite(std::move(sqliteText)), postgres(std::move(postgresText)) {}

    static std::string Numbered(const std::string& sql) {
        std::string text = sql;
        for (size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == '?' && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
                text[i] = '$';
            }
        }
        return text;
    }

    std::string sqlite;
    std::string postgres;
};

class RawConnection {
  public:
    // A SQLite file or a PostgreSQL address, as the benchmark databases are named.
    explicit RawConnection(const std::string& database) {
        if (adodb::IsPostgresAddress(database)) {
            postgres_ = PQconnectdb(database.c_str());
            if (PQstatus(postgres_) != CONNECTION_OK) {
                error_ = PQerrorMessage(postgres_);
            } else {
                // Read-only, as the library's connections for the tracking views are.
                Check(PQexec(postgres_, "SET default_transaction_read_only = on"));
            }
        } else if (sqlite3_open_v2(database.c_str(), &sqlite_, SQLITE_OPEN_READWRITE, nullptr) !=
                   SQLITE_OK) {
            error_ = sqlite_ ? sqlite3_errmsg(sqlite_) : "out of memory";
        }
    }
    ~RawConnection() {
        if (postgres_) PQfinish(postgres_);
        if (sqlite_) sqlite3_close(sqlite_);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    // Why the last use failed, "" when nothing did.
    const std::string& Error() const { return error_; }
    sqlite3* Sqlite() const { return sqlite_; }
    PGconn* Postgres() const { return postgres_; }

    // The rows of the query with its one parameter, every value read; -1 when it fails.
    int64_t Fetch(const RawQuery& query, int64_t parameter) {
        if (postgres_) return FetchPostgres(query.postgres, std::to_string(parameter));
        return FetchSqlite(query.sqlite, [&](sqlite3_stmt* statement) {
            sqlite3_bind_int64(statement, 1, parameter);
        });
    }
    int64_t Fetch(const RawQuery& query, const std::string& parameter) {
        if (postgres_) return FetchPostgres(query.postgres, parameter);
        return FetchSqlite(query.sqlite, [&](sqlite3_stmt* statement) {
            sqlite3_bind_text(statement, 1, parameter.c_str(), static_cast<int>(parameter.size()),
                              SQLITE_STATIC);
        });
    }

    // Every value of a PostgreSQL result read, as a reader of its rows must read them.
    static void ReadAll(const PGresult* result) {
        const int rows = PQntuples(result);
        const int columns = PQnfields(result);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) benchmark::DoNotOptimize(PQgetvalue(result, r, c));
        }
    }

    // Every value of the SQLite statement's rows read, stepping it to its end.
    static int64_t ReadAll(sqlite3_stmt* statement) {
        int64_t rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                if (sqlite3_column_type(statement, c) == SQLITE_TEXT) {
                    benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
                } else {
                    benchmark::DoNotOptimize(sqlite3_column_double(statement, c));
                }
            }
            ++rows;
        }
        return rows;
    }

  private:
    template <typename Bind>
    int64_t FetchSqlite(const std::string& sql, Bind bind) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(sqlite_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            error_ = sqlite3_errmsg(sqlite_);
            return -1;
        }
        bind(statement);
        const int64_t rows = ReadAll(statement);
        sqlite3_finalize(statement);
        return rows;
    }

    int64_t FetchPostgres(const std::string& sql, const std::string& parameter) {
        const char* values[] = {parameter.c_str()};
        PGresult* result =
            PQexecParams(postgres_, sql.c_str(), 1, nullptr, values, nullptr, nullptr, 0);
        if (PQresultStatus(result) != PGRES_TUPLES_OK) {
            error_ = PQresultErrorMessage(result);
            PQclear(result);
            return -1;
        }
        ReadAll(result);
        const int64_t rows = PQntuples(result);
        PQclear(result);
        return rows;
    }

    void Check(PGresult* result) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK) error_ = PQresultErrorMessage(result);
        PQclear(result);
    }

    sqlite3* sqlite_ = nullptr;
    PGconn* postgres_ = nullptr;
    std::string error_;
};

}  // namespace bench_data
