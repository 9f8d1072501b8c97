// The client's bill window and bill lists on the desktop, used as a clerk uses them: a bill read
// as captioned fields and headed entry lines, paged with |< < > >| and closed with its close box;
// the F7 list sorted by a heading click and narrowed while the person types; the export orders'
// filter and look-up answered.

#include "desktop_fixture.h"

#include <components/bills/bill_window.h>
#include <components/bills/bills.h>
#include <components/bills/class_bills.h>
#include <components/erp_database/erp_schema.h>
#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <harness/erp_database_open.h>
#include <harness/task_order_selection.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using namespace desktop_test;

namespace {

QPushButton* Button(QWidget& window, const QString& caption) {
    for (auto* button : window.findChildren<QPushButton*>()) {
        if (button->text().startsWith(caption)) return button;
    }
    return nullptr;
}

// The value shown beside a head caption of a bill window.
QString HeadValue(QWidget& window, const QString& caption) {
    const auto labels = window.findChildren<QLabel*>();
    for (int i = 0; i + 1 < labels.size(); ++i) {
        if (labels[i]->text() == caption) return labels[i + 1]->text();
    }
    return {};
}

QStringList Column(const QTableWidget& table, int column) {
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row) texts << table.item(row, column)->text();
    return texts;
}

// Figures as shown ("1,140") in falling order by value.
bool Descending(QStringList texts) {
    std::vector<double> values;
    for (auto& text : texts) values.push_back(text.remove(',').toDouble());
    return values.size() > 1 && std::is_sorted(values.rbegin(), values.rend());
}

int ColumnOf(const QTableWidget& table, const QString& caption) {
    for (int c = 0; c < table.columnCount(); ++c) {
        if (table.horizontalHeaderItem(c)->text() == caption) return c;
    }
    return -1;
}

}  // namespace

TEST(BillForms, ABillWindowShowsItsSheetAndPagesThroughItsList) {
    DesktopSession desktop("bill_window");
    // The browse list: three production issues, as a list of bills hands them over.
    adodb::Connection cnn;
    cnn.Open(client::erp_database::ConnectionStringFor(DemoDatabase()));
    auto list = cnn.Execute(
        "SELECT FInterID, FTranType FROM ICStockBill WHERE FTranType = 24 ORDER BY FInterID "
        "LIMIT 3");
    ASSERT_EQ(list->RecordCount(), 3);
    client::Bills bills("QzBills.Bills");
    bills.LocalCnn = client::erp_database::ConnectionStringFor(DemoDatabase());
    bills.ListRecordset = list;
    bills.Show(24, 1);
    auto bill = bills.BillReturn.As<client::BillWindow>();
    ASSERT_TRUE(bill);
    desktop.Backend().Refresh();
    auto* window = desktop.Backend().WindowOf(*bill);
    ASSERT_NE(window, nullptr);
    desktop.Backend().TakeScreenshots("bill window");

    // Captions and words, names for ids, a headed table of the entry lines.
    EXPECT_EQ(HeadValue(*window, "单据类型"), "生产领料");
    EXPECT_TRUE(QStringList({"已审核", "未审核"}).contains(HeadValue(*window, "状态")));
    EXPECT_TRUE(
        QStringList({"张三", "李四", "王五", "赵六"}).contains(HeadValue(*window, "制单人")))
        << "a name, not a user id";
    auto* entries = window->findChild<QTableWidget*>();
    ASSERT_NE(entries, nullptr);
    EXPECT_GE(entries->rowCount(), 1);
    EXPECT_EQ(entries->horizontalHeaderItem(0)->text(), "行号");
    EXPECT_GE(ColumnOf(*entries, "物料名称"), 0);
    EXPECT_FALSE(Button(*window, "|<")->isEnabled()) << "on the first bill";

    // Paging: the next bill, then the last, then back to the first.
    const QString first = HeadValue(*window, "单据编号");
    QTest::mouseClick(Button(*window, ">"), Qt::LeftButton);
    EXPECT_EQ(bill->Position(), 2);
    EXPECT_NE(HeadValue(*window, "单据编号"), first);
    EXPECT_TRUE(window->windowTitle().contains(HeadValue(*window, "单据编号")));
    QTest::mouseClick(Button(*window, ">|"), Qt::LeftButton);
    EXPECT_EQ(bill->Position(), 3);
    EXPECT_FALSE(Button(*window, ">")->isEnabled()) << "on the last bill";
    QTest::mouseClick(Button(*window, "|<"), Qt::LeftButton);
    EXPECT_EQ(HeadValue(*window, "单据编号"), first);

    window->close();  // the close box
    EXPECT_TRUE(client::OpenBillWindows().empty());
}

