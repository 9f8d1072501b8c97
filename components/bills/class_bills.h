#pragma once
// The class-template bill components: the data source of a bill class ("QzClassTpl.DataSrv")
// with its filter dialog, the look-up list of its bills ("QzClassLookUp.BillLookUp") and the
// class bill window manager ("QzSingleClassBill.ClassInfoManager").

#include <contracts/bills.h>

#include <platform/adodb/recordset.h>
#include <platform/windowing/form.h>

namespace client {

// The filter dialog of a bill class. The user confirms with whole bills or with entries, or
// cancels; a headless script calls these members from a modal step.
class frmClassFilter : public windowing::Form {
  public:
    frmClassFilter() : windowing::Form("frmClassFilter") {}
    void Confirm(bool wholeBills);
    void Cancel();
    bool Confirmed() const { return confirmed_; }
    bool WholeBills() const { return wholeBills_; }

  private:
    bool confirmed_ = false;
    bool wholeBills_ = false;
};

// The look-up list: the bills of a class, from which the user selects rows and confirms. Its rows
// are shown as the list sheet of its class type (list_sheet.h) says.
class frmBillLookUp : public windowing::Form {
  public:
    frmBillLookUp(adodb::RecordsetPtr rows, bool multiSelect, int32_t classTypeId = 0);
    adodb::RecordsetPtr Rows() const { return rows_; }
    int32_t ClassTypeID() const { return classTypeId_; }
    // Selects the row at a 1-based place (error 9 outside the list); without multi-select the
    // previous selection is dropped.
    void SelectRow(int32_t position);
    void ClearSelection() { selected_.clear(); }
    void Confirm();
    void Cancel();
    bool Confirmed() const { return confirmed_; }
    const std::vector<int32_t>& SelectedRows() const { return selected_; }

  private:
    adodb::RecordsetPtr rows_;
    bool multiSelect_;
    int32_t classTypeId_;
    bool confirmed_ = false;
    std::vector<int32_t> selected_;
};

class DataSrv : public trackquery::IDataSrv {
  public:
    std::string TypeName() const override { return "DataSrv"; }
    // The ICClassType row of ClassTypeID; error 5 for a class type the database lacks.
    automation::DictionaryPtr classtype() override;
    // Shows the filter dialog modally; on confirmation Filter holds "HeadSort", "EntrySort" and
    // "SelectPage" (",1,3," for whole bills, ",1,2,3," with entries).
    bool showfilter() override;
};

class BillLookUp : public trackquery::IBillLookUp {
  public:
    std::string TypeName() const override { return "BillLookUp"; }
    // Lists the bills of the class (restricted by the data source's LinkFilter, one row per
    // entry unless the filter chose whole bills) in a modal look-up; true when the user
    // confirmed a selection of at least one row, then in VectReturn.
    bool Lookup() override;
};

class ClassInfoManager : public trackquery::IClassInfoManager {
  public:
    std::string TypeName() const override { return "ClassInfoManager"; }
    // Opens the class bill window on the bill `billId` of the ItemID list, in `mode`.
    void Show(const automation::Variant& billId, const automation::Variant& unused,
              int32_t& mode) override;
};

}  // namespace client
