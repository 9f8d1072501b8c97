// The document map of the shown task order: the course of the order entry it was made for, or
// its own picks and receipts when it was made for none. Amounts show with the sales order amount
// right, the right the sales order tracker shows them with.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/security.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/order_map_opening.h>
#include <trackquery/services/task_order_kinds.h>

namespace trackquery {

namespace {

constexpr int32_t kAmountAction = 4;

}  // namespace

void CICMOQuery::OpenOrderMap() {
    if (m_FInterID <= 0) {
        InformationBox(LoadResText("请先选择一张任务单。"));
        return;
    }
    auto para = std::make_shared<automation::Dictionary>();
    para->SetItem("ICMOInterID", m_FInterID);
    para->SetItem("ShowAmount", NewGLData()->AccessCheck(1008, 23, kAmountAction));
    const TaskOrderKind* kind = TaskOrderKindOfSubsystem(m_SubID);
    ShowOrderMap(para, m_CheckUserGroup, kind ? kind->moduleName : "");
}

}  // namespace trackquery
