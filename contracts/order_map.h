#pragma once
// The document map of an order: every bill of one order entry's course (or of one task order's,
// when it was made for no order) on one picture. Both trackers open it by ProgID for the order or
// task order selected; the tracker hands over what the user may see and how a bill the user
// double-clicks in the map is opened, so that the map opens bills through the tracker's own route
// and checks.

#include <platform/automation/collections.h>
#include <platform/automation/object.h>

#include <cstdint>
#include <functional>
#include <string>

namespace trackquery {

inline constexpr const char* kProgIdOrderMap = "QzOrderMap.OrderMap";

// A bill of the map as the tracker opens it.
struct MapBill {
    int32_t kind = 0;  // FClassTypeID of a phase row, or the tracked kind of a task order's bill
    int32_t interId = 0;
    int32_t billerId = 0;
    int32_t taskOrderType = 0;  // ICMO.FType of a task order, else 0
};

// Opens a bill the user asked for; true when a bill window opened. Refusals are told by it.
using MapBillOpener = std::function<bool(const MapBill&)>;

class IOrderMap : public automation::Object {
  public:
    std::string TypeName() const override { return "OrderMap"; }

    // Reads the course and shows the map window (modeless). `dctPara` names an order entry
    // ("FInterID", "FEntryID", "FClassTypeID" 81 or 1007100) or a task order ("ICMOInterID");
    // "ShowAmount" is the tracker's decision whether amounts are shown. False when the course
    // could not be read; the user was told why.
    virtual bool Show(const std::string& sProps, const automation::DictionaryPtr& dctPara,
                      MapBillOpener openBill) = 0;
};

}  // namespace trackquery
