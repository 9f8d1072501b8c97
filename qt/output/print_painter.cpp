#include <qt/output/print_painter.h>

#include <qt/output/detail_layout.h>

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <map>

namespace qtgui {

namespace {

constexpr double kLineSpacing = 1.35;
constexpr int kHeaderLines = 3;  // title and date, the order shown, a gap
constexpr int kFooterLines = 2;
constexpr double kIndentEm = 1.2;

QFont BodyFont() {
    QFont font;
    font.setPointSizeF(8.5);
    return font;
}

struct PageGeometry {
    QRectF area;
    double lineHeight;
    int linesPerPage;
};

PageGeometry GeometryOf(QPagedPaintDevice& device, const QFont& font) {
    const QFontMetricsF metrics(font, &device);
    const double lineHeight = metrics.height() * kLineSpacing;
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QRectF local(0, 0, area.width(), area.height());
    const int lines = static_cast<int>(local.height() / lineHeight) - kHeaderLines - kFooterLines;
    return {local, lineHeight, std::max(lines, 2)};
}

// Column widths of the rows under each heading line: each column as wide as its widest text,
// scaled down together when they do not fit across the page. Measured once, in one pass.
class ColumnWidths {
  public:
    ColumnWidths(const PrintDocument& document, const QFontMetricsF& metrics, double width) {
        const double pad = metrics.averageCharWidth() * 2;
        for (size_t i = 0; i < document.lines.size(); ++i) {
            const auto& line = document.lines[i];
            const bool heading = line.kind == PrintLine::Kind::Heading;
            if (!heading && !line.heading) continue;
            auto& widths = widths_[heading ? i : *line.heading];
            widths.resize(std::max(widths.size(), line.texts.size()), 0.0);
            for (size_t c = 0; c < line.texts.size(); ++c) {
                const QString text = QString::fromStdString(line.texts[c]);
                widths[c] = std::max(widths[c], metrics.horizontalAdvance(text) + pad);
            }
        }
        for (auto& [heading, widths] : widths_) {
            const double indent =
                metrics.averageCharWidth() * kIndentEm * 2 * document.lines[heading].depth;
            double total = 0;
            for (double w : widths) total += w;
            const double room = width - indent;
            if (total > room && total > 0) {
                for (double& w : widths) w *= room / total;
            }
        }
    }

    const std::vector<double>& Of(size_t heading) const { return widths_.at(heading); }

  private:
    std::map<size_t, std::vector<double>> widths_;
};

class PagePainter {
  public:
    PagePainter(QPainter& painter, const PrintDocument& document, const PageGeometry& geometry)
        : painter_(painter),
          document_(document),
          geometry_(geometry),
          metrics_(painter.font(), painter.device()),
          widths_(document, metrics_, geometry.area.width()) {}

    void Paint(const PageSlice& page, int number, int count) {
        PaintHeader();
        double y = geometry_.lineHeight * kHeaderLines;
        if (page.repeatedHeading) {
            PaintLine(*page.repeatedHeading, y);
            y += geometry_.lineHeight;
        }
        for (size_t i = page.first; i < page.first + page.count; ++i) {
            PaintLine(i, y);
            y += geometry_.lineHeight;
        }
        const QRectF foot(0, geometry_.area.height() - geometry_.lineHeight, geometry_.area.width(),
                          geometry_.lineHeight);
        painter_.drawText(foot, Qt::AlignCenter, QStringLiteral("%1 / %2").arg(number).arg(count));
    }

  private:
    void PaintHeader() {
        const double h = geometry_.lineHeight;
        const QRectF top(0, 0, geometry_.area.width(), h);
        QFont bold = painter_.font();
        bold.setBold(true);
        painter_.save();
        painter_.setFont(bold);
        painter_.drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                          QString::fromStdString(document_.title));
        painter_.restore();
        painter_.drawText(top, Qt::AlignRight | Qt::AlignVCenter,
                          QString::fromStdString(document_.date));
        painter_.drawText(QRectF(0, h, geometry_.area.width(), h), Qt::AlignLeft | Qt::AlignVCenter,
                          QString::fromStdString(document_.subtitle));
        painter_.drawLine(QPointF(0, h * 2.2), QPointF(geometry_.area.width(), h * 2.2));
    }

    void PaintLine(size_t index, double y) {
        const PrintLine& line = document_.lines[index];
        const double indent = metrics_.averageCharWidth() * kIndentEm * 2 * line.depth;
        const QRectF band(indent, y, geometry_.area.width() - indent, geometry_.lineHeight);
        painter_.save();
        QFont font = painter_.font();
        font.setBold(line.kind == PrintLine::Kind::Node || line.kind == PrintLine::Kind::Title ||
                     line.kind == PrintLine::Kind::Total);
        painter_.setFont(font);
        if (line.kind == PrintLine::Kind::Heading) painter_.fillRect(band, QColor(232, 232, 232));
        if (line.kind == PrintLine::Kind::Total) painter_.fillRect(band, QColor(255, 246, 200));
        if (line.kind == PrintLine::Kind::Heading || line.kind == PrintLine::Kind::Row ||
            line.kind == PrintLine::Kind::Total) {
            PaintCells(line, line.kind == PrintLine::Kind::Heading ? index : *line.heading, band);
        } else {
            painter_.drawText(band, Qt::AlignLeft | Qt::AlignVCenter,
                              QString::fromStdString(line.texts.empty() ? "" : line.texts[0]));
        }
        painter_.restore();
    }

    void PaintCells(const PrintLine& line, size_t heading, const QRectF& band) {
        const auto& widths = widths_.Of(heading);
        double x = band.left();
        const double pad = metrics_.averageCharWidth();
        for (size_t c = 0; c < line.texts.size() && c < widths.size(); ++c) {
            const QRectF cell(x + pad, band.top(), std::max(0.0, widths[c] - 2 * pad),
                              band.height());
            const QString text = metrics_.elidedText(QString::fromStdString(line.texts[c]),
                                                     Qt::ElideRight, cell.width());
            painter_.drawText(cell, AlignmentOf(line.aligns.size() > c ? line.aligns[c] : 0), text);
            x += widths[c];
        }
    }

    QPainter& painter_;
    const PrintDocument& document_;
    const PageGeometry& geometry_;
    QFontMetricsF metrics_;
    ColumnWidths widths_;
};

}  // namespace

int LinesPerPage(QPagedPaintDevice& device) { return GeometryOf(device, BodyFont()).linesPerPage; }

int PaintDocument(QPagedPaintDevice& device, const PrintDocument& document) {
    const QFont font = BodyFont();
    const PageGeometry geometry = GeometryOf(device, font);
    const auto pages = Paginate(document, geometry.linesPerPage);
    QPainter painter(&device);
    painter.setFont(font);
    PagePainter pagePainter(painter, document, geometry);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) device.newPage();
        pagePainter.Paint(pages[i], static_cast<int>(i + 1), static_cast<int>(pages.size()));
    }
    painter.end();
    return static_cast<int>(pages.size());
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
