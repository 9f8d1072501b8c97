#include <faces/qt/trace_viewer/trace_viewer_widget.h>

#include <faces/qt/output/detail_layout.h>
#include <faces/qt/trace_viewer/viewer_status_bar.h>

#include <platform/windowing/form.h>
#include <platform/windowing/timer.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace qtgui {

namespace {

// The view tools of the viewer's bar: a tool that is missing counts as checked.
bool ToolChecked(client::ViewerDocument& viewer, const char* key) {
    auto tool = viewer.GetMenuBar()->GetTools().Find(key);
    return !tool || tool->Checked();
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

void SetTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

void ShowIfChanged(QWidget* widget, bool shown) {
    if (widget->isVisibleTo(widget->parentWidget()) != shown) widget->setVisible(shown);
}

// Whether the window of the view waits to do something (the tracker's selection delay).
bool WindowTimerRunning(const client::ViewerDocument& viewer) {
    auto form = viewer.Window();
    if (!form) return false;
    return std::any_of(form->Controls().begin(), form->Controls().end(), [](const auto& control) {
        auto* timer = dynamic_cast<windowing::Timer*>(control.get());
        return timer && timer->IsRunning();
    });
}

// The captions of a navigation node and the nodes above it, the top one left out.
std::string NodePath(const NavigationItemModel& items, const trackquery::NavigationModel& model,
                     const trackquery::NavigationNode& node) {
    std::string path = node.Text;
    QModelIndex parent = items.IndexOfNode(node.Index()).parent();
    for (; parent.isValid() && parent.parent().isValid(); parent = parent.parent()) {
        path = model.NodeItem(items.NodePosition(parent))->Text + " · " + path;
    }
    return path;
}

}  // namespace

TraceViewerWidget::TraceViewerWidget(std::weak_ptr<client::ViewerDocument> viewer,
                                     std::function<bool(const activebar::Tool&)> offersTool,
                                     QWidget* parent)
    : QWidget(parent), viewer_(std::move(viewer)), offersTool_(std::move(offersTool)) {
    detailItems_.SetEmptyText(Caption("（无单据）"));
    BuildLayout();
    ConnectNavigation();
    ConnectDetail();
    BarView::Callbacks callbacks{
        [this](const activebar::ToolPtr& tool) { ClickTool(tool); },
        [this](const activebar::ToolPtr& tool, const std::string& band, int32_t keyCode) {
            Act([&](client::ViewerDocument& viewer) {
                viewer.PressToolKey(band, tool->Name(), keyCode);
            });
        }};
    hostBar_ = std::make_unique<BarView>(menuBar_, hostToolRow_, callbacks);
    hostBar_->SetOffered(offersTool_);
    ownBar_ = std::make_unique<BarView>(menuBar_, ownToolRow_, callbacks);
    look_ = ReadViewerLook();
    ApplyLook();
    Sync();
}

TraceViewerWidget::~TraceViewerWidget() = default;

QString TraceViewerWidget::Caption(const std::string& text) { return Text(captions_(text)); }

QLabel* TraceViewerWidget::StatusLine() const { return statusBar_->FailureLine(); }

QWidget* TraceViewerWidget::Pane(QLabel*& title, QWidget* content) {
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    title = new QLabel(pane);
    title->setMargin(4);
    title->setAutoFillBackground(true);
    title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(title);
    layout->addWidget(content, 1);
    return pane;
}

void TraceViewerWidget::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    layout->addWidget(menuBar_);
    for (QWidget** row : {&hostToolRow_, &ownToolRow_}) {
        *row = new QWidget(this);
        auto* rowLayout = new QHBoxLayout(*row);
        rowLayout->setContentsMargins(2, 0, 2, 0);
        rowLayout->setSpacing(4);
        rowLayout->addStretch();
        layout->addWidget(*row);
    }

    navigationTree_ = new QTreeView;
    navigationTree_->setObjectName("navigation");
    navigationTree_->setHeaderHidden(true);
    navigationTree_->setUniformRowHeights(true);
    navigationTree_->setModel(&navigationItems_);
    navigationTree_->installEventFilter(this);

    headLines_ = new QListWidget;
    headLines_->setObjectName("head");
    headLines_->setSpacing(2);
    headLines_->setFlow(QListView::TopToBottom);
    headLines_->setWrapping(true);
    headLines_->setResizeMode(QListView::Adjust);
    headLines_->setTextElideMode(Qt::ElideNone);

    detailTree_ = new DetailTreeView(detailItems_, columnWidths_);

    navigationPane_ = Pane(navigationTitle_, navigationTree_);
    headPane_ = Pane(headTitle_, headLines_);
    detailPane_ = Pane(detailTitle_, detailTree_);

