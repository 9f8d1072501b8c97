// A ListView as a QTreeWidget in report view: one column per column header (one column without
// headers), check boxes when the list has them. A click on a check box goes through
// ListView::ClickCheckBox, which flips the item and raises ItemCheck; the boxes then show the
// items' states, whatever the handler changed.

#include <faces/qt/windowing/standard_widgets.h>
#include <faces/qt/windowing/twips.h>
#include <faces/qt/windowing/user_action.h>

#include <platform/windowing/list_view.h>

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace qtgui {

namespace {

using windowing::ListItemPtr;

class ListViewWidget : public TypedControlWidget<windowing::ListView, QTreeWidget> {
  public:
    ListViewWidget(const std::shared_ptr<windowing::ListView>& list, QWidget* parent)
        : TypedControlWidget(list, new QTreeWidget(parent)) {
        View()->setRootIsDecorated(false);
        View()->setUniformRowHeights(true);
        std::weak_ptr<windowing::ListView> weak = list;
        QObject::connect(View(), &QTreeWidget::itemChanged, View(),
                         [this, weak](QTreeWidgetItem* row, int column) {
                             if (column == 0) UserChecked(weak, row);
                         });
        QObject::connect(View(), &QTreeWidget::itemClicked, View(),
                         [this, weak](QTreeWidgetItem* row, int) { UserClicked(weak, row); });
    }

  protected:
    void SyncState(windowing::ListView& list) override {
        QSignalBlocker quiet(View());
        SyncColumns(list);
        const auto& items = list.GetListItems().Items();
        if (items != shown_) Rebuild(items);
        for (size_t i = 0; i < items.size(); ++i)
            SyncRow(list, *items[i], *View()->topLevelItem(i));
    }

  private:
    void SyncColumns(windowing::ListView& list) {
        auto& headers = list.GetColumnHeaders();
        const int count = std::max(1, headers.Count());
        if (View()->columnCount() != count) View()->setColumnCount(count);
        View()->setHeaderHidden(list.View() != windowing::lvwReport || headers.Count() == 0);
        QStringList labels;
        for (int32_t i = 1; i <= headers.Count(); ++i) {
            const auto& header = headers.Item(i);
            labels << FromUtf8(header.Text);
            View()->setColumnWidth(i - 1, TwipsToPixels(header.Width));
        }
        if (!labels.isEmpty()) View()->setHeaderLabels(labels);
    }

    void Rebuild(const std::vector<ListItemPtr>& items) {
        View()->clear();
        for (size_t i = 0; i < items.size(); ++i) new QTreeWidgetItem(View());
        shown_ = items;
    }

    void SyncRow(const windowing::ListView& list, const windowing::ListItem& item,
                 QTreeWidgetItem& row) {
        row.setText(0, FromUtf8(item.Text()));
        for (int c = 1; c < View()->columnCount(); ++c) row.setText(c, FromUtf8(item.SubItems(c)));
        if (list.Checkboxes()) {
            row.setCheckState(0, item.Checked() ? Qt::Checked : Qt::Unchecked);
        } else {
            row.setData(0, Qt::CheckStateRole, QVariant());
        }
        row.setSelected(item.Selected());
    }

    ListItemPtr ItemOf(QTreeWidgetItem* row) const {
        const int index = View()->indexOfTopLevelItem(row);
        if (index < 0 || static_cast<size_t>(index) >= shown_.size()) return nullptr;
        return shown_[static_cast<size_t>(index)];
    }

    void UserChecked(const std::weak_ptr<windowing::ListView>& weak, QTreeWidgetItem* row) {
        auto list = weak.lock();
        auto item = ItemOf(row);
        if (!list || !item) return;
        const bool wanted = row->checkState(0) == Qt::Checked;
        if (wanted != item->Checked()) RunUserAction([&] { list->ClickCheckBox(item); });
        Sync();
    }

    void UserClicked(const std::weak_ptr<windowing::ListView>& weak, QTreeWidgetItem* row) {
        auto list = weak.lock();
        auto item = ItemOf(row);
        if (!list || !item) return;
        RunUserAction([&] { list->ClickItem(item); });
        Sync();
    }

    std::vector<ListItemPtr> shown_;
};

}  // namespace

std::unique_ptr<ControlWidget> MakeListViewWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent) {
    auto list = std::dynamic_pointer_cast<windowing::ListView>(control);
    if (!list) return nullptr;
    return std::make_unique<ListViewWidget>(list, parent);
}

}  // namespace qtgui
