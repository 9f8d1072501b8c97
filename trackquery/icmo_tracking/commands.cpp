// The commands of the task order tracking window: every click on a tool of the window's menus and
// tool bars arrives here by its key. A command may leave a message for the user; it is shown once
// the command is over. Print, preview and export need their rights; a refusal says so in a box.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/bills.h>
#include <contracts/middle_tier.h>
#include <contracts/security.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modTrackQuery.h>
#include <trackquery/services/task_order_kinds.h>
#include <trackquery/services/user_groups.h>

#include <platform/activebar/tool.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>
#include <platform/windowing/msgbox.h>

namespace trackquery {

namespace {

using automation::Variant;

constexpr const char* kMenuClickSource = "QzICMOTrackQuery.CICMOQuery.ITrackQuery_MenuClick";

constexpr const char* kNoRight = "对不起，你没有相应的权限！";
constexpr const char* kNoGroupRight = "对不起，你没有相应的用户组权限！";
constexpr const char* kNoItem = "没有可以查看的物料。";
constexpr const char* kNoBill = "没有需要查看的单据。";
constexpr const char* kNoTaskOrder = "请选择任务单!";

// Permission objects of the commands: (object type, object id) and the action asked for.
constexpr int32_t kTaskOrderObjectType = 1022;
constexpr int32_t kEngineeringObjectType = 1017;
constexpr int32_t kRoutingObjectID = 50;
constexpr int32_t kOutputObjectID = 105;
constexpr int32_t kActionPrint = 32768;
constexpr int32_t kActionExport = 16;

// The panes of the viewer, by the name it reports.
bool IsHeadPane(const std::string& pane) {
    const std::string name = automation::UCase(pane);
    return name == "SUMMARY" || name == "NAVIGATION" || name == "NULL";
}

bool IsDetailPane(const std::string& pane) { return automation::UCase(pane) == "DETAIL"; }

bool HasRight(int32_t objectType, int32_t objectId, int32_t action) {
    return NewGLData()->AccessCheck(objectType, objectId, action);
}

Variant CellValueOf(const DetailRowPtr& row, const char* key) {
    auto cell = row->Cell(key);
    return cell ? cell->Value : Variant();
}

void ShowRefusalBox() { InformationBox(LoadResText(kNoRight)); }

// Opens one bill in the client's ordinary bill window.
void OpenBill(int32_t billType, int32_t showMode, int32_t billId, int32_t tranType) {
    bool changed = false;
    ShowBill(billType, false, showMode, nullptr, billId, tranType, "", -1, changed);
}

}  // namespace

void CICMOQuery::MenuClick(const ToolPtr& Tool) {
    try {
        // A tool that arrives after the window went has nothing left to act on.
        if (!Tool || !m_frmQuery) return;
        std::string sMessage;
        RunCommand(Tool, sMessage);
        if (!automation::Trim(sMessage).empty()) ShowMessage(sMessage);
    } catch (const automation::RuntimeError& error) {
        automation::RaiseAgain(error, kMenuClickSource);
    }
}

void CICMOQuery::BeforeMenuClick(const ToolPtr& Tool, bool& bCancel) {
    // The viewer's own handling of a tool always goes ahead.
    (void)Tool, (void)bCancel;
}

void CICMOQuery::RunCommand(const ToolPtr& Tool, std::string& sMessage) {
    const std::string& key = Tool->Name();
    if (key == "btnRefresh") {
        RefreshTaskOrder(sMessage);
    } else if (key == "btnItem") {
        ShowItem(sMessage);
    } else if (key == "btnBOM") {
        ShowBOM(sMessage);
    } else if (key == "btnRouting") {
        ShowRouting(sMessage);
    } else if (key == "btnBill") {
        ShowSelectedBill(sMessage);
    } else if (key == "btnSETrace") {
        SEOrderTrack();
    } else if (key == "btnOrderMap") {
        OpenOrderMap();
    } else if (key == "btnOption") {
        ShowBillOption();
    } else if (key == "btnSelectBills") {
        ShowSelBillList();
    } else if (key == "btnPosition") {
        FindPosition();
    } else if (key == "btnExit") {
        CloseMe();
    } else if (key == "btnShowFilter" || key == "btnReturnAllBill" || key == "btnReturnSelection") {
        // The bar leaves the check state to the program; the state is read when bills are
        // selected and saved with the window options.
        Tool->SetChecked(!Tool->Checked());
    } else if (key == "btnPrintPreview") {
        PrintView(true);
    } else if (key == "btnPrint") {
        PrintView(false);
    } else if (key == "btnExport") {
        ExportView();
    }
    // The text boxes txtSelectBills and txtPosition act on their keys (MenuTextKeyDown); every
    // other tool is the viewer's own.
}

// Builds the head panel of the shown task order again and, when that worked, its detail panel.
void CICMOQuery::RefreshTaskOrder(std::string& sMessage) {
    if (!CreateHeadModel(m_FInterID)) return;
    std::string sError;
    CreateDetailModel(m_FInterID, sError);
    sMessage = sError;
}

void CICMOQuery::ShowItem(std::string& sMessage) {
    auto options = std::make_shared<automation::Dictionary>();
    options->SetItem("BeShortNumber", GetSystemProfileValue("UseShortNumber", "IC"));
    options->SetItem("GetDataType", int32_t{1});
    options->SetItem("Refresh", int32_t{1});

    const TraceViewerPtr& viewer = Viewer();
    const std::string pane = viewer->ActivePane();
    bool useTaskOrderItem = false;
    std::string filter;
    if (IsHeadPane(pane)) {
        useTaskOrderItem = true;
    } else if (IsDetailPane(pane)) {
        const automation::ObjectPtr selection = viewer->SelectedDetailRow();
        auto row = std::dynamic_pointer_cast<DetailRow>(selection);
        if (!selection) {
            sMessage = LoadResText(kNoItem);
            return;
        }
        // A node or the totals row names no material.
        if (!row || row->IsTotal) return;
        auto node = row->ParentNode();
        if (node && node->KeyType() == -501) {
            // Rows of the substitution kind name the material and its substitute by number.
            filter = "t1.FNumber IN ('" + automation::TextOrEmpty(CellValueOf(row, "FItemID")) +
                     "','" + automation::TextOrEmpty(CellValueOf(row, "FSubsItemID")) + "')";
        } else if (auto cell = row->Cell("FItemNumber")) {
            filter = "t1.FNumber='" + automation::TextOrEmpty(cell->Value) + "'";
        } else {
            useTaskOrderItem = true;
        }
    } else {
        return;
    }
    if (useTaskOrderItem) {
        if (m_ItemID == 0) {
            sMessage = LoadResText(kNoItem);
            return;
        }
        filter = "t1.FItemID=" + std::to_string(m_ItemID);
    }
    GetGLView()->ItemLookUp(4, Variant(), filter, options);
}

void CICMOQuery::ShowBOM(std::string& sMessage) {
    const std::string noBOM = "当前任务单没有对应的BOM！";
    if (m_FInterID == 0) {
        sMessage = LoadResText(kNoTaskOrder);
        return;
    }
    if (m_BOMID < 1) {
        sMessage = LoadResText(noBOM);
        return;
    }
    RecordsetPtr rs;
    {
        auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
        rs = middleTier->GetRs(GetPropsString(), " SELECT FTranType FROM ICBOM WHERE FInterID= " +
                                                     std::to_string(m_BOMID));
    }
    if (!rs || rs->RecordCount() < 1) {
        sMessage = LoadResText(noBOM);
        return;
    }
    rs->MoveFirst();
    const int32_t tranType = automation::CLng(rs->Value("FTranType"));
    // Ordinary BOMs and configured BOMs are guarded by different permission objects.
    const int32_t objectId = tranType == 50 ? 1 : 27;
    if (!HasRight(kEngineeringObjectType, objectId, kActionView)) {
        sMessage = LoadResText(kNoRight);
        return;
    }
    OpenBill(900, 2, m_BOMID, tranType);
}

void CICMOQuery::ShowRouting(std::string& sMessage) {
    if (m_FInterID == 0) {
        sMessage = LoadResText(kNoTaskOrder);
        return;
    }
    if (m_RoutingID == 0) {
        sMessage = LoadResText("当前任务单没有对应的工艺路线！");
        return;
    }
    if (!HasRight(kEngineeringObjectType, kRoutingObjectID, kActionView)) {
        sMessage = LoadResText(kNoRight);
        return;
    }
    OpenBill(210, 2, m_RoutingID, 51);
}

// The bill selected in the detail pane, or the task order itself from the other panes.
void CICMOQuery::ShowSelectedBill(std::string& sMessage) {
    const TraceViewerPtr& viewer = Viewer();
    const std::string pane = viewer->ActivePane();
    if (IsDetailPane(pane)) {
        const automation::ObjectPtr selection = viewer->SelectedDetailRow();
        if (!selection) {
            sMessage = LoadResText(kNoBill);
            return;
        }
        CallDetailBill(selection);
    } else if (IsHeadPane(pane)) {
        ShowTaskOrder(sMessage);
    }
}

void CICMOQuery::ShowTaskOrder(std::string& sMessage) {
    if (m_FInterID == 0) {
        sMessage = LoadResText(kNoBill);
        return;
    }
    // A kind the tracker does not know has no right to be viewed.
    const TaskOrderKind* kind = TaskOrderKindOf(m_TranType);
    const bool viewRight = kind && HasRight(kTaskOrderObjectType, kind->viewObjectId, kActionView);
    const int32_t sharedGroups = SharedGroupsWithTaskOrderBiller(m_FInterID);
    const bool groupRefused = m_CheckUserGroup && sharedGroups == 0;
    if (!viewRight || groupRefused) {
        sMessage = LoadResText(groupRefused ? kNoGroupRight : kNoRight);
        return;
    }
    OpenBill(kind->billType, kind->showMode, m_FInterID, kind->billTranType);
}

void CICMOQuery::PrintView(bool bPreview) {
    if (!HasRight(kTaskOrderObjectType, kOutputObjectID, kActionPrint)) {
        ShowRefusalBox();
        return;
    }
    if (bPreview) {
        Viewer()->PrintPreview();
    } else {
        Viewer()->Print();
    }
}

void CICMOQuery::ExportView() {
    if (!HasRight(kTaskOrderObjectType, kOutputObjectID, kActionExport)) {
        ShowRefusalBox();
        return;
    }
    const TraceViewerPtr& viewer = Viewer();
    auto node = viewer->SelectedNavigationNode();
    if (!node) return;
    viewer->SetExportTitle(LoadResText("任务单全程跟踪") + "_" + node->Text);
    viewer->Export();
}

}  // namespace trackquery
