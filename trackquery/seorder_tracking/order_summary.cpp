// The detail skeleton of sales order tracking and its execution summary. Node 1 ("SumHead") holds
// the summary node 1.1 ("SumData") with one row per execution phase of the entry shown; node 2
// ("PerformHead") holds one node per execution phase the user's options show, filled when the
// user expands it (phase_detail.cpp).

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/messages.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

namespace trackquery {

namespace {

using automation::Variant;

constexpr int32_t kRowColor = 5662310;

// The phase selectors the template is read with, as one list.
constexpr const char* kTemplateKinds = "81, 82, 21, 1007132, 80, 1000034, 85";

// The phases after the order itself, in the order they are shown, each with the option that shows
// it and the message when the template lacks it.
struct Phase {
    const char* type;
    const char* option;
    const char* missingTemplate;
};

constexpr Phase kLaterPhases[] = {
    {"1007132", "ShowLC", "出口信用证查询模板数据错误！"},
    {"82", "ShowInform", "通知单查询模板数据错误！"},
    {"21", "ShowSaleOut", "销售出库单查询模板数据错误！"},
    {"80", "ShowInvoice", "销售发票查询模板数据错误！"},
    {"1000034", "ShowReceive", "销售收款单查询模板数据错误！"},
    {"85", "ShowMO", "生产任务单查询模板数据错误！"},
};

DetailColumnPtr CreateColumn(const std::string& caption, const std::string& key,
                             const Variant& ctlType, bool visible, int32_t align) {
    auto column = std::make_shared<DetailColumn>();
    column->Caption = caption;
    column->Key = key;
    column->CtlType = ctlType;
    column->Visible = visible;
    column->Align = align;
    return column;
}

DetailNodePtr NewSkeletonNode(const std::string& key) {
    auto node = std::make_shared<DetailNode>();
    node->Key = key;
    node->IsExpanded = true;
    node->FillStatus = 1;
    return node;
}

std::string PhaseCaption(const std::string& key, int32_t classTypeId) {
    if (key == "00ORDER") return LoadResText("订单");
    if (key == "01LC") return LoadResText("出口信用证");
    if (key == "02INFORM")
        return LoadResText(classTypeId == kSalesOrderClass ? "发货/退货" : "出运/退运");
    if (key == "03SALEOUT") return LoadResText("销售出库");
    if (key == "04INVOICE") return LoadResText("销售开票");
    if (key == "05RECEIVE") return LoadResText("销售收款");
    if (key == "06MO") return LoadResText("生产任务");
    return "";
}

bool IsDash(const Variant& value) { return value.IsString() && value.AsString() == "-"; }

}  // namespace

bool CSeOrderQuery::AmountsShown() const { return m_AmountRight && OptionOn("ShowAmount"); }

bool CSeOrderQuery::CreateDetailModel() {
    try {
        if (!m_DetailModel) m_DetailModel = std::make_shared<DetailModel>();
        m_DetailModel->Clear();
        const bool amounts = AmountsShown();

        auto sumHead = NewSkeletonNode("SumHead");
        sumHead->AddColumn(CreateColumn(LoadResText("订单汇总信息"), "SumHead", "", true, 2));
        auto sumData = NewSkeletonNode("SumData");
        sumData->AddColumn(CreateColumn(LoadResText("执行环节"), "FTranType", "", true, 0));
        sumData->AddColumn(CreateColumn(LoadResText("执行数量"), "FQty", "", true, 2));
        if (amounts)
            sumData->AddColumn(CreateColumn(LoadResText("执行金额"), "FAmount", "", true, 2));
        sumData->AddColumn(CreateColumn(LoadResText("未执行数量"), "FUnCommitQty", "", true, 2));
        if (amounts) {
            sumData->AddColumn(
                CreateColumn(LoadResText("未执行金额"), "FUnCommitAmount", "", true, 2));
        }
        sumData->AddColumn(CreateColumn(LoadResText("执行率"), "FCommitPer", "", true, 2));
        sumHead->AddRow(sumData, -1, false);
        m_DetailModel->Add(sumHead, -1, false);

        auto performHead = NewSkeletonNode("PerformHead");
        performHead->AddColumn(
            CreateColumn(LoadResText("订单详细信息"), "PerformHead", "", true, 0));

        m_rsTemplate = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery)
                           ->GetQueryFields(GetPropsString(), kSalesOrderTemplatesType,
                                            Variant(kTemplateKinds));
        if (!m_rsTemplate || m_rsTemplate->RecordCount() == 0) {
            m_rsTemplate.reset();
            InformationBox(LoadResText("读取订单模板信息失败！"));
            return false;
        }
        RecordsetPtr phases = m_rsTemplate->Clone();
        phases->SetFilter("FTranType =81 ");
        if (phases->Eof()) {
            m_rsTemplate.reset();
            InformationBox(LoadResText("订单查询模板数据错误！"));
            return false;
        }
        performHead->AddRow(CreatePhaseNode("81", phases), -1, false);
        for (const Phase& phase : kLaterPhases) {
            const std::string option = phase.option;
            // Receipts are one phase for both kinds: received payments and advances.
            const bool shown = option == "ShowReceive"
                                   ? OptionOn("ShowReceive") || OptionOn("ShowPreReceive")
                                   : OptionOn(option);
            if (!shown) continue;
            phases->SetFilter(std::string("FTranType = ") + phase.type + " ");
            if (phases->Eof()) {
                m_rsTemplate.reset();
                InformationBox(LoadResText(phase.missingTemplate));
                return false;
            }
            performHead->AddRow(CreatePhaseNode(phase.type, phases), -1, false);
        }
        m_DetailModel->Add(performHead, -1, false);
        return true;
    } catch (const automation::RuntimeError&) {
        // Without its template the phases cannot expand; the failure goes to the caller as it is.
        m_rsTemplate.reset();
        throw;
    }
}

