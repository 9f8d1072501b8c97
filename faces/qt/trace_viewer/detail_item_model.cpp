#include <faces/qt/trace_viewer/detail_item_model.h>

#include <faces/qt/output/detail_layout.h>
#include <faces/qt/trace_viewer/status_icons.h>
#include <faces/qt/trace_viewer/view_colours.h>

#include <QBrush>
#include <QFont>

#include <algorithm>
#include <functional>

namespace qtgui {

using automation::ObjectPtr;
using trackquery::DetailNode;
using trackquery::DetailRow;

struct DetailItemModel::Item {
    Kind kind = Kind::Node;
    ObjectPtr object;
    DetailNode* node = nullptr;  // the node whose columns the item uses
    Item* parent = nullptr;
    int row = 0;
    std::vector<std::unique_ptr<Item>> children;
};

namespace {

using Item = DetailItemModel::Item;
using Wanted = std::pair<DetailItemModel::Kind, ObjectPtr>;

bool HasBillRows(const DetailNode& node) {
    return std::any_of(node.Rows().begin(), node.Rows().end(), [](const ObjectPtr& item) {
        return std::dynamic_pointer_cast<DetailRow>(item) != nullptr;
    });
}

// What an item should hold now, as the model says.
std::vector<Wanted> WantedChildren(const ObjectPtr& object, const trackquery::DetailModel* model) {
    using Kind = DetailItemModel::Kind;
    std::vector<Wanted> wanted;
    if (!object) {
        if (model) {
            for (const auto& node : model->Nodes()) wanted.emplace_back(Kind::Node, node);
        }
    } else if (auto node = std::dynamic_pointer_cast<DetailNode>(object)) {
        if (node->IsExpanded && node->FillStatus != 0 && node->Rows().empty()) {
            wanted.emplace_back(Kind::Empty, node);
        }
        if (HasBillRows(*node)) wanted.emplace_back(Kind::Heading, node);
        for (const auto& row : node->Rows()) {
            const bool isNode = std::dynamic_pointer_cast<DetailNode>(row) != nullptr;
            wanted.emplace_back(isNode ? Kind::Node : Kind::Row, row);
        }
    } else if (auto row = std::dynamic_pointer_cast<DetailRow>(object)) {
        for (const auto& child : row->Children()) wanted.emplace_back(Kind::Node, child);
    }
    return wanted;
}

bool Holds(const Item& item, const Wanted& wanted) {
    return item.kind == wanted.first && item.object == wanted.second;
}

std::unique_ptr<Item> MakeItem(const Wanted& wanted, Item* parent) {
    auto item = std::make_unique<Item>();
    item->kind = wanted.first;
    item->object = wanted.second;
    item->parent = parent;
    if (auto node = std::dynamic_pointer_cast<DetailNode>(wanted.second)) {
        item->node = wanted.first == DetailItemModel::Kind::Node ||
                             wanted.first == DetailItemModel::Kind::Heading
                         ? node.get()
                         : parent->node;
    } else {
        item->node = parent->node;
    }
    return item;
}

QColor VbColor(int32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

}  // namespace

DetailItemModel::DetailItemModel() : root_(std::make_unique<Item>()) {}

DetailItemModel::~DetailItemModel() = default;

bool DetailItemModel::Sync(const trackquery::DetailModelPtr& model) {
    if (model != model_) {
        beginResetModel();
        model_ = model;
        root_ = std::make_unique<Item>();
        BuildChildren(*root_);
        // Within a reset the columns are set, not inserted: an insertion would ask the views'
        // persistent indexes, which still point into the items just dropped.
        columns_ = WantedColumnCount();
        endResetModel();
        return true;
    }
    const bool changed = SyncChildren(*root_);
    if (changed) UpdateColumnCount();
    return changed;
}

void DetailItemModel::SetPalette(const QPalette& palette) { palette_ = palette; }

void DetailItemModel::SetEmptyText(const QString& text) { emptyText_ = text; }

void DetailItemModel::BuildChildren(Item& item) {
    if (item.kind == Kind::Heading || item.kind == Kind::Empty) return;
    const auto wanted = WantedChildren(item.object, model_.get());
    item.children.reserve(wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i) {
        item.children.push_back(MakeItem(wanted[i], &item));
        item.children.back()->row = static_cast<int>(i);
        BuildChildren(*item.children.back());
    }
}

bool DetailItemModel::SyncChildren(Item& item) {
    if (item.kind == Kind::Heading || item.kind == Kind::Empty) return false;
    const auto wanted = WantedChildren(item.object, model_.get());
    auto& children = item.children;
    size_t kept = 0;
    while (kept < children.size() && kept < wanted.size() && Holds(*children[kept], wanted[kept])) {
        ++kept;
    }
    bool changed = false;
    // Items the model no longer holds from the first difference on go, the wanted ones come in
    // their place: appended rows are a plain insertion, anything else a replacement of the tail.
    const QModelIndex parent = IndexOfItem(&item);
    if (kept < children.size()) {
        beginRemoveRows(parent, static_cast<int>(kept), static_cast<int>(children.size()) - 1);
        children.resize(kept);
        endRemoveRows();
        changed = true;
    }
    if (kept < wanted.size()) {
        beginInsertRows(parent, static_cast<int>(kept), static_cast<int>(wanted.size()) - 1);
        for (size_t i = kept; i < wanted.size(); ++i) {
            children.push_back(MakeItem(wanted[i], &item));
            children.back()->row = static_cast<int>(i);
            BuildChildren(*children.back());
        }
        endInsertRows();
        changed = true;
    }
    for (size_t i = 0; i < kept; ++i) changed = SyncChildren(*children[i]) || changed;
    return changed;
}

int DetailItemModel::WantedColumnCount() const {
    int wanted = 1;
    std::function<void(const Item&)> visit = [&](const Item& item) {
        if (item.kind == Kind::Node && item.node) {
            wanted = std::max<int>(wanted, static_cast<int>(VisibleColumns(*item.node).size()));
        }
        for (const auto& child : item.children) visit(*child);
    };
    visit(*root_);
    return wanted;
}

void DetailItemModel::UpdateColumnCount() {
    const int wanted = WantedColumnCount();
    if (wanted <= columns_) return;
    beginInsertColumns(QModelIndex(), columns_, wanted - 1);
    columns_ = wanted;
    endInsertColumns();
}

DetailItemModel::Item* DetailItemModel::ItemOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Item*>(index.internalPointer()) : root_.get();
}

QModelIndex DetailItemModel::IndexOfItem(const Item* item, int column) const {
    if (!item || item == root_.get()) return {};
    return createIndex(item->row, column, const_cast<Item*>(item));
}

QModelIndex DetailItemModel::index(int row, int column, const QModelIndex& parent) const {
    const Item* item = ItemOf(parent);
    if (row < 0 || column < 0 || column >= columns_ ||
        row >= static_cast<int>(item->children.size())) {
        return {};
    }
    return createIndex(row, column, item->children[static_cast<size_t>(row)].get());
}

QModelIndex DetailItemModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    return IndexOfItem(ItemOf(child)->parent);
}

int DetailItemModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return static_cast<int>(ItemOf(parent)->children.size());
}

int DetailItemModel::columnCount(const QModelIndex&) const { return columns_; }

bool DetailItemModel::hasChildren(const QModelIndex& parent) const {
    if (parent.column() > 0) return false;
    const Item* item = ItemOf(parent);
    if (!item->children.empty()) return true;
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item->object)) {
        return item->kind == Kind::Node && node->CanExpand;
    }
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item->object)) return row->CanExpand;
    return false;
}

DetailItemModel::Kind DetailItemModel::KindOf(const QModelIndex& index) const {
    return ItemOf(index)->kind;
}

ObjectPtr DetailItemModel::ObjectOf(const QModelIndex& index) const {
    return index.isValid() ? ItemOf(index)->object : nullptr;
}

std::string DetailItemModel::PathOf(const QModelIndex& index) const {
    if (!index.isValid()) return "";
    const Item* item = ItemOf(index);
    if (item->kind == Kind::Heading || item->kind == Kind::Empty) return "";
    std::string path;
    for (; item && item != root_.get(); item = item->parent) {
        // Positions count the node's rows and nested nodes, not its heading line.
        int position = item->row + 1;
        const Item* parent = item->parent;
        if (parent && !parent->children.empty() &&
            parent->children.front()->kind == Kind::Heading) {
            --position;
        }
        path = std::to_string(position) + (path.empty() ? "" : "." + path);
    }
    return path;
}

QModelIndex DetailItemModel::IndexOf(const ObjectPtr& object) const {
    if (!object) return {};
    std::function<const Item*(const Item&)> find = [&](const Item& item) -> const Item* {
        for (const auto& child : item.children) {
            const bool shown = child->kind == Kind::Node || child->kind == Kind::Row;
            if (shown && child->object == object) return child.get();
            if (const Item* found = find(*child)) return found;
        }
        return nullptr;
    };
    return IndexOfItem(find(*root_));
}

