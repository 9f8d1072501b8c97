#pragma once
// The navigation tree of the trace viewer as an item model over the library's NavigationModel,
// a flat list whose ParentKey links make the tree (a node whose parent key no earlier node has is
// a top-level node). The rows are taken again on Sync, never while the model is being filled
// (Updating), so a fill of tens of thousands of nodes is shown once, when it ends.

#include <contracts/view_models/navigation_model.h>

#include <QAbstractItemModel>

#include <vector>

namespace qtgui {

class NavigationItemModel : public QAbstractItemModel {
  public:
    // Shows `model` (nothing: an empty tree) with or without status icons. Returns whether the
    // rows changed.
    bool Sync(const trackquery::NavigationModelPtr& model, bool showIcons);

    // The item of the node at a 1-based model position, and the reverse (0: none).
    QModelIndex IndexOfNode(int32_t position) const;
    int32_t NodePosition(const QModelIndex& index) const;
    int32_t ShownNodeCount() const { return static_cast<int32_t>(nodes_.size()); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    struct Entry {
        int32_t parent = -1;  // 0-based position of the parent node, -1 for a top-level node
        int32_t row = 0;      // place under the parent
        std::vector<int32_t> children;
    };
    bool SameNodes(const trackquery::NavigationModel& model) const;
    void Build();
    const std::vector<int32_t>& ChildrenOf(const QModelIndex& parent) const;

    trackquery::NavigationModelPtr model_;
    std::vector<trackquery::NavigationNodePtr> nodes_;
    std::vector<Entry> entries_;
    std::vector<int32_t> roots_;
    bool showIcons_ = true;
};

}  // namespace qtgui
