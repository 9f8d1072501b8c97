#pragma once
// Paints a print document page by page onto a paged device: a printer, or a PDF writer. Each page
// has the tracking title and the date at its top, the order shown under them, then its lines
// (node labels in bold, column headings shaded, totals in bold, cells aligned as their columns
// say), and "n / m" at its foot. Texts too wide for their column are cut with an ellipsis.

#include <qt/output/print_document.h>

#include <string>

class QPagedPaintDevice;

namespace qtgui {

// How many document lines fit on a page of the device.
int LinesPerPage(QPagedPaintDevice& device);

// Paints the whole document and returns the number of pages. The device must not be painted on
// yet (a printer freshly set up, a new PDF writer); false pages are never left: painting a
// document without lines gives one page with its title.
int PaintDocument(QPagedPaintDevice& device, const PrintDocument& document);

// The document as the bytes of a PDF file (A4).
std::string DocumentToPdf(const PrintDocument& document);

}  // namespace qtgui
