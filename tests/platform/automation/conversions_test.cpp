#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace automation;

namespace {

class Thing : public Object {
  public:
    std::string TypeName() const override { return "Thing"; }
};

// Integer conversions round half to even, as the language does, not half away from zero.
TEST(IntegerConversion, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(2345.5678), 2346);
    EXPECT_EQ(CLng(25427.45), 25427);
    EXPECT_EQ(CLng(25427.55), 25428);
    EXPECT_EQ(CLng(-0.5), 0);
    EXPECT_EQ(CLng(4.5), 4);
}

TEST(IntegerConversion, RangeLimitsRaiseOverflow) {
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);  // rounds to the even -32768, which fits
    EXPECT_EQ(ErrorNumberOf([] { CInt(32768); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CInt(32767.5); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CInt(-32769.0); }), vberr::Overflow);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(-2147483648.0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ErrorNumberOf([] { CLng(2147483648.0); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CLng(HUGE_VAL); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CLng(std::nan("")); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CInt("40000"); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CLng("1e400"); }), vberr::Overflow);
}

TEST(IntegerConversion, SpecialValues) {
    EXPECT_EQ(CInt(true), -1);
    EXPECT_EQ(CLng(false), 0);
    EXPECT_EQ(CInt(Variant()), 0);
    EXPECT_EQ(CLng(Variant(int16_t{-7})), -7);
    EXPECT_EQ(CInt(Variant(int32_t{300})), 300);
    EXPECT_EQ(CLng(DateValue{45000.75}), 45001);
    EXPECT_EQ(ErrorNumberOf([] { CInt(Null); }), vberr::InvalidUseOfNull);
    EXPECT_EQ(ErrorNumberOf([] { CLng(Null); }), vberr::InvalidUseOfNull);
    EXPECT_EQ(ErrorNumberOf([] { CLng(Variant(std::make_shared<Thing>())); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng(Variant(ObjectPtr())); }), vberr::ObjectVariableNotSet);
}

