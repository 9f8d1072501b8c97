#include "recordset_fixtures.h"

#include <gtest/gtest.h>

using namespace adodb_test;
using adodb::adInteger;
namespace adoerr = adodb::adoerr;

namespace {

RecordsetPtr TwoRows() { return MakeRecordset({{"K", adInteger}}, {{1}, {2}}); }
RecordsetPtr Empty() { return MakeRecordset({{"K", adInteger}}, {}); }

TEST(Navigation, OpenedWithRowsIsOnTheFirst) {
    auto rs = TwoRows();
    EXPECT_FALSE(rs->BOF());
    EXPECT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Value("K"), Variant(1));
}

TEST(Navigation, OpenedEmptyHasBothFlags) {
    auto rs = Empty();
    EXPECT_TRUE(rs->BOF());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST(Navigation, WalkOfTwoRowsForwardAndBack) {
    auto rs = TwoRows();
    rs->MoveNext();
    EXPECT_EQ(rs->Value("K"), Variant(2));
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_FALSE(rs->BOF());
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveNext(); }), adoerr::NoCurrentRecord);
    rs->MovePrevious();
    EXPECT_EQ(rs->Value("K"), Variant(2));
    rs->MovePrevious();
    EXPECT_EQ(rs->Value("K"), Variant(1));
    rs->MovePrevious();
    EXPECT_TRUE(rs->BOF());
    EXPECT_FALSE(rs->Eof());
    EXPECT_EQ(ErrorNumberOf([&] { rs->MovePrevious(); }), adoerr::NoCurrentRecord);
    rs->MoveNext();  // from BOF to the first row
    EXPECT_EQ(rs->Value("K"), Variant(1));
}

TEST(Navigation, FirstAndLastWorkFromBofAndEof) {
    auto rs = TwoRows();
    rs->MovePrevious();
    ASSERT_TRUE(rs->BOF());
    rs->MoveLast();
    EXPECT_EQ(rs->Value("K"), Variant(2));
    rs->MoveNext();
    ASSERT_TRUE(rs->Eof());
    rs->MoveFirst();
    EXPECT_EQ(rs->Value("K"), Variant(1));
}

TEST(Navigation, EveryMoveOfAnEmptyRecordsetFails) {
    auto rs = Empty();
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveFirst(); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveLast(); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveNext(); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->MovePrevious(); }), adoerr::NoCurrentRecord);
}

TEST(Navigation, ReadingWithoutACurrentRowFails) {
    auto rs = TwoRows();
    rs->MoveLast();
    rs->MoveNext();
    EXPECT_EQ(ErrorNumberOf([&] { rs->Value("K"); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetValue("K", 5); }), adoerr::NoCurrentRecord);
}

TEST(Navigation, MoveByCountsAndStopsAtTheEnds) {
    auto rs = MakeRecordset({{"K", adInteger}}, {{1}, {2}, {3}, {4}});
    rs->Move(2);
    EXPECT_EQ(rs->Value("K"), Variant(3));
    rs->Move(-1);
    EXPECT_EQ(rs->Value("K"), Variant(2));
    rs->Move(10);
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(ErrorNumberOf([&] { rs->Move(1); }), adoerr::NoCurrentRecord);
    rs->Move(-2);
    EXPECT_EQ(rs->Value("K"), Variant(3));
    rs->Move(-10);
    EXPECT_TRUE(rs->BOF());
    EXPECT_EQ(ErrorNumberOf([&] { rs->Move(-1); }), adoerr::NoCurrentRecord);
}

TEST(Position, AbsolutePositionReadsAndWrites) {
    auto rs = MakeRecordset({{"K", adInteger}}, {{10}, {20}, {30}});
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->SetAbsolutePosition(3);
    EXPECT_EQ(rs->Value("K"), Variant(30));
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    rs->MoveNext();
    EXPECT_EQ(rs->AbsolutePosition(), adodb::adPosEOF);
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_EQ(rs->AbsolutePosition(), adodb::adPosBOF);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetAbsolutePosition(4); }), adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetAbsolutePosition(0); }), adoerr::InvalidArgument);
    EXPECT_TRUE(rs->BOF());  // a refused position leaves the cursor where it was
}

TEST(Position, BookmarkReturnsToTheSameRowAcrossFilters) {
    auto rs = MakeRecordset({{"K", adInteger}}, {{10}, {20}, {30}});
    rs->MoveNext();
    const Variant mark = rs->Bookmark();
    rs->SetFilter("K >= 20");
    rs->MoveLast();
    rs->SetBookmark(mark);
    EXPECT_EQ(rs->Value("K"), Variant(20));
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->SetFilter("K = 10");
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetBookmark(mark); }), adoerr::InvalidArgument);
}

TEST(Closed, CountAndMovesRaise3704) {
    auto rs = TwoRows();
    rs->Close();
    EXPECT_EQ(rs->State(), adodb::adStateClosed);
    EXPECT_EQ(ErrorNumberOf([&] { rs->RecordCount(); }), adoerr::ObjectClosed);
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveFirst(); }), adoerr::ObjectClosed);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Eof(); }), adoerr::ObjectClosed);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Close(); }), adoerr::ObjectClosed);
}

}  // namespace
