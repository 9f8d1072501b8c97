#pragma once
// The document map of both trackers: the tool btnOrderMap opens it by ProgID for the selected
// order entry or task order, and a bill double-clicked in the map opens through the trackers'
// own route: the user group rule, the view right, then the bill window (modify mode with the
// modify right) or the class-template bill manager.

#include <contracts/order_map.h>

#include <platform/automation/collections.h>

#include <string>

namespace trackquery {

// Shows the map for `para` (see IOrderMap::Show); `checkUserGroup` is the tracker's user group
// switch and `subsystem` the module a bill of no module of its own opens in. Failures are shown.
void ShowOrderMap(const automation::DictionaryPtr& para, bool checkUserGroup,
                  const std::string& subsystem);

// Opens one bill of the map as the trackers open their bills; refusals are shown. True when a
// bill window opened.
bool OpenMapBill(const MapBill& bill, bool checkUserGroup, const std::string& subsystem);

}  // namespace trackquery
