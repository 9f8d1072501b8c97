#pragma once
// frmICMOQuery: the one window of both trackers. The trace viewer tvQuery fills its client area;
// abSubMenu holds the menu and tool definitions the controller hands to the viewer; tmrQuery is
// the one-shot timer that defers the selection of a navigation node. The window has no tracking
// logic: it forwards every viewer event to the controller in CTrackModel.
//
// Ownership: the controller creates the window and keeps it; the window holds the controller only
// as CTrackModel and drops it in Form_Unload. The viewer holds the window as its event listener
// through a weak reference only.

#include <contracts/trace_viewer.h>
#include <trackquery/framework/ITrackQuery.h>
#include <trackquery/framework/trace_viewer_control.h>

#include <platform/activebar/active_bar.h>
#include <platform/windowing/form.h>
#include <platform/windowing/picture_box.h>
#include <platform/windowing/timer.h>

#include <cstdint>
#include <memory>
#include <string>

namespace trackquery {

class frmICMOQuery : public windowing::Form, public ITraceViewerEvents {
  public:
    // Creates a window with its design-time content and makes it the viewer's event listener.
    // Fails (error 429) when no trace viewer is registered.
    static std::shared_ptr<frmICMOQuery> Create();

    // --- Window properties, set by the controller before the window is shown -----------------
    // The host window: greater than 0 embeds the window into it, 0 leaves it stand-alone.
    int32_t pHwnd() const { return m_pHwnd; }
    void SetpHwnd(int32_t hwnd) { m_pHwnd = hwnd; }
    const automation::ObjectPtr& ThisForm() const { return m_ThisForm; }
    void SetThisForm(automation::ObjectPtr form) { m_ThisForm = std::move(form); }
    const automation::ObjectPtr& Bar() const { return m_Bar; }
    void SetBar(automation::ObjectPtr bar) { m_Bar = std::move(bar); }
    // The controller. An object without ITrackQuery is error 13 (type mismatch) and changes
    // nothing; nothing clears it.
    void SetCTrackModel(const automation::ObjectPtr& model);
    // The controller's option key; kept for the controller, the window never reads it.
    void SetOptionType(std::string optionType) { m_OptionType = std::move(optionType); }
    const std::string& OptionType() const { return m_OptionType; }
    // Whether a controller is attached (the window itself never needs to ask).
    bool HasTrackModel() const { return m_CTrackModel != nullptr; }

    // --- Controls ----------------------------------------------------------------------------
    std::shared_ptr<TraceViewerControl> tvQuery;
    activebar::ActiveBarPtr abSubMenu;
    std::shared_ptr<windowing::PictureBox> picBak;  // no operation uses it
    std::shared_ptr<windowing::Timer> tmrQuery;

    // The trace viewer itself (tvQuery's object).
    const TraceViewerPtr& Viewer() const { return tvQuery->Object(); }

    // An embedded window's close: asks the host form to close its page as if the host's own
    // close tool had been clicked (FireToolBarClick with a tool named "close"). Nothing happens
    // without a host form; a host that cannot close its page leaves it open.
    void AskHostToClosePage();

    // Design-time client area, twips.
    static constexpr int32_t kDesignWidth = 12825;
    static constexpr int32_t kDesignHeight = 10995;
    static constexpr int32_t kQueryDelayMs = 500;

    // Public for std::make_shared only: a window made without Create() is no viewer's listener.
    frmICMOQuery();

  protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int16_t& KeyCode, int16_t& Shift) override;
    void Form_Unload(int16_t& Cancel) override;
    void tmrQuery_Timer();

    // --- Viewer events, forwarded to CTrackModel ---------------------------------------------
    void OnHide() override;
    void OnNavigationClick(bool bHasBuffer) override;
    void OnNavigationKeyPress(int16_t& KeyCode, int16_t& Shift) override;
    void OnDetailBeforeExpand(int32_t lRow, std::string sPath, automation::ObjectPtr objRow,
                              std::string sRowType) override;
    void OnDetailExpand(int32_t lRow, std::string sPath, automation::ObjectPtr objRow,
                        std::string sRowType) override;
    void OnDetailDblClick(automation::ObjectPtr objSelection, bool& bCancelExpand) override;
    void OnBeforeMenuClick(ToolPtr Tool, bool& bCancel) override;
    void OnMenuClick(ToolPtr Tool) override;
    void OnMenuTextKeyDown(int32_t lKeyCode, std::string sActiveBandName,
                           std::string sText) override;

  private:
    // The controller for one forwarded call, with this window kept alive until the call returns
    // (the controller may drop the window from inside the call). Nothing when no controller is
    // attached: the event then has nobody to reach and is dropped.
    ITrackQueryPtr ControllerForCall(std::shared_ptr<automation::Object>& keepAlive);

    int32_t m_pHwnd = 0;
    automation::ObjectPtr m_ThisForm;
    automation::ObjectPtr m_Bar;
    ITrackQueryPtr m_CTrackModel;
    std::string m_OptionType;
};

using frmICMOQueryPtr = std::shared_ptr<frmICMOQuery>;

// Builds the bands and tools of the window's menu bar.
void BuildSubMenu(activebar::ActiveBar& bar);

}  // namespace trackquery
