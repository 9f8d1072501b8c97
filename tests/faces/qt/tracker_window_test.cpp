// The task order tracker in a desktop window, driven as a person drives it: clicks and keys in the
// navigation tree, opening detail nodes (which loads their rows through the viewer's events),
// tools of both bars, text typed into the bar's boxes, a question answered with a click.

#include "desktop_fixture.h"

#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <harness/erp_database_open.h>
#include <harness/task_order_selection.h>

#include <platform/activebar/tool.h>
#include <platform/windowing/msgbox.h>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeView>

using namespace desktop_test;

namespace {

class TrackerWindowTest : public ::testing::Test {
  protected:
    TrackerWindowTest()
        : desktop(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

    void Start() {
        auto& session = desktop.Session();
        tracker = session.CreateICMOQuery();
        const auto selection = TaskOrders();
        ASSERT_TRUE(session.StartEmbedded(tracker, selection.first, selection.second));
        viewer = session.Viewer();
        ASSERT_NE(qtgui::QtViewerFace::Of(*viewer), nullptr);
        desktop.Backend().Refresh();
        widget = qtgui::QtViewerFace::Of(*viewer)->ExistingWidget();
        ASSERT_NE(widget, nullptr) << "the viewer is drawn when its window is shown";
    }

    // Every ordinary task order of the demo database, as the host hands them over.
    static std::pair<automation::VectorPtr, automation::DictionaryPtr> TaskOrders() {
        auto selection =
            harness::SelectTaskOrders(*harness::OpenErpDatabase(DemoDatabase()), "CJ", {});
        return {selection.bills, selection.status};
    }

    // The person clicks a task order and waits the half second the window waits.
    void ShowTaskOrder(int row) {
        QTreeView* tree = widget->NavigationTree();
        const QModelIndex index =
            widget->NavigationItems().index(row, 0, widget->NavigationItems().index(0, 0));
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
        desktop.Session().AdvanceTime(500);
        desktop.Backend().Refresh();
    }

    QModelIndex DetailNode(int position) { return widget->DetailItems().index(position - 1, 0); }

    DesktopSession desktop;
    trackquery::ICICMOQueryPtr tracker;
    std::shared_ptr<client::ViewerDocument> viewer;
    qtgui::TraceViewerWidget* widget = nullptr;
};

}  // namespace

TEST_F(TrackerWindowTest, ClickingATaskOrderShowsItsHeadAndTrackedBillKinds) {
    Start();
    auto& navigation = widget->NavigationItems();
    ASSERT_EQ(navigation.rowCount(), 1) << "one root";
    const int orders = navigation.rowCount(navigation.index(0, 0));
    EXPECT_EQ(orders, TaskOrders().first->Count());
    EXPECT_TRUE(widget->NavigationTree()->isExpanded(navigation.index(0, 0)));

    ShowTaskOrder(3);
    const auto node = viewer->SelectedNavigationNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(widget->NavigationTree()->currentIndex(), navigation.IndexOfNode(node->Index()));
    const auto head = viewer->GetHeadModel();
    ASSERT_NE(head, nullptr);
    ASSERT_EQ(widget->HeadLines()->count(), head->LineCount());
    EXPECT_NE(widget->HeadLines()->item(0)->text().toStdString().find(node->Text),
              std::string::npos);
    EXPECT_NE(widget->HeadTitle()->text().toStdString().find(node->Text), std::string::npos);
    EXPECT_EQ(widget->HeadTitle()->property("alert").toBool(), viewer->HeadTitleAlert());

    const auto detail = viewer->GetDetailModel();
    ASSERT_NE(detail, nullptr);
    ASSERT_GT(detail->Count(), 0);
    ASSERT_EQ(widget->DetailItems().rowCount(), detail->Count());
    EXPECT_EQ(DetailNode(1).data().toString().toStdString(), detail->Item(1)->Column(1)->Caption);
    desktop.Backend().TakeScreenshots("task order shown");
}

TEST_F(TrackerWindowTest, OpeningADetailNodeLoadsItsRowsUnderTheirHeadings) {
    Start();
    ShowTaskOrder(4);
    auto node = viewer->GetDetailModel()->Item(1);
    ASSERT_EQ(node->FillStatus, 0) << "rows load when the person opens the node";
    QTreeView* tree = widget->DetailTree();
    tree->setCurrentIndex(DetailNode(1));
    QTest::keyClick(tree, Qt::Key_Right);  // the person opens it
    EXPECT_NE(node->FillStatus, 0) << "the viewer raised its expand events to the tracker";
    ASSERT_TRUE(node->IsExpanded);
    EXPECT_TRUE(tree->isExpanded(DetailNode(1)));
    auto& items = widget->DetailItems();
    const QModelIndex opened = DetailNode(1);
    ASSERT_EQ(items.rowCount(opened), node->RowCount() + 1) << "a heading line, then the rows";
    EXPECT_EQ(items.KindOf(items.index(0, 0, opened)), qtgui::DetailItemModel::Kind::Heading);
    const auto last = std::dynamic_pointer_cast<trackquery::DetailRow>(node->Row(node->RowCount()));
    ASSERT_TRUE(last && last->IsTotal);
    const QModelIndex total = items.index(node->RowCount(), 0, opened);
    EXPECT_TRUE(items.data(total, Qt::FontRole).value<QFont>().bold())
        << "the totals row stands out";
    EXPECT_EQ(items.PathOf(total), "1." + std::to_string(node->RowCount()));

    QTest::keyClick(tree, Qt::Key_Left);  // and closes it again
    EXPECT_FALSE(node->IsExpanded);
    desktop.Backend().TakeScreenshots("detail opened and closed");
}

TEST_F(TrackerWindowTest, ArrowKeysInTheTreeMoveTheSelectionThroughTheViewer) {
    Start();
    ShowTaskOrder(0);
    const int32_t before = viewer->SelectedNavigationNode()->Index();
    QTest::keyClick(widget->NavigationTree(), Qt::Key_Down);
    desktop.Session().AdvanceTime(500);
    desktop.Backend().Refresh();
    EXPECT_EQ(viewer->SelectedNavigationNode()->Index(), before + 1);
    EXPECT_EQ(widget->NavigationItems().NodePosition(widget->NavigationTree()->currentIndex()),
              before + 1);
    EXPECT_NE(
        widget->HeadTitle()->text().toStdString().find(viewer->SelectedNavigationNode()->Text),
        std::string::npos)
        << "the panels follow the node the person stopped on";
}

TEST_F(TrackerWindowTest, ToolsOfTheViewerBarSwitchPanesAndTextBoxesSearch) {
    Start();
    ShowTaskOrder(1);
    QAction* detailView = widget->OwnBar().ActionOf("btnShowDetailView");
    ASSERT_NE(detailView, nullptr);
    EXPECT_FALSE(detailView->isVisible())
        << "the tracker hides the pane switches it has no use for";
    QAction* titles = widget->OwnBar().ActionOf("btnShowTitle");
    ASSERT_NE(titles, nullptr);
    titles->trigger();
    EXPECT_FALSE(viewer->GetTool("btnShowTitle")->Checked());
    EXPECT_FALSE(widget->NavigationTitle()->isVisibleTo(widget));
    EXPECT_FALSE(widget->DetailTitle()->isVisibleTo(widget));
    titles->trigger();
    EXPECT_TRUE(widget->DetailTitle()->isVisibleTo(widget));

    const auto wanted = viewer->GetNavigationModel()->NodeItem(6);
    QLineEdit* position = widget->OwnBar().TextBoxOf("txtPosition");
    ASSERT_NE(position, nullptr);
    QTest::keyClicks(position, QString::fromStdString(wanted->Text));
    QTest::keyClick(position, Qt::Key_Return);
    desktop.Session().AdvanceTime(500);
    desktop.Backend().Refresh();
    EXPECT_EQ(viewer->SelectedNavigationNode(), wanted) << "the position search found the order";
    EXPECT_EQ(widget->NavigationTree()->currentIndex(), widget->NavigationItems().IndexOfNode(6));
}

TEST_F(TrackerWindowTest, AQuestionOfTheTrackerIsAnsweredInItsMessageBox) {
    Start();
    const int32_t orders = viewer->GetNavigationModel()->NodeCount();
    QLineEdit* bills = widget->OwnBar().TextBoxOf("txtSelectBills");
    ASSERT_NE(bills, nullptr);
    QTest::keyClicks(bills, "WORK'");
    std::string seen;
    AnswerNextBox(windowing::vbOK, seen);
    QTest::keyClick(bills, Qt::Key_Return);
    EXPECT_NE(seen.find("单引号"), std::string::npos) << "the refusal was shown in a box: " << seen;
    EXPECT_EQ(viewer->GetNavigationModel()->NodeCount(), orders)
        << "a refused text changes nothing";
    EXPECT_TRUE(desktop.Backend().Failures().empty());
}

TEST_F(TrackerWindowTest, TheHostsExportToolWritesAWorkbookIntoTheOutputFolder) {
    Start();
    ShowTaskOrder(2);
    QTest::keyClick(widget->DetailTree(), Qt::Key_Right);
    widget->HostBar().ActionOf("btnExport")->trigger();
    widget->HostBar().ActionOf("btnExport")->trigger();
    const auto written = viewer->LastOutputPath();
    EXPECT_EQ(written.parent_path(), desktop.Output());
    EXPECT_EQ(written.extension(), ".xlsx");
    EXPECT_NE(written.filename().string().find(" (2)"), std::string::npos)
        << "the second export never replaces the first: " << written;
    EXPECT_GT(std::filesystem::file_size(written), 1000u);
}

TEST_F(TrackerWindowTest, F7OpensTheBillListAndTheRowsChosenThereBecomeTheTree) {
    Start();
    std::vector<std::string> chosen;
    WhenShown(desktop.Backend(), "frmList", [&](qtgui::FormWindow& window) {
        auto* list = &window;
        desktop.Backend().TakeScreenshots("bill list");
        auto* table = list->findChild<QTableWidget*>();
        ASSERT_TRUE(table && table->rowCount() > 3);
        int numberColumn = -1;
        for (int c = 0; c < table->columnCount(); ++c) {
            if (table->horizontalHeaderItem(c)->text() == "任务单号") numberColumn = c;
        }
        ASSERT_GE(numberColumn, 0);
        table->setSelectionMode(QAbstractItemView::MultiSelection);
        for (int row : {1, 3}) {
            table->selectRow(row);
            chosen.push_back(table->item(row, numberColumn)->text().toStdString());
        }
        for (auto* button : list->findChildren<QPushButton*>()) {
            if (button->text().startsWith("确定")) QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    QTest::keyClick(widget->OwnBar().TextBoxOf("txtSelectBills"), Qt::Key_F7);
    desktop.Backend().Refresh();
    ASSERT_EQ(chosen.size(), 2u);
    const auto model = viewer->GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 3) << "the root and the two orders chosen";
    EXPECT_EQ(model->NodeItem(2)->Text, chosen[0]);
    EXPECT_EQ(model->NodeItem(3)->Text, chosen[1]);
    EXPECT_EQ(widget->NavigationItems().rowCount(widget->NavigationItems().index(0, 0)), 2);
    EXPECT_EQ(desktop.Backend().WindowOf("frmList"), nullptr) << "the list form is gone";
}
