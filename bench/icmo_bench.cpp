// Time of the two long user actions of task order tracking, each beside the raw fetch of the
// same rows in the same run, so the library's own cost reads as a ratio:
//
// - the navigation fill: InitTrack with 32,767 task orders (the most one tree holds), against a
//   plain SELECT of their numbers and states;
// - the expansion of a tracked-bill node holding 10,000 bills (production issues of one task
//   order), against a plain SELECT of the node's view, with the heap the expanded rows hold per
//   bill (bytes_per_bill).
//
// Each runs on a database just large enough for it and again in the tracking databases of
// 100,000 task orders (and 1,000,000 on PostgreSQL), where the same work must not cost more.
// The databases are built once into the temporary folder ($TMPDIR or /tmp) and kept for later
// runs; with TRACKQUERY_BENCH_POSTGRES set they are read from PostgreSQL (bench_databases.h).
// Run: build-*/bench/bench_icmo_bench

#include "bench_databases.h"
#include "bench_raw_fetch.h"

#include <components/viewer/viewer_document.h>
#include <harness/headless_session.h>

#include <platform/windowing/form.h>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

namespace {

using namespace bench_data;

void NavigationFill(benchmark::State& state, const std::string& database) {
    const auto orders = ReadTaskOrders(database, kNavigationOrders);
    harness::HeadlessSession session({.databasePath = database});
    int32_t nodes = 0;
    for (auto _ : state) {
        auto tracker = session.CreateICMOQuery();
        if (!session.StartEmbedded(tracker, orders.bills, orders.status)) {
            state.SkipWithError("InitTrack failed");
            break;
        }
        nodes = session.Viewer()->GetNavigationModel()->NodeCount();
        state.PauseTiming();
        auto window = session.Viewer()->Window();
        session.Viewer()->Close();
        if (window) window->Unload();
        state.ResumeTiming();
    }
    state.counters["nodes"] = nodes;
}

void NavigationRawFetch(benchmark::State& state, const std::string& database) {
    RawConnection db(database);
    int64_t rows = 0;
    for (auto _ : state) {
        rows = db.Fetch(kTaskOrderSql, kNavigationOrders);
        if (rows < 0) {
            state.SkipWithError(db.Error().c_str());
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_NavigationFill(benchmark::State& state) { NavigationFill(state, NavigationDatabase()); }
void BM_NavigationRawFetch(benchmark::State& state) {
    NavigationRawFetch(state, NavigationDatabase());
}
void BM_NavigationFillInDatabase(benchmark::State& state) {
    NavigationFill(state, TrackingDatabase(static_cast<int32_t>(state.range(0))));
}
void BM_NavigationRawFetchInDatabase(benchmark::State& state) {
    NavigationRawFetch(state, TrackingDatabase(static_cast<int32_t>(state.range(0))));
}

// The bytes the heap holds for the program now.
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The 1-based position of the detail node of a kind, 0 when the view has none.
std::string NodePath(client::ViewerDocument& viewer, const std::string& kind) {
    auto model = viewer.GetDetailModel();
    for (int32_t i = 1; model && i <= model->Count(); ++i) {
        if (model->Nodes()[static_cast<size_t>(i - 1)]->Key == kind) return std::to_string(i);
    }
    return "";
}

void ExpandNode(benchmark::State& state, const std::string& database) {
    const int32_t order = ExpandedTaskOrder(database);
    harness::HeadlessSession session({.databasePath = database});
    auto tracker = session.CreateICMOQuery();
    auto list = harness::HeadlessSession::BillList({{order, "bench"}});
    if (!session.StartEmbedded(tracker, list)) {
        state.SkipWithError("InitTrack failed");
        return;
    }
    size_t rows = 0;
    double bytesPerBill = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.ClickTool("btnRefresh");
        const std::string path = NodePath(*session.Viewer(), "-24");
        const size_t before = HeapInUse();
        state.ResumeTiming();
        if (path.empty() || !session.ExpandDetail(path)) {
            state.SkipWithError("no production issue node to expand");
            break;
        }
        rows = session.Viewer()->GetDetailModel()->Item(std::stoi(path))->Rows().size();
        state.PauseTiming();
        // What the expansion left behind, that is what the viewer's tree holds for the bills.
        bytesPerBill = static_cast<double>(HeapInUse() - before) / static_cast<double>(rows);
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["bytes_per_bill"] = bytesPerBill;
}

void ExpandRawFetch(benchmark::State& state, const std::string& database) {
    RawConnection db(database);
    const int32_t order = ExpandedTaskOrder(database);
    int64_t rows = 0;
    for (auto _ : state) {
        rows = db.Fetch("SELECT * FROM VTrack_Stock24 WHERE FParentID = ?1", order);
        if (rows < 0) {
            state.SkipWithError(db.Error().c_str());
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_ExpandNode(benchmark::State& state) { ExpandNode(state, ExpansionDatabase()); }
void BM_ExpandRawFetch(benchmark::State& state) { ExpandRawFetch(state, ExpansionDatabase()); }
void BM_ExpandNodeInDatabase(benchmark::State& state) {
    ExpandNode(state, TrackingDatabase(static_cast<int32_t>(state.range(0))));
}
void BM_ExpandRawFetchInDatabase(benchmark::State& state) {
    ExpandRawFetch(state, TrackingDatabase(static_cast<int32_t>(state.range(0))));
}

// The task orders of the large tracking databases: a million only on PostgreSQL, whose run can
// afford building it; a SQLite run stays at 100,000.
void LargeDatabases(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(100000);
    if (OnPostgres()) benchmark->Arg(1000000);
    Timed(benchmark);
}

BENCHMARK(BM_NavigationFill)->Unit(benchmark::kMillisecond)->Iterations(3)->Apply(Timed);
BENCHMARK(BM_NavigationRawFetch)->Unit(benchmark::kMillisecond)->Apply(Timed);
BENCHMARK(BM_ExpandNode)->Unit(benchmark::kMillisecond)->Iterations(5)->Apply(Timed);
BENCHMARK(BM_ExpandRawFetch)->Unit(benchmark::kMillisecond)->Apply(Timed);
BENCHMARK(BM_NavigationFillInDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(LargeDatabases);
BENCHMARK(BM_NavigationRawFetchInDatabase)->Unit(benchmark::kMillisecond)->Apply(LargeDatabases);
BENCHMARK(BM_ExpandNodeInDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Apply(LargeDatabases);
BENCHMARK(BM_ExpandRawFetchInDatabase)->Unit(benchmark::kMillisecond)->Apply(LargeDatabases);

}  // namespace

BENCHMARK_MAIN();
