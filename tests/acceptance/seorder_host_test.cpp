// Sessions of sales order tracking through the host, as a user sees them: the bill list's answers,
// a print refused, and from task order tracking the jump to the sales order a task order was made
// for. A whole session of phases, a bill, the jump, the options and the list is kept as data
// (sessions/seorder_phases_jump_options_list).

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

// The bill list answers every input: a number searched for (the whole text after the command),
// a search that finds nothing, and rows the list does not have.
TEST(SalesOrderHost, TheBillListAnswersEverySearchAndRow) {
    const std::string database = DemoDatabase();
    const std::string offered =
        " FROM ICList_32 v1 WHERE v1.FStatus>0 AND v1.FClassTypeID = 0 AND "
        "v1.FCancellation = 0";
    const std::string order = QueryText(database, "SELECT MAX(v1.FBillNo)" + offered);
    const std::string other = QueryText(database, "SELECT MIN(v1.FBillNo)" + offered);
    const std::string noRow = "error: there is no row 99999: the list shows " +
                              QueryText(database, "SELECT COUNT(*)" + offered) + " rows";
    ASSERT_NE(order, other);
    struct Case {
        std::string lines;
        int exitCode;
        std::vector<std::string> shown;
        std::string hidden;  // not shown after the first of the lines
    };
    const std::vector<Case> cases = {
        {"search " + order + "\n", 0, {"| " + order + " |"}, "| " + other + " |"},
        {"search NO SUCH\n", 0, {"No bill number holds \"NO SUCH\".\n", "  (no rows)\n"}, "| "},
        {"row 99999\n", 1, {noRow, "script.txt:2: the script stops here."}, "* "},
        {"check 99999 on\n", 1, {noRow}, "* "},
    };
    for (const auto& test : cases) {
        const HostRun run =
            RunScript(database, "tool btnSelectBills\n" + test.lines, {}, RunHost, "seorder");
        EXPECT_EQ(run.exitCode, test.exitCode) << run.output;
        for (const auto& text : test.shown) EXPECT_TRUE(run.Shows(text)) << text << run.output;
        const std::string after = run.output.substr(run.output.find("frmList> " + test.lines));
        EXPECT_EQ(after.find(test.hidden), std::string::npos) << after;
        EXPECT_FALSE(run.Shows("Subscript") || run.Shows("BOF")) << run.output;
    }
}

// `tools` lists what a person reaches in the window: the viewer's own bands, then the window's
// menu bar, the menus it opens and its tool bars, each with its shown tools only.
TEST(SalesOrderHost, ToolsListsTheViewersAndTheWindowsTools) {
    const HostRun run = RunScript(DemoDatabase(), "tools\n", {}, RunHost, "seorder");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const HostRun tools{0, run.output.substr(run.output.find("seorder> tools\n"))};
    EXPECT_TRUE(
        tools.Shows("\nbndfilter: txtSelectBills[] btnSelectBills\n"
                    "bndSearch: txtPosition[] btnPosition\n"
                    "mnuMain: mnuFilleMenu btnView mnuOptionsMenu\n"
                    "mnuFille: btnPrintPreview btnPrint btnPrintSetup "
                    "btnExport btnExit\n"
                    "mnuView: ViewICMOTrack btnOrderMap\n"
                    "mnuOptions: TitleFont DetailFont DetailColor OrderSet\n"))
        << tools.output;
    EXPECT_FALSE(tools.Shows("btnBOM")) << "hidden in sales order tracking";
    EXPECT_FALSE(tools.Shows("mnuRight")) << "no tool opens that menu";
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
