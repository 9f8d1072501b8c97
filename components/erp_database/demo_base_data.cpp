// Users, groups, rights, the system profile and the base data of a demo database.

#include <components/erp_database/demo_writer.h>

#include <contracts/security.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace client::erp_database::internal {

namespace {

constexpr int64_t kAllActions = 0x7FFFFFFF;
constexpr int64_t kView = trackquery::kActionView;
constexpr int64_t kModify = trackquery::kActionModify;
constexpr int64_t kAdd = trackquery::kActionAdd;

struct RightGrant {
    int64_t objectType;
    int64_t objectId;  // -1: every object id of the type known to the database
    int64_t mask;
};

}  // namespace

void DemoWriter::WriteUsersAndRights() {
    const std::vector<std::string> userColumns{"FUserID", "FName", "FDescription"};
    Insert("t_User", userColumns, {int64_t{kAdministratorID}, "administrator", "系统管理员"});
    Insert("t_User", userColumns, {int64_t{kPlannerID}, "张三", "生产计划员"});
    Insert("t_User", userColumns, {int64_t{kSalesID}, "李四", "销售员"});
    Insert("t_User", userColumns, {int64_t{kWorkshopID}, "王五", "车间主任"});
    Insert("t_User", userColumns, {int64_t{kWarehouseID}, "赵六", "仓管员"});
    Insert("t_User", userColumns, {int64_t{kGuestID}, "guest", "来宾"});

    const std::vector<std::string> groupColumns{"FGroupID", "FName"};
    Insert("t_UserGroup", groupColumns, {int64_t{0}, "全体用户"});
    Insert("t_UserGroup", groupColumns, {int64_t{1}, "生产组"});
    Insert("t_UserGroup", groupColumns, {int64_t{2}, "销售组"});
    Insert("t_UserGroup", groupColumns, {int64_t{3}, "仓储组"});

    // Everyone is in group 0; the groups 1 to 3 overlap through the administrator and the
    // workshop manager.
    const std::vector<std::pair<int64_t, int64_t>> members{
        {0, kAdministratorID}, {0, kPlannerID},       {0, kSalesID},         {0, kWorkshopID},
        {0, kWarehouseID},     {0, kGuestID},         {1, kAdministratorID}, {1, kPlannerID},
        {1, kWorkshopID},      {2, kAdministratorID}, {2, kSalesID},         {3, kWorkshopID},
        {3, kWarehouseID}};
    for (const auto& [group, user] : members) {
        Insert("t_Group", {"FGroupID", "FUserID"}, {group, user});
    }

    // Rights: the administrator holds everything itself; groups hold what their work needs.
    const std::vector<std::string> rightColumns{"FOwnerType", "FOwnerID", "FObjectType",
                                                "FObjectID", "FAccessMask"};
    Statement objects = db_.Prepare(
        "SELECT DISTINCT FObjectType, FObjectID FROM ICTransActionType UNION "
        "SELECT FObjectType, FObjectID FROM ICClassType UNION "
        "SELECT 1022, 105 UNION SELECT 1008, 23 UNION SELECT 2295, 2 UNION SELECT 1017, 27 "
        "ORDER BY 1, 2");
    std::vector<std::pair<int64_t, int64_t>> allObjects;
    for (bool row = objects.Query({}); row; row = objects.Next()) {
        allObjects.emplace_back(objects.ColumnInt(0), objects.ColumnInt(1));
    }
    for (const auto& [type, id] : allObjects) {
        Insert("t_AccessRight", rightColumns,
               {int64_t{0}, int64_t{kAdministratorID}, type, id, kAllActions});
    }
    const std::vector<std::pair<int64_t, std::vector<RightGrant>>> groupRights{
        {1,
         {{1022, -1, kView | kModify | kAdd},
          {1017, -1, kView},
          {1030, -1, kView | kModify},
          {1040, -1, kView},
          {1005, -1, kView},
          {1006, -1, kView},
          {1022, 105, 32768 | 16}}},
        {2,
         {{1008, -1, kAllActions},
          {2295, -1, kAllActions},
          {1010, -1, kView | kModify},
          {1022, 10, kView},
          {1022, 105, kView}}},
        {3, {{1005, -1, kView}, {1006, -1, kView}, {1007, -1, kView}}}};
    // Grants of one group that reach the same object add up to one row.
    std::map<std::tuple<int64_t, int64_t, int64_t>, int64_t> groupMasks;
    for (const auto& [group, grants] : groupRights) {
        for (const auto& grant : grants) {
            for (const auto& [type, id] : allObjects) {
                if (type != grant.objectType) continue;
                if (grant.objectId >= 0 && id != grant.objectId) continue;
                groupMasks[{group, type, id}] |= grant.mask;
            }
        }
    }
    for (const auto& [key, mask] : groupMasks) {
        const auto& [group, type, id] = key;
        Insert("t_AccessRight", rightColumns, {int64_t{1}, group, type, id, mask});
    }
    // The planner may also view sales orders, granted to the user rather than a group.
    Insert("t_AccessRight", rightColumns,
           {int64_t{0}, int64_t{kPlannerID}, int64_t{1008}, int64_t{23}, kView});

    const std::vector<std::string> profileColumns{"FCategory", "FKey", "FValue"};
    Insert("t_SystemProfile", profileColumns,
           {"IC", "CheckUserGroup", definition_.checkUserGroup ? "1" : "0"});
    Insert("t_SystemProfile", profileColumns, {"IC", "UseShortNumber", "0"});
    Insert("t_SystemProfile", profileColumns, {"Base", "SysDate", definition_.sysDate});
}

