#include <components/order_map/order_map.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace client {

std::vector<int32_t> OrderMap::LaneBoxes(MapLane lane) const {
    std::vector<int32_t> indices;
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i].lane == lane) indices.push_back(static_cast<int32_t>(i));
    }
    return indices;
}

const LaneShare* OrderMap::ShareOf(MapLane lane) const {
    for (const auto& share : shares) {
        if (share.lane == lane) return &share;
    }
    return nullptr;
}

std::array<MapLane, kMapLaneCount> AllLanes() {
    return {MapLane::OrderEntry, MapLane::TaskOrders, MapLane::Materials, MapLane::ProductReceipts,
            MapLane::Notices,    MapLane::Outbound,   MapLane::Invoices,  MapLane::Payments};
}

const char* LaneCaptionKey(MapLane lane) {
    switch (lane) {
        case MapLane::OrderEntry:
            return "订单分录";
        case MapLane::TaskOrders:
            return "生产任务单";
        case MapLane::Materials:
            return "领料与发料";
        case MapLane::ProductReceipts:
            return "产品入库";
        case MapLane::Notices:
            return "发货与退货通知";
        case MapLane::Outbound:
            return "销售出库";
        case MapLane::Invoices:
            return "销售发票";
        case MapLane::Payments:
            return "收款、预收与核销";
    }
    return "";
}

std::string FigureText(double value) {
    // In cents, rounded half away from zero, so that no text formatting is needed per figure.
    const auto cents = static_cast<int64_t>(std::llround(std::fabs(value) * 100));
    std::string whole = std::to_string(cents / 100);
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3) whole.insert(i, ",");
    std::string fraction;
    if (cents % 100 != 0) {
        fraction = std::to_string(100 + cents % 100).substr(1);
        if (fraction.back() == '0') fraction.pop_back();
    }
    const bool negative = value < 0 && cents != 0;
    return (negative ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
}

std::string ShareText(const LaneShare& share) {
    std::string text =
        share.caption + " " + FigureText(share.done) + " / " + FigureText(share.target);
    if (share.target != 0) text += ", " + FigureText(share.done * 100.0 / share.target) + "%";
    return text;
}

void SortLanes(OrderMap& map) {
    std::vector<int32_t> order(map.boxes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&map](int32_t a, int32_t b) {
        const MapBox& x = map.boxes[a];
        const MapBox& y = map.boxes[b];
        if (x.lane != y.lane) return x.lane < y.lane;
        if (x.day != y.day) return x.day < y.day;
        return x.number < y.number;
    });
    std::vector<int32_t> newIndex(order.size());
    std::vector<MapBox> sorted;
    sorted.reserve(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = static_cast<int32_t>(i);
        sorted.push_back(std::move(map.boxes[order[i]]));
    }
    map.boxes = std::move(sorted);
    for (auto& arrow : map.arrows) {
        arrow.from = newIndex[arrow.from];
        arrow.to = newIndex[arrow.to];
    }
}

}  // namespace client
