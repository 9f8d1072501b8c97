// Opening a tracked bill from the detail panel in the client's own bill window. The window browses
// every bill of the clicked row's node, positioned on the clicked one. The user must hold the view
// right of the bill kind and, when the user group switch is on, share a user group with the
// bill's biller. Classic bills (negative kinds) open through the bill list component;
// class-template bills through the class-template bill manager.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/bills.h>
#include <contracts/security.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modTrackQuery.h>
#include <trackquery/services/modYqLogMsg.h>
#include <trackquery/services/quiet_failures.h>
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

constexpr const char* kProcedure = "QzICMOTrackQuery.CICMOQuery.CallDetailBill";
constexpr const char* kNoGroupRight = "对不起，你没有相应的用户组权限!";

void ShowText(const std::string& text) { ShowMessage(LoadResText(text)); }

Variant CellValue(const DetailRowPtr& row, const char* key) {
    auto cell = row->Cell(key);
    if (!cell) automation::Raise(automation::vberr::ObjectVariableNotSet);
    return cell->Value;
}

// The bill rows of a node in the order shown, without its totals row.
std::vector<DetailRowPtr> BillRows(const DetailNodePtr& node) {
    std::vector<DetailRowPtr> rows;
    for (const auto& item : node->Rows()) {
        auto row = std::dynamic_pointer_cast<DetailRow>(item);
        if (row && !row->IsTotal) rows.push_back(row);
    }
    return rows;
}

// The internal ids of a node's bills, in the order shown.
std::vector<int32_t> BillIds(const DetailNodePtr& node) {
    std::vector<int32_t> ids;
    for (const auto& row : BillRows(node))
        ids.push_back(automation::CLng(CellValue(row, "FBillInterID")));
    return ids;
}

}  // namespace

void CICMOQuery::DetailDblClick(const automation::ObjectPtr& objSelection, bool& bCancelExpand) {
    (void)bCancelExpand;
    try {
        if (!objSelection || std::dynamic_pointer_cast<DetailNode>(objSelection)) return;
        if (!std::dynamic_pointer_cast<DetailRow>(objSelection)) return;
        CallDetailBill(objSelection);
    } catch (const automation::RuntimeError& error) {
        // A double click that cannot open its bill leaves the view as it is.
        ReportQuietFailure(Viewer(), "QzICMOTrackQuery.CICMOQuery.ITrackQuery_DetailDblClick",
                           error);
    }
}

bool CICMOQuery::CallDetailBill(const automation::ObjectPtr& objSelection) {
    ProcLog log(kProcedure);
    try {
        if (std::dynamic_pointer_cast<DetailNode>(objSelection)) {
            ShowText("请选择对应单据!");
            return false;
        }
        auto row = std::dynamic_pointer_cast<DetailRow>(objSelection);
        return row && OpenBillOfRow(row);
    } catch (const automation::RuntimeError& error) {
        log.MarkFailed();
        automation::RaiseAgain(error, kProcedure);
    }
}

bool CICMOQuery::OpenBillOfRow(const DetailRowPtr& row) {
    if (row->IsTotal) return false;
    auto node = row->ParentNode();
    if (!node) automation::Raise(automation::vberr::ObjectVariableNotSet);
    // Substitution lines are not bills, and operation rows only group operation records.
    if (node->KeyType() == -501) return false;
    if (node->Key == "11620" || node->Key == "11621") return false;

    const int32_t billerId = automation::CLng(CellValue(row, "FBillerID"));
    const int32_t sharedGroups = SharedGroupsWithBiller(billerId);
    const int32_t kind = node->KeyType();
    if (kind < 0) return OpenClassicBill(row, node, kind, sharedGroups);
    return OpenClassTemplateBill(row, node, kind, sharedGroups);
}

bool CICMOQuery::OpenClassicBill(const DetailRowPtr& row, const DetailNodePtr& node, int32_t kind,
                                 int32_t sharedGroups) {
    const automation::VectorPtr keyFields = NewBillKeyFields();
    int32_t kindType = 0;
    std::string viewMessage;
    const bool mayView = CheckAccess(kind, kActionView, kindType, viewMessage);
    const bool allowed = mayView && !(m_CheckUserGroup && sharedGroups == 0);
    if (!allowed) {
        // The user group is named as the reason only when the switch makes it one; otherwise
        // the view check's own refusal says what is missing.
        if (m_CheckUserGroup && sharedGroups == 0) {
            ShowText(kNoGroupRight);
        } else {
            ShowMessage(viewMessage);
        }
        return false;
    }

    const int32_t absKind = std::abs(kind);
    RecordsetPtr list =
        NewBrowseList("FInterID", "FTranType", BillIds(node), absKind, row->Index());

    int32_t modifyKindType = 0;
    std::string modifyMessage;
    const bool mayModify = CheckAccess(kind, kActionModify, modifyKindType, modifyMessage);
    std::string systemName = GetModuleName(absKind);
    if (systemName.empty()) systemName = m_SubID;
    bool changed = false;
    ShowBillList(list, keyFields, 1, 0, kindType, absKind, mayModify ? 1 : 2, 0, changed,
                 systemName);
    return true;
}

bool CICMOQuery::OpenClassTemplateBill(const DetailRowPtr& row, const DetailNodePtr& node,
                                       int32_t kind, int32_t sharedGroups) {
    const int32_t clickedBill = automation::CLng(CellValue(row, "FBillInterID"));
    if (m_CheckUserGroup && sharedGroups == 0) {
        ShowText(kNoGroupRight);
        return false;
    }
    return ShowClassTemplateBill(kind, BillIds(node), 0, clickedBill);
}

}  // namespace trackquery
