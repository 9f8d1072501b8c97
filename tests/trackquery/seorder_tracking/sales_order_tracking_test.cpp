// Sales order tracking over a fixture ERP database with the real components: order lists loaded
// and walked, every phase expanded, options changed in their dialog, bills opened, outputs guarded
// and logged, and the jumps between sales order and task order tracking.
//
// The fixture holds sales orders SEORD000001 (entries 1, 2), SEORD000002 (1 to 3), SEORD000003 and
// the export order EXP000004, with every downstream phase.

#include <support/database_outage.h>
#include <support/tracker_fixture.h>

#include <components/bills/bill_window.h>
#include <components/erp_database/demo_database.h>
#include <components/erp_database/sqlite_database.h>
#include <components/middle_tier/failing_middle_tier.h>
#include <components/middle_tier/middle_tier_servers.h>
#include <components/viewer/viewer_document.h>
#include <harness/headless_session.h>

#include <contracts/security.h>
#include <trackquery/dialogs/frmOrderOption.h>
#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <platform/windowing/form.h>
#include <platform/windowing/msgbox.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

namespace {

namespace erp = client::erp_database;
using trackquery::CSeOrderQuery;
using trackquery::DetailNode;
using trackquery::DetailRow;

class SalesOrderTracking : public trackquery::testing::TrackerFixture {
  protected:
    // The session of `userId` in the sales module.
    void OpenSession(int32_t userId = erp::kAdministratorID) {
        TrackerFixture::OpenSession(userId, "XS");
    }

    // Load's parameters for the orders `ids` of the class.
    static automation::DictionaryPtr Orders(int32_t classType, const std::vector<int32_t>& ids) {
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("ClassTypeID", classType);
        if (ids.empty()) return para;
        auto list = std::make_shared<automation::Vector>();
        for (int32_t id : ids) {
            auto order = std::make_shared<automation::Dictionary>();
            order->SetItem("FInterID", id);
            list->Add(order);
        }
        para->SetItem("vctSeOrderList", list);
        return para;
    }

    std::shared_ptr<CSeOrderQuery> Open(const automation::DictionaryPtr& para) {
        if (!session_) OpenSession();
        auto tracker = Session().CreateSeOrderQuery();
        EXPECT_TRUE(Session().LoadEmbedded(tracker, para));
        return std::dynamic_pointer_cast<CSeOrderQuery>(tracker);
    }

    std::shared_ptr<DetailNode> Node(const std::string& path) { return NodeAt(path); }

    // The text of each cell of the row at `path`, joined by "|".
    std::string RowText(const std::string& path) {
        auto row = RowAt(path);
        if (!row) return "(no row at " + path + ")";
        std::string text;
        for (int32_t i = 0; i < row->CellCount(); ++i) {
            text += (i > 0 ? "|" : "") + row->CellAt(i).Text;
        }
        return text;
    }

    std::vector<std::string> PhaseKeys() {
        std::vector<std::string> keys;
        for (const auto& item : Node("2")->Rows())
            keys.push_back(std::dynamic_pointer_cast<DetailNode>(item)->Key);
        return keys;
    }

    std::vector<std::string> HeadLines() { return Viewer().GetHeadModel()->Lines(); }
};

// Over two thousand sales order entries besides the generated ones.
class SalesOrderTrackingManyEntries : public SalesOrderTracking {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.statements = {
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2001) "
            "INSERT INTO SEOrder (FInterID, FBillNo, FClassTypeID, FDate, FCustID, FCurrencyID, "
            "FStatus, FCheckerID, FBillerID) SELECT 5000 + i, printf('BULK%05d', i), 0, "
            "'2026-05-01', (SELECT MIN(FCustID) FROM t_Organization), 1, 1, 16396, 16396 FROM n",
            "INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FQty, FPrice, FAmount, "
            "FDeliveryDate) SELECT FInterID, 1, (SELECT MIN(FItemID) FROM t_ICItem), 1, 1, 1, "
            "'2026-06-01' FROM SEOrder WHERE FBillNo LIKE 'BULK%'"};
        return definition;
    }
};

// The user group switch on.
class SalesOrderTrackingGroups : public SalesOrderTracking {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.data.checkUserGroup = true;
        return definition;
    }
};

