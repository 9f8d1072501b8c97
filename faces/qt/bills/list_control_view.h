#pragma once
// A bill list as the person picks from it: a box to look for a bill, a table of the list's rows
// under captioned columns (words for codes, names for ids, dates as dates, from the list's
// ListSheet), 确定 and 退出. A click on a heading sorts by that column (figures and dates by
// value); typing in the box narrows the list as the user types. Selecting rows in the table
// selects them in the list, whatever the order shown; 确定 (or a double click) confirms and 退出
// leaves, as the list's own buttons do.
//
// Two lists are drawn so: the bill list control ("序时薄") of the list selection form, which
// narrows by bill number in the database, and the look-up of a class of bills (export orders),
// whose rows are narrowed in the table.

#include <faces/qt/windowing/control_widget.h>

#include <components/bills/list_binding.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QTableWidget;
class QTimer;

namespace qtgui {

class ListControlView : public ControlWidget {
  public:
    ListControlView(client::ListBinding binding, QWidget* parent);
    QWidget* Widget() const override { return widget_; }
    void Sync() override;

    QTableWidget* Table() const { return table_; }
    // The list's 1-based row that the table shows at `row` (0-based, in the order shown).
    int32_t PositionAt(int row) const;

  private:
    void Fill();
    void ShowSelection(const std::vector<int32_t>& positions);
    void TakeSelection();
    void Search();
    void HideRowsWithout(const QString& text);

    client::ListBinding binding_;
    QWidget* widget_;
    QLineEdit* search_;
    QTableWidget* table_;
    QTimer* typing_;
    adodb::RecordsetPtr shownRows_;
    std::vector<int32_t> shownSelection_;
};

// The most recently created list control that a form hosts (InForm) and no view draws yet.
std::shared_ptr<client::ICList> TakeUnshownListControl();

}  // namespace qtgui
