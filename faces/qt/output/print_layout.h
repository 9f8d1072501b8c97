#pragma once
// How a print document lies across a page of a given width, so that no printed text is ever cut:
// - every column is as wide as its widest value (or the longest word of its caption), and a
//   caption wider than its column wraps under it onto more lines;
// - a table wider than the page is split into column groups, one after the other, each headed
//   by its captions and each repeating the table's first column (the bill number) so that every
//   row stays recognisable; rows hang their child nodes under the last group;
// - a text (head line, node label, title) wider than the page wraps, at words where it can;
// - a single value wider than the whole page (rare) wraps inside its cell.
// Every line knows its height in lines, so pagination keeps whole lines on a page.

#include <faces/qt/output/print_document.h>

#include <QFont>
#include <QTextOption>

#include <map>
#include <vector>

class QPaintDevice;

namespace qtgui {

struct PrintLayout {
    PrintDocument document;  // the lines as they are painted (tables split), with their heights
    std::map<size_t, std::vector<double>> widths;  // column widths under each heading line
    double padding = 0;                            // inside each side of a cell
};

// The width the widest table of the document needs to be shown whole without splitting,
// indentation included.
double WidestTable(const PrintDocument& document, const QFont& font, QPaintDevice* device);

// Lays the document out across `width` (device units) in `font` (bold for nodes, titles and
// totals).
PrintLayout LayOut(const PrintDocument& document, const QFont& font, QPaintDevice* device,
                   double width);

// How every printed text is drawn: aligned as asked, wrapped at words where possible and anywhere
// else.
QTextOption PrintTextOption(Qt::Alignment alignment);

// How many lines `text` takes in `font` on `device`, wrapped so into `width`.
int WrappedLines(const QString& text, const QFont& font, QPaintDevice* device, double width);

}  // namespace qtgui
