#pragma once
// The trace viewer drawn: the menu bar and tool bars of the host's attached bar and the viewer's
// own, three panes in splitters (the navigation tree with status images, the head panel with its
// title in a warning colour when the viewer says so, the detail tree of nodes, headings, rows and
// totals, each under its title) and a status bar.
//
// The widget draws the viewer's document and acts on it with the document's own verbs: a click
// on a navigation node is ClickNavigationNode, opening a detail item is ExpandDetail (which raises
// the expand events, so rows load lazily), a double click or Enter is DoubleClickDetail, a tool is
// clicked on the bar, a key in a text box tool is PressToolKey. So the desktop viewer behaves
// exactly as in the terminal; only drawing differs. Sync reads the document again.
//
// What the desktop adds for the person at it:
// - Keys: the navigation tree's keys reach the tracker first (NavigationKeyPress); the arrows,
//   Home and End move through the viewer, PageUp, PageDown and the tree's other moves select the
//   node the tree moved to. In the detail tree see DetailTreeView.
// - Ctrl+C and the detail pane's context menu copy the selected rows (or nodes) as a table; the
//   menu offers what applies to the item: its bill, copy, opening or closing all below, export.
// - The tools the trackers leave to the viewer: the title and table fonts and the table colour
//   open the standard dialogs and apply at once; a tool of the tracking window that no tracker
//   acts on in this view is not shown (QtViewerFace::OffersTool).
// - Memory: window, splitters, view choices, column widths, fonts and colour, per user
//   (viewer_memory.h), restored when the view is first shown and written when it is hidden,
//   however its window closes.
// - Feedback: the status bar; while the tracker is about to fill the panels for the node just
//   picked, or when they still show another node, the panels are dimmed and the bar says so;
//   titles the tracker leaves empty show what the panes hold.
// - Colours from the palette (view_colours.h), so that a dark theme stays readable.

#include <faces/qt/activebar/bar_view.h>
#include <faces/qt/trace_viewer/detail_columns.h>
#include <faces/qt/trace_viewer/detail_item_model.h>
#include <faces/qt/trace_viewer/detail_tree_view.h>
#include <faces/qt/trace_viewer/navigation_item_model.h>
#include <faces/qt/trace_viewer/view_settings.h>
#include <faces/qt/trace_viewer/viewer_memory.h>

#include <components/resources/session_captions.h>
#include <components/viewer/viewer_document.h>

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QSplitter;
class QTreeView;

namespace qtgui {

class ViewerStatusBar;

class TraceViewerWidget : public QWidget {
  public:
    // `offersTool` tells whether a tool of the host's bar does anything in this view.
    TraceViewerWidget(std::weak_ptr<client::ViewerDocument> viewer,
                      std::function<bool(const activebar::Tool&)> offersTool, QWidget* parent);
    ~TraceViewerWidget() override;

    void Sync();

