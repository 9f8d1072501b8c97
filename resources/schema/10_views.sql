-- Views over the bills. The tracking views read a bill kind through one view each (named in
-- ICTrackKind, with the column FParentID that ties a row to its task order or operation record);
-- the sales order phases read their downstream bills through the VPhase_ views (filtered by
-- FOrderInterID and FOrderEntryID); the list control reads the ICList_ views as "v1".
-- Status words are the keywords the tracking views translate (Check, Plan, Cancel, ...).

-- Task order head ------------------------------------------------------------------------------

CREATE VIEW VTrackICMOHead AS
SELECT i.FInterID, i.FBillNo AS FBillNO, i.FTranType, i.FScheduleID, i.FType,
       CASE WHEN i.FCancellation = 1 THEN 'Cancel' WHEN i.FSuspend = 1 THEN 'Suspend'
            WHEN i.FStatus = 0 THEN 'Plan' WHEN i.FStatus IN (1, 2) THEN 'Check'
            WHEN i.FStatus = 3 THEN 'End' WHEN i.FStatus = 5 THEN 'Confirm' ELSE '' END AS FStatus,
       i.FItemID, it.FNumber AS FItemNumber, it.FName AS FItemName, it.FModel AS FItemModel,
       u.FName AS FUnitName, i.FQty, i.FStockQty,
       CASE WHEN i.FQty > 0 THEN ROUND(i.FStockQty * 100.0 / i.FQty, 2) ELSE 0 END AS FStockPercent,
       i.FDate, i.FPlanCommitDate, i.FPlanFinishDate, i.FCommitDate, i.FFinishDate,
       IFNULL(d.FName, '') AS FWorkShopName, IFNULL(s.FName, '') AS FSupplierName,
       i.FBOMInterID, IFNULL(bom.FBOMNumber, '') AS FBOMNumber,
       i.FRoutingID, IFNULL(r.FRoutingNumber, '') AS FRoutingNumber,
       i.FBillerID, IFNULL(b.FName, '') AS FBillerName,
       IFNULL(o.FBillNo, '') AS FOrderBillNo, i.FNote, it.FQtyDecimal AS FQtyDecimal_Item
FROM ICMO i
JOIN t_ICItem it ON it.FItemID = i.FItemID
JOIN t_MeasureUnit u ON u.FMeasureUnitID = i.FUnitID
LEFT JOIN t_Department d ON d.FDeptID = i.FWorkShop
LEFT JOIN t_Supplier s ON s.FSupplyID = i.FSupplyID
LEFT JOIN ICBOM bom ON bom.FInterID = i.FBOMInterID
LEFT JOIN t_Routing r ON r.FInterID = i.FRoutingID
LEFT JOIN t_User b ON b.FUserID = i.FBillerID
LEFT JOIN SEOrder o ON o.FInterID = i.FOrderInterID;

-- Tracked bill kinds of a task order -----------------------------------------------------------

-- -85: the task order itself and the task orders split from it.
CREATE VIEW VTrack_ICMO85 AS
SELECT i.FInterID AS FParentID, i.FInterID AS FBillInterID, h.FBillNO, 0 AS FEntryID, h.FDate,
       h.FStatus, h.FBillerID, h.FBillerName, h.FItemID, h.FItemNumber, h.FItemName, h.FItemModel,
       h.FUnitName, h.FQty, h.FStockQty, h.FPlanCommitDate, h.FPlanFinishDate, h.FWorkShopName,
       h.FQtyDecimal_Item
FROM ICMO i JOIN VTrackICMOHead h ON h.FInterID = i.FInterID WHERE i.FTranType = 85
UNION ALL
SELECT i.FParentInterID, i.FInterID, h.FBillNO, 0, h.FDate, h.FStatus, h.FBillerID, h.FBillerName,
       h.FItemID, h.FItemNumber, h.FItemName, h.FItemModel, h.FUnitName, h.FQty, h.FStockQty,
       h.FPlanCommitDate, h.FPlanFinishDate, h.FWorkShopName, h.FQtyDecimal_Item
