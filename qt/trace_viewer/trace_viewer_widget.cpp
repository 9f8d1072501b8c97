#include <qt/trace_viewer/trace_viewer_widget.h>

#include <qt/windowing/key_codes.h>
#include <qt/windowing/user_action.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace qtgui {

namespace {

// The view tools of the viewer's bar: a tool that is missing counts as checked.
bool ToolChecked(client::HeadlessTraceViewer& viewer, const char* key) {
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

bool MovesSelection(int16_t keyCode) {
    return keyCode == 35 || keyCode == 36 || keyCode == 38 || keyCode == 40;
}

}  // namespace

TraceViewerWidget::TraceViewerWidget(std::weak_ptr<client::HeadlessTraceViewer> viewer,
                                     QWidget* parent)
    : QWidget(parent), viewer_(std::move(viewer)) {
    BuildLayout();
    ConnectNavigation();
    ConnectDetail();
    BarView::Callbacks callbacks{
        [this](const activebar::ToolPtr& tool) {
            Act([&](client::HeadlessTraceViewer& viewer) { viewer.GetMenuBar()->ClickTool(tool); });
        },
        [this](const activebar::ToolPtr& tool, const std::string& band, int32_t keyCode) {
            Act([&](client::HeadlessTraceViewer& viewer) {
                viewer.PressToolKey(band, tool->Name(), keyCode);
            });
        }};
    hostBar_ = std::make_unique<BarView>(menuBar_, hostToolRow_, callbacks);
    ownBar_ = std::make_unique<BarView>(menuBar_, ownToolRow_, callbacks);
    Sync();
}

TraceViewerWidget::~TraceViewerWidget() = default;

QWidget* TraceViewerWidget::Pane(QLabel*& title, QWidget* content) {
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    title = new QLabel(pane);
    title->setMargin(4);
    title->setStyleSheet("QLabel { background: #dde6f0; font-weight: bold; }");
    layout->addWidget(title);
    layout->addWidget(content);
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

    detailTree_ = new QTreeView;
    detailTree_->setObjectName("detail");
    detailTree_->setHeaderHidden(true);
    detailTree_->setUniformRowHeights(true);
    detailTree_->setExpandsOnDoubleClick(false);
    detailTree_->setAlternatingRowColors(false);
    detailTree_->setModel(&detailItems_);
    detailTree_->setContextMenuPolicy(Qt::CustomContextMenu);

    navigationPane_ = Pane(navigationTitle_, navigationTree_);
    headPane_ = Pane(headTitle_, headLines_);
    detailPane_ = Pane(detailTitle_, detailTree_);

    right_ = new QSplitter(Qt::Vertical);
    right_->addWidget(headPane_);
    right_->addWidget(detailPane_);
    outer_ = new QSplitter(Qt::Horizontal, this);
    outer_->addWidget(navigationPane_);
    outer_->addWidget(right_);
    layout->addWidget(outer_, 1);
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName("status");
    statusLine_->setWordWrap(true);
    statusLine_->setStyleSheet("QLabel { background: #fbe3e3; color: #c00000; padding: 2px; }");
    statusLine_->hide();
    layout->addWidget(statusLine_);
    for (QSplitter* splitter : {outer_, right_}) {
        connect(splitter, &QSplitter::splitterMoved, this, [this] { userSized_ = true; });
    }
}

void TraceViewerWidget::ConnectNavigation() {
    connect(navigationTree_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        const int32_t position = navigationItems_.NodePosition(index);
        if (position < 1) return;
        Act([&](client::HeadlessTraceViewer& viewer) { viewer.ClickNavigationNode(position); });
    });
    connect(headLines_, &QListWidget::itemClicked, this, [this] {
        Act([](client::HeadlessTraceViewer& viewer) { viewer.ActivatePane("Summary"); });
    });
}

void TraceViewerWidget::ConnectDetail() {
    auto onPath = [this](
                      const QModelIndex& index,
                      std::function<void(client::HeadlessTraceViewer&, const std::string&)> verb) {
        if (syncing_) return;
        const std::string path = detailItems_.PathOf(index);
        if (path.empty()) return;
        Act([&](client::HeadlessTraceViewer& viewer) { verb(viewer, path); });
    };
    connect(detailTree_, &QTreeView::expanded, this, [onPath](const QModelIndex& index) {
        onPath(index, [](auto& viewer, const std::string& path) { viewer.ExpandDetail(path); });
    });
    connect(detailTree_, &QTreeView::collapsed, this, [onPath](const QModelIndex& index) {
        onPath(index, [](auto& viewer, const std::string& path) { viewer.CollapseDetail(path); });
    });
    connect(detailTree_, &QTreeView::clicked, this, [onPath](const QModelIndex& index) {
        onPath(index, [](auto& viewer, const std::string& path) { viewer.SelectDetail(path); });
    });
    connect(detailTree_, &QTreeView::doubleClicked, this, [onPath](const QModelIndex& index) {
        onPath(index,
               [](auto& viewer, const std::string& path) { viewer.DoubleClickDetail(path); });
    });
    connect(detailTree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QMenu* menu = hostBar_->PopupOf("mnuRight")) {
            menu->popup(detailTree_->viewport()->mapToGlobal(at));
        }
    });
}

bool TraceViewerWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != navigationTree_ || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const int16_t keyCode = VirtualKeyCode(key->key());
    if (keyCode == 0 || keyCode == 9) return false;
    Act([&](client::HeadlessTraceViewer& viewer) {
        viewer.PressNavigationKey(keyCode, ShiftState(key->modifiers()));
    });
    // The viewer moves the selection itself; other keys go on to the tree and the form.
    return MovesSelection(keyCode);
}

