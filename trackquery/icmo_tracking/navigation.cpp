// The navigation tree of the task orders being tracked, and the selection of a node: the first
// selection after a new list shows at once, later clicks are deferred through the window's timer
// so that a run of clicks builds the panels once, for the node where the user stopped.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/event_loop.h>

#include <exception>

namespace trackquery {

namespace {

constexpr const char* kSource = "QzICMOTrackQuery.CICMOQuery.";

// VB's comparison of a stored status value with a number: Empty counts as 0, Null and texts that
// are not numbers never match.
bool StatusIs(const automation::DictionaryPtr& entry, const char* key, double number) {
    const automation::Variant value = entry->Item(key, automation::Variant());
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
    switch (tranType) {
        case -85:
            return LoadResText("生产任务单");
        case -571:
            return LoadResText("委外加工生产任务单");
        case -54:
            return LoadResText("重复生产任务单");
        default:
            return "";
    }
}

}  // namespace

NavigationNodePtr CICMOQuery::CreateBillNode(const automation::Variant& item,
                                             const automation::DictionaryPtr& dctBillStatus) const {
    auto bill = item.As<automation::Dictionary>();
    if (!bill) automation::Raise(automation::vberr::ObjectRequired);
    const std::string interId = automation::CStr(bill->Item("FInterID", int32_t{0}));
    auto node = std::make_shared<NavigationNode>();
    node->Level = 1;
    node->ParentKey = "root";
    node->Key = "MO" + interId;
    node->Text = automation::CStr(bill->Item("FBillNo", ""));
    automation::Variant status;
    if (dctBillStatus) status = dctBillStatus->Item(interId, automation::Variant());
    node->Image = StatusIcon(status);
    node->SelectedImage = node->Image;
    node->ItemData = interId;
    return node;
}

bool CICMOQuery::CreateNavigationModel(const automation::VectorPtr& vctBillInterID,
                                       const automation::DictionaryPtr& dctBillStatus) {
    const int32_t log = LogProcStart(std::string(kSource) + "CreateNavigationModel");
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
        LogProcEnd(log);
        return true;
    } catch (...) {
        LogProcEnd(log, kLogFailed);
        automation::RaiseAgain(automation::ToRuntimeError(std::current_exception()),
                               std::string(kSource) + "CreateNavigationModel");
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
    } catch (...) {
        // A click that cannot be shown leaves the view as it is.
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
                node->ModelsBuilt = false;
            } else {
                std::string sError;
                CreateHeadModel(m_FInterID);
                CreateDetailModel(m_FInterID, sError);
                node->ModelsBuilt = true;
            }
        }
        m_LastKey = key;
    } catch (...) {
        const automation::RuntimeError error = automation::ToRuntimeError(std::current_exception());
        if (error.Number() != 0) {
            automation::RaiseAgain(error,
                                   std::string(kSource) + "ITrackQuery_NavigationClickSelect");
        }
    }
}

}  // namespace trackquery
