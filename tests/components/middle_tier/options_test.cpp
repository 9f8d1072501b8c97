// Window options and option choices: round trips, the order of the bill options, and keys that
// hold quotes or SQL text.

#include "erp_fixture.h"

namespace mt_test {
namespace {

class Options : public ErpFixture {
  protected:
    std::vector<std::string> Keys(const trackquery::RecordsetPtr& rs) {
        std::vector<std::string> keys;
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) keys.push_back(Text(rs, "FKey"));
        return keys;
    }
    int64_t SavedRows() { return Scalar("SELECT COUNT(*) FROM ICTrackOptionUser"); }
};

TEST_F(Options, WindowOptionsWrittenUnderTheKeyAreReadBackWithFrm) {
    auto options = std::make_shared<automation::Dictionary>();
    options->SetItem("btnShowFilter", Variant(true));
    options->SetItem("btnReturnAllBill", Variant(false));
    ASSERT_TRUE(IcmoWriter()->SetFrmOption(Props(), "ICMOTrack", erp::kAdministratorID, options));
    auto rs = IcmoQuery()->GetFrmOption(Props(), "ICMOTrackFrm");
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->SetFilter("FKey = 'btnShowFilter'");
    EXPECT_TRUE(automation::CBool(rs->Value("FValue")));
    rs->SetFilter("FKey = 'btnReturnAllBill'");
    EXPECT_FALSE(automation::CBool(rs->Value("FValue")));
}

TEST_F(Options, WindowOptionsBelongToOneUserAndOneKey) {
    auto options = std::make_shared<automation::Dictionary>();
    options->SetItem("btnShowFilter", Variant(true));
    ASSERT_TRUE(IcmoWriter()->SetFrmOption(Props(), "ICMOTrack", erp::kAdministratorID, options));
    EXPECT_EQ(IcmoQuery()->GetFrmOption(Props(erp::kPlannerID), "ICMOTrackFrm")->RecordCount(), 0);
    EXPECT_EQ(IcmoQuery()->GetFrmOption(Props(), "WWICMOTrackFrm")->RecordCount(), 0);
    // Saving again replaces the earlier set.
    auto fewer = std::make_shared<automation::Dictionary>();
    fewer->SetItem("btnShowViewer", Variant(int32_t{1}));
    ASSERT_TRUE(IcmoWriter()->SetFrmOption(Props(), "ICMOTrack", erp::kAdministratorID, fewer));
    auto rs = IcmoQuery()->GetFrmOption(Props(), "ICMOTrackFrm");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(Text(rs, "FKey"), "btnShowViewer");
}

TEST_F(Options, WindowOptionThatIsNoYesOrNoWritesNothing) {
    auto options = std::make_shared<automation::Dictionary>();
    options->SetItem("btnShowFilter", Variant(true));
    options->SetItem("btnShowViewer", Variant("perhaps"));
    EXPECT_THROW(IcmoWriter()->SetFrmOption(Props(), "ICMOTrack", erp::kAdministratorID, options),
                 automation::RuntimeError);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICTrackFrmOption"), 0);
}

TEST_F(Options, OperationRecordKindSortsFirstAmongOperationKinds) {
    for (const char* set : {"ICMOTrack", "REPICMOTrack", "WWICMOTrack"}) {
        auto rs = IcmoQuery()->GetBillOption(Props(), set, Variant(erp::kAdministratorID), false);
        rs->SetFilter(
            " FID = '-52' OR FID='-502' OR FID='-581' OR FID='-582' OR FID='-710' OR "
            "FID='-715' OR FID='1002504' ");
        rs->SetSort("  FKey");
        ASSERT_GT(rs->RecordCount(), 1) << set;
        EXPECT_EQ(Number(rs, "FID"), -52) << set;
        // The dialog recovers the kind from the key without its three-character prefix.
        for (; !rs->Eof(); rs->MoveNext()) {
            EXPECT_EQ(Text(rs, "FKey").substr(3), Text(rs, "FID")) << set;
        }
    }
}

TEST_F(Options, DefaultsHoldUntilTheUserSavesAChoice) {
    auto chosen = IcmoQuery()->GetBillOption(Props(), "ICMOTrack", Variant("16394"), true);
    EXPECT_EQ(chosen->RecordCount(),
              Scalar("SELECT COUNT(*) FROM ICTrackOptionDef WHERE FOptionKey = 'ICMOTrack' AND "
                     "FDefault = 1"));
    ASSERT_TRUE(IcmoWriter()->SetBillOption(Props(), "ICMOTrack", erp::kAdministratorID,
                                            "'A04-24' ,'P00-52' ,'P01-502' "));
    chosen = IcmoQuery()->GetBillOption(Props(), "ICMOTrack", Variant(erp::kAdministratorID), true);
    EXPECT_EQ(Keys(chosen), (std::vector<std::string>{"A04-24", "P00-52", "P01-502"}));
    auto all =
        IcmoQuery()->GetBillOption(Props(), "ICMOTrack", Variant(erp::kAdministratorID), false);
    EXPECT_EQ(all->RecordCount(),
              Scalar("SELECT COUNT(*) FROM ICTrackOptionDef WHERE FOptionKey = 'ICMOTrack'"));
    // Another user still sees the defaults.
    auto other = IcmoQuery()->GetBillOption(Props(), "ICMOTrack", Variant(erp::kPlannerID), true);
    EXPECT_NE(other->RecordCount(), 3);
}

TEST_F(Options, NoKeySetOnClearsTheChoice) {
    ASSERT_TRUE(
        IcmoWriter()->SetBillOption(Props(), "ICMOTrack", erp::kAdministratorID, "'NoKeySetOn'"));
    EXPECT_EQ(IcmoQuery()
                  ->GetBillOption(Props(), "ICMOTrack", Variant(erp::kAdministratorID), true)
                  ->RecordCount(),
              0);
}

TEST_F(Options, KeyWithAQuoteOrSqlTextStoresNothingAndRunsNothing) {
    ASSERT_TRUE(
        IcmoWriter()->SetBillOption(Props(), "ICMOTrack", erp::kAdministratorID, "'A04-24'"));
    const int64_t before = SavedRows();
    for (const std::string bad : {"'A04-24'') OR 1=1 --'", "'A04-24', 'x'); DELETE FROM ICMO; --'",
                                  "'A0'4-24'", "A04-24", "'A04-24',", "'A04-24' 'P00-52'", "''",
                                  "'NoSuchKey'", "'A04-24'); DROP TABLE ICTrackOptionUser; --"}) {
        EXPECT_THROW(IcmoWriter()->SetBillOption(Props(), "ICMOTrack", erp::kAdministratorID, bad),
                     automation::RuntimeError)
            << bad;
    }
    EXPECT_EQ(SavedRows(), before);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICMO"), 12);
    auto chosen =
        IcmoQuery()->GetBillOption(Props(), "ICMOTrack", Variant(erp::kAdministratorID), true);
    EXPECT_EQ(Keys(chosen), std::vector<std::string>{"A04-24"});
}

TEST_F(Options, UnknownOptionSetIsRefused) {
    EXPECT_THROW(IcmoWriter()->SetBillOption(Props(), "NoSuchSet", erp::kAdministratorID, "'A'"),
                 automation::RuntimeError);
    EXPECT_EQ(IcmoQuery()
                  ->GetBillOption(Props(), "NoSuchSet", Variant(erp::kAdministratorID), false)
                  ->RecordCount(),
              0);
}

TEST_F(Options, SalesOrderSwitchesRoundTripForTheSessionUser) {
    auto before = OrderQuery()->GetBillOption(Props(), "QzSeorderTrack_81");
    ASSERT_EQ(before->RecordCount(), 9);
    ASSERT_TRUE(IcmoWriter()->SetBillOption(Props(), "QzSeorderTrack_81", erp::kAdministratorID,
                                            "'ShowLC','ShowMO'"));
    auto after = OrderQuery()->GetBillOption(Props(), "QzSeorderTrack_81");
    for (after->MoveFirst(); !after->Eof(); after->MoveNext()) {
        const std::string key = Text(after, "FKey");
        EXPECT_EQ(Number(after, "FValue"), (key == "ShowLC" || key == "ShowMO") ? 1 : 0) << key;
    }
    // The export order set is separate.
    auto exportSet = OrderQuery()->GetBillOption(Props(), "QzSeorderTrack_1007100");
    exportSet->SetFilter("FKey = 'ShowInvoice'");
    EXPECT_EQ(Number(exportSet, "FValue"), 1);
}

TEST(ChosenKeys, ParsesTheTextsBothDialogsWrite) {
    using client::middle_tier::ParseChosenKeys;
    EXPECT_EQ(ParseChosenKeys("'A01-85' ,'P00-52' "),
              (std::vector<std::string>{"A01-85", "P00-52"}));
    EXPECT_EQ(ParseChosenKeys("'ShowLC','ShowMO'"), (std::vector<std::string>{"ShowLC", "ShowMO"}));
    EXPECT_TRUE(ParseChosenKeys("'NoKeySetOn'").empty());
    EXPECT_THROW(ParseChosenKeys(""), automation::RuntimeError);
    EXPECT_THROW(ParseChosenKeys("'a' ,"), automation::RuntimeError);
}

}  // namespace
}  // namespace mt_test
