#pragma once
// "PropsMgr.ShareProps": the client session's shared properties, one set per process id. The host
// (or a test) fills them through the functions below before the library runs; every
// ShareProps object created by ProgID reads the same store.

#include <contracts/session.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <string>

namespace client {

// The id under which the current process keeps its properties.
int32_t CurrentProcessId();

// Sets a property of the current process (or of `processId`). Names compare without regard to
// case. A value may be an object; it is kept as the object itself.
void SetSessionProperty(const std::string& name, const automation::Variant& value);
void SetSessionProperty(int32_t processId, const std::string& name,
                        const automation::Variant& value);
// The session property string of the current process ("PropsString").
void SetPropsString(const std::string& propsString);
// The user name of the current process ("UserName").
void SetSessionUserName(const std::string& userName);
// Forgets every property of every process.
void ClearSessionProperties();

class ShareProps : public trackquery::IShareProps {
  public:
    std::string TypeName() const override { return "ShareProps"; }
    // Empty for a property that was never set.
    automation::Variant GetProperty(int32_t processId, const std::string& name) override;
};

}  // namespace client
