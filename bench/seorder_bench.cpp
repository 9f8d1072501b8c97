// Time of the two long user actions of sales order tracking, each beside the raw fetch of the
// same rows in the same run, so the library's own cost reads as a ratio:
//
// - loading an order list of 2,000 order entries (the most the list takes without asking), named
//   one by one, into the navigation tree, against a plain SELECT of the entries so named;
// - the expansion of an execution phase holding 10,000 bills (sales deliveries of one order
//   entry), against a plain SELECT of the phase's view.
//
// The databases are built once into the temporary folder ($TMPDIR or /tmp) and kept for later
// runs; with TRACKQUERY_BENCH_POSTGRES set they are read from PostgreSQL (bench_databases.h).
// Run: build-*/bench/bench_seorder_bench

#include "bench_databases.h"
#include "bench_raw_fetch.h"

#include <components/viewer/viewer_document.h>
#include <harness/headless_session.h>

#include <platform/windowing/form.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace bench_data;

// The entry list of the sales orders, as the order list reads it for the tree.
const char* const kEntrySql =
    "SELECT DISTINCT v.FInterID, v.FBillNo, v.FCustName, v.FEntryID, 0 AS FDetailID, "
    "v.FItemNumber, v.FItemName, v.FItemModel FROM VSEOrderEntryList v "
    "WHERE v.FOrderClassTypeID = 0 AND IFNULL(v.FCheckerID, 0) > 0 AND v.FCancellation = 0 "
    "ORDER BY v.FBillNo, v.FInterID, v.FEntryID, 5 LIMIT ?1";

// Load's parameters: the first `count` entries of the sales orders, each named by its order and
// entry.
automation::DictionaryPtr EntryList(const std::string& database, int32_t count) {
    auto para = std::make_shared<automation::Dictionary>();
    para->SetItem("ClassTypeID", int32_t{81});
    auto list = std::make_shared<automation::Vector>();
    adodb::Connection db;
    db.Open(ReadOnly(database));
    auto rows = db.Execute(kEntrySql, {Variant(count)});
    for (; !rows->Eof(); rows->MoveNext()) {
        auto entry = std::make_shared<automation::Dictionary>();
        entry->SetItem("FInterID", automation::CLng(rows->Value(int32_t{0})));
        entry->SetItem("FEntryID", automation::CLng(rows->Value(int32_t{3})));
        list->Add(entry);
    }
    para->SetItem("vctSeOrderList", list);
    return para;
}

// Closes the view as its page does.
void Close(harness::HeadlessSession& session) {
    auto viewer = session.Viewer();
    if (auto window = viewer ? viewer->Window() : nullptr) {
        viewer->Close();
        window->Unload();
    }
}

harness::HeadlessSessionOptions SalesSession(const std::string& path) {
    return {.databasePath = path, .subId = "XS"};
}

void BM_OrderListLoad(benchmark::State& state) {
    const auto para = EntryList(SalesListDatabase(), kListedEntries);
    harness::HeadlessSession session(SalesSession(SalesListDatabase()));
    int32_t nodes = 0;
    for (auto _ : state) {
        auto tracker = session.CreateSeOrderQuery();
        if (!session.LoadEmbedded(tracker, para)) {
            state.SkipWithError("Load failed");
            break;
        }
        nodes = session.Viewer()->GetNavigationModel()->NodeCount();
        state.PauseTiming();
        Close(session);
        state.ResumeTiming();
    }
    state.counters["nodes"] = nodes;
}

