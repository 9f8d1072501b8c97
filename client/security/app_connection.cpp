// The application connection.

#include <client/security/app_connection.h>

#include <client/security/session_database.h>

namespace client {

adodb::RecordsetPtr AppConnection::Execute(const std::string& sql,
                                           const std::vector<automation::Variant>& parameters) {
    if (!cnn_) cnn_ = OpenSessionDatabase(SessionPropsString(), true);
    return cnn_->Execute(sql, parameters);
}

}  // namespace client
