#include <platform/automation/dates.h>

#include <platform/automation/date_parts.h>
#include <platform/automation/errors.h>

#include <string>

namespace automation {

DateValue DateSerial(int year, int month, int day) {
    const auto serial = detail::DateSerial(year, month, day);
    if (!serial) {
        Raise(vberr::InvalidProcedureCall, "DateSerial",
              "There is no day " + std::to_string(year) + "-" + std::to_string(month) + "-" +
                  std::to_string(day) + " in VB's calendar.");
    }
    return {*serial};
}

}  // namespace automation
