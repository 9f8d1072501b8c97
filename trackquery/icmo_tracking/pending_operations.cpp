// Operations of the task order tracker whose full behaviour is still being built. Each keeps the
// window working: an event that reaches one of them does nothing and raises nothing.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <platform/activebar/tool.h>
#include <platform/automation/strings.h>

namespace trackquery {

}  // namespace trackquery
