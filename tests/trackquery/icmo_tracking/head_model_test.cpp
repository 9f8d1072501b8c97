// The head panel of the task order tracker over a fixture database: the title and its overdue or
// missing-order warning, the head lines with status texts and decimals, and the routing, BOM and
// item of the task order shown, which the view commands open.

#include <support/tracker_fixture.h>

#include <components/middle_tier/failing_middle_tier.h>

#include <contracts/view_models/head_model.h>

#include <platform/automation/errors.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace trackquery::testing {
namespace {

class HeadModelTest : public TrackerFixture {
  protected:
    HeadModelPtr Head() { return Viewer().GetHeadModel(); }

    // The head line that begins with `caption` followed by the colon, or "<none>".
    std::string LineOf(const std::string& caption) {
        for (const auto& line : Head()->Lines()) {
            if (line.rfind(caption + ":", 0) == 0) return line;
        }
        return "<none>";
    }

    bool EveryLineIsACaptionOnly() {
        const auto& lines = Head()->Lines();
        return !lines.empty() && std::all_of(lines.begin(), lines.end(), [](const auto& line) {
            return !line.empty() && line.back() == ':';
        });
    }

    int64_t OfTaskOrder(const std::string& column, int32_t id) const {
        return Scalar("SELECT " + column + " FROM ICMO WHERE FInterID = " + std::to_string(id));
    }
    std::string ItemNumberOf(int32_t id) const {
        return Text("SELECT FNumber FROM t_ICItem WHERE FItemID = " +
                    std::to_string(OfTaskOrder("FItemID", id)));
    }

    void ClickAndWait(int32_t node) {
        Session().ClickNavigationNode(node);
        Session().AdvanceTime(500);
    }
};

// --- Title and overdue warning -------------------------------------------------------------

// Overdue: not closed out, short of full receipt, and due before the server date (2026-06-30).
TEST_F(HeadModelTest, ATaskOrderIsOverdueWhenUnfinishedPastItsDate) {
    struct Case {
        const char* status;
        int32_t received;  // of 200
        const char* finish;
        bool overdue;
    };
    const Case cases[] = {
        {"1", 200, "2026-05-01", false},  // fully received
        {"1", 199, "2026-05-01", true},   // 99.5 percent
        {"3", 0, "2026-01-01", false},    // closed out
        {"1", 0, "2026-06-30", false},    // due on the server date
        {"1", 0, "2026-06-29", true},     // due the day before
    };
    Start({1});
    for (const auto& c : cases) {
        Execute(std::string("UPDATE ICMO SET FStatus = ") + c.status +
                ", FSuspend = 0, FCancellation = 0, FQty = 200, FStockQty = " +
                std::to_string(c.received) + ", FPlanFinishDate = '" + c.finish +
                "' WHERE FInterID = 1");
        ASSERT_TRUE(Session().ClickTool("btnRefresh"));
        EXPECT_EQ(Viewer().HeadTitle(), c.overdue ? "WORK000001(拖期)" : "WORK000001")
            << c.status << " " << c.received << " " << c.finish;
        EXPECT_EQ(Viewer().HeadTitleAlert(), c.overdue);
    }
}

TEST_F(HeadModelTest, ADeletedTaskOrderShowsTheWarningAndForgetsItsLinks) {
    Start({1, 999999});
    ClickAndWait(3);
    EXPECT_EQ(Viewer().HeadTitle(), "该任务单不存在或已经被删除,请选择其他任务单。");
    EXPECT_TRUE(Viewer().HeadTitleAlert());
    EXPECT_TRUE(EveryLineIsACaptionOnly());
    EXPECT_EQ(Tracker()->FInterID(), 0);
    // Neither the task order nor the material of the order shown before is offered.
    ExpectBox("请选择任务单!");
    ASSERT_TRUE(Session().ClickTool("btnRouting"));
    ExpectBox("请选择任务单!");
    ASSERT_TRUE(Session().ClickTool("btnBOM"));
    ExpectBox("没有可以查看的物料。");
    ASSERT_TRUE(Session().ClickTool("btnItem"));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_TRUE(client::ItemViewHistory().empty());
}

TEST_F(HeadModelTest, TheRootAsksForATaskOrderAndKeepsTheLinksOfTheOrderBefore) {
    Start({1});
    Session().ClickNavigationNode(1);
    EXPECT_EQ(Viewer().HeadTitle(), "请选择任务单！");
    EXPECT_FALSE(Viewer().HeadTitleAlert());
    EXPECT_EQ(LineOf("任务单号"), "任务单号:");
    EXPECT_TRUE(EveryLineIsACaptionOnly());
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeItem(1)->ItemData, "\"") << "no links on the root";
    // The material of the task order shown before is still the one offered from the head.
    ASSERT_TRUE(Session().ClickTool("btnItem"));
    EXPECT_EQ(ItemNumbersShown(), std::vector<std::string>{ItemNumberOf(1)});
    ExpectBox("请选择任务单!");
    ASSERT_TRUE(Session().ClickTool("btnRouting"));
}

