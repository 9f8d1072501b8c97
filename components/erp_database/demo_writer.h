#pragma once
// Internal to the generator: the state shared by the steps that write a demo database.

#include <components/erp_database/demo_definition.h>
#include <components/erp_database/sqlite_database.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace client::erp_database::internal {

// A small deterministic generator (splitmix64), the same on every platform.
class DemoRandom {
  public:
    explicit DemoRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // 0 .. bound-1 (bound > 0).
    int64_t Below(int64_t bound) {
        return static_cast<int64_t>(Next() % static_cast<uint64_t>(bound));
    }
    int64_t Between(int64_t low, int64_t high) { return low + Below(high - low + 1); }

  private:
    uint64_t state_;
};

// Days counted from the definition's server date; Date(0) is that date.
class DemoCalendar {
  public:
    explicit DemoCalendar(const std::string& isoDate);
    std::string Date(int64_t offsetDays) const;

  private:
    int64_t base_;  // the server date as a VB date serial (days since 1899-12-30)
};

struct SalesEntry {
    int64_t orderId;
    int64_t entryId;
    int64_t itemId;
    double qty;
    double price;
    bool exportOrder;
};

struct ItemInfo {
    int64_t id;
    int64_t unitId;
    int64_t qtyDecimal;
    int64_t bomId;      // 0 for purchased items
    int64_t routingId;  // 0 when not routed
};

class DemoWriter {
  public:
    DemoWriter(SqliteDatabase& db, const DemoDefinition& definition);

    void WriteUsersAndRights();
    void WriteBaseData();
    void WriteSalesOrders();
    void WriteTaskOrders();
    void WriteSalesPhases();
    // The order whose course shows every lane of the document map, after everything else.
    void WriteShowcaseOrder();

    DemoCounts Counts() const { return counts_; }

  private:
    // Inserts one row through the table's cached INSERT statement.
    void Insert(const std::string& table, const std::vector<std::string>& columns,
                const std::vector<SqlValue>& values);
    int64_t NextId(const std::string& table) { return ++ids_[table]; }
    std::string Number(const std::string& prefix, int64_t id) const;
    double Round2(double value) const;

    void WriteTaskOrder(int64_t id);
    // The order entry the next task order made for an order is made for.
    const SalesEntry& NextSalesEntryToMake();
    void WriteMaterialList(int64_t icmoId, bool outsourced, int64_t status, double qty,
                           int64_t biller, int64_t date);
    void WriteProductReceipts(int64_t icmoId, bool outsourced, int64_t itemId, double stockQty,
                              int64_t biller, int64_t date);
    void WriteReports(int64_t icmoId, double qty, double stockQty, int64_t biller, int64_t date);
    void WriteWorkBills(int64_t icmoId, int64_t itemId, int64_t routingId, int64_t status,
                        double qty, int64_t biller, int64_t date);
    void WriteOperationBills(int64_t icmoId, int64_t itemId, int64_t recordId, int64_t operId,
                             double finished, int64_t biller, int64_t date);
    void WriteEntryPhases(const SalesEntry& entry, int64_t customer, int64_t date);
    // A receipt (1000005) or advance receipt (1000015) of an order entry; a receipt is written
    // off against the entry the next day.
    void WriteReceipt(int64_t kind, double amount, int64_t day, int64_t customer, int64_t order,
                      int64_t entryId);

    SqliteDatabase& db_;
    DemoDefinition definition_;
    DemoRandom random_;
    DemoCalendar calendar_;
    std::map<std::string, std::unique_ptr<Statement>> inserts_;
    std::map<std::string, int64_t> ids_;
    DemoCounts counts_;

    std::vector<ItemInfo> finishedItems_;
    std::vector<ItemInfo> rawItems_;
    std::vector<std::vector<SalesEntry>> salesOrders_;  // entries of each order, by order
    size_t madeTurns_ = 0;  // task orders made for an order entry so far
    std::vector<int64_t> customers_;
    std::map<int64_t, std::vector<int64_t>> routingOperations_;  // routing -> operation ids
    std::vector<int64_t>
        icmoKinds_;  // by task order id - 1: 0 ordinary, 1 repetitive, 2 outsourced
};

}  // namespace client::erp_database::internal
