#include <contracts/view_models/detail_model.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace trackquery {

using automation::ObjectPtr;
using automation::Raise;
namespace vberr = automation::vberr;

namespace {

// Where PlaceItem put an item: its 1-based slot, and whether the items after it moved.
struct Placement {
    int32_t slot = 0;
    bool shifted = false;
};

// Places `item` into `items` by the position rules of the header comment.
template <class T>
Placement PlaceItem(std::vector<T>& items, const T& item, int32_t position, bool insert,
                    const char* source) {
    if (!item) Raise(vberr::ObjectVariableNotSet, source);
    const auto count = static_cast<int32_t>(items.size());
    if (position == -1 || (position > count && (insert || position == count + 1))) {
        items.push_back(item);
        return {count + 1, false};
    }
    if (position < 1 || position > count) {
        Raise(vberr::InvalidProcedureCall, source,
              "Position " + std::to_string(position) + " is outside 1.." + std::to_string(count));
    }
    const auto at = items.begin() + (position - 1);
    if (insert) {
        items.insert(at, item);
        return {position, true};
    }
    *at = item;
    return {position, false};
}

template <class T>
void CheckIndex(const std::vector<T>& items, int32_t index, const char* source) {
    if (index < 1 || index > static_cast<int32_t>(items.size())) {
        Raise(vberr::SubscriptOutOfRange, source);
    }
}

// A whole number written in full, such as "-52" or "1007100"; nothing for any other text.
std::optional<int32_t> ParseWholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    return value;
}

}  // namespace

// ---- DetailNode
// ----------------------------------------------------------------------------------

DetailNode::DetailNode() : columns_(std::make_shared<automation::Vector>()) {}

int32_t DetailNode::KeyType() const { return ParseWholeNumber(Key).value_or(0); }

void DetailNode::AddColumn(const DetailColumnPtr& column) {
    if (!column) Raise(vberr::ObjectVariableNotSet, "DetailNode.AddColumn");
    columns_->Add(column);
}

DetailColumnPtr DetailNode::Column(int32_t index) const {
    return columns_->Item(index).As<DetailColumn>();
}

std::vector<ShownColumn> DetailNode::VisibleColumns() const {
    std::vector<ShownColumn> shown;
    for (int32_t i = 1; i <= ColumnCount(); ++i) {
        auto column = Column(i);
        if (column && column->Visible) shown.push_back({i - 1, column});
    }
    return shown;
}

void DetailNode::AddRow(const ObjectPtr& row, int32_t position, bool insert) {
    ObjectPtr replaced;
    if (!insert && position >= 1 && position <= RowCount()) replaced = rows_[position - 1];
    const Placement placed = PlaceItem(rows_, row, position, insert, "DetailNode.AddRow");
    if (replaced && replaced != row) ReleaseRow(replaced);
    AdoptRow(row);
    // Appending (the usual case, row after row) numbers the new row alone; an insertion moves
    // the rows after it.
    if (placed.shifted) {
        RenumberRows();
    } else if (auto detailRow = std::dynamic_pointer_cast<DetailRow>(row)) {
        detailRow->index_ = placed.slot;
    }
}

ObjectPtr DetailNode::Row(int32_t index) const {
    CheckIndex(rows_, index, "DetailNode.Row");
    return rows_[static_cast<size_t>(index - 1)];
}

void DetailNode::SetRow(int32_t index, const ObjectPtr& row) {
    CheckIndex(rows_, index, "DetailNode.Row");
    AddRow(row, index, false);
}

void DetailNode::RemoveRow(int32_t index) {
    CheckIndex(rows_, index, "DetailNode.RemoveRow");
    const ObjectPtr removed = rows_[static_cast<size_t>(index - 1)];
    rows_.erase(rows_.begin() + (index - 1));
    ReleaseRow(removed);
    RenumberRows();
}

void DetailNode::ClearRows() {
    const auto removed = std::move(rows_);
    rows_.clear();
    for (const auto& row : removed) ReleaseRow(row);
}

DetailNodePtr DetailNode::CloneHead() const {
    auto copy = std::make_shared<DetailNode>();
    copy->Key = Key;
    copy->Tag = Tag;
    for (int32_t i = 1; i <= ColumnCount(); ++i) {
        if (auto column = Column(i)) copy->AddColumn(std::make_shared<DetailColumn>(*column));
    }
    return copy;
}

void DetailNode::AdoptRow(const ObjectPtr& row) {
    auto detailRow = std::dynamic_pointer_cast<DetailRow>(row);
    if (!detailRow) return;
    detailRow->parentNode_ = std::dynamic_pointer_cast<DetailNode>(weak_from_this().lock());
}

void DetailNode::ReleaseRow(const ObjectPtr& row) {
    auto detailRow = std::dynamic_pointer_cast<DetailRow>(row);
    if (!detailRow || detailRow->parentNode_.lock().get() != this) return;
    // The same row may still sit elsewhere in this node; only a row gone for good is released.
    for (const auto& kept : rows_) {
        if (kept == row) return;
    }
    detailRow->parentNode_.reset();
    detailRow->index_ = 0;
}

void DetailNode::RenumberRows() {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (auto detailRow = std::dynamic_pointer_cast<DetailRow>(rows_[i])) {
            if (detailRow->parentNode_.lock().get() == this) {
                detailRow->index_ = static_cast<int32_t>(i + 1);
            }
        }
    }
}

// ---- DetailRow
// -----------------------------------------------------------------------------------

DetailRow::DetailRow() = default;

DetailRow::DetailRow(CellKeyList keys) : sharedKeys_(std::move(keys)) {
    if (!sharedKeys_) Raise(vberr::ObjectVariableNotSet, "DetailRow");
    cells_.resize(sharedKeys_->size());
}

