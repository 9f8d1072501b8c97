#pragma once
// Where the map's bills stand on the picture: one band per lane, top to bottom, and a shared time
// axis left to right, a bill at its date. Bills of a lane that would overlap go on the next free
// track of the lane, so a lane is as tall as its busiest days need. In scene units (pixels at
// 100 %); the faces draw from it.

#include <components/order_map/order_map.h>

#include <array>
#include <vector>

namespace client {

struct MapRect {
    double x = 0, y = 0, width = 0, height = 0;
};

struct MapPlacement {
    std::vector<MapRect> boxes;                  // by box index
    std::array<MapRect, kMapLaneCount> lanes{};  // the band of each lane, in AllLanes() order
    double firstDay = 0;                         // the day at the axis's origin
    double dayWidth = 0;
    double axisLeft = 0;  // where the axis starts, right of the lane captions
    double width = 0, height = 0;
};

inline constexpr double kMapBoxWidth = 190;
inline constexpr double kMapBoxHeight = 70;

MapPlacement PlaceMap(const OrderMap& map);

// The x of a day on the axis.
double DayX(const MapPlacement& placement, double day);

}  // namespace client