    // The parts, for tests and for the print of the view.
    QTreeView* NavigationTree() const { return navigationTree_; }
    DetailTreeView* DetailTree() const { return detailTree_; }
    QListWidget* HeadLines() const { return headLines_; }
    QLabel* NavigationTitle() const { return navigationTitle_; }
    QLabel* HeadTitle() const { return headTitle_; }
    QLabel* DetailTitle() const { return detailTitle_; }
    // What the last read the user asked for ran into; hidden while there is nothing to say.
    QLabel* StatusLine() const;
    ViewerStatusBar* StatusBar() const { return statusBar_; }
    QWidget* HeadPane() const { return headPane_; }
    QWidget* DetailPane() const { return detailPane_; }
    QSplitter* OuterSplitter() const { return outer_; }
    QSplitter* RightSplitter() const { return right_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    const BarView& HostBar() const { return *hostBar_; }
    const BarView& OwnBar() const { return *ownBar_; }
    NavigationItemModel& NavigationItems() { return navigationItems_; }
    DetailItemModel& DetailItems() { return detailItems_; }
    DetailColumnWidths& ColumnWidths() { return columnWidths_; }

    // Whether the head and detail panels show the node selected in the navigation tree, or the
    // tracker is about to fill them for it, or they still show another node.
    enum class Panels { Current, Pending, Stale };
    Panels PanelState() const { return panels_; }

    // The detail pane's selection as the clipboard takes it; Copy puts it there.
    std::string DetailSelectionText() const;
    void CopyDetailSelection();
    // The context menu of a detail item (its owner is this widget; the caller shows it).
    QMenu* DetailMenu(const QModelIndex& index);

    // The look the user chose; the font and colour tools ("TitleFont", "DetailFont",
    // "DetailColor") open their dialog and return true, any other key returns false.
    const ViewerLook& Look() const { return look_; }
    void SetLook(const ViewerLook& look);
    bool RunLookTool(const activebar::Tool& tool);

    // Writes what the view remembers now (done by itself when the view is hidden).
    void Remember();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Layout (trace_viewer_widget.cpp).
    void BuildLayout();
    QWidget* Pane(QLabel*& title, QWidget* content);
    void SyncBars(client::ViewerDocument& viewer);
    void SyncSettings(const ViewSettings& settings);
    void SyncTitles(client::ViewerDocument& viewer);
    bool SyncNavigation(client::ViewerDocument& viewer, const ViewSettings& settings);
    void SyncHead(client::ViewerDocument& viewer);
    void SyncDetail(client::ViewerDocument& viewer);
    void SyncPanels(client::ViewerDocument& viewer, bool navigationReplaced);
    void SyncStatus(client::ViewerDocument& viewer);
    void ApplySplitShares(const ViewSettings& settings);
    QString Caption(const std::string& text);

    // What the person does (viewer_actions.cpp).
    void ConnectNavigation();
    void ConnectDetail();
    bool NavigationKey(QKeyEvent* key);
    void ClickTool(const activebar::ToolPtr& tool);
    void ShowDetailMenu(const QPoint& at);
    void OpenBill(const std::string& path);
    // Runs a verb of the viewer as the user's action.
    void Act(const std::function<void(client::ViewerDocument&)>& verb);
    void OnPath(const QModelIndex& index,
                const std::function<void(client::ViewerDocument&, const std::string&)>& verb);

    // Look and memory (viewer_look.cpp).
    void ApplyLook();
    void Restore();
    // The name the view's memory is kept under (see viewer_memory.h).
    QString MemoryName() const;

    std::weak_ptr<client::ViewerDocument> viewer_;
    std::function<bool(const activebar::Tool&)> offersTool_;
    client::SessionCaptions captions_;
    QMenuBar* menuBar_ = nullptr;
    QWidget* hostToolRow_ = nullptr;
    QWidget* ownToolRow_ = nullptr;
    std::unique_ptr<BarView> hostBar_;
    std::unique_ptr<BarView> ownBar_;
    trackquery::ActiveBarPtr shownHostBar_;
    bool ownBarShown_ = false;

    QSplitter* outer_ = nullptr;
    QSplitter* right_ = nullptr;
    QWidget* navigationPane_ = nullptr;
    QWidget* headPane_ = nullptr;
    QWidget* detailPane_ = nullptr;
    QLabel* navigationTitle_ = nullptr;
    QLabel* headTitle_ = nullptr;
    QLabel* detailTitle_ = nullptr;
    QTreeView* navigationTree_ = nullptr;
    QListWidget* headLines_ = nullptr;
    DetailTreeView* detailTree_ = nullptr;
    ViewerStatusBar* statusBar_ = nullptr;

    NavigationItemModel navigationItems_;
    DetailItemModel detailItems_;
    DetailColumnWidths columnWidths_;
    std::optional<ViewSettings> applied_;
    bool userSized_ = false;
    std::vector<std::string> shownHead_;
    bool syncing_ = false;
    bool forwardingKey_ = false;

    // What the panels showed when they last changed, and the node selected then.
    struct PanelContent {
        trackquery::HeadModelPtr head;
        std::vector<std::string> lines;
        std::string title;
        trackquery::DetailModelPtr detail;
        friend bool operator==(const PanelContent&, const PanelContent&) = default;
    };
    PanelContent panelContent_;
    trackquery::NavigationNodePtr panelNode_;
    bool panelsKnown_ = false;
    Panels panels_ = Panels::Current;

    ViewerLook look_;
    bool restored_ = false;
};

}  // namespace qtgui
