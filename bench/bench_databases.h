#pragma once
// The databases the tracking benchmarks read, built once into the temporary folder ($TMPDIR or
// /tmp) and kept for later runs: one with more task orders than a navigation tree holds, one whose
// first ordinary task order has 10,000 production issues. Shared by every benchmark program, so
// their figures are of the same data.

#include <client/erp_database/demo_database.h>
#include <client/erp_database/sqlite_database.h>

#include <platform/automation/collections.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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

inline int32_t ExpandedTaskOrder() {
    erp::SqliteDatabase db(ExpansionDatabase(), false);
    return static_cast<int32_t>(
        db.QueryInt("SELECT MIN(FInterID) FROM ICMO WHERE FTranType=85 AND FScheduleID=0"));
}

}  // namespace bench_data
