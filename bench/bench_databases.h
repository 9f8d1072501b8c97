#pragma once
// The databases the tracking benchmarks read, built once into the temporary folder ($TMPDIR or
// /tmp) and kept for later runs: one with more task orders than a navigation tree holds, one whose
// first ordinary task order has 10,000 production issues, one with more sales order entries than
// an order list takes unasked, one whose first sales order entry has 10,000 deliveries, and the
// tracking databases of 1,000 to 1,000,000 task orders whose first ordinary task order has the
// same 10,000 issues. Shared by every benchmark program, so their figures are of the same data. A
// database kept from an older generator is not rebuilt: scripts/bench gives each build its own
// folder.
//
// On PostgreSQL: with TRACKQUERY_BENCH_POSTGRES set to a server's address (a libpq URI, as
// "postgresql:///postgres?host=/socket/folder&port=5432&user=postgres"), each database is copied
// from its SQLite file into a database of its own on that server (trackquery_bench_<name>, made
// when missing) and the benchmarks read that instead. A server database is kept while its
// stamp (the table trackquery_bench_stamp: TRACKQUERY_BENCH_STAMP, which scripts/bench sets to
// the stamp of the data generator and schema, and the database's name) is unchanged, so the
// minutes a million task orders take to build and copy are spent once. The raw fetches then go
// through libpq, as they go through sqlite3 on a file.

#include <components/erp_database/demo_database.h>
#include <components/erp_database/erp_schema.h>
#include <components/erp_database/postgres_copy.h>
#include <components/erp_database/sqlite_database.h>

