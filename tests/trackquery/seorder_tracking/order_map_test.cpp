// The document map over a crafted order MAP000001 (1,000 pieces at 50): two task orders with their
// picks and product receipts, two deliveries and a return (with a red-letter outbound bill), two
// invoices, an advance receipt and a receipt written off. Opened from both trackers, with and
// without the amount right, on both engines.

#include <support/tracker_fixture.h>

#include <components/bills/bill_window.h>
#include <components/middle_tier/failing_middle_tier.h>
#include <components/order_map/map_dot.h>
#include <components/order_map/map_outline.h>
#include <components/order_map/order_map_window.h>
#include <harness/headless_session.h>

#include <platform/windowing/msgbox.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

namespace erp = client::erp_database;
using client::MapLane;

constexpr const char* kItem = "(SELECT MIN(FItemID) FROM t_ICItem)";
constexpr const char* kUnit = "(SELECT FUnitID FROM t_ICItem ORDER BY FItemID LIMIT 1)";
constexpr const char* kCustomer = "(SELECT MIN(FCustID) FROM t_Organization)";

std::string StockBill(int id, const char* number, int kind, const char* date, int biller) {
    return "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FStatus, FBillerID) "
           "VALUES (" +
           std::to_string(id) + ", '" + number + "', " + std::to_string(kind) + ", '" + date +
           "', 1, " + std::to_string(biller) + ")";
}

std::string StockEntry(int id, double qty, double amount, int taskOrder, int order, int source,
                       int sourceId) {
    return "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FAmount, "
           "FICMOInterID, FOrderInterID, FOrderEntryID, FSourceTranType, FSourceInterID) VALUES (" +
           std::to_string(id) + ", 1, " + kItem + ", " + std::to_string(qty) + ", " +
           std::to_string(amount) + ", " + std::to_string(taskOrder) + ", " +
           std::to_string(order) + ", " + (order ? "1" : "0") + ", " + std::to_string(source) +
           ", " + std::to_string(sourceId) + ")";
}

std::string Notice(int id, const char* number, int rob, const char* date, double qty) {
    return "INSERT INTO SEOutStock (FInterID, FBillNo, FROB, FDate, FCustID, FStatus, FBillerID) "
           "VALUES (" +
           std::to_string(id) + ", '" + number + "', " + std::to_string(rob) + ", '" + date +
           "', " + kCustomer +
           ", 1, 16396); INSERT INTO SEOutStockEntry (FInterID, FEntryID, "
           "FItemID, FQty, FAmount, FOrderInterID, FOrderEntryID) VALUES (" +
           std::to_string(id) + ", 1, " + kItem + ", " + std::to_string(qty) + ", " +
           std::to_string(qty * 50) + ", 9001, 1)";
}

std::string TaskOrder(int id, const char* number, const char* date, double qty, int status) {
    return "INSERT INTO ICMO (FInterID, FBillNo, FTranType, FStatus, FBillerID, FDate, FItemID, "
           "FUnitID, FQty, FPlanCommitDate, FPlanFinishDate, FOrderClassTypeID, FOrderInterID, "
           "FOrderEntryID) VALUES (" +
           std::to_string(id) + ", '" + number + "', 85, " + std::to_string(status) + ", 16395, '" +
           date + "', " + kItem + ", " + kUnit + ", " + std::to_string(qty) +
           ", '2026-05-05', '2026-05-25', 81, 9001, 1)";
}

