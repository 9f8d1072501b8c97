// Bill invocation through the client's list control, look-up and bill windows.

#include <trackquery/services/modTrackQuery.h>

#include <trackquery/contracts/message_helper.h>
#include <trackquery/dialogs/frmList.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/screen.h>

namespace trackquery {

using automation::CreateObject;
using automation::Dictionary;
using automation::Variant;
using automation::VectorPtr;

namespace {

constexpr char kSelBillLogKey[] = "QzICMOTrackQuery.modTrackQuery.CallSelBill";
constexpr char kSelNewBillLogKey[] = "QzICMOTrackQuery.modTrackQuery.CallSelNewBill";
constexpr char kCheckedOrderFilter[] =
    " ISNULL(SEOrder.FCheckerID,0)>0 AND SEOrder.FCancellation = 0 ";
constexpr int32_t kHourglass = 11;
constexpr int32_t kDefaultPointer = 0;

void ShowInformation(const std::string& text) {
    windowing::MsgBox(text, windowing::vbInformation, LoadResText("Velo提示"));
}

// Closes the bill selection's own connection, whatever state the selection ended in.
void CloseQuietly(const adodb::ConnectionPtr& cnn) {
    try {
        if (cnn && cnn->State() == adodb::adStateOpen) cnn->Close();
    } catch (...) {
    }
}

void UnloadQuietly(const std::shared_ptr<frmList>& dialog) {
    try {
        if (dialog) dialog->Unload();
    } catch (...) {
    }
}

// Sets the list dialog's properties in the order the list control expects them.
void PrepareListDialog(frmList& dialog, const std::string& baseInfo, int32_t listId,
                       const adodb::Connection& cnn, const std::string& filter, bool filterFirst) {
    dialog.SetBaseInfo(baseInfo);
    dialog.SetListID(listId);
    dialog.SetListShowStatus(2);
    dialog.SetLocalCnn(cnn.ConnectionString());
    dialog.SetMultiSelect(true);
    dialog.SetDestBillTransType(listId == 32 ? "81" : "");
    dialog.SetSelectFlag(filterFirst ? 1 : 0);
    dialog.SetFilter(filter);
}

VectorPtr NonEmpty(const VectorPtr& selection) {
    return selection && selection->UBound() != 0 ? selection : nullptr;
}

void SetSessionOptions(IBills& bills) {
    bills.SetOpt(automation::CLng(Variant(GetUserIDText())), GetSessionUserName());
}

std::string NewBillTypesOf(int32_t tranType) {
    if (tranType == 75) return "75,76";
    if (tranType == 80) return "80,86";
    return std::to_string(tranType);
}

}  // namespace

VectorPtr CallSelBill(int32_t listId, const std::string& filter, bool filterFirst,
                      bool /*reserved*/) {
    const int32_t log = LogProcStart(kSelBillLogKey);
    VectorPtr selection;
    adodb::ConnectionPtr cnn;
    std::shared_ptr<frmList> dialog;
    try {
        const std::string baseInfo = GetBaseInfo(GetPropsString());
        cnn = std::make_shared<adodb::Connection>();
        cnn->Open(ReadErpSwitch());
        dialog = std::make_shared<frmList>();
        dialog->Load();
        PrepareListDialog(*dialog, baseInfo, listId, *cnn, filter, filterFirst);
        dialog->InitData();
        if (dialog->OK()) {
            dialog->Show(windowing::vbModal);
            windowing::DoEvents();
        }
        if (!dialog->OK()) {
            UnloadQuietly(dialog);
            CloseQuietly(cnn);
            automation::Err().Clear();
            LogProcEnd(log);
            return nullptr;
        }
        selection = dialog->Selected();
        UnloadQuietly(dialog);
        CloseQuietly(cnn);
        LogProcEnd(log);
        return NonEmpty(selection);
    } catch (...) {
        const auto error = automation::ToRuntimeError(std::current_exception());
        // A failed selection must not leave its dialog or its connection behind.
        UnloadQuietly(dialog);
        CloseQuietly(cnn);
        ShowInformation(LoadResText(error.Description()));
        LogProcEnd(log, kLogFailed);
        return NonEmpty(selection);
    }
}

VectorPtr CallSelNewBill(int32_t classTypeId, bool showFilter, bool& wholeBill) {
    const int32_t log = LogProcStart(kSelNewBillLogKey);
    VectorPtr selection;
    try {
        auto dataSrv = CreateObject<IDataSrv>(kDataSrvProgId);
        dataSrv->ClassTypeID = classTypeId;
        if (showFilter) {
            auto hide = std::make_shared<Dictionary>();
            hide->SetItem("HideType", 1);
            hide->SetItem("FCancellation", "FCancellation");
            hide->SetItem("FCheckerID", "FCheckerID");
            dataSrv->dctConditionExtHide = hide;
            dataSrv->LinkFilter = kCheckedOrderFilter;
            if (!dataSrv->showfilter()) {
                LogProcEnd(log);
                return nullptr;
            }
        } else {
            auto pages = std::make_shared<Dictionary>();
            pages->SetItem("HeadSort", "");
            pages->SetItem("EntrySort", "");
            pages->SetItem("SelectPage", ",1,2,3,");
            dataSrv->Filter = pages;
            dataSrv->LinkFilter = kCheckedOrderFilter;
        }
        auto lookUp = CreateObject<IBillLookUp>(kBillLookUpProgId);
        lookUp->ClassTypeID = classTypeId;
        lookUp->CanSelectMultiRows = true;
        lookUp->DataSrv = dataSrv;
        if (lookUp->Lookup()) {
            selection = lookUp->VectReturn;
            const std::string pages =
                dataSrv->Filter ? automation::CStr(dataSrv->Filter->Item("SelectPage", "")) : "";
            // Without the entry page the user picked whole bills.
            if (pages.find(",2,") == std::string::npos) wholeBill = true;
        }
        LogProcEnd(log);
        return selection;
    } catch (...) {
        const auto error = automation::ToRuntimeError(std::current_exception());
        ShowInformation(error.Description());
        LogProcEnd(log, kLogFailed);
        return selection;
    }
}

Variant ShowBill(int32_t billType, bool extended, int32_t showMode, const VectorPtr& stateVector,
                 int32_t billId, int32_t tranType, const std::string& newBillTypes,
                 int32_t /*reserved*/, bool& changed) {
    auto bills = CreateObject<IBills>(extended ? kBillsExProgId : kBillsProgId);
    auto system = CreateObject<ISystemDlg>(kSystemDlgProgId);
    bills->LocalCnn = system->LocalCnn();
    bills->SystemName = "";
    SetSessionOptions(*bills);
    if (!bills->SaveVect) automation::Raise(automation::vberr::ObjectVariableNotSet, kBillsProgId);
    auto saved = bills->SaveVect->Item(1).As<Dictionary>();
    if (!saved) automation::Raise(automation::vberr::ObjectRequired, kBillsProgId);
    if (stateVector) saved->SetItem("StateParm", stateVector);
    if (!saved->Lookup("sDsn")) saved->SetItem("sDsn", GetPropsString());
    if (billId != 0) {
        bills->ListRecordset = NewBillListRecordset(billId, tranType);
        bills->ListRSFieldVect = NewBillKeyFields();
    }
    if (!newBillTypes.empty()) bills->NewBillTransType = newBillTypes;
    bills->Show(billType, showMode);
    changed = bills->billValueChanged;
    return bills->BillReturn;
}

void ShowBillList(const RecordsetPtr& listRs, const VectorPtr& keyFields, int16_t modeExt,
                  int16_t saleMode, int32_t newBillTranType, int32_t showArg1, int32_t showArg2,
                  int16_t splitFlag, bool& changed, const std::string& systemName) {
    windowing::Screen().SetMousePointer(kHourglass);
    try {
        auto system = CreateObject<ISystemDlg>(kSystemDlgProgId);
        if (showArg2 != 0 && (!listRs || listRs->RecordCount() < 1)) {
            windowing::Screen().SetMousePointer(kDefaultPointer);
            return;
        }
        auto bills = CreateObject<IBills>(kBillsProgId);
        bills->LocalCnn = system->LocalCnn();
        bills->SystemName = systemName;
        bills->ListRecordset = listRs;
        bills->NewBillTransType = NewBillTypesOf(newBillTranType);
        if (splitFlag == 1) bills->SplitBill = true;
        bills->ListRSFieldVect = keyFields;
        bills->ShowForModeExt = modeExt;
        SetSessionOptions(*bills);
        bills->TheSaleMode = saleMode;
        bills->Show(showArg1, showArg2);
        if (bills->billValueChanged) changed = true;
    } catch (...) {
        const auto error = automation::ToRuntimeError(std::current_exception());
        try {
            GetMessageHelper()->ShowMessage(LoadResText(error.Description()));
        } catch (...) {
        }
    }
    windowing::Screen().SetMousePointer(kDefaultPointer);
}

}  // namespace trackquery
