#pragma once
// The detail tree of the trace viewer. A DetailModel holds top-level DetailNodes; a node has
// columns and rows; a row has cells keyed by the columns' Keys and may hang child nodes under
// itself. A node may also hold other nodes in place of rows (the sales order view
// nests its summary and phase nodes that way). The controllers create and fill these objects;
// the viewer shows them. Pure data: nothing here draws.
//
// Paths. A detail path is a dotted list of 1-based positions read from the model downwards: the
// first number picks a node of the model, a number after a node picks one of its rows (a
// DetailRow or a nested DetailNode), and a number after a DetailRow picks one of its child nodes.
// So "2" is the second top-level node, "2.1" its first row, and "2.1.1" the first child node of
// that row.
//
// Ownership. Parents hold their children strongly; the links back (a row's ParentNode, a node's
// ParentRow) are weak, so a model never keeps itself alive.
//
// Positions. The Add members take an item, a position and an insert flag: position -1 appends;
// with insert True a 1-based position inserts there (a position past the end appends); with
// insert False a position inside the list replaces the item there and one past the end appends.
// Any other position is error 5; nothing (a null item) is error 91.

#include <platform/automation/collections.h>
#include <platform/automation/object.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trackquery {

class DetailModel;
class DetailNode;
class DetailRow;
using DetailNodePtr = std::shared_ptr<DetailNode>;
using DetailRowPtr = std::shared_ptr<DetailRow>;

// One cell of a row: the shown text and the underlying value. The row keeps the cell's key, and
// the tag that a few cells carry, beside its cells, so that the cells of a row are one block.
struct DetailCell {
    std::string Text;
    automation::Variant Value;
};

// The keys of a row's cells, in order. The rows a controller builds under a node's columns share
// one list, so that a key is stored once per node rather than once per row. A list handed to
// rows is never changed.
using CellKeyList = std::shared_ptr<const std::vector<std::string>>;

// One column of a node: the field, its heading, the control type and whether it is shown.
class DetailColumn : public automation::Object {
  public:
    std::string TypeName() const override { return "DetailColumn"; }

    std::string Key;
    std::string Caption;
    automation::Variant CtlType;
    bool Visible = true;
    int32_t Align = 0;
};

using DetailColumnPtr = std::shared_ptr<DetailColumn>;

// A column as a viewer shows it: the column, and its 0-based position among its node's columns,
// where a row built from those columns keeps the column's cell (DetailRow::CellUnder).
struct ShownColumn {
    int32_t position = 0;
    DetailColumnPtr column;

    const DetailColumn* operator->() const { return column.get(); }
    const DetailColumn& operator*() const { return *column; }
};

// A bill kind (or a phase, or an operation type) in the detail tree, with its columns and rows.
class DetailNode : public automation::Object {
  public:
    DetailNode();
    // The viewer's run-time name of a node; the controllers tell nodes from rows by it.
    std::string TypeName() const override { return "CTable"; }

    // The node's key: a bill kind's FID, "11620"/"11621" for operation nodes, a phase key.
    std::string Key;
    // Any value; the controllers keep the parent's internal ID here.
    automation::Variant Tag;
    // 0 = rows not loaded, 1 = rows loaded, 2 = loaded and empty.
    int32_t FillStatus = 0;
    bool IsExpanded = false;
    bool CanExpand = true;

    // The key read as a whole number; 0 when the key is not one (such as "SumHead").
    int32_t KeyType() const;

    // Columns, in order. Columns() is the live Vector (items are DetailColumn objects).
    void AddColumn(const DetailColumnPtr& column);
    automation::VectorPtr Columns() const { return columns_; }
    int32_t ColumnCount() const { return columns_->Count(); }
    // Column by 1-based index; outside 1..ColumnCount is error 9.
    DetailColumnPtr Column(int32_t index) const;
    // The visible columns, in order, with their positions.
    std::vector<ShownColumn> VisibleColumns() const;

    // Rows: DetailRow objects, or nested DetailNodes. See the header comment for positions.
    void AddRow(const automation::ObjectPtr& row, int32_t position = -1, bool insert = false);
    int32_t RowCount() const { return static_cast<int32_t>(rows_.size()); }
    // Row by 1-based index; outside 1..RowCount is error 9.
    automation::ObjectPtr Row(int32_t index) const;
    // Stores an item as row `index` (1..RowCount), replacing what was there.
    void SetRow(int32_t index, const automation::ObjectPtr& row);
    void RemoveRow(int32_t index);
    void ClearRows();
    const std::vector<automation::ObjectPtr>& Rows() const { return rows_; }

    // For a node hung under a row (DetailRow::AddChild), that row; otherwise nothing.
    DetailRowPtr ParentRow() const { return parentRow_.lock(); }

    // A new node with the same Key, Tag and columns (copied) and no rows; the copy is collapsed,
    // expandable and not loaded.
    DetailNodePtr CloneHead() const;

  private:
    friend class DetailRow;
    void AdoptRow(const automation::ObjectPtr& row);
    void ReleaseRow(const automation::ObjectPtr& row);
    void RenumberRows();

