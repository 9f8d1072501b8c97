#include <faces/qt/output/print_document.h>

#include <faces/qt/output/detail_layout.h>

#include <algorithm>

namespace qtgui {

using automation::ObjectPtr;
using trackquery::DetailNode;
using trackquery::DetailRow;

namespace {

class DocumentBuilder {
  public:
    explicit DocumentBuilder(std::vector<PrintLine>& lines) : lines_(lines) {}

    void AddNode(const DetailNode& node, int depth) {
        lines_.push_back({PrintLine::Kind::Node, depth, {NodeLabel(node)}, {0}, std::nullopt});
        if (!node.IsExpanded) return;
        const auto columns = VisibleColumns(node);
        std::optional<size_t> heading;
        for (const auto& item : node.Rows()) {
            if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
                if (!heading) heading = AddHeading(columns, depth + 1);
                AddRow(*row, columns, depth + 1, *heading);
            } else if (auto nested = std::dynamic_pointer_cast<DetailNode>(item)) {
                AddNode(*nested, depth + 1);
            }
        }
    }

  private:
    size_t AddHeading(const std::vector<trackquery::ShownColumn>& columns, int depth) {
        PrintLine line{PrintLine::Kind::Heading, depth, {}, {}, std::nullopt};
        for (const auto& column : columns) {
            line.texts.push_back(column->Caption);
            line.aligns.push_back(column->Align);
        }
        lines_.push_back(std::move(line));
        return lines_.size() - 1;
    }

    void AddRow(const DetailRow& row, const std::vector<trackquery::ShownColumn>& columns,
                int depth, size_t heading) {
        PrintLine line{
            row.IsTotal ? PrintLine::Kind::Total : PrintLine::Kind::Row, depth, {}, {}, heading};
        for (const auto& column : columns) {
            auto cell = row.CellUnder(column);
            line.texts.push_back(cell ? cell->Text : std::string());
            line.aligns.push_back(column->Align);
        }
        lines_.push_back(std::move(line));
        if (!row.IsExpanded) return;
        for (const auto& child : row.Children()) AddNode(*child, depth + 1);
    }

    std::vector<PrintLine>& lines_;
};

void AddText(std::vector<PrintLine>& lines, PrintLine::Kind kind, const std::string& text) {
    lines.push_back({kind, 0, {text}, {0}, std::nullopt});
}

}  // namespace

PrintDocument BuildPrintDocument(std::string title, std::string date, std::string subtitle,
                                 const std::string& headTitle,
                                 const std::vector<std::string>& headLines,
                                 const std::string& detailTitle,
                                 const trackquery::DetailModel* detail) {
    PrintDocument document{std::move(title), std::move(date), std::move(subtitle), {},
                           headTitle,        headLines,       detailTitle};
    auto& lines = document.lines;
    if (!headTitle.empty()) AddText(lines, PrintLine::Kind::Title, headTitle);
    for (const auto& line : headLines) AddText(lines, PrintLine::Kind::Text, line);
    if (!detailTitle.empty()) AddText(lines, PrintLine::Kind::Title, detailTitle);
    if (detail) {
        DocumentBuilder builder(lines);
        for (const auto& node : detail->Nodes()) builder.AddNode(*node, 0);
    }
    return document;
}

std::vector<std::string> NavigationPath(const trackquery::NavigationModel& model,
                                        const trackquery::NavigationNode& node) {
    std::vector<std::string> path;
    const trackquery::NavigationNode* at = &node;
    trackquery::NavigationNodePtr parent;
    // A tree has at most as many levels as nodes; a broken parent key ends the walk.
    for (int32_t steps = 0; at && at->Level > 0 && steps <= model.NodeCount(); ++steps) {
        path.insert(path.begin(), at->Text);
        parent = at->ParentKey.empty() ? nullptr : model.FindByKey(at->ParentKey);
        at = parent.get();
    }
    return path;
}

std::vector<PageSlice> Paginate(const PrintDocument& document, int linesPerPage) {
    linesPerPage = std::max(linesPerPage, 2);
    std::vector<PageSlice> pages;
    size_t next = 0;
    const auto& lines = document.lines;
    do {
        PageSlice page;
        page.first = next;
        int room = linesPerPage;
        // A page that starts among a node's rows shows their headings again first.
        if (next < lines.size() && lines[next].heading && *lines[next].heading < next) {
            page.repeatedHeading = lines[next].heading;
            room -= lines[*page.repeatedHeading].height;
        }
        page.count = 0;
        while (next + page.count < lines.size() &&
               (page.count == 0 || lines[next + page.count].height <= room)) {
            room -= lines[next + page.count].height;
            ++page.count;
        }
        // A node's label or headings are not left alone at the foot of a page.
        while (page.count > 1 && next + page.count < lines.size()) {
            const auto& last = lines[next + page.count - 1];
            const auto& following = lines[next + page.count];
            const bool alone = last.kind == PrintLine::Kind::Heading ||
                               (last.kind == PrintLine::Kind::Node && following.depth > last.depth);
            if (!alone) break;
            --page.count;
        }
        next += page.count;
        pages.push_back(page);
    } while (next < lines.size());
    return pages;
}

}  // namespace qtgui
