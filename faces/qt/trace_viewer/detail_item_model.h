#pragma once
// The detail tree of the trace viewer as an item model over the library's DetailModel. Every
// loaded node and row has an item: a node shows its label, then (when it holds bill rows) a line
// of its visible column headings, then its rows; a row shows its cells under those columns and
// may hold child nodes. An item that can expand but has nothing loaded yet still offers to expand:
// the viewer loads it through its events when the user opens it (lazy expansion). A node that was
// opened and loaded without any rows holds one line that says so. Heading and empty lines cannot
// be selected: the keys move from row to row.
//
// Colours come from the palette the view gives (SetPalette), so that they suit its theme.
//
// Sync compares the items with the model and changes only what differs: rows appended to a node
// are inserted, a list that changed otherwise is replaced, a new model resets the tree. Paths are
// the viewer's dotted 1-based detail paths; the heading lines have none.

#include <contracts/view_models/detail_model.h>

#include <QAbstractItemModel>
#include <QPalette>

#include <memory>
#include <string>
#include <vector>

namespace qtgui {

class DetailItemModel : public QAbstractItemModel {
  public:
    enum class Kind { Node, Heading, Row, Empty };

    DetailItemModel();
    ~DetailItemModel() override;

    // Shows `model` (nothing: an empty tree). Returns whether any item was added or removed.
    bool Sync(const trackquery::DetailModelPtr& model);
    // The grounds and text colours are taken from `palette` (the view paints again after a
    // change); `emptyText` is the line of a node opened without rows.
    void SetPalette(const QPalette& palette);
    void SetEmptyText(const QString& text);

    Kind KindOf(const QModelIndex& index) const;
    // The node or row an item shows (for a heading: its node).
    automation::ObjectPtr ObjectOf(const QModelIndex& index) const;
    // The detail path of a node or row item; "" for a heading or an invalid index.
    std::string PathOf(const QModelIndex& index) const;
    // The item of a node or row object, if the tree shows it.
    QModelIndex IndexOf(const automation::ObjectPtr& object) const;
    // Every node and row item, parents before children (for the view's expansion state).
    std::vector<QModelIndex> ExpandableItems() const;
    // Every heading line, in the order shown.
    std::vector<QModelIndex> HeadingItems() const;
    // The node whose columns a heading or row is shown under (for a node: itself).
    const trackquery::DetailNode* ColumnsNodeOf(const QModelIndex& index) const;
    // Whether the object of an item is expanded in the model.
    bool ModelExpanded(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    struct Item;

  private:
    Item* ItemOf(const QModelIndex& index) const;
    QModelIndex IndexOfItem(const Item* item, int column = 0) const;
    void BuildChildren(Item& item);
    bool SyncChildren(Item& item);
    int WantedColumnCount() const;
    void UpdateColumnCount();
    QVariant RowData(const Item& item, int column, int role) const;

    trackquery::DetailModelPtr model_;
    std::unique_ptr<Item> root_;
    int columns_ = 1;
    QPalette palette_;
    QString emptyText_;
};

}  // namespace qtgui