TEST_F(SalesOrderTracking, AnOrderEntryShowsItsHeadSummaryAndPhasesAndFollowsTheNodePicked) {
    auto tracker = Open(Orders(81, {1, 2}));
    auto model = Viewer().GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 8);
    EXPECT_EQ(model->NodeItem(1)->Text, "销售订单");
    EXPECT_EQ(model->NodeItem(2)->Key, "B1");
    EXPECT_EQ(model->NodeItem(2)->Text, "SEORD000001");
    EXPECT_EQ(model->NodeItem(2)->ItemData, "客户8");
    EXPECT_EQ(model->NodeItem(3)->Key, "1:1");
    EXPECT_EQ(model->NodeItem(3)->ParentKey, "B1");
    EXPECT_EQ(model->NodeItem(3)->Text, "1/01.000007");
    EXPECT_EQ(model->NodeItem(3)->ItemText, "产品7 M-107");
    EXPECT_EQ(Viewer().SelectedNavigationNode()->Index(), 3);
    EXPECT_EQ(tracker->FInterID(), 1);
    EXPECT_EQ(tracker->FEntryID(), 1);

    EXPECT_EQ(HeadLines().front(), "订单编号：SEORD000001");
    EXPECT_EQ(HeadLines()[9], "币别：人民币 1.000000000000");
    EXPECT_EQ(RowText("1.1.1"), "订单|850|329,128.50|-|-|-");
    EXPECT_EQ(RowText("1.1.2"), "发货/退货|680|263,302.80|170|65,825.70|80%");
    EXPECT_EQ(PhaseKeys(), (std::vector<std::string>{"81", "82", "21", "80", "1000034", "85"}));

    // Every phase expands once into its bills; receipts list their write-off lines after them.
    for (int32_t phase = 1; phase <= 6; ++phase) {
        ASSERT_TRUE(Session().ExpandDetail("2." + std::to_string(phase)));
    }
    // The hidden kind, id and biller close every row.
    EXPECT_EQ(RowText("2.2.1"),
              "SEOUT000001|发货|2026-05-10|425|164,564.25|已审核|李四|82|1|16396");
    EXPECT_EQ(RowText("2.4.1").rfind("XSFP000001|2026-05-13|425|164,564.25|部分钩稽|", 0), 0u)
        << RowText("2.4.1");
    EXPECT_EQ(Node("2.5")->RowCount(), 4);
    EXPECT_EQ(RowText("2.5.3").rfind("核销序号HX000001|", 0), 0u) << RowText("2.5.3");
    EXPECT_EQ(Node("2.2")->FillStatus, 1);
    Session().ExpandDetail("2.2");
    EXPECT_EQ(Node("2.2")->RowCount(), 2) << "a loaded phase is not read twice";

    // Another entry: its own head and summary, and the phases emptied.
    Session().ClickNavigationNode(6);
    EXPECT_EQ(tracker->FInterID(), 2);
    EXPECT_EQ(HeadLines().front(), "订单编号：SEORD000002");
    EXPECT_EQ(Node("2.2")->RowCount(), 0);
    EXPECT_EQ(Node("2.2")->FillStatus, 0);

    // An order node leaves the panels and zeroes the ids; coming back shows that entry again.
    Session().ClickNavigationNode(5);
    EXPECT_EQ(tracker->FInterID(), 0);
    EXPECT_EQ(HeadLines().front(), "订单编号：SEORD000002");
    Session().ClickNavigationNode(3);
    EXPECT_EQ(tracker->FInterID(), 1);
    EXPECT_EQ(HeadLines().front(), "订单编号：SEORD000001");
    Session().ClickNavigationNode(6);
    Session().ClickNavigationNode(3);
    EXPECT_EQ(tracker->FInterID(), 1) << "a revisited node's ids follow it";
    EXPECT_EQ(HeadLines().front(), "订单编号：SEORD000001");

    // Refresh empties the phases of the entry shown.
    Session().ExpandDetail("2.1");
    ASSERT_EQ(Node("2.1")->RowCount(), 1);
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    EXPECT_EQ(Node("2.1")->RowCount(), 0);
}

TEST_F(SalesOrderTracking, ExportOrdersTrackShippingLotsLettersOfCreditAndTenDecimalRates) {
    auto tracker = Open(Orders(1007100, {4}));
    auto model = Viewer().GetNavigationModel();
    EXPECT_EQ(model->NodeItem(1)->Text, "外销订单");
    EXPECT_EQ(model->NodeItem(3)->Key.substr(0, 4), "4:1:");
    EXPECT_NE(tracker->FDetailID(), 0);
    EXPECT_EQ(HeadLines()[9], "币别：美元 6.8300000000");
    EXPECT_EQ(PhaseKeys().at(1), "1007132") << "letters of credit follow the order";
    EXPECT_EQ(Node("2.3")->Column(1)->Caption, "出运/退运");
    EXPECT_EQ(RowText("1.1.3").rfind("出运/退运|", 0), 0u);
    ASSERT_TRUE(Session().ExpandDetail("2.2"));
    EXPECT_GT(Node("2.2")->RowCount(), 0);
}

