#pragma once
// The view as an XLSX workbook (libxlsxwriter): one sheet that starts with the tracking title,
// the date and the order shown, then the head panel (a caption and its value a line, as the print
// has it), then every loaded node and row of the detail tree in tree order, as the CSV export has
// them. A node is a bold line with its label, followed by its visible column headings (shaded) and
// its rows, one cell per column; the totals row is bold with a rule above it. Rows carry the tree's
// depth as their outline level, so the spreadsheet can fold them as the viewer does. Figures,
// percentages and dates are typed cells, one number format per column of a node (column_types.h);
// bill numbers and other texts stay text.

#include <faces/qt/output/column_types.h>
#include <faces/qt/output/print_document.h>

#include <contracts/view_models/detail_model.h>

#include <string>
#include <vector>

namespace qtgui {

struct SheetHeader {
    std::string title;
    std::string date;
    std::string subtitle;
    std::string headTitle = {};               // the head panel's title, may be empty
    std::vector<std::string> headLines = {};  // "caption：value"
    std::string detailTitle = {};             // the detail pane's title, may be empty
};

// The header of the workbook of what a print document shows.
SheetHeader SheetHeaderOf(const PrintDocument& document);

// The bytes of the workbook. A failure of the writer is run-time error 75.
std::string DetailModelToXlsx(const trackquery::DetailModel& model, const SheetHeader& header);

}  // namespace qtgui
