#include <faces/qt/trace_viewer/detail_tree_view.h>

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>
#include <numeric>

namespace qtgui {

namespace {

using Kind = DetailItemModel::Kind;

constexpr int kIconSize = 16;
constexpr int kIconRoom = kIconSize + 4;
constexpr int kEdgeGrip = 4;   // how near an edge of a caption the mouse takes hold of it
constexpr int kSideStep = 24;  // pixels of a sideways step

// The cells of a row whose item rect is `item`: the first stands still, the others are moved
// left by `offset`.
std::vector<QRect> Cells(const QRect& item, const std::vector<int>& layout, int offset) {
    std::vector<QRect> cells;
    int x = item.left();
    for (size_t i = 0; i < layout.size(); ++i) {
        cells.emplace_back(x - (i > 0 ? offset : 0), item.top(), layout[i], item.height());
        x += layout[i];
    }
    return cells;
}

// Where the scrolling columns may be drawn: right of the first column.
QRect ScrollingArea(const QRect& item, const std::vector<QRect>& cells, int viewportWidth) {
    if (cells.empty()) return {};
    const int left = cells.front().right() + 1;
    return QRect(left, item.top(), std::max(0, viewportWidth - left), item.height());
}

}  // namespace

// Paints a whole line of the tree: a node's caption, a heading as header sections, a row as its
// cells under the columns of its kind.
class DetailRowDelegate : public QStyledItemDelegate {
  public:
    explicit DetailRowDelegate(DetailTreeView& view) : QStyledItemDelegate(&view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        // Headings and empty lines cannot be selected, yet they are drawn as the tree is.
        if (view_.isEnabled()) {
            item.state |= QStyle::State_Enabled;
        } else {
            item.state &= ~QStyle::State_Enabled;
        }
        const Kind kind = view_.items_.KindOf(index);
        painter->save();
        if (kind == Kind::Heading) {
            PaintHeading(painter, item, index);
        } else {
            PaintGround(painter, item);
            painter->setPen(TextColour(item));
            if (kind == Kind::Row) {
                PaintCells(painter, item, index);
            } else {
                PaintCaption(painter, item, kind == Kind::Empty);
            }
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        const int text = std::max(option.fontMetrics.height(), kIconSize);
        return QSize(view_.viewport()->width(), text + view_.rowPadding_ + 4);
    }

  private:
    void PaintGround(QPainter* painter, const QStyleOptionViewItem& item) const {
        QStyleOptionViewItem ground = item;
        ground.text.clear();
        ground.icon = QIcon();
        ground.features &= ~QStyleOptionViewItem::HasDisplay;
        ground.features &= ~QStyleOptionViewItem::HasDecoration;
        view_.style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &ground, painter, &view_);
    }

    static QColor TextColour(const QStyleOptionViewItem& item) {
        const bool enabled = item.state & QStyle::State_Enabled;
        const auto group = enabled ? QPalette::Normal : QPalette::Disabled;
        if (item.state & QStyle::State_Selected) {
            return item.palette.color(group, QPalette::HighlightedText);
        }
        const QColor text = item.palette.color(QPalette::Normal, QPalette::Text);
        // A dimmed tree keeps its colours, faded towards the ground.
        return enabled ? text : QColor::fromRgbF(text.redF(), text.greenF(), text.blueF(), 0.45f);
    }

    void PaintCaption(QPainter* painter, const QStyleOptionViewItem& item, bool empty) const {
        QFont font = item.font;
        font.setItalic(empty);
        painter->setFont(font);
        const QRect room = item.rect.adjusted(view_.cellPadding_ / 2 + 2, 0, 0, 0);
        const QFontMetrics metrics(font);
        painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(item.text, Qt::ElideRight, room.width()));
    }

    void PaintCells(QPainter* painter, const QStyleOptionViewItem& item,
                    const QModelIndex& index) const {
        const auto cells = view_.CellRects(index);
        const QRect scrolling = ScrollingArea(item.rect, cells, view_.viewport()->width());
        painter->setFont(item.font);
        const QFontMetrics metrics(item.font);
        for (size_t i = 0; i < cells.size(); ++i) {
            painter->setClipRect(i == 0 ? cells[i] : cells[i].intersected(scrolling));
            QRect room = cells[i].adjusted(view_.cellPadding_ / 2, 0, -view_.cellPadding_ / 2, 0);
            const QModelIndex cell = index.siblingAtColumn(static_cast<int>(i));
            if (i == 0 && !item.icon.isNull()) {
                const QRect mark(room.left(), room.center().y() - kIconSize / 2 + 1, kIconSize,
                                 kIconSize);
                item.icon.paint(painter, mark);
                room.setLeft(room.left() + kIconRoom);
            }
            const QString text = cell.data(Qt::DisplayRole).toString();
            const auto align = cell.data(Qt::TextAlignmentRole);
            painter->drawText(room, align.isValid() ? align.value<Qt::Alignment>() : Qt::AlignLeft,
                              metrics.elidedText(text, Qt::ElideRight, room.width()));
        }
    }

