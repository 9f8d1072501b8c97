#include "recordset_fixtures.h"

#include <gtest/gtest.h>

using namespace adodb_test;
using adodb::adInteger;
using adodb::adVarWChar;
namespace adoerr = adodb::adoerr;

namespace {

RecordsetPtr Numbers(int count) {
    std::vector<std::vector<Variant>> rows;
    for (int i = 1; i <= count; ++i) rows.push_back({i, i % 2 == 0 ? "even" : "odd"});
    return MakeRecordset({{"N", adInteger}, {"Kind", adVarWChar}}, rows);
}

TEST(Delete, CountDropsAtOnceAndTheRowStaysCurrentButUnreadable) {
    auto rs = Numbers(3);
    rs->MoveNext();
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_FALSE(rs->Eof());
    EXPECT_FALSE(rs->BOF());
    EXPECT_EQ(ErrorNumberOf([&] { rs->Value("N"); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Delete(); }), adoerr::NoCurrentRecord);
    rs->MoveNext();
    EXPECT_EQ(rs->Value("N"), Variant(3));
}

TEST(Delete, PositionsOfLaterRowsShift) {
    auto rs = Numbers(4);
    rs->Delete();
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    EXPECT_EQ(rs->Value("N"), Variant(4));
}

TEST(Delete, MovePreviousFromADeletedRowGoesToTheOneBefore) {
    auto rs = Numbers(3);
    rs->MoveNext();
    rs->Delete();
    rs->MovePrevious();
    EXPECT_EQ(rs->Value("N"), Variant(1));
}

TEST(Delete, DeletingTheLastRowThenMoveNextGivesEof) {
    auto rs = Numbers(2);
    rs->MoveLast();
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(Walk(*rs, "N"), Longs({1}));
}

TEST(Delete, DeletingTheOnlyRowLeavesAnEmptyRecordset) {
    auto rs = Numbers(1);
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 0);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(rs->BOF());
}

TEST(Delete, LoopThatDeletesMatchingRowsVisitsEveryRowOnce) {
    auto rs = Numbers(7);
    std::vector<Variant> visited;
    rs->MoveFirst();
    while (!rs->Eof()) {
        visited.push_back(rs->Value("N"));
        if (rs->Value("Kind") == Variant("even")) rs->Delete();
        rs->MoveNext();
    }
    EXPECT_EQ(visited, Longs({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Walk(*rs, "N"), Longs({1, 3, 5, 7}));
}

TEST(Delete, LoopUnderAFilterDeletesEveryVisibleRow) {
    auto rs = Numbers(6);
    rs->SetFilter("Kind = 'odd'");
    while (!rs->Eof()) {
        rs->Delete();
        rs->MoveNext();
    }
    EXPECT_EQ(rs->RecordCount(), 0);
    rs->SetFilter("");
    EXPECT_EQ(Walk(*rs, "N"), Longs({2, 4, 6}));
}

TEST(Delete, PackageKindsLeaveTheOptionRecordset) {
    // The tracker walks the package kinds sorted by key and deletes the chosen ones (FValue 1).
    auto rs = MakeBillOptions();
    rs->SetFilter(
        " FID = '-52' OR FID='-502' OR FID='-581' OR FID='-582' OR FID='-710' OR "
        "FID='-715' OR FID='1002504' ");
    rs->SetSort("  FKey");
    std::vector<Variant> taken;
    while (!rs->BOF() && !rs->Eof()) {
        if (rs->Value("FValue") == Variant(1)) {
            taken.push_back(rs->Value("FID"));
            rs->Delete();
        }
        rs->MoveNext();
    }
    EXPECT_EQ(taken, Longs({-52, -502, -582, -710, 1002504}));
    rs->SetFilter("");
    EXPECT_EQ(Walk(*rs, "FID"), Longs({-85, -581, -715, -24, -2}));
}

TEST(Clone, SharesRowsWithItsOwnCursor) {
    auto rs = Numbers(3);
    auto copy = rs->Clone();
    EXPECT_EQ(copy->TypeName(), "Recordset");
    rs->MoveLast();
    EXPECT_EQ(copy->Value("N"), Variant(1));
    copy->MoveNext();
    EXPECT_EQ(rs->Value("N"), Variant(3));
    EXPECT_EQ(copy->Value("N"), Variant(2));
}

TEST(Clone, FilterAndSortAreNotCopied) {
    auto rs = Numbers(4);
    rs->SetFilter("Kind = 'even'");
    rs->SetSort("N DESC");
    auto copy = rs->Clone();
    EXPECT_EQ(copy->Filter(), "");
    EXPECT_EQ(copy->RecordCount(), 4);
    copy->SetFilter("N = 1");
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Value("N"), Variant(4));
}

TEST(Clone, DeletionsAreSeenByEveryClone) {
    auto rs = Numbers(4);
    auto copy = rs->Clone();
    copy->MoveNext();
    copy->Delete();
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(Walk(*rs, "N"), Longs({1, 3, 4}));
}

TEST(Clone, TheOtherHandlesCurrentRowDeletedBecomesUnreadable) {
    auto rs = Numbers(3);
    auto copy = rs->Clone();
    rs->MoveNext();
    copy->MoveNext();
    copy->Delete();
    EXPECT_EQ(ErrorNumberOf([&] { rs->Value("N"); }), adoerr::NoCurrentRecord);
    rs->MoveNext();
    EXPECT_EQ(rs->Value("N"), Variant(3));
}

TEST(Clone, AdditionsAndEditsAreSeenByEveryClone) {
    auto rs = Numbers(2);
    auto copy = rs->Clone();
    copy->SetFilter("Kind = 'odd'");
    rs->AddNew();
    rs->SetValue("N", 9);
    rs->SetValue("Kind", "odd");
    rs->Update();
    rs->MoveFirst();
    rs->SetValue("Kind", "ODD!");
    rs->Update();
    EXPECT_EQ(copy->RecordCount(), 2);
    EXPECT_EQ(Walk(*copy, "N"), Longs({1, 9}));
    copy->MoveFirst();
    EXPECT_EQ(copy->Value("Kind"), Variant("ODD!"));
}

TEST(Clone, ClosingOneLeavesTheOtherOpen) {
    auto rs = Numbers(2);
    auto copy = rs->Clone();
    rs->Close();
    EXPECT_EQ(copy->State(), adodb::adStateOpen);
    EXPECT_EQ(copy->RecordCount(), 2);
}

}  // namespace
