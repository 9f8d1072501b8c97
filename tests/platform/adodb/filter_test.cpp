#include "recordset_fixtures.h"

#include <gtest/gtest.h>

using namespace adodb_test;
using adodb::adInteger;
using adodb::adVarWChar;
namespace adoerr = adodb::adoerr;

namespace {

// The texts the tracking views set on the bill option record set, word for word.
constexpr const char* kPackageKinds =
    " FID = '-52' OR FID='-502' OR FID='-581' OR FID='-582' OR FID='-710' OR FID='-715' OR "
    "FID='1002504' ";
constexpr const char* kOrdinaryKinds =
    " FID <> '-52' AND FID<>'-502' AND FID<>'-581' AND FID<>'-582' AND FID<>'-710' AND "
    "FID<>'-715' AND FID<>'1002504' ";

class LibraryFilterTexts : public ::testing::TestWithParam<adodb::DataTypeEnum> {};

TEST_P(LibraryFilterTexts, QuotedOperationKindFindsOneRow) {
    auto rs = MakeBillOptions(GetParam());
    rs->SetFilter(" FID = '-52' ");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Value("FKey"), Variant("B52"));
}

TEST_P(LibraryFilterTexts, UnquotedOperationKindFindsOneRow) {
    auto rs = MakeBillOptions(GetParam());
    rs->SetFilter(" FID = -52 ");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Value("FKey"), Variant("B52"));
}

TEST_P(LibraryFilterTexts, PackageKindsChainOfOr) {
    auto rs = MakeBillOptions(GetParam());
    rs->SetFilter(kPackageKinds);
    EXPECT_EQ(rs->RecordCount(), 7);
    EXPECT_EQ(Walk(*rs, "FKey"),
              (std::vector<Variant>{"B52", "C502", "D581", "E582", "F710", "G715", "H2504"}));
}

TEST_P(LibraryFilterTexts, OrdinaryKindsChainOfAnd) {
    auto rs = MakeBillOptions(GetParam());
    rs->SetFilter(kOrdinaryKinds);
    EXPECT_EQ(Walk(*rs, "FKey"), (std::vector<Variant>{"A85", "I24", "J2"}));
}

TEST_P(LibraryFilterTexts, KeyAppendedWithoutBlank) {
    auto rs = MakeBillOptions(GetParam());
    rs->SetFilter(std::string(" FID =") + "-85");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Value("FKey"), Variant("A85"));
    rs->SetFilter(std::string(" FID = ") + "1002504");
    EXPECT_EQ(rs->Value("FKey"), Variant("H2504"));
}

INSTANTIATE_TEST_SUITE_P(FidAsNumberOrText, LibraryFilterTexts,
                         ::testing::Values(adInteger, adVarWChar));

RecordsetPtr MakeQueryFields() {
    return MakeRecordset({{"FTranType", adInteger}, {"FKey", adVarWChar}, {"FSum", adInteger}},
                         {{81, "FBillNo", 0},
                          {81, "FQty", 1},
                          {82, "FBillNo", 0},
                          {1007132, "FAmount", 1},
                          {85, "FBillNo", 0},
                          {-85, "FAuxQty", 1}});
}

