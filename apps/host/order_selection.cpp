#include "order_selection.h"

#include <client/erp_database/sqlite_database.h>

#include <charconv>
#include <stdexcept>

namespace apps {

namespace {

namespace erp = client::erp_database;

constexpr int32_t kExportOrderClass = 1007100;

struct OrderName {
    std::string number;
    int64_t entry = 0;  // 0: the whole order
};

OrderName ParseOrderName(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) return {text, 0};
    OrderName name{text.substr(0, colon), 0};
    const std::string entry = text.substr(colon + 1);
    const auto [next, error] =
        std::from_chars(entry.data(), entry.data() + entry.size(), name.entry);
    if (error != std::errc() || next != entry.data() + entry.size() || name.entry < 1 ||
        name.number.empty()) {
        throw std::runtime_error("\"" + text + "\" is not NUMBER or NUMBER:ENTRY");
    }
    return name;
}

}  // namespace

automation::VectorPtr SelectSalesOrders(const std::string& databasePath, int32_t classTypeId,
                                        const std::vector<std::string>& orders) {
    const bool exportOrders = classTypeId == kExportOrderClass;
    erp::SqliteDatabase db(databasePath, false);
    auto order =
        db.Prepare("SELECT FInterID FROM SEOrder WHERE FBillNo = ?1 AND FClassTypeID = ?2");
    auto entry =
        db.Prepare("SELECT COUNT(*) FROM SEOrderEntry WHERE FInterID = ?1 AND FEntryID = ?2");
    auto selection = std::make_shared<automation::Vector>();
    for (const auto& text : orders) {
        const OrderName name = ParseOrderName(text);
        if (!order.Query({name.number, int64_t{exportOrders ? kExportOrderClass : 0}})) {
            throw std::runtime_error("\"" + name.number + "\" is not " +
                                     (exportOrders ? "an export order" : "a sales order") +
                                     " in the database");
        }
        const int64_t interId = order.ColumnInt(0);
        order.Reset();
        auto item = std::make_shared<automation::Dictionary>();
        item->SetItem("FInterID", static_cast<int32_t>(interId));
        item->SetItem("FBillNo", name.number);
        if (name.entry > 0) {
            entry.Query({interId, name.entry});
            const bool exists = entry.ColumnInt(0) > 0;
            entry.Reset();
            if (!exists) {
                throw std::runtime_error("the order " + name.number + " has no entry " +
                                         std::to_string(name.entry));
            }
            item->SetItem("FEntryID", static_cast<int32_t>(name.entry));
        }
        selection->Add(item);
    }
    return selection;
}

}  // namespace apps
