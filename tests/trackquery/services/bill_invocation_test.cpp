// Showing bills and bill lists in the client's bill windows.

#include <support/security_test_support.h>

#include <trackquery/services/BillFunc.h>
#include <trackquery/services/modTrackQuery.h>

#include <components/bills/bills.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>

using namespace security_test;
using automation::Variant;

namespace {

// A bill component that keeps every instance, so that a test can read what the library set.
class KeptBills : public client::Bills {
  public:
    using client::Bills::Bills;
    static std::vector<std::shared_ptr<KeptBills>>& Instances() {
        static std::vector<std::shared_ptr<KeptBills>> instances;
        return instances;
    }
};

class BillInvocationTest : public SecurityTest {
  protected:
    void SetUp() override {
        SecurityTest::SetUp();
        SeedBills();
        KeptBills::Instances().clear();
        windowing::Screen().Reset();
    }
    void TearDown() override {
        KeptBills::Instances().clear();
        SecurityTest::TearDown();
    }

    void KeepBills() {
        for (const char* progId : {trackquery::kBillsProgId, trackquery::kBillsExProgId}) {
            automation::ComponentRegistry::Instance().Register(progId, [progId] {
                auto bills = std::make_shared<KeptBills>(progId);
                KeptBills::Instances().push_back(bills);
                return bills;
            });
        }
    }

    static trackquery::RecordsetPtr TaskOrderList(std::initializer_list<int32_t> ids) {
        auto rs = std::make_shared<adodb::Recordset>();
        rs->Fields()->Append("FInterID", adodb::adInteger);
        rs->Fields()->Append("FTranType", adodb::adInteger);
        rs->Open();
        for (const int32_t id : ids) trackquery::AppendRecord(rs, {Variant(id), Variant(85)});
        return rs;
    }

    static const client::BillWindowRecord& LastOpening() {
        return client::BillWindowHistory().back();
    }
};

// --- ShowBill ---------------------------------------------------------------------------------

TEST_F(BillInvocationTest, ShowBillOpensTheBillInTheOrdinaryComponent) {
    UseUser(kBigUser, "bigid");
    bool changed = true;
    const auto result = trackquery::ShowBill(207, false, 1, nullptr, 2, 85, "", -1, changed);
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    const auto& opened = LastOpening();
    EXPECT_EQ(opened.Request.Component, "QzBills.Bills");
    EXPECT_EQ(opened.Request.BillType, 207);
    EXPECT_EQ(opened.Request.ShowMode, 1);
    EXPECT_EQ(opened.InterID, 2);
    EXPECT_EQ(opened.TranType, 85);
    EXPECT_EQ(opened.BillNo, "WORK002");
    EXPECT_EQ(opened.Position, 1);
    EXPECT_EQ(opened.RowCount, 1);
    EXPECT_EQ(opened.Request.UserID, kBigUser);
    EXPECT_EQ(opened.Request.UserName, "bigid");
    EXPECT_EQ(opened.Request.SystemName, "");
    EXPECT_FALSE(changed);
    EXPECT_TRUE(result.IsObject());
}

TEST_F(BillInvocationTest, ShowBillUsesTheExtendedComponentWhenAsked) {
    bool changed = false;
    trackquery::ShowBill(900, true, 2, nullptr, 0, 0, "", -1, changed);
    EXPECT_EQ(LastOpening().Request.Component, "QzBillsEx.Bills");
    EXPECT_EQ(LastOpening().InterID, 0);
    EXPECT_EQ(LastOpening().RowCount, 0);
}

TEST_F(BillInvocationTest, ShowBillPassesTheSessionAndTheState) {
    KeepBills();
    auto state = std::make_shared<automation::Vector>();
    bool changed = false;
    trackquery::ShowBill(207, false, 1, state, 1, 85, "85,551", -1, changed);
    ASSERT_EQ(KeptBills::Instances().size(), 1u);
    const auto& bills = *KeptBills::Instances()[0];
    const auto saved = bills.SaveVect->Item(1).As<automation::Dictionary>();
    EXPECT_EQ(saved->Item("StateParm"), Variant(state));
    EXPECT_EQ(saved->Item("sDsn"), Variant(trackquery::GetPropsString()));
    EXPECT_EQ(bills.NewBillTransType, "85,551");
    EXPECT_EQ(bills.LocalCnn, ConnectionString());
    ASSERT_TRUE(bills.ListRSFieldVect);
    EXPECT_EQ(bills.ListRSFieldVect->Count(), 2);
}

TEST_F(BillInvocationTest, ShowBillKeepsADsnTheComponentAlreadyHas) {
    KeepBills();
    automation::ComponentRegistry::Instance().Register(trackquery::kBillsProgId, [] {
        auto bills = std::make_shared<KeptBills>(trackquery::kBillsProgId);
        bills->SaveVect->Item(1).As<automation::Dictionary>()->SetItem("sDsn", "own");
        KeptBills::Instances().push_back(bills);
        return bills;
    });
    bool changed = false;
    trackquery::ShowBill(207, false, 1, nullptr, 1, 85, "", -1, changed);
    const auto saved = KeptBills::Instances()[0]->SaveVect->Item(1).As<automation::Dictionary>();
    EXPECT_EQ(saved->Item("sDsn"), Variant("own"));
    EXPECT_FALSE(saved->Exists("StateParm"));
}

TEST_F(BillInvocationTest, ShowBillFailuresReachTheCaller) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kSystemDlgProgId);
    bool changed = false;
    EXPECT_THROW(trackquery::ShowBill(207, false, 1, nullptr, 1, 85, "", -1, changed),
                 automation::RuntimeError);
    EXPECT_TRUE(client::BillWindowHistory().empty());
}