TEST(FilterOnQueryFields, TransactionTypeTextsWithAndWithoutBlanks) {
    auto rs = MakeQueryFields();
    rs->SetFilter("FTranType =81 ");
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->SetFilter("FTranType = 1007132 ");
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->SetFilter(std::string(" FTranType = ") + "-85");
    EXPECT_EQ(Walk(*rs, "FKey"), std::vector<Variant>{"FAuxQty"});
    rs->SetFilter("FTranType = 21 ");
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST(FilterOnQueryFields, SumFlagAndQuotedKey) {
    auto rs = MakeQueryFields();
    rs->SetFilter(" FSum=1");
    EXPECT_EQ(Walk(*rs, "FKey"), (std::vector<Variant>{"FQty", "FAmount", "FAuxQty"}));
    rs->SetFilter(" FKey='FBillNo'");
    EXPECT_EQ(rs->RecordCount(), 3);
}

TEST(FilterOnOperations, BillTypeTexts) {
    auto rs = MakeRecordset({{"FBillType", adInteger}, {"FOperID", adInteger}},
                            {{11620, 1}, {11621, 2}, {11620, 3}});
    rs->SetFilter(" FBillType= 11620");
    EXPECT_EQ(Walk(*rs, "FOperID"), Longs({1, 3}));
    rs->SetFilter(" FBillType =11621");
    EXPECT_EQ(Walk(*rs, "FOperID"), Longs({2}));
}

TEST(FilterGrammar, BlanksAroundTokensAreOptionalAndMayBeTabsOrLineBreaks) {
    auto rs = MakeBillOptions();
    rs->SetFilter("FID='-52'OR FID='-502'");
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->SetFilter("\tFID\t=\r\n-52\n");
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->SetFilter("(FID=-52)OR(FID=-85)");
    EXPECT_EQ(rs->RecordCount(), 2);
}

TEST(FilterGrammar, LikeOnANumericFieldMatchesItsText) {
    auto rs = MakeBillOptions();
    rs->SetFilter("FID LIKE '-5*'");
    EXPECT_EQ(Walk(*rs, "FID"), Longs({-52, -502, -581, -582}));
}

TEST(FilterGrammar, OperatorsCompareNumbers) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{1}, {2}, {3}, {4}});
    rs->SetFilter("N < 3");
    EXPECT_EQ(Walk(*rs, "N"), Longs({1, 2}));
    rs->SetFilter("N <= 3");
    EXPECT_EQ(Walk(*rs, "N"), Longs({1, 2, 3}));
    rs->SetFilter("N > 3");
    EXPECT_EQ(Walk(*rs, "N"), Longs({4}));
    rs->SetFilter("N >= 3");
    EXPECT_EQ(Walk(*rs, "N"), Longs({3, 4}));
    rs->SetFilter("N <> 3");
    EXPECT_EQ(Walk(*rs, "N"), Longs({1, 2, 4}));
}

TEST(FilterGrammar, NumbersInTextFieldCompareAsNumbers) {
    auto rs = MakeRecordset({{"T", adVarWChar}}, {{"9"}, {"10"}, {"abc"}});
    rs->SetFilter("T > 5");
    EXPECT_EQ(Walk(*rs, "T"), (std::vector<Variant>{"9", "10"}));  // "abc" is no number
    rs->SetFilter("T = '10'");
    EXPECT_EQ(Walk(*rs, "T"), std::vector<Variant>{"10"});
    rs->SetFilter("T <> 9");
    EXPECT_EQ(Walk(*rs, "T"), (std::vector<Variant>{"10", "abc"}));
    rs->SetFilter("T < 100");
    EXPECT_EQ(Walk(*rs, "T"), (std::vector<Variant>{"9", "10"}));
}

TEST(FilterGrammar, ZeroAsFilterClearsLikeFilterNone) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{1}, {2}});
    rs->SetFilter("N = 2");
    rs->SetFilter(static_cast<const char*>(nullptr));
    EXPECT_EQ(rs->RecordCount(), 2);
}

TEST(FilterGrammar, NumberLiteralForms) {
    auto rs = MakeRecordset({{"X", adodb::adDouble}}, {{12.345}, {50.0}, {1500.0}});
    rs->SetFilter("X = 12.345");
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->SetFilter("X = $50.00");
    EXPECT_EQ(rs->Value("X"), Variant(50.0));
    rs->SetFilter("X = 1.5E3");
    EXPECT_EQ(rs->Value("X"), Variant(1500.0));
}

