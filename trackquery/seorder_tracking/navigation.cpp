// The order list of sales order tracking and its navigation tree: a root, one node per order and
// one per order entry. Picking an entry shows its head, its execution summary and, when the entry
// changed, empties the phase nodes. The user replaces the list by typing part of an order number
// or by picking orders in the bill list (F7).

#include <trackquery/seorder_tracking/CSeOrderQuery.h>

#include <trackquery/dialogs/bill_selection.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modTrackQuery.h>
#include <trackquery/services/quiet_failures.h>

#include <platform/activebar/tool.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>
#include <platform/windowing/msgbox.h>

namespace trackquery {

namespace {

using automation::Variant;

constexpr int32_t kKeyEnter = 13;
constexpr int32_t kKeyF7 = 118;
// The order list filter of the bill list that F7 opens: checked, uncancelled sales orders.
constexpr const char* kSalesOrderListFilter = " v1.FClassTypeID = 0 AND v1.FCancellation = 0 ";

NavigationNodePtr NewNode(int32_t level, const std::string& parentKey, const std::string& key,
                          const std::string& text, int32_t image, const std::string& itemData) {
    auto node = std::make_shared<NavigationNode>();
    node->Level = level;
    node->ParentKey = parentKey;
    node->Key = key;
    node->Text = text;
    node->Image = image;
    node->SelectedImage = image;
    node->ItemData = itemData;
    return node;
}

std::string RootText(int32_t classTypeId) {
    if (classTypeId == kSalesOrderClass) return LoadResText("销售订单");
    if (classTypeId == kExportOrderClass) return LoadResText("外销订单");
    return LoadResText("无");
}

void FocusTool(const TraceViewerPtr& viewer, const char* key) {
    if (auto tool = viewer->GetTool(key)) tool->SetFocus();
}

}  // namespace

bool CSeOrderQuery::LoadOrderList(const automation::DictionaryPtr& filter) {
    if (!filter) return false;
    try {
        auto status = std::make_shared<automation::Dictionary>();
        for (;;) {
            RecordsetPtr rs = automation::CreateObject<CGetOrderQuery>(kProgIdGetOrderQuery)
                                  ->GetOrderList(GetPropsString(), filter, status);
            const int32_t retCode = automation::CLngOr(status->Item("RetCode", Variant()));
            if (retCode == 1) {
                if (!AskYesNo(LoadResText("您查询的订单超过2000分录，将会影响查询速度，建议您重新录"
                                          "入查询条件。您仍要如此选择吗？"),
                              windowing::vbQuestion)) {
                    return false;
                }
                status->SetItem("Continue", true);
                continue;
            }
            if (retCode == 2) {
                InformationBox(LoadResText(
                    "满足条件的订单太多，订单及明细数量超过32767，请重新录入查询条件！"));
                return false;
            }
            if (!rs) {
                InformationBox(LoadResText("读取订单列表信息失败！"));
                return false;
            }
            if (rs->RecordCount() == 0) {
                InformationBox(LoadResText("订单编号不存在或未审核或没有数据权限，请重新输入！"));
                return false;
            }
            CreateNavigationModel(rs);
            return true;
        }
    } catch (const automation::RuntimeError& error) {
        InformationBox(error.Description());
        return false;
    }
}

bool CSeOrderQuery::CreateNavigationModel(const RecordsetPtr& rs) {
    try {
        const TraceViewerPtr& viewer = Viewer();
        if (!m_NavigationModel) m_NavigationModel = std::make_shared<NavigationModel>();
        m_NavigationModel->Clear();
        viewer->ClearDetailBuffer();
        m_NavigationModel->AddNode(NewNode(0, "", "root", RootText(m_ClassTypeID), 1, "0"));

        if (rs) {
            m_NavigationModel->Updating = true;
            if (rs->RecordCount() > 0) rs->MoveFirst();
            std::string orderKey = "root";
            const bool exportOrders = m_ClassTypeID == kExportOrderClass;
            adodb::FieldReader field(rs);
            for (; !rs->Eof(); rs->MoveNext()) {
                const std::string interId = automation::TextOrEmpty(field["FInterID"]);
                const std::string orderOfRow = "B" + interId;
                if (!automation::EqualsIgnoreCase(orderKey, orderOfRow)) {
                    auto order =
                        NewNode(1, "root", orderOfRow, automation::TextOrEmpty(field["FBillNo"]), 1,
                                automation::TextOrEmpty(field["FCustName"]));
                    order->ItemText = order->ItemData;
                    m_NavigationModel->AddNode(order);
                    orderKey = order->Key;
                }
                const std::string entryId = automation::TextOrEmpty(field["FEntryID"]);
                std::string key = interId + ":" + entryId;
                if (exportOrders) key += ":" + automation::TextOrEmpty(field["FDetailID"]);
                auto entry =
                    NewNode(1, orderKey, key,
                            entryId + "/" + automation::TextOrEmpty(field["FItemNumber"]), 3,
                            automation::TextOrEmpty(field["FItemName"]) + " " +
                                automation::TextOrEmpty(field["FItemModel"]));
                entry->ItemText = entry->ItemData;
                m_NavigationModel->AddNode(entry);
            }
            m_NavigationModel->Updating = false;
        }
        viewer->SetNavigationModel(m_NavigationModel);
        viewer->RefreshView();

        if (m_NavigationModel->NodeCount() < 2) {
            ReadEntryKey("");
        } else {
            // The first entry of the first order.
            ReadEntryKey(m_NavigationModel->NodeItem(3)->Key);
            viewer->SelectNavigationNode(3, true);
        }
        return true;
    } catch (const automation::RuntimeError& error) {
        ReportQuietFailure(Viewer(), "QzICMOTrackQuery.CSeOrderQuery.CreateNavigationModel", error);
        return false;
    }
}

// The order id, entry and detail id of an entry key ("order:entry[:detail]"); all 0 for any other
// key.
void CSeOrderQuery::ReadEntryKey(const std::string& key) {
    auto field = [&](int32_t n) {
        const std::string token = GetNthToken(key, n, ":");
        return token.empty() ? 0 : automation::CLng(Variant(token));
    };
    const bool entry = key.find(':') != std::string::npos;
    m_FInterID = entry ? field(1) : 0;
    m_FEntryID = entry ? field(2) : 0;
    m_FDetailID = entry ? field(3) : 0;
}

void CSeOrderQuery::NavigationClick(bool bHasBuffer) {
    if (!m_frmQuery) return;
    // The panels are one set, filled for the entry shown, so whatever the viewer kept for a node
    // is that set again: only the entry shown now may skip the rebuild. Any other node is shown
    // anew, so that the panels and the ids always belong to the node picked.
    auto node = Viewer()->SelectedNavigationNode();
    const bool showingIt = node && node->Key == m_LastKey && m_FInterID != 0;
    if (bHasBuffer && showingIt) return;
    ShowCurrentEntry(false);
}

void CSeOrderQuery::ShowCurrentEntry(bool bForce) {
    try {
        auto node = Viewer()->SelectedNavigationNode();
        if (!node || node->Key.find(':') == std::string::npos) {
            ReadEntryKey("");
            return;
        }
        ReadEntryKey(node->Key);
        CreateHeadModel();
        Viewer()->SetHeadModel(m_HeadModel);
        LoadOrderSummary();
        if (node->Key != m_LastKey || bForce) ResetPhaseNodes();
        m_LastKey = node->Key;
    } catch (const automation::RuntimeError& error) {
        InformationBox(error.Description());
    }
}

void CSeOrderQuery::NavigationClickSelect() {
    // Entries are shown as soon as they are clicked (NavigationClick).
}

void CSeOrderQuery::NavigationKeyPress(int16_t& KeyCode, int16_t& Shift) {
    // The keys of the navigation tree are left to the viewer.
    (void)KeyCode, (void)Shift;
}

void CSeOrderQuery::MenuTextKeyDown(int32_t lKeyCode, const std::string& sActiveBandName,
                                    const std::string& sText) {
    if (!m_frmQuery) return;
    const std::string band = automation::UCase(sActiveBandName);
    if (lKeyCode == kKeyEnter && band == "BNDFILTER") {
        SelectOrdersByNumber(sText);
    } else if (lKeyCode == kKeyEnter && band == "BNDSEARCH") {
        if (!FindPosition()) FocusTool(Viewer(), "txtPosition");
    } else if (lKeyCode == kKeyF7 && band == "BNDFILTER") {
        SelectOrdersFromList(false);
    }
}

// The orders whose number contains the typed text. A single quote would end the text inside the
// middle tier's statement, so it is refused before any query.
void CSeOrderQuery::SelectOrdersByNumber(const std::string& sText) {
    const std::string text = automation::Trim(sText);
    if (text.empty()) {
        FocusTool(Viewer(), "txtSelectBills");
        return;
    }
    if (text.find('\'') != std::string::npos) {
        InformationBox(LoadResText("选单号不能包含单引号，请重新录入！"));
        FocusTool(Viewer(), "txtSelectBills");
        return;
    }
    if (!CanBePartOfBillNumber(text)) {
        // No order number is that long or holds a control character: nothing to ask for.
        InformationBox(LoadResText("订单编号不存在或未审核或没有数据权限，请重新输入！"));
        FocusTool(Viewer(), "txtSelectBills");
        return;
    }
    auto filter = std::make_shared<automation::Dictionary>();
    filter->SetItem("FBillNo", text);
    filter->SetItem("FClassTypeID", m_ClassTypeID);
    if (!LoadOrderList(filter)) FocusTool(Viewer(), "txtSelectBills");
}

// The bill list of the order class. From the tool bar (approvedOnly) only checked sales orders
// are offered; F7 offers every uncancelled one.
void CSeOrderQuery::SelectOrdersFromList(bool approvedOnly) {
    auto filter = std::make_shared<automation::Dictionary>();
    const bool showFilter = OptionOn("ShowFilter");
    automation::VectorPtr orders;
    if (m_ClassTypeID == kExportOrderClass) {
        bool wholeBill = false;
        orders = CallSelNewBill(kExportOrderClass, showFilter, wholeBill);
        filter->SetItem("SelWholeBill", wholeBill);
    } else {
        orders = CallSelBill(kSalesOrderList,
                             approvedOnly ? std::string(" v1.FStatus>0 AND") + kSalesOrderListFilter
                                          : kSalesOrderListFilter,
                             showFilter, false);
    }
    if (!orders) {
        // A cancelled F7 puts the user back into the number box.
        if (!approvedOnly) FocusTool(Viewer(), "txtSelectBills");
        return;
    }
    filter->SetItem("vctSeOrderList", orders);
    filter->SetItem("FBillNo", "");
    filter->SetItem("FClassTypeID", m_ClassTypeID);
    LoadOrderList(filter);
}

}  // namespace trackquery