#include <platform/adodb/connection.h>
#include <platform/automation/collections.h>
#include <platform/automation/conversions.h>

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace bench_data {

namespace erp = client::erp_database;
using automation::Variant;

constexpr int32_t kNavigationOrders = 32767;
constexpr int32_t kExpandedBills = 10000;

inline std::filesystem::path TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// The PostgreSQL server the benchmarks read from, "" for SQLite files.
inline const std::string& PostgresServer() {
    static const std::string server = [] {
        const char* address = std::getenv("TRACKQUERY_BENCH_POSTGRES");
        return std::string(address ? address : "");
    }();
    return server;
}

inline bool OnPostgres() { return !PostgresServer().empty(); }

// On PostgreSQL much of a statement's time is spent in the server's process, which the
// benchmark thread's CPU time does not see: there the iterations are counted in wall time, and
// scripts/bench takes its ratios from wall time too.
inline void Timed(benchmark::internal::Benchmark* benchmark) {
    if (OnPostgres()) benchmark->UseRealTime();
}

// The address of the database `name` on the server of `server` (another database's address).
inline std::string AddressOf(const std::string& server, const std::string& name) {
    const auto scheme = server.find("://");
    if (scheme == std::string::npos) {
        throw std::invalid_argument("TRACKQUERY_BENCH_POSTGRES is not a postgresql:// address: " +
                                    server);
    }
    const auto path = server.find('/', scheme + 3);
    const auto query = server.find('?', scheme + 3);
    if (path == std::string::npos || (query != std::string::npos && query < path)) {
        const auto at = query == std::string::npos ? server.size() : query;
        return server.substr(0, at) + "/" + name + server.substr(at);
    }
    const auto end = query == std::string::npos ? server.size() : query;
    return server.substr(0, path + 1) + name + server.substr(end);
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The database a benchmark reads for the SQLite file `file`, which `build` makes: the file
// itself, or on PostgreSQL the server database trackquery_bench_<name> copied from it. A file
// only the server's copy needs (`fileRead` false) is removed once copied: the largest is
// gigabytes.
inline std::string Served(const std::filesystem::path& file, const std::string& name,
                          const std::function<void(const std::string&)>& build,
                          bool fileRead = true) {
    if (!OnPostgres()) {
        if (!std::filesystem::exists(file)) build(file.string());
        return file.string();
    }
    const std::string database = "trackquery_bench_" + name;
    const std::string address = AddressOf(PostgresServer(), database);
    const char* given = std::getenv("TRACKQUERY_BENCH_STAMP");
    const std::string stamp = std::string(given ? given : "") + " " + database;
    {
        adodb::Connection server;
        server.Open(erp::ConnectionStringFor(PostgresServer()));
        server.SetCommandTimeout(120);  // a database is made at the server's pace
        auto known = server.Execute("SELECT COUNT(*) FROM pg_database WHERE datname = ?",
                                    {Variant(database)});
        if (automation::CLng(known->Value(int32_t{0})) == 0) {
            server.Execute("CREATE DATABASE " + database);
        }
    }
    adodb::Connection target;
    target.Open(erp::ConnectionStringFor(address));
    auto stamped =
        target.Execute("SELECT to_regclass('trackquery_bench_stamp') IS NOT NULL AS stamped");
    if (automation::CBool(stamped->Value(int32_t{0}))) {
        auto kept = target.Execute("SELECT stamp FROM trackquery_bench_stamp");
        if (!kept->Eof() && automation::CStr(kept->Value(int32_t{0})) == stamp) return address;
    }
    // No stamp while the copy is under way: a copy cut short is made again on the next run.
    target.Execute("DROP TABLE IF EXISTS trackquery_bench_stamp");
    const auto started = std::chrono::steady_clock::now();
    const bool built = !std::filesystem::exists(file);
    if (built) build(file.string());
    const double building = SecondsSince(started);
    const auto copying = std::chrono::steady_clock::now();
    erp::CopyIntoPostgres(file.string(), address);
    // What autovacuum would do to freshly loaded tables soon after, done before the timing
    // starts rather than during it: the rows' hint bits and the visibility map.
    target.Execute("VACUUM ANALYZE");
    target.Execute("CREATE TABLE trackquery_bench_stamp (stamp text)");
    target.Execute("INSERT INTO trackquery_bench_stamp VALUES (?)", {Variant(stamp)});
    if (built) {
        std::fprintf(stderr, "%s: SQLite file built in %.1f s, copied into PostgreSQL in %.1f s\n",
                     database.c_str(), building, SecondsSince(copying));
    } else {
        std::fprintf(stderr, "%s: copied into PostgreSQL in %.1f s from the kept SQLite file\n",
                     database.c_str(), SecondsSince(copying));
    }
    if (built && !fileRead) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    return address;
}

// The connection string that opens a benchmark database read-only, on either engine.
inline std::string ReadOnly(const std::string& database) {
    return erp::ConnectionStringFor(database) + ";Mode=Read";
}

// A demo database with more task orders than one tree takes.
inline const std::string& NavigationDatabase() {
    static const std::string database =
        Served(TempFolder() / "trackquery_icmo_bench_nav.db", "nav", [](const std::string& file) {
            erp::DemoDefinition definition;
            definition.taskOrders = kNavigationOrders + 233;
            erp::BuildDemoDatabase(file, definition);
        });
    return database;
}

// The statements that give the first ordinary task order of a demo database 10,000 production
// issues, their bills numbered from `firstBill` on (above every bill the generator wrote).
inline std::vector<std::string> ExpandedOrderStatements(int64_t firstBill) {
    const std::string order =
        "(SELECT MIN(FInterID) FROM ICMO WHERE FTranType=85 AND FScheduleID=0)";
    const std::string numbers =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
        "FROM n WHERE i < " +
        std::to_string(kExpandedBills) + ") ";
    const std::string bill = std::to_string(firstBill - 1) + " + i";
    return {numbers +
                "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FStatus, "
                "FBillerID) SELECT " +
                bill +
                ", 'BENCH' || printf('%05d', i), 24, "
                "'2026-05-01', 1, 16394 FROM n",
            numbers +
                "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FPrice, "
                "FAmount, FICMOInterID) SELECT " +
                bill +
                ", 1, (SELECT FItemID FROM ICMO "
                "WHERE FInterID = " +
                order + "), 2.5, 3, 7.5, " + order + " FROM n"};
}

// A small demo database whose first ordinary task order has 10,000 production issues.
inline const std::string& ExpansionDatabase() {
    static const std::string database = Served(
        TempFolder() / "trackquery_icmo_bench_expand.db", "expand", [](const std::string& file) {
            erp::FixtureDefinition definition;
            definition.data.taskOrders = 30;
            definition.statements = ExpandedOrderStatements(900001);
            erp::BuildFixture(file, definition);
        });
    return database;
}

// The largest tracking database the SQLite benchmarks read; larger ones are read on PostgreSQL
// only, where a run can afford them.
constexpr int32_t kLargestSqliteOrders = 100000;

// A demo database of `orders` task orders whose first ordinary task order has the 10,000
// production issues: the middle-tier calls, the navigation fill and the expansion of one size
// read the same data.
inline const std::string& TrackingDatabase(int32_t orders) {
    static std::map<int32_t, std::string> served;
    auto& database = served[orders];
    if (database.empty()) {
        database = Served(
            TempFolder() / ("trackquery_bench_tracking_" + std::to_string(orders) + ".db"),
            "tracking_" + std::to_string(orders),
            [orders](const std::string& file) {
                erp::FixtureDefinition definition;
                definition.data = erp::DemoDefinition{.taskOrders = orders};
                // Above the bills of every size the benchmarks build (about 2.4 per task order).
                definition.statements = ExpandedOrderStatements(900000001);
                erp::BuildFixture(file, definition);
            },
            orders <= kLargestSqliteOrders);
    }
    return database;
}

struct TaskOrders {
    automation::VectorPtr bills = std::make_shared<automation::Vector>();
    automation::DictionaryPtr status = std::make_shared<automation::Dictionary>();
};

inline const char* const kTaskOrderSql =
    "SELECT FInterID, FBillNo, FStatus, FSuspend, FCancellation FROM ICMO ORDER BY FInterID "
    "LIMIT ?1";

inline TaskOrders ReadTaskOrders(const std::string& database, int32_t count) {
    TaskOrders orders;
    adodb::Connection db;
    db.Open(ReadOnly(database));
    auto rows = db.Execute(kTaskOrderSql, {Variant(count)});
    for (; !rows->Eof(); rows->MoveNext()) {
        const int32_t interId = automation::CLng(rows->Value(int32_t{0}));
        auto bill = std::make_shared<automation::Dictionary>();
        bill->SetItem("FInterID", interId);
        bill->SetItem("FBillNo", automation::CStr(rows->Value(int32_t{1})));
        orders.bills->Add(bill);
        auto state = std::make_shared<automation::Dictionary>();
        state->SetItem("FStatus", automation::CLng(rows->Value(int32_t{2})));
        state->SetItem("FSuspend", automation::CLng(rows->Value(int32_t{3})));
        state->SetItem("FCancellation", automation::CLng(rows->Value(int32_t{4})));
        orders.status->SetItem(std::to_string(interId), state);
    }
    return orders;
}

constexpr int32_t kListedEntries = 2000;
constexpr int32_t kPhaseBills = 10000;

// A demo database with more checked sales order entries than the order list takes unasked.
inline const std::string& SalesListDatabase() {
    static const std::string database = Served(TempFolder() / "trackquery_seorder_bench_list.db",
                                               "list", [](const std::string& file) {
                                                   erp::DemoDefinition definition;
                                                   definition.salesOrders = 2000;
                                                   erp::BuildDemoDatabase(file, definition);
                                               });
    return database;
}

// The first entry of the first checked sales order: the entry whose delivery phase holds the
// benchmark's bills.
inline const char* const kPhaseEntrySql =
    "SELECT FInterID, FEntryID FROM VSEOrderEntryList WHERE FOrderClassTypeID = 0 AND "
    "IFNULL(FCheckerID, 0) > 0 AND FCancellation = 0 ORDER BY FBillNo, FInterID, FEntryID LIMIT 1";

// A small demo database whose first sales order entry has 10,000 sales deliveries.
inline const std::string& SalesPhaseDatabase() {
    static const std::string database = Served(
        TempFolder() / "trackquery_seorder_bench_phase.db", "phase", [](const std::string& file) {
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
        });
    return database;
}

// The order and entry of the phase database's long delivery phase.
inline std::pair<int32_t, int32_t> PhaseEntry() {
    adodb::Connection db;
    db.Open(ReadOnly(SalesPhaseDatabase()));
    auto rows = db.Execute(kPhaseEntrySql);
    if (rows->Eof()) return {0, 0};
    return {automation::CLng(rows->Value(int32_t{0})), automation::CLng(rows->Value(int32_t{1}))};
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

// The task order with the 10,000 production issues in a database built with them.
inline int32_t ExpandedTaskOrder(const std::string& database) {
    adodb::Connection db;
    db.Open(ReadOnly(database));
    auto rows = db.Execute("SELECT MIN(FInterID) FROM ICMO WHERE FTranType=85 AND FScheduleID=0");
    return rows->Eof() ? 0 : automation::CLng(rows->Value(int32_t{0}));
}

inline int32_t ExpandedTaskOrder() { return ExpandedTaskOrder(ExpansionDatabase()); }

}  // namespace bench_data
