#include <trackquery/services/task_order_kinds.h>

#include <platform/automation/strings.h>

namespace trackquery {

namespace {

constexpr TaskOrderKind kKinds[] = {
    {-85, "CJ", "ICMOTrack", "生产任务单", "FTranType=85 AND FScheduleID=0", kTaskOrderList,
     " v1.FTrantype=85 AND v1.FScheduleID=0 ", 10, 207, 1, 85, "ShopFloor"},
    {-54, "REPM", "REPICMOTrack", "重复生产任务单", "FTranType=85 AND FScheduleID<>0",
     kTaskOrderList, " v1.FTrantype=85 AND v1.FScheduleID<>0 ", 10, 207, 2, 85, "REPM"},
    {-571, "SUBC", "WWICMOTrack", "委外加工生产任务单", "FTranType=571 ", kOutsourcedTaskOrderList,
     " v1.FTrantype=571 ", 88, 971, 1, 571, "SubContractor"},
};

}  // namespace

const TaskOrderKind* TaskOrderKindOf(int32_t tranType) {
    for (const auto& kind : kKinds) {
        if (kind.tranType == tranType) return &kind;
    }
    return nullptr;
}

const TaskOrderKind* TaskOrderKindOfSubsystem(const std::string& subId) {
    const std::string wanted = automation::UCase(subId);
    for (const auto& kind : kKinds) {
        if (wanted == kind.subId) return &kind;
    }
    return nullptr;
}

int32_t TaskOrderTranTypeOf(int32_t transactionType, int32_t fType) {
    if (transactionType == 85 && fType == kRepetitiveTaskOrderType) return -54;
    return -transactionType;
}

bool IsTaskOrderBillKind(int32_t kind) { return kind == -85 || kind == -571; }

std::string ModuleOfTrackedBill(int32_t tranType) {
    switch (tranType) {
        case 21:
        case 80:
        case 81:
        case 82:
        case 86:
            return "xs";
        default: {
            const TaskOrderKind* kind = TaskOrderKindOf(-tranType);
            return kind && kind->billTranType == tranType ? kind->moduleName : "";
        }
    }
}

}  // namespace trackquery
