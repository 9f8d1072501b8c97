#include "view_renderer.h"

#include <components/viewer/detail_items.h>

#include <platform/automation/display_width.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <vector>

namespace textface {

using automation::DisplayWidth;
using automation::ObjectPtr;
using client::NodeLabel;
using client::ViewState;
using trackquery::DetailNode;
using trackquery::DetailNodePtr;
using trackquery::DetailRow;
using trackquery::DetailRowPtr;
using trackquery::ShownColumn;

namespace {

std::string PadRight(const std::string& text, int width) {
    return text + std::string(static_cast<size_t>(std::max(0, width - DisplayWidth(text))), ' ');
}

std::string Marker(bool selected) { return selected ? ">" : " "; }

std::string Indent(int depth) { return std::string(static_cast<size_t>(depth) * 2, ' '); }

// A pane's title line. A controller that sets no title gets one made from what the pane shows:
// the pane's own name only while it shows nothing.
std::string TitleLine(const std::string& title, const std::string& fallback, bool alert = false) {
    const std::string shown = title.empty() ? fallback : title;
    if (shown.empty()) return "==\n";
    return std::string("== ") + (alert ? "!! " : "") + shown + " ==\n";
}

// The navigation pane is titled after its root; the head after the node it shows, an entry after
// its order too ("SEORD000001 1/01.000007").
std::string NavigationFallback(const ViewState& state) {
    if (!state.navigation || state.navigation->NodeCount() == 0) return "Navigation";
    return state.navigation->NodeItem(1)->Text;
}

std::string HeadFallback(const ViewState& state) {
    const auto& node = state.selectedNode;
    if (!node || !state.navigation) return "Head";
    auto parent = state.navigation->FindByKey(node->ParentKey);
    if (!parent || parent->Index() == 1) return node->Text;
    return parent->Text + " " + node->Text;
}

class DetailPrinter {
  public:
    DetailPrinter(std::ostringstream& out, const ObjectPtr& selected)
        : out_(out), selected_(selected) {}

    void PrintNode(const DetailNodePtr& node, int depth) {
        const char* expander = node->IsExpanded ? "[-]" : (node->CanExpand ? "[+]" : "[ ]");
        out_ << Marker(node == selected_) << Indent(depth) << expander << ' ' << NodeLabel(*node)
             << '\n';
        if (!node->IsExpanded) return;
        const auto columns = VisibleColumns(*node);
        const auto widths = ColumnWidths(*node, columns);
        if (HasDetailRows(*node)) PrintHeadings(columns, widths, depth + 1);
        for (const auto& item : node->Rows()) {
            if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
                PrintRow(row, columns, widths, depth + 1);
            } else if (auto nested = std::dynamic_pointer_cast<DetailNode>(item)) {
                PrintNode(nested, depth + 1);
            }
        }
    }

  private:
    static std::vector<ShownColumn> VisibleColumns(const DetailNode& node) {
        return node.VisibleColumns();
    }

    static std::string CellText(const DetailRow& row, const ShownColumn& column) {
        auto cell = row.CellUnder(column);
        return cell ? cell->Text : std::string();
    }

    static std::vector<int> ColumnWidths(const DetailNode& node,
                                         const std::vector<ShownColumn>& columns) {
        std::vector<int> widths;
        for (const auto& column : columns) widths.push_back(DisplayWidth(column->Caption));
        for (const auto& item : node.Rows()) {
            auto row = std::dynamic_pointer_cast<DetailRow>(item);
            if (!row) continue;
            for (size_t c = 0; c < columns.size(); ++c) {
                widths[c] = std::max(widths[c], DisplayWidth(CellText(*row, columns[c])));
            }
        }
        return widths;
    }

    static bool HasDetailRows(const DetailNode& node) {
        return std::any_of(node.Rows().begin(), node.Rows().end(), [](const ObjectPtr& item) {
            return std::dynamic_pointer_cast<DetailRow>(item) != nullptr;
        });
    }

    void PrintCells(const std::vector<std::string>& texts, const std::vector<int>& widths) {
        std::string line;
        for (size_t c = 0; c < texts.size(); ++c) {
            if (c > 0) line += " | ";
            line += c + 1 < texts.size() ? PadRight(texts[c], widths[c]) : texts[c];
        }
        out_ << line << '\n';
    }

    void PrintHeadings(const std::vector<ShownColumn>& columns, const std::vector<int>& widths,
                       int depth) {
        std::vector<std::string> captions;
        for (const auto& column : columns) captions.push_back(column->Caption);
        out_ << ' ' << Indent(depth) << "    ";
        PrintCells(captions, widths);
    }

    void PrintRow(const DetailRowPtr& row, const std::vector<ShownColumn>& columns,
                  const std::vector<int>& widths, int depth) {
        const char* expander = row->IsTotal      ? "[=]"
                               : row->IsExpanded ? "[-]"
                               : row->CanExpand  ? "[+]"
                                                 : "   ";
        std::vector<std::string> texts;
        for (const auto& column : columns) texts.push_back(CellText(*row, column));
        out_ << Marker(row == selected_) << Indent(depth) << expander << ' ';
        PrintCells(texts, widths);
        if (!row->IsExpanded) return;
        for (const auto& child : row->Children()) PrintNode(child, depth + 1);
    }

    std::ostringstream& out_;
    const ObjectPtr& selected_;
};

void RenderNavigation(std::ostringstream& out, const ViewState& state) {
    if (state.showTitles) out << TitleLine(state.navigationTitle, NavigationFallback(state));
    if (!state.navigation || state.navigation->NodeCount() == 0) {
        out << "  (empty)\n";
        return;
    }
    for (int32_t i = 1; i <= state.navigation->NodeCount(); ++i) {
        auto node = state.navigation->NodeItem(i);
        out << Marker(node == state.selectedNode) << ' ' << Indent(std::max(0, node->Level))
            << node->Text << '\n';
    }
}

void RenderHead(std::ostringstream& out, const ViewState& state) {
    if (state.showTitles && state.showHeadTitle) {
        out << TitleLine(state.headTitle, HeadFallback(state), state.headTitleAlert);
    }
    if (!state.head || state.head->LineCount() == 0) {
        out << "  (empty)\n";
        return;
    }
    for (const auto& line : state.head->Lines()) out << "  " << line << '\n';
}

void RenderDetail(std::ostringstream& out, const ViewState& state) {
    if (state.showTitles) out << TitleLine(state.detailTitle, state.detail ? "" : "Detail");
    if (!state.detail || state.detail->Count() == 0) {
        out << "  (empty)\n";
        return;
    }
    DetailPrinter printer(out, state.selectedDetail);
    for (const auto& node : state.detail->Nodes()) printer.PrintNode(node, 0);
}

}  // namespace

std::string RenderView(const ViewState& state) {
    std::ostringstream out;
    RenderNavigation(out, state);
    if (state.showHead) RenderHead(out, state);
    if (state.showDetail) RenderDetail(out, state);
    if (!state.statusText.empty()) out << "== !! " << state.statusText << " ==\n";
    return out.str();
}

std::string RenderView(const client::ViewerDocument& document) {
    return RenderView(document.ShownState());
}

std::string RenderPage(const client::ViewerDocument& document) {
    ViewState shown = document.ShownState();
    shown.statusText.clear();
    return RenderView(shown);
}

}  // namespace textface
