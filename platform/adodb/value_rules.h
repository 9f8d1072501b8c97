#pragma once
// How the record set reads, compares and stores values: the rules Filter, Sort and field
// assignment share. Internal to the record set; callers use recordset.h.

#include <platform/adodb/recordset.h>
#include <platform/automation/variant.h>

#include <optional>
#include <string>
#include <string_view>

namespace adodb::internal {

// A whole text read as a number: blanks around it, a sign, a leading "$", a decimal point and an
// exponent are allowed ("-52", " 12.5 ", "$50.00", "1.5E3"). Anything else gives nothing.
std::optional<double> ParseNumberText(std::string_view text);

// "M/D/YYYY" or "YYYY-MM-DD", each optionally followed by " HH:MM[:SS]".
std::optional<automation::DateValue> ParseDateText(std::string_view text);
// The same for the form a DATE column holds, "YYYY-MM-DD" (a year from 1000 on), read without
// the general reader; nothing for any other text, an impossible day among them.
std::optional<automation::DateValue> IsoDate(std::string_view text);
// The same for "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS", the forms a server writes its dates and
// timestamps in.
std::optional<automation::DateValue> IsoDateTime(std::string_view text);
// "YYYY-MM-DD", with " HH:MM:SS" when the time is not midnight or `withTime` asks for it.
std::string FormatDateText(automation::DateValue date, bool withTime = false);

// The text of a value as VB would show it ("" for Null and Empty).
std::string TextOf(const automation::Variant& value);

// Text order without regard to ASCII letter case; negative, 0 or positive.
int CompareTextIgnoreCase(std::string_view a, std::string_view b);

// The order Sort uses: Null first, then numbers and dates, then texts (ignoring letter case).
// Two texts that both read as numbers still compare as texts.
int CompareForSort(const automation::Variant& a, const automation::Variant& b);

// The order of SQLite's ORDER BY over the values it stored: Null first, then numbers by value,
// then texts byte by byte (its BINARY collation). A date read from a stored text goes among
// the numbers by its serial, that is by the day it names.
int CompareAsSqlite(const automation::Variant& a, const automation::Variant& b);

bool IsNumericType(DataTypeEnum type);
bool IsTextType(DataTypeEnum type);
bool IsDateType(DataTypeEnum type);

// The value a field of `field`'s type stores for `value` (a number for a numeric field, and so
// on). A value the field cannot hold is error 3421; nothing is written then.
automation::Variant CoerceToField(const FieldInfo& field, const automation::Variant& value);

}  // namespace adodb::internal
