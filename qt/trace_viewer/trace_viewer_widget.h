#pragma once
// The trace viewer drawn: the menu bar and tool bars of the host's attached bar and the viewer's
// own, and three panes in splitters: the navigation tree (with status images), the head panel
// (title in a warning colour when the viewer says so, then its lines) and the detail tree (nodes,
// column headings, rows in their colours, totals rows), each under its title.
//
// The widget draws a headless viewer's state and acts on it with the viewer's own verbs: a click
// on a navigation node is ClickNavigationNode, opening a detail item is ExpandDetail (which raises
// the expand events, so rows load lazily), a double click is DoubleClickDetail, a tool is clicked
// on the bar, a key in a text box tool is PressToolKey. So the desktop viewer behaves exactly as
// the headless one; only drawing differs. Sync reads the viewer again.

#include <qt/activebar/bar_view.h>
#include <qt/trace_viewer/detail_item_model.h>
#include <qt/trace_viewer/navigation_item_model.h>
#include <qt/trace_viewer/view_settings.h>

#include <client/trace_viewer/headless_trace_viewer.h>

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QMenuBar;
class QSplitter;
class QTreeView;

namespace qtgui {

class TraceViewerWidget : public QWidget {
  public:
    TraceViewerWidget(std::weak_ptr<client::HeadlessTraceViewer> viewer, QWidget* parent);
    ~TraceViewerWidget() override;

    void Sync();

    // The parts, for tests and for the print of the view.
    QTreeView* NavigationTree() const { return navigationTree_; }
    QTreeView* DetailTree() const { return detailTree_; }
    QListWidget* HeadLines() const { return headLines_; }
    QLabel* NavigationTitle() const { return navigationTitle_; }
    QLabel* HeadTitle() const { return headTitle_; }
    QLabel* DetailTitle() const { return detailTitle_; }
    // What the last read the user asked for ran into; hidden while there is nothing to say.
    QLabel* StatusLine() const { return statusLine_; }
    QWidget* HeadPane() const { return headPane_; }
    QWidget* DetailPane() const { return detailPane_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    const BarView& HostBar() const { return *hostBar_; }
    const BarView& OwnBar() const { return *ownBar_; }
    NavigationItemModel& NavigationItems() { return navigationItems_; }
    DetailItemModel& DetailItems() { return detailItems_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildLayout();
    QWidget* Pane(QLabel*& title, QWidget* content);
    void ConnectNavigation();
    void ConnectDetail();
    void SyncBars(client::HeadlessTraceViewer& viewer);
    void SyncSettings(const ViewSettings& settings);
    void SyncTitles(client::HeadlessTraceViewer& viewer);
    void SyncNavigation(client::HeadlessTraceViewer& viewer, const ViewSettings& settings);
    void SyncHead(client::HeadlessTraceViewer& viewer);
    void SyncDetail(client::HeadlessTraceViewer& viewer);
    void ApplySplitShares(const ViewSettings& settings);
    // Runs a verb of the viewer as the user's action.
    void Act(const std::function<void(client::HeadlessTraceViewer&)>& verb);

    std::weak_ptr<client::HeadlessTraceViewer> viewer_;
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
    QLabel* statusLine_ = nullptr;
    QTreeView* navigationTree_ = nullptr;
    QListWidget* headLines_ = nullptr;
    QTreeView* detailTree_ = nullptr;

    NavigationItemModel navigationItems_;
    DetailItemModel detailItems_;
    std::optional<ViewSettings> applied_;
    bool userSized_ = false;
    std::vector<std::string> shownHead_;
    bool syncing_ = false;
};

}  // namespace qtgui
