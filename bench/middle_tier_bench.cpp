// Time of the two middle-tier calls a tracker makes most: the head of a task order and the rows
// of one tracked kind, on a 1,000-order and a 100,000-order demo database. Both are index
// look-ups, so the time per call should not grow with the database. The databases are built
// once into the temporary folder ($TMPDIR or /tmp) and kept for later runs.

#include <client/erp_database/demo_database.h>
#include <client/erp_database/erp_schema.h>
#include <client/middle_tier/middle_tier_servers.h>

#include <platform/adodb/recordset.h>

#include <benchmark/benchmark.h>

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

BENCHMARK(BM_TaskOrderHead)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedBillRows)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