FROM ICMO i JOIN VTrackICMOHead h ON h.FInterID = i.FInterID
WHERE i.FParentInterID <> 0 AND i.FTranType = 85;

-- -571: the outsourced task order itself and the outsourced orders made from a task order.
CREATE VIEW VTrack_ICMO571 AS
SELECT i.FInterID AS FParentID, i.FInterID AS FBillInterID, h.FBillNO, 0 AS FEntryID, h.FDate,
       h.FStatus, h.FBillerID, h.FBillerName, h.FItemID, h.FItemNumber, h.FItemName, h.FItemModel,
       h.FUnitName, h.FQty, h.FStockQty, h.FPlanFinishDate, h.FSupplierName, h.FQtyDecimal_Item
FROM ICMO i JOIN VTrackICMOHead h ON h.FInterID = i.FInterID WHERE i.FTranType = 571
UNION ALL
SELECT i.FParentInterID, i.FInterID, h.FBillNO, 0, h.FDate, h.FStatus, h.FBillerID, h.FBillerName,
       h.FItemID, h.FItemNumber, h.FItemName, h.FItemModel, h.FUnitName, h.FQty, h.FStockQty,
       h.FPlanFinishDate, h.FSupplierName, h.FQtyDecimal_Item
FROM ICMO i JOIN VTrackICMOHead h ON h.FInterID = i.FInterID
WHERE i.FParentInterID <> 0 AND i.FTranType = 571;

-- -88: production material list entries; FAuxQtyStock is filled with the stock balance.
CREATE VIEW VTrack_PPBOM AS
SELECT p.FICMOInterID AS FParentID, p.FInterID AS FBillInterID, p.FBillNo AS FBillNO, e.FEntryID,
       p.FDate, CASE WHEN p.FStatus = 1 THEN 'Check' ELSE '' END AS FStatus, p.FBillerID,
       IFNULL(b.FName, '') AS FBillerName, e.FItemID, it.FNumber AS FItemNumber,
       it.FName AS FItemName, it.FModel AS FItemModel, u.FName AS FUnitName, e.FQtyMust,
       e.FQtySupply, 0.0 AS FAuxQtyStock, it.FQtyDecimal AS FQtyDecimal_Item
FROM PPBOM p JOIN PPBOMEntry e ON e.FInterID = p.FInterID
JOIN t_ICItem it ON it.FItemID = e.FItemID JOIN t_MeasureUnit u ON u.FMeasureUnitID = it.FUnitID
LEFT JOIN t_User b ON b.FUserID = p.FBillerID;

-- -501: substitution lines; FItemID and FSubsItemID carry the two material numbers.
CREATE VIEW VTrack_Substitute AS
SELECT s.FICMOInterID AS FParentID, s.FInterID AS FBillInterID, m.FBillNo AS FBillNO, s.FEntryID,
       m.FDate, '' AS FStatus, s.FBillerID, IFNULL(b.FName, '') AS FBillerName,
       a.FNumber AS FItemID, a.FName AS FItemName, a.FNumber AS FItemNumber,
       c.FNumber AS FSubsItemID, c.FName AS FSubsItemName, s.FQty, a.FQtyDecimal AS FQtyDecimal_Item
FROM ICSubstitute s JOIN ICMO m ON m.FInterID = s.FICMOInterID
JOIN t_ICItem a ON a.FItemID = s.FItemID JOIN t_ICItem c ON c.FItemID = s.FSubsItemID
LEFT JOIN t_User b ON b.FUserID = s.FBillerID;

