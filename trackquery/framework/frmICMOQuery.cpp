#include <trackquery/framework/frmICMOQuery.h>

#include <contracts/host_form.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/quiet_failures.h>

#include <platform/activebar/tool.h>
#include <platform/automation/errors.h>
#include <platform/windowing/screen.h>
#include <platform/windowing/window_api.h>

namespace trackquery {

frmICMOQuery::frmICMOQuery() : windowing::Form("frmICMOQuery") {
    SetCaption(LoadResText("生产任务单全程跟踪"));
    SetClientSize(kDesignWidth, kDesignHeight);
    SetKeyPreview(true);

    tvQuery = Add<TraceViewerControl>("tvQuery");
    tvQuery->Move(0, 0, kDesignWidth, kDesignHeight);

    abSubMenu = std::make_shared<activebar::ActiveBar>();
    BuildSubMenu(*abSubMenu);

    picBak = Add<windowing::PictureBox>("picBak");

    tmrQuery = Add<windowing::Timer>("tmrQuery");
    tmrQuery->SetInterval(kQueryDelayMs);
    tmrQuery->SetEnabled(false);
    tmrQuery->OnTimer = [this] { tmrQuery_Timer(); };
}

std::shared_ptr<frmICMOQuery> frmICMOQuery::Create() {
    auto form = std::make_shared<frmICMOQuery>();
    form->Viewer()->SetEventSink(std::weak_ptr<ITraceViewerEvents>(form));
    return form;
}

void frmICMOQuery::AskHostToClosePage() {
    if (!m_ThisForm) return;
    try {
        auto tool = std::make_shared<activebar::Tool>();
        tool->SetName("close");
        auto host = automation::QueryInterface<IHostForm>(m_ThisForm);
        if (!host) automation::Raise(automation::vberr::MemberNotSupported, "FireToolBarClick");
        host->FireToolBarClick(tool);
    } catch (const automation::RuntimeError&) {
        // The user closes the page in the host.
    }
}

void frmICMOQuery::SetCTrackModel(const automation::ObjectPtr& model) {
    auto controller = automation::QueryInterface<ITrackQuery>(model);
    if (model && !controller) {
        automation::Raise(automation::vberr::TypeMismatch, "frmICMOQuery");
    }
    m_CTrackModel = std::move(controller);
}

void frmICMOQuery::Form_Load() {
    try {
        if (m_pHwnd > 0) {
            // The child style alone: the window loses its frame and caption inside the host page.
            windowing::SetWindowLongA(Hwnd(), windowing::GWL_STYLE, windowing::WS_CHILD);
            windowing::SetParent(Hwnd(), m_pHwnd);
        }
        windowing::Screen().SetMousePointer(windowing::vbDefault);
    } catch (const automation::RuntimeError&) {
        // The window is usable without being embedded; loading goes on.
    }
}

void frmICMOQuery::Form_Resize() {
    try {
        tvQuery->Move(0, 0, ScaleWidth(), ScaleHeight());
    } catch (const automation::RuntimeError&) {
        // A minimised window has no client area to fill.
    }
}

void frmICMOQuery::Form_KeyDown(int16_t& KeyCode, int16_t& Shift) {
    // The bar's shortcut keys work wherever the focus is in the window.
    if (auto bar = Viewer()->GetMenuBar()) bar->OnKeyDown(KeyCode, Shift);
}

void frmICMOQuery::Form_Unload(int16_t& Cancel) {
    (void)Cancel;
    m_CTrackModel.reset();
    m_ThisForm.reset();
    m_Bar.reset();
    m_pHwnd = 0;
    m_OptionType.clear();
}

void frmICMOQuery::tmrQuery_Timer() {
    if (tmrQuery->Enabled()) tmrQuery->SetEnabled(false);
    if (!Viewer()->SelectedNavigationNode()) return;
    std::shared_ptr<automation::Object> keepAlive;
    try {
        if (auto controller = ControllerForCall(keepAlive)) controller->NavigationClickSelect();
    } catch (const automation::RuntimeError& error) {
        // Nothing is above a timer's handler to take the error: the order's panes stay as they
        // were, and the status line says why.
        ReportQuietFailure(Viewer(), "QzICMOTrackQuery.frmICMOQuery.tmrQuery_Timer", error);
    }
}

ITrackQueryPtr frmICMOQuery::ControllerForCall(std::shared_ptr<automation::Object>& keepAlive) {
    keepAlive = weak_from_this().lock();
    return m_CTrackModel;
}

void frmICMOQuery::OnHide() {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) controller->Hide();
}

void frmICMOQuery::OnNavigationClick(bool bHasBuffer) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) controller->NavigationClick(bHasBuffer);
}

void frmICMOQuery::OnNavigationKeyPress(int16_t& KeyCode, int16_t& Shift) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive))
        controller->NavigationKeyPress(KeyCode, Shift);
}

void frmICMOQuery::OnDetailBeforeExpand(int32_t lRow, std::string sPath,
                                        automation::ObjectPtr objRow, std::string sRowType) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) {
        controller->DetailBeforeExpand(lRow, sPath, objRow, sRowType);
    }
}

void frmICMOQuery::OnDetailExpand(int32_t lRow, std::string sPath, automation::ObjectPtr objRow,
                                  std::string sRowType) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) {
        controller->DetailExpand(lRow, sPath, objRow, sRowType);
    }
}

void frmICMOQuery::OnDetailDblClick(automation::ObjectPtr objSelection, bool& bCancelExpand) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) {
        controller->DetailDblClick(objSelection, bCancelExpand);
    }
}

void frmICMOQuery::OnBeforeMenuClick(ToolPtr Tool, bool& bCancel) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) controller->BeforeMenuClick(Tool, bCancel);
}

void frmICMOQuery::OnMenuClick(ToolPtr Tool) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) controller->MenuClick(Tool);
}

void frmICMOQuery::OnMenuTextKeyDown(int32_t lKeyCode, std::string sActiveBandName,
                                     std::string sText) {
    std::shared_ptr<automation::Object> keepAlive;
    if (auto controller = ControllerForCall(keepAlive)) {
        controller->MenuTextKeyDown(lKeyCode, sActiveBandName, sText);
    }
}

}  // namespace trackquery