class OrderMap : public trackquery::testing::TrackerFixture {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.statements = {
            std::string("INSERT INTO SEOrder (FInterID, FBillNo, FClassTypeID, FDate, FCustID, "
                        "FCurrencyID, FStatus, FCheckerID, FBillerID) VALUES (9001, 'MAP000001', "
                        "0, '2026-05-01', ") +
                kCustomer + ", 1, 1, 16396, 16396)",
            std::string("INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FQty, FPrice, "
                        "FAmount, FDeliveryDate) VALUES (9001, 1, ") +
                kItem + ", 1000, 50, 50000, '2026-06-30')",
            TaskOrder(9001, "MAPMO1", "2026-05-02", 600, 1),
            TaskOrder(9002, "MAPMO2", "2026-05-03", 400, 0),
            StockBill(9001, "MAPPICK1", 24, "2026-05-04", 16397),
            StockEntry(9001, 600, 1200, 9001, 0, 0, 0),
            StockBill(9002, "MAPPICK2", 24, "2026-05-05", 16397),
            StockEntry(9002, 400, 800, 9002, 0, 0, 0),
            StockBill(9003, "MAPIN1", 2, "2026-05-10", 16397),
            StockEntry(9003, 600, 0, 9001, 0, 85, 9001),
            StockBill(9004, "MAPIN2", 2, "2026-05-12", 16397),
            StockEntry(9004, 300, 0, 9002, 0, 85, 9002),
            Notice(9001, "MAPNT1", 1, "2026-05-11", 500),
            Notice(9002, "MAPNT2", 1, "2026-05-14", 200),
            Notice(9003, "MAPRT1", -1, "2026-05-20", 75),
            StockBill(9005, "MAPOUT1", 21, "2026-05-12", 16398),
            StockEntry(9005, 500, 25000, 0, 9001, 82, 9001),
            StockBill(9006, "MAPOUT2", 21, "2026-05-15", 16398),
            StockEntry(9006, 200, 10000, 0, 9001, 82, 9002),
            StockBill(9007, "MAPOUT3", 21, "2026-05-21", 16398),
            StockEntry(9007, -75, -3750, 0, 9001, 82, 9003),
            std::string("INSERT INTO ICSale (FInterID, FBillNo, FTranType, FDate, FCustID, "
                        "FStatus, FBillerID) VALUES (9001, 'MAPFP1', 80, '2026-05-13', ") +
                kCustomer + ", 1, 16396), (9002, 'MAPFP2', 86, '2026-05-16', " + kCustomer +
                ", 0, 16396)",
            std::string("INSERT INTO ICSaleEntry (FInterID, FEntryID, FItemID, FQty, FAmount, "
                        "FOrderInterID, FOrderEntryID) VALUES (9001, 1, ") +
                kItem + ", 500, 25000, 9001, 1), (9002, 1, " + kItem + ", 200, 10000, 9001, 1)",
            std::string("INSERT INTO t_RPReceipt (FInterID, FBillNo, FClassTypeID, FDate, FCustID, "
                        "FStatus, FBillerID) VALUES (9001, 'MAPYSK1', 1000015, '2026-05-01', ") +
                kCustomer + ", 1, 16396), (9002, 'MAPSK1', 1000005, '2026-05-18', " + kCustomer +
                ", 1, 16396)",
            "INSERT INTO t_RPReceiptEntry (FInterID, FEntryID, FAmount, FOrderInterID, "
            "FOrderEntryID) VALUES (9001, 1, 10000, 9001, 1), (9002, 1, 20000, 9001, 1)",
            "INSERT INTO t_RPWriteOff (FID, FNumber, FReceiptInterID, FOrderInterID, "
            "FOrderEntryID, FAmount, FDate, FBillerID) VALUES (9001, 'MAPHX1', 9002, 9001, 1, "
            "20000, '2026-05-19', 16396)",
            // A task order made for no order, with one pick.
            TaskOrder(9003, "MAPMO3", "2026-05-07", 50, 1) +
                "; UPDATE ICMO SET FOrderClassTypeID = 0, FOrderInterID = 0, FOrderEntryID = 0 "
                "WHERE FInterID = 9003",
            StockBill(9008, "MAPPICK3", 24, "2026-05-08", 16397),
            StockEntry(9008, 50, 100, 9003, 0, 0, 0)};
        return definition;
    }

    void TearDown() override {
        client::ClearOrderMaps();
        TrackerFixture::TearDown();
    }

    // Opens the sales order tracker on MAP000001 and the map of its entry.
    const client::OrderMap& MapFromSalesOrder(int32_t user) {
        OpenSession(user, "XS");
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("ClassTypeID", 81);
        auto orders = std::make_shared<automation::Vector>();
        auto order = std::make_shared<automation::Dictionary>();
        order->SetItem("FInterID", 9001);
        orders->Add(order);
        para->SetItem("vctSeOrderList", orders);
        EXPECT_TRUE(Session().LoadEmbedded(Session().CreateSeOrderQuery(), para));
        Session().ClickNavigationNode(3);  // the order's first entry
        return OpenedMap();
    }

    const client::OrderMap& OpenedMap() {
        const size_t before = client::OrderMapWindows().size();
        EXPECT_TRUE(Session().ClickTool("btnOrderMap"));
        EXPECT_EQ(client::OrderMapWindows().size(), before + 1);
        return client::OrderMapWindows().back()->Map();
    }

    static std::string Numbers(const client::OrderMap& map, MapLane lane) {
        std::string text;
        for (const int32_t box : map.LaneBoxes(lane)) {
            text += (text.empty() ? "" : " ") + map.boxes[box].number;
        }
        return text;
    }

    static int32_t IndexOf(const client::OrderMap& map, const std::string& number) {
        for (size_t i = 0; i < map.boxes.size(); ++i) {
            if (map.boxes[i].number == number) return static_cast<int32_t>(i);
        }
        ADD_FAILURE() << number << " is not on the map";
        return -1;
    }
};

