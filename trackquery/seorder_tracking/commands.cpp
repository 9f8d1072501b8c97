// The commands of the sales order tracking window, by the upper-cased key of the clicked tool:
// options, order selection, refresh, the rights-guarded and logged print, preview and export,
// exit, the position search and the jump to task order tracking.

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <contracts/security.h>
#include <trackquery/framework/navigation_search.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/activebar/tool.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/form.h>

namespace trackquery {

namespace {

constexpr int32_t kActionPrint = 8192;
constexpr int32_t kActionExport = 16384;

// What a guarded output of one order class is logged as.
struct OutputLog {
    const char* code;
    const char* text;
};

OutputLog PrintLog(int32_t classTypeId) {
    if (classTypeId == kExportOrderClass) return {"K290104", "外销订单全程跟踪打印"};
    return {"K030105", "销售订单全程跟踪打印"};
}

OutputLog ExportLog(int32_t classTypeId) {
    if (classTypeId == kExportOrderClass) return {"K290103", "外销订单全程跟踪引出"};
    return {"K030104", "销售订单全程跟踪引出"};
}

// Brackets an output in the permission service's access log: phase 1 before it, phase 2 after.
template <class Output>
void LoggedOutput(const OutputLog& entry, Output output) {
    const std::string text = LoadResText(entry.text);
    NewGLData()->WriteLog(entry.code, 1, text);
    output();
    NewGLData()->WriteLog(entry.code, 2, text);
}

}  // namespace

void CSeOrderQuery::MenuClick(const ToolPtr& Tool) {
    // A tool that arrives after the window went has nothing left to act on.
    if (!Tool || !m_frmQuery) return;
    RunCommand(Tool);
}

void CSeOrderQuery::BeforeMenuClick(const ToolPtr& Tool, bool& bCancel) {
    // The viewer's own handling of a tool always goes ahead.
    (void)Tool, (void)bCancel;
}

void CSeOrderQuery::RunCommand(const ToolPtr& Tool) {
    const std::string key = automation::UCase(Tool->Name());
    if (key == "ORDERSET") {
        if (ShowOption()) ApplyChangedOptions();
    } else if (key == "BTNSELECTBILLS") {
        auto box = Viewer()->GetTool("txtSelectBills");
        const std::string text = box ? box->Text() : "";
        if (!text.empty()) {
            MenuTextKeyDown(13, "bndfilter", text);
        } else {
            SelectOrdersFromList(true);
        }
    } else if (key == "BTNREFRESH") {
        ShowCurrentEntry(true);
    } else if (key == "BTNPRINTPREVIEW") {
        if (GuardedOutput(kActionPrint)) Viewer()->PrintPreview();
    } else if (key == "BTNPRINT") {
        PrintView();
    } else if (key == "BTNEXPORT") {
        ExportView();
    } else if (key == "BTNEXIT") {
        CloseMe();
    } else if (key == "BTNORDERMAP") {
        OpenOrderMap();
    } else if (key == "BTNPOSITION") {
        FindPosition();
    } else if (key == "VIEWICMOTRACK") {
        // The jump is taken only while the tool is available.
        if (Tool->Enabled()) {
            ProcLog log("QzICMOTrackQuery.CSeOrderQuery.ITrackQuery_MenuClick");
            ViewICMOTrack();
        }
    }
}

// New options may show other phases and amounts: the skeleton is built again and the entry
// shown anew with it.
void CSeOrderQuery::ApplyChangedOptions() {
    CreateDetailModel();
    Viewer()->ClearDetailBuffer();
    m_LastKey.clear();
    NavigationClick(false);
}

// True when the user holds the right; a refusal is told in a box.
bool CSeOrderQuery::GuardedOutput(int32_t action) {
    const bool exportOrders = m_ClassTypeID == kExportOrderClass;
    if (NewGLData()->AccessCheck(exportOrders ? 2295 : 1008, exportOrders ? 2 : 23, action)) {
        return true;
    }
    InformationBox(LoadResText("对不起，你没有相应的权限！"));
    return false;
}

void CSeOrderQuery::PrintView() {
    if (!GuardedOutput(kActionPrint)) return;
    LoggedOutput(PrintLog(m_ClassTypeID), [this] { Viewer()->Print(); });
}

void CSeOrderQuery::ExportView() {
    if (!GuardedOutput(kActionExport)) return;
    LoggedOutput(ExportLog(m_ClassTypeID), [this] {
        Viewer()->SetExportTitle(LoadResText(
            m_ClassTypeID == kExportOrderClass ? "外销订单全程跟踪" : "销售订单全程跟踪"));
        Viewer()->Export();
    });
}

// Selects the next node whose text contains the text of the position box, searching on from the
// selected node and then once around from the first order; the root is never a hit.
bool CSeOrderQuery::FindPosition() {
    if (!m_NavigationModel || m_NavigationModel->NodeCount() == 0) return false;
    const TraceViewerPtr& viewer = Viewer();
    const std::string text = viewer->GetPositionText();
    if (automation::Trim(text).empty()) {
        ShowMessage(LoadResText("请输入查询条件。"));
        return false;
    }
    // Without a selected node the search starts at the root, so that it covers every node.
    auto selected = viewer->SelectedNavigationNode();
    const int32_t current = selected ? selected->Index() : 1;
    const int32_t found = FindNodeByText(*viewer->GetNavigationModel(), current, text);
    if (found == 0) {
        ShowMessage(LoadResText("没有符合条件的记录。"));
        return false;
    }
    if (found != current) viewer->SelectNavigationNode(found, true);
    return true;
}

void CSeOrderQuery::CloseMe() {
    frmICMOQueryPtr window = m_frmQuery;  // kept alive while it closes
    if (!window) return;
    if (window->pHwnd() == 0) {
        try {
            window->Unload();
        } catch (const automation::RuntimeError&) {
            // Closing goes on: the references are dropped all the same.
        }
        Hide();
        return;
    }
    // The viewer's Hide event, when the host closes the page, releases the window and models.
    window->AskHostToClosePage();
}

}  // namespace trackquery
