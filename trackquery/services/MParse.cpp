#include <trackquery/services/MParse.h>

#include <platform/automation/collections.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <trackquery/services/MMTS.h>

namespace trackquery {

namespace {

// The parsed table, one per process; none before the first parse.
automation::DictionaryPtr& Table() {
    static automation::DictionaryPtr table;
    return table;
}

}  // namespace

bool ParsePropsString(const std::string& propsString) {
    Table() = std::make_shared<automation::Dictionary>();
    std::string rest = propsString;
    for (;;) {
        std::string key = CutKey(rest);
        std::string value = CutValue(rest);
        if (key.empty()) break;
        // A key given twice is an error in the session; Add refuses it (error 457).
        Table()->Add(key, value);
    }
    return true;
}

std::string GetParsedValue(const std::string& key) {
    const auto& table = Table();
    if (!table) {
        automation::Raise(automation::vberr::ObjectVariableNotSet, "",
                          "The session property string has not been parsed yet.");
    }
    return automation::CStr(table->Item(key));
}

int32_t GetUserID() {
    // User ids are read as 32-bit numbers: a 16-bit read would refuse every user whose id lies
    // above 32767.
    return automation::CLng(GetParsedValue("UserID"));
}

std::string GetSubID() {
    ParsePropsString(GetPropsString());
    return GetParsedValue("SubID");
}

void ResetMParseState() { Table().reset(); }

}  // namespace trackquery
