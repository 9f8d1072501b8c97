#include <faces/qt/trace_viewer/detail_walk.h>

#include <contracts/view_models/detail_model.h>

#include <algorithm>
#include <vector>

namespace qtgui {

namespace {

using trackquery::DetailNode;
using trackquery::DetailRow;

struct Child {
    std::string path;
    bool expandable = false;
    bool expanded = false;
};

// The items directly below the item at `path`, with their paths.
std::vector<Child> ChildrenOf(client::ViewerDocument& viewer, const std::string& path) {
    std::vector<Child> children;
    auto model = viewer.GetDetailModel();
    const auto item = model ? model->ItemByPath(path) : nullptr;
    auto add = [&](const automation::ObjectPtr& child, size_t position) {
        Child entry{path + "." + std::to_string(position + 1)};
        if (auto node = std::dynamic_pointer_cast<DetailNode>(child)) {
            entry.expandable = node->CanExpand;
            entry.expanded = node->IsExpanded;
        } else if (auto row = std::dynamic_pointer_cast<DetailRow>(child)) {
            entry.expandable = row->CanExpand;
            entry.expanded = row->IsExpanded;
        }
        children.push_back(std::move(entry));
    };
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) {
        for (size_t i = 0; i < node->Rows().size(); ++i) add(node->Rows()[i], i);
    } else if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
        for (size_t i = 0; i < row->Children().size(); ++i) add(row->Children()[i], i);
    }
    return children;
}

}  // namespace

void ExpandAllBelow(client::ViewerDocument& viewer, const std::string& path) {
    std::vector<std::string> pending{path};
    while (!pending.empty()) {
        const std::string current = pending.back();
        pending.pop_back();
        if (!viewer.ExpandDetail(current)) continue;
        auto children = ChildrenOf(viewer, current);
        // Taken from the back: the first child is opened first.
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            if (child->expandable) pending.push_back(child->path);
        }
    }
}

void CollapseAllBelow(client::ViewerDocument& viewer, const std::string& path) {
    for (const auto& child : ChildrenOf(viewer, path)) {
        if (child.expanded) CollapseAllBelow(viewer, child.path);
    }
    viewer.CollapseDetail(path);
}

}  // namespace qtgui
