#pragma once
// The map window: one order's course (OrderMap) and the way its bills open. The faces draw it
// (the terminal as an outline, the desktop on a time axis) and act on it through its verbs.

#include <components/order_map/order_map.h>
#include <contracts/order_map.h>

#include <platform/windowing/form.h>

#include <memory>
#include <string>
#include <vector>

namespace client {

class frmOrderMap : public windowing::Form {
  public:
    frmOrderMap(OrderMap map, trackquery::MapBillOpener openBill);

    const OrderMap& Map() const { return map_; }

    // Opens the bill of box `index` (0-based) the way the tracker opens its bills: a double
    // click in the map. False for an index off the map or a bill that did not open.
    bool OpenBox(int32_t index);

  private:
    OrderMap map_;
    trackquery::MapBillOpener openBill_;
};

// The map windows opened in this process, oldest first; kept until ClearOrderMaps().
const std::vector<std::shared_ptr<frmOrderMap>>& OrderMapWindows();
void ClearOrderMaps();

// Registers "QzOrderMap.OrderMap".
void RegisterOrderMap();

}  // namespace client
