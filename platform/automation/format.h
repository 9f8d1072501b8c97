#pragma once
// VB6's Format for the patterns the library uses: "#,##0", "#,##0.00", "#0.0000000000" (any
// count of 0 and # places, with or without grouping) and "YYYY-MM-DD". Numbers round half away
// from zero on their 15-significant-digit decimal form.

#include <platform/automation/variant.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace automation {

std::string Format(const Variant& value, std::string_view pattern = "");

// Format(value, "#,##0") with `decimals` "0" places after a point ("#,##0.00" for 2), for a
// number, without reading the pattern: the trackers' quantities and amounts, cell after cell.
std::string FormatGroupedNumber(double value, int32_t decimals);

// True when `text` is a date as "YYYY-MM-DD" writes it (four digits, two, two): CStr writes a
// date of the years 1000 to 9999 without a time of day so, and Format with that pattern gives
// such a text back unchanged, which spares a reader of many dates the parse and the pattern.
bool IsIsoDateText(std::string_view text);

}  // namespace automation
