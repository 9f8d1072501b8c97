#pragma once
// Access checks, the system profile and the client's switch file. Before a tracked bill is
// opened, viewed or changed the library asks the client's permission service whether the user
// may do so, and words the refusal in a fixed message.

#include <contracts/security.h>

#include <platform/automation/collections.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <memory>
#include <string>

namespace trackquery {

// A new permission object; its AccessCheck is the permission test. Fails with error 429 when the
// client has no permission service.
std::shared_ptr<IGLData> NewGLData();

// Whether the user may perform `action` on the bill kind `tranType` (the sign is ignored). The
// kind's own type number comes back in `kindType`. When refused, `message` holds the refusal
// ("对不起，你没有相应的%1权限！(%2)" filled with the action name and the kind's name) or, when
// the check itself failed, the failure's description. Never fails.
bool CheckAccess(int32_t tranType, int32_t action, int32_t& kindType, std::string& message);

// Whether the user may perform `action` on the bill class that `row` describes ("FObjectType",
// "FObjectID", "FName"). When refused and `showMessage` is set, the refusal is shown through the
// client's message object. Never fails.
bool CheckAccessRow(const automation::DictionaryPtr& row, int32_t action, bool showMessage);

// The translated name of an action code; empty for a code without a name.
std::string GetActionName(int32_t action);

// The user group switch of the client's system profile ("UlmBase.SystemProfile", section "IC",
// key "CheckUserGroup"): a null value is off. Failures reach the caller.
bool ReadCheckUserGroup();

// A value of the client's system profile, as the profile holds it; 0 on any failure.
automation::Variant GetSystemProfileValue(const std::string& key, const std::string& category);

// The text of the client's switch file. Without a path the file "ErpSwitch.sss" is looked for in
// the folder that the client's file service names for this library's folder, then in its
// "erpSystem" subfolder; when neither exists the result is empty. A read-only file is made
// writable for its owner before it is read. Failures of the file service reach the caller.
std::string ReadErpSwitch(const std::string& path = "");

// The folder this library was loaded from, with a trailing separator.
std::string GetLibraryFolder();

}  // namespace trackquery

#include <contracts/bills.h>

namespace trackquery {

// The process's item look-up component, created on first use and kept. Failures to create it
// reach the caller.
std::shared_ptr<IGLView> GetGLView();

// For tests only: drops the kept item look-up component.
void ResetGLView();

}  // namespace trackquery
