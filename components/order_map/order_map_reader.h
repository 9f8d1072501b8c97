#pragma once
// Reads the course of an order through the middle tier, by the calls the trackers make: the
// phases of the order entry (GetSeOrderPerforms), the picks and receipts of each task order made
// for it (GetICMOQuery), and the links between its bills (GetOrderBillLinks). Failures of the
// middle tier reach the caller as run-time errors.

#include <components/order_map/order_map.h>

#include <cstdint>
#include <string>

namespace client {

struct MapRequest {
    // An order entry (FClassTypeID 81 or 1007100)...
    int32_t orderId = 0;
    int32_t entryId = 0;
    int32_t classTypeId = 81;
    // ...or a task order, mapped from the order entry it was made for when it has one.
    int32_t taskOrderId = 0;
    // The tracker's decision: without it no amount is read into the map.
    bool showAmount = false;
};

OrderMap ReadOrderMap(const std::string& props, const MapRequest& request);

}  // namespace client
