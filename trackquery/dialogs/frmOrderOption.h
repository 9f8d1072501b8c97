#pragma once
// The order tracking option dialog: the user chooses which downstream bills sales order tracking
// shows, whether amounts are shown, and whether the bill list opens on its filter.
//
// Calling order: create (std::make_shared); set ClassTypeID and OrderOption; Show(vbModal); read
// SelOK and, when it is true, OrderOption and SelChange; unload. The dialog writes into the very
// Dictionary it was given, and only on 确定.
//
// Setting a box in code raises its click as a user's click does, so the dialog's own load is kept
// apart: SelChange tells of the user's clicks only. The controls are public so that the host and
// tests act on them as the user does (ChkMO->Click(), CmdOK->Click()).

#include <platform/automation/collections.h>
#include <platform/windowing/check_box.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/form.h>
#include <platform/windowing/frame.h>

#include <cstdint>
#include <memory>
#include <string>

namespace trackquery {

class frmOrderOption : public windowing::Form {
  public:
    frmOrderOption();

    // The options, option key to 0 or 1. A dialog given none makes a new one when it loads.
    const automation::DictionaryPtr& OrderOption() const { return m_OrderOption; }
    void SetOrderOption(automation::DictionaryPtr options) { m_OrderOption = std::move(options); }
    // 1007100 for export orders; any other value is a domestic order class.
    void SetClassTypeID(int32_t value) { m_ClassTypeID = value; }
    // True once the user has clicked one of the seven bill boxes or the amount box.
    bool SelChange() const { return m_SelChange; }
    // True when the dialog was closed with 确定.
    bool SelOK() const { return m_SelOK; }

    std::shared_ptr<windowing::Frame> FrmBill;
    std::shared_ptr<windowing::CheckBox> ChkInform;
    std::shared_ptr<windowing::CheckBox> ChkSaleOut;
    std::shared_ptr<windowing::CheckBox> ChkMO;
    std::shared_ptr<windowing::CheckBox> ChkLC;
    std::shared_ptr<windowing::CheckBox> ChkInvoice;
    std::shared_ptr<windowing::CheckBox> ChkPreReceive;
    std::shared_ptr<windowing::CheckBox> ChkReceive;
    std::shared_ptr<windowing::Frame> FrmOther;
    std::shared_ptr<windowing::CheckBox> ChkAmount;
    std::shared_ptr<windowing::CheckBox> ChkFilter;
    std::shared_ptr<windowing::CommandButton> CmdOK;
    std::shared_ptr<windowing::CommandButton> CmdCancel;

  protected:
    void Form_Load() override;

  private:
    // A box placed in `frame`, `top` twips below the frame's top edge.
    std::shared_ptr<windowing::CheckBox> AddBox(const char* name, windowing::Frame& frame,
                                                int32_t top);
    void SetCaptions();
    void SetBoxFromOption(windowing::CheckBox& box, const char* key);
    void BillBox_Click();
    void CmdOK_Click();
    void CmdCancel_Click();

    automation::DictionaryPtr m_OrderOption;
    int32_t m_ClassTypeID = 0;
    bool m_SelChange = false;
    bool m_SelOK = false;
    // True while the dialog sets its own boxes: those clicks are not the user's.
    bool m_Loading = false;
};

}  // namespace trackquery
