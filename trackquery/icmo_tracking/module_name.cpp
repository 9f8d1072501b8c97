// The client module that owns a bill kind: a tracked bill opens in that module's bill window.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <trackquery/services/task_order_kinds.h>

namespace trackquery {

std::string CICMOQuery::GetModuleName(int32_t lTranType) const {
    switch (lTranType) {
        case 2:
        case 5:
        case 24:
        case 28:
        case 41:
        case 137:
            return "Stock";
        case 52:
        case 502:
        case 581:
        case 582:
        case 700:
            return "OPERMANAGE";
        case 54:
            return "REPM";
        case 55:
        case 88:
        case 551: {
            // Task orders and their bills belong to the module the tracking was started from.
            const TaskOrderKind* kind = TaskOrderKindOfSubsystem(m_SubID);
            return kind ? kind->moduleName : "";
        }
        case 571:
            return "SubContractor";
        case 81:
            return "SaleIn";
        case 85:
            return "ShopFloor";
        case 87:
            return "MPS";
        case 701:
        case 703:
        case 713:
        case 714:
            return "QM";
        default:
            return "";
    }
}

}  // namespace trackquery
