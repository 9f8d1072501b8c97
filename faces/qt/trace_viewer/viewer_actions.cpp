// What the person does in the drawn viewer: clicks and keys in the trees, the tools of the bars,
// the detail pane's context menu and the clipboard. Every act goes through the viewer's verbs.

#include <faces/qt/trace_viewer/detail_copy.h>
#include <faces/qt/trace_viewer/detail_walk.h>
#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <faces/qt/trace_viewer/viewer_status_bar.h>
#include <faces/qt/windowing/key_codes.h>
#include <faces/qt/windowing/user_action.h>

#include <components/viewer/viewer_menu_bar.h>

#include <platform/activebar/tool.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QTreeView>

namespace qtgui {

namespace {

// Up, Down, Home and End: the viewer moves the navigation selection itself.
bool MovesSelection(int16_t keyCode) {
    return keyCode == 35 || keyCode == 36 || keyCode == 38 || keyCode == 40;
}

// A tool of either bar that the person can click now.
activebar::ToolPtr UsableTool(client::ViewerDocument& viewer, const std::string& key) {
    auto tool = viewer.GetTool(key);
    return tool && tool->Visible() && tool->Enabled() ? tool : nullptr;
}

}  // namespace

void TraceViewerWidget::Act(const std::function<void(client::ViewerDocument&)>& verb) {
    // The viewer may go away inside the verb (its window closed): it is held until the verb ends.
    auto viewer = viewer_.lock();
    if (!viewer) return;
    RunUserAction([&] { verb(*viewer); });
    Sync();
}

void TraceViewerWidget::OnPath(
    const QModelIndex& index,
    const std::function<void(client::ViewerDocument&, const std::string&)>& verb) {
    if (syncing_) return;
    const std::string path = detailItems_.PathOf(index);
    if (path.empty()) return;
    Act([&](client::ViewerDocument& viewer) { verb(viewer, path); });
}

void TraceViewerWidget::ClickTool(const activebar::ToolPtr& tool) {
    Act([&](client::ViewerDocument& viewer) { viewer.GetMenuBar()->ClickTool(tool); });
    // The fonts and the colour are the viewer's own business once the tracker had the click.
    RunLookTool(*tool);
}

// --- The navigation tree -----------------------------------------------------------------------

void TraceViewerWidget::ConnectNavigation() {
    connect(navigationTree_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        const int32_t position = navigationItems_.NodePosition(index);
        if (position < 1) return;
        Act([&](client::ViewerDocument& viewer) { viewer.ClickNavigationNode(position); });
    });
    connect(headLines_, &QListWidget::itemClicked, this, [this] {
        Act([](client::ViewerDocument& viewer) { viewer.ActivatePane("Summary"); });
    });
}

bool TraceViewerWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != navigationTree_ || event->type() != QEvent::KeyPress || forwardingKey_) {
        return QWidget::eventFilter(watched, event);
    }
    return NavigationKey(static_cast<QKeyEvent*>(event));
}

bool TraceViewerWidget::NavigationKey(QKeyEvent* key) {
    const int16_t keyCode = VirtualKeyCode(key->key());
    if (keyCode == 9) return false;
    int16_t left = keyCode;
    if (keyCode != 0) {
        Act([&](client::ViewerDocument& viewer) {
            left = viewer.PressNavigationKey(keyCode, ShiftState(key->modifiers()));
        });
    }
    // The tracker swallowed it, or the viewer moved the selection.
    if (left == 0 && keyCode != 0) return true;
    if (MovesSelection(keyCode)) return true;
    // Any other key is the tree's (PageUp, PageDown, Left to the parent, a letter to a node that
    // starts with it); the node it moves to is selected as a click selects it. The key goes on
    // to the window from the tree when the tree has no use for it, so it is taken here either way.
    forwardingKey_ = true;
    QCoreApplication::sendEvent(navigationTree_, key);
    forwardingKey_ = false;
    const int32_t position = navigationItems_.NodePosition(navigationTree_->currentIndex());
    auto viewer = viewer_.lock();
    auto selected = viewer ? viewer->SelectedNavigationNode() : nullptr;
    if (position > 0 && (!selected || selected->Index() != position)) {
        Act([&](client::ViewerDocument& viewer) { viewer.ClickNavigationNode(position); });
    }
    key->accept();
    return true;
}

// --- The detail tree ---------------------------------------------------------------------------

