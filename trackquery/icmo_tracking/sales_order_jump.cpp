// The jump from a task order to sales order tracking: a sales or export order row of the detail
// panel opens sales order tracking for that order entry, which then does not offer the jump back.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/erp_kinds.h>
#include <contracts/security.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

namespace trackquery {

namespace {

constexpr const char* kSelectOrderRow = "请先展开销售订单或外销订单节点并选中一条单据。";

automation::Variant CellValue(const DetailRowPtr& row, const char* key) {
    auto cell = row->Cell(key);
    if (!cell) automation::Raise(automation::vberr::ObjectVariableNotSet, "", key);
    return cell->Value;
}

// The order entry of the row as the sales order tracker's order list takes it.
automation::DictionaryPtr OrderOfRow(const DetailRowPtr& row, int32_t classType) {
    auto order = std::make_shared<automation::Dictionary>();
    order->SetItem("FInterID", automation::CDbl(CellValue(row, "FBillInterID")));
    order->SetItem("FBillNo", CellValue(row, "FBillNo"));
    if (classType == kSalesOrderClass) {
        order->SetItem("FEntryID", automation::CDbl(CellValue(row, "FEntryID")));
    } else {
        order->SetItem("FDetailID", automation::CDbl(CellValue(row, "FDetailID")));
    }
    return order;
}

}  // namespace

void CICMOQuery::SEOrderTrack() {
    ProcLog log("QzICMOTrackQuery.CICMOQuery.SEOrderTrack");
    try {
        if (m_FInterID <= 0) return;
        auto row = std::dynamic_pointer_cast<DetailRow>(Viewer()->SelectedDetailRow());
        // The totals row stands for no order: it is no selection.
        if (row && row->IsTotal) row.reset();
        auto node = row ? row->ParentNode() : nullptr;
        if (!node || (node->Key != "-81" && node->Key != "1007100")) {
            InformationBox(LoadResText(kSelectOrderRow));
            return;
        }
        const int32_t classType = std::abs(automation::CLng(automation::Variant(node->Key)));
        if (classType != kSalesOrderClass && classType != kExportOrderClass) {
            InformationBox(LoadResText(kSelectOrderRow));
            return;
        }
        if (!NewGLData()->AccessCheck(1008, 23, 0x100000)) {
            InformationBox(LoadResText("对不起，你没有相应的权限！"));
            return;
        }
        auto orders = std::make_shared<automation::Vector>();
        orders->Add(OrderOfRow(row, classType));
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("ClassTypeID", classType);
        para->SetItem("CallByICMOTrack", true);
        para->SetItem("vctSeOrderList", orders);
        automation::CreateObject<ICSeOrderQuery>(kProgIdCSeOrderQuery)->Load(para);
    } catch (const automation::RuntimeError& error) {
        log.MarkFailed();
        InformationBox(error.Description());
    }
}

}  // namespace trackquery
