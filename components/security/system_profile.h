#pragma once
// The client's system profile over the table t_SystemProfile (FCategory, FKey, FValue) of the
// ERP database that the given property string names. Two components read it:
// "UlmBase.SystemProfile" (category first) and "QzMPlanFunc.SystemFunc" (key first). A value
// that is a whole number comes back as a number, any other as text; a missing entry is Null.

#include <contracts/security.h>

namespace client {

automation::Variant ReadSystemProfile(const std::string& propsString, const std::string& category,
                                      const std::string& key);

class SystemProfile : public trackquery::ISystemProfile {
  public:
    std::string TypeName() const override { return "SystemProfile"; }
    automation::Variant GetProfile(const std::string& propsString, const std::string& category,
                                   const std::string& key) override;
};

class SystemFunc : public trackquery::ISystemFunc {
  public:
    std::string TypeName() const override { return "SystemFunc"; }
    automation::Variant GetSystemProfile(const std::string& propsString, const std::string& key,
                                         const std::string& category) override;
};

}  // namespace client
