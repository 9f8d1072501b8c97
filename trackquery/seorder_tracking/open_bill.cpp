// Opening the bills of an execution phase in the client's bill windows, and the jump to task order
// tracking for the task orders made for the order. A phase row names its own bill kind
// (FClassTypeID); the bill window browses the phase's bills of that kind, positioned on the one
// clicked.

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <contracts/security.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modTrackQuery.h>
#include <trackquery/services/task_order_kinds.h>
#include <trackquery/services/user_groups.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <cstdlib>
#include <vector>

namespace trackquery {

namespace {

using automation::Variant;

constexpr const char* kCallDetailBillSource = "QzICMOTrackQuery.CSeOrderQuery.CallDetailBill";
constexpr const char* kSelectTaskOrder = "请先展开任务单执行环节并选中一条任务单";
// Class types above this are class-template bills.
constexpr int32_t kLastTransactionType = 9999;

int32_t CellNumber(const DetailRowPtr& row, const char* key) {
    auto cell = row->Cell(key);
    if (!cell) automation::Raise(automation::vberr::ObjectVariableNotSet, "", key);
    return automation::CLngOr(cell->Value);
}

// The rows of a phase node that a bill window browses with the clicked one: those of the same
// kind (and for task orders of the same repetitive or other type), in node order.
struct BrowsedRows {
    std::vector<int32_t> ids;
    int32_t clickedPosition = 0;
};

BrowsedRows RowsLike(const DetailNodePtr& node, const DetailRowPtr& clicked, int32_t kind,
                     bool sameFType) {
    BrowsedRows browsed;
    const int32_t clickedFType = sameFType ? CellNumber(clicked, "FType") : 0;
    for (const auto& item : node->Rows()) {
        auto row = std::dynamic_pointer_cast<DetailRow>(item);
        if (!row || CellNumber(row, "FClassTypeID") != kind) continue;
        if (sameFType && CellNumber(row, "FType") != clickedFType) continue;
        browsed.ids.push_back(CellNumber(row, "FInterID"));
        if (row == clicked) browsed.clickedPosition = static_cast<int32_t>(browsed.ids.size());
    }
    return browsed;
}

}  // namespace

void CSeOrderQuery::DetailDblClick(const automation::ObjectPtr& objSelection, bool& bCancelExpand) {
    (void)bCancelExpand;
    if (!objSelection || std::dynamic_pointer_cast<DetailNode>(objSelection)) return;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(objSelection)) CallDetailBill(row);
}

bool CSeOrderQuery::CallDetailBill(const DetailRowPtr& row) {
    try {
        auto node = row->ParentNode();
        if (!node) return false;
        const int32_t type = node->KeyType();
        if (type == 11620 || type == 11621 || type <= 0) return false;
        // Write-off lines (and anything else without a kind of its own) are no bills.
        const int32_t kind = CellNumber(row, "FClassTypeID");
        if (kind <= 0) return false;
        if (m_CheckUserGroup && SharedGroupsWithBiller(CellNumber(row, "FBillerID")) == 0) {
            ShowMessage(LoadResText("对不起，你没有相应的用户组权限!"));
            return false;
        }
        if (kind > kLastTransactionType) return OpenClassTemplateBill(row, node, kind);
        return OpenOrdinaryBill(row, node, kind);
    } catch (const automation::RuntimeError& error) {
        if (error.Number() == 0) return false;
        automation::RaiseAgain(error, kCallDetailBillSource);
    }
}

bool CSeOrderQuery::OpenClassTemplateBill(const DetailRowPtr& row, const DetailNodePtr& node,
                                          int32_t kind) {
    const BrowsedRows browsed = RowsLike(node, row, kind, false);
    return ShowClassTemplateBill(kind, browsed.ids, browsed.clickedPosition,
                                 CellNumber(row, "FInterID"));
}

