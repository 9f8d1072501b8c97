// The trackers as a clerk works them all day: the detail pane by keyboard, copied into a
// spreadsheet and through its context menu; what the window remembers from one run to the next;
// the feedback of the status bar and the panels; the dialogs' Enter and Escape; a dark theme.

#include "desktop_fixture.h"

#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <faces/qt/trace_viewer/viewer_status_bar.h>
#include <harness/erp_database_open.h>
#include <harness/task_order_selection.h>

#include <components/bills/bill_window.h>

#include <platform/activebar/tool.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QSplitter>

using namespace desktop_test;
using qtgui::TraceViewerWidget;

namespace {

// A tracker started in a desktop session, as the host starts it, and what a person does to it.
struct OpenTracker {
    explicit OpenTracker(DesktopSession& session) : desktop(session) {}

    DesktopSession& desktop;
    std::shared_ptr<client::ViewerDocument> viewer;
    TraceViewerWidget* widget = nullptr;
    automation::ObjectPtr tracker;

    static OpenTracker TaskOrders(DesktopSession& desktop) {
        OpenTracker open(desktop);
        auto tracker = desktop.Session().CreateICMOQuery();
        auto selection =
            harness::SelectTaskOrders(*harness::OpenErpDatabase(DemoDatabase()), "CJ", {});
        EXPECT_TRUE(desktop.Session().StartEmbedded(tracker, selection.bills, selection.status));
        open.Take(tracker);
        return open;
    }

    static OpenTracker SalesOrder(DesktopSession& desktop) {
        OpenTracker open(desktop);
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("ClassTypeID", int32_t{81});
        auto orders = std::make_shared<automation::Vector>();
        auto order = std::make_shared<automation::Dictionary>();
        order->SetItem("FInterID", int32_t{1});
        orders->Add(order);
        para->SetItem("vctSeOrderList", orders);
        auto tracker = desktop.Session().CreateSeOrderQuery();
        EXPECT_TRUE(desktop.Session().LoadEmbedded(tracker, para));
        open.Take(tracker);
        return open;
    }

    void Take(automation::ObjectPtr started) {
        tracker = std::move(started);
        viewer = desktop.Session().Viewer();
        desktop.Backend().Refresh();
        auto* face = viewer ? qtgui::QtViewerFace::Of(*viewer) : nullptr;
        widget = face ? face->ExistingWidget() : nullptr;
        ASSERT_NE(widget, nullptr);
    }

    // Clicks the navigation node at a 1-based position, then lets the half second pass.
    void Pick(int32_t position, bool wait = true) {
        QTreeView* tree = widget->NavigationTree();
        const QModelIndex index = widget->NavigationItems().IndexOfNode(position);
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
        if (wait) desktop.Session().AdvanceTime(500);
        desktop.Backend().Refresh();
    }

    QModelIndex Item(const std::string& path) const {
        return widget->DetailItems().IndexOf(viewer->GetDetailModel()->ItemByPath(path));
    }

    trackquery::DetailNodePtr Node(int32_t position) const {
        return viewer->GetDetailModel()->Item(position);
    }

    // Opens the detail nodes (of that kind, if one is named) with the keyboard until one shows
    // bills; returns its heading line.
    QModelIndex OpenKindWithBills(const std::string& kind = "") {
        qtgui::DetailTreeView* tree = widget->DetailTree();
        for (int32_t position = 1; position <= viewer->GetDetailModel()->Count(); ++position) {
            const std::string path = std::to_string(position);
            if (!kind.empty() && Node(position)->Key != kind) continue;
            tree->setCurrentIndex(Item(path));
            QTest::keyClick(tree, Qt::Key_Right);
            const QModelIndex first = widget->DetailItems().index(0, 0, Item(path));
            if (widget->DetailItems().KindOf(first) == qtgui::DetailItemModel::Kind::Heading &&
                tree->CellRects(first).size() >= 2) {
                return first;
            }
        }
        return {};
    }
};

// Answers the next font dialog with `font`.
void AnswerFontDialog(const QFont& font) {
    QTimer::singleShot(0, [font] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "the tool opened the standard font dialog";
        dialog->setCurrentFont(font);
        dialog->accept();
    });
}

void PressKey(QWidget& window, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
}

bool AllOpenBelow(const trackquery::DetailNode& node) {
    if (!node.IsExpanded) return false;
    for (const auto& item : node.Rows()) {
        auto row = std::dynamic_pointer_cast<trackquery::DetailRow>(item);
        if (!row || !row->CanExpand) continue;
        if (!row->IsExpanded) return false;
        for (const auto& child : row->Children()) {
            if (child->CanExpand && !AllOpenBelow(*child)) return false;
        }
    }
    return true;
}

}  // namespace

