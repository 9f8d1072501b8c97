#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

#include <functional>

using namespace automation;

namespace {

using Pieces = std::vector<std::string>;

TEST(TrimFunctions, RemoveSpacesOnly) {
    EXPECT_EQ(Trim("  <-Trim->  "), "<-Trim->");
    EXPECT_EQ(LTrim("  x  "), "x  ");
    EXPECT_EQ(RTrim("  x  "), "  x");
    EXPECT_EQ(Trim("\tx"), "\tx");
    EXPECT_EQ(Trim("x\r\n"), "x\r\n");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim(" 生产任务单 "), "生产任务单");
    // The ideographic space is not a blank to VB's Trim.
    EXPECT_EQ(Trim("\xE3\x80\x80任务\xE3\x80\x80"), "\xE3\x80\x80任务\xE3\x80\x80");
}

TEST(LengthAndPieces, CountCharactersNotBytes) {
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("abc"), 3);
    EXPECT_EQ(Len("生产任务单"), 5);
    EXPECT_EQ(Len("MO生产1"), 5);
    EXPECT_EQ(Len("😀a"), 2);
}

TEST(LengthAndPieces, LeftAndRight) {
    EXPECT_EQ(Left("Hello World", 1), "H");
    EXPECT_EQ(Left("Hello World", 7), "Hello W");
    EXPECT_EQ(Left("Hello", 0), "");
    EXPECT_EQ(Left("Hello", 99), "Hello");
    EXPECT_EQ(Left("生产任务单", 2), "生产");
    EXPECT_EQ(Right("生产任务单", 3), "任务单");
    EXPECT_EQ(Right("abc", 5), "abc");
    EXPECT_EQ(Right("abc", 0), "");
    EXPECT_EQ(ErrorNumberOf([] { Left("abc", -1); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { Right("abc", -1); }), vberr::InvalidProcedureCall);
}

TEST(LengthAndPieces, Mid) {
    EXPECT_EQ(Mid("Mid Function Demo", 1, 3), "Mid");
    EXPECT_EQ(Mid("Mid Function Demo", 14, 4), "Demo");
    EXPECT_EQ(Mid("Mid Function Demo", 5), "Function Demo");
    EXPECT_EQ(Mid("abc", 4), "");
    EXPECT_EQ(Mid("abc", 2, 99), "bc");
    EXPECT_EQ(Mid("abc", 2, 0), "");
    // A bill kind key "chk-52" gives its kind from its fourth character on.
    EXPECT_EQ(Mid("chk-52", 4), "-52");
    EXPECT_EQ(Mid("销售订单跟踪", 3, 2), "订单");
    EXPECT_EQ(Mid("销售订单跟踪", 6), "踪");
    EXPECT_EQ(ErrorNumberOf([] { Mid("abc", 0); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { Mid("abc", 1, -2); }), vberr::InvalidProcedureCall);
}

TEST(LengthAndPieces, TextThatIsNotValidUtf8IsCutWithoutFailing) {
    const std::string broken = std::string("a") + '\x80' + "b" + '\xE7';  // stray and cut bytes
    EXPECT_EQ(Len(broken), 3);
    EXPECT_EQ(Left(broken, 1), std::string("a") + '\x80');
    EXPECT_EQ(Mid(broken, 3), std::string(1, '\xE7'));
    EXPECT_EQ(Len(std::string(1, '\x80')), 1);
}

TEST(Search, InStrFindsCharacterPositions) {
    EXPECT_EQ(InStr(4, "XXpXXpXXPXXP", "P", vbTextCompare), 6);
    EXPECT_EQ(InStr(1, "XXpXXpXXPXXP", "P", vbBinaryCompare), 9);
    EXPECT_EQ(InStr("XXpXXpXXPXXP", "P"), 9);
    EXPECT_EQ(InStr(1, "abc", "W"), 0);
    EXPECT_EQ(InStr("生产任务单WORK001", "WORK"), 6);
    EXPECT_EQ(InStr(3, "任务单任务单", "任务"), 4);
    EXPECT_EQ(InStr(1, "订单ABC", "abc", vbTextCompare), 3);
    EXPECT_EQ(InStr(1, "订单ABC", "abc", vbBinaryCompare), 0);
}

TEST(Search, InStrEdgeCases) {
    EXPECT_EQ(InStr("", "a"), 0);
    EXPECT_EQ(InStr("", ""), 0);
    EXPECT_EQ(InStr(2, "abc", ""), 2);
    EXPECT_EQ(InStr(4, "abc", ""), 0);
    EXPECT_EQ(InStr(4, "abc", "c"), 0);
    EXPECT_EQ(InStr(3, "abc", "c"), 3);
    EXPECT_EQ(ErrorNumberOf([] { InStr(0, "abc", "a"); }), vberr::InvalidProcedureCall);
}

TEST(Search, InStrRevSearchesBackwards) {
    EXPECT_EQ(InStrRev("a,b,c", ","), 4);
    EXPECT_EQ(InStrRev("a,b,c", ",", 3), 2);
    EXPECT_EQ(InStrRev("a,b,c", ",", 1), 0);
    EXPECT_EQ(InStrRev("任务,单,号", ","), 5);
    EXPECT_EQ(InStrRev("abcABC", "b", -1, vbTextCompare), 5);
    EXPECT_EQ(InStrRev("abc", "bc", 2), 0);  // the match must end by the start position
    EXPECT_EQ(InStrRev("abc", "bc", 3), 2);
    EXPECT_EQ(InStrRev("abc", "", 2), 2);
    EXPECT_EQ(InStrRev("", "a"), 0);
    EXPECT_EQ(InStrRev("abc", "a", 4), 0);
    EXPECT_EQ(ErrorNumberOf([] { InStrRev("abc", "a", 0); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { InStrRev("abc", "a", -2); }), vberr::InvalidProcedureCall);
}

TEST(SplitAndJoin, SplitAtDelimiters) {
    EXPECT_EQ(Split("a:b:c", ":"), (Pieces{"a", "b", "c"}));
    EXPECT_EQ(Split("a:b:c", ":", 2), (Pieces{"a", "b:c"}));
    EXPECT_EQ(Split("x y z", " ", 1), (Pieces{"x y z"}));
    EXPECT_EQ(Split("xx", "x"), (Pieces{"", "", ""}));
    EXPECT_EQ(Split("42, 12, 19", ", ", 2), (Pieces{"42", "12, 19"}));
    EXPECT_EQ(Split("a b"), (Pieces{"a", "b"}));
    EXPECT_EQ(Split("mnuViewerTitle|btnShowSummaryView|btnOption", "|"),
              (Pieces{"mnuViewerTitle", "btnShowSummaryView", "btnOption"}));
    EXPECT_EQ(Split("生产，委外，重复", "，"), (Pieces{"生产", "委外", "重复"}));
    EXPECT_EQ(Split("aXbxc", "x", -1, vbTextCompare), (Pieces{"a", "b", "c"}));
}

TEST(SplitAndJoin, SplitEdgeCases) {
    EXPECT_TRUE(Split("", ",").empty());
    EXPECT_EQ(Split("a-b", ""), (Pieces{"a-b"}));
    EXPECT_TRUE(Split("a", ",", 0).empty());
    EXPECT_EQ(Split(",a,", ","), (Pieces{"", "a", ""}));
    EXPECT_EQ(ErrorNumberOf([] { Split("a", ",", -2); }), vberr::InvalidProcedureCall);
}

TEST(SplitAndJoin, JoinIsTheInverseOfSplit) {
    EXPECT_EQ(Join({"a", "b", "c"}, ", "), "a, b, c");
    EXPECT_EQ(Join({}, ","), "");
    EXPECT_EQ(Join({"x", "y"}), "x y");
    EXPECT_EQ(Join(Split("'81' ,'82' ,'21' ", ","), ","), "'81' ,'82' ,'21' ");
}

TEST(ReplaceAndFriends, Replace) {
    EXPECT_EQ(Replace("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(Replace("a-b-c", "-", "+", 1, 1), "a+b-c");
    EXPECT_EQ(Replace("a-b-c", "-", "+", 3), "b+c");  // the part before start is not returned
    EXPECT_EQ(Replace("aAa", "a", "x", 1, -1, vbTextCompare), "xxx");
    EXPECT_EQ(Replace("aAa", "a", "x"), "xAx");
    EXPECT_EQ(Replace("生产任务单", "任务", "计划"), "生产计划单");
    EXPECT_EQ(Replace("'a'", "'", "''"), "''a''");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Replace("abc", "b", "x", 1, 0), "abc");
    EXPECT_EQ(Replace("abc", "b", "x", 9), "");
    EXPECT_EQ(Replace("", "b", "x"), "");
    EXPECT_EQ(ErrorNumberOf([] { Replace("abc", "b", "x", 0); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { Replace("abc", "b", "x", 1, -2); }), vberr::InvalidProcedureCall);
}

TEST(ReplaceAndFriends, SpaceAndStrComp) {
    EXPECT_EQ(Space(3), "   ");
    EXPECT_EQ(Space(0), "");
    EXPECT_EQ(ErrorNumberOf([] { Space(-1); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(StrComp("abc", "abc"), 0);
    EXPECT_EQ(StrComp("ABC", "abc"), -1);
    EXPECT_EQ(StrComp("abc", "ABC"), 1);
    EXPECT_EQ(StrComp("ABC", "abc", vbTextCompare), 0);
    EXPECT_EQ(StrComp("a", "a "), -1);
    EXPECT_EQ(StrComp("任务", "生产"), StrComp("\u4EFB", "\u751F"));
    EXPECT_EQ(StrComp("z", "生"), -1);  // characters compare by code, not by byte sign
}

TEST(CaseFunctions, OnlyAsciiLettersChange) {
    EXPECT_EQ(UCase("Hello World 1234"), "HELLO WORLD 1234");
    EXPECT_EQ(LCase("BtnExit"), "btnexit");
    EXPECT_EQ(UCase("btn生产"), "BTN生产");
    EXPECT_TRUE(EqualsIgnoreCase("root", "ROOT"));
    EXPECT_FALSE(EqualsIgnoreCase("root", "roots"));
}

}  // namespace
