#pragma once
// What a spreadsheet should hold for the texts a view shows: figures ("1,234.50", "850", "80%")
// are numbers, ISO dates ("2026-04-25") are dates, and one column has one number format, so that
// a spreadsheet sums it and shows every cell of it alike. The trackers give their cells as texts
// (the sales order tracker's figures carry no numeric value at all), so the type of a column is
// read from every text it shows.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qtgui {

// A cell text that shows a number: its value and the number format that shows it that way.
struct ShownNumber {
    double value = 0;
    std::string format;
};
// Nothing for a text that is not a plain number ("WORK0001", "0012", "", "1.2.3").
std::optional<ShownNumber> ReadShownNumber(const std::string& text);

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
// A date written "YYYY-MM-DD"; nothing for any other text.
std::optional<CivilDate> ReadIsoDate(std::string_view text);

struct ColumnType {
    enum class Kind { Text, Number, Date };
    Kind kind = Kind::Text;
    std::string format;  // the number format of every typed cell of the column
};

// The type of a column from every text it shows. Empty cells and the dash of a figure that does
// not apply ("-") do not count; any other text that is not a figure (or not a date) keeps the
// whole column text. A column that holds codes (its key names a number or a bill number: "FBillNo",
// "FItemNumber") stays text even when its codes look like figures. Numbers take the widest form
// their column shows: grouping when one cell is grouped, the most decimals, a percentage when
// every cell is one.
ColumnType TypeOfColumn(std::string_view key, const std::vector<std::string>& texts);

// A head panel line "caption：value" (or "caption: value") as its caption and value; the whole
// line as caption when it has no separator.
std::pair<std::string, std::string> SplitHeadLine(const std::string& line);

}  // namespace qtgui
