#pragma once
// Registers the security components by ProgID: "JovGLView.GLData", "UlmBase.SystemProfile",
// "QzMPlanFunc.SystemFunc", "QzClientFile.FileService" and "QzConnection.AppConnection". They
// need the session ("PropsMgr.ShareProps") to hold a property string whose connection part names
// the ERP database.

#include <string>

namespace client {

// `clientFolder` is where the file service looks for the client's switch file "ErpSwitch.sss"
// (and its "erpSystem" subfolder); empty means the folder the library was loaded from.
void RegisterSecurityComponents(const std::string& clientFolder = "");

}  // namespace client
