-- Option sets. Bill options of task order tracking: FKey is a three-character prefix followed by
-- the kind's FID. Sorting by FKey gives the display order, and among the operation kinds ("P"
-- prefixes) it puts the operation record kind -52 first, ahead of the kinds shown under it.
-- Sales order tracking options: one row per switch; FDefault is the value before a user saves.

INSERT INTO ICTrackOptionDef (FOptionKey, FKey, FID, FCaption, FDefault) VALUES
 ('ICMOTrack', 'A01-85', -85, '生产任务单', 0),
 ('ICMOTrack', 'A02-88', -88, '生产投料单', 1),
 ('ICMOTrack', 'A03-501', -501, '替代物料清单', 0),
 ('ICMOTrack', 'A04-24', -24, '生产领料单', 1),
 ('ICMOTrack', 'A05-551', -551, '生产任务单汇报', 0),
 ('ICMOTrack', 'A06-2', -2, '产品入库单', 1),
 ('ICMOTrack', 'A07-571', -571, '委外加工生产任务单', 0),
 ('ICMOTrack', 'A10-81', -81, '销售订单', 1),
 ('ICMOTrack', 'A111007100', 1007100, '外销订单', 0),
 ('ICMOTrack', 'P00-52', -52, '工序计划单', 1),
 ('ICMOTrack', 'P01-502', -502, '工序移转单', 1),
 ('ICMOTrack', 'P02-581', -581, '委外工序转出单', 0),
 ('ICMOTrack', 'P03-582', -582, '委外工序接收单', 0),
 ('ICMOTrack', 'P04-710', -710, '工序检验申请单', 0),
 ('ICMOTrack', 'P05-715', -715, '工序检验单', 0),
 ('ICMOTrack', 'P061002504', 1002504, '工序汇报单', 0),

 ('REPICMOTrack', 'A01-85', -85, '重复生产任务单', 0),
 ('REPICMOTrack', 'A02-88', -88, '生产投料单', 1),
 ('REPICMOTrack', 'A04-24', -24, '生产领料单', 1),
 ('REPICMOTrack', 'A05-551', -551, '生产任务单汇报', 1),
 ('REPICMOTrack', 'A06-2', -2, '产品入库单', 1),
 ('REPICMOTrack', 'A10-81', -81, '销售订单', 0),
 ('REPICMOTrack', 'P00-52', -52, '工序计划单', 0),
 ('REPICMOTrack', 'P01-502', -502, '工序移转单', 0),
 ('REPICMOTrack', 'P02-581', -581, '委外工序转出单', 0),
 ('REPICMOTrack', 'P03-582', -582, '委外工序接收单', 0),
 ('REPICMOTrack', 'P04-710', -710, '工序检验申请单', 0),
 ('REPICMOTrack', 'P05-715', -715, '工序检验单', 0),
 ('REPICMOTrack', 'P061002504', 1002504, '工序汇报单', 0),

 ('WWICMOTrack', 'A01-571', -571, '委外加工生产任务单', 1),
 ('WWICMOTrack', 'A02-88', -88, '生产投料单', 1),
 ('WWICMOTrack', 'A03-28', -28, '委外加工出库单', 1),
 ('WWICMOTrack', 'A04-5', -5, '委外加工入库单', 1),
 ('WWICMOTrack', 'A10-81', -81, '销售订单', 0),
 ('WWICMOTrack', 'A111007100', 1007100, '外销订单', 0),
 ('WWICMOTrack', 'P00-52', -52, '工序计划单', 0),
 ('WWICMOTrack', 'P02-581', -581, '委外工序转出单', 0),
 ('WWICMOTrack', 'P03-582', -582, '委外工序接收单', 0);

-- Letters of credit belong to export orders: domestic sales orders do not show them by default
-- (their option dialog hides the box and saves it off).
INSERT INTO ICTrackOptionDef (FOptionKey, FKey, FID, FCaption, FDefault)
SELECT o.FOptionKey, s.FKey, 0, s.FCaption,
       CASE WHEN o.FOptionKey = 'QzSeorderTrack_81' AND s.FKey = 'ShowLC' THEN 0
            ELSE s.FDefault END
