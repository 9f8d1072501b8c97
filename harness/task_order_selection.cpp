#include "task_order_selection.h"

#include "erp_database_open.h"

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <stdexcept>

namespace harness {

namespace {

using automation::Variant;

const SubSystem& SubSystemOf(const std::string& subId) {
    for (const auto& sub : kSubSystems) {
        if (automation::EqualsIgnoreCase(sub.id, subId)) return sub;
    }
    throw std::runtime_error("unknown sub-system \"" + subId + "\"");
}

void Append(TaskOrderSelection& selection, const adodb::Recordset& row) {
    auto bill = std::make_shared<automation::Dictionary>();
    const int32_t interId = automation::CLng(row.Value("FInterID"));
    bill->SetItem("FInterID", interId);
    bill->SetItem("FBillNo", automation::CStr(row.Value("FBillNo")));
    selection.bills->Add(bill);

    auto status = std::make_shared<automation::Dictionary>();
    for (const char* field : {"FStatus", "FSuspend", "FCancellation"}) {
        status->SetItem(field, automation::CLng(row.Value(field)));
    }
    selection.status->SetItem(std::to_string(interId), status);
}

const char* kColumns = "SELECT FInterID, FBillNo, FStatus, FSuspend, FCancellation FROM ICMO ";

}  // namespace

int32_t LookUpUserId(adodb::Connection& erp, const std::string& userName) {
    auto user = QueryErp(erp, "SELECT FUserID, FForbidden FROM t_User WHERE FName = ?", {userName});
    if (user->Eof()) {
        throw std::runtime_error("there is no user named \"" + userName + "\" in the database");
    }
    if (automation::CLng(user->Value("FForbidden")) != 0) {
        throw std::runtime_error("the user \"" + userName + "\" is forbidden to log in");
    }
    return automation::CLng(user->Value("FUserID"));
}

TaskOrderSelection SelectTaskOrders(adodb::Connection& erp, const std::string& subId,
                                    const std::vector<std::string>& billNumbers) {
    const SubSystem& sub = SubSystemOf(subId);
    const std::string kind = sub.kindCondition;
    TaskOrderSelection selection;
    selection.bills = std::make_shared<automation::Vector>();
    selection.status = std::make_shared<automation::Dictionary>();

    if (billNumbers.empty()) {
        auto rows = QueryErp(erp, kColumns + ("WHERE " + kind + " ORDER BY FBillNo LIMIT ?"),
                             {Variant(kMaxTaskOrders + 1)});
        for (; !rows->Eof(); rows->MoveNext()) {
            if (selection.bills->Count() == kMaxTaskOrders) {
                selection.truncated = true;
                break;
            }
            Append(selection, *rows);
        }
        return selection;
    }

    for (const auto& number : billNumbers) {
        auto row = QueryErp(erp, kColumns + ("WHERE FBillNo = ? AND " + kind), {number});
        if (row->Eof()) {
            throw std::runtime_error("\"" + number + "\" is not a task order of sub-system " +
                                     std::string(sub.id) + " (" + sub.kindName +
                                     " task orders) in the database");
        }
        const std::string key = std::to_string(automation::CLng(row->Value("FInterID")));
        if (!selection.status->Exists(key)) Append(selection, *row);
    }
    return selection;
}

}  // namespace harness
