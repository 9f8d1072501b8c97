#pragma once
// The bill window as a clerk reads it: the bill's kind and number as a title, its head fields as
// captioned values in columns, its entry lines in a table with headed columns, and under them
// the place in the browse list ("2 / 5") with |< < > >| to page through it. Everything shown
// comes from the window's BillSheet, the texts the terminal prints too.

#include <faces/qt/windowing/control_widget.h>

#include <components/bills/bill_window.h>

#include <memory>
#include <tuple>

class QGridLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace qtgui {

class BillSheetView : public ControlWidget {
  public:
    BillSheetView(std::weak_ptr<client::BillWindow> bill, QWidget* parent);
    QWidget* Widget() const override { return widget_; }
    void Sync() override;

  private:
    void Show(const client::BillSheet& sheet);
    void ShowHead(const client::BillSheet& sheet);
    void ShowEntries(const client::BillSheet& sheet);
    void ShowPlace(const client::BillWindow& window);

    std::weak_ptr<client::BillWindow> bill_;
    QWidget* widget_;
    QLabel* title_;
    QWidget* head_;
    QGridLayout* headGrid_;
    QTableWidget* entries_;
    QLabel* place_;
    std::vector<QPushButton*> pagers_;                         // |<, <, >, >|
    std::tuple<int32_t, int32_t, int32_t> shown_{-1, -1, -1};  // id, kind, place
};

}  // namespace qtgui