TEST(ViewerHandling, TheDetailPaneIsWorkedByKeyboardCopiedAsATableAndOffersWhatApplies) {
    DesktopSession desktop("detail-keyboard");
    auto open = OpenTracker::TaskOrders(desktop);
    open.Pick(4);
    auto& viewer = *open.viewer;
    qtgui::DetailTreeView* tree = open.widget->DetailTree();
    tree->setFocus();
    tree->setCurrentIndex(open.Item("1"));
    QTest::keyClick(tree, Qt::Key_Right);
    auto node = open.Node(1);
    ASSERT_TRUE(node->IsExpanded);
    ASSERT_GE(node->RowCount(), 2);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(viewer.SelectedDetailRow(), node->Row(1)) << "the heading line is passed over";
    EXPECT_EQ(viewer.ActivePane(), "Detail");
    QTest::keyClick(tree, Qt::Key_End);
    const int32_t kinds = viewer.GetDetailModel()->Count();
    EXPECT_EQ(viewer.SelectedDetailRow(), open.Node(kinds));
    QTest::keyClick(tree, Qt::Key_Home);
    EXPECT_EQ(viewer.SelectedDetailRow(), node);
    QTest::keyClick(tree, Qt::Key_PageDown);
    EXPECT_NE(viewer.SelectedDetailRow(), node);

    // Two rows taken with Shift, copied with Ctrl+C: captions, then the rows, tab-separated.
    tree->setCurrentIndex(open.Item("1.1"));
    QTest::keyClick(tree, Qt::Key_Down, Qt::ShiftModifier);
    QApplication::clipboard()->clear();
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << QApplication::clipboard()->text().toStdString();
    const auto columns = node->VisibleColumns();
    EXPECT_EQ(lines[0].split('\t').size(), static_cast<qsizetype>(columns.size()));
    EXPECT_EQ(lines[0].split('\t')[0].toStdString(), columns[0]->Caption);
    auto second = std::dynamic_pointer_cast<trackquery::DetailRow>(node->Row(2));
    EXPECT_EQ(lines[2].split('\t')[0].toStdString(), second->CellUnder(columns[0])->Text);

    // The context menu: the row's bill, copy and export; cut and paste have no place here.
    QMenu* menu = open.widget->DetailMenu(open.Item("1.1"));
    QStringList offered;
    for (QAction* action : menu->actions()) offered << action->objectName();
    EXPECT_EQ(offered.filter(QRegularExpression("^(openBill|copy|export)$")).size(), 3)
        << offered.join(",").toStdString();
    for (QAction* action : menu->actions()) {
        EXPECT_FALSE(action->text().contains("剪切") || action->text().contains("粘贴"));
    }
    for (QAction* action : menu->actions()) {
        if (action->objectName() == "openBill") action->trigger();
    }
    EXPECT_EQ(client::OpenBillWindows().size(), 1u) << "the menu opened the row's bill";

    // Enter opens the bill of the current row, as a double click does.
    tree->setCurrentIndex(open.Item("1.2"));
    QTest::keyClick(tree, Qt::Key_Return);
    ASSERT_EQ(client::OpenBillWindows().size(), 2u);
    for (const auto& bill : client::OpenBillWindows()) bill->Unload();
    desktop.Backend().Refresh();

    // PageDown in the order tree picks the order a page further down, as a click would.
    const int32_t before = viewer.SelectedNavigationNode()->Index();
    QTest::keyClick(open.widget->NavigationTree(), Qt::Key_PageDown);
    desktop.Session().AdvanceTime(500);
    desktop.Backend().Refresh();
    EXPECT_GT(viewer.SelectedNavigationNode()->Index(), before + 1);
    EXPECT_EQ(
        open.widget->NavigationItems().NodePosition(open.widget->NavigationTree()->currentIndex()),
        viewer.SelectedNavigationNode()->Index());
    EXPECT_EQ(open.widget->PanelState(), TraceViewerWidget::Panels::Current);

    // A node's menu opens and closes everything below it, loading it as it goes.
    for (int32_t position = 1; position <= std::min(kinds, 3); ++position) {
        QMenu* nodeMenu = open.widget->DetailMenu(open.Item(std::to_string(position)));
        nodeMenu->findChild<QAction*>("expandAll")->trigger();
        EXPECT_TRUE(AllOpenBelow(*open.Node(position))) << position;
        EXPECT_TRUE(tree->isExpanded(open.Item(std::to_string(position))));
        nodeMenu->findChild<QAction*>("collapseAll")->trigger();
        EXPECT_FALSE(open.Node(position)->IsExpanded);
    }
    EXPECT_TRUE(desktop.Backend().Failures().empty());
    desktop.Backend().TakeScreenshots("detail worked by keyboard");
}

