#pragma once
// The bill list control ("序时薄") as the list selection form shows it: a box to look for a bill
// number, a table of the list's rows, 确定 and 退出. Selecting rows in the table selects them in
// the control; 确定 raises its "SelectOK" command and 退出 its "Exit", as the control's own buttons
// do.

#include <qt/windowing/control_widget.h>

#include <client/bills/ic_list.h>

#include <memory>
#include <vector>

class QLineEdit;
class QTableWidget;

namespace qtgui {

class ListControlView : public ControlWidget {
  public:
    ListControlView(std::weak_ptr<client::ICList> list, QWidget* parent);
    QWidget* Widget() const override { return widget_; }
    void Sync() override;

    QTableWidget* Table() const { return table_; }

  private:
    void Fill(client::ICList& list);
    void TakeSelection();

    std::weak_ptr<client::ICList> list_;
    QWidget* widget_;
    QLineEdit* search_;
    QTableWidget* table_;
    adodb::RecordsetPtr shownRows_;
    std::vector<int32_t> shownSelection_;
};

// The most recently created list control that a form hosts (InForm) and no view draws yet.
std::shared_ptr<client::ICList> TakeUnshownListControl();

}  // namespace qtgui
