#pragma once
// Contract of the client's procedure log ("YqLogMsg.Log") as the library calls it: which
// procedure ran, for how long and whether it failed, and the failures the library handled without
// a message box.

#include <platform/automation/object.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <string>

namespace trackquery {

inline constexpr char kYqLogMsgProgId[] = "YqLogMsg.Log";

class IYqLogMsg : public automation::Object {
  public:
    virtual bool IsEnabled() = 0;
    // Starts the record of a procedure; the handle is passed back to LogEnd.
    virtual automation::Variant LogStart(const std::string& key) = 0;
    // Ends the record of `handle`; `failed` is 1 when the procedure failed, 0 otherwise.
    virtual void LogEnd(const automation::Variant& handle, int32_t failed) = 0;
    // Records a failure that the library handled quietly: the procedure, the error's number and
    // description. Recorded whether or not IsEnabled, which governs the procedure records only.
    virtual void LogFailure(const std::string& key, int32_t number,
                            const std::string& description) = 0;
};

}  // namespace trackquery