TEST(ViewerHandling, TheWindowIsAsTheUserLeftItHoweverItWasClosed) {
    const QFont titleFont("Noto Sans", 15);
    QSize size;
    QList<int> splitter;
    int width = 0;
    std::string kind;
    {
        DesktopSession desktop("memory-first");
        auto open = OpenTracker::TaskOrders(desktop);
        open.Pick(3);
        auto* window = open.widget->window();
        window->resize(720, 540);
        size = window->size();
        QSplitterHandle* handle = open.widget->OuterSplitter()->handle(1);
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 40));
        QTest::mouseMove(handle, QPoint(90, 40));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(90, 40));
        splitter = open.widget->OuterSplitter()->sizes();

        // The second column of a kind, widened by its heading's edge.
        qtgui::DetailTreeView* tree = open.widget->DetailTree();
        const QModelIndex heading = open.OpenKindWithBills();
        ASSERT_TRUE(heading.isValid());
        kind = open.widget->DetailItems().ColumnsNodeOf(heading)->Key;
        const auto cells = tree->CellRects(heading);
        const QPoint edge(cells[1].right() + 1, cells[1].center().y());
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, edge);
        QTest::mouseMove(tree->viewport(), edge + QPoint(45, 0));
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, edge + QPoint(45, 0));
        width = tree->CellRects(heading)[1].width();
        EXPECT_EQ(width, cells[1].width() + 45);
        // Another task order: its node of the kind has the columns where the person left them.
        QModelIndex other;
        for (int32_t order = 4; order < 20 && !other.isValid(); ++order) {
            open.Pick(order);
            other = open.OpenKindWithBills(kind);
        }
        ASSERT_TRUE(other.isValid());
        EXPECT_EQ(tree->CellRects(other)[1].width(), width);

        open.widget->OwnBar().ActionOf("btnShowTitle")->trigger();
        AnswerFontDialog(titleFont);
        open.widget->HostBar().ActionOf("TitleFont")->trigger();
        EXPECT_EQ(open.widget->HeadTitle()->font().pointSize(), 15) << "applied at once";
        open.widget->HostBar().ActionOf("btnExit")->trigger();  // closed with the exit tool
        desktop.Backend().Refresh();
    }
    {
        DesktopSession desktop("memory-second");
        auto open = OpenTracker::TaskOrders(desktop);
        EXPECT_EQ(open.widget->window()->size(), size);
        EXPECT_EQ(open.widget->OuterSplitter()->sizes(), splitter);
        EXPECT_FALSE(open.viewer->GetTool("btnShowTitle")->Checked());
        EXPECT_FALSE(open.widget->DetailTitle()->isVisibleTo(open.widget));
        EXPECT_EQ(open.widget->HeadTitle()->font().pointSize(), 15);
        open.Pick(3);
        const QModelIndex heading = open.OpenKindWithBills(kind);
        ASSERT_TRUE(heading.isValid());
        EXPECT_EQ(open.widget->DetailTree()->CellRects(heading)[1].width(), width);
        open.widget->window()->resize(640, 480);
        open.widget->window()->close();  // and now with the close box
        desktop.Backend().Refresh();
    }
    DesktopSession desktop("memory-third");
    auto open = OpenTracker::TaskOrders(desktop);
    EXPECT_EQ(open.widget->window()->size(), QSize(640, 480));
}

