#pragma once
// "QzConnection.AppConnection": the client's connection to the ERP database of the session,
// opened read-only on first use (the library only reads through it) and closed with the object.

#include <contracts/security.h>

#include <platform/adodb/connection.h>

namespace client {

class AppConnection : public trackquery::IAppConnection {
  public:
    std::string TypeName() const override { return "AppConnection"; }

    // Runs the statement with its parameters bound; database failures are raised.
    adodb::RecordsetPtr Execute(const std::string& sql,
                                const std::vector<automation::Variant>& parameters = {}) override;

  private:
    adodb::ConnectionPtr cnn_;
};

}  // namespace client
