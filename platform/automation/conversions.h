#pragma once
// VB6's conversion functions with VB6's rules: banker's rounding for CInt/CLng/Round, error 6 on
// overflow, 13 on a text that is not a number, 94 on Null.

#include <platform/automation/variant.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace automation {

bool CBool(const Variant& value);
int16_t CInt(const Variant& value);
int32_t CLng(const Variant& value);
float CSng(const Variant& value);
double CDbl(const Variant& value);
DateValue CDate(const Variant& value);
std::string CStr(const Variant& value);

// The leading number of a text, 0 when there is none; never fails on text (a number too large for
// a Double is error 6).
double Val(std::string_view text);
// True when CDbl would succeed on the value: numbers, Booleans, Empty, numeric texts.
bool IsNumeric(const Variant& value);
// True for a Date and for a text CDate reads as a date.
bool IsDate(const Variant& value);
// Str: like CStr for numbers, with a leading blank before a value that is not negative.
std::string Str(const Variant& value);
// The text VB's & operator makes of a value: Null and Empty give the empty text, anything else
// its CStr.
std::string TextOrEmpty(const Variant& value);
// A whole number where the value holds one (CLng), `fallback` for Null and for what is no number;
// a number out of the Long range is still error 6.
int32_t CLngOr(const Variant& value, int32_t fallback = 0);
// Round half to even at `digits` places; a negative count is error 5.
double Round(double value, int32_t digits = 0);

}  // namespace automation