-- -551: task order reports.
CREATE VIEW VTrack_ICMORpt AS
SELECT r.FICMOInterID AS FParentID, r.FInterID AS FBillInterID, r.FBillNo AS FBillNO,
       0 AS FEntryID, r.FDate, CASE WHEN r.FStatus = 1 THEN 'Check' ELSE '' END AS FStatus,
       r.FBillerID, IFNULL(b.FName, '') AS FBillerName, m.FItemID, it.FNumber AS FItemNumber,
       it.FName AS FItemName, r.FQtyFinish, r.FQtyPass, r.FQtyScrap,
       it.FQtyDecimal AS FQtyDecimal_Item
FROM ICMORpt r JOIN ICMO m ON m.FInterID = r.FICMOInterID
JOIN t_ICItem it ON it.FItemID = m.FItemID LEFT JOIN t_User b ON b.FUserID = r.FBillerID;

-- Stock bill entries that serve a task order, one view per stock bill kind.
CREATE VIEW VTrack_StockBill AS
SELECT e.FICMOInterID AS FParentID, s.FTranType, s.FInterID AS FBillInterID,
       s.FBillNo AS FBillNO, e.FEntryID, s.FDate,
       CASE WHEN s.FCancellation = 1 THEN 'Cancel' WHEN s.FStatus = 1 THEN 'Check' ELSE '' END
           AS FStatus,
       s.FBillerID, IFNULL(b.FName, '') AS FBillerName, e.FItemID, it.FNumber AS FItemNumber,
       it.FName AS FItemName, it.FModel AS FItemModel, u.FName AS FUnitName, e.FQty, e.FPrice,
       e.FAmount, IFNULL(st.FName, '') AS FStockName, it.FQtyDecimal AS FQtyDecimal_Item
FROM ICStockBillEntry e JOIN ICStockBill s ON s.FInterID = e.FInterID
JOIN t_ICItem it ON it.FItemID = e.FItemID JOIN t_MeasureUnit u ON u.FMeasureUnitID = it.FUnitID
LEFT JOIN t_Stock st ON st.FStockID = e.FStockID LEFT JOIN t_User b ON b.FUserID = s.FBillerID;

CREATE VIEW VTrack_Stock2 AS SELECT * FROM VTrack_StockBill WHERE FTranType = 2;
CREATE VIEW VTrack_Stock5 AS SELECT * FROM VTrack_StockBill WHERE FTranType = 5;
CREATE VIEW VTrack_Stock24 AS SELECT * FROM VTrack_StockBill WHERE FTranType = 24;
CREATE VIEW VTrack_Stock28 AS SELECT * FROM VTrack_StockBill WHERE FTranType = 28;

-- -52: operation records, the work bill entries of the task order. FKeyInterID identifies the
-- record for the bills of its operation.
CREATE VIEW VTrack_OperRecord AS
SELECT w.FICMOInterID AS FParentID, w.FInterID AS FBillInterID, w.FBillNo AS FBillNO,
       e.FEntryID, w.FDate, CASE WHEN w.FStatus = 1 THEN 'Check' ELSE '' END AS FStatus,
       w.FBillerID, IFNULL(b.FName, '') AS FBillerName, w.FItemID, it.FNumber AS FItemNumber,
       it.FName AS FItemName, w.FBillType, e.FOperSN, e.FOperID, o.FName AS FOperName,
       e.FQtyPlan, e.FQtyFinish, e.FQtyPass, e.FQtyScrap, e.FPlanStartDate, e.FPlanEndDate,
       e.FDetailID AS FKeyInterID, it.FQtyDecimal AS FQtyDecimal_Item
FROM SHWorkBillEntry e JOIN SHWorkBill w ON w.FInterID = e.FInterID
JOIN t_Operation o ON o.FOperID = e.FOperID JOIN t_ICItem it ON it.FItemID = w.FItemID
LEFT JOIN t_User b ON b.FUserID = w.FBillerID;

