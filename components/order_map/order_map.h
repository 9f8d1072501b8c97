#pragma once
// The document map of one order's course, as read: the bills in lanes by phase, the links
// between them and how much of the order each lane has carried out. It draws nothing; the
// terminal prints it as an outline, the desktop draws it on a time axis.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace client {

// The phases of an order's course, one lane each, top to bottom.
enum class MapLane : int32_t {
    OrderEntry,
    TaskOrders,
    Materials,
    ProductReceipts,
    Notices,
    Outbound,
    Invoices,
    Payments,
};
inline constexpr int32_t kMapLaneCount = 8;

// One bill of the course.
struct MapBox {
    MapLane lane = MapLane::OrderEntry;
    int32_t kind = 0;  // as the trackers open it: FClassTypeID, or the tracked kind (-24, -2, ...)
    int32_t interId = 0;
    int32_t billerId = 0;
    int32_t taskOrderType = 0;    // ICMO.FType of a task order
    int32_t parentTaskOrder = 0;  // the task order a pick or a receipt serves
    std::string kindName;         // in the session's language
    std::string number;
    std::string date;  // YYYY-MM-DD; empty when the bill has none
    double day = 0;    // the date as a day number, for the time axis
    double qty = 0;
    bool hasQty = false;
    double amount = 0;
    bool hasAmount = false;   // false also where amounts are not shown
    std::string statusText;   // in the session's language
    int32_t statusImage = 0;  // the trackers' status images: 16 planned ... 23 suspended
    bool cancelled = false;
    bool isReturn = false;
    bool isRed = false;  // a red-letter bill: negative quantity or amount
};

// One bill naming another: `from` names `to` (indices into the boxes).
struct MapArrow {
    int32_t from = 0;
    int32_t to = 0;
};

// What a lane carried out against its target.
struct LaneShare {
    MapLane lane = MapLane::OrderEntry;
    std::string caption;  // what the lane does, in the session's language ("发货")
    double done = 0;
    double target = 0;
    bool byAmount = false;
};

struct OrderMap {
    std::string title;  // the order entry (or task order) the course is of
    bool amountsShown = false;
    std::vector<MapBox> boxes;  // by lane, then by date
    std::vector<MapArrow> arrows;
    std::vector<LaneShare> shares;

    // The boxes of one lane, in time order.
    std::vector<int32_t> LaneBoxes(MapLane lane) const;
    const LaneShare* ShareOf(MapLane lane) const;
};

// The lanes in drawing order.
std::array<MapLane, kMapLaneCount> AllLanes();
// The Chinese caption of a lane (the key of its text in the language files).
const char* LaneCaptionKey(MapLane lane);

// "发货 625 / 1,000, 62.5%": done against target, as a clerk reads it; the caption as given.
std::string ShareText(const LaneShare& share);
// A figure as the map prints it: thousands grouped, at most two decimals, no trailing zeros.
std::string FigureText(double value);

// Sorts each lane's boxes by date, then number, keeping the arrows pointing at the same bills.
void SortLanes(OrderMap& map);

}  // namespace client