TEST_F(OrderMap, ShowsTheWholeCourseLinkedAndSharedAndOpensBillsAsTheTrackersDo) {
    const client::OrderMap& map = MapFromSalesOrder(erp::kAdministratorID);
    EXPECT_EQ(map.title, "销售订单 MAP000001 / 1");

    // Every lane, its bills in time order.
    const std::map<MapLane, std::string> lanes{
        {MapLane::OrderEntry, "MAP000001"},         {MapLane::TaskOrders, "MAPMO1 MAPMO2"},
        {MapLane::Materials, "MAPPICK1 MAPPICK2"},  {MapLane::ProductReceipts, "MAPIN1 MAPIN2"},
        {MapLane::Notices, "MAPNT1 MAPNT2 MAPRT1"}, {MapLane::Outbound, "MAPOUT1 MAPOUT2 MAPOUT3"},
        {MapLane::Invoices, "MAPFP1 MAPFP2"},       {MapLane::Payments, "MAPYSK1 MAPSK1 MAPHX1"}};
    for (const auto& [lane, numbers] : lanes) {
        EXPECT_EQ(Numbers(map, lane), numbers) << client::LaneCaptionKey(lane);
    }

    // Boxes: kind, date, figures, status; returns and red-letter bills marked.
    const client::MapBox& invoice = map.boxes[IndexOf(map, "MAPFP1")];
    EXPECT_EQ(invoice.kindName, "销售发票(专用)");
    EXPECT_EQ(invoice.date, "2026-05-13");
    EXPECT_TRUE(invoice.hasQty && invoice.hasAmount);
    EXPECT_DOUBLE_EQ(invoice.amount, 25000);
    EXPECT_EQ(invoice.statusImage, 17);
    EXPECT_EQ(map.boxes[IndexOf(map, "MAPMO2")].statusImage, 16);
    const client::MapBox& returned = map.boxes[IndexOf(map, "MAPRT1")];
    EXPECT_TRUE(returned.isReturn && returned.isRed);
    EXPECT_EQ(returned.kindName, "退货通知单");
    EXPECT_EQ(map.boxes[IndexOf(map, "MAPMO1")].statusText, "下达");
    EXPECT_EQ(map.boxes[IndexOf(map, "MAPIN1")].statusText, "审核");
    EXPECT_TRUE(map.boxes[IndexOf(map, "MAPOUT3")].isRed);
    EXPECT_FALSE(map.boxes[IndexOf(map, "MAPOUT1")].isRed);

    // Arrows where a bill names another.
    std::vector<std::string> arrows;
    for (const auto& arrow : map.arrows) {
        arrows.push_back(map.boxes[arrow.from].number + ">" + map.boxes[arrow.to].number);
    }
    std::sort(arrows.begin(), arrows.end());
    EXPECT_EQ(arrows, (std::vector<std::string>{
                          "MAPHX1>MAPSK1", "MAPIN1>MAPMO1", "MAPIN2>MAPMO2", "MAPMO1>MAP000001",
                          "MAPMO2>MAP000001", "MAPOUT1>MAPNT1", "MAPOUT2>MAPNT2", "MAPOUT3>MAPRT1",
                          "MAPPICK1>MAPMO1", "MAPPICK2>MAPMO2"}));

    // What each lane carried out.
    const std::map<MapLane, std::string> shares{{MapLane::TaskOrders, "投产 1,000 / 1,000, 100%"},
                                                {MapLane::ProductReceipts, "入库 900 / 1,000, 90%"},
                                                {MapLane::Notices, "通知 625 / 1,000, 62.5%"},
                                                {MapLane::Outbound, "发货 625 / 1,000, 62.5%"},
                                                {MapLane::Invoices, "开票 700 / 1,000, 70%"},
                                                {MapLane::Payments, "收款 30,000 / 50,000, 60%"}};
    for (const auto& [lane, text] : shares) {
        ASSERT_NE(map.ShareOf(lane), nullptr) << client::LaneCaptionKey(lane);
        EXPECT_EQ(client::ShareText(*map.ShareOf(lane)), text);
    }
    EXPECT_EQ(map.ShareOf(MapLane::Materials), nullptr);

    // The outline and the DOT say the same.
    const std::string outline = client::MapOutline(map);
    EXPECT_NE(outline.find("== 销售出库 ==  发货 625 / 1,000, 62.5%\n"), std::string::npos);
    EXPECT_NE(outline.find("MAPRT1  2026-05-20  数量 -75"), std::string::npos) << outline;
    EXPECT_NE(outline.find("[退货]  [红字]"), std::string::npos) << outline;
    const std::string dot = client::MapDot(map);
    EXPECT_NE(dot.find("cluster_8"), std::string::npos);
    size_t edges = 0;
    for (size_t at = dot.find("->"); at != std::string::npos; at = dot.find("->", at + 2)) ++edges;
    EXPECT_EQ(edges, map.arrows.size());

    // A double click opens the bill as the tracker does; a write-off line is no bill.
    auto& window = *client::OrderMapWindows().back();
    EXPECT_TRUE(window.OpenBox(IndexOf(map, "MAPOUT1")));
    ASSERT_NE(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBillOpened()->Request.BillType, 21);
    EXPECT_EQ(LastBillOpened()->Request.ShowMode, 1);
    EXPECT_EQ(LastBillOpened()->Request.SystemName, "xs");
    EXPECT_EQ(LastBillOpened()->BillNo, "MAPOUT1");
    EXPECT_FALSE(window.OpenBox(IndexOf(map, "MAPHX1")));
    EXPECT_EQ(client::BillWindowHistory().size(), 1u);

    // From the task order tracker the map of a task order is its order entry's.
    CloseSession();
    OpenSession(erp::kAdministratorID, "CJ");
    Start({9002});
    const client::OrderMap& fromTaskOrder = OpenedMap();
    EXPECT_EQ(fromTaskOrder.title, map.title);
    EXPECT_EQ(fromTaskOrder.boxes.size(), map.boxes.size());
    EXPECT_EQ(fromTaskOrder.arrows.size(), map.arrows.size());
}