TEST_F(SalesOrderTracking, LoadRefusesWhatItCannotTrackAndLeavesNothingBehind) {
    OpenSession();
    auto tracker = Session().CreateSeOrderQuery();
    Session().AnswerNextBox("传入的参数错误！", windowing::vbOK);
    tracker->Load(nullptr);
    Session().AnswerNextBox("传入的单据类别错误！", windowing::vbOK);
    tracker->Load(Orders(85, {1}));
    EXPECT_EQ(tracker->Hwnd(), 0);

    // Orders that cannot be listed: the query's message and no window holding the controller.
    std::weak_ptr<trackquery::ICSeOrderQuery> weak = tracker;
    Session().AnswerNextBox("订单编号不存在或未审核或没有数据权限，请重新输入！", windowing::vbOK);
    EXPECT_FALSE(Session().LoadEmbedded(tracker, Orders(81, {999})));
    EXPECT_TRUE(windowing::LoadedForms().empty());
    tracker.reset();
    EXPECT_TRUE(weak.expired()) << "a refused view keeps the controller alive";

    // Without orders the view opens empty and the user selects orders in it.
    auto empty = std::dynamic_pointer_cast<CSeOrderQuery>(Session().CreateSeOrderQuery());
    ASSERT_TRUE(Session().LoadEmbedded(empty, Orders(81, {})));
    EXPECT_EQ(Viewer().GetNavigationModel(), nullptr);
    EXPECT_EQ(HeadLines().front(), "订单编号：");
    ASSERT_TRUE(Viewer().TypeIntoTool("bndfilter", "txtSelectBills", "SEORD00000"));
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeItem(2)->Text, "SEORD000001");
    EXPECT_EQ(empty->FInterID(), 1);
    Session().AnswerNextBox("选单号不能包含单引号，请重新录入！", windowing::vbOK);
    Viewer().TypeIntoTool("bndfilter", "txtSelectBills", "SE'ORD");
    EXPECT_EQ(Viewer().GetMenuBar()->FocusedTool()->Name(), "txtSelectBills");
}

TEST_F(SalesOrderTrackingManyEntries,
       MoreThanTwoThousandEntriesAreListedOnlyWhenTheUserSaysSoEachTime) {
    auto tracker = Open(Orders(81, {}));
    Session().AnswerNextBox("您查询的订单超过2000分录", windowing::vbNo);
    Viewer().TypeIntoTool("bndfilter", "txtSelectBills", "BULK");
    EXPECT_EQ(Viewer().GetNavigationModel(), nullptr);
    Session().AnswerNextBox("您查询的订单超过2000分录", windowing::vbYes);
    Viewer().TypeIntoTool("bndfilter", "txtSelectBills", "BULK");
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeCount(), 1 + 2 * 2001);
}

TEST_F(SalesOrderTracking, OptionsChangedInTheDialogAreSavedAndRebuildThePhases) {
    auto tracker = Open(Orders(81, {1}));
    bool loadCountedAsChange = true;
    Session().Backend().AddModalStep("frmOrderOption", [&](windowing::Form& form) {
        auto& dialog = dynamic_cast<trackquery::frmOrderOption&>(form);
        loadCountedAsChange = dialog.SelChange();
        EXPECT_FALSE(dialog.ChkLC->Visible()) << "letters of credit are for export orders";
        EXPECT_EQ(dialog.ChkMO->Value(), windowing::vbChecked);
        dialog.ChkMO->Click();
        dialog.ChkAmount->Click();
        dialog.CmdOK->Click();
    });
    ASSERT_TRUE(Session().ClickTool("OrderSet"));
    EXPECT_FALSE(loadCountedAsChange);
    EXPECT_EQ(PhaseKeys(), (std::vector<std::string>{"81", "82", "21", "80", "1000034"}));
    EXPECT_EQ(RowText("1.1.2"), "发货/退货|680|170|80%") << "no amounts any more";
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICTrackOptionUser WHERE FOptionKey='QzSeorderTrack_81' "
                     "AND FUserID=16394 AND FValue=1"),
              4);
    EXPECT_EQ(Scalar("SELECT FValue FROM ICTrackOptionUser WHERE FOptionKey='QzSeorderTrack_81' "
                     "AND FKey='ShowMO'"),
              0);

    // Cancel leaves everything as it was.
    Session().Backend().AddModalStep("frmOrderOption", [](windowing::Form& form) {
        auto& dialog = dynamic_cast<trackquery::frmOrderOption&>(form);
        dialog.ChkMO->Click();
        dialog.CmdCancel->Click();
    });
    ASSERT_TRUE(Session().ClickTool("OrderSet"));
    EXPECT_EQ(PhaseKeys().size(), 5u);
    EXPECT_EQ(tracker->Options()->Item("ShowMO").AsLong(), 0);
}

