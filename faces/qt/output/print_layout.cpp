#include <faces/qt/output/print_layout.h>

#include <QFontMetricsF>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace qtgui {

namespace {

constexpr double kIndentEm = 1.2;

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

bool IsBold(PrintLine::Kind kind) {
    return kind == PrintLine::Kind::Node || kind == PrintLine::Kind::Title ||
           kind == PrintLine::Kind::Total;
}

// Widths and wrapped heights of texts in the print's fonts on the device.
class Measure {
  public:
    Measure(const QFont& font, QPaintDevice* device)
        : font_(font),
          boldFont_(Bold(font)),
          device_(device),
          regular_(font, device),
          bold_(boldFont_, device) {}

    double Pad() const { return regular_.averageCharWidth(); }
    double Indent(int depth) const { return regular_.averageCharWidth() * kIndentEm * 2 * depth; }

    double Width(const std::string& text, bool bold) const {
        return Of(bold).horizontalAdvance(QString::fromStdString(text));
    }

    // The widest word: what a wrapped caption cannot go below.
    double LongestWord(const std::string& text, bool bold) const {
        double widest = 0;
        for (const auto& word : QString::fromStdString(text).split(' ', Qt::SkipEmptyParts))
            widest = std::max(widest, Of(bold).horizontalAdvance(word));
        return widest;
    }

    // How many lines a text takes wrapped into `width`.
    int Lines(const std::string& text, double width, bool bold) const {
        if (text.empty() || Width(text, bold) <= width) return 1;
        return WrappedLines(QString::fromStdString(text), bold ? boldFont_ : font_, device_, width);
    }

  private:
    const QFontMetricsF& Of(bool bold) const { return bold ? bold_ : regular_; }
    QFont font_;
    QFont boldFont_;
    QPaintDevice* device_;
    QFontMetricsF regular_;
    QFontMetricsF bold_;
};

// The widths of a table's columns: at least as wide as the widest value and the longest word of
// the caption, and wished as wide as the whole caption too.
struct TableWidths {
    std::vector<double> least;
    std::vector<double> wish;
};

std::map<size_t, TableWidths> NaturalWidths(const PrintDocument& document, const Measure& measure) {
    std::map<size_t, TableWidths> tables;
    // A little slack, so that a text measured to fit is never wrapped for a rounding.
    const double pads = measure.Pad() * 2.25;
    for (size_t i = 0; i < document.lines.size(); ++i) {
        const auto& line = document.lines[i];
        const bool heading = line.kind == PrintLine::Kind::Heading;
        if (!heading && !line.heading) continue;
        auto& table = tables[heading ? i : *line.heading];
        const size_t count = std::max(table.least.size(), line.texts.size());
        table.least.resize(count, pads);
        table.wish.resize(count, pads);
        for (size_t c = 0; c < line.texts.size(); ++c) {
            const bool bold = IsBold(line.kind);
            const double least = heading ? measure.LongestWord(line.texts[c], bold)
                                         : measure.Width(line.texts[c], bold);
            table.least[c] = std::max(table.least[c], least + pads);
            table.wish[c] = std::max(
                {table.wish[c], table.least[c], measure.Width(line.texts[c], bold) + pads});
        }
    }
    return tables;
}

// The widths a table takes in `room`: its wishes when they fit, else its least widths with the
// room left shared out towards the wishes.
std::vector<double> Fitted(const TableWidths& table, double room) {
    const double least = std::accumulate(table.least.begin(), table.least.end(), 0.0);
    const double wish = std::accumulate(table.wish.begin(), table.wish.end(), 0.0);
    if (wish <= room) return table.wish;
    if (least >= room || wish <= least) return table.least;
    const double share = (room - least) / (wish - least);
    std::vector<double> widths = table.least;
    for (size_t c = 0; c < widths.size(); ++c) widths[c] += (table.wish[c] - widths[c]) * share;
    return widths;
}

struct ColumnGroup {
    std::vector<size_t> columns;
    std::vector<double> widths;
};

// The columns in groups that fit across `room`. Each group after the first starts with the first
// column again, which then takes at most half the room; a column wider than the rest of the room
// is narrowed to it (its values wrap).
std::vector<ColumnGroup> Split(const std::vector<double>& natural, double room) {
    if (natural.empty()) return {ColumnGroup{}};
    std::vector<size_t> all(natural.size());
    std::iota(all.begin(), all.end(), size_t{0});
    if (std::accumulate(natural.begin(), natural.end(), 0.0) <= room) return {{all, natural}};
    const double key = std::min(natural[0], room / 2);
    std::vector<ColumnGroup> groups;
    double used = room;
    for (size_t c = 1; c < natural.size(); ++c) {
        const double width = std::min(natural[c], room - key);
        if (used + width > room) {
            groups.push_back({{0}, {key}});
            used = key;
        }
        groups.back().columns.push_back(c);
        groups.back().widths.push_back(width);
        used += width;
    }
    if (groups.empty()) groups.push_back({{0}, {std::min(natural[0], room)}});
    return groups;
}

class Layouter {
  public:
    Layouter(const PrintDocument& in, const Measure& measure, double width)
        : in_(in), measure_(measure), width_(width), natural_(NaturalWidths(in, measure)) {
        out_.document = PrintDocument{in.title,     in.date,      in.subtitle,   {},
                                      in.headTitle, in.headLines, in.detailTitle};
        out_.padding = measure.Pad();
    }

