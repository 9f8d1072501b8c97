// Expansion of the detail panel. A tracked bill kind's node is built empty; the first time the
// user expands it, its bills are read from the middle tier and shown one row each, cell by cell,
// with a totals row. An operation record row, when expanded, hangs the chosen package kinds under
// itself as child nodes, which load like any other node.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/quiet_failures.h>
#include <trackquery/services/task_order_kinds.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

namespace trackquery {

namespace {

using automation::Variant;

constexpr int32_t kRowColor = 5662310;
constexpr int32_t kOperationRecordKind = -52;
constexpr int32_t kStockQtyKind = -88;
constexpr int32_t kSubstituteKind = -501;

// The icon and the text of a bill status keyword; a keyword without an entry sets neither.
struct StatusLook {
    int32_t icon = 0;
    std::string text;
};

StatusLook LookOfStatus(const std::string& keyword, int32_t kind) {
    const std::string word = automation::UCase(keyword);
    if (word == "CHECK") {
        // Task orders are released, every other bill is checked.
        return {17, LoadResText(IsTaskOrderBillKind(kind) ? "下达" : "审核")};
    }
    if (word == "PLAN") return {16, LoadResText("计划")};
    if (word == "CANCEL") return {19, LoadResText("作废")};
    if (word == "CLOSE") return {18, LoadResText("关闭")};
    if (word == "SUSPEND") return {23, LoadResText("挂起")};
    if (word == "CONFIRM") return {20, LoadResText("确认")};
    if (word == "CHANGE") return {22, LoadResText("变更")};
    if (word == "CONVERT") return {21, LoadResText("改制")};
    if (word == "END") return {18, LoadResText("结案")};
    return {};
}

bool IsNumericColumn(const DetailColumnPtr& column) {
    return automation::TextOrEmpty(column->CtlType).substr(0, 1) == "1";
}

bool FieldIsOne(const Variant& value) {
    if (value.IsNull() || value.IsEmpty() || !automation::IsNumeric(value)) return false;
    return automation::CDbl(value) == 1;
}

// What one expansion of a node works with.
struct NodeLoad {
    DetailNodePtr node;
    int32_t kind = 0;
    RecordsetPtr fields;
    RecordsetPtr bills;
    automation::DictionaryPtr totals = std::make_shared<automation::Dictionary>();
    automation::DictionaryPtr stock;
    // The decimal source last read from a numeric column; the stock column reads its decimals
    // with it, across columns and rows.
    std::string decimalSource;
    int32_t lineNumber = 1;
    bool rowsExpand = false;
};

// The operation records of one operation: the operation row above the node names it.
std::string OperationFilter(const DetailNodePtr& node) {
    auto operationRow = node->ParentRow();
    if (!operationRow) automation::Raise(automation::vberr::ObjectVariableNotSet);
    std::string filter;
    if (auto cell = operationRow->Cell("CommonOper")) {
        filter = " SHWorkBill.FBillType=11620 AND SHWorkBillEntry.FOperSN=" +
                 automation::TextOrEmpty(cell->Tag) +
                 " AND SHWorkBillEntry.FOperID=" + automation::TextOrEmpty(cell->Value);
    }
    if (auto cell = operationRow->Cell("RepairOper")) {
        filter = " SHWorkBill.FBillType=11621 AND SHWorkBillEntry.FOperSN=" +
                 automation::TextOrEmpty(cell->Tag) +
                 " AND SHWorkBillEntry.FOperID=" + automation::TextOrEmpty(cell->Value);
    }
    return filter;
}

void StartTotals(NodeLoad& load) {
    load.fields->SetFilter(" FSum=1");
    while (!load.fields->BOF() && !load.fields->Eof()) {
        const std::string key = automation::CStr(load.fields->Value("FKey"));
        load.totals->SetItem(key, 0.0);
        load.totals->SetItem(key + "Decimal", int32_t{0});
        load.fields->MoveNext();
    }
    load.fields->SetFilter("");
    if (load.fields->RecordCount() > 0) load.fields->MoveFirst();
}

void FillStatusCell(NodeLoad& load, const DetailRowPtr& row, const DetailCellPtr& cell,
                    int32_t position) {
    const StatusLook look =
        LookOfStatus(automation::TextOrEmpty(load.bills->Value("FStatus")), load.kind);
    if (look.icon != 0) {
        row->StatusIcon = look.icon;
        cell->Text = look.text;
    }
    cell->Value = load.bills->Value(position);
}

void FillStockCell(NodeLoad& load, const DetailCellPtr& cell) {
    // Stock quantities are read for the material list kind only; elsewhere the column stays
    // blank instead of showing a quantity that was never read.
    if (!load.stock) return;
    const int32_t decimals =
        automation::CLng(load.bills->Value("FQtyDecimal_" + load.decimalSource));
    const std::string key = automation::TextOrEmpty(load.bills->Value("FBillNO")) +
                            automation::TextOrEmpty(load.bills->Value("FEntryID"));
    const Variant quantity = load.stock->Item(key, int32_t{0});
    cell->Text = FormatWithDecimals(quantity, decimals);
    cell->Value = quantity;
}

void FillNumericCell(NodeLoad& load, const DetailCellPtr& cell) {
    load.decimalSource = automation::TextOrEmpty(load.fields->Value("FDecimalSrc"));
    const int32_t decimals =
        load.decimalSource.empty()
            ? automation::CLng(load.fields->Value("FFormat"))
            : automation::CLng(load.bills->Value("FQtyDecimal_" + load.decimalSource));
    const Variant value = load.bills->Value(cell->Key);
    cell->Text = value.IsNull() ? "" : FormatWithDecimals(value, decimals);
    cell->Value = value;
    if (!FieldIsOne(load.fields->Value("FSum"))) return;
    if (!value.IsNull() && !value.IsEmpty()) {
        const double total = automation::CDbl(load.totals->Item(cell->Key, 0.0));
        load.totals->SetItem(cell->Key, total + automation::CDbl(value));
    }
    const std::string decimalKey = cell->Key + "Decimal";
    if (decimals > automation::CLng(load.totals->Item(decimalKey, int32_t{0}))) {
        load.totals->SetItem(decimalKey, decimals);
    }
}

DetailCellPtr NewBillCell(NodeLoad& load, const DetailRowPtr& row, const DetailColumnPtr& column,
                          int32_t position) {
    auto cell = std::make_shared<DetailCell>();
    cell->Key = column->Key;
    load.fields->SetFilter(" FKey='" + cell->Key + "'");
    const std::string key = automation::UCase(cell->Key);
    if (key == "FSTATUS") {
        FillStatusCell(load, row, cell, position);
    } else if (key == "FAUXQTYSTOCK") {
        FillStockCell(load, cell);
    } else if (key == "FBILLNO" && load.kind == kSubstituteKind) {
        // Substitution lines are numbered instead of showing the task order's number again.
        cell->Text = std::to_string(load.lineNumber);
        cell->Value = load.lineNumber;
        ++load.lineNumber;
    } else if (IsNumericColumn(column)) {
        FillNumericCell(load, cell);
    } else {
        const Variant value = load.bills->Value(cell->Key);
        cell->Text = automation::TextOrEmpty(value);
        cell->Value = value;
    }
    return cell;
}

DetailRowPtr NewBillRow(NodeLoad& load) {
    auto row = std::make_shared<DetailRow>();
    row->RowColor = kRowColor;
    if (load.rowsExpand) {
        row->IsExpanded = false;
        row->CanExpand = true;
    } else {
        row->CanExpand = false;
    }
    const automation::VectorPtr columns = load.node->Columns();
    for (int32_t p = 1; p <= columns->Count(); ++p) {
        auto column = columns->Item(p).As<DetailColumn>();
        if (!column) automation::Raise(automation::vberr::ObjectVariableNotSet);
        row->AddCell(NewBillCell(load, row, column, p));
    }
    return row;
}

void AddTotalsRow(NodeLoad& load) {
    auto row = std::make_shared<DetailRow>();
    row->IsTotal = true;
    row->RowColor = kRowColor;
    row->CanExpand = false;
    auto first = std::make_shared<DetailCell>();
    first->Key = "FBillNo";
    first->Tag = "SUM";
    first->Text = LoadResText("合计");
    row->AddCell(first);
    load.fields->SetFilter(" FSum=1");
    while (!load.fields->BOF() && !load.fields->Eof()) {
        auto cell = std::make_shared<DetailCell>();
        cell->Key = automation::CStr(load.fields->Value("FKey"));
        const Variant total = load.totals->Item(cell->Key, 0.0);
        const int32_t decimals =
            automation::CLng(load.totals->Item(cell->Key + "Decimal", int32_t{0}));
        cell->Text = FormatWithDecimals(total, decimals);
        cell->Value = total;
        row->AddCell(cell);
        load.fields->MoveNext();
    }
    load.node->AddRow(row, -1, false);
}

}  // namespace

void CICMOQuery::DetailExpand(int32_t lRow, const std::string& sPath,
                              const automation::ObjectPtr& objRow, const std::string& sRowType) {
    (void)lRow, (void)sPath;
    try {
        if (sRowType == "0") {
            ExpandDetailNode(std::dynamic_pointer_cast<DetailNode>(objRow));
        } else if (sRowType == "1") {
            ExpandOperationRecordRow(std::dynamic_pointer_cast<DetailRow>(objRow));
        }
        ClearQuietFailure(Viewer());
    } catch (const automation::RuntimeError& error) {
        // The rows built so far stay; a node that was marked loaded is not read again.
        ReportQuietFailure(Viewer(), "QzICMOTrackQuery.CICMOQuery.ITrackQuery_DetailExpand", error);
    }
}

void CICMOQuery::DetailBeforeExpand(int32_t lRow, const std::string& sPath,
                                    const automation::ObjectPtr& objRow,
                                    const std::string& sRowType) {
    // Everything happens once the node or row is expanded.
    (void)lRow, (void)sPath, (void)objRow, (void)sRowType;
}

void CICMOQuery::ExpandDetailNode(const DetailNodePtr& node) {
    if (!node) automation::Raise(automation::vberr::ObjectVariableNotSet);
    if (node->FillStatus != 0) return;
    NodeLoad load;
    load.node = node;
    load.kind = automation::CLng(Variant(node->Key));
    const int32_t parentId = automation::CLng(node->Tag);
    if (parentId == 0) return;  // the navigation root has no bills of its own

    const std::string filter = load.kind == kOperationRecordKind ? OperationFilter(node) : "";
    const std::string props = GetPropsString();
    load.fields = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery)
                      ->GetQueryFields(props, -85, Variant(load.kind));
    load.bills = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery)
                     ->GetICMOQuery(props, parentId, -85, Variant(load.kind), filter);
    if (!load.bills || !load.fields) automation::Raise(automation::vberr::ObjectVariableNotSet);
    node->FillStatus = load.bills->RecordCount() < 1 ? 2 : 1;

    StartTotals(load);
    if (load.bills->RecordCount() > 0 && load.kind == kStockQtyKind) {
        load.stock = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery)
                         ->GetStockQty(props, load.bills);
        if (!load.bills) automation::Raise(automation::vberr::ObjectVariableNotSet);
    }
    if (load.bills->RecordCount() > 0) load.bills->MoveFirst();

    load.rowsExpand =
        load.kind == kOperationRecordKind && m_vctOperPackage && m_vctOperPackage->Count() > 1;
    while (!load.bills->BOF() && !load.bills->Eof()) {
        node->AddRow(NewBillRow(load), -1, false);
        load.bills->MoveNext();
    }
    if (load.bills->RecordCount() > 0 && load.totals->Count() > 0) AddTotalsRow(load);
}