// Options that cannot be read: OrderSet tries the read again, which says why it fails, and opens
// the dialog all the same, every box checked over the empty set, so the user can still choose for
// the window; the saved options the dialog never showed are not written over.
TEST_F(SalesOrderTracking, OrderSetOpensTheDialogWhenTheOptionsCannotBeRead) {
    using client::middle_tier::FailurePlan;
    const std::string saved = "SELECT COUNT(*) FROM ICTrackOptionUser WHERE FValue = 1";
    const int64_t before = Scalar(saved);
    for (const auto& [mode, message] :
         {std::pair{FailurePlan::Mode::ReturnNothing, "读取用户设置失败，读取数据失败！"},
          std::pair{FailurePlan::Mode::ReturnEmpty, "读取用户设置失败，没有模版数据！"},
          std::pair{FailurePlan::Mode::RaiseError, "获取用户设置失败,原因："}}) {
        OpenSession();
        auto plan = std::make_shared<FailurePlan>();
        plan->Fail("CGetOrderQuery.GetBillOption", mode);
        client::middle_tier::RegisterFailingMiddleTier(plan);
        ExpectBox(message);  // on loading, and again on OrderSet
        ExpectBox(message);
        auto tracker = Open(Orders(81, {1}));
        Session().Backend().AddModalStep("frmOrderOption", [](windowing::Form& form) {
            auto& dialog = dynamic_cast<trackquery::frmOrderOption&>(form);
            EXPECT_EQ(dialog.ChkMO->Value() + dialog.ChkFilter->Value(), 2 * windowing::vbChecked);
            dialog.ChkMO->Click();
            dialog.CmdOK->Click();
        });
        ASSERT_TRUE(Session().ClickTool("OrderSet")) << message;
        EXPECT_EQ(plan->Calls("GetBillOption"), 2) << message;
        EXPECT_EQ(tracker->Options()->Item("ShowMO").AsLong(), 0) << message;
        EXPECT_EQ(Scalar(saved), before) << message;
        CloseSession();
    }
}

// Options the database cannot take (it is gone for a while) are refused: the view and the dialog
// opened again keep the saved ones.
TEST_F(SalesOrderTracking, OptionsThatCannotBeSavedAreRefusedAndNeverShownAsSaved) {
    auto tracker = Open(Orders(81, {1}));
    const size_t phases = PhaseKeys().size();
    std::unique_ptr<test_support::DatabaseOutage> outage;
    Session().Backend().AddModalStep("frmOrderOption", [&](windowing::Form& form) {
        auto& dialog = dynamic_cast<trackquery::frmOrderOption&>(form);
        outage = std::make_unique<test_support::DatabaseOutage>(*database_);
        dialog.ChkMO->Click();
        dialog.CmdOK->Click();
    });
    ExpectBox("保存用户设置失败，原因：");
    ASSERT_TRUE(Session().ClickTool("OrderSet"));
    outage.reset();
    EXPECT_EQ(PhaseKeys().size(), phases);
    EXPECT_TRUE(automation::CBool(tracker->Options()->Item("ShowMO")));

    bool shownChecked = false;
    Session().Backend().AddModalStep("frmOrderOption", [&](windowing::Form& form) {
        auto& dialog = dynamic_cast<trackquery::frmOrderOption&>(form);
        shownChecked = dialog.ChkMO->Value() == windowing::vbChecked;
        dialog.CmdCancel->Click();
    });
    ASSERT_TRUE(Session().ClickTool("OrderSet"));
    EXPECT_TRUE(shownChecked) << "the choice that was not saved is not shown as saved";
}

