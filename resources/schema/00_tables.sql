-- ERP database of the tracking views: the tables a manufacturing and distribution ERP keeps for
-- users and rights, items, BOMs and routings, task orders and their shop-floor bills, stock bills
-- and balances, and sales and export orders with every downstream bill.
-- Dates are stored as ISO texts (YYYY-MM-DD); columns declared DATE are read back as dates.
-- Ids are integers; every link column holds the internal id of the bill it points to.

-- Users, user groups, rights and the system profile -------------------------------------------

CREATE TABLE t_User (
    FUserID      INTEGER PRIMARY KEY,
    FName        TEXT NOT NULL UNIQUE,
    FDescription TEXT NOT NULL DEFAULT '',
    FForbidden   INTEGER NOT NULL DEFAULT 0
);

-- Names of the user groups. Group 0 is the group every user belongs to; it never makes two users
-- "share a group".
CREATE TABLE t_UserGroup (
    FGroupID INTEGER PRIMARY KEY,
    FName    TEXT NOT NULL UNIQUE
);

-- Membership: one row per user and group.
CREATE TABLE t_Group (
    FGroupID INTEGER NOT NULL,
    FUserID  INTEGER NOT NULL,
    PRIMARY KEY (FGroupID, FUserID)
);

-- Rights: an owner (FOwnerType 0 = user, 1 = group) holds the actions of FAccessMask on one
-- permission object (object type and object id).
CREATE TABLE t_AccessRight (
    FOwnerType  INTEGER NOT NULL,
    FOwnerID    INTEGER NOT NULL,
    FObjectType INTEGER NOT NULL,
    FObjectID   INTEGER NOT NULL,
    FAccessMask INTEGER NOT NULL,
    PRIMARY KEY (FOwnerType, FOwnerID, FObjectType, FObjectID)
);

-- The permission service's log of checked functions.
CREATE TABLE t_AccessLog (
    FID          INTEGER PRIMARY KEY AUTOINCREMENT,
    FUserID      INTEGER NOT NULL,
    FFunction    TEXT NOT NULL,
    FPhase       INTEGER NOT NULL DEFAULT 0,
    FDescription TEXT NOT NULL,
    FDate        TEXT NOT NULL DEFAULT (datetime('now'))
);

-- System profile switches by category and key (for example IC / CheckUserGroup).
CREATE TABLE t_SystemProfile (
    FCategory TEXT NOT NULL,
    FKey      TEXT NOT NULL,
    FValue    TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (FCategory, FKey)
);

-- Bill kinds and bill classes ------------------------------------------------------------------

-- Transaction types (classic bill kinds) and the permission object that guards each.
CREATE TABLE ICTransActionType (
    FID         INTEGER PRIMARY KEY,
    FType       INTEGER NOT NULL,
    FObjectType INTEGER NOT NULL,
    FObjectID   INTEGER NOT NULL,
    FName       TEXT NOT NULL
);

-- Class types (class-template bills): the names of their class key and primary key columns.
CREATE TABLE ICClassType (
    FID           INTEGER PRIMARY KEY,
    FName         TEXT NOT NULL,
    FClassTypeKey TEXT NOT NULL,
    FPrimaryKey   TEXT NOT NULL,
    FObjectType   INTEGER NOT NULL DEFAULT 0,
    FObjectID     INTEGER NOT NULL DEFAULT 0
);

-- Base data -------------------------------------------------------------------------------------

CREATE TABLE t_MeasureUnit (
    FMeasureUnitID INTEGER PRIMARY KEY,
    FNumber        TEXT NOT NULL UNIQUE,
    FName          TEXT NOT NULL
);

CREATE TABLE t_ICItem (
    FItemID      INTEGER PRIMARY KEY,
    FNumber      TEXT NOT NULL UNIQUE,
    FShortNumber TEXT NOT NULL DEFAULT '',
    FName        TEXT NOT NULL,
    FModel       TEXT NOT NULL DEFAULT '',
    FUnitID      INTEGER NOT NULL,
    FErpClsID    INTEGER NOT NULL DEFAULT 1,   -- 1 purchased, 2 self-made, 3 outsourced
    FQtyDecimal  INTEGER NOT NULL DEFAULT 0,
    FPriceDecimal INTEGER NOT NULL DEFAULT 2
);

