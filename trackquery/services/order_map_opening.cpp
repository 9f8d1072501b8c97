#include <trackquery/services/order_map_opening.h>

#include <contracts/erp_kinds.h>
#include <contracts/security.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modTrackQuery.h>
#include <trackquery/services/task_order_kinds.h>
#include <trackquery/services/user_groups.h>

#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <cstdlib>

namespace trackquery {

namespace {

// Class types above this are class-template bills.
constexpr int32_t kLastTransactionType = 9999;
// Write-off lines carry this kind; they are no bills.
constexpr int32_t kWriteOffKind = -10000;

// The module whose bill window shows a kind; `fallback` for kinds of the tracker's own module.
std::string ModuleOf(int32_t kind, const std::string& fallback) {
    switch (std::abs(kind)) {
        case 2:
        case 5:
        case 24:
        case 28:
            return "Stock";
        default: {
            const std::string module = ModuleOfTrackedBill(std::abs(kind));
            return module.empty() ? fallback : module;
        }
    }
}

bool OpenOrdinaryBill(const MapBill& bill, const std::string& subsystem) {
    int32_t kindType = 0;
    std::string message;
    if (!CheckAccess(bill.kind, kActionView, kindType, message)) {
        ShowMessage(message);
        return false;
    }
    // Without the modify right the bill opens for viewing (2); repetitive task orders always do.
    int32_t modifyKindType = 0;
    std::string modifyMessage;
    int32_t mode = 2;
    if (CheckAccess(bill.kind, kActionModify, modifyKindType, modifyMessage)) {
        mode = bill.taskOrderType == kRepetitiveTaskOrderType ? 2 : 1;
    }
    const int32_t kind = std::abs(bill.kind);
    RecordsetPtr list = NewBrowseList("FInterID", "FTranType", {bill.interId}, kind, 1);
    bool changed = false;
    ShowBillList(list, NewBillKeyFields(), 1, 0, kindType, kind, mode, 0, changed,
                 ModuleOf(bill.kind, subsystem));
    return true;
}

}  // namespace

bool OpenMapBill(const MapBill& bill, bool checkUserGroup, const std::string& subsystem) {
    if (bill.kind == kWriteOffKind || bill.kind == 0 || bill.interId <= 0) return false;
    if (checkUserGroup && SharedGroupsWithBiller(bill.billerId) == 0) {
        ShowMessage(LoadResText("对不起，你没有相应的用户组权限!"));
        return false;
    }
    if (bill.kind > kLastTransactionType) {
        return ShowClassTemplateBill(bill.kind, {bill.interId}, 1, bill.interId);
    }
    return OpenOrdinaryBill(bill, subsystem);
}

void ShowOrderMap(const automation::DictionaryPtr& para, bool checkUserGroup,
                  const std::string& subsystem) {
    try {
        auto map = automation::CreateObject<IOrderMap>(kProgIdOrderMap);
        map->Show(GetPropsString(), para, [checkUserGroup, subsystem](const MapBill& bill) {
            try {
                return OpenMapBill(bill, checkUserGroup, subsystem);
            } catch (const automation::RuntimeError& error) {
                InformationBox(error.Description());
                return false;
            }
        });
    } catch (const automation::RuntimeError& error) {
        InformationBox(error.Description());
    }
}

}  // namespace trackquery