TEST(IntegerConversion, TextsMustBeWholeNumbers) {
    EXPECT_EQ(CLng("1234"), 1234);
    EXPECT_EQ(CLng(" 12 "), 12);
    EXPECT_EQ(CLng("1,234"), 1234);
    EXPECT_EQ(CInt("2.5"), 2);
    EXPECT_EQ(CLng("-52"), -52);
    EXPECT_EQ(CLng("- 52"), -52);
    EXPECT_EQ(CLng("+7"), 7);
    EXPECT_EQ(CLng("&H10"), 16);
    EXPECT_EQ(CInt("&HFFFF"), -1);
    EXPECT_EQ(CLng("1.5E3"), 1500);
    EXPECT_EQ(ErrorNumberOf([] { CLng("12abc"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng(""); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng("  "); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng("1 2"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng(",5"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng("生产"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng("1e"); }), vberr::TypeMismatch);
}

TEST(DoubleConversion, ReadsNumbersAndNumericTexts) {
    EXPECT_DOUBLE_EQ(CDbl("1,234.5"), 1234.5);
    EXPECT_DOUBLE_EQ(CDbl("$12.50"), 12.5);
    EXPECT_DOUBLE_EQ(CDbl("1.5E3"), 1500);
    EXPECT_DOUBLE_EQ(CDbl("1.5d3"), 1500);
    EXPECT_DOUBLE_EQ(CDbl(".5"), 0.5);
    EXPECT_DOUBLE_EQ(CDbl("5."), 5);
    EXPECT_DOUBLE_EQ(CDbl(Variant(float{0.25f})), 0.25);
    EXPECT_DOUBLE_EQ(CDbl(true), -1);
    EXPECT_DOUBLE_EQ(CDbl(Variant()), 0);
    EXPECT_DOUBLE_EQ(CDbl(DateValue{45000.5}), 45000.5);
    EXPECT_DOUBLE_EQ(CDbl("1e-400"),
                     0.0);  // too small for a Double: zero, as the hardware reads it
    EXPECT_EQ(ErrorNumberOf([] { CDbl("abc"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CDbl("True"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CDbl(Null); }), vberr::InvalidUseOfNull);
    EXPECT_EQ(ErrorNumberOf([] { CDbl("1e999"); }), vberr::Overflow);
}

TEST(DoubleConversion, ExponentsBeyondAnIntAreTooLargeOrTooSmall) {
    EXPECT_EQ(ErrorNumberOf([] { CLng("15e2147483647"); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CDbl("1e99999999999999999999"); }), vberr::Overflow);
    EXPECT_DOUBLE_EQ(CDbl("-15e-2147483649"), 0.0);
}

TEST(SingleConversion, OverflowBeyondTheSingleRange) {
    EXPECT_FLOAT_EQ(CSng(1.5), 1.5f);
    EXPECT_EQ(ErrorNumberOf([] { CSng(1e39); }), vberr::Overflow);
}

TEST(BooleanConversion, Texts) {
    EXPECT_TRUE(CBool("True"));
    EXPECT_FALSE(CBool("False"));
    EXPECT_TRUE(CBool("true"));
    EXPECT_FALSE(CBool("false"));
    EXPECT_TRUE(CBool("TRUE"));
    EXPECT_TRUE(CBool(" True "));
    EXPECT_TRUE(CBool("1"));
    EXPECT_TRUE(CBool("-1"));
    EXPECT_TRUE(CBool("2.5"));
    EXPECT_FALSE(CBool("0"));
    EXPECT_FALSE(CBool("0.0"));
    EXPECT_EQ(ErrorNumberOf([] { CBool("abc"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CBool("yes"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CBool(""); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CBool("真"); }), vberr::TypeMismatch);
}

TEST(BooleanConversion, NumbersAndSpecialValues) {
    EXPECT_FALSE(CBool(0));
    EXPECT_FALSE(CBool(0.0));
    EXPECT_TRUE(CBool(1));
    EXPECT_TRUE(CBool(-1));
    EXPECT_TRUE(CBool(0.5));
    EXPECT_TRUE(CBool(Variant(int16_t{99})));
    EXPECT_TRUE(CBool(true));
    EXPECT_FALSE(CBool(false));
    EXPECT_FALSE(CBool(Variant()));
    EXPECT_EQ(ErrorNumberOf([] { CBool(Null); }), vberr::InvalidUseOfNull);
}

TEST(TextConversion, DoublesUseFifteenSignificantDigits) {
    EXPECT_EQ(CStr(0.1), "0.1");
    EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(CStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(CStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(CStr(437.324), "437.324");
    EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(CStr(100000000000000.0), "100000000000000");
    EXPECT_EQ(CStr(1e15), "1E+15");
    EXPECT_EQ(CStr(1e16), "1E+16");
    EXPECT_EQ(CStr(std::pow(2.0, 60)), "1.15292150460685E+18");
    EXPECT_EQ(CStr(0.0001), "0.0001");
    EXPECT_EQ(CStr(0.00001), "1E-05");
    EXPECT_EQ(CStr(-0.000015), "-1.5E-05");
    EXPECT_EQ(CStr(1e100), "1E+100");
    EXPECT_EQ(CStr(-52.0), "-52");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(5.0), "5");
}

TEST(TextConversion, OtherKinds) {
    EXPECT_EQ(CStr(Variant(int16_t{-52})), "-52");
    EXPECT_EQ(CStr(Variant(int32_t{1007100})), "1007100");
    EXPECT_EQ(CStr(Variant(float{0.1f})), "0.1");
    EXPECT_EQ(CStr(Variant(float{1234567.0f})), "1234567");
    EXPECT_EQ(CStr(Variant(float{12345678.0f})), "1.234568E+07");
    EXPECT_EQ(CStr(true), "True");
    EXPECT_EQ(CStr(false), "False");
    EXPECT_EQ(CStr(Variant()), "");
    EXPECT_EQ(CStr("生产任务单"), "生产任务单");
    EXPECT_EQ(ErrorNumberOf([] { CStr(Null); }), vberr::InvalidUseOfNull);
    EXPECT_EQ(ErrorNumberOf([] { CStr(Variant(std::make_shared<Thing>())); }), vberr::TypeMismatch);
}

TEST(TextConversion, DatesInIsoOrder) {
    EXPECT_EQ(CStr(DateValue{45000}), "2023-03-15");
    EXPECT_EQ(CStr(DateValue{45000.5}), "2023-03-15 12:00:00");
    EXPECT_EQ(CStr(DateValue{0}), "1899-12-30");
    EXPECT_EQ(CStr(DateValue{0.75}), "18:00:00");
    EXPECT_EQ(CStr(DateValue{-1.25}), "1899-12-29 06:00:00");
}

TEST(TextConversion, StrPutsABlankBeforePositiveNumbers) {
    EXPECT_EQ(Str(5), " 5");
    EXPECT_EQ(Str(-5), "-5");
    EXPECT_EQ(Str(0.5), " 0.5");
    EXPECT_EQ(Str("abc"), "abc");
}

TEST(DateConversion, DateTextsAndSerials) {
    EXPECT_DOUBLE_EQ(CDate("2023-03-15").serial, 45000);
    EXPECT_DOUBLE_EQ(CDate("2023/3/15").serial, 45000);
    EXPECT_DOUBLE_EQ(CDate("3/15/2023").serial, 45000);
    EXPECT_DOUBLE_EQ(CDate(" 2023-03-15 12:00:00 ").serial, 45000.5);
    EXPECT_DOUBLE_EQ(CDate("2023-03-15T18:00").serial, 45000.75);
    EXPECT_DOUBLE_EQ(CDate("2023-03-15 06:00:00.000").serial, 45000.25);
    EXPECT_DOUBLE_EQ(CDate("2023-03-15 6:00 PM").serial, 45000.75);
    EXPECT_DOUBLE_EQ(CDate("12:00:00 AM").serial, 0);
    EXPECT_DOUBLE_EQ(CDate("1899-12-29 06:00").serial, -1.25);
    EXPECT_DOUBLE_EQ(CDate("45000").serial, 45000);
    EXPECT_DOUBLE_EQ(CDate(45000).serial, 45000);
    EXPECT_DOUBLE_EQ(CDate(Variant()).serial, 0);
    EXPECT_EQ(ErrorNumberOf([] { CDate("2023-02-29"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CDate("2023-13-01"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CDate("2023-03-15 25:00"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CDate("tomorrow"); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CDate(3e6); }), vberr::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { CDate(Null); }), vberr::InvalidUseOfNull);
    EXPECT_TRUE(IsDate("2024-02-29"));
    EXPECT_FALSE(IsDate("2023-02-29"));
    EXPECT_TRUE(IsDate(DateValue{1}));
    EXPECT_FALSE(IsDate(45000));
}

TEST(Val, ReadsTheLeadingNumberOnly) {
    EXPECT_DOUBLE_EQ(Val("2457"), 2457);
    EXPECT_DOUBLE_EQ(Val(" 2 45 7"), 2457);
    EXPECT_DOUBLE_EQ(Val("24 and 57"), 24);
    EXPECT_DOUBLE_EQ(Val("    1615 198th Street N.E."), 1615198);
    EXPECT_DOUBLE_EQ(Val("&HFFFF"), -1);
    EXPECT_DOUBLE_EQ(Val("&H10"), 16);
    EXPECT_DOUBLE_EQ(Val("&O17"), 15);
    EXPECT_DOUBLE_EQ(Val("1,234"), 1);
    EXPECT_DOUBLE_EQ(Val("$5"), 0);
    EXPECT_DOUBLE_EQ(Val("-12.5kg"), -12.5);
    EXPECT_DOUBLE_EQ(Val(""), 0);
    EXPECT_DOUBLE_EQ(Val("abc"), 0);
    EXPECT_DOUBLE_EQ(Val("1e3"), 1000);
    EXPECT_DOUBLE_EQ(Val("12e"), 12);
    EXPECT_DOUBLE_EQ(Val("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(Val("-"), 0);
    EXPECT_DOUBLE_EQ(Val(".5x"), 0.5);
    EXPECT_DOUBLE_EQ(Val("3\t4\n5"), 345);
    EXPECT_DOUBLE_EQ(Val("12件"), 12);
    EXPECT_EQ(ErrorNumberOf([] { Val("1e999"); }), vberr::Overflow);
}

TEST(IsNumeric, WholeTextMustBeANumber) {
    EXPECT_TRUE(IsNumeric("53"));
    EXPECT_TRUE(IsNumeric("459.95"));
    EXPECT_FALSE(IsNumeric("45 Help"));
    EXPECT_TRUE(IsNumeric(" 12 "));
    EXPECT_TRUE(IsNumeric("1,234"));
    EXPECT_TRUE(IsNumeric("&H1F"));
    EXPECT_TRUE(IsNumeric("-52"));
    EXPECT_FALSE(IsNumeric(""));
    EXPECT_FALSE(IsNumeric("1e999"));
    EXPECT_FALSE(IsNumeric("二"));
    EXPECT_TRUE(IsNumeric(Variant()));
    EXPECT_FALSE(IsNumeric(Null));
    EXPECT_TRUE(IsNumeric(3.5));
    EXPECT_TRUE(IsNumeric(true));
    EXPECT_FALSE(IsNumeric(DateValue{45000}));
    EXPECT_FALSE(IsNumeric("2023-03-15"));
    EXPECT_FALSE(IsNumeric(Variant(std::make_shared<Thing>())));
}

TEST(Round, HalvesGoToEvenOnTheFifteenDigitForm) {
    EXPECT_DOUBLE_EQ(Round(2.5), 2);
    EXPECT_DOUBLE_EQ(Round(1.5), 2);
    EXPECT_DOUBLE_EQ(Round(0.5), 0);
    EXPECT_DOUBLE_EQ(Round(-2.5), -2);
    EXPECT_DOUBLE_EQ(Round(2.5, 0), 2);
    EXPECT_DOUBLE_EQ(Round(0.12335, 4), 0.1234);
    EXPECT_DOUBLE_EQ(Round(0.12345, 4), 0.1234);
    EXPECT_DOUBLE_EQ(Round(0.12355, 4), 0.1236);
    EXPECT_DOUBLE_EQ(Round(0.12365, 4), 0.1236);
    EXPECT_DOUBLE_EQ(Round(0.00005, 4), 0);
    EXPECT_DOUBLE_EQ(Round(1.605, 2), 1.6);
    EXPECT_DOUBLE_EQ(Round(1.615, 2), 1.62);
    EXPECT_DOUBLE_EQ(Round(9.995, 2), 10);  // 9.99|5: the 9 is odd, so up and carried
    EXPECT_DOUBLE_EQ(Round(123.456, 10), 123.456);
    EXPECT_DOUBLE_EQ(Round(0.0), 0);
    EXPECT_EQ(ErrorNumberOf([] { Round(1.5, -1); }), vberr::InvalidProcedureCall);
}

}  // namespace
