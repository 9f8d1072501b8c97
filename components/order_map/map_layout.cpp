#include <components/order_map/map_layout.h>

#include <algorithm>
#include <cmath>

namespace client {

namespace {

constexpr double kCaptionWidth = 200;
constexpr double kGap = 12;
constexpr double kAxisHeight = 40;

// Days apart as far as the boxes of one day need: a week is a box's width.
constexpr double kDayWidth = (kMapBoxWidth + kGap) / 7;

}  // namespace

double DayX(const MapPlacement& placement, double day) {
    return placement.axisLeft + (day - placement.firstDay) * placement.dayWidth;
}

MapPlacement PlaceMap(const OrderMap& map) {
    MapPlacement placement;
    placement.boxes.resize(map.boxes.size());
    placement.dayWidth = kDayWidth;
    placement.axisLeft = kCaptionWidth + kGap;
    double lastDay = 0;
    bool first = true;
    for (const auto& box : map.boxes) {
        if (box.date.empty()) continue;
        placement.firstDay = first ? box.day : std::min(placement.firstDay, box.day);
        lastDay = first ? box.day : std::max(lastDay, box.day);
        first = false;
    }
    double top = kAxisHeight;
    double right = DayX(placement, lastDay) + kMapBoxWidth + kGap;
    const auto lanes = AllLanes();
    for (size_t l = 0; l < lanes.size(); ++l) {
        // Each track of the lane remembers where its last box ends.
        std::vector<double> trackEnds;
        for (const int32_t index : map.LaneBoxes(lanes[l])) {
            const MapBox& box = map.boxes[index];
            const double x = DayX(placement, box.date.empty() ? placement.firstDay : box.day);
            auto free = std::find_if(trackEnds.begin(), trackEnds.end(),
                                     [x](double end) { return end <= x; });
            if (free == trackEnds.end()) free = trackEnds.insert(trackEnds.end(), 0.0);
            *free = x + kMapBoxWidth + kGap;
            const auto track = static_cast<double>(free - trackEnds.begin());
            placement.boxes[index] = {x, top + kGap + track * (kMapBoxHeight + kGap), kMapBoxWidth,
                                      kMapBoxHeight};
            right = std::max(right, x + kMapBoxWidth + kGap);
        }
        const double tracks = std::max<double>(1, static_cast<double>(trackEnds.size()));
        const double height = kGap + tracks * (kMapBoxHeight + kGap);
        placement.lanes[l] = {0, top, 0, height};
        top += height;
    }
    for (auto& lane : placement.lanes) lane.width = right;
    placement.width = right;
    placement.height = top;
    return placement;
}

}  // namespace client
