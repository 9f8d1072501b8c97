#include <faces/qt/bills/bill_forms.h>

#include <faces/qt/bills/bill_sheet_view.h>
#include <faces/qt/bills/class_filter_view.h>
#include <faces/qt/bills/list_control_view.h>
#include <faces/qt/bills/text_form_view.h>
#include <faces/qt/windowing/form_content.h>

#include <components/bills/bill_window.h>
#include <components/bills/gl_view.h>
#include <components/bills/ic_list.h>

#include <QLabel>

#include <algorithm>

namespace qtgui {

namespace {

// The hosted list controls a view draws already.
std::vector<std::weak_ptr<client::ICList>>& DrawnListControls() {
    static std::vector<std::weak_ptr<client::ICList>> drawn;
    return drawn;
}

std::unique_ptr<ControlWidget> BillWindowFace(const std::shared_ptr<windowing::Form>& form,
                                              QWidget* parent) {
    return std::make_unique<BillSheetView>(std::dynamic_pointer_cast<client::BillWindow>(form),
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
    return std::make_unique<ListControlView>(client::BindList(TakeUnshownListControl()), parent);
}

std::unique_ptr<ControlWidget> LookUpFace(const std::shared_ptr<windowing::Form>& form,
                                          QWidget* parent) {
    return std::make_unique<ListControlView>(
        client::BindLookUp(std::dynamic_pointer_cast<client::frmBillLookUp>(form)), parent);
}

std::unique_ptr<ControlWidget> ClassFilterFace(const std::shared_ptr<windowing::Form>& form,
                                               QWidget* parent) {
    return std::make_unique<ClassFilterView>(
        std::dynamic_pointer_cast<client::frmClassFilter>(form), parent);
}

}  // namespace

std::shared_ptr<client::ICList> TakeUnshownListControl() {
    auto& drawn = DrawnListControls();
    std::erase_if(drawn, [](const auto& weak) { return weak.expired(); });
    const auto isDrawn = [&drawn](const std::shared_ptr<client::ICList>& list) {
        return std::any_of(drawn.begin(), drawn.end(),
                           [&list](const auto& weak) { return weak.lock() == list; });
    };
    // A list form loads its control (InForm) just before it is shown, so the newest hosted list
    // that no view took yet is the one the form being drawn holds.
    const auto hosted = client::HostedListControls();
    for (auto it = hosted.rbegin(); it != hosted.rend(); ++it) {
        if (isDrawn(*it)) continue;
        drawn.push_back(*it);
        return *it;
    }
    return nullptr;
}

void RegisterBillForms() {
    RegisterFormContent("frmBill", BillWindowFace);
    RegisterFormContent("frmItemView", ItemViewFace);
    RegisterFormContent("frmList", ListFormFace);
    RegisterFormContent("frmBillLookUp", LookUpFace);
    RegisterFormContent("frmClassFilter", ClassFilterFace);
}

}  // namespace qtgui
