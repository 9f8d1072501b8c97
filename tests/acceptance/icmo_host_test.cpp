// Whole sessions of task order tracking run through the host, as a user sees them: the view
// printed by the terminal host, the message boxes and the bill windows. The host runs in this
// process; one session also runs through the built program, which must print the same.

#include "host_runner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace host_test;

const char* kDetailTitle = "详细跟踪信息";

// The first ordinary task order with both ordinary and rework operations.
std::string RoutedTaskOrder(const std::string& database) {
    return QueryText(database,
                     "SELECT i.FBillNo FROM ICMO i WHERE i.FTranType=85 AND i.FScheduleID=0 "
                     "AND EXISTS (SELECT 1 FROM SHWorkBill w WHERE w.FICMOInterID=i.FInterID AND "
                     "w.FBillType=11620) AND EXISTS (SELECT 1 FROM SHWorkBill w WHERE "
                     "w.FICMOInterID=i.FInterID AND w.FBillType=11621) ORDER BY i.FBillNo LIMIT 1");
}

class HostSession : public ::testing::Test {
  protected:
    void SetUp() override { database_ = DemoDatabase(); }

    // The position of the top-level detail node labelled `label` (1-based), 0 when absent.
    static size_t PositionOf(const std::vector<TopNode>& nodes, const std::string& label) {
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].label == label) return i + 1;
        }
        return 0;
    }

    std::string database_;
};

// --- A routed task order, expanded everywhere ---------------------------------------------------

TEST_F(HostSession, RoutedTaskOrderShowsHeadOperationsRowsTotalsAndOpensABill) {
    const std::string routed = RoutedTaskOrder(database_);
    ASSERT_FALSE(routed.empty()) << "the demo database has no routed task order with rework";

    const HostRun first = RunScript(database_, "show\n", {"--bills", routed});
    ASSERT_EQ(first.exitCode, 0) << first.output;
    const auto nodes = TopLevelDetailNodes(first.output, kDetailTitle);
    const size_t ordinary = PositionOf(nodes, "普通工序");
    ASSERT_GT(ordinary, 0u) << first.output;
    EXPECT_GT(PositionOf(nodes, "返修工序"), ordinary) << "rework operations follow the ordinary";

    std::string script;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].expandable) script += "expand " + std::to_string(i + 1) + "\n";
    }
    const std::string op = std::to_string(ordinary);
    script += "expand-row " + op + " 1\n";      // the first operation: its record node
    script += "expand " + op + ".1.1\n";        // the operation records of that operation
    script += "expand-row " + op + ".1.1 1\n";  // the first record: its package nodes
    script += "expand " + op + ".1.1.1.1\n";    // the first package kind
    script += "open " + op + ".1.1 1\n";        // the operation record's own bill
    script += "show\nquit\n";

    const HostRun run = RunScript(database_, script, {"--bills", routed});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows(routed)) << "the head names the task order";
    EXPECT_TRUE(run.Shows("普通工序")) << run.output;
    EXPECT_TRUE(run.Shows("返修工序")) << run.output;
    EXPECT_TRUE(run.Shows("[=] 合计")) << "a totals row under an expanded node\n" << run.output;
    EXPECT_TRUE(run.Shows("下达") || run.Shows("审核")) << "status texts of the rows";
    EXPECT_TRUE(run.Shows("+== bill window")) << "the double-clicked bill opens\n" << run.output;
    EXPECT_FALSE(run.Shows("error:")) << run.output;
}

// --- The program itself ------------------------------------------------------------------------

TEST_F(HostSession, TheProgramPrintsByteForByteWhatTheHostLibraryPrints) {
    ASSERT_TRUE(fs::exists(HostProgram()))
        << HostProgram() << " is missing: build the trackquery target with the tests";
    const std::string script = "select 2\nwait 500\nexpand 1\nexpand 2\nshow\nselect 3\nshow\n";
    const std::vector<std::string> args{"--lang", "en", "--sub", "repm"};
    const HostRun inProcess = RunScript(database_, script, args);
    const HostRun program = RunScript(database_, script, args, RunProgram);
    ASSERT_EQ(inProcess.exitCode, 0) << inProcess.output;
    EXPECT_TRUE(inProcess.Shows("sub-system REPM")) << inProcess.output;
    EXPECT_TRUE(inProcess.Shows("language en")) << inProcess.output;
    EXPECT_EQ(program.exitCode, inProcess.exitCode);
    EXPECT_EQ(program.output, inProcess.output);
}

// --- Typed selection of task orders ------------------------------------------------------------

