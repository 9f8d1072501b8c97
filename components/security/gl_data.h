#pragma once
// "JovGLView.GLData": the client's permission service over the rights tables of the session's
// ERP database (security_schema.h). The user is the session's "UserID".

#include <contracts/security.h>

namespace client {

class GLData : public trackquery::IGLData {
  public:
    std::string TypeName() const override { return "GLData"; }

    // True when every bit of `action` is granted to the user or to one of the user's groups on
    // the object (type, id). An action code of 0 grants nothing. Database failures are raised.
    bool AccessCheck(int32_t objectType, int32_t objectId, int32_t action) override;
    // A phase other than 1 or 2 is error 5 and logs nothing.
    void WriteLog(const std::string& code, int32_t phase, const std::string& text) override;
};

}  // namespace client
