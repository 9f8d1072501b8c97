#include <faces/qt/trace_viewer/navigation_item_model.h>

#include <faces/qt/trace_viewer/status_icons.h>

#include <unordered_map>

namespace qtgui {

bool NavigationItemModel::Sync(const trackquery::NavigationModelPtr& model, bool showIcons) {
    if (model && model->Updating) return false;
    const bool iconsChanged = showIcons != showIcons_;
    showIcons_ = showIcons;
    if (model == model_ && (!model || SameNodes(*model))) {
        if (iconsChanged && !nodes_.empty()) {
            emit dataChanged(IndexOfNode(1), IndexOfNode(ShownNodeCount()), {Qt::DecorationRole});
        }
        return false;
    }
    beginResetModel();
    model_ = model;
    nodes_.clear();
    if (model_) {
        nodes_.reserve(static_cast<size_t>(model_->NodeCount()));
        for (int32_t i = 1; i <= model_->NodeCount(); ++i) nodes_.push_back(model_->NodeItem(i));
    }
    Build();
    endResetModel();
    return true;
}

bool NavigationItemModel::SameNodes(const trackquery::NavigationModel& model) const {
    if (model.NodeCount() != ShownNodeCount()) return false;
    for (int32_t i = 1; i <= model.NodeCount(); ++i) {
        if (model.NodeItem(i) != nodes_[static_cast<size_t>(i - 1)]) return false;
    }
    return true;
}

void NavigationItemModel::Build() {
    entries_.assign(nodes_.size(), Entry{});
    roots_.clear();
    std::unordered_map<std::string, int32_t> byKey;
    byKey.reserve(nodes_.size());
    for (int32_t i = 0; i < static_cast<int32_t>(nodes_.size()); ++i) {
        const auto& node = *nodes_[static_cast<size_t>(i)];
        auto parent = node.ParentKey.empty() ? byKey.end() : byKey.find(node.ParentKey);
        auto& siblings = parent == byKey.end() ? roots_ : entries_[parent->second].children;
        entries_[i].parent = parent == byKey.end() ? -1 : parent->second;
        entries_[i].row = static_cast<int32_t>(siblings.size());
        siblings.push_back(i);
        byKey.emplace(node.Key, i);  // the first node with a key is the one children hang under
    }
}

const std::vector<int32_t>& NavigationItemModel::ChildrenOf(const QModelIndex& parent) const {
    if (!parent.isValid()) return roots_;
    return entries_[static_cast<size_t>(parent.internalId() - 1)].children;
}

QModelIndex NavigationItemModel::index(int row, int column, const QModelIndex& parent) const {
    const auto& children = ChildrenOf(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(children.size())) return {};
    return createIndex(row, column, static_cast<quintptr>(children[row] + 1));
}

QModelIndex NavigationItemModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    const int32_t parent = entries_[static_cast<size_t>(child.internalId() - 1)].parent;
    if (parent < 0) return {};
    return createIndex(entries_[parent].row, 0, static_cast<quintptr>(parent + 1));
}

int NavigationItemModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return static_cast<int>(ChildrenOf(parent).size());
}

int NavigationItemModel::columnCount(const QModelIndex&) const { return 1; }

QVariant NavigationItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto& node = *nodes_[static_cast<size_t>(index.internalId() - 1)];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(node.Text);
        case Qt::ToolTipRole:
            return QString::fromStdString(node.ItemText.empty() ? node.Text : node.ItemText);
        case Qt::DecorationRole:
            return showIcons_ ? StatusIcon(node.Image) : QVariant();
        default:
            return {};
    }
}

QModelIndex NavigationItemModel::IndexOfNode(int32_t position) const {
    if (position < 1 || position > ShownNodeCount()) return {};
    const auto& entry = entries_[static_cast<size_t>(position - 1)];
    return createIndex(entry.row, 0, static_cast<quintptr>(position));
}

int32_t NavigationItemModel::NodePosition(const QModelIndex& index) const {
    return index.isValid() ? static_cast<int32_t>(index.internalId()) : 0;
}

}  // namespace qtgui
