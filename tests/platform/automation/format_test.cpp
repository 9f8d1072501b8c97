#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>

using namespace automation;

namespace {

// Format rounds half away from zero; Round and CInt round half to even. Both in one place, as
// the difference is easy to lose.
TEST(FormatRounding, HalvesGoAwayFromZeroUnlikeRound) {
    EXPECT_EQ(Format(2.5, "0"), "3");
    EXPECT_EQ(Format(3.5, "0"), "4");
    EXPECT_EQ(Format(-2.5, "0"), "-3");
    EXPECT_EQ(Format(0.125, "0.00"), "0.13");
    EXPECT_EQ(Format(999.5, "#,##0"), "1,000");
    EXPECT_EQ(Format(1234.5, "#,##0"), "1,235");
    EXPECT_DOUBLE_EQ(Round(2.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
}

TEST(FormatRounding, WorksOnTheFifteenDigitDecimalForm) {
    // 1.005 and 1.605 are stored just below the tie; the 15-digit form is the tie itself.
    EXPECT_EQ(Format(1.005, "0.00"), "1.01");
    EXPECT_EQ(Format(1.605, "0.00"), "1.61");
    EXPECT_EQ(Format(0.1 + 0.2, "0.0000000000"), "0.3000000000");
    EXPECT_EQ(Format(12345.6789012345, "#0.0000000000"), "12345.6789012345");
    EXPECT_EQ(Format(std::pow(2.0, 60), "0"), "1152921504606850000");
}

TEST(FormatGrouping, SeparatorsEveryThreeDigits) {
    EXPECT_EQ(Format(0, "#,##0"), "0");
    EXPECT_EQ(Format(999, "#,##0"), "999");
    EXPECT_EQ(Format(1234, "#,##0"), "1,234");
    EXPECT_EQ(Format(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(Format(1e12, "#,##0"), "1,000,000,000,000");
    EXPECT_EQ(Format(5459.4, "##,##0.00"), "5,459.40");
    EXPECT_EQ(Format(1234567.891, "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(Format(0.3, "#,##0.00"), "0.30");
    EXPECT_EQ(Format(1234567, "0"), "1234567");
}

TEST(FormatGrouping, NegativeWithOneSection) {
    EXPECT_EQ(Format(-1234.5, "#,##0.00"), "-1,234.50");
    EXPECT_EQ(Format(-1234567, "#,##0"), "-1,234,567");
    EXPECT_EQ(Format(-0.3, "#,##0.00"), "-0.30");
}

TEST(FormatPlaces, AnyCountOfPlaces) {
    EXPECT_EQ(Format(1.0 / 3.0, "#0.0000000000"), "0.3333333333");
    EXPECT_EQ(Format(123, "#0.0000000000"), "123.0000000000");
    EXPECT_EQ(Format(6.5, "#0.000000000000"), "6.500000000000");
    EXPECT_EQ(Format(334.9, "###0.00"), "334.90");
    EXPECT_EQ(Format(12.3456, "0.000"), "12.346");
    EXPECT_EQ(Format(5, "0.00%"), "500.00%");
    EXPECT_EQ(Format(0.5, "#.##"), ".5");
    EXPECT_EQ(Format(1.5, "0.0#"), "1.5");
    EXPECT_EQ(Format(1.25, "0.0#"), "1.25");
    EXPECT_EQ(Format(7, "000"), "007");
    EXPECT_EQ(Format(0, "#,###"), "");
}

TEST(FormatPlaces, NegativeThatRoundsToZeroHasNoSign) {
    EXPECT_EQ(Format(-0.001, "0.00"), "0.00");
    EXPECT_EQ(Format(-0.4, "#,##0"), "0");
}

TEST(FormatSections, NegativeZeroAndNullSections) {
    EXPECT_EQ(Format(-5, "0;(0)"), "(5)");
    EXPECT_EQ(Format(5, "0;(0)"), "5");
    EXPECT_EQ(Format(0, "$#,##0;;\\Z\\e\\r\\o"), "Zero");
    EXPECT_EQ(Format(-5, "0;;\"zero\""), "-5");  // empty negative section: the first one, signed
    EXPECT_EQ(Format(Null, "0;-0;\"zero\";\"none\""), "none");
    EXPECT_EQ(Format(1234, "\"合计：\"#,##0"), "合计：1,234");
}

TEST(FormatSections, ScalingCommas) {
    EXPECT_EQ(Format(100000000, "##0,,"), "100");
    EXPECT_EQ(Format(1234567, "#,##0,.0"), "1,234.6");
}

TEST(FormatInputs, NumericTextsAreFormattedOtherTextsReturned) {
    EXPECT_EQ(Format("1234.5", "#,##0.00"), "1,234.50");
    EXPECT_EQ(Format(" 12 ", "0.0"), "12.0");
    EXPECT_EQ(Format("abc", "#,##0.00"), "abc");
    EXPECT_EQ(Format("", "#,##0"), "");
    EXPECT_EQ(Format(true, "0"), "-1");
    EXPECT_EQ(Format(Variant(int16_t{12}), "#,##0.00"), "12.00");
}

TEST(FormatInputs, NullAndEmptyShowNothing) {
    EXPECT_EQ(Format(Null, "#,##0"), "");
    EXPECT_EQ(Format(Null, "YYYY-MM-DD"), "");
    EXPECT_EQ(Format(Variant(), "#,##0.00"), "");
    EXPECT_EQ(Format(Variant(), "YYYY-MM-DD"), "");
    EXPECT_EQ(Format(Null), "");
    EXPECT_EQ(Format(Variant()), "");
}

TEST(FormatInputs, WithoutPatternLikeCStr) {
    EXPECT_EQ(Format(23), "23");
    EXPECT_EQ(Format(0.1), "0.1");
    EXPECT_EQ(Format("生产"), "生产");
    EXPECT_EQ(Format(true), "True");
    EXPECT_EQ(Format(DateValue{45000}), "2023-03-15");
}

TEST(FormatDates, IsoPatternOnDatesSerialsAndTexts) {
    EXPECT_EQ(Format(DateValue{45000}, "YYYY-MM-DD"), "2023-03-15");
    EXPECT_EQ(Format(45000, "YYYY-MM-DD"), "2023-03-15");
    EXPECT_EQ(Format(45000.99, "yyyy-mm-dd"), "2023-03-15");
    EXPECT_EQ(Format("2024-03-05", "YYYY-MM-DD"), "2024-03-05");
    EXPECT_EQ(Format("2024/3/5 10:30:00", "YYYY-MM-DD"), "2024-03-05");
    EXPECT_EQ(Format("3/5/2024", "YYYY-MM-DD"), "2024-03-05");
    EXPECT_EQ(Format("45000", "YYYY-MM-DD"), "2023-03-15");
    EXPECT_EQ(Format(DateValue{0}, "YYYY-MM-DD"), "1899-12-30");
    EXPECT_EQ(Format(DateValue{-1}, "YYYY-MM-DD"), "1899-12-29");
    EXPECT_EQ(Format(DateValue{2958465}, "YYYY-MM-DD"), "9999-12-31");
    EXPECT_EQ(Format(DateValue{-657434}, "YYYY-MM-DD"), "100-01-01");
}

TEST(FormatDates, TextsThatAreNotDatesAndSerialsOutOfRange) {
    EXPECT_EQ(Format("未审核", "YYYY-MM-DD"), "未审核");
    EXPECT_EQ(Format("2023-02-30", "YYYY-MM-DD"), "2023-02-30");
    EXPECT_EQ(ErrorNumberOf([] { Format(3e6, "YYYY-MM-DD"); }), vberr::Overflow);
}

TEST(FormatDates, OtherDateAndTimeTokens) {
    EXPECT_EQ(Format(DateValue{33996}, "dddd, mmm d yyyy"), "Wednesday, Jan 27 1993");
    EXPECT_EQ(Format(CDate("17:04:23"), "hh:mm:ss AM/PM"), "05:04:23 PM");
    EXPECT_EQ(Format(CDate("2024-03-05 09:07:02"), "yyyy-mm-dd hh:nn:ss"), "2024-03-05 09:07:02");
    EXPECT_EQ(Format(CDate("2024-03-05 09:07:02"), "h:m:s"), "9:7:2");
    EXPECT_EQ(Format(CDate("2024-03-05"), "yy/m/d"), "24/3/5");
    EXPECT_EQ(Format(CDate("2024-03-05"), "mmmm q y w"), "March 1 65 3");
    EXPECT_EQ(Format(CDate("2024-03-05"), "yyyy\"年\"m\"月\"d\"日\""), "2024年3月5日");
    EXPECT_EQ(Format(CDate("2024-03-05 00:30:00"), "h:nn a/p"), "12:30 a");
}

TEST(FormatText, CaseAndPlaceholders) {
    EXPECT_EQ(Format("HELLO", "<"), "hello");
    EXPECT_EQ(Format("hello", ">"), "HELLO");
    EXPECT_EQ(Format("abc", "@@@@@"), "  abc");
    EXPECT_EQ(Format("abc", "!@@@@@"), "abc  ");
    EXPECT_EQ(Format("abc", "&&&&&"), "abc");
    EXPECT_EQ(Format("5551234", "@@@-@@@@"), "555-1234");
    EXPECT_EQ(Format("abcdef", "@@@"), "abcdef");
}

}  // namespace

namespace {

TEST(FormatScientific, ExponentPatterns) {
    EXPECT_EQ(Format(1234.5, "0.00E+00"), "1.23E+03");
    EXPECT_EQ(Format(0.00012345, "0.00E+00"), "1.23E-04");
    EXPECT_EQ(Format(0.00012345, "0.00E-00"), "1.23E-04");
    EXPECT_EQ(Format(1234.5, "0.00E-00"), "1.23E03");
    EXPECT_EQ(Format(9.996, "0.00E+00"), "1.00E+01");  // rounding carries into the exponent
    EXPECT_EQ(Format(-1234.5, "0.0e+0"), "-1.2e+3");
    EXPECT_EQ(Format(0, "0.00E+00"), "0.00E+00");
    EXPECT_EQ(Format(123456, "00.0E+00"), "12.3E+04");
}

TEST(FormatNamed, NamedFormats) {
    EXPECT_EQ(Format(1234.5, "Standard"), "1,234.50");
    EXPECT_EQ(Format(1234.5, "Fixed"), "1234.50");
    EXPECT_EQ(Format(0.125, "Percent"), "12.50%");
    EXPECT_EQ(Format(-1234.5, "Currency"), "($1,234.50)");
    EXPECT_EQ(Format(1234.5, "Scientific"), "1.23E+03");
    EXPECT_EQ(Format(1234.5, "General Number"), "1234.5");
    EXPECT_EQ(Format("abc", "General Number"), "abc");
    EXPECT_EQ(Format(0, "Yes/No"), "No");
    EXPECT_EQ(Format(-1, "yes/no"), "Yes");
    EXPECT_EQ(Format(true, "True/False"), "True");
    EXPECT_EQ(Format(0, "On/Off"), "Off");
    EXPECT_EQ(Format(DateValue{45000.5}, "General Date"), "2023-03-15 12:00:00");
    EXPECT_EQ(Format(DateValue{45000}, "Short Date"), "2023-03-15");
    EXPECT_EQ(Format(DateValue{45000}, "Long Date"), "Wednesday, March 15, 2023");
    EXPECT_EQ(Format(DateValue{45000}, "Medium Date"), "15-Mar-23");
    EXPECT_EQ(Format(CDate("17:04:23"), "Long Time"), "5:04:23 PM");
    EXPECT_EQ(Format(CDate("17:04:23"), "Short Time"), "17:04");
}

// The trackers' quantities and amounts go through FormatGroupedNumber; it must give exactly what
// Format gives with the same pattern, over values of every size, both signs and the ties of each
// count of places.
TEST(FormatGroupedNumber, SameAsFormatOnAMillionValues) {
    std::mt19937_64 random(20260608);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> power(-14, 22), places(0, 6);
    std::uniform_int_distribution<int64_t> whole(0, 99999999);
    const double special[] = {0.0,      -0.0,  0.5,   -0.5,     999.5,
                              9999.995, 1e15,  1e300, 4.9e-324, std::numeric_limits<double>::max(),
                              1.005,    2.675, 0.045};
    int differences = 0;
    for (int i = 0; i < 1000000 && differences < 5; ++i) {
        const int decimals = i < 13 * 7 ? i % 7 : places(random);
        double value;
        switch (i < 13 * 7 ? 3 : i % 4) {
            case 0:  // any size
                value = unit(random) * std::pow(10.0, power(random));
                break;
            case 1:  // a tie at the last place shown, or the double next to it
                value = (static_cast<double>(whole(random)) * 10 + 5) /
                        std::pow(10.0, decimals + 1 + static_cast<int>(whole(random) % 4));
                if (i % 8 == 1) value = std::nextafter(value, i % 16 == 1 ? 0.0 : 1e308);
                break;
            case 2:  // whole numbers and amounts of cents
                value = static_cast<double>(whole(random)) / (i % 8 == 2 ? 100 : 1);
                break;
            default:
                value = special[(i / 7) % 13];
        }
        if (i % 2 == 1) value = -value;
        std::string pattern = "#,##0";
        if (decimals > 0) pattern += "." + std::string(static_cast<size_t>(decimals), '0');
        const std::string expected = Format(value, pattern);
        const std::string fast = FormatGroupedNumber(value, decimals);
        if (fast != expected) {
            ++differences;
            ADD_FAILURE() << "value " << value << " with " << decimals << " places: " << fast
                          << " where Format gives " << expected;
        }
    }
}

// Sales order phases show a date that CStr wrote as YYYY-MM-DD without passing it through Format
// again: over VB's whole date range, with and without a time of day, such a text is its own
// Format, and texts of another form are not taken for it.
TEST(FormatDates, IsoDateTextsAreTheirOwnFormat) {
    int checked = 0;
    for (double serial = -657434; serial <= 2958465; serial += 97) {
        for (const double time : {0.0, 0.25, 0.99998}) {
            const std::string text = CStr(Variant(DateValue{serial + time}));
            if (!IsIsoDateText(text)) continue;
            ++checked;
            ASSERT_EQ(Format(Variant(text), "YYYY-MM-DD"), text) << serial + time;
        }
    }
    EXPECT_GT(checked, 30000);
    EXPECT_FALSE(IsIsoDateText("999-01-01"));
    EXPECT_FALSE(IsIsoDateText("2026-05-01 10:00:00"));
    EXPECT_FALSE(IsIsoDateText("2026/05/01"));
}

TEST(FormatInputs, InfinityDoesNotBreakFormatting) {
    EXPECT_EQ(Format(HUGE_VAL, "#,##0.00"), "1.#INF");
    EXPECT_EQ(Format(-HUGE_VAL, "0"), "-1.#INF");
}

}  // namespace
