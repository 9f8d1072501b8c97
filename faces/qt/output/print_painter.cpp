#include <faces/qt/output/print_painter.h>

#include <faces/qt/output/detail_layout.h>
#include <faces/qt/output/print_layout.h>

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace qtgui {

namespace {

constexpr double kLineSpacing = 1.35;
constexpr int kFooterLines = 2;

QFont BodyFont() {
    QFont font;
    font.setPointSizeF(8.5);
    return font;
}

QFont BoldFont() {
    QFont font = BodyFont();
    font.setBold(true);
    return font;
}

// The page head: the title (bold) with the date at its right, the order shown under them, a rule
// and a gap. Title and order wrap when the page is too narrow for them.
struct PageHead {
    int titleLines = 1;
    int subtitleLines = 1;
    int Lines() const { return titleLines + subtitleLines + 1; }
};

struct PageGeometry {
    QSizeF area;
    double lineHeight;
    PageHead head;
    int linesPerPage;
};

PageGeometry GeometryOf(QPaintDevice* device, QSizeF area, const PrintDocument* document) {
    const QFontMetricsF metrics(BodyFont(), device);
    const double lineHeight = metrics.height() * kLineSpacing;
    PageHead head;
    if (document) {
        const double dateWidth =
            metrics.horizontalAdvance(QString::fromStdString(document->date)) * 1.5;
        head.titleLines = WrappedLines(QString::fromStdString(document->title), BoldFont(), device,
                                       area.width() - dateWidth);
        head.subtitleLines = WrappedLines(QString::fromStdString(document->subtitle), BodyFont(),
                                          device, area.width());
    }
    const int lines = static_cast<int>(area.height() / lineHeight) - head.Lines() - kFooterLines;
    return {area, lineHeight, head, std::max(lines, 2)};
}

QSizeF AreaOf(QPagedPaintDevice& device) {
    return device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
}

class PagePainter {
  public:
    PagePainter(QPainter& painter, const PrintLayout& layout, const PageGeometry& geometry)
        : painter_(painter),
          layout_(layout),
          document_(layout.document),
          geometry_(geometry),
          metrics_(painter.font(), painter.device()) {}

    void Paint(const PageSlice& page, int number, int count) {
        PaintHeader();
        double y = geometry_.lineHeight * geometry_.head.Lines();
        if (page.repeatedHeading) y += PaintLine(*page.repeatedHeading, y);
        for (size_t i = page.first; i < page.first + page.count; ++i) y += PaintLine(i, y);
        const QRectF foot(0, geometry_.area.height() - geometry_.lineHeight, geometry_.area.width(),
                          geometry_.lineHeight);
        painter_.drawText(foot, Qt::AlignCenter, QStringLiteral("%1 / %2").arg(number).arg(count));
    }

  private:
    void PaintHeader() {
        const double h = geometry_.lineHeight;
        const double width = geometry_.area.width();
        const QString date = QString::fromStdString(document_.date);
        const double dateWidth = metrics_.horizontalAdvance(date) * 1.5;
        const double titleHeight = h * geometry_.head.titleLines;
        painter_.save();
        painter_.setFont(BoldFont());
        painter_.drawText(QRectF(0, 0, width - dateWidth, titleHeight),
                          QString::fromStdString(document_.title),
                          PrintTextOption(Qt::AlignLeft | Qt::AlignVCenter));
        painter_.restore();
        painter_.drawText(QRectF(0, 0, width, h), Qt::AlignRight | Qt::AlignVCenter, date);
        const double subtitleHeight = h * geometry_.head.subtitleLines;
        painter_.drawText(QRectF(0, titleHeight, width, subtitleHeight),
                          QString::fromStdString(document_.subtitle),
                          PrintTextOption(Qt::AlignLeft | Qt::AlignVCenter));
        const double rule = titleHeight + subtitleHeight + h * 0.2;
        painter_.drawLine(QPointF(0, rule), QPointF(width, rule));
    }

    // Paints a line at `y` and answers its height.
    double PaintLine(size_t index, double y) {
        const PrintLine& line = document_.lines[index];
        const double indent = metrics_.averageCharWidth() * 1.2 * 2 * line.depth;
        const double height = geometry_.lineHeight * line.height;
        const QRectF band(indent, y, geometry_.area.width() - indent, height);
        painter_.save();
        if (line.kind == PrintLine::Kind::Node || line.kind == PrintLine::Kind::Title ||
            line.kind == PrintLine::Kind::Total) {
            painter_.setFont(BoldFont());
        }
        if (line.kind == PrintLine::Kind::Heading) painter_.fillRect(band, QColor(232, 232, 232));
        if (line.kind == PrintLine::Kind::Total) painter_.fillRect(band, QColor(255, 246, 200));
        if (line.kind == PrintLine::Kind::Heading || line.kind == PrintLine::Kind::Row ||
            line.kind == PrintLine::Kind::Total) {
            PaintCells(line, line.kind == PrintLine::Kind::Heading ? index : *line.heading, band);
        } else {
            painter_.drawText(band, QString::fromStdString(line.texts.empty() ? "" : line.texts[0]),
                              PrintTextOption(Qt::AlignLeft | Qt::AlignVCenter));
        }
        painter_.restore();
        return height;
    }

    // Every cell whole in its column: the layout made each column wide enough for its values
    // and each line tall enough for what wraps.
    void PaintCells(const PrintLine& line, size_t heading, const QRectF& band) {
        const auto& widths = layout_.widths.at(heading);
        const double pad = layout_.padding;
        double x = band.left();
        for (size_t c = 0; c < line.texts.size() && c < widths.size(); ++c) {
            const QRectF cell(x + pad, band.top(), std::max(0.0, widths[c] - 2 * pad),
                              band.height());
            const int align = line.aligns.size() > c ? line.aligns[c] : 0;
            painter_.drawText(cell, QString::fromStdString(line.texts[c]),
                              PrintTextOption(AlignmentOf(align)));
            x += widths[c];
        }
    }

    QPainter& painter_;
    const PrintLayout& layout_;
    const PrintDocument& document_;
    const PageGeometry& geometry_;
    QFontMetricsF metrics_;
};

}  // namespace

int LinesPerPage(QPagedPaintDevice& device) {
    return GeometryOf(&device, AreaOf(device), nullptr).linesPerPage;
}

void ChoosePageOrientation(QPagedPaintDevice& device, const PrintDocument& document) {
    if (device.pageLayout().orientation() == QPageLayout::Landscape) return;
    QPageLayout landscape = device.pageLayout();
    landscape.setOrientation(QPageLayout::Landscape);
    const double portraitWidth = AreaOf(device).width();
    const double landscapeWidth = landscape.paintRectPixels(device.logicalDpiX()).width();
    if (WidestTable(document, BodyFont(), &device) > portraitWidth &&
        landscapeWidth > portraitWidth) {
        device.setPageOrientation(QPageLayout::Landscape);
    }
}

int PaintPages(QPaintDevice& device, QSizeF area, const PrintDocument& document,
               const std::function<void()>& newPage) {
    const PageGeometry geometry = GeometryOf(&device, area, &document);
    const PrintLayout layout = LayOut(document, BodyFont(), &device, area.width());
    const auto pages = Paginate(layout.document, geometry.linesPerPage);
    QPainter painter(&device);
    painter.setFont(BodyFont());
    PagePainter pagePainter(painter, layout, geometry);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) newPage();
        pagePainter.Paint(pages[i], static_cast<int>(i + 1), static_cast<int>(pages.size()));
    }
    painter.end();
    return static_cast<int>(pages.size());
}

int PaintDocument(QPagedPaintDevice& device, const PrintDocument& document) {
    ChoosePageOrientation(device, document);
    return PaintPages(device, AreaOf(device), document, [&device] { device.newPage(); });
}

std::string DocumentToPdf(const PrintDocument& document) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(document.title));
        writer.setCreator(QStringLiteral("trackquery"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        PaintDocument(writer, document);
    }
    return buffer.data().toStdString();
}

}  // namespace qtgui
