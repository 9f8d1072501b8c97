// Bill invocation through the client's list control, look-up and bill windows.

#include <trackquery/services/modTrackQuery.h>

#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/screen.h>

namespace trackquery {

using automation::CreateObject;
using automation::Dictionary;
using automation::Variant;
using automation::VectorPtr;

namespace {

constexpr char kSelNewBillLogKey[] = "QzICMOTrackQuery.modTrackQuery.CallSelNewBill";
constexpr char kCheckedOrderFilter[] =
    " ISNULL(SEOrder.FCheckerID,0)>0 AND SEOrder.FCancellation = 0 ";
constexpr int32_t kHourglass = 11;
constexpr int32_t kDefaultPointer = 0;

void SetSessionOptions(IBills& bills) {
    bills.SetOpt(automation::CLng(Variant(GetUserIDText())), GetSessionUserName());
}

std::string NewBillTypesOf(int32_t tranType) {
    if (tranType == 75) return "75,76";
    if (tranType == 80) return "80,86";
    return std::to_string(tranType);
}

}  // namespace

VectorPtr CallSelNewBill(int32_t classTypeId, bool showFilter, bool& wholeBill) {
    ProcLog log(kSelNewBillLogKey);
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
            if (!dataSrv->showfilter()) return nullptr;
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
        return selection;
    } catch (const automation::RuntimeError& error) {
        InformationBox(error.Description());
        log.MarkFailed();
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
    } catch (const automation::RuntimeError& error) {
        try {
            ShowMessage(LoadResText(error.Description()));
        } catch (const automation::RuntimeError&) {
            // Without the client's message object there is nobody to tell.
        }
    }
    windowing::Screen().SetMousePointer(kDefaultPointer);
}

bool ShowClassTemplateBill(int32_t classTypeId, const std::vector<int32_t>& billIds,
                           int32_t position, int32_t billId) {
    RecordsetPtr classType =
        CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery)
            ->GetRs(GetPropsString(),
                    " SELECT FClassTypeKey,FPrimaryKey FROM ICClassType WHERE FID=" +
                        std::to_string(classTypeId));
    if (!classType) automation::Raise(automation::vberr::ObjectVariableNotSet, kProgIdGetICMOQuery);
    const std::string primaryKey = automation::CStr(classType->Value("FPrimaryKey"));
    const std::string classTypeKey = automation::CStr(classType->Value("FClassTypeKey"));

    auto dataSrv = CreateObject<IDataSrv>(kDataSrvProgId);
    dataSrv->ClassTypeID = classTypeId;
    const automation::DictionaryPtr classRow = dataSrv->classtype();
    if (!CheckAccessRow(classRow, kActionView, true)) return false;
    int32_t mode = CheckAccessRow(classRow, kActionModify, false) ? 2 : 0;

    RecordsetPtr list = NewBrowseList(primaryKey, classTypeKey, billIds, classTypeId, position);
    auto manager = CreateObject<IClassInfoManager>(kClassInfoManagerProgId);
    manager->DataSrv = dataSrv;
    manager->ISNetControl = true;
    manager->ISCheckRight = true;
    manager->ItemID = list;
    manager->Show(billId > 0 ? Variant(billId) : list->Value(primaryKey), Variant(), mode);
    return true;
}

}  // namespace trackquery
