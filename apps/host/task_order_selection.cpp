#include "task_order_selection.h"

#include <client/erp_database/sqlite_database.h>

#include <platform/automation/strings.h>

#include <filesystem>
#include <stdexcept>

namespace apps {

namespace {

namespace erp = client::erp_database;

const SubSystem& SubSystemOf(const std::string& subId) {
    for (const auto& sub : kSubSystems) {
        if (automation::EqualsIgnoreCase(sub.id, subId)) return sub;
    }
    throw std::runtime_error("unknown sub-system \"" + subId + "\"");
}

void Append(TaskOrderSelection& selection, erp::Statement& row) {
    auto bill = std::make_shared<automation::Dictionary>();
    const auto interId = static_cast<int32_t>(row.ColumnInt(0));
    bill->SetItem("FInterID", interId);
    bill->SetItem("FBillNo", row.ColumnText(1));
    selection.bills->Add(bill);

    auto status = std::make_shared<automation::Dictionary>();
    status->SetItem("FStatus", static_cast<int32_t>(row.ColumnInt(2)));
    status->SetItem("FSuspend", static_cast<int32_t>(row.ColumnInt(3)));
    status->SetItem("FCancellation", static_cast<int32_t>(row.ColumnInt(4)));
    selection.status->SetItem(std::to_string(interId), status);
}

const char* kColumns = "SELECT FInterID, FBillNo, FStatus, FSuspend, FCancellation FROM ICMO ";

}  // namespace

void CheckErpDatabase(const std::string& databasePath) {
    if (!std::filesystem::is_regular_file(databasePath)) {
        throw std::runtime_error("the database \"" + databasePath +
                                 "\" does not exist (create one with: trackquery demo-db --out " +
                                 databasePath + ")");
    }
    try {
        erp::SqliteDatabase db(databasePath, false);
        db.QueryInt("SELECT COUNT(*) FROM ICMO WHERE 0");
        db.QueryInt("SELECT COUNT(*) FROM t_User WHERE 0");
    } catch (const std::exception&) {
        throw std::runtime_error("\"" + databasePath +
                                 "\" is not an ERP database of this program (no task order or "
                                 "user table)");
    }
}

int32_t LookUpUserId(const std::string& databasePath, const std::string& userName) {
    erp::SqliteDatabase db(databasePath, false);
    auto user = db.Prepare("SELECT FUserID, FForbidden FROM t_User WHERE FName = ?1");
    if (!user.Query({userName})) {
        throw std::runtime_error("there is no user named \"" + userName + "\" in the database");
    }
    if (user.ColumnInt(1) != 0) {
        throw std::runtime_error("the user \"" + userName + "\" is forbidden to log in");
    }
    return static_cast<int32_t>(user.ColumnInt(0));
}

TaskOrderSelection SelectTaskOrders(const std::string& databasePath, const std::string& subId,
                                    const std::vector<std::string>& billNumbers) {
    const SubSystem& sub = SubSystemOf(subId);
    const std::string kind = sub.kindCondition;
    TaskOrderSelection selection;
    selection.bills = std::make_shared<automation::Vector>();
    selection.status = std::make_shared<automation::Dictionary>();
    erp::SqliteDatabase db(databasePath, false);

    if (billNumbers.empty()) {
        auto rows = db.Prepare(kColumns + ("WHERE " + kind + " ORDER BY FBillNo LIMIT ?1"));
        for (bool more = rows.Query({int64_t{kMaxTaskOrders} + 1}); more; more = rows.Next()) {
            if (selection.bills->Count() == kMaxTaskOrders) {
                selection.truncated = true;
                break;
            }
            Append(selection, rows);
        }
        return selection;
    }

    auto row = db.Prepare(kColumns + ("WHERE FBillNo = ?1 AND " + kind));
    for (const auto& number : billNumbers) {
        if (!row.Query({number})) {
            throw std::runtime_error("\"" + number + "\" is not a task order of sub-system " +
                                     std::string(sub.id) + " (" + sub.kindName +
                                     " task orders) in the database");
        }
        if (!selection.status->Exists(std::to_string(row.ColumnInt(0)))) Append(selection, row);
        row.Reset();
    }
    return selection;
}

}  // namespace apps
