// The application connection.

#include <components/security/app_connection.h>

#include <components/session/session_database.h>

namespace client {

adodb::RecordsetPtr AppConnection::Execute(const std::string& sql,
                                           const std::vector<automation::Variant>& parameters) {
    if (!cnn_) cnn_ = OpenSessionDatabase(SessionPropsString(), DatabaseAccess::ReadOnly);
    return cnn_->Execute(sql, parameters);
}

}  // namespace client
