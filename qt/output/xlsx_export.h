#pragma once
// The detail tree as an XLSX workbook (libxlsxwriter): one sheet that starts with the tracking
// title, the date and the order shown, then every loaded node and row in tree order, as the CSV
// export has them. A node is a bold line with its label, followed by its visible column headings
// (shaded) and its rows, one cell per column; the totals row is bold with a rule above it. Rows
// carry the tree's depth as their outline level, so the spreadsheet can fold them as the viewer
// does. Numbers are written as numbers with the format their text shows ("1,234.50" is 1234.5 in
// "#,##0.00"), dates as dates; bill numbers and other texts stay text.

#include <trackquery/contracts/detail_model.h>

#include <optional>
#include <string>

namespace qtgui {

struct SheetHeader {
    std::string title;
    std::string date;
    std::string subtitle;
};

// The bytes of the workbook. A failure of the writer is run-time error 75.
std::string DetailModelToXlsx(const trackquery::DetailModel& model, const SheetHeader& header);

// A cell text that shows a number: its value and the number format that shows it that way.
struct ShownNumber {
    double value = 0;
    std::string format;
};
// Nothing for a text that is not a plain number ("WORK0001", "0012", "", "1.2.3").
std::optional<ShownNumber> ReadShownNumber(const std::string& text);

}  // namespace qtgui
