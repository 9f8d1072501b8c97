#include "list_binding.h"

namespace client {

ListBinding BindList(std::weak_ptr<ICList> list) {
    ListBinding binding;
    binding.rows = [list] { return list.lock() ? list.lock()->GetListRs() : nullptr; };
    binding.layout = [list] { return list.lock() ? list.lock()->ListID : 0; };
    binding.selected = [list] {
        return list.lock() ? list.lock()->SelectedRows() : std::vector<int32_t>{};
    };
    binding.selectRow = [list](int32_t row) {
        if (auto control = list.lock()) control->SelectRow(row);
    };
    binding.selectAll = [list] {
        if (auto control = list.lock()) control->SelectAll();
    };
    binding.clearSelection = [list] {
        if (auto control = list.lock()) control->ClearSelection();
    };
    binding.close = [list](bool confirm) {
        if (auto control = list.lock()) control->RaiseCommand(confirm ? "SelectOK" : "Exit");
    };
    binding.search = [list](const std::string& text) -> std::string {
        auto control = list.lock();
        if (!control || control->SetBillNoSearch(text)) return "";
        return control->LastError();
    };
    return binding;
}

ListBinding BindLookUp(std::weak_ptr<frmBillLookUp> lookUp) {
    ListBinding binding;
    binding.rows = [lookUp] { return lookUp.lock() ? lookUp.lock()->Rows() : nullptr; };
    binding.layout = [lookUp] { return lookUp.lock() ? lookUp.lock()->ClassTypeID() : 0; };
    binding.selected = [lookUp] {
        return lookUp.lock() ? lookUp.lock()->SelectedRows() : std::vector<int32_t>{};
    };
    binding.selectRow = [lookUp](int32_t row) {
        if (auto form = lookUp.lock()) form->SelectRow(row);
    };
    binding.selectAll = [lookUp] {
        auto form = lookUp.lock();
        if (!form || !form->Rows()) return;
        for (int32_t row = 1; row <= form->Rows()->RecordCount(); ++row) form->SelectRow(row);
    };
    binding.clearSelection = [lookUp] {
        if (auto form = lookUp.lock()) form->ClearSelection();
    };
    binding.close = [lookUp](bool confirm) {
        auto form = lookUp.lock();
        if (form && confirm) form->Confirm();
        if (form && !confirm) form->Cancel();
    };
    return binding;
}

void SelectOnly(const ListBinding& binding, const std::vector<int32_t>& positions) {
    binding.clearSelection();
    for (int32_t position : positions) binding.selectRow(position);
}

}  // namespace client