FROM (SELECT 'QzSeorderTrack_81' AS FOptionKey UNION ALL SELECT 'QzSeorderTrack_1007100') o,
     (SELECT 'ShowInform' AS FKey, '显示发货（出运）/退货（退运）通知单' AS FCaption, 1 AS FDefault
      UNION ALL SELECT 'ShowInvoice', '显示销售发票', 1
      UNION ALL SELECT 'ShowSaleOut', '显示销售出库单', 1
      UNION ALL SELECT 'ShowPreReceive', '显示预收款单', 0
      UNION ALL SELECT 'ShowMO', '显示生产任务单', 1
      UNION ALL SELECT 'ShowReceive', '显示收/退款单', 1
      UNION ALL SELECT 'ShowLC', '显示出口信用证', 1
      UNION ALL SELECT 'ShowAmount', '显示金额', 1
      UNION ALL SELECT 'ShowFilter', '选单时弹出序时簿过滤界面', 0) s;

-- The captions of the options, and the labels the middle tier makes itself, in the other
-- languages; the middle tier answers in the session's.
INSERT INTO ICTrackCaption (FCaption, FCaption_CHT, FCaption_EN) VALUES
 ('产品入库单', '產品入庫單', 'Product Receipt'),
 ('外销订单', '外銷訂單', 'Export Order'),
 ('委外加工入库单', '委外加工入庫單', 'Outsourced Processing Receipt'),
 ('委外加工出库单', '委外加工出庫單', 'Outsourced Processing Issue'),
 ('委外加工生产任务单', '委外加工生產任務單', 'Outsourced Processing Task Order'),
 ('委外工序接收单', '委外工序接收單', 'Outsourced Operation Receipt'),
 ('委外工序转出单', '委外工序轉出單', 'Outsourced Operation Transfer'),
 ('工序检验单', '工序檢驗單', 'Operation Inspection'),
 ('工序检验申请单', '工序檢驗申請單', 'Operation Inspection Request'),
 ('工序汇报单', '工序匯報單', 'Operation Report'),
 ('工序移转单', '工序移轉單', 'Operation Transfer'),
 ('工序计划单', '工序計劃單', 'Operation Plan'),
 ('显示出口信用证', '顯示出口信用證', 'Show Export Letters of Credit'),
 ('显示发货（出运）/退货（退运）通知单', '顯示發貨（出運）/退貨（退運）通知單', 'Show Delivery (Shipment)/Return (Return Shipment) Notices'),
 ('显示收/退款单', '顯示收/退款單', 'Show Receipts/Refunds'),
 ('显示生产任务单', '顯示生產任務單', 'Show Production Task Orders'),
 ('显示金额', '顯示金額', 'Show Amounts'),
 ('显示销售出库单', '顯示銷售出庫單', 'Show Sales Outbound Bills'),
 ('显示销售发票', '顯示銷售發票', 'Show Sales Invoices'),
 ('显示预收款单', '顯示預收款單', 'Show Advance Receipts'),
 ('替代物料清单', '替代物料清單', 'Substitute Material List'),
 ('生产任务单', '生產任務單', 'Production Task Order'),
 ('生产任务单汇报', '生產任務單匯報', 'Task Order Report'),
 ('生产投料单', '生產投料單', 'Production Material List'),
 ('生产领料单', '生產領料單', 'Production Material Requisition'),
 ('选单时弹出序时簿过滤界面', '選單時彈出序時簿過濾界面', 'Show the List Filter When Selecting Bills'),
 ('重复生产任务单', '重複生產任務單', 'Repetitive Production Task Order'),
 ('销售订单', '銷售訂單', 'Sales Order'),
 ('发货', '發貨', 'Delivery'),
 ('退货', '退貨', 'Return'),
 ('已审核', '已審核', 'Checked'),
 ('未审核', '未審核', 'Not checked');