TEST_F(OrderMap, WithoutTheAmountRightNoAmountShowsAndTheGroupRuleRefusesABill) {
    Execute(
        "UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND "
        "FKey = 'CheckUserGroup'");
    const client::OrderMap& map = MapFromSalesOrder(erp::kPlannerID);
    EXPECT_FALSE(map.amountsShown);
    EXPECT_TRUE(std::none_of(map.boxes.begin(), map.boxes.end(),
                             [](const client::MapBox& box) { return box.hasAmount; }));
    EXPECT_EQ(map.ShareOf(MapLane::Payments), nullptr);
    EXPECT_EQ(client::ShareText(*map.ShareOf(MapLane::Outbound)), "发货 625 / 1,000, 62.5%");
    EXPECT_EQ(client::MapOutline(map).find("金额 "), std::string::npos);

    // The planner shares no group with the sales clerk who made the notice.
    ExpectBox("对不起，你没有相应的用户组权限!");
    EXPECT_FALSE(client::OrderMapWindows().back()->OpenBox(IndexOf(map, "MAPNT1")));
    EXPECT_TRUE(client::BillWindowHistory().empty());
}

TEST_F(OrderMap, ALoneTaskOrderMapsItsOwnBillsAndAFailedReadIsToldWithoutAWindow) {
    OpenSession(erp::kAdministratorID, "CJ");
    Start({9003});
    const client::OrderMap& lone = OpenedMap();
    EXPECT_EQ(lone.title, "生产任务单 MAPMO3");
    EXPECT_EQ(Numbers(lone, MapLane::TaskOrders), "MAPMO3");
    EXPECT_EQ(Numbers(lone, MapLane::Materials), "MAPPICK3");
    EXPECT_EQ(Numbers(lone, MapLane::OrderEntry), "");
    ASSERT_EQ(lone.arrows.size(), 1u);
    EXPECT_EQ(lone.boxes[lone.arrows[0].to].number, "MAPMO3");
    EXPECT_EQ(lone.ShareOf(MapLane::TaskOrders), nullptr) << "no order to set it against";
    ASSERT_NE(lone.ShareOf(MapLane::ProductReceipts), nullptr);
    EXPECT_EQ(client::ShareText(*lone.ShareOf(MapLane::ProductReceipts)), "入库 0 / 50, 0%");
    CloseSession();

    using client::middle_tier::FailurePlan;
    for (const auto mode : {FailurePlan::Mode::ReturnNothing, FailurePlan::Mode::RaiseError}) {
        OpenSession(erp::kAdministratorID, "CJ");
        Start({9001});
        auto plan = std::make_shared<FailurePlan>();
        plan->Fail("CGetOrderQuery.GetOrderBillLinks", mode);
        client::middle_tier::RegisterFailingMiddleTier(plan);
        const size_t before = client::OrderMapWindows().size();
        ExpectBox("读取单据关系图失败");
        EXPECT_TRUE(Session().ClickTool("btnOrderMap"));
        EXPECT_EQ(client::OrderMapWindows().size(), before) << "no window for half a course";
        CloseSession();
    }
}

}  // namespace
