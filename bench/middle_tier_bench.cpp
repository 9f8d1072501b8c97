// Time of the two middle-tier calls a tracker makes most: the head of a task order and the rows
// of one tracked kind, on tracking databases of 1,000 and 100,000 task orders (and 1,000,000 on
// PostgreSQL), each beside the same queries on statements prepared once on an open connection
// (the least a call could cost). Both are index look-ups, so the time per call should not grow
// with the database. The databases are built once into the temporary folder ($TMPDIR or /tmp)
// and kept for later runs; with TRACKQUERY_BENCH_POSTGRES set they are read from PostgreSQL
// (bench_databases.h).

#include "bench_databases.h"
#include "bench_raw_fetch.h"

#include <components/erp_database/erp_schema.h>
#include <components/middle_tier/middle_tier_servers.h>

#include <platform/adodb/recordset.h>

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

using namespace bench_data;

std::string Props(int32_t orders) {
    return erp::PropsStringFor(TrackingDatabase(orders), erp::kAdministratorID, "administrator");
}

// Task orders spread over the whole database, so no call finds its rows in a warm corner.
int32_t TaskOrderAt(int64_t call, int32_t orders) {
    return static_cast<int32_t>(1 + (call * 7919) % orders);
}

void BM_TaskOrderHead(benchmark::State& state) {
    const auto orders = static_cast<int32_t>(state.range(0));
    const std::string props = Props(orders);
    client::middle_tier::GetICMOQueryServer server;
    int64_t call = 0;
    for (auto _ : state) {
        auto rs = server.GetICMOQuery(props, TaskOrderAt(call++, orders), 85,
                                      automation::Variant(int32_t{-85}));
        benchmark::DoNotOptimize(rs->RecordCount());
    }
}

void BM_TrackedBillRows(benchmark::State& state) {
    const auto orders = static_cast<int32_t>(state.range(0));
    const std::string props = Props(orders);
    client::middle_tier::GetICMOQueryServer server;
    int64_t call = 0, rows = 0;
    for (auto _ : state) {
        auto rs = server.GetICMOQuery(props, TaskOrderAt(call++, orders), -85,
                                      automation::Variant(int32_t{-88}));
        rows += rs->RecordCount();
    }
    state.counters["rows/call"] = static_cast<double>(rows) / static_cast<double>(call);
}

// Runs the queries of a call again and again, each on a statement prepared once on an open
// read-only connection, reading every column of every row; a query with a parameter takes the
// task order a call sequence would ask about.
void PreparedSqlite(benchmark::State& state, const std::string& database,
                    const std::vector<std::string>& queries) {
    const auto orders = static_cast<int32_t>(state.range(0));
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::vector<sqlite3_stmt*> statements;
    for (const auto& sql : queries) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            break;
        }
        statements.push_back(statement);
    }
    int64_t call = 0;
    for (auto _ : state) {
        if (statements.size() != queries.size()) break;
        const int32_t order = TaskOrderAt(call++, orders);
        for (sqlite3_stmt* statement : statements) {
            if (sqlite3_bind_parameter_count(statement) > 0)
                sqlite3_bind_int64(statement, 1, order);
            RawConnection::ReadAll(statement);
            sqlite3_reset(statement);
        }
    }
    for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
    sqlite3_close(db);
}

// The same on PostgreSQL: each query prepared once on the server (PQprepare), then run by name
// with the call's task order (PQexecPrepared), every value read with PQgetvalue.
void PreparedPostgres(benchmark::State& state, const std::string& database,
                      const std::vector<std::string>& queries) {
    const auto orders = static_cast<int32_t>(state.range(0));
    PGconn* db = PQconnectdb(database.c_str());
    std::vector<std::pair<std::string, int>> statements;  // name, parameters
    auto ok = [&](PGresult* result, ExecStatusType expected) {
        const bool passed = PQresultStatus(result) == expected;
        if (!passed) state.SkipWithError(PQresultErrorMessage(result));
        PQclear(result);
        return passed;
    };
    if (PQstatus(db) != CONNECTION_OK) {
        state.SkipWithError(PQerrorMessage(db));
    } else if (ok(PQexec(db, "SET default_transaction_read_only = on"), PGRES_COMMAND_OK)) {
        for (const auto& sql : queries) {
            const std::string name = "q" + std::to_string(statements.size());
            const std::string text = RawQuery::Numbered(sql);
            const int parameters = text.find("$1") == std::string::npos ? 0 : 1;
            if (!ok(PQprepare(db, name.c_str(), text.c_str(), parameters, nullptr),
                    PGRES_COMMAND_OK)) {
                break;
            }
            statements.emplace_back(name, parameters);
        }
    }
    int64_t call = 0;
    for (auto _ : state) {
        if (statements.size() != queries.size()) break;
        const std::string order = std::to_string(TaskOrderAt(call++, orders));
        const char* values[] = {order.c_str()};
        for (const auto& [name, parameters] : statements) {
            PGresult* result = PQexecPrepared(db, name.c_str(), parameters,
                                              parameters ? values : nullptr, nullptr, nullptr, 0);
            if (PQresultStatus(result) != PGRES_TUPLES_OK) {
                state.SkipWithError(PQresultErrorMessage(result));
                PQclear(result);
                break;
            }
            RawConnection::ReadAll(result);
            PQclear(result);
        }
    }
    PQfinish(db);
}

void PreparedQueries(benchmark::State& state, const std::vector<std::string>& queries) {
    const std::string& database = TrackingDatabase(static_cast<int32_t>(state.range(0)));
    if (OnPostgres()) {
        PreparedPostgres(state, database, queries);
    } else {
        PreparedSqlite(state, database, queries);
    }
}

// The head call reads the head row and the server's date.
void BM_TaskOrderHeadPrepared(benchmark::State& state) {
    PreparedQueries(state, {"SELECT * FROM VTrackICMOHead WHERE FInterID = ?1",
                            "SELECT FValue FROM t_SystemProfile WHERE FCategory = 'Base' AND "
                            "FKey = 'SysDate'"});
}

// The rows call reads the bills of the kind (the names of its view and columns aside).
void BM_TrackedBillRowsPrepared(benchmark::State& state) {
    PreparedQueries(state, {"SELECT * FROM VTrack_PPBOM WHERE FParentID = ?1 "
                            "ORDER BY FBillNO, FEntryID, FBillInterID"});
}

// A million task orders only on PostgreSQL, whose run can afford building them.
void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1000)->Arg(100000);
    if (OnPostgres()) benchmark->Arg(1000000);
    Timed(benchmark);
}

BENCHMARK(BM_TaskOrderHead)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TaskOrderHeadPrepared)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedBillRows)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedBillRowsPrepared)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
