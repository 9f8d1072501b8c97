// The bill windows and bill lists as a clerk reads them, on the demo database of either engine:
// every kind of bill the trackers open shows captioned head fields, words for codes, names for
// ids, dates as dates and its entry lines; the terminal shows bills and lists in the session's
// language.

#include "host_runner.h"

#include <components/bills/bill_sheet.h>
#include <components/session/share_props.h>

#include <gtest/gtest.h>

#include <platform/automation/strings.h>

#include <map>
#include <set>

namespace {

using namespace host_test;

struct KindCase {
    const char* table;
    const char* firstCaption;
    const char* entryTable;  // nullptr: a bill without entry lines
};

constexpr KindCase kKinds[] = {
    {"ICStockBill", "单据编号", "ICStockBillEntry"},
    {"SEOrder", "订单编号", "SEOrderEntry"},
    {"ICMO", "任务单号", nullptr},
    {"PPBOM", "单据编号", "PPBOMEntry"},
    {"ICBOM", "BOM编号", "ICBOMChild"},
    {"t_Routing", "工艺路线", "t_RoutingOper"},
    {"SHWorkBill", "单据编号", "SHWorkBillEntry"},
    {"SHOperBill", "单据编号", nullptr},
    {"ICMORpt", "单据编号", nullptr},
    {"ICSubstitute", "任务单号", nullptr},
    {"ICSale", "发票号码", "ICSaleEntry"},
    {"SEOutStock", "单据编号", "SEOutStockEntry"},
    {"t_RPReceipt", "单据编号", "t_RPReceiptEntry"},
    {"t_ExpLC", "单据编号", nullptr},
};

std::string Field(const client::BillSheet& sheet, const std::string& caption) {
    for (const auto& [shown, value] : sheet.head) {
        if (shown == caption) return value;
    }
    return "(none)";
}

bool IsIsoDate(const std::string& text) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-';
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

}  // namespace

TEST(BillSheets, EveryKindOfBillReadsAsAClerkKnowsIt) {
    const std::string database = DemoDatabase();
    client::ClearSessionProperties();  // a Chinese session: the captions as the ERP writes them
    adodb::Connection cnn;
    cnn.Open(client::erp_database::ConnectionStringFor(database));
    const std::set<std::string> statusWords = {"未审核", "已审核", "已关闭", "作废", "计划",
                                               "下达",   "结案",   "确认",   "挂起"};
    for (const auto& kind : kKinds) {
        SCOPED_TRACE(kind.table);
        const std::string id =
            QueryText(database, std::string("SELECT MAX(FInterID) FROM ") + kind.table);
        ASSERT_FALSE(id.empty()) << "the demo database holds bills of every kind";
        const auto sheet = client::ReadBillSheet(cnn, kind.table, std::stoi(id));
        ASSERT_FALSE(sheet.head.empty());
        EXPECT_EQ(sheet.head[0].first, kind.firstCaption);
        EXPECT_FALSE(sheet.head[0].second.empty());
        for (const auto& [caption, value] : sheet.head) {
            if (caption.find("日期") != std::string::npos || caption == "有效期") {
                EXPECT_TRUE(IsIsoDate(value)) << caption << ": " << value;
            }
            if (caption == "状态") {
                EXPECT_EQ(statusWords.count(value), 1u) << value;
            }
        }
        // The biller by name, as the user table has it.
        EXPECT_EQ(Field(sheet, "制单人"),
                  QueryText(database, std::string("SELECT u.FName FROM ") + kind.table +
                                          " b JOIN t_User u ON u.FUserID = b.FBillerID "
                                          "WHERE b.FInterID = " +
                                          id));
        if (!kind.entryTable) {
            EXPECT_TRUE(sheet.columns.empty());
            continue;
        }
        ASSERT_FALSE(sheet.columns.empty());
        EXPECT_EQ(sheet.columns[0].caption, "行号");
        EXPECT_EQ(
            static_cast<int64_t>(sheet.entries.size()),
            test_support::QueryNumber(database, std::string("SELECT COUNT(*) FROM ") +
                                                    kind.entryTable + " WHERE FInterID = " + id));
        for (const auto& entry : sheet.entries) EXPECT_EQ(entry.size(), sheet.columns.size());
    }
}

TEST(BillSheets, TheTerminalShowsBillsAndListsInTheSessionsLanguage) {
    const std::string database = DemoDatabase();
    const HostRun tasks = RunScript(
        database, "key bndfilter F7\nrow 1\nok\nexpand 1\nexpand 2\nopen 1 1\nopen 2 1\nquit\n",
        {"--lang", "EN"});
    const std::string order = QueryText(
        database, "SELECT MIN(FBillNo) FROM SEOrder WHERE FClassTypeID = 0 AND FCheckerID > 0");
    const HostRun sales = RunScript(database, "expand 2.1\nexpand 2.4\nopen 2.1 1\nopen 2.4 1\n",
                                    {"--lang", "EN", "--bills", order}, RunHost, "seorder");
    for (const HostRun* run : {&tasks, &sales}) {
        ASSERT_EQ(run->exitCode, 0) << run->output;
        // Head fields of the bill windows ("  caption : value") speak English.
        std::multimap<std::string, std::string> head;
        for (const auto& line : Lines(run->output)) {
            const auto separator = line.find(" : ");
            if (separator == std::string::npos) continue;
            const std::string caption = automation::Trim(line.substr(0, separator));
            EXPECT_TRUE(IsAscii(caption)) << line;
            head.emplace(caption, line.substr(separator + 3));
        }
        EXPECT_GT(head.size(), 10u) << run->output;
        EXPECT_FALSE(run->Shows("FInterID")) << "no database column";
        ASSERT_EQ(head.count("Status") > 0, true) << run->output;
        EXPECT_EQ(head.find("Status")->second, "Approved") << run->output;
        EXPECT_TRUE(run->Shows("  Line | Item number | Item name | Model | Unit | "))
            << run->output;
        EXPECT_EQ(head.count("Matching"), run == &sales ? 1u : 0u) << "an invoice's matching";
    }
    EXPECT_TRUE(
        tasks.Shows("+-- Production Task Order List (frmList) --\n  #   | Task order | Kind "))
        << tasks.output;
    EXPECT_TRUE(tasks.Shows("| Production Task Order | ")) << "the kind as a word";
    EXPECT_TRUE(tasks.Shows("Production Material List - PPBOM")) << tasks.output;
    EXPECT_TRUE(sales.Shows("Sales Order - " + order)) << sales.output;
    const HostRun exports = RunScript(database, "key bndfilter F7\ncancel\n",
                                      {"--lang", "EN", "--type", "export"}, RunHost, "seorder");
    EXPECT_TRUE(
        exports.Shows("+-- Export Order (frmBillLookUp) --\n  # | Order number | Line | Date"))
        << exports.output;
}
