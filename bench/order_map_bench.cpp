// Time of the document map of an order with 1,000 bills (250 delivery notices, 250 outbound bills
// naming them, 250 invoices, 250 receipts), read through the middle tier, laid out on its time
// axis and drawn as the terminal draws it, beside the raw fetch of the same bills in the same run.
//
// The database is built once into the temporary folder and kept; with TRACKQUERY_BENCH_POSTGRES
// set it is read from PostgreSQL (bench_databases.h).
// Run: build-*/bench/bench_order_map_bench

#include "bench_databases.h"
#include "bench_raw_fetch.h"

#include <components/order_map/map_layout.h>
#include <components/order_map/map_outline.h>
#include <components/order_map/order_map_reader.h>
#include <harness/headless_session.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace bench_data;

constexpr int32_t kMapOrder = 900001;
constexpr int32_t kBillsPerPhase = 250;

// The statements that give order kMapOrder one entry and 250 bills in each of four phases, all
// numbered above every bill the generator wrote.
std::vector<std::string> MapOrderStatements() {
    const std::string n =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
        "i < " +
        std::to_string(kBillsPerPhase) + ") ";
    const std::string order = std::to_string(kMapOrder);
    const std::string item = "(SELECT MIN(FItemID) FROM t_ICItem)";
    const std::string customer = "(SELECT MIN(FCustID) FROM t_Organization)";
    const std::string day = "date('2026-01-01', '+' || i || ' days')";
    return {
        "INSERT INTO SEOrder (FInterID, FBillNo, FClassTypeID, FDate, FCustID, FCurrencyID, "
        "FStatus, FCheckerID, FBillerID) VALUES (" +
            order + ", 'MAPBENCH', 0, '2026-01-01', " + customer + ", 1, 1, 16396, 16396)",
        "INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FQty, FPrice, FAmount, "
        "FDeliveryDate) VALUES (" +
            order + ", 1, " + item + ", 100000, 10, 1000000, '2026-12-31')",
        n +
            "INSERT INTO SEOutStock (FInterID, FBillNo, FROB, FDate, FCustID, FStatus, FBillerID) "
            "SELECT 900000 + i, 'MAPN' || printf('%05d', i), 1, " +
            day + ", " + customer + ", 1, 16396 FROM n",
        n +
            "INSERT INTO SEOutStockEntry (FInterID, FEntryID, FItemID, FQty, FAmount, "
            "FOrderInterID, FOrderEntryID) SELECT 900000 + i, 1, " +
            item + ", 100, 1000, " + order + ", 1 FROM n",
        n +
            "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FStatus, FBillerID) "
            "SELECT 900000 + i, 'MAPO' || printf('%05d', i), 21, " +
            day + ", 1, 16398 FROM n",
        n +
            "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FAmount, "
            "FOrderInterID, FOrderEntryID, FSourceTranType, FSourceInterID) SELECT 900000 + i, "
            "1, " +
            item + ", 100, 1000, " + order + ", 1, 82, 900000 + i FROM n",
        n +
            "INSERT INTO ICSale (FInterID, FBillNo, FTranType, FDate, FCustID, FStatus, "
            "FBillerID) SELECT 900000 + i, 'MAPF' || printf('%05d', i), 80, " +
            day + ", " + customer + ", 1, 16396 FROM n",
        n +
            "INSERT INTO ICSaleEntry (FInterID, FEntryID, FItemID, FQty, FAmount, FOrderInterID, "
            "FOrderEntryID) SELECT 900000 + i, 1, " +
            item + ", 100, 1000, " + order + ", 1 FROM n",
        n +
            "INSERT INTO t_RPReceipt (FInterID, FBillNo, FClassTypeID, FDate, FCustID, FStatus, "
            "FBillerID) SELECT 900000 + i, 'MAPR' || printf('%05d', i), 1000005, " +
            day + ", " + customer + ", 1, 16396 FROM n",
        n +
            "INSERT INTO t_RPReceiptEntry (FInterID, FEntryID, FAmount, FOrderInterID, "
            "FOrderEntryID) SELECT 900000 + i, 1, 1000, " +
            order + ", 1 FROM n"};
}

const std::string& MapDatabase() {
    static const std::string database = Served(TempFolder() / "trackquery_order_map_bench.db",
                                               "order_map", [](const std::string& file) {
                                                   erp::FixtureDefinition definition;
                                                   definition.data.taskOrders = 40;
                                                   definition.statements = MapOrderStatements();
                                                   erp::BuildFixture(file, definition);
                                               });
    return database;
}

void BM_OrderMap(benchmark::State& state) {
    harness::HeadlessSession session({.databasePath = MapDatabase(), .subId = "XS"});
    const std::string props =
        erp::PropsStringFor(MapDatabase(), erp::kAdministratorID, "administrator");
    client::MapRequest request;
    request.orderId = kMapOrder;
    request.entryId = 1;
    request.showAmount = true;
    size_t bills = 0;
    for (auto _ : state) {
        const client::OrderMap map = client::ReadOrderMap(props, request);
        const client::MapPlacement placement = client::PlaceMap(map);
        benchmark::DoNotOptimize(placement.width);
        const std::string drawn = client::MapOutline(map);
        benchmark::DoNotOptimize(drawn.data());
        bills = map.boxes.size();
    }
    state.counters["bills"] = static_cast<double>(bills);
}

// The bills of the order entry as any reader of them must select them: every phase's rows.
const RawQuery kMapBillsSql{
    "SELECT FClassTypeID, FInterID, FBillNo, FDate, FQty, FAmount, FStatus FROM VPhase_81 WHERE "
    "FOrderInterID = ?1 AND FOrderEntryID = 1 UNION ALL SELECT FClassTypeID, FInterID, FBillNo, "
    "FDate, FQty, FAmount, FStatus FROM VPhase_82 WHERE FOrderInterID = ?1 AND FOrderEntryID = 1 "
    "UNION ALL SELECT FClassTypeID, FInterID, FBillNo, FDate, FQty, FAmount, FStatus FROM "
    "VPhase_21 WHERE FOrderInterID = ?1 AND FOrderEntryID = 1 UNION ALL SELECT FClassTypeID, "
    "FInterID, FBillNo, FDate, FQty, FAmount, FStatus FROM VPhase_80 WHERE FOrderInterID = ?1 "
    "AND FOrderEntryID = 1 UNION ALL SELECT FClassTypeID, FInterID, FBillNo, FDate, 0, FAmount, "
    "FStatus FROM VPhase_1000034 WHERE FOrderInterID = ?1 AND FOrderEntryID = 1"};

void BM_OrderMapRawFetch(benchmark::State& state) {
    RawConnection db(MapDatabase());
    int64_t rows = 0;
    for (auto _ : state) {
        rows = db.Fetch(kMapBillsSql, int64_t{kMapOrder});
        if (rows < 0) {
            state.SkipWithError(db.Error().c_str());
            break;
        }
    }
    state.counters["bills"] = static_cast<double>(rows);
}

}  // namespace

BENCHMARK(BM_OrderMap)->Unit(benchmark::kMillisecond)->Iterations(10)->Apply(Timed);
BENCHMARK(BM_OrderMapRawFetch)->Unit(benchmark::kMillisecond)->Apply(Timed);

BENCHMARK_MAIN();
