// A print in English, where captions and values are longest, painted onto a device that keeps
// every text: no value is elided or cut, none leaves the page or runs into its neighbour, captions
// wrap instead; a table too wide for a portrait page turns the page to landscape, and one too wide
// even for that is split into column groups.

#include "desktop_fixture.h"
#include "recording_device.h"

#include <components/viewer/viewer_document.h>
#include <faces/qt/output/print_document.h>
#include <faces/qt/output/print_painter.h>
#include <harness/erp_database_open.h>
#include <harness/task_order_selection.h>

#include <QBuffer>
#include <QPdfWriter>

using namespace desktop_test;
using trackquery::DetailModel;

namespace {

// The print of a task order with every tracked kind open, in an English session.
qtgui::PrintDocument EnglishTaskOrderPrint() {
    harness::HeadlessSessionOptions options;
    options.databasePath = DemoDatabase();
    options.language = "EN";
    harness::HeadlessSession session(options);
    auto selection = harness::SelectTaskOrders(*harness::OpenErpDatabase(DemoDatabase()), "CJ", {});
    auto tracker = session.CreateICMOQuery();
    EXPECT_TRUE(session.StartEmbedded(tracker, selection.bills, selection.status));
    session.ClickNavigationNode(2);
    session.AdvanceTime(500);
    const auto viewer = session.Viewer();
    for (int node = 1; node <= viewer->GetDetailModel()->Count(); ++node)
        session.ExpandDetail(std::to_string(node));
    const auto head = viewer->GetHeadModel();
    return qtgui::BuildPrintDocument("Production Task Order Full-course Tracking", "2026-05-01",
                                     viewer->NavigationTitle(), viewer->HeadTitle(), head->Lines(),
                                     viewer->DetailTitle(), viewer->GetDetailModel().get());
}

// A table of `columns` columns of long English texts.
qtgui::PrintDocument WideTable(int columns) {
    auto node = std::make_shared<trackquery::DetailNode>();
    node->Key = "-24";
    for (int c = 0; c < columns; ++c) {
        auto column = std::make_shared<trackquery::DetailColumn>();
        column->Key = "F" + std::to_string(c);
        column->Caption = "Planned quantity of column " + std::to_string(c);
        column->Align = c % 3;
        node->AddColumn(column);
    }
    for (int r = 0; r < 3; ++r) {
        auto row = std::make_shared<trackquery::DetailRow>();
        for (int c = 0; c < columns; ++c)
            row->AddCell("F" + std::to_string(c)).Text =
                "Approved value " + std::to_string(r * 100 + c);
        node->AddRow(row);
    }
    node->IsExpanded = true;
    DetailModel model;
    model.Add(node);
    return qtgui::BuildPrintDocument("Production Task Order Full-course Tracking", "2026-05-01",
                                     "WORK000004", "WORK000004", {"Task order:WORK000004"},
                                     "Detailed Tracking Information", &model);
}

bool Contains(const std::vector<PaintedText>& runs, const std::string& text) {
    return std::any_of(runs.begin(), runs.end(), [&](const auto& run) { return run.text == text; });
}

bool ContainsPiece(const std::vector<PaintedText>& runs, const std::string& piece) {
    return std::any_of(runs.begin(), runs.end(),
                       [&](const auto& run) { return run.text.find(piece) != std::string::npos; });
}

QPageLayout::Orientation OrientationOfPdf(const qtgui::PrintDocument& document) {
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter writer(&sink);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    qtgui::PaintDocument(writer, document);
    return writer.pageLayout().orientation();
}

}  // namespace

TEST(PrintLayout, AnEnglishPrintShowsEveryValueWholeOnThePage) {
    const struct {
        const char* name;
        qtgui::PrintDocument document;
    } prints[] = {{"task order", EnglishTaskOrderPrint()}, {"wide table", WideTable(14)}};
    for (const auto& print : prints) {
        SCOPED_TRACE(print.name);
        RecordingDevice device;
        const int pages = qtgui::PaintPages(device, QSizeF(device.width(), device.height()),
                                            print.document, [&device] { device.NewPage(); });
        EXPECT_GE(pages, 1);
        const auto runs = device.Runs();
        ASSERT_GT(runs.size(), 20u);
        for (size_t i = 0; i < runs.size(); ++i) {
            const auto& run = runs[i];
            EXPECT_EQ(run.text.find("\xE2\x80\xA6"), std::string::npos) << "elided: " << run.text;
            EXPECT_GE(run.x, -0.5) << run.text;
            EXPECT_LE(run.x + run.width, RecordingDevice::kWidth + 0.5)
                << "off the page: " << run.text;
            const bool sameLine = i + 1 < runs.size() && runs[i + 1].page == run.page &&
                                  runs[i + 1].baseline == run.baseline;
            if (sameLine) {
                EXPECT_LE(run.x + run.width, runs[i + 1].x + 0.5)
                    << run.text << " runs into " << runs[i + 1].text;
            }
        }
        size_t values = 0;
        for (const auto& line : print.document.lines) {
            for (const auto& text : line.texts) {
                if (text.empty()) continue;
                if (line.kind == qtgui::PrintLine::Kind::Heading) {
                    // A caption may wrap: each of its words is painted whole.
                    for (const auto& word : QString::fromStdString(text).split(' '))
                        EXPECT_TRUE(ContainsPiece(runs, word.toStdString())) << text;
                } else {
                    ++values;
                    EXPECT_TRUE(Contains(runs, text)) << "not painted whole: " << text;
                }
            }
        }
        EXPECT_GT(values, 20u);
    }
}

TEST(PrintLayout, ATableTooWideForPortraitTurnsThePageToLandscape) {
    EXPECT_EQ(OrientationOfPdf(WideTable(3)), QPageLayout::Portrait);
    EXPECT_EQ(OrientationOfPdf(WideTable(7)), QPageLayout::Landscape);
    // Too wide even for landscape: split into groups that each repeat the first column.
    const auto wide = WideTable(14);
    RecordingDevice device;
    qtgui::PaintPages(device, QSizeF(device.width(), device.height()), wide,
                      [&device] { device.NewPage(); });
    const auto runs = device.Runs();
    const auto repeated = std::count_if(
        runs.begin(), runs.end(), [](const auto& run) { return run.text == "Approved value 0"; });
    EXPECT_GE(repeated, 3) << "the first column heads each group";
}
