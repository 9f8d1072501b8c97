#pragma once
// The pieces of Format: reading a pattern into tokens and applying a numeric, date or text
// pattern. Format (format.h) decides which one a value and a pattern call for.

#include <string>
#include <string_view>
#include <vector>

namespace automation::detail {

// The sections of a pattern, split at the semicolons that are not quoted or escaped.
std::vector<std::string> SplitSections(std::string_view pattern);

enum class PatternKind { Number, Date, Text };
// Digit placeholders (0 #) make a number pattern; otherwise date letters (d m y h n s w q c,
// AM/PM) a date pattern; otherwise text placeholders (@ & < > !) a text pattern; a pattern of
// literals alone is a number pattern that shows them.
PatternKind KindOfPattern(std::string_view section);

// A number in a number pattern of up to four sections (positive; negative; zero; Null), rounded
// half away from zero on its 15-significant-digit form.
std::string FormatNumber(double value, std::string_view pattern);
// The text of the Null section (the fourth), "" when the pattern has none.
std::string FormatNullSection(std::string_view pattern);

// A date serial (in VB's date range) in a date pattern; the locale is en-US.
std::string FormatDate(double serial, std::string_view pattern);

// A text in a text pattern: @ (a character or a blank), & (a character or nothing), filled from
// the right unless ! asks for the left; < lower case, > upper case.
std::string FormatText(std::string_view text, std::string_view pattern);

}  // namespace automation::detail