// --- Head lines ------------------------------------------------------------------------------

TEST_F(HeadModelTest, LinesShowTheVisibleFieldsWithTheirValuesAndStatusTexts) {
    Start({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(LineOf("任务单号"), "任务单号:WORK000001");
    // Hidden fields (the link ids) get no line.
    EXPECT_EQ(LineOf("物料内码"), "<none>");
    EXPECT_EQ(LineOf("工艺路线内码"), "<none>");
    const std::vector<std::string> expected = {"下达", "计划", "确认", "结案", "挂起", "作废"};
    for (int32_t node = 2; node <= 7; ++node) {
        ClickAndWait(node);
        EXPECT_EQ(LineOf("状态"), "状态:" + expected[node - 2]) << "task order " << node - 1;
    }
    // Status 4 has no word of its own: the head view gives an empty one, shown as nothing.
    Execute("UPDATE ICMO SET FStatus = 4, FSuspend = 0, FCancellation = 0 WHERE FInterID = 6");
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    EXPECT_EQ(LineOf("状态"), "状态:");
}

TEST_F(HeadModelTest, QuantitiesTakeTheirDecimalsFromTheItem) {
    auto itemDecimals = [this](int32_t decimals) {
        Execute("UPDATE t_ICItem SET FQtyDecimal = " + std::to_string(decimals) +
                " WHERE FItemID = (SELECT FItemID FROM ICMO WHERE FInterID = 1)");
    };
    Execute("UPDATE ICMO SET FQty = 1234.5, FStockQty = 617.25 WHERE FInterID = 1");
    itemDecimals(3);
    Start({1});
    EXPECT_EQ(LineOf("计划生产数量"), "计划生产数量:1,234.500");
    EXPECT_EQ(LineOf("完工入库数量"), "完工入库数量:617.250");
    // Without a decimal source the field's own count of decimals applies (2 for the percentage).
    EXPECT_EQ(LineOf("入库比例(%)"), "入库比例(%):50.00");

    Execute("UPDATE ICMO SET FQty = 1500, FStockQty = 0 WHERE FInterID = 1");
    itemDecimals(0);
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    EXPECT_EQ(LineOf("计划生产数量"), "计划生产数量:1,500");
}

// --- Links -----------------------------------------------------------------------------------

TEST_F(HeadModelTest, TheLinksOpenTheTaskOrdersRoutingBomAndItem) {
    Execute(
        "UPDATE ICMO SET FRoutingID = (SELECT MIN(FInterID) FROM t_Routing), FBOMInterID = "
        "(SELECT MIN(FInterID) FROM ICBOM) WHERE FInterID = 1");
    Start({1});
    const int64_t routing = OfTaskOrder("FRoutingID", 1);
    const int64_t bom = OfTaskOrder("FBOMInterID", 1);
    const int64_t item = OfTaskOrder("FItemID", 1);
    ASSERT_GT(routing, 0);
    ASSERT_GT(bom, 0);
    ASSERT_TRUE(Session().ClickTool("btnRouting"));
    ASSERT_NE(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBillOpened()->Request.BillType, 210);
    EXPECT_EQ(LastBillOpened()->InterID, routing);
    ASSERT_TRUE(Session().ClickTool("btnBOM"));
    EXPECT_EQ(LastBillOpened()->Request.BillType, 900);
    EXPECT_EQ(LastBillOpened()->InterID, bom);
    ASSERT_TRUE(Session().ClickTool("btnItem"));
    EXPECT_EQ(ItemNumbersShown(), std::vector<std::string>{ItemNumberOf(1)});
    // The node notes them too: the head fields name the item, then the BOM, then the routing.
    auto node = Viewer().GetNavigationModel()->NodeItem(2);
    const std::string links = "1Item" + std::to_string(item) + ":IBom" + std::to_string(bom) +
                              ":Rout" + std::to_string(routing) + ":";
    EXPECT_EQ(node->ItemData, links);
    // Building the head again rewrites the links instead of appending them.
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    EXPECT_EQ(node->ItemData, links);
}

TEST_F(HeadModelTest, ATaskOrderWithoutRoutingReplacesTheRoutingOfTheOrderBefore) {
    Execute("UPDATE ICMO SET FRoutingID = 0 WHERE FInterID = 2");
    Execute(
        "UPDATE ICMO SET FRoutingID = (SELECT MIN(FInterID) FROM t_Routing) WHERE FInterID = 1");
    Start({1, 2});
    ASSERT_TRUE(Session().ClickTool("btnRouting"));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    ClickAndWait(3);
    ExpectBox("当前任务单没有对应的工艺路线！");
    ASSERT_TRUE(Session().ClickTool("btnRouting"));
    EXPECT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_NE(Viewer().GetNavigationModel()->NodeItem(3)->ItemData.find("Rout0:"),
              std::string::npos);
}

// --- Failures ------------------------------------------------------------------------------

TEST_F(HeadModelTest, MissingFieldDefinitionsKeepThePanelsAndSaySo) {
    Start({1, 2});
    const HeadModelPtr head = Head();
    const DetailModelPtr detail = Viewer().GetDetailModel();
    const std::string title = Viewer().HeadTitle();
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetQueryFields");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    ExpectBox("没有任务单信息。");
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    EXPECT_EQ(plan->Calls("GetQueryFields"), 1) << "the detail is not built after the head failed";
    EXPECT_EQ(Head(), head);
    EXPECT_EQ(Viewer().HeadTitle(), title);
    EXPECT_EQ(Viewer().GetDetailModel(), detail);
}

// A table or view gone under a running session: the next task order shown cannot be read, and the
// panel asks for a task order without the lines of the one shown before.
TEST_F(HeadModelTest, AHeadThatCannotBeReadShowsNoOtherTaskOrder) {
    for (const char* dropped : {"VIEW VTrackICMOHead", "TABLE ICTrackTemplate"}) {
        CloseSession();
        RebuildDatabase();
        Start({1, 2});
        ASSERT_NE(LineOf("任务单号"), "<none>") << dropped;
        Execute(std::string("DROP ") + dropped + (test_support::OnPostgres() ? " CASCADE" : ""));
        ClickAndWait(3);
        EXPECT_EQ(Viewer().HeadTitle(), "请选择任务单！") << dropped;
        EXPECT_FALSE(Viewer().HeadTitleAlert()) << dropped;
        EXPECT_EQ(Head()->LineCount(), 0) << dropped;
        EXPECT_NE(Viewer().StatusText().find("读取数据失败"), std::string::npos) << dropped;
    }
}

TEST_F(HeadModelTest, AFailingTaskOrderReadIsRaisedWithTheProcedureInTheSource) {
    Start({1, 2});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOQuery", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    try {
        Session().ClickTool("btnRefresh");
        FAIL() << "the failure was swallowed";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Source().rfind("QzICMOTrackQuery.CICMOQuery.ITrackQuery_MenuClick\r\n"
                                       "QzICMOTrackQuery.CICMOQuery.CreateHeadModel\r\n",
                                       0),
                  0u)
            << error.Source();
    }
}

// A viewer with a fault of the program, once armed, where the panel is asked to show no task order.
class FaultyEmptyPanelViewer : public client::ViewerDocument {
  public:
    void SetHeadTitle(const std::string& text) override {
        if (armed && text == "请选择任务单！") throw std::logic_error("a fault of the program");
        ViewerDocument::SetHeadTitle(text);
    }
    bool armed = false;
};

TEST_F(HeadModelTest, AFaultOfTheViewerAfterAFailedReadIsNotSwallowed) {
    auto& session = Session();
    auto viewer = std::make_shared<FaultyEmptyPanelViewer>();
    session.Replace(kProgIdTraceViewer, [viewer] { return viewer; });
    Start({1, 2});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOQuery", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    viewer->armed = true;
    EXPECT_THROW(Session().ClickTool("btnRefresh"), std::logic_error);
}

}  // namespace
}  // namespace trackquery::testing
