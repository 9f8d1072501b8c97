// Expansion of the detail panel. A tracked bill kind's node is built empty; the first time the
// user expands it, its bills are read from the middle tier and shown one row each, cell by cell,
// with a totals row. An operation record row, when expanded, hangs the chosen package kinds under
// itself as child nodes, which load like any other node.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/erp_kinds.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/quiet_failures.h>
#include <trackquery/services/task_order_kinds.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trackquery {

namespace {

using automation::Variant;

constexpr int32_t kRowColor = 5662310;
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

enum class CellKind { Status, Stock, LineNumber, Numeric, Plain };

// What a column asks of every bill row. The values of the column's query field row, which the
// filter " FKey='key'" finds (its first match, letter case ignored), are read once per expansion
// and kept; so are the positions of the bill fields the column reads. Each is read when a cell
// first needs it, through the record sets themselves, so that a failure (a key without a query
// field row, a field the bills lack) comes at the same cell, with the same error, as when every
// cell asked the record sets.
struct ColumnPlan {
    DetailColumnPtr column;
    std::string key;
    CellKind kind = CellKind::Plain;
    std::optional<Variant> format, sum;
    std::optional<std::string> decimalSource;
    // The text of the last date the column showed: bills of one day follow each other.
    std::optional<std::pair<double, std::string>> lastDate;
    int32_t valueOrdinal = -1;
    int32_t decimalsOrdinal = -1;
    bool filtered = false;
    // The column's total and most decimals, added up here when every column has a key of its
    // own, and written into the totals once the rows are built.
    bool totalRead = false;
    double total = 0;
    int32_t totalDecimals = 0;
};

// The first query field row of a key as a filter finds it.
std::string KeyFilter(const std::string& key) { return " FKey='" + key + "'"; }

// What one expansion of a node works with.
struct NodeLoad {
    DetailNodePtr node;
    int32_t kind = 0;
    RecordsetPtr fields;
    RecordsetPtr bills;
    // The values of the bill whose row is being built.
    const std::vector<Variant>* values = nullptr;
    automation::DictionaryPtr totals = std::make_shared<automation::Dictionary>();
    automation::DictionaryPtr stock;
    // The decimal source last read from a numeric column; the stock column reads its decimals
    // with it, across columns and rows.
    std::string decimalSource;
    int32_t lineNumber = 1;
    bool rowsExpand = false;

