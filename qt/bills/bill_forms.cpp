#include <qt/bills/bill_forms.h>

#include <qt/bills/list_control_view.h>
#include <qt/bills/text_form_view.h>
#include <qt/windowing/form_content.h>

#include <client/bills/bill_window.h>
#include <client/bills/gl_view.h>

#include <trackquery/contracts/list_control.h>

#include <platform/automation/registry.h>

#include <QLabel>

#include <algorithm>

namespace qtgui {

namespace {

std::vector<std::weak_ptr<client::ICList>>& ListControls() {
    static std::vector<std::weak_ptr<client::ICList>> lists;
    return lists;
}

std::unique_ptr<ControlWidget> BillWindowFace(const std::shared_ptr<windowing::Form>& form,
                                              QWidget* parent) {
    std::weak_ptr<client::BillWindow> bill = std::dynamic_pointer_cast<client::BillWindow>(form);
    auto browse = [bill](bool (client::BillWindow::*move)()) {
        return [bill, move] {
            if (auto window = bill.lock()) ((*window).*move)();
        };
    };
    return std::make_unique<TextFormView>(
        [bill] { return bill.lock() ? bill.lock()->Render() : std::string(); },
        [bill] {
            auto window = bill.lock();
            if (!window || window->RowCount() == 0) return std::string();
            return std::to_string(window->Position()) + " / " + std::to_string(window->RowCount());
        },
        std::vector<TextFormView::Button>{
            {QStringLiteral("|<"), browse(&client::BillWindow::MoveFirst)},
            {QStringLiteral("<"), browse(&client::BillWindow::MovePrevious)},
            {QStringLiteral(">"), browse(&client::BillWindow::MoveNext)},
            {QStringLiteral(">|"), browse(&client::BillWindow::MoveLast)}},
        parent);
}

std::unique_ptr<ControlWidget> ItemViewFace(const std::shared_ptr<windowing::Form>& form,
                                            QWidget* parent) {
    std::weak_ptr<client::frmItemView> view = std::dynamic_pointer_cast<client::frmItemView>(form);
    return std::make_unique<TextFormView>(
        [view] { return view.lock() ? view.lock()->Render() : std::string(); }, nullptr,
        std::vector<TextFormView::Button>{}, parent);
}

std::unique_ptr<ControlWidget> ListFormFace(const std::shared_ptr<windowing::Form>&,
                                            QWidget* parent) {
    return std::make_unique<ListControlView>(TakeUnshownListControl(), parent);
}

}  // namespace

std::shared_ptr<client::ICList> TakeUnshownListControl() {
    auto& lists = ListControls();
    lists.erase(
        std::remove_if(lists.begin(), lists.end(), [](const auto& weak) { return weak.expired(); }),
        lists.end());
    // A list form loads its control (InForm) just before it is shown, so the newest hosted list
    // that no view took yet is the one the form being drawn holds.
    for (auto it = lists.rbegin(); it != lists.rend(); ++it) {
        auto list = it->lock();
        if (list && list->InForm) {
            lists.erase(std::next(it).base());
            return list;
        }
    }
    return nullptr;
}

void RegisterBillForms() {
    RegisterFormContent("frmBill", BillWindowFace);
    RegisterFormContent("frmItemView", ItemViewFace);
    RegisterFormContent("frmList", ListFormFace);
    automation::ComponentRegistry::Instance().Register(trackquery::kICListProgId, [] {
        auto list = std::make_shared<client::ICList>();
        ListControls().push_back(list);
        return list;
    });
}

}  // namespace qtgui
