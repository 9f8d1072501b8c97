// The class-template bill components.

#include <components/bills/class_bills.h>

#include <components/bills/bill_window.h>
#include <components/resources/session_captions.h>
#include <components/session/props_string.h>
#include <components/session/session_database.h>
#include <contracts/erp_kinds.h>

#include <platform/adodb/row_dictionary.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>

#include <algorithm>

namespace client {

using automation::Dictionary;
using automation::Variant;

namespace {

bool WholeBillsChosen(const automation::DictionaryPtr& filter) {
    if (!filter) return false;
    return automation::CStr(filter->Item("SelectPage", "")).find(",2,") == std::string::npos;
}

// The statement that lists the bills of a class, with the names a clerk reads them by. The link
// condition is the caller's fixed SQL text; every value is bound.
std::string LookUpSql(int32_t classTypeId, bool wholeBills, const std::string& linkFilter) {
    const std::string link = linkFilter.empty() ? "" : " AND (" + linkFilter + ")";
    const std::string order =
        "SEOrder.FDate, IFNULL(c.FName, '') AS FCustName, "
        "CASE WHEN SEOrder.FStatus = 3 THEN '已关闭' WHEN SEOrder.FStatus > 0 THEN '已审核' "
        "ELSE '未审核' END AS FStatusText";
    const std::string customer = " LEFT JOIN t_Organization c ON c.FCustID=SEOrder.FCustID ";
    if (classTypeId == trackquery::kExportOrderClass && wholeBills)
        return "SELECT SEOrder.FInterID, SEOrder.FBillNo, " + order + " FROM SEOrder" + customer +
               "WHERE SEOrder.FClassTypeID=?" + link + " ORDER BY SEOrder.FBillNo";
    if (classTypeId == trackquery::kExportOrderClass)
        return "SELECT SEOrder.FInterID, SEOrder.FBillNo, d.FEntryID, d.FDetailID, " + order +
               ", it.FNumber AS FItemNumber, it.FName AS FItemName, d.FQty, d.FShipDate "
               "FROM SEOrder INNER JOIN SEOrderExpDetail d ON d.FInterID=SEOrder.FInterID "
               "LEFT JOIN SEOrderEntry e ON e.FInterID=d.FInterID AND e.FEntryID=d.FEntryID "
               "LEFT JOIN t_ICItem it ON it.FItemID=e.FItemID" +
               customer + "WHERE SEOrder.FClassTypeID=?" + link +
               " ORDER BY SEOrder.FBillNo, d.FEntryID, d.FDetailID";
    if (classTypeId == 1000005 || classTypeId == 1000015 || classTypeId == 1000034)
        return "SELECT r.FInterID, r.FBillNo, r.FDate, IFNULL(c.FName, '') AS FCustName "
               "FROM t_RPReceipt r LEFT JOIN t_Organization c ON c.FCustID=r.FCustID "
               "WHERE r.FClassTypeID=? ORDER BY r.FBillNo";
    automation::Raise(automation::vberr::InvalidProcedureCall, trackquery::kBillLookUpProgId,
                      "No bill list for class type " + std::to_string(classTypeId) + ".");
}

}  // namespace

void frmClassFilter::Confirm(bool wholeBills) {
    confirmed_ = true;
    wholeBills_ = wholeBills;
    Hide();
}

void frmClassFilter::Cancel() {
    confirmed_ = false;
    Hide();
}

frmBillLookUp::frmBillLookUp(adodb::RecordsetPtr rows, bool multiSelect, int32_t classTypeId)
    : windowing::Form("frmBillLookUp"),
      rows_(std::move(rows)),
      multiSelect_(multiSelect),
      classTypeId_(classTypeId) {}

void frmBillLookUp::SelectRow(int32_t position) {
    if (position < 1 || position > rows_->RecordCount())
        automation::Raise(automation::vberr::SubscriptOutOfRange, trackquery::kBillLookUpProgId);
    if (!multiSelect_) selected_.clear();
    if (std::find(selected_.begin(), selected_.end(), position) == selected_.end())
        selected_.push_back(position);
}

void frmBillLookUp::Confirm() {
    confirmed_ = !selected_.empty();
    if (confirmed_) Hide();
}

void frmBillLookUp::Cancel() {
    confirmed_ = false;
    Hide();
}

automation::DictionaryPtr DataSrv::classtype() {
    auto cnn = OpenSessionDatabase(SessionPropsString(), DatabaseAccess::ReadOnly);
    auto rs = cnn->Execute("SELECT * FROM ICClassType WHERE FID=?", {Variant(ClassTypeID)});
    if (rs->Eof())
        automation::Raise(automation::vberr::InvalidProcedureCall, trackquery::kDataSrvProgId,
                          "Unknown class type " + std::to_string(ClassTypeID) + ".");
    return adodb::CurrentRowAsDictionary(*rs);
}

bool DataSrv::showfilter() {
    auto dialog = std::make_shared<frmClassFilter>();
    dialog->SetCaption(SessionCaptions()(automation::CStr(classtype()->Item("FName"))));
    dialog->Show(windowing::vbModal);
    const bool confirmed = dialog->Confirmed();
    const bool wholeBills = dialog->WholeBills();
    dialog->Unload();
    if (!confirmed) return false;
    auto filter = std::make_shared<Dictionary>();
    filter->SetItem("HeadSort", "");
    filter->SetItem("EntrySort", "");
    filter->SetItem("SelectPage", wholeBills ? ",1,3," : ",1,2,3,");
    Filter = filter;
    return true;
}

bool BillLookUp::Lookup() {
    VectReturn.reset();
    if (!DataSrv)
        automation::Raise(automation::vberr::ObjectVariableNotSet, trackquery::kBillLookUpProgId);
    auto cnn = OpenSessionDatabase(SessionPropsString(), DatabaseAccess::ReadOnly);
    auto rows =
        cnn->Execute(LookUpSql(ClassTypeID, WholeBillsChosen(DataSrv->Filter), DataSrv->LinkFilter),
                     {Variant(ClassTypeID)});
    auto dialog = std::make_shared<frmBillLookUp>(rows, CanSelectMultiRows, ClassTypeID);
    dialog->SetCaption(SessionCaptions()(automation::CStr(DataSrv->classtype()->Item("FName"))));
    dialog->Show(windowing::vbModal);
    const bool confirmed = dialog->Confirmed();
    auto chosen = dialog->SelectedRows();
    dialog->Unload();
    if (!confirmed) return false;
    auto selection = std::make_shared<automation::Vector>();
    for (const int32_t position : chosen) {
        rows->SetAbsolutePosition(position);
        selection->Add(adodb::CurrentRowAsDictionary(*rows));
    }
    VectReturn = selection;
    return true;
}

void ClassInfoManager::Show(const Variant& billId, const Variant& /*unused*/, int32_t& mode) {
    if (!DataSrv)
        automation::Raise(automation::vberr::ObjectVariableNotSet, trackquery::kDataSrvProgId);
    const auto classType = DataSrv->classtype();
    BillWindowRequest request;
    request.Component = trackquery::kClassInfoManagerProgId;
    request.BillType = DataSrv->ClassTypeID;
    request.ShowMode = mode;
    request.ConnectionString = ConnectionPart(SessionPropsString());
    request.List = ItemID;
    request.IdColumn = automation::CStr(classType->Item("FPrimaryKey"));
    request.TypeColumn = automation::CStr(classType->Item("FClassTypeKey"));
    // The window opens on the bill asked for, wherever the caller left the list.
    if (ItemID && ItemID->RecordCount() > 0 && !billId.IsEmpty()) {
        const int32_t wanted = automation::CLng(billId);
        const auto bookmark = ItemID->Eof() || ItemID->BOF() ? Variant() : ItemID->Bookmark();
        bool found = false;
        for (ItemID->MoveFirst(); !ItemID->Eof(); ItemID->MoveNext())
            if (automation::CLng(ItemID->Value(request.IdColumn)) == wanted) {
                found = true;
                break;
            }
        if (!found) {
            if (bookmark.IsEmpty())
                ItemID->MoveFirst();
            else
                ItemID->SetBookmark(bookmark);
        }
    }
    auto window = std::make_shared<BillWindow>(std::move(request));
    window->Open();
}

}  // namespace client