-- Bills of one operation record, one view per kind.
CREATE VIEW VTrack_OperBill AS
SELECT ob.FWBEntryID AS FParentID, ob.FTranType, ob.FInterID AS FBillInterID,
       ob.FBillNo AS FBillNO, 0 AS FEntryID, ob.FDate,
       CASE WHEN ob.FStatus = 1 THEN 'Check' WHEN ob.FStatus = 3 THEN 'Close' ELSE '' END
           AS FStatus,
       ob.FBillerID, IFNULL(b.FName, '') AS FBillerName, ob.FItemID, it.FNumber AS FItemNumber,
       it.FName AS FItemName, o.FName AS FOperName, IFNULL(s.FName, '') AS FSupplierName,
       ob.FQty, ob.FQtyPass, ob.FQtyScrap, it.FQtyDecimal AS FQtyDecimal_Item
FROM SHOperBill ob JOIN t_ICItem it ON it.FItemID = ob.FItemID
JOIN t_Operation o ON o.FOperID = ob.FOperID LEFT JOIN t_Supplier s ON s.FSupplyID = ob.FSupplyID
LEFT JOIN t_User b ON b.FUserID = ob.FBillerID;

CREATE VIEW VTrack_Oper502 AS SELECT * FROM VTrack_OperBill WHERE FTranType = 502;
CREATE VIEW VTrack_Oper581 AS SELECT * FROM VTrack_OperBill WHERE FTranType = 581;
CREATE VIEW VTrack_Oper582 AS SELECT * FROM VTrack_OperBill WHERE FTranType = 582;
CREATE VIEW VTrack_Oper710 AS SELECT * FROM VTrack_OperBill WHERE FTranType = 710;
CREATE VIEW VTrack_Oper715 AS SELECT * FROM VTrack_OperBill WHERE FTranType = 715;
CREATE VIEW VTrack_Oper1002504 AS SELECT * FROM VTrack_OperBill WHERE FTranType = 1002504;

-- -81 and 1007100: the sales or export order entry the task order was made for.
CREATE VIEW VTrack_SEOrder AS
SELECT m.FInterID AS FParentID, o.FInterID AS FBillInterID, o.FBillNo AS FBillNO, e.FEntryID,
       (SELECT MIN(x.FDetailID) FROM SEOrderExpDetail x
         WHERE x.FInterID = e.FInterID AND x.FEntryID = e.FEntryID) AS FDetailID,
       o.FDate, CASE WHEN o.FCancellation = 1 THEN 'Cancel' WHEN o.FStatus = 3 THEN 'Close'
                     WHEN o.FStatus > 0 THEN 'Check' ELSE '' END AS FStatus,
       o.FBillerID, IFNULL(b.FName, '') AS FBillerName, c.FName AS FCustName, e.FItemID,
       it.FNumber AS FItemNumber, it.FName AS FItemName, e.FQty, e.FAmount, e.FDeliveryDate,
       m.FOrderClassTypeID, it.FQtyDecimal AS FQtyDecimal_Item
FROM ICMO m JOIN SEOrder o ON o.FInterID = m.FOrderInterID
JOIN SEOrderEntry e ON e.FInterID = m.FOrderInterID AND e.FEntryID = m.FOrderEntryID
JOIN t_Organization c ON c.FCustID = o.FCustID JOIN t_ICItem it ON it.FItemID = e.FItemID
LEFT JOIN t_User b ON b.FUserID = o.FBillerID;

CREATE VIEW VTrack_SalesOrder AS SELECT * FROM VTrack_SEOrder WHERE FOrderClassTypeID = 81;
CREATE VIEW VTrack_ExportOrder AS SELECT * FROM VTrack_SEOrder WHERE FOrderClassTypeID = 1007100;

-- Sales order phases ---------------------------------------------------------------------------