    PrintLayout Run() {
        EmitRange(0, in_.lines.size());
        return std::move(out_);
    }

  private:
    std::vector<PrintLine>& Out() { return out_.document.lines; }

    void EmitRange(size_t begin, size_t end) {
        for (size_t i = begin; i < end;) {
            const auto& line = in_.lines[i];
            if (line.kind != PrintLine::Kind::Heading) {
                EmitText(line);
                ++i;
                continue;
            }
            // A table: its rows, and below each expanded row the nodes it holds (deeper lines).
            size_t regionEnd = i + 1;
            while (regionEnd < end &&
                   (in_.lines[regionEnd].heading == i || in_.lines[regionEnd].depth > line.depth)) {
                ++regionEnd;
            }
            EmitTable(i, regionEnd);
            i = regionEnd;
        }
    }

    void EmitText(PrintLine line) {
        const double room = width_ - measure_.Indent(line.depth);
        const std::string text = line.texts.empty() ? "" : line.texts[0];
        line.height = measure_.Lines(text, room, IsBold(line.kind));
        line.heading.reset();
        Out().push_back(std::move(line));
    }

    void EmitTable(size_t heading, size_t regionEnd) {
        const auto& head = in_.lines[heading];
        const double room = width_ - measure_.Indent(head.depth);
        const auto groups = Split(Fitted(natural_[heading], room), room);
        for (size_t g = 0; g < groups.size(); ++g) {
            const size_t newHeading = Emit(head, groups[g], std::nullopt);
            out_.widths[newHeading] = groups[g].widths;
            for (size_t k = heading + 1; k < regionEnd;) {
                if (in_.lines[k].heading == heading) {
                    Emit(in_.lines[k], groups[g], newHeading);
                    ++k;
                    continue;
                }
                size_t runEnd = k;
                while (runEnd < regionEnd && in_.lines[runEnd].heading != heading) ++runEnd;
                // The nodes under a row are printed once, below the last group of the table.
                if (g + 1 == groups.size()) EmitRange(k, runEnd);
                k = runEnd;
            }
        }
    }

    // A heading or row with the texts of one column group; returns its index.
    size_t Emit(const PrintLine& line, const ColumnGroup& group, std::optional<size_t> heading) {
        PrintLine part{line.kind, line.depth, {}, {}, heading};
        const bool bold = IsBold(line.kind);
        for (size_t i = 0; i < group.columns.size(); ++i) {
            const size_t c = group.columns[i];
            const std::string text = c < line.texts.size() ? line.texts[c] : std::string();
            part.texts.push_back(text);
            part.aligns.push_back(c < line.aligns.size() ? line.aligns[c] : 0);
            const double room = group.widths[i] - measure_.Pad() * 2;
            part.height = std::max(part.height, measure_.Lines(text, room, bold));
        }
        Out().push_back(std::move(part));
        return Out().size() - 1;
    }

    const PrintDocument& in_;
    const Measure& measure_;
    double width_;
    std::map<size_t, TableWidths> natural_;
    PrintLayout out_;
};

}  // namespace

QTextOption PrintTextOption(Qt::Alignment alignment) {
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

int WrappedLines(const QString& text, const QFont& font, QPaintDevice* device, double width) {
    QTextLayout layout(text, font, device);
    layout.setTextOption(PrintTextOption(Qt::AlignLeft));
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1.0));
        ++lines;
    }
    layout.endLayout();
    return std::max(lines, 1);
}

double WidestTable(const PrintDocument& document, const QFont& font, QPaintDevice* device) {
    const Measure measure(font, device);
    double widest = 0;
    for (const auto& [heading, table] : NaturalWidths(document, measure)) {
        const double total = std::accumulate(table.least.begin(), table.least.end(), 0.0);
        widest = std::max(widest, total + measure.Indent(document.lines[heading].depth));
    }
    return widest;
}

PrintLayout LayOut(const PrintDocument& document, const QFont& font, QPaintDevice* device,
                   double width) {
    const Measure measure(font, device);
    return Layouter(document, measure, width).Run();
}

}  // namespace qtgui