void DemoWriter::WriteBaseData() {
    const int64_t n = definition_.taskOrders;
    for (int64_t i = 1; i <= 5; ++i) {
        Insert("t_Stock", {"FStockID", "FNumber", "FName"},
               {i, Number("CK", i), "仓库" + std::to_string(i)});
        Insert("t_Department", {"FDeptID", "FNumber", "FName"},
               {i, Number("BM", i), "生产车间" + std::to_string(i)});
    }
    const int64_t customers = std::clamp<int64_t>(n / 20, 10, 2000);
    for (int64_t i = 1; i <= customers; ++i) {
        Insert("t_Organization", {"FCustID", "FNumber", "FName"},
               {i, Number("KH", i), "客户" + std::to_string(i)});
        customers_.push_back(i);
    }
    for (int64_t i = 1; i <= 10; ++i) {
        Insert("t_Supplier", {"FSupplyID", "FNumber", "FName"},
               {i, Number("GYS", i), "加工商" + std::to_string(i)});
    }

    // Items: the first two fifths are made here (with a BOM, most with a routing), the rest
    // are bought materials, some counted in kilograms with two decimals.
    const int64_t items = std::clamp<int64_t>(n / 10, 30, 5000);
    const int64_t made = items * 2 / 5;
    const std::vector<std::string> itemColumns{"FItemID", "FNumber", "FShortNumber", "FName",
                                               "FModel",  "FUnitID", "FErpClsID",    "FQtyDecimal"};
    for (int64_t id = 1; id <= items; ++id) {
        const bool isMade = id <= made;
        const int64_t unit = isMade ? 4 : (id % 4 == 0 ? 2 : 1);
        const int64_t decimals = unit == 2 ? 2 : 0;
        const std::string number = (isMade ? "01." : "02.") + Number("", id);
        Insert("t_ICItem", itemColumns,
               {id, number, Number("", id), (isMade ? "产品" : "材料") + std::to_string(id),
                "M-" + std::to_string(100 + id % 50), unit, int64_t{isMade ? 2 : 1}, decimals});
        ItemInfo info{id, unit, decimals, 0, 0};
        if (isMade) {
            info.bomId = NextId("ICBOM");
            // Most BOMs are ordinary (50); every seventh is a configured BOM (500).
            Insert("ICBOM", {"FInterID", "FBOMNumber", "FTranType", "FItemID", "FQty", "FBillerID"},
                   {info.bomId, Number("BOM", info.bomId), int64_t{id % 7 == 3 ? 500 : 50}, id, 1.0,
                    int64_t{kPlannerID}});
            if (id % 5 != 4) {
                info.routingId = NextId("t_Routing");
                Insert("t_Routing", {"FInterID", "FRoutingNumber", "FItemID", "FBillerID"},
                       {info.routingId, Number("GY", info.routingId), id, int64_t{kPlannerID}});
                const int64_t steps = 3 + id % 3;
                for (int64_t step = 1; step <= steps; ++step) {
                    const int64_t oper = (step == steps) ? 6 : 1 + (id + step) % 5;
                    Insert("t_RoutingOper", {"FInterID", "FEntryID", "FOperSN", "FOperID"},
                           {info.routingId, step, step * 10, oper});
                    routingOperations_[info.routingId].push_back(oper);
                }
            }
            finishedItems_.push_back(info);
        } else {
            rawItems_.push_back(info);
        }
        for (int64_t stock = 1; stock <= 1 + id % 2; ++stock) {
            Insert("ICInventory", {"FItemID", "FStockID", "FQty"},
                   {id, stock, static_cast<double>(random_.Between(0, 5000))});
        }
    }
    for (const auto& item : finishedItems_) {
        for (int64_t entry = 1; entry <= 3; ++entry) {
            const auto& child = rawItems_[(item.id * 3 + entry) % rawItems_.size()];
            Insert("ICBOMChild", {"FInterID", "FEntryID", "FItemID", "FQty"},
                   {item.bomId, entry, child.id, static_cast<double>(entry)});
        }
    }
}

}  // namespace client::erp_database::internal
