// Sales and export orders of a demo database, and every downstream phase of their entries:
// letters of credit, delivery and return notices, sales outbound bills, invoices, receipts with
// write-off lines. Task orders made for the orders are written with the task orders.

#include <components/erp_database/demo_writer.h>

#include <contracts/erp_kinds.h>

#include <algorithm>
#include <cmath>

namespace client::erp_database::internal {

using trackquery::kExportOrderClass;

namespace {

// Which orders are saved only, cancelled or closed; every other order is checked.
bool IsUnchecked(int64_t order) { return order % 10 == 9; }
bool IsCancelled(int64_t order) { return order % 13 == 12; }
bool IsClosed(int64_t order) { return order % 11 == 10; }
bool IsExport(int64_t order) { return order % 4 == 0; }

}  // namespace

void DemoWriter::WriteSalesOrders() {
    int64_t orders = definition_.salesOrders;
    if (orders < 0) orders = std::max<int64_t>(1, definition_.taskOrders / 4);
    const std::vector<std::string> headColumns{
        "FInterID",   "FBillNo",       "FTranType",   "FClassTypeID",  "FDate",
        "FCustID",    "FDeptID",       "FCurrencyID", "FExchangeRate", "FStatus",
        "FCheckerID", "FCancellation", "FBillerID"};
    const std::vector<std::string> entryColumns{"FInterID",      "FEntryID",  "FItemID",
                                                "FQty",          "FPrice",    "FAmount",
                                                "FDeliveryDate", "FMrpClosed"};
    for (int64_t id = 1; id <= orders; ++id) {
        const bool exportOrder = IsExport(id);
        const int64_t date = -random_.Between(10, 200);
        const int64_t customer = customers_[(id * 7) % customers_.size()];
        const bool checked = !IsUnchecked(id);
        const int64_t status = !checked ? 0 : (IsClosed(id) ? 3 : 1);
        Insert("SEOrder", headColumns,
               {id, Number(exportOrder ? "EXP" : "SEORD", id), int64_t{81},
                int64_t{exportOrder ? kExportOrderClass : 0}, calendar_.Date(date), customer,
                int64_t{1 + id % 3}, int64_t{exportOrder ? 2 : 1}, exportOrder ? 6.83 : 1.0, status,
                checked ? SqlValue{int64_t{kSalesID}} : SqlValue{nullptr},
                int64_t{IsCancelled(id) ? 1 : 0}, int64_t{kSalesID}});
        ++counts_.salesOrders;

        std::vector<SalesEntry> entries;
        const int64_t entryCount = 1 + id % 3;
        for (int64_t entry = 1; entry <= entryCount; ++entry) {
            const auto& item = finishedItems_[(id + entry * 5) % finishedItems_.size()];
            const double qty = static_cast<double>(random_.Between(10, 100) * 10);
            const double price = Round2(static_cast<double>(random_.Between(500, 50000)) / 100.0);
            Insert("SEOrderEntry", entryColumns,
                   {id, entry, item.id, qty, price, Round2(qty * price),
                    calendar_.Date(date + random_.Between(20, 90)), int64_t{status == 3 ? 1 : 0}});
            if (exportOrder) {
                // Export entries ship in one or two lots.
                const int64_t lots = 1 + entry % 2;
                for (int64_t lot = 1; lot <= lots; ++lot) {
                    const double lotQty = lot == lots ? qty - (lots - 1) * (qty / 2) : qty / 2;
                    Insert("SEOrderExpDetail",
                           {"FDetailID", "FInterID", "FEntryID", "FQty", "FAmount", "FShipDate"},
                           {NextId("SEOrderExpDetail"), id, entry, lotQty, Round2(lotQty * price),
                            calendar_.Date(date + 30 * lot)});
                }
            }
            entries.push_back({id, entry, item.id, qty, price, exportOrder});
            ++counts_.salesEntries;
        }
        salesOrders_.push_back(entries);
    }
}

void DemoWriter::WriteSalesPhases() {
    for (const auto& entries : salesOrders_) {
        if (entries.empty()) continue;
        const int64_t order = entries.front().orderId;
        if (IsUnchecked(order) || IsCancelled(order)) continue;
        const int64_t customer = customers_[(order * 7) % customers_.size()];
        for (const auto& entry : entries) {
            WriteEntryPhases(entry, customer, -random_.Between(5, 60));
        }
    }
}

// The downstream bills of one order entry. Deliveries are partial: the first notice ships about
// half, a second one most of the rest on every other order; each shipped notice has its outbound
// bill and invoice; receipts pay the invoices and are written off against the entry.
void DemoWriter::WriteEntryPhases(const SalesEntry& entry, int64_t customer, int64_t date) {
    const int64_t order = entry.orderId;
    if (entry.exportOrder) {
        const int64_t lc = NextId("t_ExpLC");
        Insert("t_ExpLC",
               {"FInterID", "FBillNo", "FLCNumber", "FBank", "FOrderInterID", "FOrderEntryID",
                "FAmount", "FDate", "FExpiryDate", "FStatus", "FBillerID"},
               {lc, Number("LC", lc), "LC-" + std::to_string(880000 + lc), "中国银行", order,
                entry.entryId, Round2(entry.qty * entry.price * 0.9), calendar_.Date(date - 5),
                calendar_.Date(date + 120), int64_t{1}, int64_t{kSalesID}});
    }

    std::vector<double> shipments{std::floor(entry.qty / 2)};
    if (order % 2 == 1) shipments.push_back(std::floor(entry.qty * 0.3));
    double invoiced = 0;
    for (size_t lot = 0; lot < shipments.size(); ++lot) {
        const double qty = shipments[lot];
        const double amount = Round2(qty * entry.price);
        const int64_t day = date + static_cast<int64_t>(lot) * 7;

        const int64_t notice = NextId("SEOutStock");
        Insert("SEOutStock",
               {"FInterID", "FBillNo", "FTranType", "FROB", "FDate", "FCustID", "FStatus",
                "FBillerID"},
               {notice, Number("SEOUT", notice), int64_t{82}, int64_t{1}, calendar_.Date(day),
                customer, int64_t{1}, int64_t{kSalesID}});
        Insert("SEOutStockEntry",
               {"FInterID", "FEntryID", "FItemID", "FQty", "FAmount", "FOrderInterID",
                "FOrderEntryID"},
               {notice, int64_t{1}, entry.itemId, qty, amount, order, entry.entryId});

        const int64_t outbound = NextId("ICStockBill");
        Insert(
            "ICStockBill",
            {"FInterID", "FBillNo", "FTranType", "FDate", "FStatus", "FBillerID", "FCheckerID",
             "FDeptID", "FCustID", "FSupplyID"},
            {outbound, Number("XOUT", outbound), int64_t{21}, calendar_.Date(day + 1), int64_t{1},
             int64_t{kWarehouseID}, int64_t{kWarehouseID}, int64_t{0}, customer, int64_t{0}});
        Insert(
            "ICStockBillEntry",
            {"FInterID", "FEntryID", "FItemID", "FQty", "FPrice", "FAmount", "FStockID",
             "FICMOInterID", "FOrderInterID", "FOrderEntryID", "FSourceTranType", "FSourceInterID"},
            {outbound, int64_t{1}, entry.itemId, qty, entry.price, amount, int64_t{1}, int64_t{0},
             order, entry.entryId, int64_t{82}, notice});

        const int64_t invoice = NextId("ICSale");
        Insert(
            "ICSale",
            {"FInterID", "FBillNo", "FTranType", "FDate", "FCustID", "FStatus", "FHookStatus",
             "FBillerID"},
            {invoice, Number("XSFP", invoice), int64_t{lot == 0 ? 80 : 86}, calendar_.Date(day + 3),
             customer, int64_t{1}, (order + static_cast<int64_t>(lot)) % 3, int64_t{kSalesID}});
        Insert("ICSaleEntry",
               {"FInterID", "FEntryID", "FItemID", "FQty", "FAmount", "FOrderInterID",
                "FOrderEntryID"},
               {invoice, int64_t{1}, entry.itemId, qty, amount, order, entry.entryId});
        invoiced += amount;
    }

    // Every fourth entry had a few pieces sent back.
    if (entry.entryId % 4 == 3 || order % 8 == 5) {
        const double qty = std::max(1.0, std::floor(shipments.front() / 10));
        const int64_t notice = NextId("SEOutStock");
        Insert("SEOutStock",
               {"FInterID", "FBillNo", "FTranType", "FROB", "FDate", "FCustID", "FStatus",
                "FBillerID"},
               {notice, Number("SEOUT", notice), int64_t{82}, int64_t{-1},
                calendar_.Date(date + 20), customer, int64_t{0}, int64_t{kSalesID}});
        Insert("SEOutStockEntry",
               {"FInterID", "FEntryID", "FItemID", "FQty", "FAmount", "FOrderInterID",
                "FOrderEntryID"},
               {notice, int64_t{1}, entry.itemId, qty, Round2(qty * entry.price), order,
                entry.entryId});
    }

    // Receipts: two payments of the invoiced amount, each written off; every fifth order was
    // paid in advance as well.
    const std::vector<std::pair<int64_t, double>> receipts =
        order % 5 == 0 ? std::vector<std::pair<int64_t, double>>{{1000015, Round2(invoiced * 0.2)},
                                                                 {1000005, Round2(invoiced * 0.5)}}
                       : std::vector<std::pair<int64_t, double>>{{1000005, Round2(invoiced * 0.6)},
                                                                 {1000005, Round2(invoiced * 0.3)}};
    int64_t day = date + 10;
    for (const auto& [kind, amount] : receipts) {
        WriteReceipt(kind, amount, day, customer, order, entry.entryId);
        day += 15;
    }
}

void DemoWriter::WriteReceipt(int64_t kind, double amount, int64_t day, int64_t customer,
                              int64_t order, int64_t entryId) {
    const int64_t receipt = NextId("t_RPReceipt");
    Insert("t_RPReceipt",
           {"FInterID", "FBillNo", "FClassTypeID", "FDate", "FCustID", "FStatus", "FBillerID"},
           {receipt, Number(kind == 1000015 ? "YSK" : "SK", receipt), kind, calendar_.Date(day),
            customer, int64_t{1}, int64_t{kSalesID}});
    Insert("t_RPReceiptEntry",
           {"FInterID", "FEntryID", "FAmount", "FOrderInterID", "FOrderEntryID"},
           {receipt, int64_t{1}, amount, order, entryId});
    if (kind != 1000005) return;
    const int64_t writeOff = NextId("t_RPWriteOff");
    Insert("t_RPWriteOff",
           {"FID", "FNumber", "FReceiptInterID", "FOrderInterID", "FOrderEntryID", "FAmount",
            "FDate", "FBillerID"},
           {writeOff, Number("HX", writeOff), receipt, order, entryId, amount,
            calendar_.Date(day + 1), int64_t{kSalesID}});
}

}  // namespace client::erp_database::internal
