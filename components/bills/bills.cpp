// The bill window components and the system object.

#include <components/bills/bills.h>

#include <components/bills/bill_window.h>
#include <components/session/props_string.h>
#include <components/session/session_database.h>

#include <platform/automation/conversions.h>

namespace client {

namespace {

// The column that the key-field vector marks with `primary` (1 the id, 3 the kind).
std::string KeyColumn(const automation::VectorPtr& keyFields, int32_t primary,
                      const std::string& fallback) {
    if (!keyFields) return fallback;
    for (const auto& item : keyFields->Items()) {
        const auto field = item.As<automation::Dictionary>();
        if (field && automation::CLng(field->Item("FISPrimary", 0)) == primary)
            return automation::CStr(field->Item("FColName", fallback));
    }
    return fallback;
}

}  // namespace

Bills::Bills(std::string progId) : progId_(std::move(progId)) {
    SaveVect = std::make_shared<automation::Vector>();
    SaveVect->Add(std::make_shared<automation::Dictionary>());
}

void Bills::SetOpt(int32_t userId, const std::string& userName) {
    userId_ = userId;
    userName_ = userName;
}

void Bills::Show(int32_t billType, int32_t showMode) {
    BillWindowRequest request;
    request.Component = progId_;
    request.BillType = billType;
    request.ShowMode = showMode;
    request.SystemName = SystemName;
    request.NewBillTransType = NewBillTransType;
    request.SplitBill = SplitBill;
    request.ShowForModeExt = ShowForModeExt;
    request.TheSaleMode = TheSaleMode;
    request.UserID = userId_;
    request.UserName = userName_;
    request.ConnectionString = LocalCnn;
    request.List = ListRecordset;
    request.IdColumn = KeyColumn(ListRSFieldVect, 1, "FInterID");
    request.TypeColumn = KeyColumn(ListRSFieldVect, 3, "FTranType");
    auto window = std::make_shared<BillWindow>(std::move(request));
    billValueChanged = false;
    window->Open();
    BillReturn = window;
}

std::string SystemDlg::LocalCnn() const { return ConnectionPart(SessionPropsString()); }

}  // namespace client
