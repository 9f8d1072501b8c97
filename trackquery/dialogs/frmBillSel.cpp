// The bill option dialog.

#include <trackquery/dialogs/frmBillSel.h>

#include <contracts/middle_tier.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/WaitCursor.h>
#include <trackquery/services/messages.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/comparison.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

#include <array>

namespace trackquery {

namespace {

// The operation record kind, and the kinds that are only shown under an operation record.
constexpr const char* kOperationRecordKind = "-52";
constexpr std::array<const char*, 6> kPackageKinds = {"-502",    "-582", "-581",
                                                      "1002504", "-710", "-715"};

bool IsPackageKind(const std::string& tag) {
    for (const char* kind : kPackageKinds) {
        if (tag == kind) return true;
    }
    return false;
}

// An option key starts with a three-character prefix; what follows is the bill kind's FID.
std::string KindOfKey(const std::string& key) { return automation::Mid(key, 4); }

}  // namespace

frmBillSel::frmBillSel() : windowing::Form("frmBillSel") {
    SetClientSize(6135, 4965);

    lvwBillType = Add<windowing::ListView>("lvwBillType");
    lvwBillType->Move(120, 120, 4320, 4725);
    lvwBillType->GetColumnHeaders().Add("", "单据名称", 4000);

    cmdAll = Add<windowing::CommandButton>("cmdAll");
    cmdAll->Move(4560, 120, 1335, 375);
    cmdClear = Add<windowing::CommandButton>("cmdClear");
    cmdClear->Move(4560, 600, 1335, 375);
    CmdOK = Add<windowing::CommandButton>("CmdOK");
    CmdOK->Move(4560, 3960, 1335, 375);
    cmdExit = Add<windowing::CommandButton>("cmdExit");
    cmdExit->Move(4560, 4440, 1335, 375);

    // The handlers reach the form through `this` only, so the controls never keep it alive.
    lvwBillType->OnItemCheck = [this](windowing::ListItem& Item) { lvwBillType_ItemCheck(Item); };
    cmdAll->OnClick = [this] { cmdAll_Click(); };
    cmdClear->OnClick = [this] { cmdClear_Click(); };
    CmdOK->OnClick = [this] { CmdOK_Click(); };
    cmdExit->OnClick = [this] { cmdExit_Click(); };
}

std::string frmBillSel::CheckedValueList() const {
    std::string values;
    for (const auto& item : lvwBillType->GetListItems().Items()) {
        if (item->Checked()) values += "'" + item->Key() + "' ,";
    }
    if (!values.empty()) values.pop_back();
    return values;
}

// --- Load ------------------------------------------------------------------------------------

void frmBillSel::Form_Load() {
    m_OK = false;
    try {
        SetFormFont(*this);
        SetCaptions();
        WaitCursor wait;
        LoadBillOptions();
    } catch (const automation::RuntimeError& error) {
        // The list stays as far as it was filled. The user is told, and 确定 is disabled: saving
        // an incomplete list would switch off every kind that could not be listed.
        ReportLoadFailure(error.Description());
    }
}

void frmBillSel::SetCaptions() {
    SetCaption(LoadResText("单据选项设置"));
    lvwBillType->GetColumnHeaders().Item(1).Text = LoadResText("单据名称");
    cmdAll->SetCaption(LoadResText("全选(&S)"));
    cmdClear->SetCaption(LoadResText("全清(&C)"));
    CmdOK->SetCaption(LoadResText("确定(&O)"));
    cmdExit->SetCaption(LoadResText("退出(&E)"));
}

void frmBillSel::LoadBillOptions() {
    RecordsetPtr rsOption;
    {
        auto query = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
        rsOption = query->GetBillOption(GetPropsString(), m_BillType, automation::Variant(m_UserID),
                                        false);
    }
    lvwBillType->GetListItems().Clear();
    lvwBillType->SetCheckboxes(true);
    lvwBillType->SetLabelEdit(windowing::lvwManual);
    lvwBillType->SetView(windowing::lvwReport);
    if (!rsOption) automation::Raise(automation::vberr::ObjectVariableNotSet, kProgIdGetICMOQuery);

    while (!rsOption->BOF() && !rsOption->Eof()) {
        AddBillOptionItem(automation::CStr(rsOption->Value("FKey")),
                          automation::CStr(rsOption->Value("FCaption")),
                          automation::VbEquals(rsOption->Value("FValue"), automation::Variant(1)));
        rsOption->MoveNext();
    }
}

void frmBillSel::AddBillOptionItem(const std::string& key, const std::string& caption,
                                   bool checked) {
    auto item = lvwBillType->GetListItems().Add(key, caption);
    item->SetTag(KindOfKey(key));
    if (checked) {
        item->SetChecked(true);
        item->SetSelected(true);
    }
}

void frmBillSel::ReportLoadFailure(const std::string& description) {
    try {
        CmdOK->SetEnabled(false);
        ShowMessage(LoadResText("获取用户设置失败,原因：") + description);
    } catch (const automation::RuntimeError&) {
        // Nothing more can be told; the dialog stays usable for 退出.
    }
}

// --- Check rules -----------------------------------------------------------------------------

void frmBillSel::lvwBillType_ItemCheck(windowing::ListItem& Item) {
    try {
        const std::string kind = KindOfKey(Item.Key());
        if (kind == kOperationRecordKind && !Item.Checked()) {
            for (const char* package : kPackageKinds) SetCheckedByTag(package, false);
        } else if (IsPackageKind(kind) && Item.Checked()) {
            SetCheckedByTag(kOperationRecordKind, true);
        }
    } catch (const automation::RuntimeError&) {
        // A click on the list never fails the dialog.
    }
}

// A kind that the middle tier does not offer for this option key has no item: nothing changes.
void frmBillSel::SetCheckedByTag(const std::string& tag, bool checked) {
    for (const auto& item : lvwBillType->GetListItems().Items()) {
        if (item->Tag() == tag) item->SetChecked(checked);
    }
}

void frmBillSel::SetAllChecked(bool checked) {
    for (const auto& item : lvwBillType->GetListItems().Items()) item->SetChecked(checked);
}

// --- Buttons ---------------------------------------------------------------------------------

void frmBillSel::cmdAll_Click() { SetAllChecked(true); }

void frmBillSel::cmdClear_Click() { SetAllChecked(false); }

void frmBillSel::CmdOK_Click() {
    // A fresh trap: an error left from earlier must not pass for a failure of this save.
    automation::Err().Clear();
    try {
        m_OK = true;
        const std::string values = CheckedValueList();
        if (automation::Trim(values).empty()) {
            ShowMessage(LoadResText("请选择至少一个单据！"));
            return;
        }
        if (SaveBillOption(values)) {
            Unload();
            return;
        }
        // The server said no. With an error pending it is the caller's to see; without one the
        // dialog simply stays open.
        if (automation::Err().Number != 0) throw automation::Err().ToError();
    } catch (const automation::RuntimeError& error) {
        // Whatever failed reaches the caller with its number and description and no source.
        automation::Raise(error.Number(), "", error.Description());
    }
}

bool frmBillSel::SaveBillOption(const std::string& values) {
    auto writer = automation::CreateObject<CSetICMOQuery>(kProgIdSetICMOQuery);
    return writer->SetBillOption(GetPropsString(), m_BillType, m_UserID, values);
}

void frmBillSel::cmdExit_Click() { Unload(); }

}  // namespace trackquery