TEST(FilterGrammar, TextIgnoresLetterCaseAndKeepsBlanksInsideQuotes) {
    auto rs = MakeRecordset({{"Name", adVarWChar}}, {{"Smith"}, {"smith "}, {"O'Malley"}});
    rs->SetFilter("Name = 'SMITH'");
    EXPECT_EQ(Walk(*rs, "Name"), std::vector<Variant>{"Smith"});
    rs->SetFilter("Name = 'smith '");
    EXPECT_EQ(Walk(*rs, "Name"), std::vector<Variant>{"smith "});
    rs->SetFilter("Name = 'O''Malley'");
    EXPECT_EQ(Walk(*rs, "Name"), std::vector<Variant>{"O'Malley"});
    rs->SetFilter("name = #O'Malley#");
    EXPECT_EQ(rs->RecordCount(), 1);
}

TEST(FilterGrammar, KeywordsIgnoreCaseAndBracketsHoldBlanks) {
    auto rs = MakeRecordset({{"Company Name", adVarWChar}, {"Qty", adInteger}},
                            {{"ACME", 5}, {"ACME", 1}, {"Other", 9}});
    rs->SetFilter("[Company Name] = 'acme' and Qty >= 5");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Filter(), "[Company Name] = 'acme' and Qty >= 5");
    rs->SetFilter("Qty = 1 Or qty = 9");
    EXPECT_EQ(Walk(*rs, "Company Name"), (std::vector<Variant>{"ACME", "Other"}));
}

TEST(FilterGrammar, AndOrAndParentheses) {
    auto rs = MakeRecordset({{"A", adInteger}, {"B", adInteger}}, {{1, 3}, {2, 3}, {1, 4}, {3, 3}});
    rs->SetFilter("(A = 1 AND B = 3) OR (A = 2 AND B = 3)");
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->SetFilter("(A = 1 OR A = 2) OR A = 3");
    EXPECT_EQ(rs->RecordCount(), 4);
    rs->SetFilter("(A = 1 AND B = 4) AND A = 1");
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->SetFilter("((A = 3))");
    EXPECT_EQ(rs->Value("B"), Variant(3));
}

TEST(FilterGrammar, OrGroupUnderAndIsRejected) {
    auto rs = MakeRecordset({{"A", adInteger}, {"B", adInteger}}, {{1, 3}});
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter("(A = 1 OR A = 2) AND B = 3"); }),
              adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter("B = 3 AND ((A = 1 OR A = 2))"); }),
              adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter("A = 1 OR B = 2 AND B = 3"); }),
              adoerr::InvalidArgument);
}

TEST(FilterGrammar, UnreadableTextsRaise3001AndKeepTheOldFilter) {
    auto rs = MakeRecordset({{"A", adInteger}, {"T", adVarWChar}}, {{1, "x"}, {2, "y"}});
    rs->SetFilter("A = 2");
    for (const char* bad : {"A", "A =", "A == 1", "A != 1", "A IS NULL", "A IN (1)", "A = 1 B = 2",
                            "(A = 1", "A = 1)", "T = 'open", "T = unquoted", "A = 'abc'",
                            "A > Null", "T LIKE '*x'", "T LIKE 'a*b'", "= 1", "A = 1 AND"}) {
        EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter(bad); }), adoerr::InvalidArgument) << bad;
    }
    EXPECT_EQ(rs->Filter(), "A = 2");
    EXPECT_EQ(rs->RecordCount(), 1);
}

TEST(FilterGrammar, GroupsNestedTooDeepRaise3001InsteadOfExhaustingTheStack) {
    auto rs = MakeRecordset({{"A", adInteger}}, {{1}, {2}});
    const auto nested = [](size_t depth) {
        return std::string(depth, '(') + "A = 2" + std::string(depth, ')');
    };
    rs->SetFilter(nested(100));
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter(nested(101)); }), adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter(nested(200000)); }), adoerr::InvalidArgument);
    EXPECT_EQ(rs->Filter(), nested(100));
}

TEST(FilterGrammar, UnknownFieldRaises3265) {
    auto rs = MakeBillOptions();
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter(" FNoSuch = 1"); }), adoerr::ItemNotFound);
}

