#pragma once
// Paints a print document page by page onto a paged device: a printer, or a PDF writer. Each page
// has the tracking title and the date at its top, the order shown under them, then its lines
// (node labels in bold, column headings shaded, totals in bold, cells aligned as their columns
// say), and "n / m" at its foot. No text is ever cut (print_layout.h): captions and long texts
// wrap, columns take the width of their values, a page turns to landscape when a table needs the
// width, and a table wider still is split into column groups.

#include <faces/qt/output/print_document.h>

#include <QSizeF>

#include <functional>
#include <string>

class QPaintDevice;
class QPagedPaintDevice;

namespace qtgui {

// How many document lines fit on a page of the device.
int LinesPerPage(QPagedPaintDevice& device);

// Paints the whole document and returns the number of pages. The device must not be painted on
// yet (a printer freshly set up, a new PDF writer); false pages are never left: painting a
// document without lines gives one page with its title.
int PaintDocument(QPagedPaintDevice& device, const PrintDocument& document);

// Turns a portrait page to landscape when the document's widest table is wider than the page and
// landscape gives it more room; a page already in landscape stays so.
void ChoosePageOrientation(QPagedPaintDevice& device, const PrintDocument& document);

// Paints the document onto any device whose pages are `area` large (device units), calling
// `newPage` between pages; returns the number of pages. PaintDocument uses it on paged devices.
int PaintPages(QPaintDevice& device, QSizeF area, const PrintDocument& document,
               const std::function<void()>& newPage);

// The document as the bytes of a PDF file (A4, landscape when a table needs it).
std::string DocumentToPdf(const PrintDocument& document);

}  // namespace qtgui