    automation::VectorPtr columns_;
    std::vector<automation::ObjectPtr> rows_;
    std::weak_ptr<DetailRow> parentRow_;
};

// One line of a node: its cells, its child nodes and how it is drawn.
class DetailRow : public automation::Object {
  public:
    DetailRow();
    std::string TypeName() const override { return "DetailRow"; }

    // 5662310 on every row the controllers build.
    int32_t RowColor = 0;
    bool CanExpand = false;
    bool IsExpanded = false;
    // Image number of the bill status (16 to 23); 0 for none.
    int32_t StatusIcon = 0;
    // 0 = child nodes not built, 1 = built, 2 = built and none.
    int32_t ChildState = 0;
    // Marks the totals row of a node.
    bool IsTotal = false;

    // Cells. A row made with a key list has one empty cell per key, in order: cell i is shown
    // under column i of a node whose column keys the list repeats, and the viewer finds it there
    // without a search (CellUnder). The keys of such a list must differ (letter case ignored).
    explicit DetailRow(CellKeyList keys);
    int32_t CellCount() const { return static_cast<int32_t>(cells_.size()); }
    // Key, cell and tag by 0-based position; outside 0..CellCount-1 is error 9. A cell reference
    // holds until the next AddCell.
    const std::string& CellKey(int32_t position) const;
    DetailCell& CellAt(int32_t position);
    const DetailCell& CellAt(int32_t position) const;
    // Any value a controller keeps with a cell (an operation's number, the totals mark); Empty
    // unless set.
    const automation::Variant& CellTag(int32_t position) const;
    void SetCellTag(int32_t position, automation::Variant tag);
    // The position of the cell with that key (letter case ignored), or -1.
    int32_t CellPosition(std::string_view key) const;
    // The cell with that key, or nothing.
    const DetailCell* Cell(std::string_view key) const;
    DetailCell* Cell(std::string_view key);
    // The cell shown under the column at `position` (0-based) of the row's node, whose key is
    // `key`: the cell at the same position when its key is that one, as in every row built from
    // its node's columns; otherwise the cell with that key (totals rows), or nothing.
    const DetailCell* CellUnder(int32_t position, std::string_view key) const;
    const DetailCell* CellUnder(const ShownColumn& column) const {
        return CellUnder(column.position, column->Key);
    }
    // Adds an empty cell with that key at the end and returns it. A cell whose key the row
    // already has is emptied in its place (its tag too) and returned instead.
    DetailCell& AddCell(std::string_view key);
    // Adds a cell with a text and a value (see AddCell).
    DetailCell& AddCell(std::string_view key, std::string text, automation::Variant value);

    // Child nodes under the row. See the header comment for positions.
    void AddChild(const DetailNodePtr& node, int32_t position = -1, bool insert = false);
    int32_t ChildCount() const { return static_cast<int32_t>(children_.size()); }
    // Child node by 1-based index; outside 1..ChildCount is error 9.
    DetailNodePtr GetChild(int32_t index) const;
    const std::vector<DetailNodePtr>& Children() const { return children_; }

    // The node that holds the row, or nothing while the row is in no node.
    DetailNodePtr ParentNode() const { return parentNode_.lock(); }
    // The row's 1-based position in its node; 0 while it is in no node.
    int32_t Index() const { return index_; }

  private:
    friend class DetailNode;
    const std::vector<std::string>& Keys() const { return sharedKeys_ ? *sharedKeys_ : ownKeys_; }
    void CheckCell(int32_t position, const char* source) const;

    // The keys: a shared list, or the row's own once a cell was added by key.
    CellKeyList sharedKeys_;
    std::vector<std::string> ownKeys_;
    std::vector<DetailCell> cells_;
    // The few tags set, by position.
    std::vector<std::pair<int32_t, automation::Variant>> tags_;
    std::vector<DetailNodePtr> children_;
    std::weak_ptr<DetailNode> parentNode_;
    int32_t index_ = 0;
};

// The detail tree handed to the viewer: the top-level nodes, in order.
class DetailModel : public automation::Object {
  public:
    std::string TypeName() const override { return "DetailModel"; }

    // See the header comment for positions.
    void Add(const DetailNodePtr& node, int32_t position = -1, bool insert = false);
    int32_t Count() const { return static_cast<int32_t>(nodes_.size()); }
    // Node by 1-based index; outside 1..Count is error 9.
    DetailNodePtr Item(int32_t index) const;
    // Stores a node as item `index` (1..Count), replacing what was there.
    void SetItem(int32_t index, const DetailNodePtr& node);
    void Remove(int32_t index);
    void Clear() { nodes_.clear(); }
    const std::vector<DetailNodePtr>& Nodes() const { return nodes_; }

    // The node or row at a dotted path such as "1.1"; nothing when the path leads nowhere.
    automation::ObjectPtr ItemByPath(const std::string& path) const;

  private:
    std::vector<DetailNodePtr> nodes_;
};

using DetailModelPtr = std::shared_ptr<DetailModel>;

}  // namespace trackquery
