#include <faces/qt/trace_viewer/detail_copy.h>

#include <faces/qt/output/detail_layout.h>

#include <contracts/view_models/detail_model.h>

#include <algorithm>
#include <set>

namespace qtgui {

namespace {

using trackquery::DetailNode;
using trackquery::DetailRow;

// A cell's text on one line: tabs and line breaks would split the table.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

class CopyWriter {
  public:
    void Row(const DetailRow& row) {
        auto node = row.ParentNode();
        if (!node) return;
        const auto columns = VisibleColumns(*node);
        if (node.get() != headed_) Captions(*node, columns);
        std::string line;
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto* cell = row.CellUnder(columns[i]);
            line += (i ? "\t" : "") + (cell ? OneLine(cell->Text) : std::string());
        }
        Line(line);
    }

    void Node(const DetailNode& node) {
        const bool nestsNodes = std::any_of(node.Rows().begin(), node.Rows().end(), [](auto& r) {
            return std::dynamic_pointer_cast<DetailNode>(r) != nullptr;
        });
        if (nestsNodes) Line(OneLine(NodeLabel(node)));
        if (!nestsNodes && node.Rows().empty()) Captions(node, VisibleColumns(node));
        for (const auto& item : node.Rows()) {
            if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) Row(*row);
            if (auto nested = std::dynamic_pointer_cast<DetailNode>(item)) Node(*nested);
        }
    }

    std::string Text() && { return std::move(text_); }

  private:
    void Captions(const DetailNode& node, const std::vector<trackquery::ShownColumn>& columns) {
        std::string line;
        for (size_t i = 0; i < columns.size(); ++i) {
            line += (i ? "\t" : "") + OneLine(columns[i]->Caption);
        }
        Line(line);
        headed_ = &node;
    }

    void Line(const std::string& line) { text_ += line + "\n"; }

    std::string text_;
    const DetailNode* headed_ = nullptr;
};

}  // namespace

std::string DetailCopyText(const std::vector<automation::ObjectPtr>& items) {
    // A row whose node is copied as a whole comes with it, once.
    std::set<const DetailNode*> nodes;
    for (const auto& item : items) {
        if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) nodes.insert(node.get());
    }
    CopyWriter writer;
    for (const auto& item : items) {
        if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
            if (!nodes.contains(row->ParentNode().get())) writer.Row(*row);
        }
        if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) writer.Node(*node);
    }
    return std::move(writer).Text();
}

}  // namespace qtgui