    void PaintHeading(QPainter* painter, const QStyleOptionViewItem& item,
                      const QModelIndex& index) const {
        const auto cells = view_.CellRects(index);
        const QRect scrolling = ScrollingArea(item.rect, cells, view_.viewport()->width());
        const QFontMetrics metrics(item.font);
        painter->setFont(item.font);
        // The style may clip a section as it likes: the scrolling sections go first, those
        // that slid under the first one are left out, and the first is drawn over them.
        for (size_t step = 1; step <= cells.size(); ++step) {
            const size_t i = step % cells.size();
            if (i > 0 && cells[i].right() < scrolling.left()) continue;
            painter->setClipRect(i == 0 ? cells[i] : cells[i].intersected(scrolling));
            QStyleOptionHeader section;
            section.initFrom(&view_);
            section.state = QStyle::State_Raised;
            if (item.state & QStyle::State_Enabled) section.state |= QStyle::State_Enabled;
            section.rect = cells[i];
            section.section = static_cast<int>(i);
            section.position = cells.size() == 1       ? QStyleOptionHeader::OnlyOneSection
                               : i == 0                ? QStyleOptionHeader::Beginning
                               : i + 1 == cells.size() ? QStyleOptionHeader::End
                                                       : QStyleOptionHeader::Middle;
            const QModelIndex cell = index.siblingAtColumn(static_cast<int>(i));
            section.text = metrics.elidedText(cell.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                              cells[i].width() - 10);
            section.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            view_.style()->drawControl(QStyle::CE_Header, &section, painter, &view_);
        }
    }

    DetailTreeView& view_;
};

DetailTreeView::DetailTreeView(DetailItemModel& items, DetailColumnWidths& widths)
    : items_(items), widths_(widths) {
    setObjectName("detail");
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setAlternatingRowColors(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setItemDelegate(new DetailRowDelegate(*this));
    setModel(&items_);
    viewport()->setMouseTracking(true);
    QScrollBar* bar = horizontalScrollBar();
    bar->setObjectName("detailSideBar");
    // The bar says where the person scrolled the columns; the tree, which sets the bar's range
    // to its own width whenever it lays itself out, would take them back left otherwise.
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar] {
        side_ = bar->sliderPosition();
        viewport()->update();
    });
    connect(bar, &QAbstractSlider::valueChanged, this, [this, bar](int value) {
        if (value != std::min(side_, bar->maximum())) bar->setValue(side_);
    });
    connect(&items_, &QAbstractItemModel::columnsInserted, this, [this] { KeepOneTreeColumn(); });
    connect(&items_, &QAbstractItemModel::modelReset, this, [this] { KeepOneTreeColumn(); });
    KeepOneTreeColumn();
}

void DetailTreeView::KeepOneTreeColumn() {
    for (int column = 1; column < items_.columnCount(); ++column) setColumnHidden(column, true);
    setColumnWidth(0, viewport()->width());
}

void DetailTreeView::SetPadding(int cell, int row) {
    if (cell == cellPadding_ && row == rowPadding_) return;
    cellPadding_ = cell;
    rowPadding_ = row;
    // The rows take their new height.
    scheduleDelayedItemsLayout();
}

int DetailTreeView::Indentation(const QModelIndex& index) const {
    int depth = rootIsDecorated() ? 1 : 0;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) ++depth;
    return depth * indentation();
}

void DetailTreeView::Relayout() {
    const QFontMetrics metrics(font());
    bool fitted = false;
    int right = 0;
    for (const QModelIndex& heading : items_.HeadingItems()) {
        const auto* node = items_.ColumnsNodeOf(heading);
        if (!node) continue;
        fitted = widths_.FitNewColumns(*node, metrics) || fitted;
        bool shown = true;
        for (QModelIndex parent = heading.parent(); parent.isValid(); parent = parent.parent()) {
            shown = shown && isExpanded(parent);
        }
        if (!shown) continue;
        const auto layout = widths_.Layout(*node);
        right = std::max(right,
                         Indentation(heading) + std::accumulate(layout.begin(), layout.end(), 0));
    }
    sideRange_ = std::max(0, right - viewport()->width());
    SetSideRange();
    if (fitted) viewport()->update();
}

// The tree's horizontal bar moves the scrolling columns only: the tree itself, as wide as the
// pane, never moves sideways.
void DetailTreeView::SetSideRange() {
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, sideRange_);
    bar->setPageStep(std::max(1, viewport()->width()));
    bar->setSingleStep(kSideStep);
    bar->setValue(side_);
}

void DetailTreeView::updateGeometries() {
    QTreeView::updateGeometries();
    SetSideRange();
}

void DetailTreeView::scrollContentsBy(int dx, int dy) {
    if (dx != 0) viewport()->update();
    if (dy != 0) QTreeView::scrollContentsBy(0, dy);
}

