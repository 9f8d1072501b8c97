// Time of the two middle-tier calls a tracker makes most: the head of a task order and the rows
// of one tracked kind, on a 1,000-order and a 100,000-order demo database, each beside the same
// query on a statement prepared once on an open connection (the least a call could cost). Both
// are index look-ups, so the time per call should not grow with the database. The databases are
// built once into the temporary folder ($TMPDIR or /tmp) and kept for later runs.

#include <client/erp_database/demo_database.h>
#include <client/erp_database/erp_schema.h>
#include <client/middle_tier/middle_tier_servers.h>

#include <platform/adodb/recordset.h>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

namespace erp = client::erp_database;

std::string DemoDatabase(int32_t orders) {
    static std::map<int32_t, std::string> built;
    auto& path = built[orders];
    if (path.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        path = (std::filesystem::path(tmp && *tmp ? tmp : "/tmp") /
                ("trackquery_bench_" + std::to_string(orders) + ".db"))
                   .string();
        if (!std::filesystem::exists(path)) {
            erp::DemoDefinition definition;
            definition.taskOrders = orders;
            erp::BuildDemoDatabase(path, definition);
        }
    }
    return path;
}

std::string Props(int32_t orders) {
    return erp::PropsStringFor(DemoDatabase(orders), erp::kAdministratorID, "administrator");
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
void PreparedQueries(benchmark::State& state, const std::vector<std::string>& queries) {
    const auto orders = static_cast<int32_t>(state.range(0));
    sqlite3* db = nullptr;
    sqlite3_open_v2(DemoDatabase(orders).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
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
            while (sqlite3_step(statement) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                    if (sqlite3_column_type(statement, c) == SQLITE_TEXT) {
                        benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
                    } else {
                        benchmark::DoNotOptimize(sqlite3_column_double(statement, c));
                    }
                }
            }
            sqlite3_reset(statement);
        }
    }
    for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
    sqlite3_close(db);
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

BENCHMARK(BM_TaskOrderHead)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TaskOrderHeadPrepared)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedBillRows)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedBillRowsPrepared)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
