-- Reference data every ERP database carries: transaction types with their permission objects,
-- class types, and the bill lists of the list control.

-- FID, FType (the kind's own type number), permission object type and id, name.
INSERT INTO ICTransActionType (FID, FType, FObjectType, FObjectID, FName) VALUES
 (1, 1, 1005, 1, '外购入库'),
 (2, 2, 1005, 2, '产品入库'),
 (5, 5, 1005, 5, '委外加工入库'),
 (21, 21, 1006, 21, '销售出库'),
 (24, 24, 1006, 24, '生产领料'),
 (28, 28, 1006, 28, '委外加工出库'),
 (41, 41, 1007, 41, '调拨单'),
 (50, 50, 1017, 1, '物料清单'),
 (51, 51, 1017, 50, '工艺路线'),
 (500, 500, 1017, 27, '配置BOM'),
 (52, 52, 1030, 52, '工序计划单'),
 (54, 54, 1022, 10, '重复生产任务单'),
 (55, 55, 1022, 55, '生产任务改制单'),
 (80, 80, 1008, 80, '销售发票(专用)'),
 (81, 81, 1008, 23, '销售订单'),
 (82, 82, 1008, 82, '发货通知单'),
 (85, 85, 1022, 10, '生产任务单'),
 (86, 86, 1008, 86, '销售发票(普通)'),
 (87, 87, 1021, 87, '计划订单'),
 (88, 88, 1022, 89, '生产投料单'),
 (137, 137, 1007, 137, '其他出入库'),
 (501, 501, 1022, 501, '替代物料清单'),
 (502, 502, 1030, 502, '工序移转单'),
 (551, 551, 1022, 551, '生产任务单汇报'),
 (571, 571, 1022, 88, '委外加工生产任务单'),
 (581, 581, 1030, 581, '委外工序转出单'),
 (582, 582, 1030, 582, '委外工序接收单'),
 (700, 700, 1030, 700, '工序派工单'),
 (701, 701, 1040, 701, '来料检验单'),
 (703, 703, 1040, 703, '产品检验单'),
 (710, 710, 1040, 710, '工序检验申请单'),
 (713, 713, 1040, 713, '检验申请单'),
 (714, 714, 1040, 714, '不良品处理单'),
 (715, 715, 1040, 715, '工序检验单');

-- Class-template bills: the names of the class key and primary key columns of their lists.
INSERT INTO ICClassType (FID, FName, FClassTypeKey, FPrimaryKey, FObjectType, FObjectID) VALUES
 (1002504, '工序汇报单', 'FClassTypeID', 'FInterID', 1030, 2504),
 (1007100, '外销订单', 'FClassTypeID', 'FInterID', 2295, 2),
 (1007132, '出口信用证', 'FClassTypeID', 'FInterID', 2295, 32),
 (1000005, '收款单', 'FClassTypeID', 'FInterID', 1010, 5),
 (1000015, '预收单', 'FClassTypeID', 'FInterID', 1010, 15),
 (1000034, '销售收款', 'FClassTypeID', 'FInterID', 1010, 34);

INSERT INTO ICListDefinition (FListID, FName, FViewName, FKeyField) VALUES
 (32, '销售订单', 'ICList_32', 'FInterID'),
 (36, '生产任务单', 'ICList_36', 'FInterID'),
 (620, '委外加工生产任务单', 'ICList_620', 'FInterID');

INSERT INTO t_MeasureUnit (FMeasureUnitID, FNumber, FName) VALUES
 (1, 'PCS', '个'), (2, 'KG', '千克'), (3, 'M', '米'), (4, 'SET', '套');

INSERT INTO t_Currency (FCurrencyID, FNumber, FName) VALUES
 (1, 'RMB', '人民币'), (2, 'USD', '美元'), (3, 'EUR', '欧元');

INSERT INTO t_Operation (FOperID, FNumber, FName) VALUES
 (1, 'OP01', '下料'), (2, 'OP02', '车削'), (3, 'OP03', '铣削'), (4, 'OP04', '热处理'),
 (5, 'OP05', '装配'), (6, 'OP06', '检验'), (7, 'OP07', '包装');
