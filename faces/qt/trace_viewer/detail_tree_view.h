#pragma once
// The tree of the detail pane. Every kind of node has columns of its own, so the rows are not
// drawn under one set of tree columns: the tree has a single column as wide as the pane, and each
// heading and row is drawn with the columns of its node's kind (DetailColumnWidths).
//
// - The first column of a row, with the tree's indentation, stays where it is; the other columns
//   scroll sideways with the tree's horizontal bar, a sideways wheel or Shift with the wheel.
// - A heading line is the header of its node's columns: dragging the edge of a caption sets the
//   width of that column for every node of the kind, a double click on the edge fits it to its
//   contents.
// - A cell too narrow for its text shows the start of it and the whole text as its tooltip; the
//   tooltip of a status mark is its status word.
// - Keys are the tree's own (arrows, PageUp/PageDown and Home/End move the current row, Right and
//   Left open and close); Enter and Ctrl+C go to the callbacks, as does every move of the current
//   row that the user makes.

#include <faces/qt/trace_viewer/detail_columns.h>
#include <faces/qt/trace_viewer/detail_item_model.h>

#include <QTreeView>

#include <functional>
#include <optional>
#include <vector>

namespace qtgui {

class DetailTreeView : public QTreeView {
  public:
    struct Callbacks {
        std::function<void(const QModelIndex& current)> currentMoved;
        std::function<void(const QModelIndex& current)> enter;
        std::function<void()> copy;
        std::function<void()> widthsChanged;
        std::function<QString(int32_t image)> statusText;
    };

    DetailTreeView(DetailItemModel& items, DetailColumnWidths& widths);

    void SetCallbacks(Callbacks callbacks) { callbacks_ = std::move(callbacks); }
    // Padding inside each cell (horizontal, pixels) and each row (vertical).
    void SetPadding(int cell, int row);
    // Gives the columns of kinds shown for the first time their widths and sets the side bar's
    // range. Run after the tree changed.
    void Relayout();

    // Where the cells of a heading or row item are drawn (viewport coordinates; the scrolling
    // columns may lie outside the pane). Empty for other items.
    std::vector<QRect> CellRects(const QModelIndex& index) const;
    // The selected node and row items in the order shown (the current one when none is).
    std::vector<QModelIndex> SelectedItems() const;

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    friend class DetailRowDelegate;
    struct Edge {
        const trackquery::DetailNode* node = nullptr;
        size_t position = 0;  // the column whose right edge it is
        int startX = 0;
        int startWidth = 0;
    };
    std::optional<Edge> EdgeAt(const QPoint& point) const;
    void ShowToolTip(const QPoint& point, const QPoint& global);
    // The model's further columns are drawn inside the first: the tree shows only that one.
    void KeepOneTreeColumn();
    int Indentation(const QModelIndex& index) const;
    void SetSideRange();

    DetailItemModel& items_;
    DetailColumnWidths& widths_;
    Callbacks callbacks_;
    int sideRange_ = 0;
    int side_ = 0;  // how far the person scrolled the columns sideways
    std::optional<Edge> dragging_;
    int cellPadding_ = 8;
    int rowPadding_ = 4;
};

}  // namespace qtgui
