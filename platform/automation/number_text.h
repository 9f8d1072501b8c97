#pragma once
// Reading and writing numbers as VB's C-functions (CDbl, CLng, CStr) do, pinned to the en-US
// locale: "." is the decimal separator, "," the group separator, "$" the currency symbol.

#include <optional>
#include <string>
#include <string_view>

namespace automation::detail {

// The whole text read as a number: blanks around it, a sign (blanks may follow it), an optional
// "$", digits with "," group separators after the first digit, a fraction, an exponent written
// with E or D; or a "&H" / "&O" radix number. Nothing when the text is not a number; infinity
// when it is one too large for a Double (the caller reports the overflow).
std::optional<double> ParseNumber(std::string_view text);

// A Double as CStr writes it: at most 15 significant digits, no trailing zeros, scientific form
// ("1E+16", "1.5E-05") below 1E-4 and from 1E+15 on.
std::string DoubleText(double value);
// A Single as CStr writes it: 7 significant digits, scientific from 1E+7 on.
std::string SingleText(float value);

}  // namespace automation::detail