TEST_F(SalesOrderTracking, APhaseRowOpensItsBillBrowsingTheBillsOfItsKind) {
    Open(Orders(81, {1}));
    ASSERT_TRUE(Session().ExpandDetail("2.3"));
    Session().DoubleClickDetail("2.3.2");
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    const auto& outbound = client::BillWindowHistory().back();
    EXPECT_EQ(outbound.Request.Component, "QzBills.Bills");
    EXPECT_EQ(outbound.Request.BillType, 21);
    EXPECT_EQ(outbound.Request.ShowMode, 1);
    EXPECT_EQ(outbound.Request.SystemName, "xs");
    EXPECT_EQ(outbound.Position, 2);
    EXPECT_EQ(outbound.RowCount, 2);

    // The phase's invoices are of two kinds: the window browses only those of the one clicked.
    ASSERT_TRUE(Session().ExpandDetail("2.4"));
    Session().DoubleClickDetail("2.4.2");
    ASSERT_EQ(client::BillWindowHistory().size(), 2u);
    EXPECT_EQ(client::BillWindowHistory().back().Request.BillType, 86);
    EXPECT_EQ(client::BillWindowHistory().back().RowCount, 1);

    // A write-off line and a phase node open nothing.
    ASSERT_TRUE(Session().ExpandDetail("2.5"));
    Session().DoubleClickDetail("2.5.3");
    Session().DoubleClickDetail("2.5");
    EXPECT_EQ(client::BillWindowHistory().size(), 2u);
}

TEST_F(SalesOrderTrackingGroups, WithTheGroupSwitchABillOfAnotherGroupIsRefusedBeforeItsRight) {
    OpenSession(erp::kPlannerID);
    Open(Orders(81, {1}));
    ASSERT_TRUE(Session().ExpandDetail("2.4"));
    Session().AnswerNextBox("对不起，你没有相应的用户组权限!", windowing::vbOK);
    Session().DoubleClickDetail("2.4.1");
    EXPECT_TRUE(client::BillWindowHistory().empty());
}

TEST_F(SalesOrderTracking, PrintAndExportNeedTheirRightsAndAreLoggedBeforeAndAfter) {
    Open(Orders(81, {1}));
    Viewer().SetOutputDirectory(path_.string() + ".out");
    ASSERT_TRUE(Session().ClickTool("btnPrint"));
    ASSERT_TRUE(Session().ClickTool("btnExport"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_AccessLog WHERE FFunction='K030105' AND "
                     "FDescription='销售订单全程跟踪打印' AND FPhase IN (1, 2)"),
              2);
    EXPECT_EQ(Scalar("SELECT MIN(FPhase) * 10 + MAX(FPhase) FROM t_AccessLog WHERE "
                     "FFunction='K030104'"),
              12);
    // The file is named after the order.
    EXPECT_EQ(Viewer().LastOutputPath().filename().string(), "销售订单全程跟踪_SEORD000001.csv");
    std::filesystem::remove_all(path_.string() + ".out");
    CloseSession();

    OpenSession(erp::kWarehouseID);
    Open(Orders(81, {1}));
    const int64_t logged = Scalar("SELECT COUNT(*) FROM t_AccessLog");
    Session().AnswerNextBox("对不起，你没有相应的权限！", windowing::vbOK);
    Session().ClickTool("btnPrint");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_AccessLog"), logged)
        << "a refused print is not logged";
}

TEST_F(SalesOrderTracking, TheTaskOrdersOfAnOrderOpenTheirOwnTrackingAndNotTheJumpBack) {
    Open(Orders(81, {1}));
    auto salesViewer = Session().Viewer();
    Session().AnswerNextBox("请先展开任务单执行环节并选中一条任务单", windowing::vbOK);
    ASSERT_TRUE(Session().ExpandDetail("2.2"));
    salesViewer->SelectDetail("2.2.1");
    Session().ClickTool("ViewICMOTrack");

    ASSERT_TRUE(Session().ExpandDetail("2.6"));
    salesViewer->SelectDetail("2.6.1");
    std::string navigationTitle;
    bool jumpBackOffered = true;
    Session().Backend().AddModalStep("frmICMOQuery", [&](windowing::Form& form) {
        navigationTitle = Session().Viewer()->NavigationTitle();
        jumpBackOffered = Session().Viewer()->GetTool("btnSETrace")->Visible();
        form.CloseByUser();
    });
    ASSERT_TRUE(Session().ClickTool("ViewICMOTrack"));
    EXPECT_NE(navigationTitle.find("生产任务单("), std::string::npos) << navigationTitle;
    EXPECT_FALSE(jumpBackOffered);
}

