#pragma once
// The list selection dialog: a thin modal frame around the client's bill list control. The
// form passes its properties through to the control, titles itself after the list, and turns
// the control's commands into its OK result.
//
// Calling order: create; Load; set the properties; InitData; when OK is false unload it,
// otherwise Show(vbModal); afterwards read OK and, when it is true, Selected; unload.

#include <contracts/list_control.h>
#include <contracts/middle_tier.h>

#include <platform/automation/collections.h>
#include <platform/windowing/form.h>

#include <cstdint>
#include <memory>
#include <string>

namespace trackquery {

class frmList : public windowing::Form {
  public:
    // Creates the list control "QzList.ICList"; error 429 when the client has none.
    frmList();
    // The control may outlive the form (its creator can keep it); its command event then no
    // longer reaches the form.
    ~frmList() override;

    void SetListID(int32_t value) { ICListSel->ListID = value; }
    void SetBaseInfo(const std::string& value) { ICListSel->BaseInfo = value; }
    void SetLocalCnn(const std::string& value) { ICListSel->LocalCnn = value; }
    void SetListShowStatus(int32_t value) { ICListSel->ListShowStatus = value; }
    void SetMultiSelect(bool value) { ICListSel->MultiSelect = value; }
    void SetCanSelectMultiRow(bool& value) { ICListSel->CanSelectMultiRow = value; }
    void SetSelectFlag(int32_t value) { ICListSel->SelectFlag = value; }
    void SetDestBillTransType(const std::string& value) { ICListSel->DestBillTransType = value; }
    const std::string& DestBillTransType() const { return ICListSel->DestBillTransType; }
    void SetFilter(const std::string& value) { ICListSel->Filter = value; }

    automation::VectorPtr Selected() { return ICListSel->Selected(); }
    automation::VectorPtr GetListFieldsDes() { return ICListSel->GetListFieldsDes(); }
    RecordsetPtr GetListRs() { return ICListSel->GetListRs(); }
    // True once the user confirmed a selection.
    bool OK() const { return m_OK; }

    // Opens the list. When it opened, OK tells whether it may be shown and the caption becomes
    // the list's name followed by "序时薄"; when it did not, nothing changes but OpenFailure.
    void InitData();
    // Why InitData could not open the list, as the control tells it; empty when it opened.
    const std::string& OpenFailure() const { return m_OpenFailure; }

    // The list control filling the form.
    std::shared_ptr<IICList> ICListSel;

  protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) override;
    void Form_Unload(int16_t& Cancel) override;

  private:
    void ICListSel_Command(const std::string& command);

    bool m_OK = false;
    std::string m_OpenFailure;
};

}  // namespace trackquery
