#pragma once
// Registers the bill components by ProgID: "QzBills.Bills", "QzBillsEx.Bills", "CSystemDlg.Sys",
// "QzClassTpl.DataSrv", "QzClassLookUp.BillLookUp", "QzSingleClassBill.ClassInfoManager",
// "JovGLView.GLView" and the bill list control "QzList.ICList". They read the ERP database that
// the session's property string names ("PropsMgr.ShareProps").

namespace client {

void RegisterBillComponents();

}  // namespace client
