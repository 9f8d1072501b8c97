// Whole sessions of sales order tracking through the built `trackquery` program, as a user sees
// them: every phase of an order expanded, a bill opened, options changed in their dialog, orders
// picked from the bill list, the jump to the order's task orders and back, a print refused; and
// from task order tracking, the jump to the sales order a task order was made for.

#include "host_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

using namespace host_test;

// The first sales order with a task order made for its first entry.
std::string OrderWithTaskOrders(const std::string& database) {
    return QueryText(
        database,
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
    const HostRun run =
        RunScript(database, "answer ok\ntool btnPrint\nshow\n",
                  {"--user", "赵六", "--bills", OrderWithTaskOrders(database)}, RunHost, "seorder");
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
    const std::string order =
        QueryText(database,
                  "SELECT o.FBillNo FROM ICMO m JOIN SEOrder o ON o.FInterID = m.FOrderInterID "
                  "WHERE m.FBillNo = '" +
                      taskOrder + "'");
    // The sales order kind is the fourth node of the default choice.
    const HostRun run =
        RunScript(database, "expand 4\npick 4.1\ntool btnSETrace\ntools\nclose\nwindows\n",
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

namespace {

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

// The captions of a printed view: head captions (before the separator), the node labels and
// the column headings of every expanded node.
std::vector<std::string> Captions(const std::string& output) {
    std::vector<std::string> captions;
    bool head = false;
    bool headingNext = false;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("==", 0) == 0) {
            head =
                line.find("(") == std::string::npos && line.rfind("== !!", 0) != 0 && line != "==";
            head = head || line.find("WORK") != std::string::npos;
            continue;
        }
        const auto marker = line.find("[-] ");
        const auto closed = line.find("[+] ");
        if (marker != std::string::npos || closed != std::string::npos) {
            captions.push_back(line.substr((marker != std::string::npos ? marker : closed) + 4));
            headingNext = marker != std::string::npos;
            continue;
        }
        if (headingNext) {
            captions.push_back(line);
            headingNext = false;
            continue;
        }
        const auto separator = line.find_first_of(":");
        if (head && line.rfind("  ", 0) == 0 && separator != std::string::npos) {
            captions.push_back(line.substr(0, separator));
        }
    }
    return captions;
}

TEST(HostLanguages, AnEnglishSessionShowsNoChineseCaptionInEitherTracker) {
    const std::string database = DemoDatabase();
    const HostRun sales = RunScript(
        database, "expand 2.1\nexpand 2.2\nexpand 2.3\nexpand 2.4\nexpand 2.5\nexpand 2.6\nquit\n",
        {"--lang", "EN", "--bills", OrderWithTaskOrders(database)}, RunHost, "seorder");
    const HostRun tasks = RunScript(database, "expand 1\nexpand 2\nexpand 3\nexpand 4\nquit\n",
                                    {"--lang", "EN", "--bills", "WORK000001"});
    for (const HostRun* run : {&sales, &tasks}) {
        ASSERT_EQ(run->exitCode, 0) << run->output;
        const auto captions = Captions(run->output);
        ASSERT_GT(captions.size(), 20u) << run->output;
        for (const auto& caption : captions) EXPECT_TRUE(IsAscii(caption)) << caption;
    }
    EXPECT_TRUE(sales.Shows("  Checked: Checked\n")) << "labels the server makes follow too";
}

}  // namespace
