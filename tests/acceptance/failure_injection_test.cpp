// Every middle-tier call of both trackers, failed every way the failing middle tier can fail it
// (no result, an empty result, an error), during a walk through the whole tracker: open, show an
// order, expand every node, save options, filter, close. Whatever fails, nothing escapes, each
// table ends either as it was or as the same walk leaves it without the failure (nothing is lost
// or half written), and an error is told: in a box, the status line or the failure log.

#include <support/database_contents.h>
#include <support/tracker_fixture.h>

#include <components/bills/ic_list.h>
#include <components/logging/failure_log.h>
#include <components/middle_tier/failing_middle_tier.h>
#include <trackquery/dialogs/frmBillSel.h>
#include <trackquery/dialogs/frmList.h>
#include <trackquery/dialogs/frmOrderOption.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

using client::middle_tier::FailurePlan;
using Contents = std::map<std::string, std::string>;

struct Call {
    const char* operation;  // as the failure plan names it
    bool salesOrders;       // walked through sales order tracking, else task order tracking
};

const Call kCalls[] = {
    {"CGetICMOQuery.GetQueryFields", false},     {"CGetICMOQuery.GetICMOQuery", false},
    {"CGetICMOQuery.GetICMOOper", false},        {"CGetICMOQuery.GetICMOInfo", false},
    {"CGetICMOQuery.GetStockQty", false},        {"CGetICMOQuery.GetRs", false},
    {"CGetICMOQuery.GetFrmOption", false},       {"CGetICMOQuery.GetBillOption", false},
    {"CSetICMOQuery.SetFrmOption", false},       {"CSetICMOQuery.SetBillOption", false},
    {"CGetOrderQuery.GetBillOption", true},      {"CGetOrderQuery.GetOrderList", true},
    {"CGetOrderQuery.GetSeOrderPerforms", true}, {"CGetOrderQuery.GetSeOrderDetail", true},
    {"CGetOrderQuery.GetSeOrderCollect", true},  {"CGetICMOQuery.GetQueryFields", true},
    {"CSetICMOQuery.SetBillOption", true},
};

const FailurePlan::Mode kModes[] = {FailurePlan::Mode::ReturnNothing,
                                    FailurePlan::Mode::ReturnEmpty, FailurePlan::Mode::RaiseError};

class FailureInjection : public trackquery::testing::TrackerFixture {
  protected:
    FailureInjection() { strictBoxes = false; }

    // The whole task order tracker, as a user goes through it: both orders shown and expanded,
    // the bill kinds chosen, a filter, an order picked from the bill list, closed.
    void WalkTaskOrders() {
        // A tracker that refuses to start has told why; there is nothing more to walk.
        if (!Session().StartEmbedded(
                Session().CreateICMOQuery(),
                harness::HeadlessSession::BillList({{1, BillNo(1)}, {2, BillNo(2)}}), nullptr)) {
            return;
        }
        for (const int32_t node : {2, 3}) {
            Session().ClickNavigationNode(node);
            Session().AdvanceTime(600);
            ExpandEveryNode();
        }
        Session().Backend().AddModalStep("frmBillSel", [](windowing::Form& form) {
            auto& dialog = dynamic_cast<trackquery::frmBillSel&>(form);
            dialog.cmdAll->Click();
            dialog.CmdOK->Click();
        });
        Session().ClickTool("btnOption");
        Session().TypeIntoTool("bndfilter", "txtSelectBills", "WORK");
        Session().Backend().AddModalStep("frmList", [](windowing::Form& form) {
            auto& list =
                dynamic_cast<client::ICList&>(*dynamic_cast<trackquery::frmList&>(form).ICListSel);
            list.SelectRow(1);
            list.RaiseCommand("SelectOK");
        });
        Session().Viewer()->PressToolKey("bndfilter", "txtSelectBills", 118);
        Session().ClickTool("btnExit");
    }

