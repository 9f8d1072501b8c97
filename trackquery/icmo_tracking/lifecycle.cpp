// Creation, start-up and closing of the task order tracker, and the window options it keeps per
// user.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/middle_tier.h>
#include <contracts/security.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>
#include <trackquery/services/quiet_failures.h>
#include <trackquery/services/task_order_kinds.h>

#include <platform/activebar/tool.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>
#include <platform/windowing/form.h>

namespace trackquery {

namespace {

constexpr const char* kSource = "QzICMOTrackQuery.CICMOQuery.";

// The viewer tools whose check state is kept per user, in the order they are saved.
constexpr const char* kFrameOptionTools[] = {
    "btnShowFilter", "btnReturnAllBill",   "btnReturnSelection", "btnShowStandard",
    "btnShowViewer", "btnShowSelectBills", "btnShowPosition",
};

}  // namespace

CICMOQuery::CICMOQuery() {
    try {
        EnsureModels();
        m_RoutingID = 0;
        m_BOMID = 0;
        m_ItemID = 0;
        m_CheckUserGroup = ReadCheckUserGroup();
    } catch (const automation::RuntimeError& error) {
        automation::RaiseAgain(error, std::string(kSource) + "Class_Initialize");
    }
}

CICMOQuery::~CICMOQuery() = default;

CICMOQueryPtr CreateCICMOQuery() { return std::make_shared<CICMOQuery>(); }

int32_t CICMOQuery::Hwnd() const { return m_frmQuery ? m_frmQuery->Hwnd() : 0; }

// The models are created with the controller and dropped by Hide; a later start creates them
// again, so that a controller can be started once more after its window was closed.
void CICMOQuery::EnsureModels() {
    if (!m_DetailModel) m_DetailModel = std::make_shared<DetailModel>();
    if (!m_NavigationModel) m_NavigationModel = std::make_shared<NavigationModel>();
    if (!m_HeadModel) m_HeadModel = std::make_shared<HeadModel>();
    if (!m_vctOperPackage) m_vctOperPackage = std::make_shared<automation::Vector>();
}

bool CICMOQuery::InitTrack(automation::ObjectPtr* oThisForm, int32_t lHwnd,
                           automation::ObjectPtr* oBar, const automation::VectorPtr& vctBillInterID,
                           const automation::DictionaryPtr& dctBillStatus) {
    ProcLog log(std::string(kSource) + "InitTrack");
    std::string sError;
    try {
        EnsureModels();
        DecideTrackedKind();

        auto window = frmICMOQuery::Create();
        m_frmQuery = window;
        window->SetpHwnd(lHwnd);
        if (oBar) window->SetBar(*oBar);
        if (oThisForm) window->SetThisForm(*oThisForm);
        window->SetCTrackModel(shared_from_this());
        window->SetOptionType(m_OptionKey);

        automation::ObjectPtr noForm, noBar;
        ConfigureViewer(oThisForm ? *oThisForm : noForm, oBar ? *oBar : noBar, dctBillStatus,
                        lHwnd);

        if (!LoadNavigation(vctBillInterID, dctBillStatus, sError)) {
            ShowInitFailure(sError);
            return false;
        }
        window->Show(lHwnd > 0 ? windowing::vbModeless : windowing::vbModal);
        return true;
    } catch (const automation::RuntimeError& error) {
        automation::Err().Set(error);
        ShowInitFailure(sError);
        automation::Err().Clear();
        log.MarkFailed();
        return false;
    }
}

// The sub-system of the calling module decides the kind of task order; any other sub-system keeps
// the kind the host set, and the option key follows the kind.
void CICMOQuery::DecideTrackedKind() {
    m_SubID = GetSubID();
    if (const TaskOrderKind* kind = TaskOrderKindOfSubsystem(m_SubID)) {
        m_TranType = kind->tranType;
        m_OptionKey = kind->optionKey;
    }
    if (m_OptionKey.empty()) {
        if (const TaskOrderKind* kind = TaskOrderKindOf(m_TranType)) m_OptionKey = kind->optionKey;
    }
}

void CICMOQuery::ConfigureViewer(automation::ObjectPtr& hostForm, automation::ObjectPtr& hostBar,
                                 const automation::DictionaryPtr& dctBillStatus, int32_t lHwnd) {
    const TraceViewerPtr& viewer = Viewer();
    viewer->SetViewSetting05("ICMOTrackQuery");
    viewer->SetViewSetting01(true);
    viewer->SetViewSetting03(10);
    viewer->AttachMenuBar(m_frmQuery->abSubMenu);
    viewer->SetHost(hostForm, hostBar);

    RestoreFrameOptions();

    viewer->SetToolsVisible("btnShowSummaryView|btnShowDetailView|btnShowSummaryTitle", false);
    // Tracking opened from sales order tracking does not offer the jump back.
    bool calledBySalesOrderTracking = false;
    if (dctBillStatus && dctBillStatus->Exists("CallBySETrack")) {
        calledBySalesOrderTracking = automation::CBool(dctBillStatus->Item("CallBySETrack"));
    }
    viewer->SetToolsVisible("btnSETrace", !calledBySalesOrderTracking);

    viewer->SetViewSetting17(0);
    viewer->SetViewSetting16(4);
    viewer->SetViewSetting15(8);
    viewer->SetDetailTitle(LoadResText("详细跟踪信息"));
    viewer->SetStandAlone(lHwnd < 1);
    if (!viewer->LayoutRestored()) {
        viewer->SetViewSetting13(false);
        viewer->SetViewSetting12(0.2f);
        viewer->SetViewSetting11(0.34f);
    }
    viewer->SetHeadTitleAlert(false);
    viewer->RefreshView();
}

// The check states the user left on the viewer's tools. The options are read under the option key
// followed by "Frm"; without a record set the tools stay as designed.
void CICMOQuery::RestoreFrameOptions() {
    RecordsetPtr options;
    {
        auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
        options = middleTier->GetFrmOption(GetPropsString(), m_OptionKey + "Frm");
    }
    if (!options) return;
    while (!options->Eof()) {
        if (auto tool = Viewer()->GetTool(automation::CStr(options->Value("FKey")))) {
            tool->SetChecked(automation::CBool(options->Value("FValue")));
        }
        options->MoveNext();
    }
}

bool CICMOQuery::LoadNavigation(const automation::VectorPtr& vctBillInterID,
                                const automation::DictionaryPtr& dctBillStatus,
                                std::string& sError) {
    m_LastKey.clear();
    m_HeadLinks.clear();
    try {
        return CreateNavigationModel(vctBillInterID, dctBillStatus);
    } catch (const automation::RuntimeError& error) {
        sError = error.Description();
        return false;
    }
}

// Tells the user why the window could not be shown, and lets go of the window that was prepared:
// it would otherwise keep the controller alive through CTrackModel.
void CICMOQuery::ShowInitFailure(const std::string& sError) {
    if (m_frmQuery) {
        try {
            m_frmQuery->Unload();
            m_frmQuery->SetCTrackModel(nullptr);
        } catch (const automation::RuntimeError&) {
            // A window that refuses to unload is dropped all the same.
        }
        m_frmQuery.reset();
    }
    try {
        ShowMessage(LoadResText("显示窗体错误,原因:") + sError + automation::Err().Description);
    } catch (const automation::RuntimeError&) {
        // Without the client's message object there is nobody to tell.
    }
}

void CICMOQuery::SaveFrameOptions() {
    try {
        auto options = std::make_shared<automation::Dictionary>();
        for (const char* key : kFrameOptionTools) {
            // A tool the viewer does not offer has nothing to save; the others still are.
            auto tool = Viewer()->GetTool(key);
            if (tool && tool->Enabled()) options->SetItem(key, tool->Checked());
        }
        const int32_t userId = automation::CLng(automation::Variant(GetParsedValue("UserID")));
        auto middleTier = automation::CreateObject<CSetICMOQuery>(kProgIdSetICMOQuery);
        middleTier->SetFrmOption(GetPropsString(), m_OptionKey, userId, options);
    } catch (const automation::RuntimeError& error) {
        // Not saving the options must not keep the window from closing.
        ReportQuietFailure(Viewer(), std::string(kSource) + "SaveFrameOptions", error);
    }
}

void CICMOQuery::CloseMe() {
    ProcLog log(std::string(kSource) + "CloseMe");
    SaveFrameOptions();
    frmICMOQueryPtr window = m_frmQuery;  // kept alive while it closes
    if (window && window->pHwnd() == 0) {
        try {
            window->Unload();
        } catch (const automation::RuntimeError&) {
            // Closing goes on: the references are dropped below all the same.
        }
        Hide();
    } else if (window) {
        // The viewer's Hide event, when the host closes the page, releases the window and models.
        window->AskHostToClosePage();
    }
}

void CICMOQuery::Hide() {
    m_frmQuery.reset();
    m_NavigationModel.reset();
    m_HeadModel.reset();
    m_DetailModel.reset();
    m_vctOperPackage.reset();
}

}  // namespace trackquery
