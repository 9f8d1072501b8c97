#include <components/session/session_database.h>

#include <components/session/props_string.h>
#include <components/session/share_props.h>

#include <platform/automation/errors.h>

namespace client {

std::string SessionPropsString() {
    const auto value = ShareProps().GetProperty(CurrentProcessId(), "PropsString");
    if (!value.IsString())
        automation::Raise(automation::vberr::ObjectVariableNotSet, "QzClientSession.PropsString",
                          "The client session has no property string.");
    return value.AsString();
}

adodb::ConnectionPtr OpenSessionDatabase(std::string_view propsString, DatabaseAccess access) {
    auto cnn = std::make_shared<adodb::Connection>();
    cnn->Open(ConnectionPart(propsString) +
              (access == DatabaseAccess::ReadOnly ? ";Mode=Read" : ""));
    return cnn;
}

}  // namespace client
