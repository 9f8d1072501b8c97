#pragma once
// The trace viewer control "QzTraceViewer.TraceViewer" as the tracking window and the controllers
// call it: a navigation tree, a head panel of text lines, a detail tree and the viewer's own menu
// bar. The controllers create the models (navigation_model.h, head_model.h, detail_model.h) and
// hand them over as shared references; whatever they change later in a model the viewer already
// holds is what the viewer shows.
//
// Events go to one listener (the tracking window), set with SetEventSink. By-reference flags are
// C++ references to the viewer's own storage: what the listener writes is what the viewer reads
// after the call returns. A failure thrown by the listener goes back to the caller of the user
// action that raised the event.

#include <contracts/view_models/detail_model.h>
#include <contracts/view_models/head_model.h>
#include <contracts/view_models/navigation_model.h>

#include <platform/automation/object.h>

#include <cstdint>
#include <memory>
#include <string>

namespace activebar {
class ActiveBar;
class Tool;
}  // namespace activebar

namespace trackquery {

inline constexpr const char* kProgIdTraceViewer = "QzTraceViewer.TraceViewer";

using ActiveBarPtr = std::shared_ptr<activebar::ActiveBar>;
using ToolPtr = std::shared_ptr<activebar::Tool>;

// Event numbers as the viewer raises them.
namespace viewer_event {
inline constexpr int32_t Hide = 9;
inline constexpr int32_t NavigationClick = 10;
inline constexpr int32_t NavigationKeyPress = 12;
inline constexpr int32_t DetailBeforeExpand = 14;
inline constexpr int32_t DetailExpand = 15;
inline constexpr int32_t DetailDblClick = 19;
inline constexpr int32_t BeforeMenuClick = 20;
inline constexpr int32_t MenuClick = 21;
inline constexpr int32_t MenuTextKeyDown = 22;
}  // namespace viewer_event

// The viewer's events. The members carry the event names with "On" in front, so that a form can
// listen without its own Hide or KeyPress members being taken for the events.
class ITraceViewerEvents {
  public:
    virtual ~ITraceViewerEvents() = default;

    // 9: the viewer is being hidden or closed.
    virtual void OnHide() = 0;
    // 10: a navigation node was selected; bHasBuffer tells whether the viewer still keeps the
    // panels last built for its key.
    virtual void OnNavigationClick(bool bHasBuffer) = 0;
    // 12: a key in the navigation tree; set KeyCode to 0 to swallow it.
    virtual void OnNavigationKeyPress(int16_t& KeyCode, int16_t& Shift) = 0;
    // 14 and 15: a detail node (sRowType "0") or row (sRowType "1") at sPath is about to be
    // expanded, and is being expanded. lRow is its 1-based position under its parent.
    virtual void OnDetailBeforeExpand(int32_t lRow, std::string sPath, automation::ObjectPtr objRow,
                                      std::string sRowType) = 0;
    virtual void OnDetailExpand(int32_t lRow, std::string sPath, automation::ObjectPtr objRow,
                                std::string sRowType) = 0;
    // 19: a double click on a detail node or row; set bCancelExpand to True to keep the viewer
    // from expanding or collapsing it.
    virtual void OnDetailDblClick(automation::ObjectPtr objSelection, bool& bCancelExpand) = 0;
    // 20: a tool is about to be handled; set bCancel to True to skip the viewer's own handling
    // (and the MenuClick that follows it).
    virtual void OnBeforeMenuClick(ToolPtr Tool, bool& bCancel) = 0;
    // 21: a tool was clicked.
    virtual void OnMenuClick(ToolPtr Tool) = 0;
    // 22: a key went down in a text box tool; lKeyCode is the virtual key (13 Enter, 118 F7).
    virtual void OnMenuTextKeyDown(int32_t lKeyCode, std::string sActiveBandName,
                                   std::string sText) = 0;
};

class ITraceViewer : public automation::Object {
  public:
    // --- Events -------------------------------------------------------------------------------
    // The listener. A raw listener must be cleared (SetEventSink(nullptr)) before it goes away;
    // a weak one is dropped by itself. Setting one replaces the other.
    virtual void SetEventSink(ITraceViewerEvents* sink) = 0;
    virtual void SetEventSink(std::weak_ptr<ITraceViewerEvents> sink) = 0;

    // --- Models -------------------------------------------------------------------------------
    // Nothing until a model was set.
    virtual NavigationModelPtr GetNavigationModel() = 0;
    virtual void SetNavigationModel(NavigationModelPtr model) = 0;
    virtual void SetHeadModel(HeadModelPtr model) = 0;
    // The detail model shown (nothing until one was set).
    virtual DetailModelPtr GetDetailModel() = 0;
    virtual void SetDetailModel(DetailModelPtr model) = 0;

