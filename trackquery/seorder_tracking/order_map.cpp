// The document map of the selected order entry's course, with amounts as the view shows them.

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/order_map_opening.h>

namespace trackquery {

void CSeOrderQuery::OpenOrderMap() {
    if (m_FInterID < 1 || m_FEntryID < 1) {
        InformationBox(LoadResText("请先选择一条订单分录。"));
        return;
    }
    auto para = std::make_shared<automation::Dictionary>();
    para->SetItem("FInterID", m_FInterID);
    para->SetItem("FEntryID", m_FEntryID);
    para->SetItem("FClassTypeID", m_ClassTypeID);
    para->SetItem("ShowAmount", AmountsShown());
    ShowOrderMap(para, m_CheckUserGroup, "xs");
}

}  // namespace trackquery
