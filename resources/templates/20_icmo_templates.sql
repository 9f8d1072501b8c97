-- Task order tracking templates: where each tracked kind's rows come from, the head fields of the
-- three task order kinds, and the columns of every tracked kind.
-- Columns of ICTrackTemplate, in the order of the VALUES below:
--   FTrackType, FTranType, FIndex, FKey, FCaption, FCaption_CHT, FCaption_EN, FCtlType, FVisible,
--   FAlign, FSum, FDecimalSrc, FFormat
-- FCtlType 1 marks a numeric column; its decimals come from the row's column "FQtyDecimal_" +
-- FDecimalSrc, or are FFormat when FDecimalSrc is empty. FAlign: 0 left, 1 right, 2 centre.

INSERT INTO ICTrackKind (FTrackType, FTranType, FViewName) VALUES
 (-85, -85, 'VTrack_ICMO85'),
 (-85, -571, 'VTrack_ICMO571'),
 (-85, -88, 'VTrack_PPBOM'),
 (-85, -501, 'VTrack_Substitute'),
 (-85, -551, 'VTrack_ICMORpt'),
 (-85, -2, 'VTrack_Stock2'),
 (-85, -5, 'VTrack_Stock5'),
 (-85, -24, 'VTrack_Stock24'),
 (-85, -28, 'VTrack_Stock28'),
 (-85, -52, 'VTrack_OperRecord'),
 (-85, -502, 'VTrack_Oper502'),
 (-85, -581, 'VTrack_Oper581'),
 (-85, -582, 'VTrack_Oper582'),
 (-85, -710, 'VTrack_Oper710'),
 (-85, -715, 'VTrack_Oper715'),
 (-85, 1002504, 'VTrack_Oper1002504'),
 (-85, -81, 'VTrack_SalesOrder'),
 (-85, 1007100, 'VTrack_ExportOrder');

