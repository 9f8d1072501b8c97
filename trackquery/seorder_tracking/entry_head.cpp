// The head panel of sales order tracking: one line per visible field of the order head template,
// its caption followed by the value of the order entry shown (captions alone while none is).

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/messages.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/comparison.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

#include <vector>

namespace trackquery {

namespace {

using automation::Variant;

bool IsVisible(const RecordsetPtr& fields) {
    return automation::VbEquals(fields->Value("FVisible"), Variant(int32_t{1}));
}

// Export orders keep their exchange rates to 10 decimals, domestic sales orders to 12.
std::string ExchangeRateText(const Variant& rate, int32_t classTypeId) {
    if (rate.IsNull() || rate.IsEmpty()) return "";
    const bool exportOrder = classTypeId == kExportOrderClass;
    const double rounded = automation::Round(automation::CDbl(rate), exportOrder ? 10 : 12);
    return automation::Format(Variant(rounded), exportOrder ? "#0.0000000000" : "#0.000000000000");
}

}  // namespace

void CSeOrderQuery::CreateHeadModel() {
    try {
        RecordsetPtr fields =
            automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery)
                ->GetQueryFields(GetPropsString(), kSalesOrderTemplatesType, Variant("-81"));
        if (!fields || fields->RecordCount() == 0) {
            InformationBox(LoadResText("读取订单模板信息失败！"));
            return;
        }
        RecordsetPtr entry;
        if (m_FInterID != 0) {
            auto para = std::make_shared<automation::Dictionary>();
            para->SetItem("FInterID", m_FInterID);
            para->SetItem("FEntryID", m_FEntryID);
            para->SetItem("FClassTypeID", m_ClassTypeID);
            entry = automation::CreateObject<CGetOrderQuery>(kProgIdGetOrderQuery)
                        ->GetSeOrderDetail(GetPropsString(), para);
            if (!entry) {
                InformationBox(LoadResText("读取当前节点订单分录详细信息失败！"));
                return;
            }
            if (entry->Eof()) {
                InformationBox(LoadResText("所选单据分录不存在或已被修改！"));
                return;
            }
            m_QtyDecimal = automation::CLng(entry->Value("FQtyDecimal"));
        }

        // The lines are made first and written together, so that a failure keeps the panel whole.
        std::vector<std::string> lines;
        for (fields->MoveFirst(); !fields->Eof(); fields->MoveNext()) {
            if (!IsVisible(fields)) continue;
            std::string line = automation::TextOrEmpty(fields->Value("FCaption"));
            if (entry) {
                const std::string key = automation::TextOrEmpty(fields->Value("FKey"));
                line += automation::TextOrEmpty(entry->Value(key));
                if (key == "FCurrency") {
                    line += " " + ExchangeRateText(entry->Value("FExchangeRate"), m_ClassTypeID);
                }
            }
            lines.push_back(line);
        }

        // Line k of the panel is the k-th visible field: replaced in place when the panel already
        // shows them, added to an empty one.
        if (!m_HeadModel) m_HeadModel = std::make_shared<HeadModel>();
        if (m_HeadModel->LineCount() != static_cast<int32_t>(lines.size())) m_HeadModel->Clear();
        for (size_t k = 0; k < lines.size(); ++k) {
            const auto position = static_cast<int32_t>(k + 1);
            if (position <= m_HeadModel->LineCount()) {
                m_HeadModel->SetLine(position, lines[k]);
            } else {
                m_HeadModel->AddLine(lines[k]);
            }
        }
    } catch (const automation::RuntimeError& error) {
        InformationBox(LoadResText("填充订单信息失败，原因：") + kLineBreak + error.Description());
    }
}

}  // namespace trackquery