CREATE VIEW VPhase_81 AS
SELECT e.FInterID AS FOrderInterID, e.FEntryID AS FOrderEntryID,
       CASE WHEN o.FClassTypeID = 1007100 THEN 1007100 ELSE 81 END AS FClassTypeID,
       o.FInterID, o.FBillNo, e.FEntryID, o.FDate, c.FName AS FCustName,
       it.FNumber AS FItemNumber, it.FName AS FItemName, it.FModel AS FItemModel,
       u.FName AS FUnitName, e.FQty, e.FPrice, e.FAmount, e.FDeliveryDate,
       CASE WHEN IFNULL(o.FCheckerID, 0) > 0 THEN 'Checked' ELSE 'UnChecked' END AS FStatus,
       CASE WHEN e.FMrpClosed = 1 THEN 'EntryClose' ELSE 'UnEntryClose' END AS FEntryStatus,
       o.FBillerID, IFNULL(b.FName, '') AS FBillerName
FROM SEOrderEntry e JOIN SEOrder o ON o.FInterID = e.FInterID
JOIN t_Organization c ON c.FCustID = o.FCustID JOIN t_ICItem it ON it.FItemID = e.FItemID
JOIN t_MeasureUnit u ON u.FMeasureUnitID = it.FUnitID LEFT JOIN t_User b ON b.FUserID = o.FBillerID;

CREATE VIEW VPhase_1007132 AS
SELECT l.FOrderInterID, l.FOrderEntryID, 1007132 AS FClassTypeID, l.FInterID, l.FBillNo,
       l.FLCNumber, l.FBank, l.FDate, l.FExpiryDate, l.FAmount,
       CASE WHEN l.FStatus = 1 THEN 'Checked' ELSE 'UnChecked' END AS FStatus,
       l.FBillerID, IFNULL(b.FName, '') AS FBillerName
FROM t_ExpLC l LEFT JOIN t_User b ON b.FUserID = l.FBillerID;

CREATE VIEW VPhase_82 AS
SELECT e.FOrderInterID, e.FOrderEntryID, n.FTranType AS FClassTypeID, n.FInterID, n.FBillNo,
       n.FDate, CASE WHEN n.FROB = -1 THEN '退货' ELSE '发货' END AS FDirection,
       e.FQty * n.FROB AS FQty, e.FAmount * n.FROB AS FAmount,
       CASE WHEN n.FStatus = 1 THEN 'Checked' ELSE 'UnChecked' END AS FStatus,
       n.FCancellation, n.FBillerID, IFNULL(b.FName, '') AS FBillerName
FROM SEOutStockEntry e JOIN SEOutStock n ON n.FInterID = e.FInterID
LEFT JOIN t_User b ON b.FUserID = n.FBillerID;

CREATE VIEW VPhase_21 AS
SELECT e.FOrderInterID, e.FOrderEntryID, s.FTranType AS FClassTypeID, s.FInterID, s.FBillNo,
       s.FDate, e.FQty, e.FAmount, IFNULL(st.FName, '') AS FStockName,
       CASE WHEN s.FStatus = 1 THEN 'Checked' ELSE 'UnChecked' END AS FStatus,
       s.FCancellation, s.FBillerID, IFNULL(b.FName, '') AS FBillerName
FROM ICStockBillEntry e JOIN ICStockBill s ON s.FInterID = e.FInterID
LEFT JOIN t_Stock st ON st.FStockID = e.FStockID LEFT JOIN t_User b ON b.FUserID = s.FBillerID
WHERE s.FTranType = 21;

CREATE VIEW VPhase_80 AS
SELECT e.FOrderInterID, e.FOrderEntryID, v.FTranType AS FClassTypeID, v.FInterID, v.FBillNo,
       v.FDate, e.FQty, e.FAmount,
       CASE v.FHookStatus WHEN 2 THEN 'Hook' WHEN 1 THEN 'PHook' ELSE 'UHook' END AS FHookStatus,
       CASE WHEN v.FStatus = 1 THEN 'Checked' ELSE 'UnChecked' END AS FStatus,
       v.FCancellation, v.FBillerID, IFNULL(b.FName, '') AS FBillerName
FROM ICSaleEntry e JOIN ICSale v ON v.FInterID = e.FInterID
LEFT JOIN t_User b ON b.FUserID = v.FBillerID;