    right_ = new QSplitter(Qt::Vertical);
    right_->setObjectName("rightSplitter");
    right_->addWidget(headPane_);
    right_->addWidget(detailPane_);
    outer_ = new QSplitter(Qt::Horizontal, this);
    outer_->setObjectName("outerSplitter");
    outer_->addWidget(navigationPane_);
    outer_->addWidget(right_);
    layout->addWidget(outer_, 1);
    statusBar_ =
        new ViewerStatusBar([this](const std::string& text) { return Caption(text); }, this);
    layout->addWidget(statusBar_);
    for (QSplitter* splitter : {outer_, right_}) {
        connect(splitter, &QSplitter::splitterMoved, this, [this] { userSized_ = true; });
    }
}

// --- Reading the viewer ----------------------------------------------------------------------

void TraceViewerWidget::Sync() {
    auto viewer = viewer_.lock();
    if (!viewer || syncing_) return;
    syncing_ = true;
    const ViewSettings settings = ReadViewSettings(*viewer);
    SyncBars(*viewer);
    SyncSettings(settings);
    const bool navigationReplaced = SyncNavigation(*viewer, settings);
    SyncHead(*viewer);
    SyncDetail(*viewer);
    SyncPanels(*viewer, navigationReplaced);
    SyncTitles(*viewer);
    SyncStatus(*viewer);
    syncing_ = false;
}

void TraceViewerWidget::SyncBars(client::ViewerDocument& viewer) {
    if (viewer.AttachedMenuBar() != shownHostBar_) {
        shownHostBar_ = viewer.AttachedMenuBar();
        hostBar_->SetBars(shownHostBar_ ? std::vector{shownHostBar_}
                                        : std::vector<activebar::ActiveBarPtr>{});
    }
    if (!ownBarShown_) {
        ownBar_->SetBars({viewer.GetMenuBar()});
        ownBarShown_ = true;
    }
    hostBar_->Sync();
    ownBar_->Sync();
    const auto actions = menuBar_->actions();
    const bool menus = std::any_of(actions.begin(), actions.end(),
                                   [](const QAction* action) { return action->isVisible(); });
    ShowIfChanged(menuBar_, menus);
}

void TraceViewerWidget::SyncSettings(const ViewSettings& settings) {
    if (applied_ == settings) return;
    applied_ = settings;
    setObjectName(objectName().isEmpty() ? QStringLiteral("TraceViewer") : objectName());
    detailTree_->SetPadding(settings.cellPadding, settings.rowPadding);
    ApplyLook();
    outer_->setOrientation(settings.navigationOnTop ? Qt::Vertical : Qt::Horizontal);
    if (!userSized_) ApplySplitShares(settings);
}

void TraceViewerWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Until the user drags a splitter, the panes keep the shares the settings give them.
    if (applied_ && !userSized_) ApplySplitShares(*applied_);
}

void TraceViewerWidget::ApplySplitShares(const ViewSettings& settings) {
    // A splitter shares out its room in proportion to the sizes it is given.
    constexpr int kWhole = 10000;
    const int navigation = static_cast<int>(kWhole * settings.navigationShare);
    outer_->setSizes({navigation, kWhole - navigation});
    const int head = static_cast<int>(kWhole * settings.headShare);
    right_->setSizes({head, kWhole - head});
}

void TraceViewerWidget::SyncTitles(client::ViewerDocument& viewer) {
    const bool titles = ToolChecked(viewer, "btnShowTitle");
    const bool headTitle = titles && ToolChecked(viewer, "btnShowSummaryTitle");
    // A tracker that names no pane (sales order tracking) gets titles that say what they hold.
    auto navigation = viewer.GetNavigationModel();
    QString navigationText = Text(viewer.NavigationTitle());
    if (navigationText.isEmpty() && navigation && navigation->NodeCount() > 0) {
        navigationText = QStringLiteral("%1(%2)")
                             .arg(Text(navigation->NodeItem(1)->Text))
                             .arg(navigationItems_.rowCount(navigationItems_.index(0, 0)));
    }
    QString headText = Text(viewer.HeadTitle());
    if (headText.isEmpty() && navigation && panelNode_ && panelNode_->Level > 0) {
        headText = Text(NodePath(navigationItems_, *navigation, *panelNode_));
    }
    QString detailText = Text(viewer.DetailTitle());
    if (detailText.isEmpty() && viewer.GetDetailModel()) detailText = Caption("详细跟踪信息");
    SetTextIfChanged(navigationTitle_, navigationText);
    SetTextIfChanged(headTitle_, headText);
    SetTextIfChanged(detailTitle_, detailText);
    // The warning is drawn in fixed colours, ground and text alike; otherwise the palette's.
    const QString headStyle =
        viewer.HeadTitleAlert()
            ? QStringLiteral("QLabel { background: #fbe3e3; color: #c00000; font-weight: bold; }")
            : QString();
    if (headTitle_->styleSheet() != headStyle) headTitle_->setStyleSheet(headStyle);
    headTitle_->setProperty("alert", viewer.HeadTitleAlert());
    ShowIfChanged(navigationTitle_, titles);
    ShowIfChanged(detailTitle_, titles);
    ShowIfChanged(headTitle_, headTitle);
    ShowIfChanged(headPane_, ToolChecked(viewer, "btnShowSummaryView"));
    ShowIfChanged(detailPane_, ToolChecked(viewer, "btnShowDetailView"));
}

