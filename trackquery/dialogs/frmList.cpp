// The list selection dialog.

#include <trackquery/dialogs/frmList.h>

#include <trackquery/services/MMTS.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

namespace trackquery {

frmList::frmList() : windowing::Form("frmList") {
    SetCaption("##");
    ICListSel = automation::CreateObject<IICList>(kICListProgId);
    // The control must not keep the form alive: the handler reaches it through `this` only.
    ICListSel->OnCommand = [this](const std::string& command) { ICListSel_Command(command); };
}

frmList::~frmList() {
    if (ICListSel) ICListSel->OnCommand = nullptr;
}

void frmList::InitData() {
    if (!ICListSel->OpenList()) {
        m_OpenFailure = ICListSel->OpenFailure();
        return;
    }
    m_OpenFailure.clear();
    m_OK = ICListSel->IsReadyToShow();
    const auto descriptions = ICListSel->ListDescriptions();
    const auto list = descriptions->Item(1).As<automation::Dictionary>();
    if (!list) automation::Raise(automation::vberr::ObjectRequired, kICListProgId);
    SetCaption(automation::CStr(list->Item("FName")) +
               LoadResText("序时薄", kResSpaceLeadInEnglish));
}

void frmList::Form_Load() {
    SetFormFont(*this);
    ICListSel->Left = 0;
    ICListSel->Top = 0;
    ICListSel->InForm = true;
    m_OK = false;
}

void frmList::Form_Activate() {
    if (m_OK)
        SetVisible(true);
    else
        Unload();
}

void frmList::Form_Resize() {
    if (ScaleHeight() > 0) ICListSel->Height = ScaleHeight();
    if (ScaleWidth() > 0) ICListSel->Width = ScaleWidth();
}

void frmList::Form_QueryUnload(int16_t& Cancel, int16_t /*UnloadMode*/) { Cancel = 0; }

void frmList::Form_Unload(int16_t& Cancel) {
    Cancel = 0;
    m_OK = false;
    try {
        ICListSel->Cleanup();
    } catch (const automation::RuntimeError&) {
        // Unloading never fails: a list control that cannot clean up is let go as it is.
    }
}

void frmList::ICListSel_Command(const std::string& command) {
    if (command == "SelectOK") {
        if (!ICListSel->CanTakeSelection()) return;
        m_OK = true;
        Hide();
    } else if (command == "Exit") {
        Hide();
        m_OK = false;
    }
}

}  // namespace trackquery