-- Receipts and the write-off lines share one column list: the phase shows both in one node.
CREATE VIEW VPhase_1000034 AS
SELECT e.FOrderInterID, e.FOrderEntryID, r.FClassTypeID, r.FInterID, r.FBillNo, r.FDate,
       e.FAmount, CASE WHEN r.FStatus = 1 THEN 'Checked' ELSE 'UnChecked' END AS FStatus,
       r.FBillerID, IFNULL(b.FName, '') AS FBillerName
FROM t_RPReceiptEntry e JOIN t_RPReceipt r ON r.FInterID = e.FInterID
LEFT JOIN t_User b ON b.FUserID = r.FBillerID;

CREATE VIEW VPhase_WriteOff AS
SELECT w.FOrderInterID, w.FOrderEntryID, -10000 AS FClassTypeID, w.FID AS FInterID,
       w.FNumber AS FBillNo, w.FDate, w.FAmount, '' AS FStatus, w.FBillerID,
       IFNULL(b.FName, '') AS FBillerName
FROM t_RPWriteOff w LEFT JOIN t_User b ON b.FUserID = w.FBillerID;

CREATE VIEW VPhase_85 AS
SELECT m.FOrderInterID, m.FOrderEntryID, m.FTranType AS FClassTypeID, m.FType, m.FInterID,
       h.FBillNO AS FBillNo, h.FDate, h.FItemNumber, h.FItemName, h.FQty, h.FStockQty,
       h.FPlanFinishDate, h.FStatus, m.FCancellation, h.FBillerID, h.FBillerName
FROM ICMO m JOIN VTrackICMOHead h ON h.FInterID = m.FInterID
WHERE m.FOrderClassTypeID IN (81, 1007100);

-- Order list and entry detail of the sales order tracker.
CREATE VIEW VSEOrderEntryList AS
SELECT o.FInterID, o.FBillNo, o.FClassTypeID AS FOrderClassTypeID, c.FName AS FCustName,
       e.FEntryID, it.FNumber AS FItemNumber, it.FName AS FItemName, it.FModel AS FItemModel,
       o.FCheckerID, o.FCancellation
FROM SEOrder o JOIN SEOrderEntry e ON e.FInterID = o.FInterID
JOIN t_Organization c ON c.FCustID = o.FCustID JOIN t_ICItem it ON it.FItemID = e.FItemID;

CREATE VIEW VSEOrderEntryDetail AS
SELECT o.FInterID, e.FEntryID, o.FClassTypeID AS FOrderClassTypeID, o.FBillNo, o.FDate,
       c.FNumber AS FCustNumber, c.FName AS FCustName, it.FNumber AS FItemNumber,
       it.FName AS FItemName, it.FModel AS FItemModel, u.FName AS FUnitName, e.FQty, e.FPrice,
       e.FAmount, e.FDeliveryDate, cur.FName AS FCurrency, o.FExchangeRate,
       IFNULL(d.FName, '') AS FDeptName, IFNULL(b.FName, '') AS FBillerName,
       CASE WHEN IFNULL(o.FCheckerID, 0) > 0 THEN '已审核' ELSE '未审核' END AS FCheckStatus,
       it.FQtyDecimal AS FQtyDecimal
FROM SEOrderEntry e JOIN SEOrder o ON o.FInterID = e.FInterID
JOIN t_Organization c ON c.FCustID = o.FCustID JOIN t_ICItem it ON it.FItemID = e.FItemID
JOIN t_MeasureUnit u ON u.FMeasureUnitID = it.FUnitID
JOIN t_Currency cur ON cur.FCurrencyID = o.FCurrencyID
LEFT JOIN t_Department d ON d.FDeptID = o.FDeptID LEFT JOIN t_User b ON b.FUserID = o.FBillerID;

-- Bill lists of the list control ----------------------------------------------------------------

-- The lists keep the codes the library's filters name (FStatus, FCancellation, FTrantype, ...)
-- and add what a clerk reads: the status and kind as Chinese words the list translates, and the
-- names of the biller and checker.

