// The head panel of the task order being tracked: a title (the bill number, marked when the order
// is overdue, or a warning when it is gone) and one line per head field, with the routing, BOM and
// item of the order remembered for the view commands.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/middle_tier.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/comparison.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

namespace trackquery {

namespace {

constexpr const char* kHeadSource = "QzICMOTrackQuery.CICMOQuery.CreateHeadModel";

// The text of a task order's status word; a word outside the list shows nothing.
std::string StatusText(const automation::Variant& word) {
    if (word.IsNull() || word.IsEmpty()) return "";
    const std::string upper = automation::UCase(automation::CStr(word));
    if (upper == "CHECK") return LoadResText("下达");
    if (upper == "PLAN") return LoadResText("计划");
    if (upper == "CONFIRM") return LoadResText("确认");
    if (upper == "CLOSE") return LoadResText("关闭");
    if (upper == "CANCEL") return LoadResText("作废");
    if (upper == "SUSPEND") return LoadResText("挂起");
    if (upper == "END") return LoadResText("结案");
    return "";
}

// VB's "a < b" in an If statement: a Null on either side is not less.
bool IsLess(const automation::Variant& a, const automation::Variant& b) {
    const auto order = automation::VbCompare(a, b);
    return order.has_value() && *order < 0;
}

// Dates are compared as dates even when one of them reaches us as a date text, which a plain
// Variant comparison would order as text against a number.
bool IsEarlier(const automation::Variant& a, const automation::Variant& b) {
    if (a.IsNull() || b.IsNull()) return false;
    if (automation::IsDate(a) && automation::IsDate(b)) {
        return automation::CDate(a).serial < automation::CDate(b).serial;
    }
    return IsLess(a, b);
}

// An order is overdue while it is not closed out, not all received into stock and its planned
// finish date lies before the server's date.
bool IsOverdue(const RecordsetPtr& order) {
    if (automation::UCase(automation::CStr(order->Value("FStatus"))) == "END") return false;
    if (!IsLess(order->Value("FStockPercent"), automation::Variant(int32_t{100}))) return false;
    return IsEarlier(order->Value("FPlanFinishDate"), order->Value("FSysDate"));
}

// The value a head line shows after its caption and colon.
std::string HeadValueText(const RecordsetPtr& fields, const RecordsetPtr& order) {
    const std::string key = automation::CStr(fields->Value("FKey"));
    const automation::Variant value = order->Value(key);
    if (automation::UCase(key) == "FSTATUS") return StatusText(value);
    if (automation::VbEquals(fields->Value("FCtlType"), automation::Variant(int32_t{1}))) {
        const std::string decimalSource = automation::CStr(fields->Value("FDecimalSrc"));
        const automation::Variant decimals = decimalSource.empty()
                                                 ? fields->Value("FFormat")
                                                 : order->Value("FQtyDecimal_" + decimalSource);
        return FormatWithDecimals(value, automation::CLng(decimals));
    }
    if (value.IsNull() || value.IsEmpty()) return "";
    return automation::CStr(value);
}

// The link prefix of a head column that names the routing, BOM or item, or "" for any other.
std::string LinkPrefix(const std::string& key) {
    const std::string upper = automation::UCase(key);
    if (upper == "FROUTINGID") return "Rout";
    if (upper == "FBOMINTERID") return "IBom";
    if (upper == "FITEMID") return "Item";
    return "";
}

// The id a task order node was given when the tree was built: its key without "MO".
std::string NodeOwnId(const NavigationNodePtr& node) {
    if (automation::UCase(node->Key.substr(0, 2)) == "MO") return node->Key.substr(2);
    return node->Key;
}

// After a failure the panel shows no task order: its title asks for one, and no lines of the order
// shown before stay under it. Keeps the caller's pending error; a viewer that fails here (a
// run-time error) leaves the panel as it is, and a fault of the program reaches the caller.
void ShowNoTaskOrder(const TraceViewerPtr& viewer, HeadModelPtr& headModel) {
    if (!viewer) return;
    try {
        automation::PendingErrorGuard keepCallersError;
        headModel = std::make_shared<HeadModel>();
        viewer->SetHeadTitleAlert(false);
        viewer->SetHeadTitle(LoadResText("请选择任务单！"));
        viewer->SetHeadModel(headModel);
    } catch (const automation::RuntimeError&) {
        // A viewer that cannot take the empty panel has the failure on its status line.
    }
}

}  // namespace

bool CICMOQuery::CreateHeadModel(int32_t& lInterID) {
    ProcLog log(kHeadSource);
    try {
        auto head = std::make_shared<HeadModel>();
        RecordsetPtr fields;
        {
            auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
            fields = middleTier->GetQueryFields(GetPropsString(), kTaskOrderHeadType,
                                                automation::Variant(m_TranType));
        }
        if (!fields) {
            ShowMessage(LoadResText("没有任务单信息。"));
            return false;
        }

        // Without a window there is no viewer to show the head in.
        if (!m_frmQuery) automation::Raise(automation::vberr::ObjectVariableNotSet);
        const TraceViewerPtr& viewer = Viewer();
        viewer->SetHeadTitleAlert(false);
        viewer->SetHeadTitle(LoadResText("请选择任务单！"));

        RecordsetPtr order;
        if (lInterID != 0) {
            {
                auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
                order = middleTier->GetICMOQuery(GetPropsString(), lInterID, kTaskOrderHeadType,
                                                 automation::Variant(m_TranType));
            }
            std::string title;
            bool alert = false;
            if (!order || order->RecordCount() == 0 || order->Eof()) {
                title = LoadResText("该任务单不存在或已经被删除,请选择其他任务单。");
                lInterID = 0;
                m_FInterID = 0;
                m_RoutingID = 0;
                m_BOMID = 0;
                m_ItemID = 0;
                alert = true;
            } else if (IsOverdue(order)) {
                title = automation::CStr(order->Value("FBillNO")) + LoadResText("(拖期)");
                alert = true;
            } else {
                title = automation::CStr(order->Value("FBillNO"));
            }
            viewer->SetHeadTitleAlert(alert);
            viewer->SetHeadTitle(title);
        }

        NavigationNodePtr node;
        if (lInterID != 0) {
            node = viewer->SelectedNavigationNode();
            if (node && automation::UCase(node->Key) == "ROOT") node.reset();
        }
        // The node's link entries are written afresh on every build, after its own id, so that
        // showing the same order again does not pile up copies of the same links.
        std::string links;

        while (!fields->BOF() && !fields->Eof()) {
            const std::string key = automation::CStr(fields->Value("FKey"));
            if (automation::VbEquals(fields->Value("FVisible"), automation::Variant(int32_t{1}))) {
                std::string line = automation::CStr(fields->Value("FCaption")) + ":";
                if (lInterID != 0) line += HeadValueText(fields, order);
                head->AddLine(line);
            }
            const std::string prefix = LinkPrefix(key);
            if (node && !prefix.empty()) {
                const automation::Variant value = order->Value(key);
                const bool none = value.IsNull() || value.IsEmpty();
                links += prefix + (none ? std::string() : automation::CStr(value)) + ":";
                const int32_t id = none ? 0 : automation::CLng(value);
                if (prefix == "Rout") m_RoutingID = id;
                if (prefix == "IBom") m_BOMID = id;
                if (prefix == "Item") m_ItemID = id;
            }
            fields->MoveNext();
        }
        if (node) {
            node->ItemData = NodeOwnId(node) + links;
            m_HeadLinks[node->Key] = {m_RoutingID, m_BOMID, m_ItemID};
        }

        m_HeadModel = head;
        viewer->SetHeadModel(m_HeadModel);
        return true;
    } catch (const automation::RuntimeError& error) {
        log.MarkFailed();
        if (m_frmQuery) ShowNoTaskOrder(Viewer(), m_HeadModel);
        automation::RaiseAgain(error, kHeadSource);
    }
}

void CICMOQuery::RestoreHeadLinks(const std::string& key) {
    const auto found = m_HeadLinks.find(key);
    const HeadLinks links = found == m_HeadLinks.end() ? HeadLinks{} : found->second;
    m_RoutingID = links.routing;
    m_BOMID = links.bom;
    m_ItemID = links.item;
}

}  // namespace trackquery