void TraceViewerWidget::ConnectDetail() {
    connect(detailTree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        OnPath(index, [](auto& viewer, const std::string& path) { viewer.ExpandDetail(path); });
    });
    connect(detailTree_, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        OnPath(index, [](auto& viewer, const std::string& path) { viewer.CollapseDetail(path); });
    });
    connect(detailTree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        OnPath(index,
               [](auto& viewer, const std::string& path) { viewer.DoubleClickDetail(path); });
    });
    DetailTreeView::Callbacks callbacks;
    callbacks.currentMoved = [this](const QModelIndex& index) {
        OnPath(index, [](auto& viewer, const std::string& path) { viewer.SelectDetail(path); });
    };
    callbacks.enter = [this](const QModelIndex& index) {
        OnPath(index,
               [](auto& viewer, const std::string& path) { viewer.DoubleClickDetail(path); });
    };
    callbacks.copy = [this] { CopyDetailSelection(); };
    callbacks.widthsChanged = [this] {
        WriteColumnWidths(MemoryName(), columnWidths_.UserWidths());
    };
    callbacks.statusText = [this](int32_t image) {
        return StatusWordsText(image, [this](const std::string& word) { return Caption(word); });
    };
    detailTree_->SetCallbacks(std::move(callbacks));
    detailTree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(detailTree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowDetailMenu(at); });
}

std::string TraceViewerWidget::DetailSelectionText() const {
    std::vector<automation::ObjectPtr> items;
    for (const QModelIndex& index : detailTree_->SelectedItems()) {
        if (auto object = detailItems_.ObjectOf(index)) items.push_back(object);
    }
    return DetailCopyText(items);
}

void TraceViewerWidget::CopyDetailSelection() {
    const std::string text = DetailSelectionText();
    if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TraceViewerWidget::ShowDetailMenu(const QPoint& at) {
    const QModelIndex index = detailTree_->indexAt(at).siblingAtColumn(0);
    // A click on an item outside the selection makes it the selection, as in any list.
    if (index.isValid() && (detailItems_.flags(index) & Qt::ItemIsSelectable) &&
        !detailTree_->selectionModel()->isRowSelected(index.row(), index.parent())) {
        detailTree_->setCurrentIndex(index);
    }
    QMenu* menu = DetailMenu(index);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(detailTree_->viewport()->mapToGlobal(at));
}

QMenu* TraceViewerWidget::DetailMenu(const QModelIndex& index) {
    auto* menu = new QMenu(this);
    menu->setObjectName("detailMenu");
    auto viewer = viewer_.lock();
    const std::string path = detailItems_.PathOf(index);
    auto row = std::dynamic_pointer_cast<trackquery::DetailRow>(detailItems_.ObjectOf(index));
    if (viewer && row && !row->IsTotal) {
        auto bill = viewer->GetTool("btnBill");
        const QString caption =
            bill ? QString::fromStdString(MenuCaption(*bill)) : Caption("查看单据明细");
        QAction* open = menu->addAction(caption, this, [this, path] { OpenBill(path); });
        open->setObjectName("openBill");
        menu->setDefaultAction(open);
    }
    QAction* copy = menu->addAction(Caption("复制(&C)"), this, [this] { CopyDetailSelection(); });
    copy->setObjectName("copy");
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!detailTree_->SelectedItems().empty());
    if (!path.empty() && detailItems_.hasChildren(index)) {
        menu->addSeparator();
        menu->addAction(Caption("全部展开"), this,
                        [this, path] { Act([&](auto& viewer) { ExpandAllBelow(viewer, path); }); })
            ->setObjectName("expandAll");
        menu->addAction(
                Caption("全部折叠"), this,
                [this, path] { Act([&](auto& viewer) { CollapseAllBelow(viewer, path); }); })
            ->setObjectName("collapseAll");
    }
    // The export the bars offer: the tracker's (it checks the right) or else the viewer's own.
    auto exportTool = viewer ? UsableTool(*viewer, "btnExport") : nullptr;
    if (!exportTool && viewer) exportTool = UsableTool(*viewer, client::kToolViewerExport);
    if (exportTool) {
        menu->addSeparator();
        const QString caption = QString::fromStdString(MenuCaption(*exportTool));
        menu->addAction(caption, this, [this, exportTool] { ClickTool(exportTool); })
            ->setObjectName("export");
    }
    return menu;
}

void TraceViewerWidget::OpenBill(const std::string& path) {
    Act([&](client::ViewerDocument& viewer) {
        viewer.SelectDetail(path);
        // Where the tracker offers its bill tool it opens the bill of the selected row; the sales
        // order tracker opens a bill on a double click only.
        if (UsableTool(viewer, "btnBill")) {
            viewer.ClickTool("btnBill");
        } else {
            viewer.DoubleClickDetail(path);
        }
    });
}

}  // namespace qtgui