std::vector<QModelIndex> DetailItemModel::ExpandableItems() const {
    std::vector<QModelIndex> items;
    std::function<void(const Item&)> visit = [&](const Item& item) {
        for (const auto& child : item.children) {
            if (child->kind == Kind::Heading || child->kind == Kind::Empty) continue;
            items.push_back(IndexOfItem(child.get()));
            visit(*child);
        }
    };
    visit(*root_);
    return items;
}

std::vector<QModelIndex> DetailItemModel::HeadingItems() const {
    std::vector<QModelIndex> items;
    std::function<void(const Item&)> visit = [&](const Item& item) {
        for (const auto& child : item.children) {
            if (child->kind == Kind::Heading) items.push_back(IndexOfItem(child.get()));
            visit(*child);
        }
    };
    visit(*root_);
    return items;
}

const trackquery::DetailNode* DetailItemModel::ColumnsNodeOf(const QModelIndex& index) const {
    return index.isValid() ? ItemOf(index)->node : nullptr;
}

bool DetailItemModel::ModelExpanded(const QModelIndex& index) const {
    const ObjectPtr object = ObjectOf(index);
    if (auto node = std::dynamic_pointer_cast<DetailNode>(object)) return node->IsExpanded;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(object)) return row->IsExpanded;
    return false;
}

Qt::ItemFlags DetailItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Kind kind = ItemOf(index)->kind;
    // Lines that are no node and no row are passed over by the keys and never selected.
    if (kind == Kind::Heading || kind == Kind::Empty) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant DetailItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Item& item = *ItemOf(index);
    const int column = index.column();
    switch (item.kind) {
        case Kind::Node: {
            const auto& node = static_cast<const DetailNode&>(*item.object);
            if (role == Qt::DisplayRole && column == 0) {
                return QString::fromStdString(NodeLabel(node));
            }
            if (role == Qt::FontRole) {
                QFont font;
                font.setBold(true);
                return font;
            }
            if (role == Qt::BackgroundRole) return QBrush(ColoursOf(palette_).nodeGround);
            return {};
        }
        case Kind::Empty:
            if (role == Qt::DisplayRole && column == 0) return emptyText_;
            if (role == Qt::ForegroundRole) {
                return QBrush(palette_.color(QPalette::Disabled, QPalette::Text));
            }
            return {};
        case Kind::Heading: {
            if (role != Qt::DisplayRole || !item.node) return {};
            const auto columns = VisibleColumns(*item.node);
            if (column >= static_cast<int>(columns.size())) return {};
            return QString::fromStdString(columns[static_cast<size_t>(column)]->Caption);
        }
        case Kind::Row:
            return RowData(item, column, role);
    }
    return {};
}

QVariant DetailItemModel::RowData(const Item& item, int column, int role) const {
    std::vector<trackquery::ShownColumn> columns;
    if (item.node) columns = VisibleColumns(*item.node);
    const bool inColumns = column < static_cast<int>(columns.size());
    const auto& row = static_cast<const DetailRow&>(*item.object);
    switch (role) {
        case Qt::DisplayRole: {
            if (!inColumns) return {};
            auto cell = row.CellUnder(columns[static_cast<size_t>(column)]);
            return cell ? QString::fromStdString(cell->Text) : QString();
        }
        case Qt::TextAlignmentRole:
            return inColumns ? QVariant(AlignmentOf(columns[static_cast<size_t>(column)]->Align))
                             : QVariant();
        case Qt::DecorationRole:
            return column == 0 && row.StatusIcon > 0 ? QVariant(StatusIcon(row.StatusIcon))
                                                     : QVariant();
        case Qt::ForegroundRole: {
            if (row.RowColor == 0) return {};
            const QColor ground =
                row.IsTotal ? ColoursOf(palette_).totalGround : palette_.color(QPalette::Base);
            return QBrush(Readable(VbColor(row.RowColor), ground));
        }
        case Qt::BackgroundRole:
            return row.IsTotal ? QVariant(QBrush(ColoursOf(palette_).totalGround)) : QVariant();
        case Qt::FontRole: {
            if (!row.IsTotal) return {};
            QFont font;
            font.setBold(true);
            return font;
        }
        default:
            return {};
    }
}

}  // namespace qtgui