TEST(FilterGrammar, ErrorsNameTheRecordsetAndTheText) {
    auto rs = MakeBillOptions();
    try {
        rs->SetFilter("FID = = 1");
        FAIL() << "no error";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Source(), "ADODB.Recordset");
        EXPECT_NE(error.Description().find("FID = = 1"), std::string::npos);
    }
}

TEST(FilterNull, EqualsNullSelectsNullRowsAndNotEqualTheOthers) {
    auto rs = MakeRecordset({{"K", adInteger}, {"V", adVarWChar}},
                            {{1, "a"}, {2, automation::Null}, {3, "c"}});
    rs->SetFilter("V = Null");
    EXPECT_EQ(Walk(*rs, "K"), Longs({2}));
    rs->SetFilter("V <> NULL");
    EXPECT_EQ(Walk(*rs, "K"), Longs({1, 3}));
}

TEST(FilterNull, OrdinaryComparisonsNeverMatchNull) {
    auto rs = MakeRecordset({{"K", adInteger}, {"V", adInteger}},
                            {{1, 5}, {2, automation::Null}, {3, 7}});
    rs->SetFilter("V <> 5");
    EXPECT_EQ(Walk(*rs, "K"), Longs({3}));
    rs->SetFilter("V < 100");
    EXPECT_EQ(Walk(*rs, "K"), Longs({1, 3}));
}

TEST(FilterLike, TrailingAndBothEndsWildcards) {
    auto rs =
        MakeRecordset({{"Name", adVarWChar}}, {{"Smith"}, {"Smithers"}, {"Goldsmith"}, {"Jones"}});
    rs->SetFilter("Name LIKE 'smit*'");
    EXPECT_EQ(Walk(*rs, "Name"), (std::vector<Variant>{"Smith", "Smithers"}));
    rs->SetFilter("Name like '%MIT%'");
    EXPECT_EQ(Walk(*rs, "Name"), (std::vector<Variant>{"Smith", "Smithers", "Goldsmith"}));
    rs->SetFilter("Name LIKE 'Jones'");
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->SetFilter("Name LIKE 'J_nes'");  // _ is an ordinary character
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST(FilterDates, PoundDelimitedDates) {
    auto rs = MakeRecordset({{"D", adodb::adDate}}, {{"2024-08-24"}, {"2024-09-01"}});
    rs->SetFilter("D = #8/24/2024#");
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->SetFilter("D > #2024-08-25#");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetFilter("D = 'not a date'"); }), adoerr::InvalidArgument);
}

TEST(FilterCursor, SettingMovesToFirstMatchAndCountsFollowTheView) {
    auto rs = MakeRecordset({{"K", adInteger}, {"T", adVarWChar}},
                            {{1, "a"}, {2, "b"}, {3, "a"}, {4, "c"}, {5, "a"}});
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 5);
    rs->SetFilter("T = 'a'");
    EXPECT_EQ(rs->Value("K"), Variant(1));
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->MoveNext();
    EXPECT_EQ(rs->Value("K"), Variant(3));
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    rs->SetFilter("T = 'z'");
    EXPECT_TRUE(rs->BOF());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_EQ(rs->AbsolutePosition(), adodb::adPosUnknown);
    rs->SetFilter("");
    EXPECT_EQ(rs->Value("K"), Variant(1));
    EXPECT_EQ(rs->RecordCount(), 5);
    EXPECT_FALSE(rs->BOF());
}

TEST(FilterCursor, BlankTextAndFilterNoneClear) {
    auto rs = MakeBillOptions();
    rs->SetFilter(" FID = -52 ");
    rs->SetFilter("   ");
    EXPECT_EQ(rs->RecordCount(), 10);
    rs->SetFilter(" FID = -52 ");
    rs->SetFilter(adodb::adFilterNone);
    EXPECT_EQ(rs->RecordCount(), 10);
    EXPECT_EQ(rs->Filter(), "");
}

}  // namespace
