#pragma once
// "QzList.ICList": the bill list control ("序时薄"). A list id names a list definition in the ERP
// database (ICListDefinition: FListID, FName, FViewName, FKeyField); the list shows the rows of
// its view (aliased v1) under the caller's filter. The filter is SQL text of the library's own;
// what a user types (a bill number to look for) is bound as a parameter.
//
// The user, or a headless script acting as one, selects rows and raises the commands "SelectOK"
// and "Exit" through the members below.

#include <contracts/list_control.h>

#include <platform/adodb/recordset.h>

#include <memory>
#include <vector>

namespace client {

class ICList : public trackquery::IICList {
  public:
    ICList();
    ~ICList() override;
    ICList(const ICList&) = delete;
    ICList& operator=(const ICList&) = delete;

    std::string TypeName() const override { return "ICList"; }

    bool OpenList() override;
    std::string OpenFailure() const override { return lastError_; }
    // True when the list has at least one row.
    bool IsReadyToShow() override;
    automation::VectorPtr ListDescriptions() override;
    // True when one row (several only with MultiSelect) is selected.
    bool CanTakeSelection() override;
    automation::VectorPtr Selected() override;
    automation::VectorPtr GetListFieldsDes() override;
    adodb::RecordsetPtr GetListRs() override;
    void Cleanup() override;

    // --- What the user does --------------------------------------------------------------------
    // Narrows the list to bills whose number contains `text` (bound, letter case ignored) and
    // opens it again; an empty text shows every row.
    bool SetBillNoSearch(const std::string& text);
    // Selects the row at a 1-based place; without MultiSelect the previous selection goes.
    // Error 9 outside the list.
    void SelectRow(int32_t position);
    void SelectAll();
    void ClearSelection();
    const std::vector<int32_t>& SelectedRows() const { return selected_; }
    // Raises the command event with `command`, as the control's buttons do.
    void RaiseCommand(const std::string& command);

    // The last failure of OpenList, for the user; empty after a success.
    const std::string& LastError() const { return lastError_; }

  private:
    std::string listName_;
    std::string keyField_;
    std::string billNoSearch_;
    adodb::RecordsetPtr rows_;
    std::vector<int32_t> selected_;
    std::string lastError_;
};

// The list controls alive now that a form hosts (InForm), oldest first, whoever created them: a
// face finds here the list that the form it draws holds, since the form keeps it to itself.
std::vector<std::shared_ptr<ICList>> HostedListControls();

}  // namespace client