TEST_F(SalesOrderTracking, ATaskOrderJumpsToTheSalesOrderItWasMadeFor) {
    OpenSession();
    const int32_t taskOrder = static_cast<int32_t>(
        Scalar("SELECT MIN(m.FInterID) FROM ICMO m JOIN SEOrder o ON o.FInterID = m.FOrderInterID "
               "WHERE o.FClassTypeID = 0 AND m.FTranType = 85 AND m.FScheduleID = 0"));
    const int64_t order =
        Scalar("SELECT FOrderInterID FROM ICMO WHERE FInterID = " + std::to_string(taskOrder));
    auto tracker = Session().CreateICMOQuery(-85);
    ASSERT_TRUE(Session().StartEmbedded(tracker,
                                        harness::HeadlessSession::BillList({{taskOrder, "WORK"}})));
    auto taskViewer = Session().Viewer();
    // The sales order node of the task order, found by its key.
    std::string salesNode;
    const auto& nodes = taskViewer->GetDetailModel()->Nodes();
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i]->Key == "-81") salesNode = std::to_string(i + 1);
    }
    ASSERT_FALSE(salesNode.empty()) << "the fixture's tracked kinds hold the sales orders";
    ASSERT_TRUE(taskViewer->ExpandDetail(salesNode));

    // Neither the node itself nor its totals row is an order to jump to.
    const std::string totals = salesNode + "." + std::to_string(NodeAt(salesNode)->RowCount());
    ASSERT_TRUE(RowAt(totals)->IsTotal);
    for (const std::string& path : {salesNode, totals}) {
        Session().AnswerNextBox("请先展开销售订单或外销订单节点并选中一条单据。", windowing::vbOK);
        taskViewer->SelectDetail(path);
        taskViewer->ClickTool("btnSETrace");
    }

    taskViewer->SelectDetail(salesNode + ".1");
    std::string head;
    bool jumpBackOffered = true;
    Session().Backend().AddModalStep("frmICMOQuery", [&](windowing::Form& form) {
        head = Session().Viewer()->GetHeadModel()->Lines().front();
        jumpBackOffered = Session().Viewer()->GetTool("ViewICMOTrack")->Visible();
        form.CloseByUser();
    });
    ASSERT_TRUE(taskViewer->ClickTool("btnSETrace"));
    EXPECT_EQ(head, "订单编号：SEORD00000" + std::to_string(order));
    EXPECT_FALSE(jumpBackOffered);
}

}  // namespace

namespace {

// The real middle tier, but the first phase read answers one good record set and one missing.
class HalfReadPhases : public client::middle_tier::GetOrderQueryServer {
  public:
    explicit HalfReadPhases(int* failures) : failures_(failures) {}
    automation::VectorPtr GetSeOrderPerforms(const std::string& props,
                                             const automation::DictionaryPtr& para) override {
        auto bills = GetOrderQueryServer::GetSeOrderPerforms(props, para);
        if ((*failures_)-- > 0) bills->Add(automation::Variant(automation::ObjectPtr()));
        return bills;
    }

  private:
    int* failures_;
};

TEST_F(SalesOrderTracking, APhaseReadHalfWayAddsNothingAndIsReadWholeNextTime) {
    Open(Orders(81, {1}));
    int failures = 1;
    Session().Replace(trackquery::kProgIdGetOrderQuery,
                      [&failures] { return std::make_shared<HalfReadPhases>(&failures); });
    ExpectBox("传入的数据有误!");
    Session().ExpandDetail("2.2");
    EXPECT_EQ(Node("2.2")->RowCount(), 0) << "rows of a half read";
    EXPECT_EQ(Node("2.2")->FillStatus, 0);
    Viewer().CollapseDetail("2.2");
    ASSERT_TRUE(Session().ExpandDetail("2.2"));
    EXPECT_EQ(Node("2.2")->RowCount(), 2) << "each bill once";
}

TEST_F(SalesOrderTrackingGroups, AFailureWhileABillOpensNamesTheSalesOrderTracker) {
    Open(Orders(81, {1}));
    ASSERT_TRUE(Session().ExpandDetail("2.4"));
    Session().Replace(trackquery::kAppConnectionProgId, [] { return automation::ObjectPtr(); });
    try {
        Session().DoubleClickDetail("2.4.1");
        FAIL() << "the failure did not reach the viewer";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Source().rfind("QzICMOTrackQuery.CSeOrderQuery.CallDetailBill", 0), 0u)
            << error.Source();
    }
    EXPECT_TRUE(client::BillWindowHistory().empty());
}

}  // namespace