void TraceViewerWidget::Act(const std::function<void(client::HeadlessTraceViewer&)>& verb) {
    // The viewer may go away inside the verb (its window closed): it is held until the verb ends.
    auto viewer = viewer_.lock();
    if (!viewer) return;
    RunUserAction([&] { verb(*viewer); });
    Sync();
}

// --- Reading the viewer ----------------------------------------------------------------------

void TraceViewerWidget::Sync() {
    auto viewer = viewer_.lock();
    if (!viewer || syncing_) return;
    syncing_ = true;
    const ViewSettings settings = ReadViewSettings(*viewer);
    SyncBars(*viewer);
    SyncSettings(settings);
    SyncTitles(*viewer);
    SyncNavigation(*viewer, settings);
    SyncHead(*viewer);
    SyncDetail(*viewer);
    syncing_ = false;
}

void TraceViewerWidget::SyncBars(client::HeadlessTraceViewer& viewer) {
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
    QFont font = QWidget::font();
    if (settings.fontPointSize > 0) font.setPointSize(settings.fontPointSize);
    for (QWidget* pane : {static_cast<QWidget*>(navigationTree_), static_cast<QWidget*>(headLines_),
                          static_cast<QWidget*>(detailTree_)}) {
        pane->setFont(font);
    }
    const QString padding = QStringLiteral("QTreeView::item { padding: %1px %2px; }")
                                .arg(settings.rowPadding / 2)
                                .arg(settings.cellPadding / 2);
    detailTree_->setStyleSheet(padding);
    headLines_->setFlow(QListView::TopToBottom);
    headLines_->setWrapping(true);
    headLines_->setResizeMode(QListView::Adjust);
    outer_->setOrientation(settings.navigationOnTop ? Qt::Vertical : Qt::Horizontal);
    ApplySplitShares(settings);
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

void TraceViewerWidget::SyncTitles(client::HeadlessTraceViewer& viewer) {
    const bool titles = ToolChecked(viewer, "btnShowTitle");
    const bool headTitle = titles && ToolChecked(viewer, "btnShowSummaryTitle");
    SetTextIfChanged(navigationTitle_, Text(viewer.NavigationTitle()));
    SetTextIfChanged(headTitle_, Text(viewer.HeadTitle()));
    SetTextIfChanged(detailTitle_, Text(viewer.DetailTitle()));
    const QString headStyle =
        viewer.HeadTitleAlert()
            ? QStringLiteral("QLabel { background: #fbe3e3; color: #c00000; font-weight: bold; }")
            : QStringLiteral("QLabel { background: #dde6f0; font-weight: bold; }");
    if (headTitle_->styleSheet() != headStyle) headTitle_->setStyleSheet(headStyle);
    headTitle_->setProperty("alert", viewer.HeadTitleAlert());
    ShowIfChanged(navigationTitle_, titles);
    ShowIfChanged(detailTitle_, titles);
    ShowIfChanged(headTitle_, headTitle);
    ShowIfChanged(headPane_, ToolChecked(viewer, "btnShowSummaryView"));
    ShowIfChanged(detailPane_, ToolChecked(viewer, "btnShowDetailView"));
    SetTextIfChanged(statusLine_, Text(viewer.StatusText()));
    ShowIfChanged(statusLine_, !viewer.StatusText().empty());
}

void TraceViewerWidget::SyncNavigation(client::HeadlessTraceViewer& viewer,
                                       const ViewSettings& settings) {
    if (navigationItems_.Sync(viewer.GetNavigationModel(), settings.statusImages)) {
        navigationTree_->expandToDepth(0);
    }
    auto selected = viewer.SelectedNavigationNode();
    const QModelIndex wanted =
        selected ? navigationItems_.IndexOfNode(selected->Index()) : QModelIndex();
    if (navigationTree_->currentIndex() == wanted) return;
    QSignalBlocker quiet(navigationTree_->selectionModel());
    navigationTree_->selectionModel()->setCurrentIndex(
        wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    navigationTree_->viewport()->update();
    if (wanted.isValid()) navigationTree_->scrollTo(wanted);
}

void TraceViewerWidget::SyncHead(client::HeadlessTraceViewer& viewer) {
    auto head = viewer.GetHeadModel();
    const std::vector<std::string> lines = head ? head->Lines() : std::vector<std::string>{};
    if (lines == shownHead_) return;
    shownHead_ = lines;
    headLines_->clear();
    for (const auto& line : lines) headLines_->addItem(Text(line));
}

void TraceViewerWidget::SyncDetail(client::HeadlessTraceViewer& viewer) {
    const bool changed = detailItems_.Sync(viewer.GetDetailModel());
    for (const QModelIndex& index : detailItems_.ExpandableItems()) {
        const bool expanded = detailItems_.ModelExpanded(index);
        if (detailTree_->isExpanded(index) != expanded) detailTree_->setExpanded(index, expanded);
    }
    if (changed) {
        for (int column = 0; column < detailItems_.columnCount(); ++column) {
            detailTree_->resizeColumnToContents(column);
        }
    }
    const QModelIndex wanted = detailItems_.IndexOf(viewer.SelectedDetailRow());
    if (detailTree_->currentIndex().siblingAtColumn(0) == wanted) return;
    QSignalBlocker quiet(detailTree_->selectionModel());
    detailTree_->selectionModel()->setCurrentIndex(
        wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

}  // namespace qtgui
