#pragma once
// Contracts of the client's permission service, system profiles, file service and application
// connection, as the library calls them. The client registers the real components under these
// ProgIDs; the library creates them with CreateObject and releases them after each use.

#include <platform/automation/object.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace adodb {
class Recordset;
}

namespace trackquery {

inline constexpr char kGLDataProgId[] = "JovGLView.GLData";
inline constexpr char kSystemProfileProgId[] = "UlmBase.SystemProfile";
inline constexpr char kSystemFuncProgId[] = "QzMPlanFunc.SystemFunc";
inline constexpr char kFileServiceProgId[] = "QzClientFile.FileService";
inline constexpr char kAppConnectionProgId[] = "QzConnection.AppConnection";

// Action bits of the permission service, as its rights tables store them.
inline constexpr int32_t kActionAdd = 0x20000;
inline constexpr int32_t kActionView = 0x200000;
inline constexpr int32_t kActionModify = 0x400000;

// The permission service. AccessCheck answers whether the session's user may perform the action
// (a bit mask such as kActionView) on the permission object (type, id).
class IGLData : public automation::Object {
  public:
    virtual bool AccessCheck(int32_t objectType, int32_t objectId, int32_t action) = 0;
    // Records one line in the client's access log (who did what, when): the function's code (such
    // as "K030105"), its phase (1 before the function runs, 2 after it) and its description.
    virtual void WriteLog(const std::string& code, int32_t phase, const std::string& text) = 0;
};

// The client's profile of switches by section and key ("IC", "CheckUserGroup"). The value comes
// back as stored; Null when the profile has no such entry.
class ISystemProfile : public automation::Object {
  public:
    virtual automation::Variant GetProfile(const std::string& propsString,
                                           const std::string& category, const std::string& key) = 0;
};

// The planning module's reader of the same profile, with key and category swapped.
class ISystemFunc : public automation::Object {
  public:
    virtual automation::Variant GetSystemProfile(const std::string& propsString,
                                                 const std::string& key,
                                                 const std::string& category) = 0;
};

// The client's file service. GetSearchPath turns the folder the library was loaded from into the
// folder where the client keeps its switch files; the result ends with a path separator.
// ReadFileText returns a file's whole text; with bTrimLineEnd set, the line breaks at the end of
// the text are dropped. A missing or unreadable file is a run-time error.
class IFileService : public automation::Object {
  public:
    virtual std::string GetSearchPath(const std::string& appPath) = 0;
    virtual std::string ReadFileText(const std::string& path, bool bTrimLineEnd) = 0;
};

// The client's connection to the ERP database of the session. Execute runs one statement; the
// values in `parameters` are bound to the statement's "?" placeholders in order.
class IAppConnection : public automation::Object {
  public:
    virtual std::shared_ptr<adodb::Recordset> Execute(
        const std::string& sql, const std::vector<automation::Variant>& parameters = {}) = 0;
};

}  // namespace trackquery
