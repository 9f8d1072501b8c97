#include <components/viewer/detail_items.h>

#include <charconv>

namespace client {

using automation::ObjectPtr;
using trackquery::DetailNode;
using trackquery::DetailRow;

bool IsExpanded(const ObjectPtr& item) {
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) return node->IsExpanded;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) return row->IsExpanded;
    return false;
}

bool CanExpand(const ObjectPtr& item) {
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) return node->CanExpand;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) return row->CanExpand;
    return false;
}

void SetExpanded(const ObjectPtr& item, bool expanded) {
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) node->IsExpanded = expanded;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) row->IsExpanded = expanded;
}

namespace {

bool TreeHolds(const ObjectPtr& item, const ObjectPtr& wanted) {
    if (item == wanted) return true;
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) return NodeHolds(node, wanted);
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
        for (const auto& child : row->Children()) {
            if (NodeHolds(child, wanted)) return true;
        }
    }
    return false;
}

}  // namespace

bool NodeHolds(const trackquery::DetailNodePtr& node, const ObjectPtr& wanted) {
    if (node == wanted) return true;
    for (const auto& row : node->Rows()) {
        if (TreeHolds(row, wanted)) return true;
    }
    return false;
}

std::optional<int32_t> LastPathPosition(std::string_view path) {
    const auto dot = path.rfind('.');
    std::string_view text = dot == std::string_view::npos ? path : path.substr(dot + 1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    return value;
}

std::string NodeLabel(const DetailNode& node) {
    if (node.ColumnCount() > 0) {
        if (auto column = node.Column(1)) return column->Caption;
    }
    return node.Key;
}

}  // namespace client
