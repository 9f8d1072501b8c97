// The head panel of the task order tracker over a fixture database: the title and its overdue or
// missing-order warning, the head lines with status texts and decimals, and the links to the
// order's routing, BOM and item.

#include "trackquery/icmo_tracking/tracker_session.h"

#include <client/middle_tier/failing_middle_tier.h>

#include <trackquery/contracts/head_model.h>

#include <algorithm>

namespace trackquery::testing {
namespace {

class HeadModelTest : public TrackerSession {
  protected:
    // Task order 1 made a released order of 200 pieces with `stock` received, due `finish`.
    static std::vector<std::string> Order1(const std::string& status, double stock,
                                           const std::string& finish) {
        return {"UPDATE ICMO SET FStatus = " + status +
                ", FSuspend = 0, FCancellation = 0, "
                "FQty = 200, FStockQty = " +
                std::to_string(stock) + ", FPlanFinishDate = '" + finish + "' WHERE FInterID = 1"};
    }

    HeadModelPtr Head() const { return Viewer()->GetHeadModel(); }

    // The head line that begins with `caption` followed by the colon, or "<none>".
    std::string LineOf(const std::string& caption) const {
        for (const auto& line : Head()->Lines()) {
            if (line.rfind(caption + ":", 0) == 0) return line;
        }
        return "<none>";
    }
};

// --- Title and overdue warning -------------------------------------------------------------

TEST_F(HeadModelTest, FullyReceivedOrderPastItsDateIsNotOverdue) {
    // 200 of 200 received: 100 percent.
    Open(Order1("1", 200, "2026-05-01"));
    Start({1});
    EXPECT_EQ(Viewer()->HeadTitle(), "WORK000001");
    EXPECT_FALSE(Viewer()->HeadTitleAlert());
}

TEST_F(HeadModelTest, OrderShortOfFullReceiptPastItsDateIsOverdue) {
    // 199 of 200 received: 99.5 percent.
    Open(Order1("1", 199, "2026-05-01"));
    Start({1});
    EXPECT_EQ(Viewer()->HeadTitle(), "WORK000001(拖期)");
    EXPECT_TRUE(Viewer()->HeadTitleAlert());
}

TEST_F(HeadModelTest, ClosedOutOrderIsNeverOverdue) {
    Open(Order1("3", 0, "2026-01-01"));
    Start({1});
    EXPECT_EQ(Viewer()->HeadTitle(), "WORK000001");
    EXPECT_FALSE(Viewer()->HeadTitleAlert());
}

TEST_F(HeadModelTest, OrderDueOnTheServerDateIsNotOverdue) {
    // The fixture's server date is 2026-06-30.
    Open(Order1("1", 0, "2026-06-30"));
    Start({1});
    EXPECT_EQ(Viewer()->HeadTitle(), "WORK000001");
    EXPECT_FALSE(Viewer()->HeadTitleAlert());
}

TEST_F(HeadModelTest, OrderDueTheDayBeforeTheServerDateIsOverdue) {
    Open(Order1("1", 0, "2026-06-29"));
    Start({1});
    EXPECT_EQ(Viewer()->HeadTitle(), "WORK000001(拖期)");
    EXPECT_TRUE(Viewer()->HeadTitleAlert());
}

TEST_F(HeadModelTest, DeletedOrderShowsTheWarningAndCaptionsOnly) {
    Open();
    Start({1, 999999});
    session->ClickNavigationNode(3);
    session->AdvanceTime(500);
    EXPECT_EQ(Viewer()->HeadTitle(), "该任务单不存在或已经被删除,请选择其他任务单。");
    EXPECT_TRUE(Viewer()->HeadTitleAlert());
    EXPECT_EQ(tracker->FInterID(), 0);
    EXPECT_EQ(DetailModelTestAccess::RoutingID(*tracker), 0);
    EXPECT_EQ(DetailModelTestAccess::BOMID(*tracker), 0);
    EXPECT_EQ(DetailModelTestAccess::ItemID(*tracker), 0);
    ASSERT_GT(Head()->LineCount(), 0);
    for (const auto& line : Head()->Lines()) EXPECT_EQ(line.back(), ':') << line;
}

TEST_F(HeadModelTest, RootShowsThePromptWithoutAlertAndCaptionsOnly) {
    Open();
    Start({1});
    const int32_t routing = DetailModelTestAccess::RoutingID(*tracker);
    session->ClickNavigationNode(1);
    EXPECT_EQ(Viewer()->HeadTitle(), "请选择任务单！");
    EXPECT_FALSE(Viewer()->HeadTitleAlert());
    ASSERT_GT(Head()->LineCount(), 0);
    EXPECT_EQ(LineOf("任务单号"), "任务单号:");
    for (const auto& line : Head()->Lines()) EXPECT_EQ(line.back(), ':') << line;
    // No links are recorded for the root: the earlier order's stay as they were.
    EXPECT_EQ(DetailModelTestAccess::RoutingID(*tracker), routing);
    EXPECT_EQ(Viewer()->GetNavigationModel()->NodeItem(1)->ItemData, "\"");
}

// --- Head lines ------------------------------------------------------------------------------

TEST_F(HeadModelTest, LinesShowVisibleFieldsWithTheirValues) {
    Open();
    Start({1});
    EXPECT_EQ(LineOf("任务单号"), "任务单号:WORK000001");
    // Hidden fields (the link ids) get no line.
    EXPECT_EQ(LineOf("物料内码"), "<none>");
    EXPECT_EQ(LineOf("工艺路线内码"), "<none>");
}

TEST_F(HeadModelTest, StatusWordsShowTheirTexts) {
    Open();
    Start({1, 2, 3, 4, 5, 6});
    const std::vector<std::string> expected = {"下达", "计划", "确认", "结案", "挂起", "作废"};
    for (int32_t node = 2; node <= 7; ++node) {
        session->ClickNavigationNode(node);
        session->AdvanceTime(500);
        EXPECT_EQ(LineOf("状态"), "状态:" + expected[node - 2]) << "task order " << node - 1;
    }
}

TEST_F(HeadModelTest, StatusWordOutsideTheListShowsTheCaptionOnly) {
    // Status 4 has no word of its own: the head view gives an empty one.
    Open({"UPDATE ICMO SET FStatus = 4, FSuspend = 0, FCancellation = 0 WHERE FInterID = 1"});
    Start({1});
    EXPECT_EQ(LineOf("状态"), "状态:");
}

TEST_F(HeadModelTest, QuantitiesTakeTheirDecimalsFromTheItem) {
    Open({"UPDATE ICMO SET FQty = 1234.5, FStockQty = 617.25 WHERE FInterID = 1",
          "UPDATE t_ICItem SET FQtyDecimal = 3 WHERE FItemID = (SELECT FItemID FROM ICMO WHERE "
          "FInterID = 1)"});
    Start({1});
    EXPECT_EQ(LineOf("计划生产数量"), "计划生产数量:1,234.500");
    EXPECT_EQ(LineOf("完工入库数量"), "完工入库数量:617.250");
    // Without a decimal source the field's own count of decimals applies (2 for the percentage).
    EXPECT_EQ(LineOf("入库比例(%)"), "入库比例(%):50.00");
}

TEST_F(HeadModelTest, ItemWithoutDecimalsShowsWholeQuantities) {
    Open({"UPDATE ICMO SET FQty = 1500, FStockQty = 0 WHERE FInterID = 1",
          "UPDATE t_ICItem SET FQtyDecimal = 0 WHERE FItemID = (SELECT FItemID FROM ICMO WHERE "
          "FInterID = 1)"});
    Start({1});
    EXPECT_EQ(LineOf("计划生产数量"), "计划生产数量:1,500");
}

// --- Links ---------------------------------------------------------------------------------

TEST_F(HeadModelTest, LinksRecordRoutingBomAndItem) {
    Open(
        {"UPDATE ICMO SET FRoutingID = (SELECT MIN(FInterID) FROM t_Routing), FBOMInterID = "
         "(SELECT MIN(FInterID) FROM ICBOM) WHERE FInterID = 1"});
    Start({1});
    const int64_t routing = Scalar("SELECT FRoutingID FROM ICMO WHERE FInterID = 1");
    const int64_t bom = Scalar("SELECT FBOMInterID FROM ICMO WHERE FInterID = 1");
    const int64_t item = Scalar("SELECT FItemID FROM ICMO WHERE FInterID = 1");
    ASSERT_GT(routing, 0);
    ASSERT_GT(bom, 0);
    EXPECT_EQ(DetailModelTestAccess::RoutingID(*tracker), routing);
    EXPECT_EQ(DetailModelTestAccess::BOMID(*tracker), bom);
    EXPECT_EQ(DetailModelTestAccess::ItemID(*tracker), item);
    // The head fields name the item, then the BOM, then the routing.
    EXPECT_EQ(Viewer()->GetNavigationModel()->NodeItem(2)->ItemData,
              "1Item" + std::to_string(item) + ":IBom" + std::to_string(bom) + ":Rout" +
                  std::to_string(routing) + ":");
}

TEST_F(HeadModelTest, RebuildingTheHeadRewritesTheLinksInsteadOfAppending) {
    Open();
    Start({1, 2});
    auto node = Viewer()->GetNavigationModel()->NodeItem(2);
    const std::string once = node->ItemData;
    ASSERT_NE(once.find("Item"), std::string::npos);
    int32_t id = 1;
    ASSERT_TRUE(DetailModelTestAccess::CreateHeadModel(*tracker, id));
    ASSERT_TRUE(DetailModelTestAccess::CreateHeadModel(*tracker, id));
    EXPECT_EQ(node->ItemData, once);
    EXPECT_EQ(std::count(node->ItemData.begin(), node->ItemData.end(), ':'), 3);
}

TEST_F(HeadModelTest, OrderWithoutRoutingRecordsZero) {
    Open({"UPDATE ICMO SET FRoutingID = 0 WHERE FInterID = 2",
          "UPDATE ICMO SET FRoutingID = (SELECT MIN(FInterID) FROM t_Routing) WHERE FInterID = 1"});
    Start({1, 2});
    ASSERT_GT(DetailModelTestAccess::RoutingID(*tracker), 0);
    session->ClickNavigationNode(3);
    session->AdvanceTime(500);
    EXPECT_EQ(DetailModelTestAccess::RoutingID(*tracker), 0);
    EXPECT_NE(Viewer()->GetNavigationModel()->NodeItem(3)->ItemData.find("Rout0:"),
              std::string::npos);
}

// --- Failures ------------------------------------------------------------------------------

TEST_F(HeadModelTest, MissingFieldDefinitionsKeepThePanelAndSaySo) {
    Open();
    Start({1, 2});
    const HeadModelPtr before = Head();
    const std::string title = Viewer()->HeadTitle();
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetQueryFields");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    int32_t id = 2;
    EXPECT_FALSE(DetailModelTestAccess::CreateHeadModel(*tracker, id));
    EXPECT_EQ(Head(), before);
    EXPECT_EQ(Viewer()->HeadTitle(), title);
    const auto messages = session->Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "没有任务单信息。");
}

TEST_F(HeadModelTest, AFailingOrderReadIsRaisedWithTheProcedureInTheSource) {
    Open();
    Start({1, 2});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOQuery", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    int32_t id = 2;
    try {
        DetailModelTestAccess::CreateHeadModel(*tracker, id);
        FAIL() << "the failure was swallowed";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Source().rfind("QzICMOTrackQuery.CICMOQuery.CreateHeadModel\r\n", 0), 0u)
            << error.Source();
    }
}

}  // namespace
}  // namespace trackquery::testing
