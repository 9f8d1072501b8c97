#pragma once
// What a generated ERP database holds. The same generator makes the demo database of
// `trackquery demo-db` and the small fixture databases of the tests.

#include <cstdint>
#include <string>
#include <vector>

namespace client::erp_database {

// The most task orders a demo database holds.
inline constexpr int32_t kMaxDemoOrders = 10'000'000;

struct DemoDefinition {
    // Task orders of the three kinds; every other count follows from it.
    int32_t taskOrders = 300;
    // Sales and export orders; -1 takes a quarter of the task orders (at least one).
    int32_t salesOrders = -1;
    uint64_t seed = 1;
    // The server date the tracking views compare planned finish dates with (profile Base/SysDate).
    std::string sysDate = "2026-06-30";
    // The user group switch (profile IC/CheckUserGroup).
    bool checkUserGroup = false;
    // One more sales order, after every other, whose course shows every lane of the document map
    // (the demo's; test fixtures go without).
    bool showcaseOrder = false;
};

// Rows written, for the tool's report.
struct DemoCounts {
    int64_t taskOrders = 0;
    int64_t salesOrders = 0;
    int64_t salesEntries = 0;
    int64_t totalRows = 0;
    // The number of the showcase order, when one was written; its two task orders and its entry
    // are not in the counts above.
    std::string showcaseOrder;
};

// A fixture: generated data plus the statements of the case under test, run after the data.
struct FixtureDefinition {
    DemoDefinition data{.taskOrders = 12, .salesOrders = 4};
    std::vector<std::string> statements;
};

// The users the generator always writes, for tests and the host.
inline constexpr int32_t kAdministratorID = 16394;  // every right, groups 1 and 2
inline constexpr int32_t kPlannerID = 16395;        // production group
inline constexpr int32_t kSalesID = 16396;          // sales group
inline constexpr int32_t kWorkshopID = 16397;       // production and warehouse groups
inline constexpr int32_t kWarehouseID = 16398;      // warehouse group, view rights only
inline constexpr int32_t kGuestID = 16399;          // no group but group 0, no rights

}  // namespace client::erp_database
