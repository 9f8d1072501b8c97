// The windows a modal tracker opens, used as a person uses them: each kind comes to the front,
// takes clicks, pages and closes, and the tracker takes clicks again afterwards. Clicks and close
// boxes go through the window system (QTEST_QPA_MOUSE_HANDLING), where Qt drops what a modal
// window shuts out, as it does for a person's mouse.

#define QTEST_QPA_MOUSE_HANDLING
#include "desktop_fixture.h"

#include <components/bills/bill_window.h>
#include <components/bills/gl_view.h>
#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <harness/erp_database_open.h>
#include <harness/task_order_selection.h>

#include <QAction>
#include <QPushButton>
#include <QToolBar>
#include <QTreeView>
#include <QWindow>

using namespace desktop_test;

namespace {

void Click(QWidget* widget, QPoint at = {}) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

QPushButton* ButtonOf(QWidget& window, const QString& caption) {
    for (auto* button : window.findChildren<QPushButton*>()) {
        if (button->text() == caption) return button;
    }
    return nullptr;
}

QWidget* ToolButtonOf(qtgui::TraceViewerWidget& widget, const std::string& tool) {
    const auto& bar = widget.HostBar();
    return bar.ToolBarOf("bndToolbar")->widgetForAction(bar.ActionOf(tool, "bndToolbar"));
}

// The first detail node of the shown order that lists two bills or more, opened; 0 for none.
int NodeWithBills(harness::HeadlessSession& session) {
    auto detail = session.Viewer()->GetDetailModel();
    for (int node = 1; detail && node <= detail->Count(); ++node) {
        session.ExpandDetail(std::to_string(node));
        if (detail->Item(node)->RowCount() > 2) return node;  // bills and their totals row
    }
    return 0;
}

}  // namespace

TEST(ChildWindows, EveryWindowAModalTrackerOpensComesToTheFrontTakesClicksAndCloses) {
    DesktopSession desktop("ChildWindows");
    auto& session = desktop.Session();
    auto& backend = desktop.Backend();
    qtgui::FormWindow* tracker = nullptr;
    qtgui::TraceViewerWidget* widget = nullptr;
    auto selectOrder = [&](int node) {
        QTreeView* tree = widget->NavigationTree();
        const QModelIndex order =
            widget->NavigationItems().index(node - 2, 0, widget->NavigationItems().index(0, 0));
        Click(tree->viewport(), tree->visualRect(order).center());
        session.AdvanceTime(500);
        backend.Refresh();
        EXPECT_EQ(session.Viewer()->SelectedNavigationNode()->Index(), node) << "a tracker click";
    };
    // `open` opens a window; the person waits until it is in front. It belongs to the tracker
    // without being modal, opens centred on it, pages (a bill window) and closes with its close
    // box.
    using Opened = std::function<std::shared_ptr<windowing::Form>()>;
    auto useWindow = [&](const std::string& kind, const std::function<void()>& open,
                         const Opened& opened) {
        open();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            auto* window = opened() ? backend.WindowOf(*opened()) : nullptr;
            return window && window->isVisible() && QApplication::activeWindow() == window;
        })) << kind
            << " comes to the front";
        auto form = opened();
        auto* window = backend.WindowOf(*form);
        EXPECT_EQ(window->parentWidget(), tracker) << kind;
        EXPECT_EQ(window->windowModality(), Qt::NonModal) << kind;
        const QPoint offset = window->frameGeometry().center() - tracker->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << kind << " opens centred on the tracker";
        backend.TakeScreenshots(kind);
        if (auto bill = std::dynamic_pointer_cast<client::BillWindow>(form)) {
            Click(ButtonOf(*window, ">|"));
            EXPECT_EQ(bill->Position(), bill->RowCount()) << kind << " takes clicks";
        }
        window->windowHandle()->close();
        EXPECT_FALSE(form->IsLoaded()) << kind << " closes";
    };
    const Opened newestBill = [] {
        auto bills = client::OpenBillWindows();
        return bills.empty() ? nullptr : std::shared_ptr<windowing::Form>(bills.back());
    };
    const Opened itemView = [] {
        const auto& views = client::ItemViewHistory();
        return views.empty() ? nullptr : std::shared_ptr<windowing::Form>(views.back());
    };

    bool usedToTheEnd = false;
    std::function<void()> person = [&] {  // inside the tracker's modal loop, once it runs
        tracker = backend.WindowOf("frmICMOQuery");
        if (!tracker || !tracker->Form()->IsModal()) return QTimer::singleShot(10, person);
        widget = qtgui::QtViewerFace::OfForm(tracker->Form().get())->ExistingWidget();
        tracker->setGeometry(60, 60, 720, 520);  // within the screen, so that centring shows
        selectOrder(5);                          // an order with bills and a BOM
        useWindow(
            "bill by double click",
            [&] {
                const int node = NodeWithBills(session);
                ASSERT_GT(node, 0) << "a detail node of the order lists two bills or more";
                backend.Refresh();
                auto& items = widget->DetailItems();
                const QRect row =
                    widget->DetailTree()->visualRect(items.index(2, 0, items.index(node - 1, 0)));
                QTest::mouseDClick(widget->DetailTree()->viewport(), Qt::LeftButton, {},
                                   row.center());
            },
            newestBill);
        for (const std::string tool : {"btnBill", "btnBOM"})
            useWindow(
                tool, [&] { Click(ToolButtonOf(*widget, tool)); }, newestBill);
        selectOrder(3);  // an order with a routing
        useWindow(
            "btnRouting", [&] { Click(ToolButtonOf(*widget, "btnRouting")); }, newestBill);
        useWindow(
            "btnItem", [&] { Click(ToolButtonOf(*widget, "btnItem")); }, itemView);
        selectOrder(6);
        usedToTheEnd = true;
        tracker->windowHandle()->close();
    };
    QTimer::singleShot(0, person);
    // A window that is stuck fails the test instead of hanging it.
    QTimer::singleShot(20000, [] {
        for (const auto& form : windowing::LoadedForms()) form->Unload();
    });
    const auto orders =
        harness::SelectTaskOrders(*harness::OpenErpDatabase(DemoDatabase()), "CJ", {});
    auto icmo = session.CreateICMOQuery();
    icmo->InitTrack(nullptr, 0, nullptr, orders.bills, orders.status);  // modal
    EXPECT_TRUE(usedToTheEnd);
    EXPECT_TRUE(backend.Failures().empty()) << backend.Failures().front();
}
