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

// Runs one query again and again on one prepared statement of an open read-only connection,
// reading every column of every row, for the task orders a call sequence would ask about.
void PreparedQuery(benchmark::State& state, const std::string& sql) {
    const auto orders = static_cast<int32_t>(state.range(0));
    sqlite3* db = nullptr;
    sqlite3_open_v2(DemoDatabase(orders).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    int64_t call = 0;
    for (auto _ : state) {
        sqlite3_bind_int64(statement, 1, TaskOrderAt(call++, orders));
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
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

void BM_TaskOrderHeadPrepared(benchmark::State& state) {
    PreparedQuery(state, "SELECT * FROM VTrackICMOHead WHERE FInterID = ?1");
}

void BM_TrackedBillRowsPrepared(benchmark::State& state) {
    PreparedQuery(state,
                  "SELECT * FROM VTrack_PPBOM WHERE FParentID = ?1 "
                  "ORDER BY FBillNO, FEntryID, FBillInterID");
}

BENCHMARK(BM_TaskOrderHead)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TaskOrderHeadPrepared)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedBillRows)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedBillRowsPrepared)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
