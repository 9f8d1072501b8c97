#include <faces/qt/trace_viewer/detail_columns.h>

#include <faces/qt/output/detail_layout.h>

#include <algorithm>

namespace qtgui {

namespace {

constexpr int kMaximumFitted = 360;
constexpr int kPadding = 16;           // room for the cell's margins
constexpr int kIconRoom = 22;          // the status mark in a row's first cell
constexpr size_t kRowsMeasured = 200;  // a long node is judged by its first rows

}  // namespace

DetailColumnWidths::Key DetailColumnWidths::KeyOf(const trackquery::DetailNode& node,
                                                  const trackquery::DetailColumn& column) {
    return {node.Key, column.Key.empty() ? column.Caption : column.Key};
}

std::vector<int> DetailColumnWidths::Layout(const trackquery::DetailNode& node) const {
    std::vector<int> layout;
    for (const auto& shown : VisibleColumns(node)) {
        auto found = widths_.find(KeyOf(node, *shown));
        layout.push_back(found == widths_.end() ? kDefault : found->second);
    }
    return layout;
}

int DetailColumnWidths::FittingWidth(const trackquery::DetailNode& node, size_t position,
                                     const QFontMetrics& metrics) const {
    const auto columns = VisibleColumns(node);
    if (position >= columns.size()) return kDefault;
    const auto& column = columns[position];
    int width = metrics.horizontalAdvance(QString::fromStdString(column->Caption));
    size_t measured = 0;
    for (const auto& item : node.Rows()) {
        auto row = std::dynamic_pointer_cast<trackquery::DetailRow>(item);
        if (!row) continue;
        if (++measured > kRowsMeasured) break;
        if (const auto* cell = row->CellUnder(column)) {
            width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(cell->Text)));
        }
    }
    width += kPadding + (position == 0 ? kIconRoom : 0);
    return std::clamp(width, kMinimum, kMaximumFitted);
}

bool DetailColumnWidths::FitNewColumns(const trackquery::DetailNode& node,
                                       const QFontMetrics& metrics) {
    if (node.Rows().empty()) return false;
    const auto columns = VisibleColumns(node);
    bool fitted = false;
    for (size_t position = 0; position < columns.size(); ++position) {
        const Key key = KeyOf(node, *columns[position]);
        if (widths_.contains(key)) continue;
        widths_[key] = FittingWidth(node, position, metrics);
        fitted = true;
    }
    return fitted;
}

void DetailColumnWidths::SetUserWidth(const trackquery::DetailNode& node, size_t position,
                                      int width) {
    const auto columns = VisibleColumns(node);
    if (position >= columns.size()) return;
    const Key key = KeyOf(node, *columns[position]);
    widths_[key] = userWidths_[key] = std::max(width, kMinimum);
}

void DetailColumnWidths::RestoreUserWidths(std::map<Key, int> widths) {
    for (auto& [key, width] : widths) {
        width = std::max(width, kMinimum);
        widths_[key] = width;
    }
    userWidths_ = std::move(widths);
}

}  // namespace qtgui
