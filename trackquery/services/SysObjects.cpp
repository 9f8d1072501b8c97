// Access checks, the system profile and the switch file.

#include <trackquery/services/SysObjects.h>

#include <contracts/middle_tier.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/messages.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

namespace trackquery {

using automation::CreateObject;
using automation::Variant;

namespace {

constexpr char kRefusalMessage[] = "对不起，你没有相应的%1权限！(%2)";
constexpr char kSwitchFileName[] = "ErpSwitch.sss";
constexpr char kSwitchSubFolderFile[] = "erpSystem/ErpSwitch.sss";

// The transaction-type row that describes a bill kind. The kind is always read by its absolute
// value; the value is a number, so the statement text cannot carry anything but digits.
RecordsetPtr ReadTransActionType(int32_t tranType) {
    const int64_t kind = std::llabs(static_cast<int64_t>(tranType));
    auto query = CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
    return query->GetRs(
        GetPropsString(),
        " SELECT FType,FObjectType,FObjectID,FName FROM ICTransActionType WHERE FID=" +
            std::to_string(kind));
}

Variant FieldValue(const RecordsetPtr& rs, const char* name) {
    if (!rs) automation::Raise(automation::vberr::ObjectVariableNotSet);
    return rs->Fields()->Item(name)->Value();
}

bool HasRow(const RecordsetPtr& rs) { return rs && !rs->Eof(); }

// A read-only file is one without any write permission bit; "archive only" on this platform is
// the file made writable by its owner.
void ClearReadOnly(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    const auto perms = fs::status(file).permissions();
    const auto writeBits =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((perms & writeBits) == fs::perms::none)
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace

std::shared_ptr<IGLData> NewGLData() { return CreateObject<IGLData>(kGLDataProgId); }

bool CheckAccess(int32_t tranType, int32_t action, int32_t& kindType, std::string& message) {
    try {
        auto rs = ReadTransActionType(tranType);
        bool allowed = false;
        if (HasRow(rs)) {
            kindType = automation::CLng(FieldValue(rs, "FType"));
            allowed =
                NewGLData()->AccessCheck(automation::CLng(FieldValue(rs, "FObjectType")),
                                         automation::CLng(FieldValue(rs, "FObjectID")), action);
        }
        // Without a row, reading the kind's name fails and the failure becomes the message.
        if (!allowed)
            message = FormatResText(kRefusalMessage, GetActionName(action),
                                    automation::CStr(FieldValue(rs, "FName")));
        return allowed;
    } catch (const automation::RuntimeError& error) {
        message = LoadResText(error.Description());
        return false;
    }
}

bool CheckAccessRow(const automation::DictionaryPtr& row, int32_t action, bool showMessage) {
    try {
        if (!row) automation::Raise(automation::vberr::ObjectVariableNotSet);
        const bool allowed =
            NewGLData()->AccessCheck(automation::CLng(row->Item("FObjectType")),
                                     automation::CLng(row->Item("FObjectID")), action);
        if (allowed) return true;
        if (showMessage)
            ShowMessage(FormatResText(kRefusalMessage, GetActionName(action),
                                      automation::CStr(row->Item("FName"))));
        return false;
    } catch (const automation::RuntimeError&) {
        return false;
    }
}

std::string GetActionName(int32_t action) {
    switch (action) {
        case kActionAdd:
            return LoadResText("新增");
        case kActionView:
            return LoadResText("查看");
        case kActionModify:
            return LoadResText("修改");
        default:
            return "";
    }
}

bool ReadCheckUserGroup() {
    auto profile = CreateObject<ISystemProfile>(kSystemProfileProgId);
    const Variant value = profile->GetProfile(GetPropsString(), "IC", "CheckUserGroup");
    return value.IsNull() ? false : automation::CBool(value);
}

Variant GetSystemProfileValue(const std::string& key, const std::string& category) {
    try {
        auto systemFunc = CreateObject<ISystemFunc>(kSystemFuncProgId);
        return systemFunc->GetSystemProfile(GetPropsString(), key, category);
    } catch (const automation::RuntimeError&) {
        return Variant(int16_t{0});
    }
}

std::string ReadErpSwitch(const std::string& path) {
    namespace fs = std::filesystem;
    auto files = CreateObject<IFileService>(kFileServiceProgId);
    std::string file = path;
    if (file.empty()) {
        const std::string folder = files->GetSearchPath(GetLibraryFolder());
        if (fs::exists(folder + kSwitchFileName))
            file = folder + kSwitchFileName;
        else if (fs::exists(folder + kSwitchSubFolderFile))
            file = folder + kSwitchSubFolderFile;
        else
            return "";
    }
    ClearReadOnly(file);
    return files->ReadFileText(file, true);
}

std::string GetLibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&GetLibraryFolder), &info) == 0 || !info.dli_fname)
        return "";
    std::error_code error;
    auto file = std::filesystem::canonical("/proc/self/exe", error);
    std::filesystem::path loaded(info.dli_fname);
    // A static link reports the program's own name, possibly without a folder.
    if (!loaded.has_parent_path() && !error) loaded = file;
    auto folder = std::filesystem::absolute(loaded, error).parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace trackquery

namespace trackquery {

namespace {
std::shared_ptr<IGLView>& KeptGLView() {
    static std::shared_ptr<IGLView> view;
    return view;
}
}  // namespace

std::shared_ptr<IGLView> GetGLView() {
    auto& view = KeptGLView();
    if (!view) view = CreateObject<IGLView>(kGLViewProgId);
    return view;
}

void ResetGLView() { KeptGLView().reset(); }

}  // namespace trackquery
