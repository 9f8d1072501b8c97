// The parts of the detail pane that need no window: the table the clipboard takes, the column
// widths kept per kind of node, the line of a node opened without rows, and colours that stay
// readable on a dark theme.

#include <faces/qt/trace_viewer/detail_columns.h>
#include <faces/qt/trace_viewer/detail_copy.h>
#include <faces/qt/trace_viewer/detail_item_model.h>
#include <faces/qt/trace_viewer/view_colours.h>

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace qtgui;
using namespace trackquery;

namespace {

DetailNodePtr Kind(const std::string& key, const std::vector<std::string>& captions) {
    auto node = std::make_shared<DetailNode>();
    node->Key = key;
    for (const auto& caption : captions) {
        auto column = std::make_shared<DetailColumn>();
        column->Key = "F" + std::to_string(node->ColumnCount());
        column->Caption = caption;
        node->AddColumn(column);
    }
    return node;
}

DetailRowPtr AddRow(const DetailNodePtr& node, const std::vector<std::string>& cells) {
    auto row = std::make_shared<DetailRow>();
    for (size_t i = 0; i < cells.size(); ++i) {
        row->AddCell("F" + std::to_string(i)).Text = cells[i];
    }
    node->AddRow(row);
    return row;
}

double Luminance(const QColor& colour) {
    auto channel = [](double value) {
        value /= 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double x = Luminance(a), y = Luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

}  // namespace

TEST(DetailCopy, RowsAndNodesBecomeATableWithTheCaptionsOfEachKind) {
    auto issues = Kind("-24", {"生产领料单", "数量"});
    auto first = AddRow(issues, {"SOUT000001", "220.00"});
    auto second = AddRow(issues, {"SOUT000002", "1\t2\n3"});
    auto receipts = Kind("-2", {"产品入库单", "日期"});
    auto receipt = AddRow(receipts, {"CIN000005", "2026-04-16"});
    auto summary = Kind("SumHead", {"订单汇总信息"});
    summary->AddRow(receipts);

    struct Case {
        std::vector<automation::ObjectPtr> items;
        std::string text;
    };
    const Case cases[] = {
        {{first, second},
         "生产领料单\t数量\nSOUT000001\t220.00\nSOUT000002\t1 2 3\n"},  // a cell stays one cell
        {{first, receipt},
         "生产领料单\t数量\nSOUT000001\t220.00\n产品入库单\t日期\nCIN000005\t2026-04-16\n"},
        {{issues, second},  // the node brings its rows, once
         "生产领料单\t数量\nSOUT000001\t220.00\nSOUT000002\t1 2 3\n"},
        {{summary}, "订单汇总信息\n产品入库单\t日期\nCIN000005\t2026-04-16\n"},
        {{Kind("-85", {"生产任务单"})}, "生产任务单\n"},  // no rows: its captions
        {{}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DetailCopyText(c.items), c.text);
}

TEST(DetailColumns, EveryNodeOfAKindKeepsTheWidthsItsKindWasGiven) {
    const QFontMetrics metrics{QFont()};
    auto issues = Kind("-24", {"生产领料单", "数量"});
    AddRow(issues, {"SOUT000001", "220.00"});
    DetailColumnWidths widths;
    EXPECT_FALSE(widths.FitNewColumns(*Kind("-24", {"生产领料单", "数量"}), metrics))
        << "a node without rows gives its kind no widths yet";
    ASSERT_TRUE(widths.FitNewColumns(*issues, metrics));
    const auto fitted = widths.Layout(*issues);
    ASSERT_EQ(fitted.size(), 2u);
    EXPECT_GE(fitted[0], metrics.horizontalAdvance("SOUT000001"));

    // Another node of the kind, with much longer values, takes the widths as they are.
    auto later = Kind("-24", {"生产领料单", "数量"});
    AddRow(later, {"SOUT000002-A-VERY-LONG-NUMBER", "1,000,000,000.00"});
    EXPECT_FALSE(widths.FitNewColumns(*later, metrics));
    EXPECT_EQ(widths.Layout(*later), fitted);

    widths.SetUserWidth(*later, 1, 3);
    EXPECT_EQ(widths.Layout(*issues)[1], DetailColumnWidths::kMinimum) << "never narrower";
    widths.SetUserWidth(*later, 1, 150);
    EXPECT_EQ(widths.Layout(*issues)[1], 150);
    const auto remembered = widths.UserWidths();
    ASSERT_EQ(remembered.size(), 1u) << "only what the user set is remembered";

    DetailColumnWidths restarted;
    restarted.RestoreUserWidths(remembered);
    EXPECT_EQ(restarted.Layout(*issues)[1], 150);
    EXPECT_EQ(restarted.Layout(*issues)[0], DetailColumnWidths::kDefault);
}

TEST(DetailItems, ANodeOpenedWithoutRowsSaysSoAndOnlyNodesAndRowsTakeTheSelection) {
    auto model = std::make_shared<DetailModel>();
    auto empty = Kind("-85", {"生产任务单"});
    auto issues = Kind("-24", {"生产领料单"});
    AddRow(issues, {"SOUT000001"});
    model->Add(empty);
    model->Add(issues);
    DetailItemModel items;
    items.SetEmptyText("（无单据）");
    items.Sync(model);
    EXPECT_EQ(items.rowCount(items.index(0, 0)), 0) << "not opened yet";
    empty->IsExpanded = true;
    empty->FillStatus = 2;
    ASSERT_TRUE(items.Sync(model));
    const QModelIndex line = items.index(0, 0, items.index(0, 0));
    EXPECT_EQ(items.KindOf(line), DetailItemModel::Kind::Empty);
    EXPECT_EQ(line.data().toString(), QString("（无单据）"));
    EXPECT_EQ(items.PathOf(line), "");
    EXPECT_EQ(items.flags(line), Qt::NoItemFlags);
    const QModelIndex heading = items.index(0, 0, items.index(1, 0));
    EXPECT_EQ(items.flags(heading), Qt::NoItemFlags) << "the keys pass over a heading";
    EXPECT_TRUE(items.flags(items.index(1, 0, items.index(1, 0))) & Qt::ItemIsSelectable);
}

TEST(ViewColours, TextsStayReadableOnADarkThemeAndOnAChosenGround) {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 44));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(28, 28, 30));
    dark.setColor(QPalette::Text, QColor(225, 225, 225));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    const ViewColours colours = ColoursOf(dark);
    EXPECT_GE(Contrast(colours.titleGround, dark.color(QPalette::WindowText)), 4.5);
    EXPECT_GE(Contrast(colours.nodeGround, dark.color(QPalette::Text)), 4.5);
    EXPECT_GE(Contrast(colours.totalGround, dark.color(QPalette::Text)), 4.5);

    // The trackers' row colour, a dark grey, is lightened on the dark ground.
    const QColor rows(0x66, 0x66, 0x56);
    EXPECT_LT(Contrast(rows, dark.color(QPalette::Base)), 4.5);
    EXPECT_GE(Contrast(Readable(rows, dark.color(QPalette::Base)), dark.color(QPalette::Base)),
              4.5);
    EXPECT_EQ(Readable(rows, QColor(Qt::white)), rows) << "readable as it is on white";

    const QPalette chosen = WithGround(QPalette(), QColor(20, 30, 90));
    EXPECT_GE(Contrast(chosen.color(QPalette::Base), chosen.color(QPalette::Text)), 4.5);
}
