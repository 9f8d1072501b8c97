#include "recordset_fixtures.h"

#include <gtest/gtest.h>

using namespace adodb_test;
using adodb::adInteger;
using adodb::adVarWChar;
namespace adoerr = adodb::adoerr;

namespace {

RecordsetPtr People() {
    return MakeRecordset({{"Id", adInteger}, {"Last", adVarWChar}, {"First", adVarWChar}},
                         {{1, "brown", "Ann"},
                          {2, "Adams", "Bob"},
                          {3, "Brown", "Cid"},
                          {4, automation::Null, "Dan"},
                          {5, "adams", "Eve"}});
}

TEST(Sort, AscendingIgnoresCaseKeepsTiesInOrderAndPutsNullFirst) {
    auto rs = People();
    rs->SetSort("Last");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({4, 2, 5, 1, 3}));
}

TEST(Sort, DescendingPutsNullLastAndKeepsTiesInOrder) {
    auto rs = People();
    rs->SetSort("Last DESC");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({1, 3, 2, 5, 4}));
}

TEST(Sort, SecondKeyBreaksTies) {
    auto rs = People();
    rs->SetSort("Last, First DESC");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({4, 5, 2, 3, 1}));
}

TEST(Sort, BlanksAndKeywordCaseAreIgnored) {
    auto rs = People();
    rs->SetSort("  Last  desc ,  Id   asc ");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({1, 3, 2, 5, 4}));
    EXPECT_EQ(rs->Sort(), "  Last  desc ,  Id   asc ");
}

TEST(Sort, LibraryKeyOrderWithTwoLeadingBlanks) {
    auto rs = MakeBillOptions();
    rs->SetSort("  FKey");
    EXPECT_EQ(rs->Value("FID"), Variant(-85));
    rs->MoveLast();
    EXPECT_EQ(rs->Value("FID"), Variant(-2));
}

TEST(Sort, NumbersSortAsNumbers) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{10}, {-52}, {9}, {-502}});
    rs->SetSort("N");
    EXPECT_EQ(Walk(*rs, "N"), Longs({-502, -52, 9, 10}));
}

TEST(Sort, EmptyTextRestoresTheOriginalOrder) {
    auto rs = People();
    rs->SetSort("Id DESC");
    rs->SetSort("");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({1, 2, 3, 4, 5}));
}

TEST(Sort, CombinesWithFilterInEitherOrder) {
    auto rs = People();
    rs->SetFilter("Id <> 3");
    rs->SetSort("Last DESC");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({1, 2, 5, 4}));
    rs->SetFilter("Id < 3");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({1, 2}));
}

TEST(Sort, SettingMakesTheFirstRowCurrent) {
    auto rs = People();
    rs->MoveLast();
    rs->SetSort("First DESC");
    EXPECT_EQ(rs->Value("Id"), Variant(5));
}

TEST(Sort, BadTextsRaiseAndKeepTheOrder) {
    auto rs = People();
    rs->SetSort("Id DESC");
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetSort("Nope"); }), adoerr::ItemNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetSort("Id DOWN"); }), adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetSort("Id,,Last"); }), adoerr::InvalidArgument);
    EXPECT_EQ(rs->Sort(), "Id DESC");
    EXPECT_EQ(Walk(*rs, "Id"), Longs({5, 4, 3, 2, 1}));
}

}  // namespace