TEST_F(HostSession, TypedBillNumberReplacesTheTreeWithTheMatchingTaskOrders) {
    const std::string number =
        QueryText(database_,
                  "SELECT FBillNo FROM ICMO WHERE FTranType=85 AND FScheduleID=0 "
                  "ORDER BY FBillNo LIMIT 1");
    const std::string part = number.substr(number.size() - 2);
    const std::string matches =
        QueryText(database_,
                  "SELECT COUNT(*) FROM ICMO WHERE FTranType=85 AND FScheduleID=0 AND "
                  "FBillNo LIKE '%" +
                      part + "%'");

    const HostRun run = RunScript(database_, "type bndfilter " + part + "\nshow\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("== 生产任务单(" + matches + ") ==")) << run.output;
}

TEST_F(HostSession, TypedBillNumberWithAQuoteIsRefusedWithABox) {
    const HostRun run = RunScript(database_, "answer ok\ntype bndfilter 1' OR '1'='1\nshow\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("选单号不能包含单引号，请重新录入！")) << run.output;
}

TEST_F(HostSession, TypedBillNumberWithoutMatchesSaysSoAndKeepsTheTree) {
    const std::string all =
        QueryText(database_, "SELECT COUNT(*) FROM ICMO WHERE FTranType=85 AND FScheduleID=0");
    const HostRun run = RunScript(database_, "answer ok\ntype bndfilter NOSUCHBILL\nshow\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("没有单据号为NOSUCHBILL的单据")) << run.output;
    EXPECT_TRUE(run.Shows("== 生产任务单(" + all + ") ==")) << run.output;
}

// Typing a part that every bill number holds selects 200 or more task orders, which asks first.
class HostSessionManyOrders : public HostSession {
  protected:
    void SetUp() override {
        HostSession::SetUp();
        database_ = DemoDatabase(300);
        all_ =
            QueryText(database_, "SELECT COUNT(*) FROM ICMO WHERE FTranType=85 AND FScheduleID=0");
        ASSERT_GE(std::stoi(all_), 200) << "the question needs 200 matches";
    }
    static std::string LastNavigationTitle(const HostRun& run) {
        const auto last = run.output.rfind("== 生产任务单(");
        if (last == std::string::npos) return "";
        return run.output.substr(last, run.output.find('\n', last) - last);
    }
    std::string all_;
};

TEST_F(HostSessionManyOrders, NoToTheQuestionKeepsTheTree) {
    const std::string first =
        QueryText(database_,
                  "SELECT COUNT(*) FROM ICMO WHERE FTranType=85 AND FScheduleID=0 AND "
                  "FBillNo LIKE '%00001%'");
    const HostRun run = RunScript(database_,
                                  "type bndfilter 00001\nanswer no\ntype bndfilter "
                                  "WORK\nshow\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("您查询的生产任务单超过200张")) << run.output;
    EXPECT_TRUE(run.Shows("+-- no")) << run.output;
    EXPECT_EQ(LastNavigationTitle(run), "== 生产任务单(" + first + ") ==")
        << "the tree of the first selection stays";
}

TEST_F(HostSessionManyOrders, YesToTheQuestionTracksThemAll) {
    const HostRun run = RunScript(database_,
                                  "type bndfilter 00001\nanswer yes\ntype bndfilter "
                                  "WORK\nshow\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(LastNavigationTitle(run), "== 生产任务单(" + all_ + ") ==");
}

TEST_F(HostSessionManyOrders, TerminalAsksUntilTheAnswerIsAButton) {
    const HostRun run = RunHost({"icmo", "--db", database_},
                                "type bndfilter 00001\ntype bndfilter WORK\nmaybe\nno\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("answer [Yes/No]: ")) << run.output;
    EXPECT_TRUE(run.Shows("Please answer with one of [Yes/No].")) << run.output;
    EXPECT_TRUE(run.Shows("+-- no")) << run.output;
}

TEST_F(HostSessionManyOrders, TerminalInputEndingAtAQuestionTakesTheDefaultButton) {
    const HostRun run = RunHost({"icmo", "--db", database_}, "type bndfilter WORK\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("answer [Yes/No]: ")) << run.output;
    EXPECT_TRUE(run.Shows("+-- yes")) << "Yes is the default button\n" << run.output;
}

// --- Position search ----------------------------------------------------------------------------

TEST_F(HostSession, PositionSearchSelectsTheTaskOrderAndShowsItAfterTheDelay) {
    const std::string fifth =
        QueryText(database_,
                  "SELECT FBillNo FROM ICMO WHERE FTranType=85 AND FScheduleID=0 "
                  "ORDER BY FBillNo LIMIT 1 OFFSET 4");
    const HostRun run = RunScript(database_, "type bndSearch " + fifth + "\nwait 500\nshow\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows(">   " + fifth)) << "the found node is selected\n" << run.output;
    EXPECT_FALSE(run.Shows("没有符合条件的任务单。"));
}

TEST_F(HostSession, PositionSearchWithoutAHitSaysSo) {
    const HostRun run = RunScript(database_, "answer ok\ntype bndSearch NOSUCHBILL\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("没有符合条件的任务单。")) << run.output;
}

// --- A refused bill -----------------------------------------------------------------------------

TEST_F(HostSession, BillOfAUserWithoutRightsIsRefusedAndNotOpened) {
    const std::string routed = RoutedTaskOrder(database_);
    const HostRun first = RunScript(database_, "show\n", {"--bills", routed, "--user", "guest"});
    ASSERT_EQ(first.exitCode, 0) << first.output;
    const std::string op =
        std::to_string(PositionOf(TopLevelDetailNodes(first.output, kDetailTitle), "普通工序"));
    ASSERT_NE(op, "0") << first.output;

    const HostRun run = RunScript(
        database_,
        "expand-row " + op + " 1\nexpand " + op + ".1.1\nanswer ok\nopen " + op + ".1.1 1\n",
        {"--bills", routed, "--user", "guest"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("对不起，你没有相应的")) << run.output;
    EXPECT_FALSE(run.Shows("+== bill window")) << run.output;
}

// --- Scripts that go wrong ----------------------------------------------------------------------

TEST_F(HostSession, UnansweredBoxStopsTheScriptAndNamesTheBox) {
    const HostRun run = RunScript(database_, "type bndfilter a'b\nshow\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("error: The message box \"选单号不能包含单引号")) << run.output;
    EXPECT_TRUE(run.Shows(":1: the script stops here.")) << run.output;
    EXPECT_EQ(run.Count("error:"), 1u) << "reported once\n" << run.output;
    EXPECT_EQ(run.Count("icmo> show"), 0u) << "nothing after the failing line runs";
}

TEST_F(HostSession, AnswerLeftForABoxThatNeverCameFailsTheScript) {
    const HostRun run = RunScript(database_, "answer yes\nshow\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("1 answer(s) of the script were left")) << run.output;
}

TEST_F(HostSession, UnknownCommandStopsTheScriptWithItsLine) {
    const HostRun run = RunScript(database_, "show\nfrobnicate 3\nshow\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("error: unknown command \"frobnicate\"")) << run.output;
    EXPECT_TRUE(run.Shows(":2: the script stops here.")) << run.output;
}

TEST_F(HostSession, PathOutsideTheDetailTreeIsReported) {
    const HostRun run = RunScript(database_, "expand 99\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("error:")) << run.output;
    EXPECT_TRUE(run.Shows("99")) << run.output;
    const HostRun node = RunScript(database_, "select 999\n");
    EXPECT_EQ(node.exitCode, 1);
    EXPECT_TRUE(node.Shows("error:")) << node.output;
}

TEST_F(HostSession, MalformedArgumentsAreReported) {
    EXPECT_TRUE(RunScript(database_, "select two\n").Shows("the node number must be"));
    EXPECT_TRUE(RunScript(database_, "expand 1..2\n").Shows("error:"));
    EXPECT_TRUE(RunScript(database_, "answer maybe\n").Shows("\"maybe\" is not an answer"));
    EXPECT_TRUE(RunScript(database_, "type bndOther x\n").Shows("has no text box"));
    EXPECT_EQ(RunScript(database_, "wait -5\n").exitCode, 1);
}

TEST_F(HostSession, CommentsAndBlankLinesAreSkipped) {
    const HostRun run = RunScript(database_, "# a comment\n\n   \nshow\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(run.Shows("error:")) << run.output;
}

// --- Stand-alone and embedded ------------------------------------------------------------------

TEST_F(HostSession, ExitToolClosesTheEmbeddedPage) {
    const HostRun run = RunScript(database_, "tool btnExit\nshow\n", {"--embedded"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("The tracking window was closed.")) << run.output;
    EXPECT_EQ(run.Count("icmo> show"), 0u) << "the session ends with its window";
}

TEST_F(HostSession, ExitToolClosesTheStandAloneWindow) {
    const HostRun run = RunScript(database_, "tool btnExit\nshow\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("The tracking window was closed.")) << run.output;
}

TEST_F(HostSession, DeferredClickShowsTheNodeOnlyAfterTheDelay) {
    const std::string third =
        QueryText(database_,
                  "SELECT FBillNo FROM ICMO WHERE FTranType=85 AND FScheduleID=0 "
                  "ORDER BY FBillNo LIMIT 1 OFFSET 2");
    // The first task order is shown at start; a click on the fourth node (the third order) waits.
    const HostRun early = RunScript(database_, "select 4\nwait 100\nshow\n");
    const HostRun late = RunScript(database_, "select 4\nwait 500\nshow\n");
    ASSERT_EQ(early.exitCode, 0) << early.output;
    ASSERT_EQ(late.exitCode, 0) << late.output;
    const auto shownIn = [&](const HostRun& run) {
        const auto lines = Lines(run.output);
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind("  ", 0) == 0 && line.find(third) != std::string::npos;
        });
    };
    EXPECT_GT(shownIn(late), shownIn(early)) << late.output;
}

// A list taking its lines and its choice becoming the tree is kept as data
// (sessions/icmo_dialogs). A list closed without a choice changes nothing; a bad line inside it
// stops the script.
TEST_F(HostSession, TheSelectionListClosedWithoutAChoiceOrWithABadLineChangesNothing) {
    const HostRun cancelled = RunScript(database_, "key bndfilter F7\ncancel\nshow\n");
    EXPECT_EQ(cancelled.exitCode, 0) << cancelled.output;
    EXPECT_FALSE(cancelled.Shows("生产任务单(1)")) << cancelled.output;
    const HostRun bad = RunScript(database_, "key bndfilter F7\nrow x\nshow\n");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.Shows(":2: the script stops here.")) << bad.output;
    EXPECT_FALSE(bad.Shows("icmo> show")) << bad.output;
}

// The bill option dialog is drawn and driven from its controls: the kinds' boxes by place and
// name, its buttons by name and caption; the choice it saves is the tree's, and the next opening
// shows it.
TEST_F(HostSession, TheBillOptionDialogIsDrivenThroughItsControlsAndItsChoiceSaved) {
    // The choice is saved: on a copy, so that the other tests see the demo's.
    const std::string file = TempFile("bill_options.db").string();
    fs::copy_file(DemoFile(), file, fs::copy_options::overwrite_existing);
    const test_support::TestDatabase copy(file);
    const HostRun run = RunScript(copy.Name(),
                                  "tool btnOption\nclear\nclick 全选(S)\ncheck 生产投料单 off\n"
                                  "click cmdClear\nall\nclick 2\nok\ntool btnOption\ncancel\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(
        run.Shows("icmo> tool btnOption\n+-- 单据选项设置 (frmBillSel) --\n  1 [ ] 生产任务单"))
        << run.output;
    EXPECT_TRUE(run.Shows("  [全选(S)] [全清(C)] [确定(O)] [退出(E)]\nicmo/frmBillSel> clear\n"))
        << run.output;
    const auto between = [&](const std::string& from, const std::string& to) {
        const auto start = run.output.find(from);
        return run.output.substr(start, run.output.find(to, start) - start);
    };
    EXPECT_EQ(between("frmBillSel> clear\n", "frmBillSel> click").find("[x]"), std::string::npos);
    EXPECT_EQ(between("frmBillSel> click 全选", "frmBillSel> check").find("[ ]"),
              std::string::npos);
    EXPECT_TRUE(run.Shows("frmBillSel> check 生产投料单 off\n+-- 单据选项设置 (frmBillSel) --\n"))
        << run.output;
    const HostRun tree{0, between("icmo/frmBillSel> ok\n", "icmo> tool btnOption")};
    EXPECT_TRUE(tree.Shows(" [+] 生产任务单\n")) << tree.output;
    EXPECT_FALSE(tree.Shows(" 生产投料单\n")) << tree.output;
    EXPECT_TRUE(
        run.Shows("icmo> tool btnOption\n+-- 单据选项设置 (frmBillSel) --\n"
                  "  1 [x] 生产任务单  (A01-85)\n  2 [ ] 生产投料单  (A02-88)\n"))
        << run.output;
}

// --- The terminal -------------------------------------------------------------------------------

TEST_F(HostSession, EndOfTerminalInputQuitsCleanly) {
    const HostRun run = RunHost({"icmo", "--db", database_});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("== 生产任务单(")) << run.output;
    EXPECT_TRUE(run.Shows("icmo> ")) << run.output;
}

TEST_F(HostSession, TerminalGoesOnAfterABadCommandAndListsTheCommands) {
    const HostRun run = RunHost({"icmo", "--db", database_}, "frobnicate\nhelp\nquit\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("error: unknown command")) << run.output;
    EXPECT_TRUE(run.Shows("expand-row PATH ROW")) << run.output;
}

TEST_F(HostSession, TerminalBoxWithOneButtonIsShownWithoutAQuestion) {
    const HostRun run = RunHost({"icmo", "--db", database_}, "type bndSearch NOSUCHBILL\nquit\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("没有符合条件的任务单。")) << run.output;
    EXPECT_FALSE(run.Shows("answer [")) << run.output;
}

}  // namespace