CREATE TABLE t_Stock (
    FStockID INTEGER PRIMARY KEY,
    FNumber  TEXT NOT NULL UNIQUE,
    FName    TEXT NOT NULL
);

CREATE TABLE t_Department (
    FDeptID INTEGER PRIMARY KEY,
    FNumber TEXT NOT NULL UNIQUE,
    FName   TEXT NOT NULL
);

CREATE TABLE t_Organization (   -- customers
    FCustID INTEGER PRIMARY KEY,
    FNumber TEXT NOT NULL UNIQUE,
    FName   TEXT NOT NULL
);

CREATE TABLE t_Supplier (
    FSupplyID INTEGER PRIMARY KEY,
    FNumber   TEXT NOT NULL UNIQUE,
    FName     TEXT NOT NULL
);

CREATE TABLE t_Currency (
    FCurrencyID INTEGER PRIMARY KEY,
    FNumber     TEXT NOT NULL UNIQUE,
    FName       TEXT NOT NULL
);

CREATE TABLE t_Operation (
    FOperID INTEGER PRIMARY KEY,
    FNumber TEXT NOT NULL UNIQUE,
    FName   TEXT NOT NULL
);

-- Stock balance per item and warehouse.
CREATE TABLE ICInventory (
    FItemID  INTEGER NOT NULL,
    FStockID INTEGER NOT NULL,
    FQty     REAL NOT NULL DEFAULT 0,
    PRIMARY KEY (FItemID, FStockID)
);

-- BOMs and routings -----------------------------------------------------------------------------

