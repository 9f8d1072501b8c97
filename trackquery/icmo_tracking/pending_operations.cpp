// Operations of the task order tracker whose full behaviour is still being built. Each keeps the
// window working: an event that reaches one of them does nothing and raises nothing.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <platform/activebar/tool.h>
#include <platform/automation/strings.h>

namespace trackquery {

void CICMOQuery::MenuClick(const ToolPtr& Tool) {
    // FIXME: the other commands (refresh, item, BOM, routing, bill, print, preview, export,
    // options, selection, position, jump to sales order tracking) are still to come.
    if (Tool && automation::EqualsIgnoreCase(Tool->Name(), "btnExit")) CloseMe();
}

void CICMOQuery::MenuTextKeyDown(int32_t lKeyCode, const std::string& sActiveBandName,
                                 const std::string& sText) {
    // FIXME: selection by bill number (bndfilter), the bill list (F7) and the position search
    // (bndSearch) are still to come.
    (void)lKeyCode, (void)sActiveBandName, (void)sText;
}

void CICMOQuery::NavigationKeyPress(int16_t& KeyCode, int16_t& Shift) {
    // The keys of the navigation tree are left to the viewer.
    (void)KeyCode, (void)Shift;
}

void CICMOQuery::BeforeMenuClick(const ToolPtr& Tool, bool& bCancel) {
    // The viewer's own handling of a tool always goes ahead.
    (void)Tool, (void)bCancel;
}

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
