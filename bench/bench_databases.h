#pragma once
// The databases the tracking benchmarks read, built once into the temporary folder ($TMPDIR or
// /tmp) and kept for later runs: one with more task orders than a navigation tree holds, one whose
// first ordinary task order has 10,000 production issues, one with more sales order entries than
// an order list takes unasked, one whose first sales order entry has 10,000 deliveries. Shared by
// every benchmark program, so their figures are of the same data. A database kept from an older
// generator is not rebuilt: scripts/bench gives each build its own folder.

#include <client/erp_database/demo_database.h>
#include <client/erp_database/sqlite_database.h>

#include <platform/automation/collections.h>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

namespace bench_data {

namespace erp = client::erp_database;

constexpr int32_t kNavigationOrders = 32767;
constexpr int32_t kExpandedBills = 10000;

inline std::filesystem::path TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// A demo database with more task orders than one tree takes.
inline const std::string& NavigationDatabase() {
    static const std::string path = [] {
        const auto file = (TempFolder() / "trackquery_icmo_bench_nav.db").string();
        if (!std::filesystem::exists(file)) {
            erp::DemoDefinition definition;
            definition.taskOrders = kNavigationOrders + 233;
            erp::BuildDemoDatabase(file, definition);
        }
        return file;
    }();
    return path;
}

// A small demo database whose first ordinary task order has 10,000 production issues.
inline const std::string& ExpansionDatabase() {
    static const std::string path = [] {
        const auto file = (TempFolder() / "trackquery_icmo_bench_expand.db").string();
        if (!std::filesystem::exists(file)) {
            const std::string order =
                "(SELECT MIN(FInterID) FROM ICMO WHERE FTranType=85 AND FScheduleID=0)";
            const std::string numbers =
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                "FROM n WHERE i < " +
                std::to_string(kExpandedBills) + ") ";
            erp::FixtureDefinition definition;
            definition.data.taskOrders = 30;
            definition.statements = {
                numbers +
                    "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FStatus, "
                    "FBillerID) SELECT 900000 + i, 'BENCH' || printf('%05d', i), 24, "
                    "'2026-05-01', 1, 16394 FROM n",
                numbers +
                    "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FPrice, "
                    "FAmount, FICMOInterID) SELECT 900000 + i, 1, (SELECT FItemID FROM ICMO "
                    "WHERE FInterID = " +
                    order + "), 2.5, 3, 7.5, " + order + " FROM n"};
            erp::BuildFixture(file, definition);
        }
        return file;
    }();
    return path;
}

struct TaskOrders {
    automation::VectorPtr bills = std::make_shared<automation::Vector>();
    automation::DictionaryPtr status = std::make_shared<automation::Dictionary>();
};

inline const char* const kTaskOrderSql =
    "SELECT FInterID, FBillNo, FStatus, FSuspend, FCancellation FROM ICMO ORDER BY FInterID "
    "LIMIT ?1";

inline TaskOrders ReadTaskOrders(const std::string& path, int32_t count) {
    TaskOrders orders;
    erp::SqliteDatabase db(path, false);
    auto rows = db.Prepare(kTaskOrderSql);
    for (bool more = rows.Query({int64_t{count}}); more; more = rows.Next()) {
        auto bill = std::make_shared<automation::Dictionary>();
        bill->SetItem("FInterID", static_cast<int32_t>(rows.ColumnInt(0)));
        bill->SetItem("FBillNo", rows.ColumnText(1));
        orders.bills->Add(bill);
        auto state = std::make_shared<automation::Dictionary>();
        state->SetItem("FStatus", static_cast<int32_t>(rows.ColumnInt(2)));
        state->SetItem("FSuspend", static_cast<int32_t>(rows.ColumnInt(3)));
        state->SetItem("FCancellation", static_cast<int32_t>(rows.ColumnInt(4)));
        orders.status->SetItem(std::to_string(rows.ColumnInt(0)), state);
    }
    return orders;
}

constexpr int32_t kListedEntries = 2000;
constexpr int32_t kPhaseBills = 10000;

// A demo database with more checked sales order entries than the order list takes unasked.
inline const std::string& SalesListDatabase() {
    static const std::string path = [] {
        const auto file = (TempFolder() / "trackquery_seorder_bench_list.db").string();
        if (!std::filesystem::exists(file)) {
            erp::DemoDefinition definition;
            definition.salesOrders = 2000;
            erp::BuildDemoDatabase(file, definition);
        }
        return file;
    }();
    return path;
}

// The first entry of the first checked sales order: the entry whose delivery phase holds the
// benchmark's bills.
inline const char* const kPhaseEntrySql =
    "SELECT FInterID, FEntryID FROM VSEOrderEntryList WHERE FOrderClassTypeID = 0 AND "
    "IFNULL(FCheckerID, 0) > 0 AND FCancellation = 0 ORDER BY FBillNo, FInterID, FEntryID LIMIT 1";

// A small demo database whose first sales order entry has 10,000 sales deliveries.
inline const std::string& SalesPhaseDatabase() {
    static const std::string path = [] {
        const auto file = (TempFolder() / "trackquery_seorder_bench_phase.db").string();
        if (!std::filesystem::exists(file)) {
            const std::string entry =
                "(SELECT FInterID, FEntryID FROM (" + std::string(kPhaseEntrySql) + "))";
            const std::string numbers =
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                std::to_string(kPhaseBills) + ") ";
            erp::FixtureDefinition definition;
            definition.data.taskOrders = 30;
            definition.statements = {
                numbers +
                    "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FStatus, "
                    "FBillerID) SELECT 800000 + i, 'SOBENCH' || printf('%05d', i), 21, "
                    "'2026-05-01', 1, 16394 FROM n",
                numbers +
                    "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FPrice, "
                    "FAmount, FOrderInterID, FOrderEntryID) SELECT 800000 + i, 1, e.FItemID, "
                    "2.5, 3, 7.5, e.FInterID, e.FEntryID FROM n, SEOrderEntry e WHERE "
                    "(e.FInterID, e.FEntryID) = " +
                    entry};
            erp::BuildFixture(file, definition);
        }
        return file;
    }();
    return path;
}

// The order and entry of the phase database's long delivery phase.
inline std::pair<int32_t, int32_t> PhaseEntry() {
    erp::SqliteDatabase db(SalesPhaseDatabase(), false);
    auto rows = db.Prepare(kPhaseEntrySql);
    if (!rows.Query({})) return {0, 0};
    return {static_cast<int32_t>(rows.ColumnInt(0)), static_cast<int32_t>(rows.ColumnInt(1))};
}

// Load's parameters for that entry alone.
inline automation::DictionaryPtr PhaseOrder() {
    const auto [order, entry] = PhaseEntry();
    auto para = std::make_shared<automation::Dictionary>();
    para->SetItem("ClassTypeID", int32_t{81});
    auto item = std::make_shared<automation::Dictionary>();
    item->SetItem("FInterID", order);
    item->SetItem("FEntryID", entry);
    auto list = std::make_shared<automation::Vector>();
    list->Add(item);
    para->SetItem("vctSeOrderList", list);
    return para;
}

// Steps through every row of a query, reading every column, as the least any reader must do.
inline int64_t RawFetch(sqlite3* db, const std::string& sql, int64_t parameter) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
    sqlite3_bind_int64(statement, 1, parameter);
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
    sqlite3_finalize(statement);
    return rows;
}

inline int32_t ExpandedTaskOrder() {
    erp::SqliteDatabase db(ExpansionDatabase(), false);
    return static_cast<int32_t>(
        db.QueryInt("SELECT MIN(FInterID) FROM ICMO WHERE FTranType=85 AND FScheduleID=0"));
}

}  // namespace bench_data