void DetailRow::CheckCell(int32_t position, const char* source) const {
    if (position < 0 || position >= CellCount()) Raise(vberr::SubscriptOutOfRange, source);
}

const std::string& DetailRow::CellKey(int32_t position) const {
    CheckCell(position, "DetailRow.CellKey");
    return Keys()[static_cast<size_t>(position)];
}

DetailCell& DetailRow::CellAt(int32_t position) {
    CheckCell(position, "DetailRow.CellAt");
    return cells_[static_cast<size_t>(position)];
}

const DetailCell& DetailRow::CellAt(int32_t position) const {
    CheckCell(position, "DetailRow.CellAt");
    return cells_[static_cast<size_t>(position)];
}

const automation::Variant& DetailRow::CellTag(int32_t position) const {
    static const automation::Variant kNoTag;
    CheckCell(position, "DetailRow.CellTag");
    for (const auto& [at, tag] : tags_) {
        if (at == position) return tag;
    }
    return kNoTag;
}

void DetailRow::SetCellTag(int32_t position, automation::Variant tag) {
    CheckCell(position, "DetailRow.CellTag");
    for (auto& [at, kept] : tags_) {
        if (at == position) {
            kept = std::move(tag);
            return;
        }
    }
    tags_.emplace_back(position, std::move(tag));
}

int32_t DetailRow::CellPosition(std::string_view key) const {
    const auto& keys = Keys();
    for (size_t i = 0; i < keys.size(); ++i) {
        if (automation::EqualsIgnoreCase(keys[i], key)) return static_cast<int32_t>(i);
    }
    return -1;
}

const DetailCell* DetailRow::Cell(std::string_view key) const {
    const int32_t position = CellPosition(key);
    return position < 0 ? nullptr : &cells_[static_cast<size_t>(position)];
}

DetailCell* DetailRow::Cell(std::string_view key) {
    const int32_t position = CellPosition(key);
    return position < 0 ? nullptr : &cells_[static_cast<size_t>(position)];
}

const DetailCell* DetailRow::CellUnder(int32_t position, std::string_view key) const {
    if (position >= 0 && position < CellCount() &&
        automation::EqualsIgnoreCase(Keys()[static_cast<size_t>(position)], key)) {
        return &cells_[static_cast<size_t>(position)];
    }
    return Cell(key);
}

DetailCell& DetailRow::AddCell(std::string_view key) {
    const int32_t position = CellPosition(key);
    if (position >= 0) {
        std::erase_if(tags_, [&](const auto& tag) { return tag.first == position; });
        return cells_[static_cast<size_t>(position)] = DetailCell{};
    }
    if (sharedKeys_) {
        ownKeys_ = *sharedKeys_;
        sharedKeys_.reset();
    }
    ownKeys_.emplace_back(key);
    return cells_.emplace_back();
}

DetailCell& DetailRow::AddCell(std::string_view key, std::string text, automation::Variant value) {
    DetailCell& cell = AddCell(key);
    cell.Text = std::move(text);
    cell.Value = std::move(value);
    return cell;
}

void DetailRow::AddChild(const DetailNodePtr& node, int32_t position, bool insert) {
    DetailNodePtr replaced;
    if (!insert && position >= 1 && position <= ChildCount()) replaced = children_[position - 1];
    PlaceItem(children_, node, position, insert, "DetailRow.AddChild");
    if (replaced && replaced != node && replaced->parentRow_.lock().get() == this) {
        replaced->parentRow_.reset();
    }
    node->parentRow_ = std::dynamic_pointer_cast<DetailRow>(weak_from_this().lock());
}

DetailNodePtr DetailRow::GetChild(int32_t index) const {
    CheckIndex(children_, index, "DetailRow.GetChild");
    return children_[static_cast<size_t>(index - 1)];
}

// ---- DetailModel
// ---------------------------------------------------------------------------------

void DetailModel::Add(const DetailNodePtr& node, int32_t position, bool insert) {
    PlaceItem(nodes_, node, position, insert, "DetailModel.Add");
}

DetailNodePtr DetailModel::Item(int32_t index) const {
    CheckIndex(nodes_, index, "DetailModel.Item");
    return nodes_[static_cast<size_t>(index - 1)];
}

void DetailModel::SetItem(int32_t index, const DetailNodePtr& node) {
    CheckIndex(nodes_, index, "DetailModel.Item");
    if (!node) Raise(vberr::ObjectVariableNotSet, "DetailModel.Item");
    nodes_[static_cast<size_t>(index - 1)] = node;
}

void DetailModel::Remove(int32_t index) {
    CheckIndex(nodes_, index, "DetailModel.Remove");
    nodes_.erase(nodes_.begin() + (index - 1));
}

ObjectPtr DetailModel::ItemByPath(const std::string& path) const {
    ObjectPtr current;
    std::string_view rest = path;
    bool first = true;
    while (true) {
        const auto dot = rest.find('.');
        const auto position = ParseWholeNumber(rest.substr(0, dot));
        if (!position || *position < 1) return nullptr;
        const auto index = static_cast<size_t>(*position - 1);
        if (first) {
            if (index >= nodes_.size()) return nullptr;
            current = nodes_[index];
            first = false;
        } else if (auto node = std::dynamic_pointer_cast<DetailNode>(current)) {
            if (index >= node->Rows().size()) return nullptr;
            current = node->Rows()[index];
        } else if (auto row = std::dynamic_pointer_cast<DetailRow>(current)) {
            if (index >= row->Children().size()) return nullptr;
            current = row->Children()[index];
        } else {
            return nullptr;
        }
        if (dot == std::string_view::npos) return current;
        rest.remove_prefix(dot + 1);
    }
}

}  // namespace trackquery