-- Head fields of ordinary (-85), repetitive (-54) and outsourced (-571) task orders.
INSERT INTO ICTrackTemplate VALUES
 (85, -85, 1, 'FBillNO', '任务单号', '任務單號', 'Task order', 0, 1, 0, 0, '', 0),
 (85, -85, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 0, 0, '', 0),
 (85, -85, 3, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (85, -85, 4, 'FItemName', '物料名称', '物料名稱', 'Item name', 0, 1, 0, 0, '', 0),
 (85, -85, 5, 'FItemModel', '规格型号', '規格型號', 'Model', 0, 1, 0, 0, '', 0),
 (85, -85, 6, 'FUnitName', '单位', '單位', 'Unit', 0, 1, 0, 0, '', 0),
 (85, -85, 7, 'FQty', '计划生产数量', '計劃生產數量', 'Planned quantity', 1, 1, 1, 0, 'Item', 0),
 (85, -85, 8, 'FStockQty', '完工入库数量', '完工入庫數量', 'Received quantity', 1, 1, 1, 0, 'Item', 0),
 (85, -85, 9, 'FStockPercent', '入库比例(%)', '入庫比例(%)', 'Received (%)', 1, 1, 1, 0, '', 2),
 (85, -85, 10, 'FPlanCommitDate', '计划开工日期', '計劃開工日期', 'Planned start', 0, 1, 0, 0, '', 0),
 (85, -85, 11, 'FPlanFinishDate', '计划完工日期', '計劃完工日期', 'Planned finish', 0, 1, 0, 0, '', 0),
 (85, -85, 12, 'FWorkShopName', '生产车间', '生產車間', 'Workshop', 0, 1, 0, 0, '', 0),
 (85, -85, 13, 'FBOMNumber', 'BOM编号', 'BOM編號', 'BOM', 0, 1, 0, 0, '', 0),
 (85, -85, 14, 'FRoutingNumber', '工艺路线', '工藝路線', 'Routing', 0, 1, 0, 0, '', 0),
 (85, -85, 15, 'FOrderBillNo', '销售订单号', '銷售訂單號', 'Sales order', 0, 1, 0, 0, '', 0),
 (85, -85, 16, 'FBillerName', '制单人', '製單人', 'Made by', 0, 1, 0, 0, '', 0),
 (85, -85, 17, 'FItemID', '物料内码', '物料內碼', 'Item id', 0, 0, 0, 0, '', 0),
 (85, -85, 18, 'FBOMInterID', 'BOM内码', 'BOM內碼', 'BOM id', 0, 0, 0, 0, '', 0),
 (85, -85, 19, 'FRoutingID', '工艺路线内码', '工藝路線內碼', 'Routing id', 0, 0, 0, 0, '', 0),

 (85, -54, 1, 'FBillNO', '重复生产任务单号', '重複生產任務單號', 'Repetitive task order', 0, 1, 0, 0, '', 0),
 (85, -54, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 0, 0, '', 0),
 (85, -54, 3, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (85, -54, 4, 'FItemName', '物料名称', '物料名稱', 'Item name', 0, 1, 0, 0, '', 0),
 (85, -54, 5, 'FUnitName', '单位', '單位', 'Unit', 0, 1, 0, 0, '', 0),
 (85, -54, 6, 'FQty', '计划生产数量', '計劃生產數量', 'Planned quantity', 1, 1, 1, 0, 'Item', 0),
 (85, -54, 7, 'FStockQty', '完工入库数量', '完工入庫數量', 'Received quantity', 1, 1, 1, 0, 'Item', 0),
 (85, -54, 8, 'FStockPercent', '入库比例(%)', '入庫比例(%)', 'Received (%)', 1, 1, 1, 0, '', 2),
 (85, -54, 9, 'FPlanCommitDate', '计划开工日期', '計劃開工日期', 'Planned start', 0, 1, 0, 0, '', 0),
 (85, -54, 10, 'FPlanFinishDate', '计划完工日期', '計劃完工日期', 'Planned finish', 0, 1, 0, 0, '', 0),
 (85, -54, 11, 'FWorkShopName', '生产车间', '生產車間', 'Workshop', 0, 1, 0, 0, '', 0),
 (85, -54, 12, 'FBillerName', '制单人', '製單人', 'Made by', 0, 1, 0, 0, '', 0),
 (85, -54, 13, 'FItemID', '物料内码', '物料內碼', 'Item id', 0, 0, 0, 0, '', 0),
 (85, -54, 14, 'FBOMInterID', 'BOM内码', 'BOM內碼', 'BOM id', 0, 0, 0, 0, '', 0),
 (85, -54, 15, 'FRoutingID', '工艺路线内码', '工藝路線內碼', 'Routing id', 0, 0, 0, 0, '', 0),

 (85, -571, 1, 'FBillNO', '委外加工任务单号', '委外加工任務單號', 'Outsourced order', 0, 1, 0, 0, '', 0),
 (85, -571, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 0, 0, '', 0),
 (85, -571, 3, 'FSupplierName', '加工单位', '加工單位', 'Processor', 0, 1, 0, 0, '', 0),
 (85, -571, 4, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (85, -571, 5, 'FItemName', '物料名称', '物料名稱', 'Item name', 0, 1, 0, 0, '', 0),
 (85, -571, 6, 'FUnitName', '单位', '單位', 'Unit', 0, 1, 0, 0, '', 0),
 (85, -571, 7, 'FQty', '委外数量', '委外數量', 'Quantity', 1, 1, 1, 0, 'Item', 0),
 (85, -571, 8, 'FStockQty', '入库数量', '入庫數量', 'Received quantity', 1, 1, 1, 0, 'Item', 0),
 (85, -571, 9, 'FStockPercent', '入库比例(%)', '入庫比例(%)', 'Received (%)', 1, 1, 1, 0, '', 2),
 (85, -571, 10, 'FPlanFinishDate', '计划完工日期', '計劃完工日期', 'Planned finish', 0, 1, 0, 0, '', 0),
 (85, -571, 11, 'FBOMNumber', 'BOM编号', 'BOM編號', 'BOM', 0, 1, 0, 0, '', 0),
 (85, -571, 12, 'FBillerName', '制单人', '製單人', 'Made by', 0, 1, 0, 0, '', 0),
 (85, -571, 13, 'FItemID', '物料内码', '物料內碼', 'Item id', 0, 0, 0, 0, '', 0),
 (85, -571, 14, 'FBOMInterID', 'BOM内码', 'BOM內碼', 'BOM id', 0, 0, 0, 0, '', 0);

-- Columns of the tracked kinds. Every kind names FBillNO (headed by the kind's caption), FStatus
-- and the hidden FBillerID; kinds of material rows name FItemNumber.
INSERT INTO ICTrackTemplate VALUES
 (-85, -85, 1, 'FBillNO', '单据编号', '單據編號', 'Bill number', 0, 1, 0, 0, '', 0),
 (-85, -85, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0),
 (-85, -85, 3, 'FDate', '日期', '日期', 'Date', 0, 1, 0, 0, '', 0),
 (-85, -85, 4, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (-85, -85, 5, 'FItemName', '物料名称', '物料名稱', 'Item name', 0, 1, 0, 0, '', 0),
 (-85, -85, 6, 'FQty', '计划数量', '計劃數量', 'Planned', 1, 1, 1, 1, 'Item', 0),
 (-85, -85, 7, 'FStockQty', '入库数量', '入庫數量', 'Received', 1, 1, 1, 1, 'Item', 0),
 (-85, -85, 8, 'FPlanFinishDate', '计划完工日期', '計劃完工日期', 'Planned finish', 0, 1, 0, 0, '', 0),
 (-85, -85, 9, 'FBillerName', '制单人', '製單人', 'Made by', 0, 1, 0, 0, '', 0),
 (-85, -85, 10, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0),

 (-85, -571, 1, 'FBillNO', '单据编号', '單據編號', 'Bill number', 0, 1, 0, 0, '', 0),
 (-85, -571, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0),
 (-85, -571, 3, 'FSupplierName', '加工单位', '加工單位', 'Processor', 0, 1, 0, 0, '', 0),
 (-85, -571, 4, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (-85, -571, 5, 'FItemName', '物料名称', '物料名稱', 'Item name', 0, 1, 0, 0, '', 0),
 (-85, -571, 6, 'FQty', '委外数量', '委外數量', 'Quantity', 1, 1, 1, 1, 'Item', 0),
 (-85, -571, 7, 'FStockQty', '入库数量', '入庫數量', 'Received', 1, 1, 1, 1, 'Item', 0),
 (-85, -571, 8, 'FBillerName', '制单人', '製單人', 'Made by', 0, 1, 0, 0, '', 0),
 (-85, -571, 9, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0),

 (-85, -88, 1, 'FBillNO', '单据编号', '單據編號', 'Bill number', 0, 1, 0, 0, '', 0),
 (-85, -88, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0),
 (-85, -88, 3, 'FEntryID', '行号', '行號', 'Line', 0, 1, 1, 0, '', 0),
 (-85, -88, 4, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (-85, -88, 5, 'FItemName', '物料名称', '物料名稱', 'Item name', 0, 1, 0, 0, '', 0),
 (-85, -88, 6, 'FUnitName', '单位', '單位', 'Unit', 0, 1, 0, 0, '', 0),
 (-85, -88, 7, 'FQtyMust', '计划投料数量', '計劃投料數量', 'Required', 1, 1, 1, 1, 'Item', 0),
 (-85, -88, 8, 'FQtySupply', '已领数量', '已領數量', 'Issued', 1, 1, 1, 1, 'Item', 0),
 (-85, -88, 9, 'FAuxQtyStock', '即时库存', '即時庫存', 'In stock', 1, 1, 1, 0, '', 0),
 (-85, -88, 10, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0),

 (-85, -501, 1, 'FBillNO', '序号', '序號', 'No.', 0, 1, 2, 0, '', 0),
 (-85, -501, 2, 'FItemID', '原物料代码', '原物料代碼', 'Material', 0, 1, 0, 0, '', 0),
 (-85, -501, 3, 'FItemName', '原物料名称', '原物料名稱', 'Material name', 0, 1, 0, 0, '', 0),
 (-85, -501, 4, 'FSubsItemID', '替代物料代码', '替代物料代碼', 'Substitute', 0, 1, 0, 0, '', 0),
 (-85, -501, 5, 'FSubsItemName', '替代物料名称', '替代物料名稱', 'Substitute name', 0, 1, 0, 0, '', 0),
 (-85, -501, 6, 'FQty', '替代数量', '替代數量', 'Quantity', 1, 1, 1, 1, 'Item', 0),
 (-85, -501, 7, 'FStatus', '状态', '狀態', 'Status', 0, 0, 0, 0, '', 0),
 (-85, -501, 8, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0),

 (-85, -551, 1, 'FBillNO', '单据编号', '單據編號', 'Bill number', 0, 1, 0, 0, '', 0),
 (-85, -551, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0),
 (-85, -551, 3, 'FDate', '汇报日期', '匯報日期', 'Date', 0, 1, 0, 0, '', 0),
 (-85, -551, 4, 'FQtyFinish', '完工数量', '完工數量', 'Finished', 1, 1, 1, 1, 'Item', 0),
 (-85, -551, 5, 'FQtyPass', '合格数量', '合格數量', 'Passed', 1, 1, 1, 1, 'Item', 0),
 (-85, -551, 6, 'FQtyScrap', '报废数量', '報廢數量', 'Scrapped', 1, 1, 1, 1, 'Item', 0),
 (-85, -551, 7, 'FBillerName', '制单人', '製單人', 'Made by', 0, 1, 0, 0, '', 0),
 (-85, -551, 8, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0);

-- The stock bill kinds share one column list.
INSERT INTO ICTrackTemplate
SELECT -85, k.FTranType, t.FIndex, t.FKey, t.FCaption, t.FCaption_CHT, t.FCaption_EN, t.FCtlType,
       t.FVisible, t.FAlign, t.FSum, t.FDecimalSrc, t.FFormat
FROM (SELECT -2 AS FTranType UNION ALL SELECT -5 UNION ALL SELECT -24 UNION ALL SELECT -28) k,
     (SELECT 1 AS FIndex, 'FBillNO' AS FKey, '单据编号' AS FCaption, '單據編號' AS FCaption_CHT,
             'Bill number' AS FCaption_EN, 0 AS FCtlType, 1 AS FVisible, 0 AS FAlign, 0 AS FSum,
             '' AS FDecimalSrc, 0 AS FFormat
      UNION ALL SELECT 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0
      UNION ALL SELECT 3, 'FDate', '日期', '日期', 'Date', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 4, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 5, 'FItemName', '物料名称', '物料名稱', 'Item name', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 6, 'FUnitName', '单位', '單位', 'Unit', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 7, 'FQty', '数量', '數量', 'Quantity', 1, 1, 1, 1, 'Item', 0
      UNION ALL SELECT 8, 'FAmount', '金额', '金額', 'Amount', 1, 1, 1, 1, '', 2
      UNION ALL SELECT 9, 'FStockName', '仓库', '倉庫', 'Warehouse', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 10, 'FBillerName', '制单人', '製單人', 'Made by', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 11, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0) t;

-- Operation records and the bills of one operation record.
INSERT INTO ICTrackTemplate VALUES
 (-85, -52, 1, 'FBillNO', '单据编号', '單據編號', 'Bill number', 0, 1, 0, 0, '', 0),
 (-85, -52, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0),
 (-85, -52, 3, 'FOperSN', '工序号', '工序號', 'Step', 0, 1, 1, 0, '', 0),
 (-85, -52, 4, 'FOperName', '工序名称', '工序名稱', 'Operation', 0, 1, 0, 0, '', 0),
 (-85, -52, 5, 'FQtyPlan', '计划数量', '計劃數量', 'Planned', 1, 1, 1, 1, 'Item', 0),
 (-85, -52, 6, 'FQtyFinish', '完工数量', '完工數量', 'Finished', 1, 1, 1, 1, 'Item', 0),
 (-85, -52, 7, 'FQtyPass', '合格数量', '合格數量', 'Passed', 1, 1, 1, 1, 'Item', 0),
 (-85, -52, 8, 'FPlanEndDate', '计划完工日期', '計劃完工日期', 'Planned end', 0, 1, 0, 0, '', 0),
 (-85, -52, 9, 'FKeyInterID', '工序记录内码', '工序記錄內碼', 'Record id', 0, 0, 0, 0, '', 0),
 (-85, -52, 10, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0);

INSERT INTO ICTrackTemplate
SELECT -85, k.FTranType, t.FIndex, t.FKey, t.FCaption, t.FCaption_CHT, t.FCaption_EN, t.FCtlType,
       t.FVisible, t.FAlign, t.FSum, t.FDecimalSrc, t.FFormat
FROM (SELECT -502 AS FTranType UNION ALL SELECT -581 UNION ALL SELECT -582 UNION ALL SELECT -710
      UNION ALL SELECT -715 UNION ALL SELECT 1002504) k,
     (SELECT 1 AS FIndex, 'FBillNO' AS FKey, '单据编号' AS FCaption, '單據編號' AS FCaption_CHT,
             'Bill number' AS FCaption_EN, 0 AS FCtlType, 1 AS FVisible, 0 AS FAlign, 0 AS FSum,
             '' AS FDecimalSrc, 0 AS FFormat
      UNION ALL SELECT 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0
      UNION ALL SELECT 3, 'FDate', '日期', '日期', 'Date', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 4, 'FOperName', '工序名称', '工序名稱', 'Operation', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 5, 'FSupplierName', '加工单位', '加工單位', 'Processor', 0, 1, 0, 0, '', 0
      UNION ALL SELECT 6, 'FQty', '数量', '數量', 'Quantity', 1, 1, 1, 1, 'Item', 0
      UNION ALL SELECT 7, 'FQtyPass', '合格数量', '合格數量', 'Passed', 1, 1, 1, 1, 'Item', 0
      UNION ALL SELECT 8, 'FQtyScrap', '报废数量', '報廢數量', 'Scrapped', 1, 1, 1, 1, 'Item', 0
      UNION ALL SELECT 9, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 0, 0, 0, '', 0
      UNION ALL SELECT 10, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0) t;

-- The sales and export orders behind a task order.
INSERT INTO ICTrackTemplate VALUES
 (-85, -81, 1, 'FBillNO', '单据编号', '單據編號', 'Bill number', 0, 1, 0, 0, '', 0),
 (-85, -81, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0),
 (-85, -81, 3, 'FEntryID', '分录号', '分錄號', 'Entry', 0, 1, 1, 0, '', 0),
 (-85, -81, 4, 'FCustName', '购货单位', '購貨單位', 'Customer', 0, 1, 0, 0, '', 0),
 (-85, -81, 5, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (-85, -81, 6, 'FQty', '订货数量', '訂貨數量', 'Ordered', 1, 1, 1, 1, 'Item', 0),
 (-85, -81, 7, 'FDeliveryDate', '交货日期', '交貨日期', 'Delivery', 0, 1, 0, 0, '', 0),
 (-85, -81, 8, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0),

 (-85, 1007100, 1, 'FBillNO', '单据编号', '單據編號', 'Bill number', 0, 1, 0, 0, '', 0),
 (-85, 1007100, 2, 'FStatus', '状态', '狀態', 'Status', 0, 1, 2, 0, '', 0),
 (-85, 1007100, 3, 'FEntryID', '分录号', '分錄號', 'Entry', 0, 1, 1, 0, '', 0),
 (-85, 1007100, 4, 'FDetailID', '明细号', '明細號', 'Detail', 0, 0, 1, 0, '', 0),
 (-85, 1007100, 5, 'FCustName', '客户', '客戶', 'Customer', 0, 1, 0, 0, '', 0),
 (-85, 1007100, 6, 'FItemNumber', '物料代码', '物料代碼', 'Item number', 0, 1, 0, 0, '', 0),
 (-85, 1007100, 7, 'FQty', '订货数量', '訂貨數量', 'Ordered', 1, 1, 1, 1, 'Item', 0),
 (-85, 1007100, 8, 'FDeliveryDate', '交货日期', '交貨日期', 'Delivery', 0, 1, 0, 0, '', 0),
 (-85, 1007100, 9, 'FBillerID', '制单人内码', '製單人內碼', 'Biller id', 0, 0, 0, 0, '', 0);
