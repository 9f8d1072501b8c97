// Operations of the task order tracker whose full behaviour is still being built. Each keeps the
// window working: an event that reaches one of them does nothing and raises nothing.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <platform/activebar/tool.h>
#include <platform/automation/strings.h>

namespace trackquery {

bool CICMOQuery::CreateHeadModel(int32_t& lInterID) {
    // FIXME: the head panel of the selected task order is still to come.
    (void)lInterID;
    return true;
}

bool CICMOQuery::CreateDetailModel(int32_t lInterID, std::string& sError) {
    // FIXME: the detail tree of tracked bill kinds is still to come.
    (void)lInterID, (void)sError;
    return true;
}

}  // namespace trackquery
