// The permission service over the rights tables.

#include <components/security/gl_data.h>

#include <components/security/security_schema.h>
#include <components/session/kept_connections.h>
#include <components/session/props_string.h>
#include <components/session/session_database.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>

namespace client {

using automation::Variant;

namespace {

// The user's own rights (owner type 0) and those of every group the user belongs to (owner
// type 1).
constexpr char kRightsSql[] =
    "SELECT FAccessMask FROM t_AccessRight "
    "WHERE FOwnerType=0 AND FOwnerID=? AND FObjectType=? AND FObjectID=? "
    "UNION ALL "
    "SELECT r.FAccessMask FROM t_AccessRight r INNER JOIN t_Group g ON g.FGroupID=r.FOwnerID "
    "WHERE r.FOwnerType=1 AND g.FUserID=? AND r.FObjectType=? AND r.FObjectID=?";

int64_t GrantedMask(adodb::Connection& cnn, int32_t userId, int32_t objectType, int32_t objectId) {
    auto rs = cnn.Execute(kRightsSql, {Variant(userId), Variant(objectType), Variant(objectId),
                                       Variant(userId), Variant(objectType), Variant(objectId)});
    int64_t mask = 0;
    for (; !rs->Eof(); rs->MoveNext()) {
        const auto value = rs->Value("FAccessMask");
        if (!value.IsNull()) mask |= static_cast<int64_t>(automation::CDbl(value));
    }
    return mask;
}

}  // namespace

bool GLData::AccessCheck(int32_t objectType, int32_t objectId, int32_t action) {
    if (action == 0) return false;
    const auto props = SessionPropsString();
    ReadSession cnn(props);
    const int64_t wanted = static_cast<uint32_t>(action);
    const int64_t granted = GrantedMask(*cnn, SessionUserID(props), objectType, objectId);
    return (granted & wanted) == wanted;
}

void GLData::WriteLog(const std::string& code, int32_t phase, const std::string& text) {
    if (phase != 1 && phase != 2) {
        automation::Raise(automation::vberr::InvalidProcedureCall, trackquery::kGLDataProgId,
                          "The phase of a log entry is 1 (before) or 2 (after).");
    }
    const auto props = SessionPropsString();
    auto cnn = OpenSessionDatabase(props, DatabaseAccess::ReadWrite);
    CreateAccessLogTable(*cnn);
    cnn->Execute(
        "INSERT INTO t_AccessLog (FUserID, FFunction, FPhase, FDescription) VALUES (?, ?, ?, ?)",
        {Variant(SessionUserID(props)), Variant(code), Variant(phase), Variant(text)});
}

}  // namespace client
