// The layouts of the bill heads and entry lines.

#include <components/bills/bill_layouts.h>

#include <map>

namespace client {

namespace {

using K = ValueKind;

std::vector<SheetField> Join(std::vector<SheetField> first, const std::vector<SheetField>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The columns every entry statement names for its line and item.
std::vector<SheetField> LineAndItem() {
    return {{"FEntryID", "行号", K::Integer},
            {"FItemNumber", "物料代码"},
            {"FItemName", "物料名称"},
            {"FItemModel", "规格型号"},
            {"FUnitName", "单位"}};
}

std::vector<SheetField> MadeBy() { return {{"FBillerName", "制单人"}}; }
std::vector<SheetField> MadeAndChecked() {
    return {{"FBillerName", "制单人"}, {"FCheckerName", "审核人", K::Text, true}};
}

#define TQ_ITEM_COLUMNS                                                           \
    "it.FNumber AS FItemNumber, it.FName AS FItemName, it.FModel AS FItemModel, " \
    "IFNULL(mu.FName, '') AS FUnitName "
#define TQ_ITEM_JOINS                             \
    "JOIN t_ICItem it ON it.FItemID = e.FItemID " \
    "LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = it.FUnitID "
#define TQ_CHECKED_STATUS(alias) \
    "CASE WHEN " alias ".FStatus > 0 THEN '已审核' ELSE '未审核' END AS FStatusText "
#define TQ_BILLER_JOIN(alias) "LEFT JOIN t_User u ON u.FUserID = " alias ".FBillerID "

BillLayout StockBill() {
    return {
        "SELECT b.FBillNo, IFNULL(t.FName, '') AS FKindName, b.FDate, "
        "IFNULL(d.FName, '') AS FDeptName, IFNULL(c.FName, '') AS FCustName, "
        "IFNULL(s.FName, '') AS FSupplierName, "
        "CASE WHEN b.FCancellation = 1 THEN '作废' WHEN b.FStatus > 0 THEN '已审核' "
        "ELSE '未审核' END AS FStatusText, "
        "IFNULL(u.FName, '') AS FBillerName, IFNULL(k.FName, '') AS FCheckerName "
        "FROM ICStockBill b LEFT JOIN ICTransActionType t ON t.FID = b.FTranType "
        "LEFT JOIN t_Department d ON d.FDeptID = b.FDeptID "
        "LEFT JOIN t_Organization c ON c.FCustID = b.FCustID "
        "LEFT JOIN t_Supplier s ON s.FSupplyID = b.FSupplyID " TQ_BILLER_JOIN(
            "b") "LEFT JOIN t_User k ON k.FUserID = b.FCheckerID WHERE b.FInterID = ?",
        Join({{"FBillNo", "单据编号"},
              {"FKindName", "单据类型", K::Word},
              {"FDate", "日期", K::Date},
              {"FDeptName", "部门", K::Text, true},
              {"FCustName", "客户", K::Text, true},
              {"FSupplierName", "供应商", K::Text, true},
              {"FStatusText", "状态", K::Word}},
             MadeAndChecked()),
        "SELECT e.FEntryID, " TQ_ITEM_COLUMNS
        ", e.FQty, e.FPrice, e.FAmount, "
        "IFNULL(st.FName, '') AS FStockName, "
        "COALESCE(m.FBillNo, o.FBillNo, '') AS FSourceBillNo "
        "FROM ICStockBillEntry e " TQ_ITEM_JOINS
        "LEFT JOIN t_Stock st ON st.FStockID = e.FStockID "
        "LEFT JOIN ICMO m ON m.FInterID = e.FICMOInterID "
        "LEFT JOIN SEOrder o ON o.FInterID = e.FOrderInterID "
        "WHERE e.FInterID = ? ORDER BY e.FEntryID",
        Join(LineAndItem(), {{"FQty", "数量", K::Quantity},
                             {"FPrice", "单价", K::Amount},
                             {"FAmount", "金额", K::Amount},
                             {"FStockName", "仓库"},
                             {"FSourceBillNo", "源单单号"}})};
}

BillLayout SalesOrder() {
    return {
        "SELECT o.FBillNo, CASE WHEN o.FClassTypeID = 1007100 THEN '外销订单' "
        "ELSE '销售订单' END AS FKindName, o.FDate, c.FName AS FCustName, "
        "IFNULL(d.FName, '') AS FDeptName, IFNULL(cu.FName, '') AS FCurrencyName, "
        "o.FExchangeRate, "
        "CASE WHEN o.FCancellation = 1 THEN '作废' WHEN o.FStatus = 3 THEN '已关闭' "
        "WHEN o.FStatus > 0 THEN '已审核' ELSE '未审核' END AS FStatusText, "
        "IFNULL(u.FName, '') AS FBillerName, IFNULL(k.FName, '') AS FCheckerName, o.FNote "
        "FROM SEOrder o LEFT JOIN t_Organization c ON c.FCustID = o.FCustID "
        "LEFT JOIN t_Department d ON d.FDeptID = o.FDeptID "
        "LEFT JOIN t_Currency cu ON cu.FCurrencyID = o.FCurrencyID " TQ_BILLER_JOIN(
            "o") "LEFT JOIN t_User k ON k.FUserID = o.FCheckerID WHERE o.FInterID = ?",
        Join({{"FBillNo", "订单编号"},
              {"FKindName", "单据类型", K::Word},
              {"FDate", "日期", K::Date},
              {"FCustName", "客户"},
              {"FDeptName", "部门", K::Text, true},
              {"FCurrencyName", "币别"},
              {"FExchangeRate", "汇率", K::Rate},
              {"FStatusText", "状态", K::Word}},
             Join(MadeAndChecked(), {{"FNote", "备注", K::Text, true}})),
        "SELECT e.FEntryID, " TQ_ITEM_COLUMNS
        ", e.FQty, e.FPrice, e.FAmount, "
        "e.FDeliveryDate, CASE WHEN e.FMrpClosed = 1 THEN '已关闭' ELSE '未关闭' END "
        "AS FClosedText FROM SEOrderEntry e " TQ_ITEM_JOINS
        "WHERE e.FInterID = ? ORDER BY e.FEntryID",
        Join(LineAndItem(), {{"FQty", "数量", K::Quantity},
                             {"FPrice", "单价", K::Amount},
                             {"FAmount", "金额", K::Amount},
                             {"FDeliveryDate", "交货日期", K::Date},
                             {"FClosedText", "关闭状态", K::Word}})};
}

BillLayout TaskOrder() {
    return {
        "SELECT m.FBillNo, CASE WHEN m.FTranType = 571 THEN '委外加工生产任务单' "
        "WHEN m.FScheduleID <> 0 THEN '重复生产任务单' ELSE '生产任务单' END AS FKindName, "
        "CASE WHEN m.FCancellation = 1 THEN '作废' WHEN m.FSuspend = 1 THEN '挂起' "
        "WHEN m.FStatus = 0 THEN '计划' WHEN m.FStatus IN (1, 2) THEN '下达' "
        "WHEN m.FStatus = 3 THEN '结案' WHEN m.FStatus = 5 THEN '确认' ELSE '' END "
        "AS FStatusText, m.FDate, it.FNumber AS FItemNumber, it.FName AS FItemName, "
        "it.FModel AS FItemModel, IFNULL(mu.FName, '') AS FUnitName, m.FQty, m.FStockQty, "
        "m.FPlanCommitDate, m.FPlanFinishDate, m.FCommitDate, m.FFinishDate, "
        "IFNULL(d.FName, '') AS FWorkShopName, IFNULL(s.FName, '') AS FSupplierName, "
        "IFNULL(bom.FBOMNumber, '') AS FBOMNumber, "
        "IFNULL(r.FRoutingNumber, '') AS FRoutingNumber, IFNULL(o.FBillNo, '') "
        "AS FOrderBillNo, IFNULL(u.FName, '') AS FBillerName, "
        "IFNULL(k.FName, '') AS FCheckerName, m.FNote "
        "FROM ICMO m JOIN t_ICItem it ON it.FItemID = m.FItemID "
        "LEFT JOIN t_MeasureUnit mu ON mu.FMeasureUnitID = m.FUnitID "
        "LEFT JOIN t_Department d ON d.FDeptID = m.FWorkShop "
        "LEFT JOIN t_Supplier s ON s.FSupplyID = m.FSupplyID "
        "LEFT JOIN ICBOM bom ON bom.FInterID = m.FBOMInterID "
        "LEFT JOIN t_Routing r ON r.FInterID = m.FRoutingID "
        "LEFT JOIN SEOrder o ON o.FInterID = m.FOrderInterID " TQ_BILLER_JOIN(
            "m") "LEFT JOIN t_User k ON k.FUserID = m.FCheckerID WHERE m.FInterID = ?",
        Join({{"FBillNo", "任务单号"},
              {"FKindName", "单据类型", K::Word},
              {"FStatusText", "状态", K::Word},
              {"FDate", "日期", K::Date},
              {"FItemNumber", "物料代码"},
              {"FItemName", "物料名称"},
              {"FItemModel", "规格型号"},
              {"FUnitName", "单位"},
              {"FQty", "计划生产数量", K::Quantity},
              {"FStockQty", "完工入库数量", K::Quantity},
              {"FPlanCommitDate", "计划开工日期", K::Date},
              {"FPlanFinishDate", "计划完工日期", K::Date},
              {"FCommitDate", "实际开工日期", K::Date, true},
              {"FFinishDate", "实际完工日期", K::Date, true},
              {"FWorkShopName", "生产车间", K::Text, true},
              {"FSupplierName", "加工单位", K::Text, true},
              {"FBOMNumber", "BOM编号", K::Text, true},
              {"FRoutingNumber", "工艺路线", K::Text, true},
              {"FOrderBillNo", "销售订单", K::Text, true}},
             Join(MadeAndChecked(), {{"FNote", "备注", K::Text, true}})),
        nullptr,
        {}};
}

BillLayout MaterialList() {
    return {"SELECT p.FBillNo, IFNULL(m.FBillNo, '') AS FTaskOrderNo, p.FDate, "
            TQ_CHECKED_STATUS("p") ", IFNULL(u.FName, '') AS FBillerName FROM PPBOM p "
            "LEFT JOIN ICMO m ON m.FInterID = p.FICMOInterID " TQ_BILLER_JOIN("p")
            "WHERE p.FInterID = ?",
            Join({{"FBillNo", "单据编号"},
                  {"FTaskOrderNo", "任务单号"},
                  {"FDate", "日期", K::Date},
                  {"FStatusText", "状态", K::Word}},
                 MadeBy()),
            "SELECT e.FEntryID, " TQ_ITEM_COLUMNS ", e.FQtyMust, e.FQtySupply "
            "FROM PPBOMEntry e " TQ_ITEM_JOINS "WHERE e.FInterID = ? ORDER BY e.FEntryID",
            Join(LineAndItem(), {{"FQtyMust", "应发数量", K::Quantity},
                                 {"FQtySupply", "已发数量", K::Quantity}})};
}

BillLayout Bom() {
    return {"SELECT b.FBOMNumber, it.FNumber AS FItemNumber, it.FName AS FItemName, "
            "it.FModel AS FItemModel, b.FQty, " TQ_CHECKED_STATUS("b")
            ", IFNULL(u.FName, '') AS FBillerName FROM ICBOM b "
            "JOIN t_ICItem it ON it.FItemID = b.FItemID " TQ_BILLER_JOIN("b")
            "WHERE b.FInterID = ?",
            Join({{"FBOMNumber", "BOM编号"},
                  {"FItemNumber", "物料代码"},
                  {"FItemName", "物料名称"},
                  {"FItemModel", "规格型号"},
                  {"FQty", "数量", K::Quantity},
                  {"FStatusText", "状态", K::Word}},
                 MadeBy()),
            "SELECT e.FEntryID, " TQ_ITEM_COLUMNS ", e.FQty FROM ICBOMChild e " TQ_ITEM_JOINS
            "WHERE e.FInterID = ? ORDER BY e.FEntryID",
            Join(LineAndItem(), {{"FQty", "用量", K::Quantity}})};
}

BillLayout Routing() {
    return {
        "SELECT r.FRoutingNumber, it.FNumber AS FItemNumber, it.FName AS FItemName, "
        "IFNULL(u.FName, '') AS FBillerName FROM t_Routing r "
        "JOIN t_ICItem it ON it.FItemID = r.FItemID " TQ_BILLER_JOIN("r") "WHERE r.FInterID = ?",
        Join({{"FRoutingNumber", "工艺路线"},
              {"FItemNumber", "物料代码"},
              {"FItemName", "物料名称"}},
             MadeBy()),
        "SELECT e.FEntryID, e.FOperSN, op.FNumber AS FOperNumber, op.FName AS FOperName "
        "FROM t_RoutingOper e JOIN t_Operation op ON op.FOperID = e.FOperID "
        "WHERE e.FInterID = ? ORDER BY e.FEntryID",
        {{"FEntryID", "行号", K::Integer},
         {"FOperSN", "工序号", K::Integer},
         {"FOperNumber", "工序代码"},
         {"FOperName", "工序名称"}}};
}

BillLayout WorkBill() {
    return {"SELECT w.FBillNo, CASE WHEN w.FBillType = 11621 THEN '返修工序' ELSE '普通工序' "
            "END AS FKindName, IFNULL(m.FBillNo, '') AS FTaskOrderNo, it.FNumber AS "
            "FItemNumber, it.FName AS FItemName, w.FDate, " TQ_CHECKED_STATUS("w")
            ", IFNULL(u.FName, '') AS FBillerName FROM SHWorkBill w "
            "JOIN t_ICItem it ON it.FItemID = w.FItemID "
            "LEFT JOIN ICMO m ON m.FInterID = w.FICMOInterID " TQ_BILLER_JOIN("w")
            "WHERE w.FInterID = ?",
            Join({{"FBillNo", "单据编号"},
                  {"FKindName", "单据类型", K::Word},
                  {"FTaskOrderNo", "任务单号"},
                  {"FItemNumber", "物料代码"},
                  {"FItemName", "物料名称"},
                  {"FDate", "日期", K::Date},
                  {"FStatusText", "状态", K::Word}},
                 MadeBy()),
            "SELECT e.FEntryID, e.FOperSN, op.FName AS FOperName, e.FQtyPlan, e.FQtyFinish, "
            "e.FQtyPass, e.FQtyScrap, e.FPlanStartDate, e.FPlanEndDate FROM SHWorkBillEntry e "
            "JOIN t_Operation op ON op.FOperID = e.FOperID WHERE e.FInterID = ? "
            "ORDER BY e.FEntryID",
            {{"FEntryID", "行号", K::Integer},
             {"FOperSN", "工序号", K::Integer},
             {"FOperName", "工序名称"},
             {"FQtyPlan", "计划数量", K::Quantity},
             {"FQtyFinish", "完工数量", K::Quantity},
             {"FQtyPass", "合格数量", K::Quantity},
             {"FQtyScrap", "报废数量", K::Quantity},
             {"FPlanStartDate", "计划开工日期", K::Date},
             {"FPlanEndDate", "计划完工日期", K::Date}}};
}

BillLayout OperationBill() {
    return {"SELECT b.FBillNo, IFNULL(t.FName, IFNULL(ct.FName, '')) AS FKindName, "
            "IFNULL(m.FBillNo, '') AS FTaskOrderNo, it.FNumber AS FItemNumber, "
            "it.FName AS FItemName, IFNULL(op.FName, '') AS FOperName, "
            "IFNULL(s.FName, '') AS FSupplierName, b.FQty, b.FQtyPass, b.FQtyScrap, b.FDate, "
            TQ_CHECKED_STATUS("b") ", IFNULL(u.FName, '') AS FBillerName FROM SHOperBill b "
            "JOIN t_ICItem it ON it.FItemID = b.FItemID "
            "LEFT JOIN ICTransActionType t ON t.FID = b.FTranType "
            "LEFT JOIN ICClassType ct ON ct.FID = b.FTranType "
            "LEFT JOIN ICMO m ON m.FInterID = b.FICMOInterID "
            "LEFT JOIN t_Operation op ON op.FOperID = b.FOperID "
            "LEFT JOIN t_Supplier s ON s.FSupplyID = b.FSupplyID " TQ_BILLER_JOIN("b")
            "WHERE b.FInterID = ?",
            Join({{"FBillNo", "单据编号"},
                  {"FKindName", "单据类型", K::Word},
                  {"FTaskOrderNo", "任务单号"},
                  {"FItemNumber", "物料代码"},
                  {"FItemName", "物料名称"},
                  {"FOperName", "工序名称"},
                  {"FSupplierName", "加工单位", K::Text, true},
                  {"FQty", "数量", K::Quantity},
                  {"FQtyPass", "合格数量", K::Quantity},
                  {"FQtyScrap", "报废数量", K::Quantity},
                  {"FDate", "日期", K::Date},
                  {"FStatusText", "状态", K::Word}},
                 MadeBy()),
            nullptr,
            {}};
}

BillLayout TaskOrderReport() {
    return {"SELECT r.FBillNo, IFNULL(m.FBillNo, '') AS FTaskOrderNo, r.FDate, r.FQtyFinish, "
            "r.FQtyPass, r.FQtyScrap, " TQ_CHECKED_STATUS("r")
            ", IFNULL(u.FName, '') AS FBillerName FROM ICMORpt r "
            "LEFT JOIN ICMO m ON m.FInterID = r.FICMOInterID " TQ_BILLER_JOIN("r")
            "WHERE r.FInterID = ?",
            Join({{"FBillNo", "单据编号"},
                  {"FTaskOrderNo", "任务单号"},
                  {"FDate", "日期", K::Date},
                  {"FQtyFinish", "完工数量", K::Quantity},
                  {"FQtyPass", "合格数量", K::Quantity},
                  {"FQtyScrap", "报废数量", K::Quantity},
                  {"FStatusText", "状态", K::Word}},
                 MadeBy()),
            nullptr,
            {}};
}

BillLayout Substitution() {
    return {
        "SELECT IFNULL(m.FBillNo, '') AS FTaskOrderNo, s.FEntryID, "
        "it.FNumber AS FItemNumber, it.FName AS FItemName, "
        "si.FNumber AS FSubsItemNumber, si.FName AS FSubsItemName, s.FQty, "
        "IFNULL(u.FName, '') AS FBillerName FROM ICSubstitute s "
        "JOIN t_ICItem it ON it.FItemID = s.FItemID "
        "JOIN t_ICItem si ON si.FItemID = s.FSubsItemID "
        "LEFT JOIN ICMO m ON m.FInterID = s.FICMOInterID " TQ_BILLER_JOIN(
            "s") "WHERE s.FInterID = ?",
        Join({{"FTaskOrderNo", "任务单号"},
              {"FEntryID", "行号", K::Integer},
              {"FItemNumber", "物料代码"},
              {"FItemName", "物料名称"},
              {"FSubsItemNumber", "替代物料代码"},
              {"FSubsItemName", "替代物料名称"},
              {"FQty", "数量", K::Quantity}},
             MadeBy()),
        nullptr,
        {}};
}

// The order each line of a downstream bill serves, with the order's entry.
#define TQ_ORDER_LINE "IFNULL(o.FBillNo, '') AS FOrderBillNo FROM "
#define TQ_ORDER_JOIN "LEFT JOIN SEOrder o ON o.FInterID = e.FOrderInterID "

BillLayout Invoice() {
    return {
        "SELECT b.FBillNo, IFNULL(t.FName, '') AS FKindName, b.FDate, c.FName AS "
        "FCustName, CASE WHEN b.FCancellation = 1 THEN '作废' WHEN b.FStatus > 0 THEN "
        "'已审核' ELSE '未审核' END AS FStatusText, CASE b.FHookStatus WHEN 2 THEN "
        "'已钩稽' WHEN 1 THEN '部分钩稽' ELSE '未钩稽' END AS FHookText, "
        "IFNULL(u.FName, '') AS FBillerName FROM ICSale b "
        "LEFT JOIN ICTransActionType t ON t.FID = b.FTranType "
        "LEFT JOIN t_Organization c ON c.FCustID = b.FCustID " TQ_BILLER_JOIN(
            "b") "WHERE b.FInterID = ?",
        Join({{"FBillNo", "发票号码"},
              {"FKindName", "单据类型", K::Word},
              {"FDate", "日期", K::Date},
              {"FCustName", "客户"},
              {"FStatusText", "状态", K::Word},
              {"FHookText", "钩稽状态", K::Word}},
             MadeBy()),
        "SELECT e.FEntryID, " TQ_ITEM_COLUMNS ", e.FQty, e.FAmount, " TQ_ORDER_LINE
        "ICSaleEntry e " TQ_ITEM_JOINS TQ_ORDER_JOIN
        "WHERE e.FInterID = ? "
        "ORDER BY e.FEntryID",
        Join(LineAndItem(), {{"FQty", "数量", K::Quantity},
                             {"FAmount", "金额", K::Amount},
                             {"FOrderBillNo", "订单编号"}})};
}

BillLayout Notice() {
    return {
        "SELECT b.FBillNo, CASE WHEN b.FROB = -1 THEN '退货' ELSE '发货' END AS "
        "FDirectionText, b.FDate, c.FName AS FCustName, CASE WHEN b.FCancellation = 1 "
        "THEN '作废' WHEN b.FStatus > 0 THEN '已审核' ELSE '未审核' END AS FStatusText, "
        "IFNULL(u.FName, '') AS FBillerName FROM SEOutStock b "
        "LEFT JOIN t_Organization c ON c.FCustID = b.FCustID " TQ_BILLER_JOIN(
            "b") "WHERE b.FInterID = ?",
        Join({{"FBillNo", "单据编号"},
              {"FDirectionText", "方向", K::Word},
              {"FDate", "日期", K::Date},
              {"FCustName", "客户"},
              {"FStatusText", "状态", K::Word}},
             MadeBy()),
        "SELECT e.FEntryID, " TQ_ITEM_COLUMNS ", e.FQty, e.FAmount, " TQ_ORDER_LINE
        "SEOutStockEntry e " TQ_ITEM_JOINS TQ_ORDER_JOIN
        "WHERE e.FInterID = ? "
        "ORDER BY e.FEntryID",
        Join(LineAndItem(), {{"FQty", "数量", K::Quantity},
                             {"FAmount", "金额", K::Amount},
                             {"FOrderBillNo", "订单编号"}})};
}

BillLayout Receipt() {
    return {"SELECT b.FBillNo, IFNULL(ct.FName, '') AS FKindName, b.FDate, c.FName AS "
            "FCustName, " TQ_CHECKED_STATUS("b") ", IFNULL(u.FName, '') AS FBillerName "
            "FROM t_RPReceipt b LEFT JOIN ICClassType ct ON ct.FID = b.FClassTypeID "
            "LEFT JOIN t_Organization c ON c.FCustID = b.FCustID " TQ_BILLER_JOIN("b")
            "WHERE b.FInterID = ?",
            Join({{"FBillNo", "单据编号"},
                  {"FKindName", "单据类型", K::Word},
                  {"FDate", "日期", K::Date},
                  {"FCustName", "客户"},
                  {"FStatusText", "状态", K::Word}},
                 MadeBy()),
            "SELECT e.FEntryID, e.FOrderEntryID, e.FAmount, " TQ_ORDER_LINE
            "t_RPReceiptEntry e " TQ_ORDER_JOIN "WHERE e.FInterID = ? ORDER BY e.FEntryID",
            {{"FEntryID", "行号", K::Integer},
             {"FOrderBillNo", "订单编号"},
             {"FOrderEntryID", "订单行号", K::Integer},
             {"FAmount", "金额", K::Amount}}};
}

BillLayout LetterOfCredit() {
    return {"SELECT l.FBillNo, l.FLCNumber, l.FBank, IFNULL(o.FBillNo, '') AS FOrderBillNo, "
            "l.FOrderEntryID, l.FDate, l.FExpiryDate, l.FAmount, " TQ_CHECKED_STATUS("l")
            ", IFNULL(u.FName, '') AS FBillerName FROM t_ExpLC l "
            "LEFT JOIN SEOrder o ON o.FInterID = l.FOrderInterID " TQ_BILLER_JOIN("l")
            "WHERE l.FInterID = ?",
            Join({{"FBillNo", "单据编号"},
                  {"FLCNumber", "信用证号"},
                  {"FBank", "开证行", K::Text, true},
                  {"FOrderBillNo", "订单编号"},
                  {"FOrderEntryID", "订单行号", K::Integer},
                  {"FDate", "开证日期", K::Date},
                  {"FExpiryDate", "有效期", K::Date},
                  {"FAmount", "金额", K::Amount},
                  {"FStatusText", "状态", K::Word}},
                 MadeBy()),
            nullptr,
            {}};
}

#undef TQ_ITEM_COLUMNS
#undef TQ_ITEM_JOINS
#undef TQ_CHECKED_STATUS
#undef TQ_BILLER_JOIN
#undef TQ_ORDER_LINE
#undef TQ_ORDER_JOIN

}  // namespace

const BillLayout* FindBillLayout(const std::string& table) {
    static const std::map<std::string, BillLayout> layouts = {
        {"ICStockBill", StockBill()},
        {"SEOrder", SalesOrder()},
        {"ICMO", TaskOrder()},
        {"PPBOM", MaterialList()},
        {"ICBOM", Bom()},
        {"t_Routing", Routing()},
        {"SHWorkBill", WorkBill()},
        {"SHOperBill", OperationBill()},
        {"ICMORpt", TaskOrderReport()},
        {"ICSubstitute", Substitution()},
        {"ICSale", Invoice()},
        {"SEOutStock", Notice()},
        {"t_RPReceipt", Receipt()},
        {"t_ExpLC", LetterOfCredit()},
    };
    const auto found = layouts.find(table);
    return found == layouts.end() ? nullptr : &found->second;
}

}  // namespace client