void CICMOQuery::ExpandOperationRecordRow(const DetailRowPtr& row) {
    if (!row) automation::Raise(automation::vberr::ObjectVariableNotSet);
    auto node = row->ParentNode();
    if (!node) automation::Raise(automation::vberr::ObjectVariableNotSet);
    if (node->KeyType() != kOperationRecordKind || row->ChildState != 0) return;
    const int32_t packageCount = m_vctOperPackage ? m_vctOperPackage->Count() : 0;
    if (packageCount < 2) {
        row->ChildState = 2;
        row->CanExpand = false;
        return;
    }
    // The operation record's id is what the package kinds are read under; a row without it
    // stays as it is.
    const auto recordCell = row->Cell("FKeyInterID");
    if (!recordCell) automation::Raise(automation::vberr::ObjectVariableNotSet);
    row->ChildState = 1;
    // The first package node is the operation record kind that the operation rows carry; the
    // others list the bills of this one operation record.
    for (int32_t i = 2; i <= packageCount; ++i) {
        auto package = m_vctOperPackage->Item(i).As<DetailNode>();
        if (!package) automation::Raise(automation::vberr::ObjectVariableNotSet);
        auto child = package->CloneHead();
        child->Tag = recordCell->Value;
        row->AddChild(child, -1, false);
    }
}

}  // namespace trackquery
