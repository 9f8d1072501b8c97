// The whole view as text.

#include <support/model_builders.h>

#include <faces/text/bar_text.h>
#include <faces/text/view_renderer.h>

#include <components/viewer/viewer_document.h>

#include <platform/automation/display_width.h>

#include <gtest/gtest.h>

namespace textface::testing {
namespace {

using namespace trackquery::testing;

using client::ViewerDocument;
using trackquery::DetailNode;
using trackquery::DetailRow;

class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        viewer.SetNavigationTitle("生产任务单(2)");
        viewer.SetNavigationModel(MakeNavigation());
        viewer.SelectNavigationNode(2, false);
        viewer.SetHeadTitle("MO-001");
        viewer.SetHeadModel(MakeHead("单据编号：MO-001"));
        viewer.SetDetailTitle("详细跟踪信息");
        viewer.SetDetailModel(MakeDetail());
    }

    ViewerDocument viewer;
};

TEST_F(RenderTest, ASmallTreeRendersAllThreePanes) {
    viewer.GetDetailModel()->Item(1)->IsExpanded = true;
    const std::string expected =
        "== 生产任务单(2) ==\n"
        "  生产任务单\n"
        ">   MO-001\n"
        "    MO-002\n"
        "== MO-001 ==\n"
        "  单据编号：MO-001\n"
        "== 详细跟踪信息 ==\n"
        " [-] 生产任务单\n"
        "       生产任务单 | 数量\n"
        "       WORK001    | 1,000.00\n"
        "       WORK002    | 20.50\n"
        "   [=] 合计       | 1,020.50\n"
        " [+] 工序汇报\n";
    EXPECT_EQ(RenderView(viewer), expected);
}

TEST_F(RenderTest, HiddenColumnsAreNotShown) {
    viewer.GetDetailModel()->Item(1)->IsExpanded = true;
    const auto text = RenderView(viewer);
    EXPECT_EQ(text.find("单据内码"), std::string::npos);
    EXPECT_EQ(text.find(" 11"), std::string::npos);
    viewer.GetDetailModel()->Item(1)->Column(3)->Visible = true;
    EXPECT_NE(RenderView(viewer).find("单据内码"), std::string::npos);
}

TEST_F(RenderTest, CollapsedNodesHideTheirRows) {
    EXPECT_EQ(RenderView(viewer).find("WORK001"), std::string::npos);
}

TEST_F(RenderTest, AnAlertTitleIsMarked) {
    viewer.SetHeadTitleAlert(true);
    EXPECT_NE(RenderView(viewer).find("== !! MO-001 =="), std::string::npos);
}

TEST_F(RenderTest, TheSelectedDetailRowIsMarked) {
    viewer.GetDetailModel()->Item(1)->IsExpanded = true;
    viewer.SelectDetail("1.2");
    EXPECT_NE(RenderView(viewer).find(">      WORK002"), std::string::npos);
}

TEST_F(RenderTest, AnExpandedRowShowsItsChildNodesBelowIt) {
    auto node = viewer.GetDetailModel()->Item(1);
    node->IsExpanded = true;
    auto row = std::dynamic_pointer_cast<DetailRow>(node->Row(1));
    row->CanExpand = true;
    row->IsExpanded = true;
    row->AddChild(MakeKindNode("-502", "工序转移单"));
    const auto text = RenderView(viewer);
    const auto rowAt = text.find("[-] WORK001");
    const auto childAt = text.find("[+] 工序转移单");
    ASSERT_NE(rowAt, std::string::npos);
    ASSERT_NE(childAt, std::string::npos);
    EXPECT_LT(rowAt, childAt);
    EXPECT_LT(childAt, text.find("WORK002"));
}

TEST_F(RenderTest, NodesNestedInPlaceOfRowsAreIndented) {
    auto model = std::make_shared<trackquery::DetailModel>();
    auto head = std::make_shared<DetailNode>();
    head->Key = "SumHead";
    head->IsExpanded = true;
    head->AddColumn(MakeColumn("SumHead", "订单汇总信息"));
    auto data = std::make_shared<DetailNode>();
    data->Key = "SumData";
    data->AddColumn(MakeColumn("FTranType", "执行环节"));
    head->AddRow(data);
    model->Add(head);
    viewer.SetDetailModel(model);
    const auto text = RenderView(viewer);
    EXPECT_NE(text.find(" [-] 订单汇总信息\n   [+] 执行环节\n"), std::string::npos) << text;
}

TEST_F(RenderTest, ViewToolsHideTitlesAndPanes) {
    viewer.GetTool("btnShowTitle")->SetChecked(false);
    auto text = RenderView(viewer);
    EXPECT_EQ(text.find("== "), std::string::npos);
    viewer.GetTool("btnShowSummaryView")->SetChecked(false);
    viewer.GetTool("btnShowDetailView")->SetChecked(false);
    text = RenderView(viewer);
    EXPECT_EQ(text.find("单据编号：MO-001"), std::string::npos);
    EXPECT_EQ(text.find("生产任务单 |"), std::string::npos);
    EXPECT_NE(text.find("MO-002"), std::string::npos);
}

TEST(RenderEmptyTest, AViewerWithoutModelsSaysSo) {
    ViewerDocument viewer;
    EXPECT_EQ(RenderView(viewer),
              "== Navigation ==\n  (empty)\n== Head ==\n  (empty)\n== Detail ==\n  (empty)\n");
}

TEST(RenderMenuBarTest, ListsVisibleBandsAndTools) {
    ViewerDocument viewer;
    viewer.GetTool("txtSelectBills")->SetText("WORK");
    viewer.SetToolsVisible("btnRefresh", false);
    const auto text = ToolsText(*viewer.GetMenuBar(), nullptr);
    EXPECT_NE(text.find("bndfilter: txtSelectBills[WORK] btnSelectBills"), std::string::npos);
    EXPECT_EQ(text.find("btnRefresh"), std::string::npos);
    EXPECT_NE(text.find("btnShowPosition(x)"), std::string::npos);
}

TEST(DisplayWidthTest, WideCharactersCountTwo) {
    EXPECT_EQ(automation::DisplayWidth("abc"), 3);
    EXPECT_EQ(automation::DisplayWidth("数量"), 4);
    EXPECT_EQ(automation::DisplayWidth("合计：1"), 7);
    EXPECT_EQ(automation::DisplayWidth(""), 0);
}

}  // namespace
}  // namespace textface::testing
