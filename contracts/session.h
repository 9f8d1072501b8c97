#pragma once
// Contracts of the client's session components as the library calls them: the shared session
// properties ("PropsMgr.ShareProps", one set of named properties per process) and the language
// information ("QzLangInfo.LangInfo").

#include <platform/automation/object.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <string>

namespace trackquery {

inline constexpr char kSharePropsProgId[] = "PropsMgr.ShareProps";
inline constexpr char kLangInfoProgId[] = "QzLangInfo.LangInfo";

class IShareProps : public automation::Object {
  public:
    // The value of a property of the process `processId`: a plain value, or the object itself
    // when the property holds an object. A property that was never set reads as Empty.
    virtual automation::Variant GetProperty(int32_t processId, const std::string& name) = 0;
};

class ILangInfo : public automation::Object {
  public:
    // The language code the client runs in: "chs", "cht" or "en".
    virtual std::string CurrentLanguage() = 0;
};

}  // namespace trackquery
