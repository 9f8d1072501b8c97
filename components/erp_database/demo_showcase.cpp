// The showcase order of the demo database, written after everything else so that every other
// order, bill and number stays as it was: one sales order entry of 1,000 pieces whose course
// shows every lane of the document map: two task orders with their picks and product receipts,
// two partial deliveries, a return with its red-letter outbound bill, two invoices, an advance
// receipt and a receipt written off against the entry.

#include <components/erp_database/demo_writer.h>

namespace client::erp_database::internal {

namespace {

const std::vector<std::string> kStockBillColumns{"FInterID", "FBillNo",   "FTranType",  "FDate",
                                                 "FStatus",  "FBillerID", "FCheckerID", "FDeptID",
                                                 "FCustID",  "FSupplyID"};
const std::vector<std::string> kStockEntryColumns{
    "FInterID",      "FEntryID",      "FItemID",         "FQty",
    "FPrice",        "FAmount",       "FStockID",        "FICMOInterID",
    "FOrderInterID", "FOrderEntryID", "FSourceTranType", "FSourceInterID"};

}  // namespace

void DemoWriter::WriteShowcaseOrder() {
    if (finishedItems_.empty() || rawItems_.empty() || customers_.empty()) return;
    const ItemInfo& item = finishedItems_.front();
    const int64_t customer = customers_.front();
    const double price = 88;
    // Orders and task orders are numbered by the generator's own counts, as they were written.
    const int64_t order = static_cast<int64_t>(salesOrders_.size()) + 1;
    Insert("SEOrder",
           {"FInterID", "FBillNo", "FTranType", "FClassTypeID", "FDate", "FCustID", "FDeptID",
            "FCurrencyID", "FExchangeRate", "FStatus", "FCheckerID", "FCancellation", "FBillerID"},
           {order, Number("SEORD", order), int64_t{81}, int64_t{0}, calendar_.Date(-60), customer,
            int64_t{1}, int64_t{1}, 1.0, int64_t{1}, int64_t{kSalesID}, int64_t{0},
            int64_t{kSalesID}});
    Insert(
        "SEOrderEntry",
        {"FInterID", "FEntryID", "FItemID", "FQty", "FPrice", "FAmount", "FDeliveryDate",
         "FMrpClosed"},
        {order, int64_t{1}, item.id, 1000.0, price, 1000 * price, calendar_.Date(-5), int64_t{0}});
    // The counts report what was asked for; the showcase is named on its own.
    counts_.showcaseOrder = Number("SEORD", order);

    // Two task orders, each with its pick and its product receipt.
    const std::vector<std::pair<double, int64_t>> made{{600, -57}, {400, -55}};
    for (const auto& [qty, day] : made) {
        const int64_t icmo = static_cast<int64_t>(icmoKinds_.size()) + 1;
        icmoKinds_.push_back(0);
        Insert("ICMO",
               {"FInterID", "FBillNo", "FTranType", "FType", "FStatus", "FBillerID", "FCheckerID",
                "FDate", "FItemID", "FUnitID", "FWorkShop", "FQty", "FStockQty", "FPlanCommitDate",
                "FPlanFinishDate", "FOrderClassTypeID", "FOrderInterID", "FOrderEntryID"},
               {icmo, Number("WORK", icmo), int64_t{85}, int64_t{1054}, int64_t{qty > 500 ? 3 : 1},
                int64_t{kPlannerID}, int64_t{kAdministratorID}, calendar_.Date(day), item.id,
                item.unitId, int64_t{1}, qty, qty > 500 ? qty : qty - 100, calendar_.Date(day + 2),
                calendar_.Date(day + 20), int64_t{81}, order, int64_t{1}});
        const int64_t pick = NextId("ICStockBill");
        Insert("ICStockBill", kStockBillColumns,
               {pick, Number("SOUT", pick), int64_t{24}, calendar_.Date(day + 2), int64_t{1},
                int64_t{kWarehouseID}, int64_t{kWarehouseID}, int64_t{1}, int64_t{0}, int64_t{0}});
        Insert("ICStockBillEntry", kStockEntryColumns,
               {pick, int64_t{1}, rawItems_.front().id, qty * 2, 2.5, qty * 5, int64_t{1}, icmo,
                int64_t{0}, int64_t{0}, int64_t{0}, int64_t{0}});
        const int64_t receipt = NextId("ICStockBill");
        Insert("ICStockBill", kStockBillColumns,
               {receipt, Number("CIN", receipt), int64_t{2}, calendar_.Date(day + 14), int64_t{1},
                int64_t{kWarehouseID}, int64_t{kWarehouseID}, int64_t{1}, int64_t{0}, int64_t{0}});
        Insert("ICStockBillEntry", kStockEntryColumns,
               {receipt, int64_t{1}, item.id, qty > 500 ? qty : qty - 100, 10.0,
                (qty > 500 ? qty : qty - 100) * 10, int64_t{2}, icmo, int64_t{0}, int64_t{0},
                int64_t{85}, icmo});
    }

    // Two deliveries and a return, each notice with its outbound bill (the return's red).
    const std::vector<std::pair<double, int64_t>> shipped{{500, -40}, {200, -30}, {-75, -24}};
    std::vector<std::pair<double, int64_t>> invoices;
    for (const auto& [qty, day] : shipped) {
        const int64_t notice = NextId("SEOutStock");
        Insert("SEOutStock",
               {"FInterID", "FBillNo", "FTranType", "FROB", "FDate", "FCustID", "FStatus",
                "FBillerID"},
               {notice, Number("SEOUT", notice), int64_t{82}, int64_t{qty < 0 ? -1 : 1},
                calendar_.Date(day), customer, int64_t{1}, int64_t{kSalesID}});
        Insert("SEOutStockEntry",
               {"FInterID", "FEntryID", "FItemID", "FQty", "FAmount", "FOrderInterID",
                "FOrderEntryID"},
               {notice, int64_t{1}, item.id, qty < 0 ? -qty : qty, (qty < 0 ? -qty : qty) * price,
                order, int64_t{1}});
        const int64_t outbound = NextId("ICStockBill");
        Insert(
            "ICStockBill", kStockBillColumns,
            {outbound, Number("XOUT", outbound), int64_t{21}, calendar_.Date(day + 1), int64_t{1},
             int64_t{kWarehouseID}, int64_t{kWarehouseID}, int64_t{0}, customer, int64_t{0}});
        Insert("ICStockBillEntry", kStockEntryColumns,
               {outbound, int64_t{1}, item.id, qty, price, qty * price, int64_t{1}, int64_t{0},
                order, int64_t{1}, int64_t{82}, notice});
        if (qty > 0) invoices.emplace_back(qty, day + 3);
    }
    for (size_t i = 0; i < invoices.size(); ++i) {
        const auto& [qty, day] = invoices[i];
        const int64_t invoice = NextId("ICSale");
        Insert("ICSale",
               {"FInterID", "FBillNo", "FTranType", "FDate", "FCustID", "FStatus", "FHookStatus",
                "FBillerID"},
               {invoice, Number("XSFP", invoice), int64_t{i == 0 ? 80 : 86}, calendar_.Date(day),
                customer, int64_t{1}, int64_t{2}, int64_t{kSalesID}});
        Insert("ICSaleEntry",
               {"FInterID", "FEntryID", "FItemID", "FQty", "FAmount", "FOrderInterID",
                "FOrderEntryID"},
               {invoice, int64_t{1}, item.id, qty, qty * price, order, int64_t{1}});
    }

    // An advance receipt when the order was taken, a receipt after the first invoice, written off.
    const std::vector<std::tuple<int64_t, double, int64_t>> receipts{{1000015, 20000.0, -59},
                                                                     {1000005, 30000.0, -28}};
    for (const auto& [kind, amount, day] : receipts) {
        WriteReceipt(kind, amount, day, customer, order, 1);
    }
}

}  // namespace client::erp_database::internal