// The entries of a list of (order, entry) pairs given as JSON, as any reader of such a list
// must select them, in each engine's JSON functions.
const RawQuery kListedEntrySql{
    "SELECT DISTINCT v.FInterID, v.FBillNo, v.FCustName, v.FEntryID, 0 AS FDetailID, "
    "v.FItemNumber, v.FItemName, v.FItemModel FROM VSEOrderEntryList v JOIN (SELECT DISTINCT "
    "json_extract(value, '$.i') AS i, json_extract(value, '$.e') AS e FROM json_each(?1)) s "
    "ON s.i = v.FInterID AND s.e = v.FEntryID WHERE v.FOrderClassTypeID = 0 AND "
    "IFNULL(v.FCheckerID, 0) > 0 AND v.FCancellation = 0 ORDER BY v.FBillNo, v.FInterID, "
    "v.FEntryID, 5",
    "SELECT DISTINCT v.FInterID, v.FBillNo, v.FCustName, v.FEntryID, 0 AS FDetailID, "
    "v.FItemNumber, v.FItemName, v.FItemModel FROM VSEOrderEntryList v JOIN (SELECT DISTINCT "
    "CAST(value ->> 'i' AS bigint) AS i, CAST(value ->> 'e' AS bigint) AS e "
    "FROM json_array_elements(CAST($1 AS json)) AS value) s "
    "ON s.i = v.FInterID AND s.e = v.FEntryID WHERE v.FOrderClassTypeID = 0 AND "
    "COALESCE(v.FCheckerID, 0) > 0 AND v.FCancellation = 0 ORDER BY v.FBillNo, v.FInterID, "
    "v.FEntryID, 5"};

void BM_OrderListRawFetch(benchmark::State& state) {
    std::string list = "[";
    const auto para = EntryList(SalesListDatabase(), kListedEntries);
    for (const auto& item : para->Item("vctSeOrderList").As<automation::Vector>()->Items()) {
        auto entry = item.As<automation::Dictionary>();
        if (list.size() > 1) list += ",";
        list += "{\"i\":" + std::to_string(entry->Item("FInterID").AsLong()) +
                ",\"e\":" + std::to_string(entry->Item("FEntryID").AsLong()) + "}";
    }
    list += "]";
    RawConnection db(SalesListDatabase());
    int64_t rows = 0;
    for (auto _ : state) {
        rows = db.Fetch(kListedEntrySql, list);
        if (rows < 0) {
            state.SkipWithError(db.Error().c_str());
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// The dotted path of the phase node of a key under the execution node, "" when there is none.
std::string PhasePath(client::ViewerDocument& viewer, const std::string& phase) {
    auto model = viewer.GetDetailModel();
    if (!model || model->Count() < 2) return "";
    const auto& rows = model->Item(2)->Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        auto node = std::dynamic_pointer_cast<trackquery::DetailNode>(rows[i]);
        if (node && node->Key == phase) return "2." + std::to_string(i + 1);
    }
    return "";
}

void BM_ExpandPhase(benchmark::State& state) {
    harness::HeadlessSession session(SalesSession(SalesPhaseDatabase()));
    auto tracker = session.CreateSeOrderQuery();
    if (!session.LoadEmbedded(tracker, PhaseOrder())) {
        state.SkipWithError("Load failed");
        return;
    }
    size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.ClickTool("btnRefresh");
        const std::string path = PhasePath(*session.Viewer(), "21");
        state.ResumeTiming();
        if (path.empty() || !session.ExpandDetail(path)) {
            state.SkipWithError("no delivery phase to expand");
            break;
        }
        auto node = std::dynamic_pointer_cast<trackquery::DetailNode>(
            session.Viewer()->GetDetailModel()->ItemByPath(path));
        rows = node ? node->Rows().size() : 0;
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_ExpandPhaseRawFetch(benchmark::State& state) {
    RawConnection db(SalesPhaseDatabase());
    const auto [order, entry] = PhaseEntry();
    const RawQuery query("SELECT * FROM VPhase_21 WHERE FOrderInterID = ?1 AND FOrderEntryID = " +
                         std::to_string(entry) + " ORDER BY FDate, FInterID");
    int64_t rows = 0;
    for (auto _ : state) {
        rows = db.Fetch(query, order);
        if (rows < 0) {
            state.SkipWithError(db.Error().c_str());
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_OrderListLoad)->Unit(benchmark::kMillisecond)->Iterations(5)->Apply(Timed);
BENCHMARK(BM_OrderListRawFetch)->Unit(benchmark::kMillisecond)->Apply(Timed);
BENCHMARK(BM_ExpandPhase)->Unit(benchmark::kMillisecond)->Iterations(5)->Apply(Timed);
BENCHMARK(BM_ExpandPhaseRawFetch)->Unit(benchmark::kMillisecond)->Apply(Timed);

}  // namespace

BENCHMARK_MAIN();