    // Read when the first row is built.
    std::vector<ColumnPlan> columns;
    bool planned = false;
    // The column keys shared by every row, when they differ from each other; otherwise each row
    // adds its cells by key, as a row whose key repeats keeps one cell for it.
    CellKeyList cellKeys;
    // Looks of the status keywords met so far; the resource texts are read once per keyword.
    std::vector<std::pair<std::string, StatusLook>> looks;
    // Field positions in the bills read by name, found once.
    std::vector<std::pair<std::string, int32_t>> ordinals;
};

int32_t BillOrdinal(NodeLoad& load, const std::string& name) {
    for (const auto& [known, ordinal] : load.ordinals) {
        if (known == name) return ordinal;
    }
    const int32_t ordinal = load.bills->FieldOrdinal(name);  // 3265 when the bills lack it
    load.ordinals.emplace_back(name, ordinal);
    return ordinal;
}

const Variant& BillAt(const NodeLoad& load, int32_t ordinal) {
    return (*load.values)[static_cast<size_t>(ordinal)];
}

const Variant& BillValue(NodeLoad& load, const std::string& name) {
    return BillAt(load, BillOrdinal(load, name));
}

const StatusLook& LookOf(NodeLoad& load, const std::string& keyword) {
    for (const auto& [known, look] : load.looks) {
        if (known == keyword) return look;
    }
    return load.looks.emplace_back(keyword, LookOfStatus(keyword, load.kind)).second;
}

void PlanColumns(NodeLoad& load) {
    const automation::VectorPtr columns = load.node->Columns();
    std::vector<std::string> keys;
    bool distinct = true;
    for (int32_t p = 1; p <= columns->Count(); ++p) {
        auto column = columns->Item(p).As<DetailColumn>();
        ColumnPlan plan;
        plan.column = column;
        if (!column) {
            // Not a column: the row fails when it reaches it.
            distinct = false;
            load.columns.push_back(std::move(plan));
            continue;
        }
        plan.key = column->Key;
        const std::string key = automation::UCase(plan.key);
        if (key == "FSTATUS") {
            plan.kind = CellKind::Status;
        } else if (key == "FAUXQTYSTOCK") {
            plan.kind = CellKind::Stock;
        } else if (key == "FBILLNO" && load.kind == kSubstituteKind) {
            plan.kind = CellKind::LineNumber;
        } else if (IsNumericColumn(column)) {
            plan.kind = CellKind::Numeric;
        }
        for (const auto& earlier : keys) {
            if (automation::EqualsIgnoreCase(earlier, plan.key)) distinct = false;
        }
        keys.push_back(plan.key);
        load.columns.push_back(std::move(plan));
    }
    if (distinct) load.cellKeys = std::make_shared<const std::vector<std::string>>(keys);
    load.planned = true;
}

// A value of the column's query field row, read at its first use.
const Variant& QueryFieldValue(NodeLoad& load, const ColumnPlan& plan, std::optional<Variant>& kept,
                               const char* name) {
    if (!kept) {
        load.fields->SetFilter(KeyFilter(plan.key));
        kept = load.fields->Value(name);
    }
    return *kept;
}

int32_t ValueOrdinal(NodeLoad& load, ColumnPlan& plan) {
    if (plan.valueOrdinal < 0) plan.valueOrdinal = load.bills->FieldOrdinal(plan.key);
    return plan.valueOrdinal;
}

// The operation records of one operation: the operation row above the node names it.
std::string OperationFilter(const DetailNodePtr& node) {
    auto operationRow = node->ParentRow();
    if (!operationRow) automation::Raise(automation::vberr::ObjectVariableNotSet);
    std::string filter;
    auto filterOf = [&](const char* billType, int32_t position) {
        return " SHWorkBill.FBillType=" + std::string(billType) + " AND SHWorkBillEntry.FOperSN=" +
               automation::TextOrEmpty(operationRow->CellTag(position)) +
               " AND SHWorkBillEntry.FOperID=" +
               automation::TextOrEmpty(operationRow->CellAt(position).Value);
    };
    if (const int32_t position = operationRow->CellPosition("CommonOper"); position >= 0) {
        filter = filterOf("11620", position);
    }
    if (const int32_t position = operationRow->CellPosition("RepairOper"); position >= 0) {
        filter = filterOf("11621", position);
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

void FillStatusCell(NodeLoad& load, DetailRow& row, DetailCell& cell, int32_t position) {
    const StatusLook& look = LookOf(load, automation::TextOrEmpty(BillValue(load, "FStatus")));
    if (look.icon != 0) {
        row.StatusIcon = look.icon;
        cell.Text = look.text;
    }
    cell.Value = load.bills->ValueRef(position);
}

void FillStockCell(NodeLoad& load, DetailCell& cell) {
    // Stock quantities are read for the material list kind only; elsewhere the column stays
    // blank instead of showing a quantity that was never read.
    if (!load.stock) return;
    const int32_t decimals = automation::CLng(BillValue(load, "FQtyDecimal_" + load.decimalSource));
    const std::string key = automation::TextOrEmpty(BillValue(load, "FBillNO")) +
                            automation::TextOrEmpty(BillValue(load, "FEntryID"));
    Variant quantity = load.stock->Item(key, int32_t{0});
    cell.Text = FormatWithDecimals(quantity, decimals);
    cell.Value = std::move(quantity);
}

void FillNumericCell(NodeLoad& load, ColumnPlan& plan, DetailCell& cell) {
    if (!plan.decimalSource) {
        std::optional<Variant> read;
        plan.decimalSource =
            automation::TextOrEmpty(QueryFieldValue(load, plan, read, "FDecimalSrc"));
    }
    load.decimalSource = *plan.decimalSource;
    int32_t decimals = 0;
    if (load.decimalSource.empty()) {
        decimals = automation::CLng(QueryFieldValue(load, plan, plan.format, "FFormat"));
    } else {
        if (plan.decimalsOrdinal < 0) {
            plan.decimalsOrdinal = load.bills->FieldOrdinal("FQtyDecimal_" + load.decimalSource);
        }
        decimals = automation::CLng(BillAt(load, plan.decimalsOrdinal));
    }
    const Variant& value = BillAt(load, ValueOrdinal(load, plan));
    cell.Text = value.IsNull() ? "" : FormatWithDecimals(value, decimals);
    cell.Value = value;
    if (!FieldIsOne(QueryFieldValue(load, plan, plan.sum, "FSum"))) return;
    if (load.cellKeys) {
        if (!plan.totalRead) {
            plan.total = automation::CDbl(load.totals->Item(plan.key, 0.0));
            plan.totalDecimals =
                automation::CLng(load.totals->Item(plan.key + "Decimal", int32_t{0}));
            plan.totalRead = true;
        }
        if (!value.IsNull() && !value.IsEmpty()) plan.total += automation::CDbl(value);
        if (decimals > plan.totalDecimals) plan.totalDecimals = decimals;
        return;
    }
    if (!value.IsNull() && !value.IsEmpty()) {
        const Variant* total = load.totals->FindItem(plan.key);
        load.totals->SetItem(plan.key,
                             (total ? automation::CDbl(*total) : 0.0) + automation::CDbl(value));
    }
    const std::string decimalKey = plan.key + "Decimal";
    if (decimals > automation::CLng(load.totals->Item(decimalKey, int32_t{0}))) {
        load.totals->SetItem(decimalKey, decimals);
    }
}

std::string PlainText(ColumnPlan& plan, const Variant& value) {
    if (value.IsString()) return value.AsString();
    if (value.Type() != automation::VarType::Date) return automation::TextOrEmpty(value);
    const double serial = value.AsDate().serial;
    if (!plan.lastDate || plan.lastDate->first != serial) {
        plan.lastDate.emplace(serial, automation::TextOrEmpty(value));
    }
    return plan.lastDate->second;
}

void FillBillCell(NodeLoad& load, DetailRow& row, ColumnPlan& plan, DetailCell& cell,
                  int32_t position) {
    if (!plan.column) automation::Raise(automation::vberr::ObjectVariableNotSet);
    if (!plan.filtered) {
        // The filter of each column is set once, as its first cell did; a key that makes no
        // filter fails there.
        load.fields->SetFilter(KeyFilter(plan.key));
        plan.filtered = true;
    }
    switch (plan.kind) {
        case CellKind::Status:
            FillStatusCell(load, row, cell, position);
            break;
        case CellKind::Stock:
            FillStockCell(load, cell);
            break;
        case CellKind::LineNumber:
            // Substitution lines are numbered instead of showing the task order's number again.
            cell.Text = std::to_string(load.lineNumber);
            cell.Value = load.lineNumber;
            ++load.lineNumber;
            break;
        case CellKind::Numeric:
            FillNumericCell(load, plan, cell);
            break;
        case CellKind::Plain: {
            const Variant& value = BillAt(load, ValueOrdinal(load, plan));
            cell.Text = PlainText(plan, value);
            cell.Value = value;
            break;
        }
    }
}

DetailRowPtr NewBillRow(NodeLoad& load) {
    if (!load.planned) PlanColumns(load);
    load.values = &load.bills->CurrentValues();
    auto row =
        load.cellKeys ? std::make_shared<DetailRow>(load.cellKeys) : std::make_shared<DetailRow>();
    row->RowColor = kRowColor;
    if (load.rowsExpand) {
        row->IsExpanded = false;
        row->CanExpand = true;
    } else {
        row->CanExpand = false;
    }
    for (size_t i = 0; i < load.columns.size(); ++i) {
        ColumnPlan& plan = load.columns[i];
        if (load.cellKeys) {
            FillBillCell(load, *row, plan, row->CellAt(static_cast<int32_t>(i)),
                         static_cast<int32_t>(i + 1));
        } else {
            DetailCell cell;
            FillBillCell(load, *row, plan, cell, static_cast<int32_t>(i + 1));
            row->AddCell(plan.key, std::move(cell.Text), std::move(cell.Value));
        }
    }
    return row;
}

void AddTotalsRow(NodeLoad& load) {
    auto row = std::make_shared<DetailRow>();
    row->IsTotal = true;
    row->RowColor = kRowColor;
    row->CanExpand = false;
    row->AddCell("FBillNo", LoadResText("合计"), Variant());
    row->SetCellTag(0, "SUM");
    load.fields->SetFilter(" FSum=1");
    while (!load.fields->BOF() && !load.fields->Eof()) {
        const std::string key = automation::CStr(load.fields->Value("FKey"));
        Variant total = load.totals->Item(key, 0.0);
        const int32_t decimals = automation::CLng(load.totals->Item(key + "Decimal", int32_t{0}));
        std::string text = FormatWithDecimals(total, decimals);
        row->AddCell(key, std::move(text), std::move(total));
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
                      ->GetQueryFields(props, kTrackedKindsType, Variant(load.kind));
    load.bills = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery)
                     ->GetICMOQuery(props, parentId, kTrackedKindsType, Variant(load.kind), filter);
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
    for (const ColumnPlan& plan : load.columns) {
        if (!plan.totalRead) continue;
        load.totals->SetItem(plan.key, plan.total);
        load.totals->SetItem(plan.key + "Decimal", plan.totalDecimals);
    }
    // The query fields stay filtered on the last column, as the fill of its cells left them.
    if (load.planned && !load.columns.empty()) {
        load.fields->SetFilter(KeyFilter(load.columns.back().key));
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