TEST(ViewerHandling, ThePanelsAndTheStatusBarSayWhatTheyShow) {
    DesktopSession desktop("feedback");
    auto open = OpenTracker::TaskOrders(desktop);
    auto* widget = open.widget;
    open.Pick(3);
    EXPECT_EQ(widget->PanelState(), TraceViewerWidget::Panels::Current);
    open.Pick(5, false);
    EXPECT_EQ(widget->PanelState(), TraceViewerWidget::Panels::Pending)
        << "the half second before the tracker fills the panels";
    EXPECT_FALSE(widget->HeadLines()->isEnabled());
    EXPECT_TRUE(widget->StatusBar()->Note()->isVisibleTo(widget));
    desktop.Session().AdvanceTime(500);
    desktop.Backend().Refresh();
    EXPECT_EQ(widget->PanelState(), TraceViewerWidget::Panels::Current);
    EXPECT_TRUE(widget->HeadLines()->isEnabled());
    EXPECT_FALSE(widget->StatusBar()->Note()->isVisibleTo(widget));

    // A head line too long for the pane is read whole in its tooltip.
    const QListWidgetItem* line = widget->HeadLines()->item(0);
    EXPECT_EQ(line->toolTip(), line->text());
    const int orders = widget->NavigationItems().rowCount(widget->NavigationItems().index(0, 0));
    EXPECT_TRUE(widget->StatusBar()->Counts()->text().contains(QString::number(orders)));
    const auto marks = widget->StatusBar()->Legend()->findChildren<QLabel*>();
    EXPECT_EQ(marks.size(), 8);
    EXPECT_EQ(widget->StatusBar()->Legend()->findChild<QLabel*>("status19")->toolTip(), "作废");
    // Tools the task order tracker does nothing with are not offered; the viewer's are.
    for (const char* idle : {"OrderSet", "ViewICMOTrack", "btnPrintSetup", "Cut", "Paste"}) {
        QAction* action = widget->HostBar().ActionOf(idle);
        EXPECT_TRUE(!action || !action->isVisible()) << idle;
    }
    EXPECT_TRUE(widget->HostBar().ActionOf("DetailFont")->isVisible());

    // A dark theme: titles and node captions on grounds of the theme, readable.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 44));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(28, 28, 30));
    dark.setColor(QPalette::Text, QColor(225, 225, 225));
    widget->setPalette(dark);
    const QColor title = widget->HeadTitle()->palette().color(QPalette::Window);
    EXPECT_LT(title.lightness(), 100);
    const QColor nodeGround = open.Item("1").data(Qt::BackgroundRole).value<QBrush>().color();
    EXPECT_LT(nodeGround.lightness(), 100);
    desktop.Backend().TakeScreenshots("dark");
}

TEST(ViewerHandling, SalesOrderPanelsNameTheirEntryAndDimWhenAnOrderIsPicked) {
    DesktopSession desktop("seorder-feedback");
    auto open = OpenTracker::SalesOrder(desktop);
    auto* widget = open.widget;
    auto navigation = open.viewer->GetNavigationModel();
    ASSERT_GE(navigation->NodeCount(), 3) << "the root, the order, its entries";
    EXPECT_TRUE(widget->NavigationTitle()->text().startsWith(
        QString::fromStdString(navigation->NodeItem(1)->Text)));
    EXPECT_EQ(widget->HeadTitle()->text().toStdString(),
              navigation->NodeItem(2)->Text + " · " + navigation->NodeItem(3)->Text);
    EXPECT_FALSE(widget->DetailTitle()->text().isEmpty());
    EXPECT_TRUE(widget->HostBar().ActionOf("OrderSet")->isVisible());

    open.Pick(2);  // the order, not an entry
    EXPECT_EQ(widget->PanelState(), TraceViewerWidget::Panels::Stale);
    EXPECT_FALSE(widget->DetailTree()->isEnabled());
    EXPECT_TRUE(widget->StatusBar()->Note()->isVisibleTo(widget));
    desktop.Backend().TakeScreenshots("order picked");
    open.Pick(3);
    EXPECT_EQ(widget->PanelState(), TraceViewerWidget::Panels::Current);

    // The options dialog: Escape cancels, Enter is OK.
    const auto phases = open.Node(2)->RowCount();
    WhenShown(desktop.Backend(), "frmOrderOption", [](qtgui::FormWindow& window) {
        for (auto* box : window.findChildren<QCheckBox*>()) {
            if (box->text().contains("生产任务单")) box->click();
        }
        PressKey(window, Qt::Key_Escape);
    });
    widget->HostBar().ActionOf("OrderSet")->trigger();
    EXPECT_EQ(open.Node(2)->RowCount(), phases) << "cancelled";
    WhenShown(desktop.Backend(), "frmOrderOption", [](qtgui::FormWindow& window) {
        for (auto* box : window.findChildren<QCheckBox*>()) {
            if (box->text().contains("生产任务单")) box->click();
        }
        PressKey(window, Qt::Key_Return);
    });
    widget->HostBar().ActionOf("OrderSet")->trigger();
    EXPECT_EQ(open.Node(2)->RowCount(), phases - 1) << "the task order phase is gone";
}
