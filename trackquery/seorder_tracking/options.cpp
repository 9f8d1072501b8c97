// The user's sales order tracking options ("QzSeorderTrack_" + the order class): which execution
// phases are shown, whether amounts are, and whether the bill list opens on its filter. Loaded
// from and saved to the middle tier; changed in the order tracking option dialog.

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <trackquery/dialogs/frmOrderOption.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>
#include <platform/windowing/form.h>

namespace trackquery {

namespace {

using automation::Variant;

// The right to see amounts: permission object (type, id) per order class, action 4.
constexpr int32_t kAmountAction = 4;

bool IsTrue(const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return false;
    try {
        return automation::CBool(value);
    } catch (const automation::RuntimeError&) {
        return false;  // a text that is no yes or no switches nothing on
    }
}

automation::DictionaryPtr CopyOf(const automation::DictionaryPtr& options) {
    auto copy = std::make_shared<automation::Dictionary>();
    for (int32_t i = 1; options && i <= options->Count(); ++i) {
        copy->SetItem(options->Key(i), options->ItemAt(i));
    }
    return copy;
}

}  // namespace

std::string CSeOrderQuery::OptionSetName() const {
    return "QzSeorderTrack_" + std::to_string(m_ClassTypeID);
}

// An option the user has never saved counts as on, as the option dialog shows it: the phases
// shown and the summary the middle tier gives then agree.
bool CSeOrderQuery::OptionOn(const std::string& key) const {
    if (!m_dctOption || !m_dctOption->Exists(key)) return true;
    return IsTrue(m_dctOption->Item(key));
}

bool CSeOrderQuery::GetBillOption() {
    m_OptionsRead = false;
    try {
        RecordsetPtr rs = automation::CreateObject<CGetOrderQuery>(kProgIdGetOrderQuery)
                              ->GetBillOption(GetPropsString(), OptionSetName());
        if (!m_dctOption) m_dctOption = std::make_shared<automation::Dictionary>();
        if (!rs) {
            InformationBox(LoadResText("读取用户设置失败，读取数据失败！"));
            return false;
        }
        if (rs->RecordCount() == 0) {
            InformationBox(LoadResText("读取用户设置失败，没有模版数据！"));
            return false;
        }
        rs->MoveFirst();
        for (int32_t i = 1; i <= rs->RecordCount(); ++i) {
            m_dctOption->SetItem(automation::CStr(rs->Value("FKey")), rs->Value("FValue"));
            rs->MoveNext();
        }
        const bool exportOrders = m_ClassTypeID == kExportOrderClass;
        m_AmountRight = NewGLData()->AccessCheck(exportOrders ? 2295 : 1008, exportOrders ? 2 : 23,
                                                 kAmountAction);
        m_OptionsRead = true;
        return true;
    } catch (const automation::RuntimeError& error) {
        InformationBox(LoadResText("获取用户设置失败,原因：") + kLineBreak + error.Description());
        return false;
    }
}

bool CSeOrderQuery::SaveBillOption() {
    try {
        const int32_t userId = GetUserID();
        if (!m_dctOption) {
            InformationBox(LoadResText("保存用户设置失败，没有需要保存的设置包！"));
            return false;
        }
        std::string keys;
        for (int32_t i = 1; i <= m_dctOption->Count(); ++i) {
            if (IsTrue(m_dctOption->ItemAt(i))) keys += "'" + m_dctOption->Key(i) + "',";
        }
        if (automation::Trim(keys).empty()) {
            keys = "'NoKeySetOn'";
        } else {
            keys.pop_back();
        }
        return automation::CreateObject<CSetICMOQuery>(kProgIdSetICMOQuery)
            ->SetBillOption(GetPropsString(), OptionSetName(), userId, keys);
    } catch (const automation::RuntimeError& error) {
        InformationBox(LoadResText("保存用户设置失败，原因：") + kLineBreak + error.Description());
        return false;
    }
}

bool CSeOrderQuery::ShowOption() {
    // Options not read yet are read first. A read that fails has told the user why, and the
    // dialog opens all the same: over the options held (none read: every box checked), so that
    // the user can still choose for this window.
    if (!m_OptionsRead) GetBillOption();
    auto dialog = std::make_shared<frmOrderOption>();
    windowing::UnloadOnExit unload(dialog);
    dialog->SetClassTypeID(m_ClassTypeID);
    // The dialog changes a copy: choices that cannot be saved are not taken.
    dialog->SetOrderOption(CopyOf(m_dctOption));
    dialog->Show(windowing::vbModal);
    if (!dialog->SelOK()) return false;
    const automation::DictionaryPtr saved = m_dctOption;
    m_dctOption = dialog->OrderOption();
    const bool changed = dialog->SelChange();
    // Saved options that could not be read are not written over: the dialog did not show them,
    // and the boxes the user left alone would replace them unseen.
    if (!m_OptionsRead) return changed;
    ProcLog log("QzICMOTrackQuery.CSeOrderQuery.ShowOption");
    if (SaveBillOption()) return changed;
    // Refused (SaveBillOption said why): the view, and the dialog when it opens again, keep the
    // saved options, never showing choices that were not saved as if they were.
    m_dctOption = saved;
    log.MarkFailed();
    return false;
}

bool CSeOrderQuery::IsFieldShown(const std::string& key, const Variant& ctlType) const {
    bool shown = true;
    const std::string upper = automation::UCase(key);
    const bool languageField = upper.find("_CHS") != std::string::npos ||
                               upper.find("_CHT") != std::string::npos ||
                               upper.find("_EN") != std::string::npos;
    if (languageField) {
        const std::string language = automation::UCase(LanguageCode());
        shown = upper.find("_" + (language.empty() ? std::string("CHS") : language)) !=
                std::string::npos;
    }
    const bool amount =
        !ctlType.IsNull() && automation::IsNumeric(ctlType) && automation::CDbl(ctlType) == 4;
    if (amount) shown = OptionOn("ShowAmount") && shown && m_AmountRight;
    return shown;
}

}  // namespace trackquery