-- 32: sales and export order entries.
CREATE VIEW ICList_32 AS
SELECT o.FInterID, e.FEntryID, o.FBillNo, o.FDate, o.FTranType, o.FClassTypeID, o.FStatus,
       o.FCancellation, o.FCheckerID, o.FBillerID, c.FName AS FCustName,
       it.FNumber AS FItemNumber, it.FName AS FItemName, e.FQty, e.FAmount,
       CASE WHEN o.FClassTypeID = 1007100 THEN '外销订单' ELSE '销售订单' END AS FKindText,
       CASE WHEN o.FCancellation = 1 THEN '作废' WHEN o.FStatus = 3 THEN '已关闭'
            WHEN o.FStatus > 0 THEN '已审核' ELSE '未审核' END AS FStatusText,
       IFNULL(b.FName, '') AS FBillerName, IFNULL(k.FName, '') AS FCheckerName
FROM SEOrder o JOIN SEOrderEntry e ON e.FInterID = o.FInterID
JOIN t_Organization c ON c.FCustID = o.FCustID JOIN t_ICItem it ON it.FItemID = e.FItemID
LEFT JOIN t_User b ON b.FUserID = o.FBillerID LEFT JOIN t_User k ON k.FUserID = o.FCheckerID;

-- 36: task orders (ordinary and repetitive); 620: outsourced processing task orders.
CREATE VIEW ICList_36 AS
SELECT i.FInterID, i.FBillNo, i.FTranType, i.FScheduleID, i.FStatus, i.FSuspend, i.FCancellation,
       i.FBillerID, i.FDate, it.FNumber AS FItemNumber, it.FName AS FItemName, i.FQty,
       i.FPlanFinishDate,
       CASE WHEN i.FScheduleID <> 0 THEN '重复生产任务单' ELSE '生产任务单' END AS FKindText,
       CASE WHEN i.FCancellation = 1 THEN '作废' WHEN i.FSuspend = 1 THEN '挂起'
            WHEN i.FStatus = 0 THEN '计划' WHEN i.FStatus IN (1, 2) THEN '下达'
            WHEN i.FStatus = 3 THEN '结案' WHEN i.FStatus = 5 THEN '确认' ELSE '' END
           AS FStatusText,
       IFNULL(u.FName, '') AS FUnitName, IFNULL(b.FName, '') AS FBillerName
FROM ICMO i JOIN t_ICItem it ON it.FItemID = i.FItemID
LEFT JOIN t_MeasureUnit u ON u.FMeasureUnitID = i.FUnitID
LEFT JOIN t_User b ON b.FUserID = i.FBillerID WHERE i.FTranType = 85;

CREATE VIEW ICList_620 AS
SELECT i.FInterID, i.FBillNo, i.FTranType, i.FScheduleID, i.FStatus, i.FSuspend, i.FCancellation,
       i.FBillerID, i.FDate, it.FNumber AS FItemNumber, it.FName AS FItemName, i.FQty,
       i.FPlanFinishDate, IFNULL(s.FName, '') AS FSupplierName,
       CASE WHEN i.FCancellation = 1 THEN '作废' WHEN i.FSuspend = 1 THEN '挂起'
            WHEN i.FStatus = 0 THEN '计划' WHEN i.FStatus IN (1, 2) THEN '下达'
            WHEN i.FStatus = 3 THEN '结案' WHEN i.FStatus = 5 THEN '确认' ELSE '' END
           AS FStatusText,
       IFNULL(u.FName, '') AS FUnitName, IFNULL(b.FName, '') AS FBillerName
FROM ICMO i JOIN t_ICItem it ON it.FItemID = i.FItemID
LEFT JOIN t_MeasureUnit u ON u.FMeasureUnitID = i.FUnitID
LEFT JOIN t_Supplier s ON s.FSupplyID = i.FSupplyID
LEFT JOIN t_User b ON b.FUserID = i.FBillerID WHERE i.FTranType = 571;