TEST(BillForms, TheBillListSortsByAHeadingAndNarrowsAsThePersonTypes) {
    DesktopSession desktop("bill_list");
    auto& session = desktop.Session();
    auto tracker = session.CreateICMOQuery();
    auto selection = harness::SelectTaskOrders(*harness::OpenErpDatabase(DemoDatabase()), "CJ", {});
    ASSERT_TRUE(session.StartEmbedded(tracker, selection.bills, selection.status));
    auto viewer = session.Viewer();
    desktop.Backend().Refresh();
    QString chosen;
    WhenShown(desktop.Backend(), "frmList", [&](qtgui::FormWindow& list) {
        auto* table = list.findChild<QTableWidget*>();
        const int number = table ? ColumnOf(*table, "任务单号") : -1;
        const int quantity = table ? ColumnOf(*table, "计划生产数量") : -1;
        if (number < 0 || quantity < 0 || table->rowCount() < 4) {
            ADD_FAILURE() << "the list shows no task orders under their captions";
            return QTest::mouseClick(Button(list, "退出"), Qt::LeftButton);
        }
        EXPECT_GE(ColumnOf(*table, "制单人"), 0);
        EXPECT_GE(ColumnOf(*table, "状态"), 0);

        // Two clicks on the heading: largest quantity first, compared as numbers.
        auto* header = table->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(quantity) + 5, 5);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        EXPECT_TRUE(Descending(Column(*table, quantity)));

        // Typing narrows the rows to the bill numbers that hold the text.
        auto* search = list.findChild<QLineEdit*>();
        QTest::keyClicks(search, "WORK00001");
        QTest::qWait(400);
        ASSERT_GE(table->rowCount(), 1);
        for (const auto& text : Column(*table, number)) EXPECT_TRUE(text.contains("WORK00001"));
        EXPECT_TRUE(Descending(Column(*table, quantity))) << "still sorted";

        // The row picked in the sorted table is the bill taken.
        table->selectRow(0);
        chosen = table->item(0, number)->text();
        QTest::mouseClick(Button(list, "确定"), Qt::LeftButton);
    });
    QTest::keyClick(
        qtgui::QtViewerFace::Of(*viewer)->ExistingWidget()->OwnBar().TextBoxOf("txtSelectBills"),
        Qt::Key_F7);
    desktop.Backend().Refresh();
    ASSERT_FALSE(chosen.isEmpty());
    const auto model = viewer->GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 2) << "the root and the order chosen";
    EXPECT_EQ(QString::fromStdString(model->NodeItem(2)->Text), chosen);
}

TEST(BillForms, TheExportOrderLookUpAndItsFilterAreDrawnAndAnswered) {
    DesktopSession desktop("class_look_up");
    auto source = std::make_shared<client::DataSrv>();
    source->ClassTypeID = 1007100;
    WhenShown(desktop.Backend(), "frmClassFilter", [](qtgui::FormWindow& filter) {
        for (auto* choice : filter.findChildren<QRadioButton*>()) {
            if (choice->text() == "整单") choice->click();
        }
        QTest::mouseClick(Button(filter, "确定"), Qt::LeftButton);
    });
    ASSERT_TRUE(source->showfilter());
    EXPECT_EQ(automation::CStr(source->Filter->Item("SelectPage")), ",1,3,") << "whole bills";

    client::BillLookUp lookUp;
    lookUp.ClassTypeID = 1007100;
    lookUp.DataSrv = source;
    QString chosen;
    WhenShown(desktop.Backend(), "frmBillLookUp", [&](qtgui::FormWindow& list) {
        auto* table = list.findChild<QTableWidget*>();
        const int number = table ? ColumnOf(*table, "订单编号") : -1;
        if (number < 0 || table->rowCount() < 2) {
            ADD_FAILURE() << "the look-up shows no orders under their captions";
            return QTest::mouseClick(Button(list, "退出"), Qt::LeftButton);
        }
        EXPECT_GE(ColumnOf(*table, "客户"), 0);
        EXPECT_EQ(ColumnOf(*table, "行号"), -1) << "whole orders have no lines";
        // Typing hides the orders whose texts do not hold what was typed.
        QTest::keyClicks(list.findChild<QLineEdit*>(), table->item(1, number)->text());
        QTest::qWait(400);
        int shown = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->isRowHidden(row)) continue;
            ++shown;
            chosen = table->item(row, number)->text();
            table->selectRow(row);
        }
        EXPECT_EQ(shown, 1);
        QTest::mouseClick(Button(list, "确定"), Qt::LeftButton);
    });
    ASSERT_TRUE(lookUp.Lookup());
    ASSERT_EQ(lookUp.VectReturn->Count(), 1);
    const auto row = lookUp.VectReturn->Item(1).As<automation::Dictionary>();
    EXPECT_EQ(QString::fromStdString(automation::CStr(row->Item("FBillNo"))), chosen);
}
