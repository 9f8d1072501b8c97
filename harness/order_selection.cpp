#include "order_selection.h"

#include "erp_database_open.h"

#include <contracts/erp_kinds.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>

#include <charconv>
#include <stdexcept>

namespace harness {

namespace {

using automation::Variant;
using trackquery::kExportOrderClass;

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

automation::VectorPtr SelectSalesOrders(adodb::Connection& erp, int32_t classTypeId,
                                        const std::vector<std::string>& orders) {
    const bool exportOrders = classTypeId == kExportOrderClass;
    auto selection = std::make_shared<automation::Vector>();
    for (const auto& text : orders) {
        const OrderName name = ParseOrderName(text);
        auto order =
            QueryErp(erp, "SELECT FInterID FROM SEOrder WHERE FBillNo = ? AND FClassTypeID = ?",
                     {name.number, Variant(exportOrders ? kExportOrderClass : 0)});
        if (order->Eof()) {
            throw std::runtime_error("\"" + name.number + "\" is not " +
                                     (exportOrders ? "an export order" : "a sales order") +
                                     " in the database");
        }
        const int32_t interId = automation::CLng(order->Value("FInterID"));
        auto item = std::make_shared<automation::Dictionary>();
        item->SetItem("FInterID", interId);
        item->SetItem("FBillNo", name.number);
        if (name.entry > 0) {
            auto entry =
                QueryErp(erp,
                         "SELECT COUNT(*) AS FCount FROM SEOrderEntry WHERE FInterID = ? AND "
                         "FEntryID = ?",
                         {Variant(interId), Variant(static_cast<double>(name.entry))});
            if (automation::CLng(entry->Value("FCount")) == 0) {
                throw std::runtime_error("the order " + name.number + " has no entry " +
                                         std::to_string(name.entry));
            }
            item->SetItem("FEntryID", static_cast<int32_t>(name.entry));
        }
        selection->Add(item);
    }
    return selection;
}

}  // namespace harness
