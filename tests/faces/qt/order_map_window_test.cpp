// The document map in a desktop window: opened from the task order tracker's bar, drawn with a
// box per bill (its details on hover), zoomed, fitted, and exported as SVG, PNG and PDF into new
// files.

#include "desktop_fixture.h"

#include <components/order_map/order_map_window.h>
#include <faces/qt/order_map/order_map_widget.h>
#include <harness/erp_database_open.h>
#include <harness/task_order_selection.h>

#include <QGraphicsItem>

#include <fstream>
#include <sstream>

using namespace desktop_test;

namespace {

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(OrderMapWindow, OpensFromTheTrackerDrawsEveryBillAndExportsSvgPngAndPdf) {
    DesktopSession desktop("OrderMapWindow");
    qtgui::RegisterOrderMapForm(desktop.Output(), false);
    auto& session = desktop.Session();
    auto selection = harness::SelectTaskOrders(*harness::OpenErpDatabase(DemoDatabase()), "CJ", {});
    ASSERT_TRUE(
        session.StartEmbedded(session.CreateICMOQuery(), selection.bills, selection.status));
    desktop.Backend().Refresh();
    ASSERT_TRUE(session.ClickTool("btnOrderMap"));
    desktop.Backend().Refresh();

    ASSERT_FALSE(client::OrderMapWindows().empty());
    const client::OrderMap& map = client::OrderMapWindows().back()->Map();
    ASSERT_FALSE(map.boxes.empty());
    auto* window = desktop.Backend().WindowOf("frmOrderMap");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    auto* widget = window->findChild<qtgui::OrderMapWidget*>();
    ASSERT_NE(widget, nullptr);

    // A box per bill, each with its details for the hover.
    int boxes = 0;
    for (const QGraphicsItem* item : widget->Scene().items()) {
        if (item->data(0).isValid() && !item->parentItem()) {
            ++boxes;
            EXPECT_FALSE(item->toolTip().isEmpty());
        }
    }
    EXPECT_EQ(boxes, static_cast<int>(map.boxes.size()));

    // Zoom and fit change the view's scale; fit shows the whole map.
    widget->FitToWindow();
    const double fitted = widget->View().transform().m11();
    widget->ZoomBy(2);
    EXPECT_DOUBLE_EQ(widget->View().transform().m11(), fitted * 2);

    const fs::path svg = widget->WriteFile(qtgui::MapFormat::Svg);
    const std::string text = FileText(svg);
    EXPECT_EQ(svg.extension(), ".svg");
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find(map.boxes.front().number), std::string::npos) << "the texts are text";
    EXPECT_EQ(FileText(widget->WriteFile(qtgui::MapFormat::Png)).substr(1, 3), "PNG");
    EXPECT_EQ(FileText(widget->WriteFile(qtgui::MapFormat::Pdf)).substr(0, 5), "%PDF-");
    // A second export never replaces the first.
    const fs::path again = widget->WriteFile(qtgui::MapFormat::Svg);
    EXPECT_NE(again, svg);
    EXPECT_TRUE(fs::exists(svg));
    client::ClearOrderMaps();
}
