// The execution phase nodes of sales order tracking: built empty with the columns their template
// gives, filled from the middle tier when the user expands one, emptied when another entry is
// shown.

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <contracts/erp_kinds.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/messages.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <vector>

namespace trackquery {

namespace {

using automation::Variant;

// The class of a line that writes receipts off against the order.
constexpr int32_t kWriteOffClass = -10000;
constexpr int32_t kNoticePhase = 82;

enum ControlType { kQuantity = 1, kDate = 2, kAmount = 4, kStatus = 5 };

struct StatusCaption {
    const char* keyword;
    const char* caption;
};

constexpr StatusCaption kStatusCaptions[] = {
    {"EntryClose", "已关闭"},
    {"UnEntryClose", "未关闭"},
    {"Y", "是"},
    {"N", "否"},
    {"Checked", "已审核"},
    {"UnChecked", "未审核"},
    {"Hook", "已钩稽"},
    {"PHook", "部分钩稽"},
    {"UHook", "未钩稽"},
    {"Check", "下达"},
    {"Plan", "计划"},
    {"Confirm", "确认"},
    {"Close", "关闭"},
    {"Cancel", "作废"},
    {"Suspend", "挂起"},
    {"End", "结案"},
};

std::string StatusText(const std::string& keyword) {
    for (const auto& status : kStatusCaptions) {
        if (automation::EqualsIgnoreCase(keyword, status.keyword))
            return LoadResText(status.caption);
    }
    return keyword;
}

// The client's language for the template's caption columns; no code counts as Simplified Chinese.
std::string CaptionLanguage() {
    const std::string code = automation::UCase(LanguageCode());
    return code.empty() ? "CHS" : code;
}

}  // namespace

DetailNodePtr CSeOrderQuery::CreatePhaseNode(const std::string& type,
                                             const RecordsetPtr& rsTemplate) {
    auto node = std::make_shared<DetailNode>();
    node->IsExpanded = false;
    node->FillStatus = 0;
    node->Key = type;
    node->CanExpand = true;
    const std::string language = CaptionLanguage();
    const bool exportNotice =
        automation::CLngOr(Variant(type)) == kNoticePhase && m_ClassTypeID == kExportOrderClass;
    for (; !rsTemplate->Eof(); rsTemplate->MoveNext()) {
        const std::string key = automation::TextOrEmpty(rsTemplate->Value("FKey"));
        const Variant ctlType = rsTemplate->Value("FCtlType");
        if (!IsFieldShown(key, ctlType)) continue;
        std::string caption =
            language == "CHS" ? automation::TextOrEmpty(rsTemplate->Value("FCaption"))
                              : automation::TextOrEmpty(rsTemplate->Value("FCaption_" + language));
        // Export orders ship and return where domestic orders deliver.
        if (exportNotice && automation::UCase(key) == "FBILLNO") caption = LoadResText("出运/退运");
        auto column = std::make_shared<DetailColumn>();
        column->Caption = caption;
        column->Key = automation::Trim(key);
        column->CtlType = type + "_" + automation::Trim(key);
        column->Visible = automation::CBool(rsTemplate->Value("FVisible"));
        column->Align = automation::CLng(rsTemplate->Value("FAlign"));
        node->AddColumn(column);
    }
    return node;
}

void CSeOrderQuery::DetailExpand(int32_t lRow, const std::string& sPath,
                                 const automation::ObjectPtr& objRow, const std::string& sRowType) {
    FillPhaseDetail(lRow, sPath, objRow, sRowType);
}

void CSeOrderQuery::DetailBeforeExpand(int32_t lRow, const std::string& sPath,
                                       const automation::ObjectPtr& objRow,
                                       const std::string& sRowType) {
    // Everything happens once the node is expanded.
    (void)lRow, (void)sPath, (void)objRow, (void)sRowType;
}

void CSeOrderQuery::FillPhaseDetail(int32_t lRow, const std::string& sPath,
                                    const automation::ObjectPtr& objRow,
                                    const std::string& sRowType) {
    (void)lRow, (void)sRowType;
    try {
        if (!m_rsTemplate) {
            InformationBox(LoadResText("没有全程跟踪模版数据，请重新登录或检查模版！"));
            return;
        }
        if (m_FInterID == 0 || m_FEntryID == 0) return;
        auto phaseNode = std::dynamic_pointer_cast<DetailNode>(objRow);
        if (!phaseNode || phaseNode->TypeName() != "CTable" || phaseNode->FillStatus != 0) return;
        const int32_t type = phaseNode->KeyType();
        if (std::ranges::find(kSalesOrderPhases, type) == kSalesOrderPhases.end()) return;

        m_rsTemplate->SetFilter("FTranType = " + std::to_string(type));
        if (m_rsTemplate->Eof()) {
            InformationBox(LoadResText("不存在当前执行环节模版数据，请重新登录或检查模版！"));
            return;
        }
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("FClassTypeID", m_ClassTypeID);
        para->SetItem("FInterID", m_FInterID);
        para->SetItem("FEntryID", m_FEntryID);
        para->SetItem("FTranTypeID", type);
        para->SetItem("UserOption", m_dctOption);
        automation::VectorPtr bills = automation::CreateObject<CGetOrderQuery>(kProgIdGetOrderQuery)
                                          ->GetSeOrderPerforms(GetPropsString(), para);
        if (!bills) {
            InformationBox(LoadResText("读取当前执行环节数据失败!"));
            return;
        }
        if (bills->Count() == 0) return;

        auto node = std::dynamic_pointer_cast<DetailNode>(m_DetailModel->ItemByPath(sPath));
        if (!node) automation::Raise(automation::vberr::ObjectVariableNotSet);
        // Every record set is read before a row is added: a fill that fails part way adds
        // nothing, and the next expansion reads the phase again.
        PhaseTemplate shown;
        std::vector<DetailRowPtr> rows;
        for (const Variant& item : bills->Items()) {
            auto rs = item.IsObject() ? item.As<adodb::Recordset>() : nullptr;
            if (!rs) {
                InformationBox(LoadResText("传入的数据有误!"));
                return;
            }
            if (rs->RecordCount() > 0) rs->MoveFirst();
            // Field positions are found once per record set, at the first row that reads them.
            std::vector<int32_t> ordinals;
            int32_t classOrdinal = -1;
            for (; !rs->Eof(); rs->MoveNext()) {
                if (classOrdinal < 0) classOrdinal = rs->FieldOrdinal("FClassTypeID");
                const bool writeOff =
                    automation::CLngOr(rs->ValueRef(classOrdinal)) == kWriteOffClass;
                if (!shown.read) ReadPhaseTemplate(shown);
                ordinals.resize(shown.fields.size(), -1);
                auto row = shown.keys ? std::make_shared<DetailRow>(shown.keys)
                                      : std::make_shared<DetailRow>();
                for (size_t f = 0; f < shown.fields.size(); ++f) {
                    PhaseField& field = shown.fields[f];
                    std::string text;
                    if (writeOff && field.billNumber) {
                        text =
                            LoadResText("核销序号") + automation::TextOrEmpty(rs->Value("FBillNo"));
                    } else {
                        if (ordinals[f] < 0) ordinals[f] = rs->FieldOrdinal(field.trimmedKey);
                        // An empty field counts as the empty text.
                        static const Variant kEmptyText{std::string()};
                        const Variant& value = rs->ValueRef(ordinals[f]);
                        if (!field.control) field.control = automation::CLngOr(field.ctlType);
                        text = FormatCellText(value.IsNull() ? kEmptyText : value, *field.control,
                                              shown.captions);
                    }
                    if (shown.keys) {
                        DetailCell& cell = row->CellAt(static_cast<int32_t>(f));
                        cell.Value = text;
                        cell.Text = std::move(text);
                    } else {
                        Variant value(text);
                        row->AddCell(field.key, std::move(text), std::move(value));
                    }
                }
                rows.push_back(row);
            }
        }
        for (const auto& row : rows) node->AddRow(row, -1, false);

        if (rows.empty()) {
            node->FillStatus = 0;
            return;
        }
        node->FillStatus = 1;
        node->IsExpanded = true;
        // Storing the nodes back lets the viewer see the new rows.
        auto performHead = m_DetailModel->Item(2);
        performHead->SetRow(automation::CLng(Variant(GetNthToken(sPath, 2, "."))), node);
        performHead->IsExpanded = true;
        m_DetailModel->SetItem(2, performHead);
    } catch (const automation::RuntimeError& error) {
        InformationBox(LoadResText("填充执行明细数据错误，原因：") + kLineBreak +
                       error.Description());
    }
}

// The shown fields of the phase's template, in template order, as each row shows them. The
// template's cursor ends past its last row, as a walk for every row left it.
void CSeOrderQuery::ReadPhaseTemplate(PhaseTemplate& shown) const {
    std::vector<std::string> keys;
    bool distinct = true;
    m_rsTemplate->MoveFirst();
    for (; !m_rsTemplate->Eof(); m_rsTemplate->MoveNext()) {
        PhaseField field;
        field.key = automation::TextOrEmpty(m_rsTemplate->Value("FKey"));
        field.ctlType = m_rsTemplate->Value("FCtlType");
        if (!IsFieldShown(field.key, field.ctlType)) continue;
        field.trimmedKey = automation::Trim(field.key);
        field.billNumber = automation::UCase(field.key) == "FBILLNO";
        for (const auto& earlier : keys) {
            if (automation::EqualsIgnoreCase(earlier, field.key)) distinct = false;
        }
        keys.push_back(field.key);
        shown.fields.push_back(std::move(field));
    }
    // Rows share one key list; a template that names a key twice keeps one cell for it per row,
    // so its rows add their cells one by one.
    if (distinct) shown.keys = std::make_shared<const std::vector<std::string>>(std::move(keys));
    shown.read = true;
}

std::string CSeOrderQuery::FormatCellText(const Variant& value, int32_t control,
                                          StatusCaptions& captions) const {
    // A figure that does not apply is the text "-", shown as it is; a number never reads so.
    auto isDash = [&] { return value.IsString() && value.AsString() == "-"; };
    switch (control) {
        case kQuantity:
            return isDash() ? "-" : QuantityText(value);
        case kDate: {
            const std::string trimmed = automation::Trim(automation::TextOrEmpty(value));
            // A date read from the database is written so already; the pattern keeps it.
            if (value.Type() == automation::VarType::Date && automation::IsIsoDateText(trimmed)) {
                return trimmed;
            }
            return automation::Len(trimmed) > 1 ? automation::Format(Variant(trimmed), "YYYY-MM-DD")
                                                : "";
        }
        case kAmount:
            return isDash() ? "-" : FormatWithDecimals(value, 2);
        case kStatus: {
            std::string keyword = automation::TextOrEmpty(value);
            for (const auto& [known, caption] : captions) {
                if (known == keyword) return caption;
            }
            std::string caption = StatusText(keyword);
            captions.emplace_back(std::move(keyword), caption);
            return caption;
        }
        default:
            return automation::TextOrEmpty(value);
    }
}

void CSeOrderQuery::ResetPhaseNodes() {
    auto performHead = std::dynamic_pointer_cast<DetailNode>(m_DetailModel->ItemByPath("2"));
    if (!performHead) return;
    for (int32_t k = performHead->RowCount(); k >= 1; --k) {
        auto phase = std::dynamic_pointer_cast<DetailNode>(performHead->Row(k));
        if (!phase) continue;
        phase->ClearRows();
        phase->FillStatus = 0;
        phase->IsExpanded = false;
        performHead->SetRow(k, phase);
    }
    performHead->IsExpanded = true;
    m_DetailModel->SetItem(2, performHead);
}

}  // namespace trackquery
