// Task orders of a demo database with everything that carried them further: material lists,
// substitutions, issues and receipts, reports, work bills with ordinary and rework operations,
// and the bills of each operation record.

#include <components/erp_database/demo_writer.h>

#include <contracts/erp_kinds.h>

#include <algorithm>
#include <cmath>

namespace client::erp_database::internal {

using trackquery::kExportOrderClass;
using trackquery::kRepetitiveTaskOrderType;
using trackquery::kSalesOrderClass;

namespace {

enum Kind : int64_t { kOrdinary = 0, kRepetitive = 1, kOutsourced = 2 };

Kind KindOf(int64_t id) {
    if (id % 7 == 5) return kRepetitive;
    if (id % 7 == 6) return kOutsourced;
    return kOrdinary;
}

// Status 0 planned, 1 released, 2 started, 3 closed, 5 confirmed. The first ten task orders
// run through every status so that even a tiny database shows them all.
int64_t StatusOf(int64_t id, DemoRandom& random) {
    static constexpr int64_t kFirst[] = {1, 0, 5, 3, 1, 0, 2, 1, 2, 3};
    if (id <= 10) return kFirst[id - 1];
    const int64_t roll = random.Below(100);
    if (roll < 12) return 0;
    if (roll < 40) return 1;
    if (roll < 60) return 2;
    if (roll < 72) return 5;
    return 3;
}

}  // namespace

void DemoWriter::WriteTaskOrders() {
    for (int64_t id = 1; id <= definition_.taskOrders; ++id) {
        icmoKinds_.push_back(KindOf(id));
        WriteTaskOrder(id);
        ++counts_.taskOrders;
    }
}

const SalesEntry& DemoWriter::NextSalesEntryToMake() {
    size_t turn = madeTurns_++;
    for (;;) {
        for (const auto& entries : salesOrders_) {
            if (turn < entries.size()) return entries[turn];
            turn -= entries.size();
        }
    }
}

void DemoWriter::WriteTaskOrder(int64_t id) {
    const Kind kind = KindOf(id);
    const int64_t status = StatusOf(id, random_);
    const bool suspended =
        (id == 5) || (id > 10 && (status == 1 || status == 2) && random_.Below(15) == 0);
    const bool cancelled = (id == 6) || (id > 10 && status == 0 && random_.Below(8) == 0);

    // Three task orders in five are made for a sales or export order entry. They go round the
    // entries in turn, each for about half of the entry, so that an entry is made by one task
    // order or two and its production runs near its quantity.
    const SalesEntry* made = nullptr;
    if (!salesOrders_.empty() && id % 5 < 3) made = &NextSalesEntryToMake();
    const ItemInfo* item = &finishedItems_[(id * 11) % finishedItems_.size()];
    if (made) {
        for (const auto& candidate : finishedItems_) {
            if (candidate.id == made->itemId) item = &candidate;
        }
    }

    // Dates: the first task order is overdue, the eighth on time; the others spread around the
    // server date so that both kinds occur.
    int64_t date = -random_.Between(0, 120);
    int64_t finish = date + random_.Between(10, 90);
    if (id == 1) date = -60, finish = -10;
    if (id == 8) date = -10, finish = 20;
    const int64_t commit = date + random_.Between(1, 5);

    double qty = static_cast<double>(random_.Between(5, 100) * 10);
    if (made) qty = std::max(10.0, std::round(made->qty * random_.Between(40, 60) / 1000.0) * 10);
    double stockQty = 0;
    if (status == 3) stockQty = qty;
    if (status == 2 || status == 5) stockQty = std::floor(qty * random_.Between(10, 90) / 100.0);
    if (id == 10) stockQty = qty;  // closed and fully received

    const int64_t biller = (id % 3 == 0) ? kWorkshopID : kPlannerID;
    const bool outsourced = kind == kOutsourced;
    const int64_t routing = outsourced ? 0 : item->routingId;
    int64_t parent = 0;
    if (id % 10 == 0 && id > 1 && KindOf(id - 1) == kind) parent = id - 1;
    const std::string prefix = outsourced ? "WWJG" : (kind == kRepetitive ? "REPT" : "WORK");

    Insert(
        "ICMO",
        {"FInterID",        "FBillNo",       "FTranType",     "FScheduleID",    "FType",
         "FStatus",         "FSuspend",      "FCancellation", "FBillerID",      "FCheckerID",
         "FDate",           "FItemID",       "FUnitID",       "FBOMInterID",    "FRoutingID",
         "FWorkShop",       "FSupplyID",     "FQty",          "FStockQty",      "FPlanCommitDate",
         "FPlanFinishDate", "FCommitDate",   "FFinishDate",   "FParentInterID", "FOrderClassTypeID",
         "FOrderInterID",   "FOrderEntryID", "FNote"},
        {id,
         Number(prefix, id),
         int64_t{outsourced ? 571 : 85},
         int64_t{kind == kRepetitive ? 1000 + id : 0},
         int64_t{kind == kRepetitive ? kRepetitiveTaskOrderType : (outsourced ? 1067 : 1054)},
         status,
         int64_t{suspended ? 1 : 0},
         int64_t{cancelled ? 1 : 0},
         biller,
         status == 0 ? int64_t{0} : int64_t{kAdministratorID},
         calendar_.Date(date),
         item->id,
         item->unitId,
         item->bomId,
         routing,
         int64_t{outsourced ? 0 : 1 + id % 3},
         int64_t{outsourced ? 1 + id % 10 : 0},
         qty,
         stockQty,
         calendar_.Date(commit),
         calendar_.Date(finish),
         status >= 2 ? SqlValue{calendar_.Date(commit)} : SqlValue{nullptr},
         status == 3 ? SqlValue{calendar_.Date(finish - 2)} : SqlValue{nullptr},
         parent,
         int64_t{made ? (made->exportOrder ? kExportOrderClass : kSalesOrderClass) : 0},
         made ? made->orderId : int64_t{0},
         made ? made->entryId : int64_t{0},
         ""});

    // Planned and cancelled task orders have nothing downstream yet.
    if (status == 0 || cancelled) return;
    WriteMaterialList(id, outsourced, status, qty, biller, date);
    if (id % 6 == 1) {
        const auto& original = rawItems_[(id * 3 + 1) % rawItems_.size()];
        const auto& substitute = rawItems_[(id * 5 + 2) % rawItems_.size()];
        for (int64_t line = 1; line <= 1 + id % 2; ++line) {
            Insert("ICSubstitute",
                   {"FInterID", "FICMOInterID", "FEntryID", "FItemID", "FSubsItemID", "FQty",
                    "FBillerID"},
                   {NextId("ICSubstitute"), id, line, original.id, substitute.id,
                    std::floor(qty / (2 * line)), biller});
        }
    }
    WriteProductReceipts(id, outsourced, item->id, stockQty, biller, date);
    if (!outsourced && status != 1) WriteReports(id, qty, stockQty, biller, date);
    if (routing != 0) WriteWorkBills(id, item->id, routing, status, qty, biller, date);
}

void DemoWriter::WriteMaterialList(int64_t icmoId, bool outsourced, int64_t status, double qty,
                                   int64_t biller, int64_t date) {
    const int64_t list = NextId("PPBOM");
    Insert("PPBOM", {"FInterID", "FBillNo", "FICMOInterID", "FStatus", "FBillerID", "FDate"},
           {list, Number("PPBOM", list), icmoId, int64_t{1}, biller, calendar_.Date(date)});
    const int64_t lines = 2 + icmoId % 3;
    int64_t issue = 0;
    for (int64_t line = 1; line <= lines; ++line) {
        const auto& material = rawItems_[(icmoId * 7 + line) % rawItems_.size()];
        const double must = qty * static_cast<double>(line);
        double supplied = 0;
        if (status == 2 || status == 3 || status == 5) supplied = must;
        if (status == 1 && line == 1) supplied = std::floor(must / 2);
        Insert("PPBOMEntry", {"FInterID", "FEntryID", "FItemID", "FQtyMust", "FQtySupply"},
               {list, line, material.id, must, supplied});
        if (supplied <= 0) continue;
        if (issue == 0) {
            issue = NextId("ICStockBill");
            Insert(
                "ICStockBill",
                {"FInterID", "FBillNo", "FTranType", "FDate", "FStatus", "FBillerID", "FCheckerID",
                 "FDeptID", "FCustID", "FSupplyID"},
                {issue, Number(outsourced ? "JOUT" : "SOUT", issue), int64_t{outsourced ? 28 : 24},
                 calendar_.Date(date + 2), int64_t{line % 2 == 0 ? 0 : 1}, int64_t{kWarehouseID},
                 int64_t{kWarehouseID}, int64_t{1}, int64_t{0}, int64_t{0}});
        }
        Insert(
            "ICStockBillEntry",
            {"FInterID", "FEntryID", "FItemID", "FQty", "FPrice", "FAmount", "FStockID",
             "FICMOInterID", "FOrderInterID", "FOrderEntryID", "FSourceTranType", "FSourceInterID"},
            {issue, line, material.id, supplied, 2.5, Round2(supplied * 2.5), int64_t{1}, icmoId,
             int64_t{0}, int64_t{0}, int64_t{88}, list});
    }
}

// Product receipts deliver the received quantity in one or two partial lots.
void DemoWriter::WriteProductReceipts(int64_t icmoId, bool outsourced, int64_t itemId,
                                      double stockQty, int64_t biller, int64_t date) {
    (void)biller;
    if (stockQty <= 0) return;
    const std::vector<double> lots =
        icmoId % 2 == 0
            ? std::vector<double>{std::floor(stockQty / 2), stockQty - std::floor(stockQty / 2)}
            : std::vector<double>{stockQty};
    int64_t day = date + 12;
    for (double lot : lots) {
        if (lot <= 0) continue;
        const int64_t receipt = NextId("ICStockBill");
        Insert("ICStockBill",
               {"FInterID", "FBillNo", "FTranType", "FDate", "FStatus", "FBillerID", "FCheckerID",
                "FDeptID", "FCustID", "FSupplyID"},
               {receipt, Number(outsourced ? "WWIN" : "CIN", receipt), int64_t{outsourced ? 5 : 2},
                calendar_.Date(day), int64_t{1}, int64_t{kWarehouseID}, int64_t{kWarehouseID},
                int64_t{1}, int64_t{0}, int64_t{outsourced ? 1 + icmoId % 10 : 0}});
        Insert(
            "ICStockBillEntry",
            {"FInterID", "FEntryID", "FItemID", "FQty", "FPrice", "FAmount", "FStockID",
             "FICMOInterID", "FOrderInterID", "FOrderEntryID", "FSourceTranType", "FSourceInterID"},
            {receipt, int64_t{1}, itemId, lot, 10.0, Round2(lot * 10.0), int64_t{2}, icmoId,
             int64_t{0}, int64_t{0}, int64_t{85}, icmoId});
        day += 6;
    }
}

void DemoWriter::WriteReports(int64_t icmoId, double qty, double stockQty, int64_t biller,
                              int64_t date) {
    const double finished = std::max(stockQty, std::floor(qty / 3));
    const int64_t report = NextId("ICMORpt");
    Insert("ICMORpt",
           {"FInterID", "FBillNo", "FICMOInterID", "FDate", "FQtyFinish", "FQtyPass", "FQtyScrap",
            "FStatus", "FBillerID"},
           {report, Number("RPT", report), icmoId, calendar_.Date(date + 10), finished,
            finished - std::floor(finished / 50), std::floor(finished / 50), int64_t{1}, biller});
}

// One ordinary work bill with a record per routed operation; every fifth routed task order also
// has a rework work bill that repeats two operations on part of the quantity.
void DemoWriter::WriteWorkBills(int64_t icmoId, int64_t itemId, int64_t routingId, int64_t status,
                                double qty, int64_t biller, int64_t date) {
    const auto& operations = routingOperations_[routingId];
    const double progress = status == 3 ? 1.0 : (status == 1 ? 0.0 : 0.6);
    auto writeBill = [&](int64_t billType, const std::vector<int64_t>& opers, double billQty) {
        const int64_t bill = NextId("SHWorkBill");
        Insert("SHWorkBill",
               {"FInterID", "FBillNo", "FBillType", "FICMOInterID", "FItemID", "FStatus",
                "FBillerID", "FDate"},
               {bill, Number(billType == 11620 ? "GXJH" : "FXGX", bill), billType, icmoId, itemId,
                int64_t{1}, biller, calendar_.Date(date + 1)});
        for (size_t step = 0; step < opers.size(); ++step) {
            const int64_t record = NextId("SHWorkBillEntry");
            // Earlier operations are further along than later ones.
            const double share = std::max(0.0, progress - 0.15 * static_cast<double>(step));
            const double finished = std::floor(billQty * std::min(1.0, share));
            const int64_t operSN = billType == 11620 ? 10 * static_cast<int64_t>(step + 1)
                                                     : 10 * static_cast<int64_t>(step + 1) + 5;
            Insert("SHWorkBillEntry",
                   {"FDetailID", "FInterID", "FEntryID", "FOperSN", "FOperID", "FQtyPlan",
                    "FQtyFinish", "FQtyPass", "FQtyScrap", "FPlanStartDate", "FPlanEndDate"},
                   {record, bill, static_cast<int64_t>(step + 1), operSN, opers[step], billQty,
                    finished, finished - std::floor(finished / 40), std::floor(finished / 40),
                    calendar_.Date(date + 1 + 3 * static_cast<int64_t>(step)),
                    calendar_.Date(date + 4 + 3 * static_cast<int64_t>(step))});
            WriteOperationBills(icmoId, itemId, record, opers[step], finished, biller,
                                date + 3 * static_cast<int64_t>(step));
        }
    };
    writeBill(11620, operations, qty);
    if (icmoId % 5 == 1 && operations.size() >= 2) {
        writeBill(11621, {operations[1], operations.back()}, std::max(1.0, std::floor(qty / 10)));
    }
}

// Bills of one operation record: transfers of the finished quantity, outsourced dispatch and
// receipt for heat treatment, inspection request and report for the inspection step, and
// operation reports on every other record.
void DemoWriter::WriteOperationBills(int64_t icmoId, int64_t itemId, int64_t recordId,
                                     int64_t operId, double finished, int64_t biller,
                                     int64_t date) {
    if (finished <= 0) return;
    auto write = [&](int64_t tranType, const std::string& prefix, double qty, int64_t supplier,
                     int64_t status) {
        const int64_t bill = NextId("SHOperBill");
        Insert(
            "SHOperBill",
            {"FInterID", "FTranType", "FBillNo", "FWBEntryID", "FICMOInterID", "FItemID", "FOperID",
             "FSupplyID", "FQty", "FQtyPass", "FQtyScrap", "FStatus", "FBillerID", "FDate"},
            {bill, tranType, Number(prefix, bill), recordId, icmoId, itemId, operId, supplier, qty,
             qty - std::floor(qty / 40), std::floor(qty / 40), status, biller,
             calendar_.Date(date + 2)});
    };
    write(502, "GXYZ", finished, 0, 1);
    if (operId == 4) {
        write(581, "WWZC", finished, 1 + recordId % 10, 1);
        write(582, "WWJS", finished, 1 + recordId % 10, recordId % 3 == 0 ? 3 : 1);
    }
    if (operId == 6) {
        write(710, "JYSQ", finished, 0, 1);
        write(715, "GXJY", finished, 0, recordId % 2);
    }
    if (recordId % 2 == 0) write(1002504, "GXHB", finished, 0, 1);
}

}  // namespace client::erp_database::internal
