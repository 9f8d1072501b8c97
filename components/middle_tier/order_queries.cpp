#include <components/middle_tier/order_queries.h>

#include <components/middle_tier/middle_tier_support.h>
#include <contracts/erp_kinds.h>

#include <platform/adodb/like_pattern.h>
#include <platform/automation/conversions.h>

#include <algorithm>
#include <string>

namespace client::middle_tier {

using automation::Variant;
using trackquery::kExportOrderClass;
using trackquery::kSalesOrderClass;
using trackquery::kSalesOrderPhases;

namespace {

int64_t Required(const automation::DictionaryPtr& dct, const std::string& key,
                 const std::string& procedure) {
    const auto value = dct ? WholeNumber(dct->Item(key, Variant())) : std::nullopt;
    if (!value) Fail(procedure, "The parameter \"" + key + "\" is missing or not a number.");
    return *value;
}

// The class column value of SEOrder for an order class type.
int32_t OrderClassColumn(int64_t classType, const std::string& procedure) {
    if (classType == kSalesOrderClass) return 0;
    if (classType == kExportOrderClass) return kExportOrderClass;
    Fail(procedure, "Unknown order class " + std::to_string(classType) + ".");
}

// A user option: missing options count as switched on, as the option dialog shows them.
bool OptionOn(const automation::DictionaryPtr& para, const std::string& key) {
    const Variant options = para->Item("UserOption", Variant());
    auto dct = options.IsObject() ? options.As<automation::Dictionary>() : nullptr;
    if (!dct || !dct->Exists(key)) return true;
    const Variant value = dct->Item(key);
    if (value.IsNull() || value.IsEmpty()) return false;
    try {
        return automation::CBool(value);
    } catch (const automation::RuntimeError&) {
        return false;
    }
}

// The selected orders as a JSON array of {"i": order, "e": entry (0 = whole), "d": detail}.
std::string SelectionJson(const automation::VectorPtr& selection, bool wholeBills) {
    std::string json = "[";
    for (const Variant& item : selection->Items()) {
        auto row = item.IsObject() ? item.As<automation::Dictionary>() : nullptr;
        const auto order = row ? WholeNumber(row->Item("FInterID", Variant())) : WholeNumber(item);
        if (!order) Fail("GetOrderList", "The selected order list holds an item without FInterID.");
        int64_t entry = 0, detail = 0;
        if (row && !wholeBills) {
            entry = WholeNumber(row->Item("FEntryID", Variant())).value_or(0);
            detail = WholeNumber(row->Item("FDetailID", Variant())).value_or(0);
        }
        if (json.size() > 1) json += ",";
        json += "{\"i\":" + std::to_string(*order) + ",\"e\":" + std::to_string(entry) +
                ",\"d\":" + std::to_string(detail) + "}";
    }
    return json + "]";
}

// The rows of a SelectionJson bound to its one "?", as a table of the columns i, e and d.
std::string SelectionTable(const adodb::Connection& db) {
    if (db.Engine() == adodb::DatabaseEngine::PostgreSQL) {
        return "(SELECT DISTINCT CAST(value ->> 'i' AS bigint) AS i, "
               "CAST(value ->> 'e' AS bigint) AS e, CAST(value ->> 'd' AS bigint) AS d "
               "FROM json_array_elements(CAST(? AS json)) AS value)";
    }
    return "(SELECT DISTINCT json_extract(value, '$.i') AS i, json_extract(value, '$.e') AS e, "
           "json_extract(value, '$.d') AS d FROM json_each(?))";
}

}  // namespace

adodb::RecordsetPtr OrderList(adodb::Connection& db, const automation::DictionaryPtr& filter,
                              const automation::DictionaryPtr& status) {
    if (!filter) Fail("GetOrderList", "No filter was given.");
    const int64_t classType = Required(filter, "FClassTypeID", "GetOrderList");
    const int32_t classColumn = OrderClassColumn(classType, "GetOrderList");
    const bool exportOrders = classType == kExportOrderClass;

    // One row per entry, and for export orders one per shipping lot of the entry.
    std::string from =
        " FROM VSEOrderEntryList v" +
        std::string(exportOrders ? " JOIN SEOrderExpDetail x ON x.FInterID = v.FInterID AND "
                                   "x.FEntryID = v.FEntryID"
                                 : "");
    std::string where =
        " WHERE v.FOrderClassTypeID = ? AND IFNULL(v.FCheckerID, 0) > 0 AND "
        "v.FCancellation = 0";
    std::vector<Variant> parameters{Variant(classColumn)};

    const Variant selection = filter->Item("vctSeOrderList", Variant());
    auto selected = selection.IsObject() ? selection.As<automation::Vector>() : nullptr;
    if (selected) {
        const Variant whole = filter->Item("SelWholeBill", Variant());
        bool wholeBills = false;
        if (!whole.IsEmpty() && !whole.IsNull()) wholeBills = automation::CBool(whole);
        from += " JOIN " + SelectionTable(db) +
                " s ON s.i = v.FInterID AND (s.e = 0 OR s.e = v.FEntryID)";
        if (exportOrders) from += " AND (s.d = 0 OR s.d = x.FDetailID)";
        parameters.insert(parameters.begin(), Variant(SelectionJson(selected, wholeBills)));
    } else {
        const std::string number = automation::CStr(filter->Item("FBillNo", Variant("")));
        if (!number.empty()) {
            where += std::string(" AND v.FBillNo LIKE ?") + adodb::kLikeEscape;
            parameters.push_back(Variant(adodb::LikeContaining(number)));
        }
    }

    const std::string rows = "SELECT DISTINCT v.FInterID, v.FBillNo, v.FCustName, v.FEntryID, " +
                             std::string(exportOrders ? "x.FDetailID" : "0 AS FDetailID") +
                             ", v.FItemNumber, v.FItemName, v.FItemModel" + from + where;
    const std::string ordered = rows + " ORDER BY v.FBillNo, v.FInterID, v.FEntryID, 5";
    auto setCode = [&](int32_t code) {
        if (status) status->SetItem("RetCode", Variant(code));
    };

    // A list the user need not be asked about is read in one statement: one entry more than such
    // a list holds tells whether it is one. A longer list is counted first, as the limits need.
    // A failure of the short read is left to the count, which fails the same way and names its
    // own statement.
    adodb::RecordsetPtr shortList;
    try {
        shortList = db.Execute(ordered + " LIMIT " + std::to_string(kOrderListQuestionLimit + 1),
                               parameters);
    } catch (const automation::RuntimeError&) {
        shortList = nullptr;
    }
    if (shortList && shortList->RecordCount() <= kOrderListQuestionLimit) {
        if (status) automation::CBool(status->Item("Continue", Variant(false)));
        setCode(0);
        return shortList;
    }

    auto count = db.Execute("SELECT COUNT(*) AS N FROM (" + rows + ") counted", parameters);
    const int64_t entries = WholeNumber(count->Value("N")).value_or(0);
    const bool goOn = status && automation::CBool(status->Item("Continue", Variant(false)));

    if (entries > kOrderListHardLimit) {
        setCode(2);
        return nullptr;
    }
    if (entries > kOrderListQuestionLimit && !goOn) {
        setCode(1);
        return nullptr;
    }
    setCode(0);
    return db.Execute(ordered, parameters);
}

automation::VectorPtr PhaseBills(adodb::Connection& db, const automation::DictionaryPtr& para) {
    const int64_t order = Required(para, "FInterID", "GetSeOrderPerforms");
    const int64_t entry = Required(para, "FEntryID", "GetSeOrderPerforms");
    const int64_t phase = Required(para, "FTranTypeID", "GetSeOrderPerforms");
    if (std::ranges::find(kSalesOrderPhases, phase) == kSalesOrderPhases.end()) {
        Fail("GetSeOrderPerforms", "Unknown execution phase " + std::to_string(phase) + ".");
    }
    const std::vector<Variant> keys{Variant(static_cast<int32_t>(order)),
                                    Variant(static_cast<int32_t>(entry))};
    const std::string byEntry = " WHERE FOrderInterID = ? AND FOrderEntryID = ?";
    // The bills by date, put in order here rather than by the database, as a node's bills are
    // (TrackedBills): a phase's view is sorted whole rows and all, at about the cost of reading it.
    auto byDate = [](adodb::RecordsetPtr rows) {
        rows->OrderRows({"FDate", "FInterID"});
        return rows;
    };
    auto bills = std::make_shared<automation::Vector>();
    if (phase == 1000034) {
        // Receipts of the kinds the user shows, then the lines that wrote them off.
        std::vector<int64_t> kinds;
        if (OptionOn(para, "ShowReceive")) kinds.push_back(1000005);
        if (OptionOn(para, "ShowPreReceive")) kinds.push_back(1000015);
        std::vector<Variant> parameters = keys;
        parameters.push_back(Variant(JsonArray(kinds)));
        bills->Add(byDate(db.Execute(
            "SELECT * FROM VPhase_1000034" + byEntry + " AND FClassTypeID IN " + NumberList(db),
            parameters)));
        bills->Add(byDate(db.Execute("SELECT * FROM VPhase_WriteOff" + byEntry, keys)));
        return bills;
    }
    bills->Add(byDate(db.Execute("SELECT * FROM VPhase_" + std::to_string(phase) + byEntry, keys)));
    return bills;
}

adodb::RecordsetPtr EntryDetail(adodb::Connection& db, const automation::DictionaryPtr& para) {
    const int64_t order = Required(para, "FInterID", "GetSeOrderDetail");
    const int64_t entry = Required(para, "FEntryID", "GetSeOrderDetail");
    const int64_t classType = Required(para, "FClassTypeID", "GetSeOrderDetail");
    return db.Execute(
        "SELECT * FROM VSEOrderEntryDetail WHERE FInterID = ? AND FEntryID = ? AND "
        "FOrderClassTypeID = ?",
        {Variant(static_cast<int32_t>(order)), Variant(static_cast<int32_t>(entry)),
         Variant(OrderClassColumn(classType, "GetSeOrderDetail"))});
}

namespace {

const Variant kNotApplicable("-");

struct Figures {
    Variant qty = kNotApplicable, amount = kNotApplicable;
};

// Sums of one phase for the entry, from a statement that returns Q and A.
Figures Sums(adodb::Connection& db, const std::string& sql, const std::vector<Variant>& keys) {
    auto rs = db.Execute(sql, keys);
    return {Variant(automation::CDbl(rs->Value("Q"))), Variant(automation::CDbl(rs->Value("A")))};
}

adodb::RecordsetPtr SummaryRow(const Variant& qty, const Variant& amount, const Variant& unQty,
                               const Variant& unAmount, const Variant& rate) {
    auto rs = NewRecordset({"FQty", "FAmount", "FUnCommitQty", "FUnCommitAmount", "FCommitPer"});
    AppendRow(rs, {qty, amount, unQty, unAmount, rate});
    rs->MoveFirst();
    return rs;
}

// Executed against ordered: what is left and the rate, on quantity when the phase has one,
// else on amount.
adodb::RecordsetPtr PhaseRow(const Figures& done, double orderedQty, double orderedAmount) {
    const bool byQty = !done.qty.IsString();
    Variant unQty = kNotApplicable, unAmount = kNotApplicable, rate = kNotApplicable;
    if (byQty) unQty = Variant(orderedQty - done.qty.AsDouble());
    if (!done.amount.IsString()) unAmount = Variant(orderedAmount - done.amount.AsDouble());
    const double base = byQty ? orderedQty : orderedAmount;
    const double executed = byQty ? done.qty.AsDouble() : done.amount.AsDouble();
    if (base != 0) rate = Variant(executed / base);
    return SummaryRow(done.qty, done.amount, unQty, unAmount, rate);
}

}  // namespace

automation::DictionaryPtr ExecutionSummary(adodb::Connection& db,
                                           const automation::DictionaryPtr& para) {
    const int64_t order = Required(para, "FInterID", "GetSeOrderCollect");
    const int64_t entry = Required(para, "FEntryID", "GetSeOrderCollect");
    const int64_t classType = Required(para, "FClassTypeID", "GetSeOrderCollect");
    const std::vector<Variant> keys{Variant(static_cast<int32_t>(order)),
                                    Variant(static_cast<int32_t>(entry))};
    auto ordered = db.Execute(
        "SELECT e.FQty, e.FAmount, e.FPrice FROM SEOrderEntry e JOIN SEOrder o ON o.FInterID = "
        "e.FInterID "
        "WHERE e.FInterID = ? AND e.FEntryID = ? AND o.FClassTypeID = ?",
        {keys[0], keys[1], Variant(OrderClassColumn(classType, "GetSeOrderCollect"))});
    if (ordered->Eof()) {
        Fail("GetSeOrderCollect", "The order entry " + std::to_string(order) + "/" +
                                      std::to_string(entry) + " does not exist.");
    }
    const double qty = automation::CDbl(ordered->Value("FQty"));
    const double amount = automation::CDbl(ordered->Value("FAmount"));
    const double price = automation::CDbl(ordered->Value("FPrice"));

    auto summary = std::make_shared<automation::Dictionary>();
    summary->SetItem("00ORDER", Variant(SummaryRow(Variant(qty), Variant(amount), kNotApplicable,
                                                   kNotApplicable, kNotApplicable)));
    if (classType == kExportOrderClass && OptionOn(para, "ShowLC")) {
        Figures lc = Sums(db,
                          "SELECT 0 AS Q, IFNULL(SUM(FAmount), 0) AS A FROM t_ExpLC "
                          "WHERE FOrderInterID = ? AND FOrderEntryID = ?",
                          keys);
        lc.qty = kNotApplicable;
        summary->SetItem("01LC", Variant(PhaseRow(lc, qty, amount)));
    }
    if (OptionOn(para, "ShowInform")) {
        summary->SetItem(
            "02INFORM",
            Variant(PhaseRow(
                Sums(db,
                     "SELECT IFNULL(SUM(e.FQty * n.FROB), 0) AS Q, IFNULL(SUM(e.FAmount * n.FROB), "
                     "0) AS A "
                     "FROM SEOutStockEntry e JOIN SEOutStock n ON n.FInterID = e.FInterID "
                     "WHERE e.FOrderInterID = ? AND e.FOrderEntryID = ? AND n.FCancellation = 0",
                     keys),
                qty, amount)));
    }
    if (OptionOn(para, "ShowSaleOut")) {
        summary->SetItem(
            "03SALEOUT",
            Variant(PhaseRow(
                Sums(db,
                     "SELECT IFNULL(SUM(e.FQty), 0) AS Q, IFNULL(SUM(e.FAmount), 0) AS A "
                     "FROM ICStockBillEntry e JOIN ICStockBill s ON s.FInterID = e.FInterID "
                     "WHERE e.FOrderInterID = ? AND e.FOrderEntryID = ? AND s.FTranType = 21 "
                     "AND s.FCancellation = 0",
                     keys),
                qty, amount)));
    }
    if (OptionOn(para, "ShowInvoice")) {
        summary->SetItem(
            "04INVOICE",
            Variant(PhaseRow(
                Sums(db,
                     "SELECT IFNULL(SUM(e.FQty), 0) AS Q, IFNULL(SUM(e.FAmount), 0) AS A "
                     "FROM ICSaleEntry e JOIN ICSale v ON v.FInterID = e.FInterID "
                     "WHERE e.FOrderInterID = ? AND e.FOrderEntryID = ? AND v.FCancellation = 0",
                     keys),
                qty, amount)));
    }
    const bool receipts = OptionOn(para, "ShowReceive");
    const bool advances = OptionOn(para, "ShowPreReceive");
    if (receipts || advances) {
        std::vector<int64_t> kinds;
        if (receipts) kinds.push_back(1000005);
        if (advances) kinds.push_back(1000015);
        std::vector<Variant> parameters = keys;
        parameters.push_back(Variant(JsonArray(kinds)));
        Figures paid = Sums(db,
                            "SELECT 0 AS Q, IFNULL(SUM(e.FAmount), 0) AS A FROM t_RPReceiptEntry e "
                            "JOIN t_RPReceipt r ON r.FInterID = e.FInterID "
                            "WHERE e.FOrderInterID = ? AND e.FOrderEntryID = ? AND "
                            "r.FClassTypeID IN " +
                                NumberList(db),
                            parameters);
        paid.qty = kNotApplicable;
        summary->SetItem("05RECEIVE", Variant(PhaseRow(paid, qty, amount)));
    }
    if (OptionOn(para, "ShowMO")) {
        Figures made = Sums(db,
                            "SELECT IFNULL(SUM(FQty), 0) AS Q, 0 AS A FROM ICMO "
                            "WHERE FOrderInterID = ? AND FOrderEntryID = ? AND FCancellation = 0",
                            keys);
        made.amount = Variant(made.qty.AsDouble() * price);
        summary->SetItem("06MO", Variant(PhaseRow(made, qty, amount)));
    }
    return summary;
}

adodb::RecordsetPtr BillLinks(adodb::Connection& db, const automation::DictionaryPtr& para) {
    const int64_t order = Required(para, "FInterID", "GetOrderBillLinks");
    const int64_t entry = Required(para, "FEntryID", "GetOrderBillLinks");
    const Variant orderKey(static_cast<int32_t>(order)), entryKey(static_cast<int32_t>(entry));
    return db.Execute(
        "SELECT DISTINCT s.FTranType AS FFromKind, s.FInterID AS FFromID, "
        "e.FSourceTranType AS FToKind, e.FSourceInterID AS FToID "
        "FROM ICStockBillEntry e JOIN ICStockBill s ON s.FInterID = e.FInterID "
        "WHERE e.FOrderInterID = ? AND e.FOrderEntryID = ? AND e.FSourceInterID <> 0 "
        "UNION ALL "
        "SELECT -10000, w.FID, r.FClassTypeID, w.FReceiptInterID "
        "FROM t_RPWriteOff w JOIN t_RPReceipt r ON r.FInterID = w.FReceiptInterID "
        "WHERE w.FOrderInterID = ? AND w.FOrderEntryID = ? ORDER BY 1, 2, 3, 4",
        {orderKey, entryKey, orderKey, entryKey});
}

}  // namespace client::middle_tier