bool TraceViewerWidget::SyncNavigation(client::ViewerDocument& viewer,
                                       const ViewSettings& settings) {
    const bool replaced = navigationItems_.Sync(viewer.GetNavigationModel(), settings.statusImages);
    if (replaced) navigationTree_->expandToDepth(0);
    auto selected = viewer.SelectedNavigationNode();
    const QModelIndex wanted =
        selected ? navigationItems_.IndexOfNode(selected->Index()) : QModelIndex();
    if (navigationTree_->currentIndex() == wanted) return replaced;
    QSignalBlocker quiet(navigationTree_->selectionModel());
    navigationTree_->selectionModel()->setCurrentIndex(
        wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    navigationTree_->viewport()->update();
    if (wanted.isValid()) navigationTree_->scrollTo(wanted);
    return replaced;
}

void TraceViewerWidget::SyncHead(client::ViewerDocument& viewer) {
    auto head = viewer.GetHeadModel();
    const std::vector<std::string> lines = head ? head->Lines() : std::vector<std::string>{};
    if (lines == shownHead_) return;
    shownHead_ = lines;
    headLines_->clear();
    for (const auto& line : lines) {
        auto* item = new QListWidgetItem(Text(line), headLines_);
        // A line the pane cannot show whole is read in its tooltip.
        item->setToolTip(Text(line));
    }
}

void TraceViewerWidget::SyncDetail(client::ViewerDocument& viewer) {
    bool changed = detailItems_.Sync(viewer.GetDetailModel());
    for (const QModelIndex& index : detailItems_.ExpandableItems()) {
        const bool expanded = detailItems_.ModelExpanded(index);
        if (detailTree_->isExpanded(index) == expanded) continue;
        detailTree_->setExpanded(index, expanded);
        changed = true;
    }
    if (changed) detailTree_->Relayout();
    const QModelIndex wanted = detailItems_.IndexOf(viewer.SelectedDetailRow());
    if (detailTree_->currentIndex().siblingAtColumn(0) == wanted) return;
    QSignalBlocker quiet(detailTree_->selectionModel());
    detailTree_->selectionModel()->setCurrentIndex(
        wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    detailTree_->viewport()->update();
}

// The panels belong to the node that was selected when they last changed. Another node selected
// since: the tracker is about to fill them (its window's timer runs), or they stay as they were.
void TraceViewerWidget::SyncPanels(client::ViewerDocument& viewer, bool navigationReplaced) {
    auto head = viewer.GetHeadModel();
    PanelContent content{head, head ? head->Lines() : std::vector<std::string>{},
                         viewer.HeadTitle(), viewer.GetDetailModel()};
    auto selected = viewer.SelectedNavigationNode();
    if (!panelsKnown_ || navigationReplaced || !(content == panelContent_)) {
        panelContent_ = std::move(content);
        panelNode_ = selected;
        panelsKnown_ = true;
    }
    const Panels state = selected == panelNode_       ? Panels::Current
                         : WindowTimerRunning(viewer) ? Panels::Pending
                                                      : Panels::Stale;
    if (state == panels_) return;
    panels_ = state;
    headLines_->setEnabled(state == Panels::Current);
    detailTree_->setEnabled(state == Panels::Current);
}

void TraceViewerWidget::SyncStatus(client::ViewerDocument& viewer) {
    statusBar_->SetFailure(Text(viewer.StatusText()));
    statusBar_->SetNote(panels_ == Panels::Pending ? Caption("正在读取所选节点……")
                        : panels_ == Panels::Stale ? Caption("所示信息不属于所选节点")
                                                   : QString());
    // The node at hand: the selected detail node, or the node of the selected row.
    const trackquery::DetailNode* node = nullptr;
    const QModelIndex current = detailTree_->currentIndex();
    if (current.isValid()) node = detailItems_.ColumnsNodeOf(current);
    int rows = 0;
    if (node) {
        rows = static_cast<int>(std::count_if(
            node->Rows().begin(), node->Rows().end(), [](const automation::ObjectPtr& item) {
                auto row = std::dynamic_pointer_cast<trackquery::DetailRow>(item);
                return row && !row->IsTotal;
            }));
    }
    int orders = 0;
    for (int root = 0; root < navigationItems_.rowCount(); ++root) {
        orders += navigationItems_.rowCount(navigationItems_.index(root, 0));
    }
    statusBar_->SetCounts(orders, node ? Text(NodeLabel(*node)) : QString(), rows);
}

}  // namespace qtgui
