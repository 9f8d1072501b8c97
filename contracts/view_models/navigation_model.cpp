#include <contracts/view_models/navigation_model.h>

#include <platform/automation/errors.h>

namespace trackquery {

using automation::Raise;
namespace vberr = automation::vberr;

void NavigationModel::Clear() {
    for (const auto& node : nodes_) node->index_ = 0;
    nodes_.clear();
}

void NavigationModel::AddNode(const NavigationNodePtr& node) {
    if (!node) Raise(vberr::ObjectVariableNotSet, "NavigationModel.AddNode");
    nodes_.push_back(node);
    node->index_ = NodeCount();
}

NavigationNodePtr NavigationModel::NodeItem(int32_t index) const {
    if (index < 1 || index > NodeCount())
        Raise(vberr::SubscriptOutOfRange, "NavigationModel.NodeItem");
    return nodes_[static_cast<size_t>(index - 1)];
}

NavigationNodePtr NavigationModel::FindByKey(const std::string& key) const {
    for (const auto& node : nodes_) {
        if (node->Key == key) return node;
    }
    return nullptr;
}

}  // namespace trackquery
