// The navigation tree of the task orders being tracked, and the selection of a node: the first
// selection after a new list shows at once, later clicks are deferred through the window's timer
// so that a run of clicks builds the panels once, for the node where the user stopped. The user
// replaces the list by typing part of a bill number, by picking bills in the bill list (F7), and
// finds a node by its text.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/middle_tier.h>
#include <trackquery/dialogs/bill_selection.h>
#include <trackquery/framework/navigation_search.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>
#include <trackquery/services/quiet_failures.h>
#include <trackquery/services/task_order_kinds.h>

#include <platform/activebar/tool.h>
#include <platform/adodb/like_pattern.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/msgbox.h>

namespace trackquery {

namespace {

constexpr const char* kSource = "QzICMOTrackQuery.CICMOQuery.";

const automation::Variant kNoValue;

// VB's comparison of a stored status value with a number: Empty (or no value) counts as 0, Null
// and texts that are not numbers never match.
bool StatusIs(const automation::DictionaryPtr& entry, const char* key, double number) {
    const automation::Variant* found = entry->FindItem(key);
    const automation::Variant& value = found ? *found : kNoValue;
    if (value.IsEmpty()) return number == 0;
    if (value.IsNull() || !automation::IsNumeric(value)) return false;
    return automation::CDbl(value) == number;
}

int32_t StatusIcon(const automation::Variant& status) {
    auto entry = status.IsObject() ? status.As<automation::Dictionary>() : nullptr;
    if (!entry) return 16;
    if (StatusIs(entry, "FSuspend", 1)) return 23;
    if (StatusIs(entry, "FCancellation", 1)) return 19;
    if (StatusIs(entry, "FStatus", 0)) return 16;
    if (StatusIs(entry, "FStatus", 3)) return 18;
    if (StatusIs(entry, "FStatus", 5)) return 20;
    return 17;
}

std::string RootText(int32_t tranType) {
    const TaskOrderKind* kind = TaskOrderKindOf(tranType);
    return kind ? LoadResText(kind->rootText) : "";
}

constexpr int32_t kKeyEnter = 13;
constexpr int32_t kKeyF7 = 118;
// From this many task orders on the tracking slows down, so the user is asked first.
constexpr int32_t kSlowListCount = 200;
// The navigation tree holds at most this many task order nodes.
constexpr int32_t kMaxListCount = 32767;

// True only when the user answers Yes.
bool AskYesNo(const std::string& question) {
    return trackquery::AskYesNo(LoadResText(question), windowing::vbInformation);
}

// A long list is taken only when the user confirms it; a list past the tree's limit needs a
// second confirmation.
bool ConfirmListSize(int32_t count, const std::string& slowQuestion,
                     const std::string& tooManyQuestion) {
    if (count >= kSlowListCount && !AskYesNo(slowQuestion)) return false;
    if (count >= kMaxListCount && !AskYesNo(tooManyQuestion)) return false;
    return true;
}

// The first `count` items of a list, or the list itself when it is no longer.
automation::VectorPtr FirstItems(const automation::VectorPtr& list, int32_t count) {
    if (list->Count() <= count) return list;
    auto first = std::make_shared<automation::Vector>();
    for (int32_t i = 1; i <= count; ++i) first->Add(list->Item(i));
    return first;
}

void FocusTool(const TraceViewerPtr& viewer, const char* key) {
    if (auto tool = viewer->GetTool(key)) tool->SetFocus();
}

// The status values of the current task order row, as the status icons read them.
automation::DictionaryPtr StatusEntryOf(const RecordsetPtr& rs) {
    auto entry = std::make_shared<automation::Dictionary>();
    entry->SetItem("FStatus", rs->Value("FStatus"));
    entry->SetItem("FSuspend", rs->Value("FSuspend"));
    entry->SetItem("FCancellation", rs->Value("FCancellation"));
    return entry;
}

}  // namespace

NavigationNodePtr CICMOQuery::CreateBillNode(const automation::Variant& item,
                                             const automation::DictionaryPtr& dctBillStatus) const {
    auto bill = item.As<automation::Dictionary>();
    if (!bill) automation::Raise(automation::vberr::ObjectRequired);
    // The values are read in place: a long list reads thousands of them.
    const automation::Variant* id = bill->FindItem("FInterID");
    const std::string interId = id ? automation::CStr(*id) : "0";
    auto node = std::make_shared<NavigationNode>();
    node->Level = 1;
    node->ParentKey = "root";
    node->Key = "MO" + interId;
    const automation::Variant* billNo = bill->FindItem("FBillNo");
    node->Text = billNo ? automation::CStr(*billNo) : "";
    const automation::Variant* status = dctBillStatus ? dctBillStatus->FindItem(interId) : nullptr;
    node->Image = StatusIcon(status ? *status : kNoValue);
    node->SelectedImage = node->Image;
    node->ItemData = interId;
    return node;
}

bool CICMOQuery::CreateNavigationModel(const automation::VectorPtr& vctBillInterID,
                                       const automation::DictionaryPtr& dctBillStatus) {
    ProcLog log(std::string(kSource) + "CreateNavigationModel");
    try {
        const TraceViewerPtr& viewer = Viewer();
        m_NavigationModel->Clear();
        auto root = std::make_shared<NavigationNode>();
        root->Level = 0;
        root->Key = "root";
        root->Text = RootText(m_TranType);
        if (!root->Text.empty()) viewer->SetNavigationTitle(root->Text);
        root->Image = 1;
        root->SelectedImage = 1;
        root->ItemData = "\"";
        m_NavigationModel->AddNode(root);

        int32_t nodeToSelect = 1;
        if (!vctBillInterID) {
            if (!viewer->GetNavigationModel()) viewer->SetNavigationModel(m_NavigationModel);
        } else {
            m_NavigationModel->Updating = true;
            viewer->SetNavigationTitle(root->Text + "(" + std::to_string(vctBillInterID->Count()) +
                                       ")");
            for (int32_t i = 1; i <= vctBillInterID->Count(); ++i) {
                m_NavigationModel->AddNode(CreateBillNode(vctBillInterID->Item(i), dctBillStatus));
                // A long list keeps the window responsive while it fills.
                windowing::DoEvents();
            }
            m_NavigationModel->Updating = false;
            if (!viewer->GetNavigationModel()) viewer->SetNavigationModel(m_NavigationModel);
            nodeToSelect = 2;
        }
        viewer->SelectNavigationNode(nodeToSelect, true);
        return true;
    } catch (const automation::RuntimeError& error) {
        log.MarkFailed();
        automation::RaiseAgain(error, std::string(kSource) + "CreateNavigationModel");
    }
}

void CICMOQuery::NavigationClick(bool bHasBuffer) {
    (void)bHasBuffer;
    try {
        if (!m_frmQuery) return;
        auto node = Viewer()->SelectedNavigationNode();
        if (!node) return;
        if (automation::UCase(node->Key) == "ROOT" || m_LastKey.empty()) {
            NavigationClickSelect();
            return;
        }
        node->ModelsBuilt = false;
        // Restarting the timer restarts its interval: the selection follows the last click.
        m_frmQuery->tmrQuery->SetEnabled(false);
        m_frmQuery->tmrQuery->SetEnabled(true);
    } catch (const automation::RuntimeError& error) {
        // A click that cannot be shown leaves the view as it is.
        ReportQuietFailure(Viewer(), std::string(kSource) + "ITrackQuery_NavigationClick", error);
    }
}

void CICMOQuery::NavigationClickSelect() {
    try {
        if (!m_frmQuery) return;
        const TraceViewerPtr& viewer = Viewer();
        auto node = viewer->SelectedNavigationNode();
        if (!node) return;
        const std::string key = node->Key;
        const bool restored = viewer->RestoreBuffer(key);
        if (automation::UCase(key) != "ROOT") {
            const int32_t interId = automation::CLng(automation::Variant(key.substr(2)));
            if (interId != m_FInterID) m_FInterID = interId;
        } else {
            m_FInterID = 0;
        }
        if (key != m_LastKey || m_LastKey.empty()) {
            if (restored) {
                m_DetailModel = viewer->GetDetailModel();
                RestoreHeadLinks(key);
                node->ModelsBuilt = false;
            } else {
                std::string sError;
                CreateHeadModel(m_FInterID);
                CreateDetailModel(m_FInterID, sError);
                node->ModelsBuilt = true;
            }
        }
        m_LastKey = key;
        ClearQuietFailure(viewer);
    } catch (const automation::RuntimeError& error) {
        if (error.Number() != 0) {
            automation::RaiseAgain(error,
                                   std::string(kSource) + "ITrackQuery_NavigationClickSelect");
        }
    }
}

void CICMOQuery::NavigationKeyPress(int16_t& KeyCode, int16_t& Shift) {
    // The keys of the navigation tree are left to the viewer.
    (void)KeyCode, (void)Shift;
}

void CICMOQuery::MenuTextKeyDown(int32_t lKeyCode, const std::string& sActiveBandName,
                                 const std::string& sText) {
    try {
        if (!m_frmQuery) return;
        const std::string band = automation::UCase(sActiveBandName);
        if (lKeyCode == kKeyEnter && !automation::Trim(sText).empty()) {
            if (band == "BNDFILTER") {
                SelectBillsByNumber(sText);
            } else if (band == "BNDSEARCH") {
                FindPosition();
                FocusTool(Viewer(), "txtPosition");
            }
        } else if (lKeyCode == kKeyF7 && band == "BNDFILTER") {
            ShowSelBillList();
        }
    } catch (const automation::RuntimeError& error) {
        // A key in the bar's text boxes never disturbs the view.
        ReportQuietFailure(Viewer(), std::string(kSource) + "ITrackQuery_MenuTextKeyDown", error);
    }
}

// Replaces the tree by the task orders of the tracked kind whose bill number contains the typed
// text. The text goes into the statement as the body of a LIKE literal. A single quote is the only
// character that can end such a literal in the ERP database (it knows no backslash escapes), so a
// text with a quote is refused before any statement is built; the wildcards "%" and "_" are
// escaped, so any other text is matched as it stands ("_" finds the numbers holding a "_").
void CICMOQuery::SelectBillsByNumber(const std::string& sText) {
    const TraceViewerPtr& viewer = Viewer();
    if (sText.find('\'') != std::string::npos) {
        InformationBox(LoadResText("选单号不能包含单引号，请重新录入！"));
        return;
    }
    RecordsetPtr rs;
    // Without a tracked kind no task order can fit; the statement would not even be whole. A text
    // that cannot be part of a bill number finds none either, and is not sent.
    const TaskOrderKind* kind = TaskOrderKindOf(m_TranType);
    if (kind && CanBePartOfBillNumber(sText)) {
        std::string sql =
            " SELECT FINTERID,FBillNO,FStatus,FSuspend,FCancellation FROM ICMO WHERE FBIllNO Like "
            "'" +
            adodb::LikeContaining(sText) + "'" + adodb::kLikeEscape + " AND " + kind->icmoCondition;
        if (m_CheckUserGroup) {
            sql +=
                " AND FBillerID IN (SELECT FUserID FROM t_Group WHERE FGroupID IN (SELECT FGroupID "
                "FROM t_Group WHERE FGroupID<>0 AND FUserID='" +
                std::to_string(GetUserID()) + "')) ";
        }
        auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
        rs = middleTier->GetRs(GetPropsString(), sql);
    }
    if (!rs || rs->RecordCount() < 1) {
        ShowMessage(FormatResText(
            "没有单据号为%1的单据或者该单据不符合选单条件或者您没有权限查看该单据，不能选单!",
            QuotedInMessage(sText)));
        FocusTool(viewer, "txtSelectBills");
        return;
    }

    int32_t count = rs->RecordCount();
    if (!ConfirmListSize(
            count,
            "您查询的生产任务单超过200张，将会影响查询速度，建议您重新录入查询条件。您仍要如此选择"
            "吗？",
            "满足条件的任务单太多，系统只取前面的32767个任务单节点，您确认要如此选择吗？")) {
        FocusTool(viewer, "txtSelectBills");
        return;
    }
    if (count >= kMaxListCount) count = kMaxListCount;

    auto bills = std::make_shared<automation::Vector>();
    auto status = std::make_shared<automation::Dictionary>();
    rs->MoveFirst();
    for (int32_t row = 1; row <= count && !rs->Eof(); ++row) {
        const automation::Variant interId = rs->Value("FInterID");
        auto bill = std::make_shared<automation::Dictionary>();
        bill->SetItem("FInterID", interId);
        bill->SetItem("FBillNO", rs->Value("FBillNO"));
        bill->SetItem("FStatus", rs->Value("FStatus"));
        bill->SetItem("FSuspend", rs->Value("FSuspend"));
        bill->SetItem("FCancellation", rs->Value("FCancellation"));
        bills->Add(bill);
        status->SetItem(automation::CStr(interId), StatusEntryOf(rs));
        rs->MoveNext();
    }
    std::string sError;
    if (!LoadNavigation(bills, status, sError)) ShowMessage(sError);
}

void CICMOQuery::ShowSelBillList() {
    ProcLog log(std::string(kSource) + "ShowSelBillList");
    try {
        auto filterTool = Viewer()->GetTool("btnShowFilter");
        const bool showFilter = filterTool && filterTool->Checked();
        // A kind the tracker does not know offers no list (list id 0, no filter).
        const TaskOrderKind* kind = TaskOrderKindOf(m_TranType);
        automation::VectorPtr selection = CallSelBill(
            kind ? kind->selectionListId : 0, kind ? kind->selectionFilter : "", showFilter, false);
        if (!selection) return;
        if (!ConfirmListSize(
                selection->Count(),
                "您选择的生产任务单超过200张，将会影响查询速度，建议您重新选择任务单。您仍要如此选"
                "择吗？",
                "你选择的任务单太多，系统只取前面的32767个任务单，您确认要如此选择吗？")) {
            return;
        }
        // The question promised the first 32767 task orders, as a typed number gives them.
        selection = FirstItems(selection, kMaxListCount);

        auto status = std::make_shared<automation::Dictionary>();
        RecordsetPtr info;
        {
            auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
            info = middleTier->GetICMOInfo(GetPropsString(), selection);
        }
        if (info) {
            if (info->RecordCount() > 0) info->MoveFirst();
            while (!info->Eof()) {
                status->SetItem(automation::CStr(info->Value("FInterID")), StatusEntryOf(info));
                info->MoveNext();
            }
        }
        std::string sError;
        if (!LoadNavigation(selection, status, sError)) ShowMessage(sError);
    } catch (const automation::RuntimeError& error) {
        // The list is a convenience: when it fails the tree stays as it was.
        log.MarkFailed();
        ReportQuietFailure(Viewer(), std::string(kSource) + "ShowSelBillList", error);
    }
}

// Selects the next task order whose bill number contains the text of the position box, searching
// on from the selected node and then once around from the first task order.
void CICMOQuery::FindPosition() {
    const TraceViewerPtr& viewer = Viewer();
    const std::string text = viewer->GetPositionText();
    if (automation::Trim(text).empty()) {
        ShowMessage(LoadResText("请输入查询条件。"));
        FocusTool(viewer, "txtPosition");
        return;
    }
    // Without a selected node the search starts at the root, so that it covers every task order.
    auto selected = viewer->SelectedNavigationNode();
    const int32_t current = selected ? selected->Index() : 1;
    const int32_t hit = FindNodeByText(*m_NavigationModel, current, text);
    if (hit == 0) {
        ShowMessage(LoadResText("没有符合条件的任务单。"));
        FocusTool(viewer, "txtPosition");
        return;
    }
    if (hit != current) viewer->SelectNavigationNode(hit, true);
}

}  // namespace trackquery
