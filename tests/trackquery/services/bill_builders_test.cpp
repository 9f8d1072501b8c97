// The small builders of bill invocation: key fields, list record sets, tokens, the user id and
// the base information of the bill list.

#include <support/security_test_support.h>

#include <trackquery/services/BillFunc.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>

using namespace security_test;
using automation::Variant;
using trackquery::GetNthToken;

namespace {

class BillBuildersTest : public SecurityTest {};

// --- GetNthToken ------------------------------------------------------------------------------

TEST(GetNthToken, SecondOfThreeDottedTokens) { EXPECT_EQ(GetNthToken("2.7.13", 2, "."), "7"); }

TEST(GetNthToken, BeyondTheLastTokenIsEmpty) { EXPECT_EQ(GetNthToken("2.7.13", 4, "."), ""); }

TEST(GetNthToken, LastTokenIsFound) { EXPECT_EQ(GetNthToken("2.7.13", 3, "."), "13"); }

TEST(GetNthToken, ColonSeparatedKeyFields) {
    EXPECT_EQ(GetNthToken("SE10:1:0", 1, ":"), "SE10");
    EXPECT_EQ(GetNthToken("SE10:1:0", 2, ":"), "1");
    EXPECT_EQ(GetNthToken("SE10:1", 3, ":"), "");
}

TEST(GetNthToken, EmptyTokensCount) {
    EXPECT_EQ(GetNthToken("a..c", 2, "."), "");
    EXPECT_EQ(GetNthToken("a..c", 3, "."), "c");
}

TEST(GetNthToken, TextWithoutSeparatorIsItsOwnFirstToken) {
    EXPECT_EQ(GetNthToken("WORK001", 1, "."), "WORK001");
    EXPECT_EQ(GetNthToken("WORK001", 2, "."), "");
    EXPECT_EQ(GetNthToken("", 1, "."), "");
}

TEST(GetNthToken, PositionBelowOneIsEmpty) {
    EXPECT_EQ(GetNthToken("a.b", 0, "."), "");
    EXPECT_EQ(GetNthToken("a.b", -1, "."), "");
}

TEST(GetNthToken, SeparatorIsComparedExactly) {
    EXPECT_EQ(GetNthToken("aXbxc", 2, "x"), "c");
    EXPECT_EQ(GetNthToken("one::two", 2, "::"), "two");
}

// --- Key fields and list record sets ----------------------------------------------------------

TEST(NewBillKeyFields, IdThenKind) {
    const auto fields = trackquery::NewBillKeyFields();
    ASSERT_EQ(fields->Count(), 2);
    const auto first = fields->Item(1).As<automation::Dictionary>();
    const auto second = fields->Item(2).As<automation::Dictionary>();
    EXPECT_EQ(first->Item("FColName"), Variant("FInterID"));
    EXPECT_EQ(automation::CLng(first->Item("FISPrimary")), 1);
    EXPECT_EQ(second->Item("FColName"), Variant("FTranType"));
    EXPECT_EQ(automation::CLng(second->Item("FISPrimary")), 3);
}

TEST(NewBillListRecordset, OneRowOfTwoLongs) {
    const auto rs = trackquery::NewBillListRecordset(70000, 85);
    ASSERT_EQ(rs->FieldCount(), 2);
    EXPECT_EQ(rs->FieldAt(0).Name, "FInterID");
    EXPECT_EQ(rs->FieldAt(1).Name, "FTranType");
    EXPECT_EQ(rs->FieldAt(0).Type, adodb::adInteger);
    EXPECT_EQ(rs->FieldAt(1).Type, adodb::adInteger);
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->MoveFirst();
    EXPECT_EQ(automation::CLng(rs->Value("FInterID")), 70000);
    EXPECT_EQ(automation::CLng(rs->Value("FTranType")), 85);
}

TEST(AppendRecord, ValuesGoToTheFieldsInOrder) {
    auto rs = std::make_shared<adodb::Recordset>();
    rs->Fields()->Append("FID", adodb::adInteger);
    rs->Fields()->Append("FClassTypeID", adodb::adInteger);
    rs->Open();
    trackquery::AppendRecord(rs, {Variant(11), Variant(1007100)});
    trackquery::AppendRecord(rs, {Variant(12), Variant(1007100)});
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->MoveLast();
    EXPECT_EQ(automation::CLng(rs->Value("FID")), 12);
    EXPECT_EQ(automation::CLng(rs->Value(1)), 1007100);
}

TEST(AppendRecord, MissingValuesLeaveTheirFieldsNull) {
    auto rs = std::make_shared<adodb::Recordset>();
    rs->Fields()->Append("FInterID", adodb::adInteger);
    rs->Fields()->Append("FTranType", adodb::adInteger);
    rs->Open();
    trackquery::AppendRecord(rs, {Variant(5)});
    EXPECT_EQ(automation::CLng(rs->Value("FInterID")), 5);
    EXPECT_TRUE(rs->Value("FTranType").IsNull());
}

TEST(AppendRecord, NoRecordSetIsAnError) {
    EXPECT_THROW(trackquery::AppendRecord(nullptr, {Variant(1)}), automation::RuntimeError);
}

// --- User id and base information -------------------------------------------------------------

TEST_F(BillBuildersTest, UserIdIsThirtyTwoBit) {
    UseUser(kBigUser, "bigid");
    EXPECT_EQ(trackquery::GetUserIDText(), "40000");
    client::SetPropsString("ConnectString={Data Source=/x.db};userid=2147483647;UserName=a;");
    EXPECT_EQ(trackquery::GetUserIDText(), "2147483647");
}

TEST_F(BillBuildersTest, MissingUserIdReadsAsZero) {
    client::SetPropsString("ConnectString={Data Source=/x.db};UserName=a;");
    EXPECT_EQ(trackquery::GetUserIDText(), "0");
}

TEST_F(BillBuildersTest, BaseInformationJoinsConnectionUserAndName) {
    client::SetPropsString(
        "ConnectString={Provider=SQLite;Data "
        "Source=/srv/erp.db};USERID=40000;username=张三;SubID=CJ;");
    EXPECT_EQ(trackquery::GetBaseInfo(trackquery::GetPropsString()),
              "Provider=SQLite;Data Source=/srv/erp.db|40000|张三");
}

}  // namespace
