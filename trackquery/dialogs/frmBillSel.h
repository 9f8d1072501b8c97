#pragma once
// The bill option dialog: the user chooses which bill kinds the task order tracker shows and the
// choice is saved for the user through the middle tier.
//
// Calling order: create (std::make_shared); set BillType and UserID; Show(vbModal); read OK.
// The dialog unloads itself on 退出 and after a successful save.
//
// The list holds one item per bill kind the middle tier offers for BillType: key = the option's
// FKey, text = its caption, tag = the kind's FID (FKey without its three-character prefix). The
// operation record kind "-52" and the kinds shown under an operation record ("-502", "-582",
// "-581", "1002504", "-710", "-715") are kept consistent while the user clicks: a package kind
// cannot stay chosen without "-52".
//
// The controls are public so that the host and tests act on them as the user does:
// lvwBillType->ClickCheckBox(item) raises the check rules, cmdAll->Click() and so on.

#include <platform/windowing/command_button.h>
#include <platform/windowing/form.h>
#include <platform/windowing/list_view.h>

#include <cstdint>
#include <memory>
#include <string>

namespace trackquery {

class frmBillSel : public windowing::Form {
  public:
    frmBillSel();

    // The tracker's option key ("ICMOTrack", "REPICMOTrack" or "WWICMOTrack").
    void SetBillType(const std::string& value) { m_BillType = value; }
    // The user whose choice is read and saved.
    void SetUserID(int32_t value) { m_UserID = value; }
    // True once the user has pressed 确定, whether or not the choice could be saved; false at
    // load. 退出 leaves it as it is.
    bool OK() const { return m_OK; }

    // The saved value list of the checked items, in list order: "'k1' ,'k2' " (each key in
    // single quotes followed by a blank and a comma, the last comma removed). Empty when nothing
    // is checked.
    std::string CheckedValueList() const;

    std::shared_ptr<windowing::ListView> lvwBillType;
    std::shared_ptr<windowing::CommandButton> cmdAll;
    std::shared_ptr<windowing::CommandButton> cmdClear;
    std::shared_ptr<windowing::CommandButton> CmdOK;
    std::shared_ptr<windowing::CommandButton> cmdExit;

  protected:
    void Form_Load() override;

  private:
    void SetCaptions();
    void LoadBillOptions();
    void AddBillOptionItem(const std::string& key, const std::string& caption, bool checked);
    void ReportLoadFailure(const std::string& description);

    void lvwBillType_ItemCheck(windowing::ListItem& Item);
    void SetCheckedByTag(const std::string& tag, bool checked);
    void SetAllChecked(bool checked);

    void cmdAll_Click();
    void cmdClear_Click();
    void CmdOK_Click();
    void cmdExit_Click();
    bool SaveBillOption(const std::string& values);

    std::string m_BillType;
    int32_t m_UserID = 0;
    bool m_OK = false;
};

}  // namespace trackquery
