#pragma once
// Dates as VB keeps them (a Double counting days from 1899-12-30, the fraction being the time of
// day) taken apart into calendar fields and put together again, and date texts read.

#include <optional>
#include <string_view>

namespace automation::detail {

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 7;  // 1 = Sunday ... 7 = Saturday, as VB's Weekday counts
    int dayOfYear = 364;
};

// VB's date range: 100-01-01 to 9999-12-31.
inline constexpr double kFirstDateSerial = -657434.0;
inline constexpr double kLastDateSerial = 2958465.999988426;
bool IsDateSerialInRange(double serial);

// The calendar fields of a serial (in range), the time rounded to the second. For a negative
// serial the fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00.
DateParts SplitDateSerial(double serial);
// The serial of a date and time; nothing for a day that does not exist (2023-02-29, month 13) or a
// year outside 100..9999.
std::optional<double> DateSerial(int year, int month, int day, int hour = 0, int minute = 0,
                                 int second = 0);

// A date text: "2024-03-05", "2024/3/5", "2024.03.05", the en-US "3/5/2024", each optionally
// followed by a time "13:45", "13:45:10", "13:45:10.250" (after a blank or "T", with an optional
// AM/PM); or a time alone. Blanks around it are allowed. Nothing when the text is not a date.
std::optional<double> ParseDateText(std::string_view text);

}  // namespace automation::detail