bool CSeOrderQuery::OpenOrdinaryBill(const DetailRowPtr& row, const DetailNodePtr& node,
                                     int32_t kind) {
    const automation::VectorPtr keyFields = NewBillKeyFields();
    const bool taskOrder = kind == 85;
    const int32_t fType = taskOrder ? CellNumber(row, "FType") : 0;
    int32_t kindType = 0;
    std::string message;
    if (!CheckAccess(kind, kActionView, kindType, message)) {
        ShowMessage(message);
        return false;
    }
    // Without the modify right the bill opens for viewing (2); repetitive task orders always do.
    int32_t mode = 2;
    int32_t modifyKindType = 0;
    std::string modifyMessage;
    if (CheckAccess(kind, kActionModify, modifyKindType, modifyMessage)) {
        mode = taskOrder && fType == kRepetitiveTaskOrderType ? 2 : 1;
    }
    const BrowsedRows browsed = RowsLike(node, row, kind, taskOrder);
    RecordsetPtr list =
        NewBrowseList("FInterID", "FTranType", browsed.ids, kind, browsed.clickedPosition);
    bool changed = false;
    ShowBillList(list, keyFields, 1, 0, kindType, std::abs(kind), mode, 0, changed,
                 ModuleOfTrackedBill(kind));
    return true;
}

void CSeOrderQuery::ViewICMOTrack() {
    try {
        if (m_FInterID < 1) return;
        auto row = std::dynamic_pointer_cast<DetailRow>(Viewer()->SelectedDetailRow());
        auto node = row ? row->ParentNode() : nullptr;
        if (!node || node->Key != "85") {
            InformationBox(LoadResText(kSelectTaskOrder));
            return;
        }
        const int32_t kind = CellNumber(row, "FClassTypeID");
        const int32_t fType = kind == 85 ? CellNumber(row, "FType") : 0;
        if (kind != 85 && kind != 571) {
            InformationBox(LoadResText(kSelectTaskOrder));
            return;
        }
        if (!NewGLData()->AccessCheck(1022, 105, kActionView)) {
            InformationBox(LoadResText("对不起，你没有相应的权限！"));
            return;
        }
        // Repetitive task orders are tracked apart from the others.
        const bool repetitive = kind == 85 && fType == kRepetitiveTaskOrderType;
        std::vector<Variant> ids;
        std::string placeholders;
        for (const auto& item : node->Rows()) {
            auto other = std::dynamic_pointer_cast<DetailRow>(item);
            if (!other || CellNumber(other, "FClassTypeID") != kind) continue;
            if (kind == 85 &&
                (CellNumber(other, "FType") == kRepetitiveTaskOrderType) != repetitive)
                continue;
            ids.emplace_back(CellNumber(other, "FInterID"));
            placeholders += placeholders.empty() ? "?" : ",?";
        }
        if (ids.empty()) {
            InformationBox(LoadResText(kSelectTaskOrder));
            return;
        }
        RecordsetPtr rs = automation::CreateObject<IAppConnection>(kAppConnectionProgId)
                              ->Execute(
                                  "SELECT FInterID, FBillNo, FStatus, FCancellation,FSuspend \n"
                                  "FROM ICMO WHERE FInterID IN (" +
                                      placeholders + ")",
                                  ids);
        if (!rs) {
            InformationBox(LoadResText("读取订单相关的任务单数据失败！"));
            return;
        }
        if (rs->RecordCount() == 0) {
            InformationBox(LoadResText("没有与订单相关的任务单！"));
            return;
        }

        auto status = std::make_shared<automation::Dictionary>();
        status->SetItem("CallBySETrack", true);
        auto bills = std::make_shared<automation::Vector>();
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            auto bill = std::make_shared<automation::Dictionary>();
            bill->SetItem("FInterID", rs->Value("FInterID"));
            bill->SetItem("FBillNo", rs->Value("FBillNO"));
            bill->SetItem("FStatus", rs->Value("FStatus"));
            bill->SetItem("FCancellation", rs->Value("FCancellation"));
            bill->SetItem("FSuspend", rs->Value("FSuspend"));
            bills->Add(bill);
            auto entry = std::make_shared<automation::Dictionary>();
            entry->SetItem("FStatus", rs->Value("FStatus"));
            entry->SetItem("FSuspend", rs->Value("FSuspend"));
            entry->SetItem("FCancellation", rs->Value("FCancellation"));
            status->SetItem(automation::CStr(rs->Value("FInterID")), entry);
        }
        auto tracker = automation::CreateObject<ICICMOQuery>(kProgIdCICMOQuery);
        tracker->SetTranType(TaskOrderTranTypeOf(kind, fType));
        tracker->InitTrack(nullptr, 0, nullptr, bills, status);
    } catch (const automation::RuntimeError& error) {
        InformationBox(error.Description());
    }
}

}  // namespace trackquery
