// Creation of the sales order tracker, Load (the view built and shown) and its release.

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <contracts/security.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/form.h>
#include <platform/windowing/screen.h>

namespace trackquery {

namespace {

constexpr const char* kSource = "QzICMOTrackQuery.CSeOrderQuery.";

// The tools a view of its own does not offer; opened from task order tracking it does not offer
// the jump back either.
constexpr const char* kHiddenTools =
    "mnuViewerTitle|btnShowSummaryView|btnShowDetailView|btnShowTitle|btnOption|btnBill|btnItem|"
    "btnBOM|btnRouting|btnSETrace|btnSelectBillOption";

automation::ObjectPtr ObjectOf(const automation::Variant& value) {
    return value.IsObject() ? value.AsObject() : nullptr;
}

}  // namespace

CSeOrderQuery::CSeOrderQuery() {
    try {
        m_DetailModel = std::make_shared<DetailModel>();
        m_NavigationModel = std::make_shared<NavigationModel>();
        m_HeadModel = std::make_shared<HeadModel>();
        m_CheckUserGroup = ReadCheckUserGroup();
    } catch (const automation::RuntimeError& error) {
        automation::RaiseAgain(error, std::string(kSource) + "Class_Initialize");
    }
}

CSeOrderQuery::~CSeOrderQuery() = default;

CSeOrderQueryPtr CreateCSeOrderQuery() { return std::make_shared<CSeOrderQuery>(); }

int32_t CSeOrderQuery::Hwnd() const { return m_frmQuery ? m_frmQuery->Hwnd() : 0; }

void CSeOrderQuery::Load(const automation::DictionaryPtr& DctPara) {
    try {
        if (!DctPara) {
            InformationBox(LoadResText("传入的参数错误！"));
            return;
        }
        m_ClassTypeID = automation::CLng(DctPara->Item("ClassTypeID", int32_t{-1}));
        m_SubID = GetSubID();
        if (m_ClassTypeID != kSalesOrderClass && m_ClassTypeID != kExportOrderClass) {
            InformationBox(LoadResText("传入的单据类别错误！"));
            return;
        }
        // A Load after Hide starts from fresh models.
        if (!m_DetailModel) m_DetailModel = std::make_shared<DetailModel>();
        if (!m_NavigationModel) m_NavigationModel = std::make_shared<NavigationModel>();
        if (!m_HeadModel) m_HeadModel = std::make_shared<HeadModel>();
        GetBillOption();
        CreateDetailModel();
        CreateHeadModel();

        m_frmQuery = frmICMOQuery::Create();
        automation::ObjectPtr parForm = ObjectOf(DctPara->Item("ParForm", automation::Variant()));
        automation::ObjectPtr parBar = ObjectOf(DctPara->Item("ParBar", automation::Variant()));
        const int32_t hwnd = automation::CLng(DctPara->Item("Hwnd", int32_t{0}));
        if (hwnd > 0) m_frmQuery->SetpHwnd(hwnd);
        if (parBar) m_frmQuery->SetBar(parBar);
        if (parForm) m_frmQuery->SetThisForm(parForm);
        m_frmQuery->SetCTrackModel(shared_from_this());

        // Callers always pass it; a host that leaves it out did not come from task order
        // tracking, so the jump there is offered.
        const bool calledByIcmoTrack =
            automation::CBool(DctPara->Item("CallByICMOTrack", automation::Variant(false)));
        ConfigureViewer(parForm, parBar, calledByIcmoTrack, hwnd);
        if (!OpenOrderList(DctPara)) {
            DropRefusedWindow();
            return;
        }
        ShowWindow(hwnd);
    } catch (const automation::RuntimeError& error) {
        InformationBox(LoadResText("打开订单全程跟踪失败，原因：") + kLineBreak +
                       error.Description());
        // A view that could not be opened is not left behind holding this controller.
        if (m_frmQuery && !m_frmQuery->IsLoaded()) DropRefusedWindow();
    }
}

void CSeOrderQuery::ConfigureViewer(automation::ObjectPtr& parForm, automation::ObjectPtr& parBar,
                                    bool calledByIcmoTrack, int32_t hwnd) {
    const TraceViewerPtr& viewer = Viewer();
    viewer->SetViewSetting01(true);
    viewer->SetViewSetting03(10);
    viewer->AttachMenuBar(m_frmQuery->abSubMenu);
    viewer->SetHost(parForm, parBar);
    if (calledByIcmoTrack) {
        viewer->SetToolsVisible(std::string(kHiddenTools) + "|ViewICMOTrack", false);
        viewer->SetToolsVisible("OrderSet", true);
    } else {
        viewer->SetToolsVisible(kHiddenTools, false);
        viewer->SetToolsVisible("ViewICMOTrack|OrderSet", true);
    }
    viewer->SetViewSetting14(11);
    viewer->SetViewSetting17(0);
    viewer->SetViewSetting16(4);
    viewer->SetViewSetting15(8);
    viewer->SetStandAlone(hwnd < 1);
    viewer->SetDetailModel(m_DetailModel);
    viewer->SetHeadModel(m_HeadModel);
}

// The orders handed over are listed at once; without any the view opens empty and the user
// selects orders in it. False when the list was refused or failed (the user was told).
bool CSeOrderQuery::OpenOrderList(const automation::DictionaryPtr& DctPara) {
    const automation::Variant orders = DctPara->Item("vctSeOrderList", automation::Variant());
    if (!orders.IsObject() || orders.IsNothing()) return true;
    auto filter = std::make_shared<automation::Dictionary>();
    filter->SetItem("vctSeOrderList", orders);
    filter->SetItem("FBillNo", "");
    filter->SetItem("FClassTypeID", m_ClassTypeID);
    // A missing value is handed on as missing.
    if (auto whole = DctPara->Lookup("SelWholeBill")) filter->SetItem("SelWholeBill", *whole);
    return LoadOrderList(filter);
}

void CSeOrderQuery::ShowWindow(int32_t hwnd) {
    frmICMOQueryPtr window = m_frmQuery;  // the view may close itself while it is shown
    if (hwnd > 0) {
        window->Show(windowing::vbModeless);
    } else {
        window->SetCaption(LoadResText(m_ClassTypeID == kExportOrderClass ? "外销订单全程跟踪"
                                                                          : "销售订单全程跟踪"));
        window->Show(windowing::vbModal);
    }
    windowing::Screen().SetMousePointer(windowing::vbDefault);
}

// A refused Load leaves no window behind, and no window that still holds this controller.
void CSeOrderQuery::DropRefusedWindow() {
    if (m_frmQuery) {
        windowing::UnloadOnExit unload(m_frmQuery);
        m_frmQuery->SetCTrackModel(nullptr);
    }
    Hide();
}

void CSeOrderQuery::Hide() {
    m_frmQuery.reset();
    m_DetailModel.reset();
    m_NavigationModel.reset();
    m_HeadModel.reset();
    m_dctOption.reset();
    m_rsTemplate.reset();
}

}  // namespace trackquery