    // --- Buffer of built panels, per navigation key ---------------------------------------------
    // True when the viewer kept the head and detail models last shown for that node key; it then
    // shows them again (GetDetailModel returns the kept detail model).
    virtual bool RestoreBuffer(const std::string& key) = 0;
    // Drops every kept model.
    virtual void ClearDetailBuffer() = 0;

    // --- Menu bars ----------------------------------------------------------------------------
    // The host window's bar: its tools join the viewer's menus; their clicks come back as events
    // 20 and 21.
    virtual void AttachMenuBar(ActiveBarPtr bar) = 0;
    virtual void SetHost(automation::ObjectPtr& hostForm, automation::ObjectPtr& hostBar) = 0;
    // The viewer's own bar, or nothing.
    virtual ActiveBarPtr GetMenuBar() = 0;
    // The tool with that key in the viewer's own bar or the attached one; nothing when neither has
    // it.
    virtual ToolPtr GetTool(const std::string& key) = 0;
    // Shows or hides every tool named in `keys`, joined by "|" ("btnA|btnB"); unknown keys are
    // skipped.
    virtual void SetToolsVisible(const std::string& keys, bool visible) = 0;
    // The text of the text box tool txtPosition.
    virtual std::string GetPositionText() = 0;

    // --- Titles and drawing -------------------------------------------------------------------
    virtual void SetNavigationTitle(const std::string& text) = 0;
    virtual void SetHeadTitle(const std::string& text) = 0;
    virtual void SetDetailTitle(const std::string& text) = 0;
    // True shows the head title as a warning.
    virtual bool HeadTitleAlert() const = 0;
    virtual void SetHeadTitleAlert(bool alert) = 0;
    // The status line under the panes: what went wrong with the last read the user asked for, so
    // that a pane left empty by a failure does not pass for one with nothing to show. Empty hides
    // it. It belongs to the view, not to a node, and is not printed.
    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void RefreshView() = 0;

    // --- Selection ----------------------------------------------------------------------------
    // Selects the navigation node at a 1-based index; raiseEvent True raises NavigationClick for
    // it. An index outside the model selects nothing and raises nothing.
    virtual void SelectNavigationNode(int32_t index, bool raiseEvent) = 0;
    // The selected navigation node, or nothing.
    virtual NavigationNodePtr SelectedNavigationNode() = 0;
    // The selected detail row or node, or nothing.
    virtual automation::ObjectPtr SelectedDetailRow() = 0;
    // "Summary", "Navigation", "Detail" or "Null".
    virtual std::string ActivePane() const = 0;
    // True when the viewer restored a saved layout at start-up.
    virtual bool LayoutRestored() const = 0;
    // True when the viewer has no host window.
    virtual bool StandAlone() const = 0;
    virtual void SetStandAlone(bool standAlone) = 0;

    // --- Output -------------------------------------------------------------------------------
    // The default name of what Export writes.
    virtual std::string ExportTitle() const = 0;
    virtual void SetExportTitle(const std::string& title) = 0;
    virtual void PrintPreview() = 0;
    virtual void Print() = 0;
    virtual void Export() = 0;

    // --- Start-up settings (the viewer's own meaning) -------------------------------------------
    virtual bool ViewSetting01() const = 0;
    virtual void SetViewSetting01(bool value) = 0;
    virtual int32_t ViewSetting03() const = 0;
    virtual void SetViewSetting03(int32_t value) = 0;
    virtual std::string ViewSetting05() const = 0;
    virtual void SetViewSetting05(const std::string& value) = 0;
    virtual float ViewSetting11() const = 0;
    virtual void SetViewSetting11(float value) = 0;
    virtual float ViewSetting12() const = 0;
    virtual void SetViewSetting12(float value) = 0;
    virtual bool ViewSetting13() const = 0;
    virtual void SetViewSetting13(bool value) = 0;
    virtual int32_t ViewSetting14() const = 0;
    virtual void SetViewSetting14(int32_t value) = 0;
    virtual int32_t ViewSetting15() const = 0;
    virtual void SetViewSetting15(int32_t value) = 0;
    virtual int32_t ViewSetting16() const = 0;
    virtual void SetViewSetting16(int32_t value) = 0;
    virtual int32_t ViewSetting17() const = 0;
    virtual void SetViewSetting17(int32_t value) = 0;
};

using TraceViewerPtr = std::shared_ptr<ITraceViewer>;

}  // namespace trackquery