void CSeOrderQuery::LoadOrderSummary() {
    try {
        auto sumData = std::dynamic_pointer_cast<DetailNode>(m_DetailModel->ItemByPath("1.1"));
        if (!sumData) automation::Raise(automation::vberr::ObjectVariableNotSet);
        sumData->ClearRows();

        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("UserOption", m_dctOption);
        para->SetItem("FInterID", m_FInterID);
        para->SetItem("FEntryID", m_FEntryID);
        para->SetItem("FDetailID", m_FDetailID);
        para->SetItem("FClassTypeID", m_ClassTypeID);
        automation::DictionaryPtr phases =
            automation::CreateObject<CGetOrderQuery>(kProgIdGetOrderQuery)
                ->GetSeOrderCollect(GetPropsString(), para);
        if (!phases || phases->Count() == 0) {
            InformationBox(LoadResText("读取订单执行汇总信息失败,请检查配置模版！"));
            return;
        }
        for (int32_t i = 1; i <= phases->Count(); ++i) {
            auto rs = phases->ItemAt(i).As<adodb::Recordset>();
            sumData->AddRow(CreateSummaryRow(automation::UCase(phases->Key(i)), rs), -1, false);
        }
        // Storing the nodes back lets the viewer see the new rows.
        sumData->IsExpanded = true;
        auto sumHead = m_DetailModel->Item(1);
        sumHead->SetRow(1, sumData);
        sumHead->IsExpanded = true;
        m_DetailModel->SetItem(1, sumHead);
    } catch (const automation::RuntimeError& error) {
        InformationBox(LoadResText("读取订单执行汇总信息失败,原因：") + kLineBreak +
                       error.Description());
    }
}

std::string CSeOrderQuery::QuantityText(const Variant& value) const {
    return FormatWithDecimals(value, m_QtyDecimal > 0 ? m_QtyDecimal : 0);
}

DetailRowPtr CSeOrderQuery::CreateSummaryRow(const std::string& key, const RecordsetPtr& rs) {
    auto row = std::make_shared<DetailRow>();
    row->RowColor = kRowColor;
    const bool atEnd = !rs || rs->Eof();
    auto addCell = [&](const std::string& cellKey, const std::string& text) {
        row->AddCell(cellKey, text, text);
    };
    auto figure = [&](const char* field, bool amount) -> std::string {
        if (atEnd) return "";
        const Variant value = rs->Value(field);
        if (IsDash(value)) return "-";
        return amount ? FormatWithDecimals(value, 2) : QuantityText(value);
    };

    addCell("FTranType", PhaseCaption(key, m_ClassTypeID));
    addCell("FQty", figure("FQty", false));
    if (AmountsShown()) addCell("FAmount", figure("FAmount", true));
    addCell("FUnCommitQty", figure("FUnCommitQty", false));
    if (AmountsShown()) addCell("FUnCommitAmount", figure("FUnCommitAmount", true));

    std::string rate;
    if (!atEnd) {
        const Variant value = rs->Value("FCommitPer");
        const std::string text = automation::TextOrEmpty(value);
        rate =
            IsDash(value) || text.empty()
                ? text
                : automation::CStr(Variant(automation::Round(automation::CDbl(value) * 100))) + "%";
    }
    addCell("FCommitPer", rate);
    return row;
}

}  // namespace trackquery
