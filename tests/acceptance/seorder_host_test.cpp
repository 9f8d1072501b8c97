// Whole sessions of sales order tracking through the built `trackquery` program, as a user sees
// them: every phase of an order expanded, a bill opened, options changed in their dialog, orders
// picked from the bill list, the jump to the order's task orders and back, a print refused; and
// from task order tracking, the jump to the sales order a task order was made for.

#include "host_runner.h"

#include <gtest/gtest.h>

namespace {

using namespace host_test;

// The first sales order with a task order made for its first entry.
std::string OrderWithTaskOrders(const std::string& database) {
    return QueryText(database,
                     "SELECT o.FBillNo FROM SEOrder o WHERE o.FClassTypeID = 0 AND o.FCheckerID > 0 "
                     "AND o.FCancellation = 0 AND EXISTS (SELECT 1 FROM ICMO m WHERE "
                     "m.FOrderInterID = o.FInterID AND m.FOrderEntryID = 1 AND m.FTranType = 85) "
                     "ORDER BY o.FBillNo LIMIT 1");
}

TEST(SalesOrderHost, AWholeSalesOrderSessionThroughTheProgram) {
    const std::string database = DemoDatabase();
    const std::string order = OrderWithTaskOrders(database);
    ASSERT_FALSE(order.empty());
    const std::string script =
        "expand 2.1\nexpand 2.2\nexpand 2.3\nexpand 2.4\nexpand 2.5\nexpand 2.6\n"
        "open 2.4 1\n"
        "pick 2.6.1\ntool ViewICMOTrack\ntool btnSETrace\nwindows\nclose\n"
        "tool OrderSet\ncheck ShowMO off\nok\n"
        "key bndfilter F7\nrow 3,6\nok\n"
        "quit\n";
    const HostRun run = RunScript(database, script, {"--bills", order}, RunProgram, "seorder");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    // The order's phases, each with its bills; an invoice opens in its bill window.
    EXPECT_TRUE(run.Shows("   [-] 销售发票\n         销售发票")) << run.output;
    EXPECT_TRUE(run.Shows("+== bill window (1 of ")) << run.output;
    // The jump opens the order's task orders in their own tracking, without the jump back.
    EXPECT_TRUE(run.Shows("seorder> tool ViewICMOTrack\n== 生产任务单(")) << run.output;
    EXPECT_TRUE(run.Shows("seorder/icmo> tool btnSETrace\nThe tool btnSETrace is hidden"))
        << run.output;
    EXPECT_TRUE(run.Shows("seorder/icmo> windows\n  seorder  \"销售订单全程跟踪\", modal\n"))
        << run.output;
    EXPECT_TRUE(run.Shows("\n* icmo  \"生产任务单全程跟踪\", modal\n")) << run.output;
    EXPECT_TRUE(run.Shows("seorder/icmo> close\nThe tracking window was closed.\nseorder> "))
        << run.output;
    // The option dialog, printed as it changes, takes the task order phase away.
    EXPECT_TRUE(run.Shows("seorder/frmOrderOption> check ShowMO off\n+-- 选项设置")) << run.output;
    const auto afterOptions = run.output.substr(run.output.find("seorder/frmOrderOption> ok"));
    EXPECT_EQ(afterOptions.find("生产任务单\n"), std::string::npos) << afterOptions;
    // Two orders picked from the bill list become the tree.
    EXPECT_TRUE(run.Shows("seorder/frmList> row 3,6")) << run.output;
    const auto afterList = run.output.substr(run.output.find("seorder/frmList> ok"));
    EXPECT_EQ((HostRun{0, afterList}.Count("\n    SEORD")), 2u) << afterList;
}

TEST(SalesOrderHost, APrintWithoutTheRightIsRefusedAndTheSessionGoesOn) {
    const std::string database = DemoDatabase();
    const HostRun run = RunScript(database, "answer ok\ntool btnPrint\nshow\n",
                                  {"--user", "赵六", "--bills", OrderWithTaskOrders(database)},
                                  RunHost, "seorder");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("| 对不起，你没有相应的权限！\n")) << run.output;
    EXPECT_FALSE(run.Shows("[written:")) << run.output;
    EXPECT_TRUE(run.Shows("seorder> show")) << run.output;
}

TEST(SalesOrderHost, ATaskOrderJumpsToTheSalesOrderItWasMadeFor) {
    const std::string database = DemoDatabase();
    const std::string taskOrder = QueryText(
        database,
        "SELECT m.FBillNo FROM ICMO m JOIN SEOrder o ON o.FInterID = m.FOrderInterID WHERE "
        "o.FClassTypeID = 0 AND m.FTranType = 85 AND m.FScheduleID = 0 ORDER BY m.FBillNo LIMIT 1");
    const std::string order = QueryText(
        database, "SELECT o.FBillNo FROM ICMO m JOIN SEOrder o ON o.FInterID = m.FOrderInterID "
                  "WHERE m.FBillNo = '" + taskOrder + "'");
    // The sales order kind is the fourth node of the default choice.
    const HostRun run = RunScript(database, "expand 4\npick 4.1\ntool btnSETrace\ntools\nclose\nwindows\n",
                                  {"--bills", taskOrder}, RunHost);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("icmo> tool btnSETrace\n== 销售订单 ==")) << run.output;
    EXPECT_TRUE(run.Shows("  订单编号：" + order + "\n")) << run.output;
    const auto tools = run.output.substr(run.output.find("icmo/seorder> tools"));
    EXPECT_EQ(tools.find("ViewICMOTrack"), std::string::npos) << "no jump back: " << tools;
    EXPECT_TRUE(run.Shows("icmo/seorder> close\nThe tracking window was closed.\nicmo> windows\n"))
        << run.output;
}

}  // namespace