CREATE TABLE ICBOM (
    FInterID   INTEGER PRIMARY KEY,
    FBOMNumber TEXT NOT NULL UNIQUE,
    FTranType  INTEGER NOT NULL DEFAULT 50,
    FItemID    INTEGER NOT NULL,
    FQty       REAL NOT NULL DEFAULT 1,
    FStatus    INTEGER NOT NULL DEFAULT 1,
    FBillerID  INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE ICBOMChild (
    FInterID INTEGER NOT NULL,
    FEntryID INTEGER NOT NULL,
    FItemID  INTEGER NOT NULL,
    FQty     REAL NOT NULL,
    PRIMARY KEY (FInterID, FEntryID)
);

CREATE TABLE t_Routing (
    FInterID       INTEGER PRIMARY KEY,
    FRoutingNumber TEXT NOT NULL UNIQUE,
    FItemID        INTEGER NOT NULL,
    FBillerID      INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE t_RoutingOper (
    FInterID INTEGER NOT NULL,
    FEntryID INTEGER NOT NULL,
    FOperSN  INTEGER NOT NULL,
    FOperID  INTEGER NOT NULL,
    PRIMARY KEY (FInterID, FEntryID)
);

-- Task orders -----------------------------------------------------------------------------------

-- FTranType 85 task orders (FScheduleID 0 ordinary, otherwise repetitive), 571 outsourced
-- processing task orders. FStatus: 0 planned, 1 released, 2 started, 3 closed, 5 confirmed.
-- FOrderClassTypeID/FOrderInterID/FOrderEntryID name the sales (81) or export (1007100) order
-- entry the task order was made for; FParentInterID the task order it was split from.
CREATE TABLE ICMO (
    FInterID          INTEGER PRIMARY KEY,
    FBillNo           TEXT NOT NULL UNIQUE,
    FTranType         INTEGER NOT NULL,
    FScheduleID       INTEGER NOT NULL DEFAULT 0,
    FType             INTEGER NOT NULL DEFAULT 1054,
    FStatus           INTEGER NOT NULL DEFAULT 0,
    FSuspend          INTEGER NOT NULL DEFAULT 0,
    FCancellation     INTEGER NOT NULL DEFAULT 0,
    FBillerID         INTEGER NOT NULL,
    FCheckerID        INTEGER NOT NULL DEFAULT 0,
    FDate             DATE NOT NULL,
    FItemID           INTEGER NOT NULL,
    FUnitID           INTEGER NOT NULL,
    FBOMInterID       INTEGER NOT NULL DEFAULT 0,
    FRoutingID        INTEGER NOT NULL DEFAULT 0,
    FWorkShop         INTEGER NOT NULL DEFAULT 0,
    FSupplyID         INTEGER NOT NULL DEFAULT 0,
    FQty              REAL NOT NULL,
    FStockQty         REAL NOT NULL DEFAULT 0,
    FPlanCommitDate   DATE NOT NULL,
    FPlanFinishDate   DATE NOT NULL,
    FCommitDate       DATE,
    FFinishDate       DATE,
    FParentInterID    INTEGER NOT NULL DEFAULT 0,
    FOrderClassTypeID INTEGER NOT NULL DEFAULT 0,
    FOrderInterID     INTEGER NOT NULL DEFAULT 0,
    FOrderEntryID     INTEGER NOT NULL DEFAULT 0,
    FNote             TEXT NOT NULL DEFAULT ''
);

-- Production material list (one per task order) and its entries.
CREATE TABLE PPBOM (
    FInterID     INTEGER PRIMARY KEY,
    FBillNo      TEXT NOT NULL UNIQUE,
    FICMOInterID INTEGER NOT NULL,
    FStatus      INTEGER NOT NULL DEFAULT 1,
    FBillerID    INTEGER NOT NULL,
    FDate        DATE NOT NULL
);

CREATE TABLE PPBOMEntry (
    FInterID   INTEGER NOT NULL,
    FEntryID   INTEGER NOT NULL,
    FItemID    INTEGER NOT NULL,
    FQtyMust   REAL NOT NULL,
    FQtySupply REAL NOT NULL DEFAULT 0,
    PRIMARY KEY (FInterID, FEntryID)
);

-- Material substitution lines of a task order: the material of the list and its substitute.
CREATE TABLE ICSubstitute (
    FInterID     INTEGER PRIMARY KEY,
    FICMOInterID INTEGER NOT NULL,
    FEntryID     INTEGER NOT NULL,
    FItemID      INTEGER NOT NULL,
    FSubsItemID  INTEGER NOT NULL,
    FQty         REAL NOT NULL,
    FBillerID    INTEGER NOT NULL
);

-- Task order reports (finished quantities reported by the shop floor).
CREATE TABLE ICMORpt (
    FInterID     INTEGER PRIMARY KEY,
    FBillNo      TEXT NOT NULL UNIQUE,
    FICMOInterID INTEGER NOT NULL,
    FDate        DATE NOT NULL,
    FQtyFinish   REAL NOT NULL,
    FQtyPass     REAL NOT NULL,
    FQtyScrap    REAL NOT NULL DEFAULT 0,
    FStatus      INTEGER NOT NULL DEFAULT 0,
    FBillerID    INTEGER NOT NULL
);

-- Work bills: the operation plan of a task order. FBillType 11620 ordinary, 11621 rework.
-- Each entry is one operation record; FDetailID identifies it for the bills of that operation.
CREATE TABLE SHWorkBill (
    FInterID     INTEGER PRIMARY KEY,
    FBillNo      TEXT NOT NULL UNIQUE,
    FBillType    INTEGER NOT NULL,
    FICMOInterID INTEGER NOT NULL,
    FItemID      INTEGER NOT NULL,
    FStatus      INTEGER NOT NULL DEFAULT 1,
    FBillerID    INTEGER NOT NULL,
    FDate        DATE NOT NULL
);

CREATE TABLE SHWorkBillEntry (
    FDetailID    INTEGER PRIMARY KEY,
    FInterID     INTEGER NOT NULL,
    FEntryID     INTEGER NOT NULL,
    FOperSN      INTEGER NOT NULL,
    FOperID      INTEGER NOT NULL,
    FQtyPlan     REAL NOT NULL,
    FQtyFinish   REAL NOT NULL DEFAULT 0,
    FQtyPass     REAL NOT NULL DEFAULT 0,
    FQtyScrap    REAL NOT NULL DEFAULT 0,
    FPlanStartDate DATE NOT NULL,
    FPlanEndDate DATE NOT NULL,
    UNIQUE (FInterID, FEntryID)
);

-- Bills of one operation record (FWBEntryID = SHWorkBillEntry.FDetailID): operation transfers
-- (502), outsourced operation dispatches (581) and receipts (582), operation inspection requests
-- (710) and inspection reports (715), operation reports (class type 1002504).
CREATE TABLE SHOperBill (
    FInterID     INTEGER PRIMARY KEY,
    FTranType    INTEGER NOT NULL,
    FBillNo      TEXT NOT NULL UNIQUE,
    FWBEntryID   INTEGER NOT NULL,
    FICMOInterID INTEGER NOT NULL,
    FItemID      INTEGER NOT NULL,
    FOperID      INTEGER NOT NULL,
    FSupplyID    INTEGER NOT NULL DEFAULT 0,
    FQty         REAL NOT NULL,
    FQtyPass     REAL NOT NULL DEFAULT 0,
    FQtyScrap    REAL NOT NULL DEFAULT 0,
    FStatus      INTEGER NOT NULL DEFAULT 0,
    FBillerID    INTEGER NOT NULL,
    FDate        DATE NOT NULL
);

-- Stock bills of every kind: 1 purchase receipt, 2 product receipt, 5 outsourced processing
-- receipt, 21 sales outbound, 24 production issue, 28 outsourced material issue, 41 transfer.
-- FStatus 0 saved, 1 checked. Entries name the task order or the order entry they serve.
CREATE TABLE ICStockBill (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       TEXT NOT NULL UNIQUE,
    FTranType     INTEGER NOT NULL,
    FDate         DATE NOT NULL,
    FStatus       INTEGER NOT NULL DEFAULT 0,
    FCancellation INTEGER NOT NULL DEFAULT 0,
    FBillerID     INTEGER NOT NULL,
    FCheckerID    INTEGER NOT NULL DEFAULT 0,
    FDeptID       INTEGER NOT NULL DEFAULT 0,
    FCustID       INTEGER NOT NULL DEFAULT 0,
    FSupplyID     INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE ICStockBillEntry (
    FInterID        INTEGER NOT NULL,
    FEntryID        INTEGER NOT NULL,
    FItemID         INTEGER NOT NULL,
    FQty            REAL NOT NULL,
    FPrice          REAL NOT NULL DEFAULT 0,
    FAmount         REAL NOT NULL DEFAULT 0,
    FStockID        INTEGER NOT NULL DEFAULT 0,
    FICMOInterID    INTEGER NOT NULL DEFAULT 0,
    FOrderInterID   INTEGER NOT NULL DEFAULT 0,
    FOrderEntryID   INTEGER NOT NULL DEFAULT 0,
    FSourceTranType INTEGER NOT NULL DEFAULT 0,
    FSourceInterID  INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (FInterID, FEntryID)
);

-- Sales and export orders ----------------------------------------------------------------------

-- FClassTypeID 0 sales order, 1007100 export order. FStatus 0 saved, 1 checked, 3 closed.
CREATE TABLE SEOrder (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       TEXT NOT NULL UNIQUE,
    FTranType     INTEGER NOT NULL DEFAULT 81,
    FClassTypeID  INTEGER NOT NULL DEFAULT 0,
    FDate         DATE NOT NULL,
    FCustID       INTEGER NOT NULL,
    FDeptID       INTEGER NOT NULL DEFAULT 0,
    FCurrencyID   INTEGER NOT NULL,
    FExchangeRate REAL NOT NULL DEFAULT 1,
    FStatus       INTEGER NOT NULL DEFAULT 0,
    FCheckerID    INTEGER,
    FCancellation INTEGER NOT NULL DEFAULT 0,
    FBillerID     INTEGER NOT NULL,
    FNote         TEXT NOT NULL DEFAULT ''
);

CREATE TABLE SEOrderEntry (
    FInterID      INTEGER NOT NULL,
    FEntryID      INTEGER NOT NULL,
    FItemID       INTEGER NOT NULL,
    FQty          REAL NOT NULL,
    FPrice        REAL NOT NULL,
    FAmount       REAL NOT NULL,
    FDeliveryDate DATE NOT NULL,
    FMrpClosed    INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (FInterID, FEntryID)
);

-- Shipping lots of an export order entry.
CREATE TABLE SEOrderExpDetail (
    FDetailID     INTEGER PRIMARY KEY,
    FInterID      INTEGER NOT NULL,
    FEntryID      INTEGER NOT NULL,
    FQty          REAL NOT NULL,
    FAmount       REAL NOT NULL,
    FShipDate     DATE NOT NULL
);

-- Export letters of credit (class type 1007132), one line per order entry covered.
CREATE TABLE t_ExpLC (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       TEXT NOT NULL UNIQUE,
    FLCNumber     TEXT NOT NULL,
    FBank         TEXT NOT NULL DEFAULT '',
    FOrderInterID INTEGER NOT NULL,
    FOrderEntryID INTEGER NOT NULL,
    FAmount       REAL NOT NULL,
    FDate         DATE NOT NULL,
    FExpiryDate   DATE NOT NULL,
    FStatus       INTEGER NOT NULL DEFAULT 0,
    FBillerID     INTEGER NOT NULL
);

-- Delivery and return notices (82). FROB 1 delivery, -1 return.
CREATE TABLE SEOutStock (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       TEXT NOT NULL UNIQUE,
    FTranType     INTEGER NOT NULL DEFAULT 82,
    FROB          INTEGER NOT NULL DEFAULT 1,
    FDate         DATE NOT NULL,
    FCustID       INTEGER NOT NULL,
    FStatus       INTEGER NOT NULL DEFAULT 0,
    FCancellation INTEGER NOT NULL DEFAULT 0,
    FBillerID     INTEGER NOT NULL
);

CREATE TABLE SEOutStockEntry (
    FInterID      INTEGER NOT NULL,
    FEntryID      INTEGER NOT NULL,
    FItemID       INTEGER NOT NULL,
    FQty          REAL NOT NULL,
    FAmount       REAL NOT NULL,
    FOrderInterID INTEGER NOT NULL,
    FOrderEntryID INTEGER NOT NULL,
    PRIMARY KEY (FInterID, FEntryID)
);

-- Sales invoices: 80 special VAT invoice, 86 ordinary invoice. FHookStatus 0 none, 1 partly,
-- 2 fully matched with outbound bills.
CREATE TABLE ICSale (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       TEXT NOT NULL UNIQUE,
    FTranType     INTEGER NOT NULL DEFAULT 80,
    FDate         DATE NOT NULL,
    FCustID       INTEGER NOT NULL,
    FStatus       INTEGER NOT NULL DEFAULT 0,
    FCancellation INTEGER NOT NULL DEFAULT 0,
    FHookStatus   INTEGER NOT NULL DEFAULT 0,
    FBillerID     INTEGER NOT NULL
);

CREATE TABLE ICSaleEntry (
    FInterID      INTEGER NOT NULL,
    FEntryID      INTEGER NOT NULL,
    FItemID       INTEGER NOT NULL,
    FQty          REAL NOT NULL,
    FAmount       REAL NOT NULL,
    FOrderInterID INTEGER NOT NULL,
    FOrderEntryID INTEGER NOT NULL,
    PRIMARY KEY (FInterID, FEntryID)
);

-- Receipts of payment: class type 1000005 receipt, 1000015 advance receipt.
CREATE TABLE t_RPReceipt (
    FInterID     INTEGER PRIMARY KEY,
    FBillNo      TEXT NOT NULL UNIQUE,
    FClassTypeID INTEGER NOT NULL,
    FDate        DATE NOT NULL,
    FCustID      INTEGER NOT NULL,
    FStatus      INTEGER NOT NULL DEFAULT 0,
    FBillerID    INTEGER NOT NULL
);

CREATE TABLE t_RPReceiptEntry (
    FInterID      INTEGER NOT NULL,
    FEntryID      INTEGER NOT NULL,
    FAmount       REAL NOT NULL,
    FOrderInterID INTEGER NOT NULL,
    FOrderEntryID INTEGER NOT NULL,
    PRIMARY KEY (FInterID, FEntryID)
);

-- Write-off lines: a receipt matched against the receivable of an order entry.
CREATE TABLE t_RPWriteOff (
    FID               INTEGER PRIMARY KEY,
    FNumber           TEXT NOT NULL UNIQUE,
    FReceiptInterID   INTEGER NOT NULL,
    FOrderInterID     INTEGER NOT NULL,
    FOrderEntryID     INTEGER NOT NULL,
    FAmount           REAL NOT NULL,
    FDate             DATE NOT NULL,
    FBillerID         INTEGER NOT NULL
);

-- Tracking templates, bill options and user options ---------------------------------------------

-- Field definitions of the tracking views. FTrackType selects the template family: 85 task order
-- head fields (FTranType -85, -54, -571), -85 tracked bill kinds of task orders (FTranType = the
-- kind's FID), 81 sales order phases (FTranType = phase) and the order head (FTranType -81).
CREATE TABLE ICTrackTemplate (
    FTrackType   INTEGER NOT NULL,
    FTranType    INTEGER NOT NULL,
    FIndex       INTEGER NOT NULL,
    FKey         TEXT NOT NULL,
    FCaption     TEXT NOT NULL,
    FCaption_CHT TEXT NOT NULL DEFAULT '',
    FCaption_EN  TEXT NOT NULL DEFAULT '',
    FCtlType     INTEGER NOT NULL DEFAULT 0,
    FVisible     INTEGER NOT NULL DEFAULT 1,
    FAlign       INTEGER NOT NULL DEFAULT 0,
    FSum         INTEGER NOT NULL DEFAULT 0,
    FDecimalSrc  TEXT NOT NULL DEFAULT '',
    FFormat      INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (FTrackType, FTranType, FIndex)
);

-- Where the rows of each tracked kind come from: a view with a column FParentID (the task order,
-- or for operation package kinds the operation record) and the columns its template names.
CREATE TABLE ICTrackKind (
    FTrackType INTEGER NOT NULL,
    FTranType  INTEGER NOT NULL,
    FViewName  TEXT NOT NULL,
    PRIMARY KEY (FTrackType, FTranType)
);

-- The options a user can switch, per option set ("ICMOTrack", "QzSeorderTrack_81", ...).
-- FKey sorts the options; FDefault is the value until the user saves a choice.
-- Translations of option captions, keyed by the Simplified Chinese caption.
CREATE TABLE ICTrackCaption (
    FCaption     TEXT PRIMARY KEY,
    FCaption_CHT TEXT NOT NULL,
    FCaption_EN  TEXT NOT NULL
);

CREATE TABLE ICTrackOptionDef (
    FOptionKey TEXT NOT NULL,
    FKey       TEXT NOT NULL,
    FID        INTEGER NOT NULL DEFAULT 0,
    FCaption   TEXT NOT NULL,
    FDefault   INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (FOptionKey, FKey)
);

-- A user's saved choice: one row per option of the set, written whole on every save.
CREATE TABLE ICTrackOptionUser (
    FOptionKey TEXT NOT NULL,
    FUserID    INTEGER NOT NULL,
    FKey       TEXT NOT NULL,
    FValue     INTEGER NOT NULL,
    PRIMARY KEY (FOptionKey, FUserID, FKey)
);

-- Window options of a tracking window (tool check states), per user and option key.
CREATE TABLE ICTrackFrmOption (
    FOptionKey TEXT NOT NULL,
    FUserID    INTEGER NOT NULL,
    FKey       TEXT NOT NULL,
    FValue     INTEGER NOT NULL,
    PRIMARY KEY (FOptionKey, FUserID, FKey)
);

-- Bill lists offered by the list control: list id, caption and the view it lists (aliased v1).
CREATE TABLE ICListDefinition (
    FListID   INTEGER PRIMARY KEY,
    FName     TEXT NOT NULL,
    FViewName TEXT NOT NULL,
    FKeyField TEXT NOT NULL
);