std::vector<QRect> DetailTreeView::CellRects(const QModelIndex& index) const {
    const Kind kind = items_.KindOf(index);
    if (kind != Kind::Heading && kind != Kind::Row) return {};
    const auto* node = items_.ColumnsNodeOf(index);
    if (!node) return {};
    return Cells(visualRect(index.siblingAtColumn(0)), widths_.Layout(*node),
                 std::min(side_, sideRange_));
}

std::vector<QModelIndex> DetailTreeView::SelectedItems() const {
    std::vector<QModelIndex> selected;
    for (const QModelIndex& index : items_.ExpandableItems()) {
        if (selectionModel()->isRowSelected(index.row(), index.parent())) {
            selected.push_back(index);
        }
    }
    if (selected.empty() && currentIndex().isValid()) {
        selected.push_back(currentIndex().siblingAtColumn(0));
    }
    return selected;
}

void DetailTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (current.isValid() && callbacks_.currentMoved) {
        callbacks_.currentMoved(current.siblingAtColumn(0));
    }
}

void DetailTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) && callbacks_.copy) {
        callbacks_.copy();
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid() && callbacks_.enter) {
        callbacks_.enter(currentIndex().siblingAtColumn(0));
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

// --- Widening columns by their headings ------------------------------------------------------

std::optional<DetailTreeView::Edge> DetailTreeView::EdgeAt(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || items_.KindOf(index) != Kind::Heading) return std::nullopt;
    const auto cells = CellRects(index);
    for (size_t i = 0; i < cells.size(); ++i) {
        const int edge = cells[i].right() + 1;
        const bool visible = i == 0 || edge > cells.front().right() + kEdgeGrip;
        if (visible && std::abs(point.x() - edge) <= kEdgeGrip) {
            return Edge{items_.ColumnsNodeOf(index), i, point.x(), cells[i].width()};
        }
    }
    return std::nullopt;
}

void DetailTreeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = EdgeAt(event->position().toPoint());
        if (dragging_) {
            event->accept();
            return;
        }
    }
    QTreeView::mousePressEvent(event);
}

void DetailTreeView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (dragging_) {
        widths_.SetUserWidth(*dragging_->node, dragging_->position,
                             dragging_->startWidth + point.x() - dragging_->startX);
        viewport()->update();
        event->accept();
        return;
    }
    if (EdgeAt(point)) {
        viewport()->setCursor(Qt::SplitHCursor);
    } else {
        viewport()->unsetCursor();
    }
    QTreeView::mouseMoveEvent(event);
}

void DetailTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_) {
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    dragging_.reset();
    Relayout();
    if (callbacks_.widthsChanged) callbacks_.widthsChanged();
    event->accept();
}

void DetailTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto edge = EdgeAt(event->position().toPoint());
    if (!edge) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    widths_.SetUserWidth(*edge->node, edge->position,
                         widths_.FittingWidth(*edge->node, edge->position, fontMetrics()));
    Relayout();
    viewport()->update();
    if (callbacks_.widthsChanged) callbacks_.widthsChanged();
    event->accept();
}

// --- Sideways ------------------------------------------------------------------------------------

void DetailTreeView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const bool sideways = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier);
    QScrollBar* bar = horizontalScrollBar();
    if (!sideways || bar->maximum() == 0) {
        QTreeView::wheelEvent(event);
        return;
    }
    const int turned = delta.x() != 0 ? delta.x() : delta.y();
    side_ = std::clamp(bar->value() - turned * 3 * kSideStep / 120, 0, bar->maximum());
    bar->setValue(side_);
    viewport()->update();
    event->accept();
}

void DetailTreeView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    setColumnWidth(0, viewport()->width());
    Relayout();
}

// --- Tooltips ------------------------------------------------------------------------------------

bool DetailTreeView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTreeView::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    ShowToolTip(help->pos(), help->globalPos());
    return true;
}

void DetailTreeView::ShowToolTip(const QPoint& point, const QPoint& global) {
    const QModelIndex index = indexAt(point);
    const auto cells = CellRects(index);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (!cells[i].contains(point) || (i > 0 && point.x() <= cells.front().right())) continue;
        const QModelIndex cell = index.siblingAtColumn(static_cast<int>(i));
        QRect room = cells[i].adjusted(cellPadding_ / 2, 0, -cellPadding_ / 2, 0);
        auto row = std::dynamic_pointer_cast<trackquery::DetailRow>(items_.ObjectOf(index));
        if (i == 0 && row && row->StatusIcon > 0) {
            if (point.x() < room.left() + kIconRoom && callbacks_.statusText) {
                QToolTip::showText(global, callbacks_.statusText(row->StatusIcon), viewport());
                return;
            }
            room.setLeft(room.left() + kIconRoom);
        }
        const QString text = cell.data(Qt::DisplayRole).toString();
        if (fontMetrics().horizontalAdvance(text) > room.width()) {
            QToolTip::showText(global, text, viewport(), cells[i]);
            return;
        }
    }
    QToolTip::hideText();
}

}  // namespace qtgui