// --- ShowBillList -----------------------------------------------------------------------------

TEST_F(BillInvocationTest, ListOpensPositionedOnTheCurrentRow) {
    auto list = TaskOrderList({1, 2, 3});
    list->MoveFirst();
    list->SetAbsolutePosition(2);
    bool changed = false;
    trackquery::ShowBillList(list, trackquery::NewBillKeyFields(), 1, 0, 85, 85, 2, 0, changed,
                             "ShopFloor");
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    const auto& opened = LastOpening();
    EXPECT_EQ(opened.Request.Component, "QzBills.Bills");
    EXPECT_EQ(opened.Request.BillType, 85);
    EXPECT_EQ(opened.Request.ShowMode, 2);
    EXPECT_EQ(opened.InterID, 2);
    EXPECT_EQ(opened.Position, 2);
    EXPECT_EQ(opened.RowCount, 3);
    EXPECT_EQ(opened.Request.SystemName, "ShopFloor");
    EXPECT_EQ(opened.Request.NewBillTransType, "85");
    EXPECT_EQ(opened.Request.ShowForModeExt, 1);
    EXPECT_FALSE(opened.Request.SplitBill);
}

TEST_F(BillInvocationTest, TheOtherBillsOfTheListAreReachableInTheWindow) {
    auto list = TaskOrderList({1, 2, 3});
    list->MoveFirst();
    bool changed = false;
    trackquery::ShowBillList(list, trackquery::NewBillKeyFields(), 1, 0, 85, 85, 1, 0, changed, "");
    auto windows = client::OpenBillWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->InterID(), 1);
    EXPECT_TRUE(windows[0]->MoveNext());
    EXPECT_EQ(windows[0]->InterID(), 2);
    EXPECT_TRUE(windows[0]->MoveLast());
    EXPECT_EQ(automation::CStr(windows[0]->Bill()->Item("FBillNo")), "WORK003");
    EXPECT_FALSE(windows[0]->MoveNext());
}

TEST_F(BillInvocationTest, SalesReturnsAskForNewBillsOfBothKinds) {
    bool changed = false;
    trackquery::ShowBillList(TaskOrderList({1}), trackquery::NewBillKeyFields(), 1, 0, 75, 85, 1, 0,
                             changed, "");
    EXPECT_EQ(LastOpening().Request.NewBillTransType, "75,76");
    trackquery::ShowBillList(TaskOrderList({1}), trackquery::NewBillKeyFields(), 1, 0, 80, 85, 1, 0,
                             changed, "");
    EXPECT_EQ(LastOpening().Request.NewBillTransType, "80,86");
}

TEST_F(BillInvocationTest, SplitFlagOneSplitsTheBill) {
    bool changed = false;
    trackquery::ShowBillList(TaskOrderList({1}), trackquery::NewBillKeyFields(), 1, 3, 85, 85, 1, 1,
                             changed, "");
    EXPECT_TRUE(LastOpening().Request.SplitBill);
    EXPECT_EQ(LastOpening().Request.TheSaleMode, 3);
}

TEST_F(BillInvocationTest, EmptyListWithAModeShowsNothing) {
    bool changed = false;
    trackquery::ShowBillList(TaskOrderList({}), trackquery::NewBillKeyFields(), 1, 0, 85, 85, 1, 0,
                             changed, "");
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
}

TEST_F(BillInvocationTest, HourglassDuringTheOpeningThenDefault) {
    bool changed = false;
    trackquery::ShowBillList(TaskOrderList({1}), trackquery::NewBillKeyFields(), 1, 0, 85, 85, 1, 0,
                             changed, "");
    const auto& pointers = headless_->MousePointers();
    ASSERT_GE(pointers.size(), 2u);
    EXPECT_EQ(pointers.front(), windowing::vbHourglass);
    EXPECT_EQ(pointers.back(), windowing::vbDefault);
}

TEST_F(BillInvocationTest, FailureIsShownAndThePointerRestored) {
    auto list = std::make_shared<adodb::Recordset>();
    list->Fields()->Append("FBillNo", adodb::adVarWChar);
    list->Open();
    trackquery::AppendRecord(list, {Variant("WORK001")});
    bool changed = false;
    trackquery::ShowBillList(list, trackquery::NewBillKeyFields(), 1, 0, 85, 85, 1, 0, changed, "");
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
    EXPECT_FALSE(changed);
}

// --- GetGLView --------------------------------------------------------------------------------

TEST_F(BillInvocationTest, ItemLookUpComponentIsKeptForTheProcess) {
    int created = 0;
    automation::ComponentRegistry::Instance().Register(trackquery::kGLViewProgId, [&created] {
        ++created;
        return std::make_shared<client::GLView>();
    });
    const auto first = trackquery::GetGLView();
    const auto second = trackquery::GetGLView();
    EXPECT_EQ(first, second);
    EXPECT_EQ(created, 1);
}

TEST_F(BillInvocationTest, ItemLookUpShowsTheMaterialOfTheFilter) {
    auto options = std::make_shared<automation::Dictionary>();
    options->SetItem("BeShortNumber", trackquery::GetSystemProfileValue("UseShortNumber", "IC"));
    trackquery::GetGLView()->ItemLookUp(4, Variant(), "t1.FNumber IN ('1.01.001','1.01.002')",
                                        options);
    ASSERT_EQ(client::ItemViewHistory().size(), 1u);
    EXPECT_EQ(client::ItemViewHistory()[0]->Render(), "001 齿轮\n002 轴\n");
}

TEST_F(BillInvocationTest, MissingItemLookUpComponentReachesTheCaller) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kGLViewProgId);
    EXPECT_THROW(trackquery::GetGLView(), automation::RuntimeError);
}

}  // namespace
