#include <trackquery/services/user_groups.h>

#include <contracts/security.h>
#include <trackquery/services/MParse.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <string>

namespace trackquery {

namespace {

int32_t CountOf(const std::string& sql, int32_t otherId) {
    auto connection = automation::CreateObject<IAppConnection>(kAppConnectionProgId);
    auto rs =
        connection->Execute(sql, {automation::Variant(GetUserID()), automation::Variant(otherId)});
    if (!rs) automation::Raise(automation::vberr::ObjectVariableNotSet, kAppConnectionProgId);
    return automation::CLng(rs->Value("Num"));
}

}  // namespace

int32_t SharedGroupsWithBiller(int32_t billerId) {
    return CountOf(
        " SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID=? AND FGroupID IN (\n"
        " SELECT FGroupID FROM t_Group WHERE FGroupID<>0 AND FUserID=?)",
        billerId);
}

int32_t SharedGroupsWithTaskOrderBiller(int32_t taskOrderId) {
    return CountOf(
        " SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID=? AND FGroupID IN (\n"
        " SELECT t2.FGroupID FROM ICMO t1 INNER JOIN t_Group t2 ON t1.FBillerID=t2.FUserID WHERE "
        "t2.FGroupID<>0 AND t1.FInterID=?)",
        taskOrderId);
}

}  // namespace trackquery