    // The whole sales order tracker: an order shown and expanded, options saved, a filter, closed.
    void WalkSalesOrders() {
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("ClassTypeID", 81);
        auto orders = std::make_shared<automation::Vector>();
        auto order = std::make_shared<automation::Dictionary>();
        order->SetItem("FInterID", 1);
        orders->Add(order);
        para->SetItem("vctSeOrderList", orders);
        if (!Session().LoadEmbedded(Session().CreateSeOrderQuery(), para)) return;
        ExpandEveryNode();
        Session().Backend().AddModalStep("frmOrderOption", [](windowing::Form& form) {
            auto& dialog = dynamic_cast<trackquery::frmOrderOption&>(form);
            dialog.ChkMO->Click();
            dialog.CmdOK->Click();
        });
        Session().ClickTool("OrderSet");
        Session().TypeIntoTool("bndfilter", "txtSelectBills", "SEORD");
        Session().ClickTool("btnExit");
    }

    // The session each tracker runs in: the production module's or the sales module's.
    void OpenFor(bool salesOrders) {
        OpenSession(client::erp_database::kAdministratorID, salesOrders ? "XS" : "CJ");
    }

    // Expands the detail nodes of the first two levels; the harness refuses a path with nothing
    // at it, which ends that level.
    void ExpandEveryNode() {
        if (!Session().Viewer()) return;
        auto expand = [&](const std::string& path) {
            try {
                return Session().ExpandDetail(path);
            } catch (const automation::RuntimeError&) {
                return false;
            }
        };
        for (int top = 1; top <= 8 && expand(std::to_string(top)); ++top) {
            for (int child = 1; child <= 8; ++child) {
                if (!expand(std::to_string(top) + "." + std::to_string(child))) break;
            }
        }
    }

    void Walk(bool salesOrders) { salesOrders ? WalkSalesOrders() : WalkTaskOrders(); }

    Contents Now() { return trackquery::testing::TableContents(Database()); }
};

TEST_F(FailureInjection, EveryCallFailedEveryWayLosesNothingAndAnErrorIsTold) {
    const Contents before = Now();
    // What each walk leaves without a failure, from the database as it was.
    std::map<bool, Contents> walked;
    for (const bool salesOrders : {false, true}) {
        RebuildDatabase();
        OpenFor(salesOrders);
        Walk(salesOrders);
        CloseSession();
        walked[salesOrders] = Now();
        ASSERT_NE(walked[salesOrders], before) << "a walk saves options";
    }

    int injected = 0;
    for (const Call& call : kCalls) {
        for (const FailurePlan::Mode mode : kModes) {
            SCOPED_TRACE(std::string(call.operation) + " failing " +
                         (mode == FailurePlan::Mode::ReturnNothing ? "with nothing"
                          : mode == FailurePlan::Mode::ReturnEmpty ? "with an empty result"
                                                                   : "with an error"));
            RebuildDatabase();
            ASSERT_EQ(Now(), before);

            OpenFor(call.salesOrders);
            auto plan = std::make_shared<FailurePlan>();
            plan->Fail(call.operation, mode);
            client::middle_tier::RegisterFailingMiddleTier(plan);
            const size_t logged = client::FailureCount();
            try {
                Walk(call.salesOrders);
            } catch (const std::exception& error) {
                ADD_FAILURE() << "escaped: " << error.what();
            }
            const size_t boxes = Session().MessageBoxes().size();
            CloseSession();
            if (plan->Calls(call.operation) == 0) {
                ADD_FAILURE() << "the walk never made the call";
                continue;
            }
            ++injected;

            const Contents after = Now();
            for (const auto& [table, rows] : after) {
                const bool untouched = rows == before.at(table);
                const bool asWithoutTheFailure = rows == walked[call.salesOrders].at(table);
                EXPECT_TRUE(untouched || asWithoutTheFailure) << table << " is half written";
            }
            if (mode == FailurePlan::Mode::RaiseError) {
                EXPECT_TRUE(boxes > 0 || client::FailureCount() > logged)
                    << "the error was told nowhere";
            }
        }
    }
    EXPECT_EQ(injected, static_cast<int>(std::size(kCalls) * std::size(kModes)));
}

}  // namespace
