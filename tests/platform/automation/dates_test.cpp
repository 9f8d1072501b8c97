// Building a Date from its calendar fields, and the calendar fields read back from serials on
// both sides of VB's day 0.

#include <platform/automation/dates.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

using namespace automation;

namespace {

TEST(DateSerial, CountsDaysFromVbsDayZero) {
    EXPECT_EQ(DateSerial(1899, 12, 30).serial, 0);
    EXPECT_EQ(DateSerial(1900, 3, 1).serial, 61);
    EXPECT_EQ(DateSerial(2024, 2, 29).serial, 45351);
    EXPECT_EQ(DateSerial(1600, 2, 29).serial, -109512);
    EXPECT_EQ(DateSerial(100, 1, 1).serial, -657434);
    EXPECT_EQ(DateSerial(9999, 12, 31).serial, 2958465);
}

TEST(DateSerial, ADayThatDoesNotExistOrLiesOutsideTheRangeIsError5) {
    EXPECT_EQ(ErrorNumberOf([] { DateSerial(2023, 2, 29); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { DateSerial(1900, 2, 29); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { DateSerial(2024, 13, 1); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { DateSerial(2024, 4, 31); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { DateSerial(99, 12, 31); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { DateSerial(10000, 1, 1); }), vberr::InvalidProcedureCall);
}

TEST(DateSerial, WeekdayAndDayOfYearHoldBeforeDayZeroToo) {
    EXPECT_EQ(Format(DateSerial(100, 1, 1), "dddd y w"), "Friday 1 6");
    EXPECT_EQ(Format(DateSerial(1600, 2, 29), "dddd y"), "Tuesday 60");
    EXPECT_EQ(Format(DateSerial(1800, 12, 31), "dddd y w"), "Wednesday 365 4");
    EXPECT_EQ(Format(DateSerial(1899, 12, 31), "dddd y w"), "Sunday 365 1");
    EXPECT_EQ(Format(DateSerial(9999, 12, 31), "dddd y w"), "Friday 365 6");
}

}  // namespace
