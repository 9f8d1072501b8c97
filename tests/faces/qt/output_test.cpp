// Print and export of the detail tree: page breaks that repeat a node's headings, a PDF with as
// many pages as the lines need and the title and date on each, a workbook whose sheet holds the
// rows with numbers as numbers.

#include "zip_entry.h"

#include <faces/qt/output/print_document.h>
#include <faces/qt/output/print_painter.h>
#include <faces/qt/output/xlsx_export.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>

#include <regex>
#include <string>

using namespace qtgui;
using trackquery::DetailCell;
using trackquery::DetailColumn;
using trackquery::DetailModel;
using trackquery::DetailNode;
using trackquery::DetailRow;

namespace {

std::shared_ptr<DetailColumn> Column(const char* key, const char* caption, const char* type = "",
                                     int32_t align = 0) {
    auto column = std::make_shared<DetailColumn>();
    column->Key = key;
    column->Caption = caption;
    column->CtlType = std::string(type);
    column->Align = align;
    return column;
}

// A node of stock bills with `rows` rows and a totals row, expanded.
std::shared_ptr<DetailNode> StockNode(int rows) {
    auto node = std::make_shared<DetailNode>();
    node->Key = "-24";
    node->AddColumn(Column("FBillNO", "生产领料单"));
    node->AddColumn(Column("FQty", "数量", "1", 1));
    node->AddColumn(Column("FBillInterID", "单据内码"));
    node->Column(3)->Visible = false;
    auto add = [&node](const std::string& number, const std::string& qty, bool total) {
        auto row = std::make_shared<DetailRow>();
        row->IsTotal = total;
        for (auto [key, text] : {std::pair{"FBillNO", number}, std::pair{"FQty", qty}}) {
            row->AddCell(key).Text = text;
        }
        node->AddRow(row);
    };
    for (int i = 1; i <= rows; ++i) add("SOUT" + std::to_string(100000 + i), "1,234.50", false);
    add("合计", "9,999.00", true);
    node->IsExpanded = true;
    node->FillStatus = 1;
    return node;
}

PrintDocument DocumentOf(const DetailModel& model) {
    return BuildPrintDocument("生产任务单全程跟踪", "2026-05-01", "WORK000004", "WORK000004",
                              {"任务单号:WORK000004", "状态:结案"}, "详细跟踪信息", &model);
}

int PdfPages(const std::string& pdf) {
    const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

}  // namespace

TEST(PrintPages, APageBreakAmongANodesRowsRepeatsItsHeadings) {
    DetailModel model;
    model.Add(StockNode(25));
    const auto document = DocumentOf(model);
    // Head title, two head lines, detail title, node, headings, 25 rows, totals: 32 lines.
    ASSERT_EQ(document.lines.size(), 32u);
    const auto pages = Paginate(document, 10);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_FALSE(pages[0].repeatedHeading);
    ASSERT_TRUE(pages[1].repeatedHeading);
    EXPECT_EQ(document.lines[*pages[1].repeatedHeading].kind, PrintLine::Kind::Heading);
    EXPECT_EQ(pages[1].count, 9u) << "the repeated headings take a line of the page";
    size_t printed = 0;
    for (const auto& page : pages) printed += page.count;
    EXPECT_EQ(printed, document.lines.size()) << "every line is printed once";
}

TEST(PrintPages, ANodeLabelIsNotLeftAloneAtTheFootOfAPage) {
    DetailModel model;
    model.Add(StockNode(2));  // 4 head lines, node, headings, 2 rows, totals: 9 lines
    model.Add(StockNode(3));
    const auto document = DocumentOf(model);
    const auto pages = Paginate(document, 10);
    ASSERT_GE(pages.size(), 2u);
    const auto& lastOnFirst = document.lines[pages[0].first + pages[0].count - 1];
    EXPECT_NE(lastOnFirst.kind, PrintLine::Kind::Node);
    EXPECT_EQ(document.lines[pages[1].first].kind, PrintLine::Kind::Node);
}

TEST(PrintPdf, HasAsManyPagesAsTheLinesNeedWithTheTitleOnEach) {
    DetailModel model;
    model.Add(StockNode(300));
    const auto document = DocumentOf(model);
    const std::string pdf = DocumentToPdf(document);
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter probe(&sink);
    probe.setPageSize(QPageSize(QPageSize::A4));
    probe.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    probe.setResolution(300);
    const auto expected = Paginate(document, LinesPerPage(probe)).size();
    EXPECT_GT(expected, 3u);
    EXPECT_EQ(PdfPages(pdf), static_cast<int>(expected));

    DetailModel small;
    small.Add(StockNode(3));
    EXPECT_EQ(PdfPages(DocumentToPdf(DocumentOf(small))), 1);
}

TEST(XlsxExport, TheSheetHoldsTheRowsWithNumbersAsNumbers) {
    DetailModel model;
    model.Add(StockNode(3));
    const std::string workbook =
        DetailModelToXlsx(model, {"生产任务单全程跟踪", "2026-05-01", "WORK000004"});
    ASSERT_EQ(workbook.rfind("PK", 0), 0u);
    const auto sheet = desktop_test::ZipEntry(workbook, "xl/worksheets/sheet1.xml");
    const auto strings = desktop_test::ZipEntry(workbook, "xl/sharedStrings.xml");
    ASSERT_TRUE(sheet && strings);
    for (const char* text : {"生产任务单全程跟踪", "生产领料单", "数量", "SOUT100001", "合计"}) {
        EXPECT_NE(strings->find(text), std::string::npos) << text;
    }
    EXPECT_EQ(strings->find("单据内码"), std::string::npos) << "hidden columns are not exported";
    // Quantities are numbers (no t="s"), four of them: three rows and the total.
    const std::regex number(R"(<c r="B\d+" s="\d+"><v>([0-9.]+)</v></c>)");
    std::vector<std::string> values;
    for (auto it = std::sregex_iterator(sheet->begin(), sheet->end(), number);
         it != std::sregex_iterator(); ++it) {
        values.push_back((*it)[1]);
    }
    EXPECT_EQ(values, (std::vector<std::string>{"1234.5", "1234.5", "1234.5", "9999"}));
    EXPECT_NE(sheet->find("outlineLevel=\"1\""), std::string::npos) << "rows fold under their node";
}

TEST(XlsxExport, OnlyPlainNumbersBecomeNumbers) {
    auto amount = ReadShownNumber("1,234.50");
    ASSERT_TRUE(amount);
    EXPECT_DOUBLE_EQ(amount->value, 1234.5);
    EXPECT_EQ(amount->format, "#,##0.00");
    auto rate = ReadShownNumber("85.5%");
    ASSERT_TRUE(rate);
    EXPECT_DOUBLE_EQ(rate->value, 0.855);
    EXPECT_EQ(rate->format, "0.0%");
    EXPECT_EQ(ReadShownNumber("-3")->value, -3);
    for (const char* text : {"", "0012", "WORK0001", "1.2.3", "12.", "-", "1,2a"}) {
        EXPECT_FALSE(ReadShownNumber(text)) << text;
    }
}

// A cell text a spreadsheet would run as a formula is a string of the sheet, never a formula.
TEST(XlsxExport, TextThatLooksLikeAFormulaIsAStringNotAFormula) {
    auto node = StockNode(2);
    const char* const texts[] = {"=1+2", "@SUM(A1)"};
    for (int i = 1; i <= 2; ++i) {
        std::dynamic_pointer_cast<DetailRow>(node->Row(i))->Cell("FBillNO")->Text = texts[i - 1];
    }
    DetailModel model;
    model.Add(node);
    const std::string workbook = DetailModelToXlsx(model, {"生产任务单全程跟踪", "2026-05-01", ""});
    const auto sheet = desktop_test::ZipEntry(workbook, "xl/worksheets/sheet1.xml");
    const auto strings = desktop_test::ZipEntry(workbook, "xl/sharedStrings.xml");
    ASSERT_TRUE(sheet && strings);
    EXPECT_EQ(sheet->find("<f>"), std::string::npos) << *sheet;
    for (const char* text : texts) EXPECT_NE(strings->find(text), std::string::npos) << text;
}
