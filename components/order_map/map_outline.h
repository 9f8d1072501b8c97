#pragma once
// The map as text: a heading per lane with its executed share, then its bills in time order,
// each with its number on the map (#N), what it names (-> #M), and the marks of returns and
// red-letter bills. The terminal prints it; the texts are in the session's language.

#include <components/order_map/order_map.h>

#include <string>

namespace client {

std::string MapOutline(const OrderMap& map);

// The words a bill's line uses, in the session's language; read once for many bills.
struct SummaryWords {
    std::string qty, amount, returned, red;
};
SummaryWords SessionSummaryWords();

// One bill as the outline and the desktop's hover show it: kind, number, date, quantity,
// amount (when shown), status and marks.
std::string BoxSummary(const MapBox& box, const SummaryWords& words);
std::string BoxSummary(const MapBox& box);

}  // namespace client
