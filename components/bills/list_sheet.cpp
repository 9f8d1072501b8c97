// The bill lists as a clerk reads them.

#include <components/bills/list_sheet.h>

#include <contracts/erp_kinds.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <map>

namespace client {

namespace {

using K = ValueKind;

struct ListField {
    const char* column;
    const char* caption;  // Chinese; shown through the language files
    ValueKind kind = ValueKind::Text;
};

const std::vector<ListField>* FindListLayout(int32_t listId) {
    static const std::map<int32_t, std::vector<ListField>> layouts = {
        {trackquery::kSalesOrderList,
         {{"FBillNo", "订单编号"},
          {"FEntryID", "行号", K::Integer},
          {"FKindText", "单据类型", K::Word},
          {"FDate", "日期", K::Date},
          {"FCustName", "客户"},
          {"FItemNumber", "物料代码"},
          {"FItemName", "物料名称"},
          {"FQty", "数量", K::Quantity},
          {"FAmount", "金额", K::Amount},
          {"FStatusText", "状态", K::Word},
          {"FBillerName", "制单人"},
          {"FCheckerName", "审核人"}}},
        {trackquery::kTaskOrderList,
         {{"FBillNo", "任务单号"},
          {"FKindText", "单据类型", K::Word},
          {"FStatusText", "状态", K::Word},
          {"FDate", "日期", K::Date},
          {"FItemNumber", "物料代码"},
          {"FItemName", "物料名称"},
          {"FUnitName", "单位"},
          {"FQty", "计划生产数量", K::Quantity},
          {"FPlanFinishDate", "计划完工日期", K::Date},
          {"FBillerName", "制单人"}}},
        {trackquery::kOutsourcedTaskOrderList,
         {{"FBillNo", "任务单号"},
          {"FStatusText", "状态", K::Word},
          {"FDate", "日期", K::Date},
          {"FSupplierName", "加工单位"},
          {"FItemNumber", "物料代码"},
          {"FItemName", "物料名称"},
          {"FUnitName", "单位"},
          {"FQty", "计划生产数量", K::Quantity},
          {"FPlanFinishDate", "计划完工日期", K::Date},
          {"FBillerName", "制单人"}}},
        // The look-up of export orders: whole orders, or their shipping lots.
        {trackquery::kExportOrderClass,
         {{"FBillNo", "订单编号"},
          {"FEntryID", "行号", K::Integer},
          {"FDate", "日期", K::Date},
          {"FCustName", "客户"},
          {"FItemNumber", "物料代码"},
          {"FItemName", "物料名称"},
          {"FQty", "数量", K::Quantity},
          {"FShipDate", "出运日期", K::Date},
          {"FStatusText", "状态", K::Word}}},
    };
    static const std::vector<ListField> receipts = {
        {"FBillNo", "单据编号"}, {"FDate", "日期", K::Date}, {"FCustName", "客户"}};
    if (listId == 1000005 || listId == 1000015 || listId == 1000034) return &receipts;
    const auto found = layouts.find(listId);
    return found == layouts.end() ? nullptr : &found->second;
}

// The shown fields with the ordinal of their column in the record set.
std::vector<std::pair<ListField, int32_t>> ShownFields(int32_t listId, adodb::Recordset& rows) {
    std::vector<std::pair<ListField, int32_t>> shown;
    auto ordinalOf = [&rows](const std::string& name) {
        for (int32_t i = 0; i < rows.FieldCount(); ++i) {
            if (automation::EqualsIgnoreCase(rows.FieldAt(i).Name, name)) return i;
        }
        return -1;
    };
    if (const auto* layout = FindListLayout(listId)) {
        for (const auto& field : *layout) {
            const int32_t ordinal = ordinalOf(field.column);
            if (ordinal >= 0) shown.emplace_back(field, ordinal);
        }
        return shown;
    }
    for (int32_t i = 0; i < rows.FieldCount(); ++i)
        shown.emplace_back(ListField{rows.FieldAt(i).Name.c_str(), nullptr}, i);
    return shown;
}

}  // namespace

ListSheet ReadListSheet(int32_t listId, const adodb::RecordsetPtr& rows) {
    ListSheet sheet;
    if (!rows) return sheet;
    auto copy = rows->Clone();
    const auto fields = ShownFields(listId, *copy);
    SessionCaptions captions;
    for (const auto& [field, ordinal] : fields) {
        const std::string caption = field.caption ? captions(field.caption) : field.column;
        sheet.columns.push_back({caption, field.kind, AlignmentOf(field.kind)});
    }
    if (copy->RecordCount() == 0) return sheet;
    for (copy->MoveFirst(); !copy->Eof(); copy->MoveNext()) {
        std::vector<SheetCell> row;
        for (const auto& [field, ordinal] : fields)
            row.push_back(ShownValue(copy->Value(ordinal), field.kind, captions));
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

std::string RenderListSheet(const ListSheet& sheet, const std::vector<int32_t>& selected) {
    if (sheet.rows.empty()) return "  (no rows)\n";
    std::vector<SheetColumn> columns{{"#", ValueKind::Integer, 1}};
    columns.insert(columns.end(), sheet.columns.begin(), sheet.columns.end());
    // Marked by number once: a list of every row selected is as long as the sheet.
    std::vector<bool> chosen(sheet.rows.size() + 1, false);
    for (const int32_t number : selected) {
        if (number > 0 && static_cast<size_t>(number) < chosen.size()) chosen[number] = true;
    }
    // The cells are read from the sheet where they are: a list of 71,429 bills is not copied.
    std::string number;
    return TableText(
        columns, sheet.rows.size(),
        [&](size_t r, size_t c) -> std::string_view {
            if (c == 0) {
                number = (chosen[r + 1] ? "* " : "") + std::to_string(r + 1);
                return number;
            }
            const auto& row = sheet.rows[r];
            return c - 1 < row.size() ? std::string_view(row[c - 1].text) : std::string_view();
        },
        "  ");
}

}  // namespace client
