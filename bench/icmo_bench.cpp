// Time of the two long user actions of task order tracking, each beside the raw SQLite fetch of
// the same rows in the same run, so the library's own cost reads as a ratio:
//
// - the navigation fill: InitTrack with 32,767 task orders (the most one tree holds), against a
//   plain SELECT of their numbers and states;
// - the expansion of a tracked-bill node holding 10,000 bills (production issues of one task
//   order), against a plain SELECT of the node's view, with the heap the expanded rows hold per
//   bill (bytes_per_bill).
//
// The databases are built once into the temporary folder ($TMPDIR or /tmp) and kept for later
// runs. Run: build-*/bench/bench_icmo_bench

#include "bench_databases.h"

#include <client/erp_database/sqlite_database.h>
#include <client/headless/headless_session.h>
#include <client/trace_viewer/headless_trace_viewer.h>

#include <platform/windowing/form.h>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace bench_data;
namespace erp = client::erp_database;

void BM_NavigationFill(benchmark::State& state) {
    const auto orders = ReadTaskOrders(NavigationDatabase(), kNavigationOrders);
    client::HeadlessSession session({.databasePath = NavigationDatabase()});
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

void BM_NavigationRawFetch(benchmark::State& state) {
    erp::SqliteDatabase db(NavigationDatabase(), false);
    int64_t rows = 0;
    for (auto _ : state) rows = RawFetch(db.Handle(), kTaskOrderSql, kNavigationOrders);
    state.counters["rows"] = static_cast<double>(rows);
}

// The bytes the heap holds for the program now.
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The 1-based position of the detail node of a kind, 0 when the view has none.
std::string NodePath(client::HeadlessTraceViewer& viewer, const std::string& kind) {
    auto model = viewer.GetDetailModel();
    for (int32_t i = 1; model && i <= model->Count(); ++i) {
        if (model->Nodes()[static_cast<size_t>(i - 1)]->Key == kind) return std::to_string(i);
    }
    return "";
}

void BM_ExpandNode(benchmark::State& state) {
    const int32_t order = ExpandedTaskOrder();
    client::HeadlessSession session({.databasePath = ExpansionDatabase()});
    auto tracker = session.CreateICMOQuery();
    auto list = client::HeadlessSession::BillList({{order, "bench"}});
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

void BM_ExpandRawFetch(benchmark::State& state) {
    erp::SqliteDatabase db(ExpansionDatabase(), false);
    const int32_t order = ExpandedTaskOrder();
    int64_t rows = 0;
    for (auto _ : state) {
        rows = RawFetch(db.Handle(), "SELECT * FROM VTrack_Stock24 WHERE FParentID = ?1", order);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_NavigationFill)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NavigationRawFetch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandNode)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExpandRawFetch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
