#pragma once
// The document map drawn into a graphics scene: a band per lane with its caption and executed
// share, the time axis with a mark per week, each bill a box at its date coloured by its status
// (the trackers' status colours), returns and red-letter bills in red, and an arrow where a bill
// names another. Each box item carries its bill's index (kBoxIndexKey) and its details as tooltip.

#include <components/order_map/order_map.h>

#include <QGraphicsScene>

namespace qtgui {

inline constexpr int kBoxIndexKey = 0;

void DrawOrderMap(QGraphicsScene& scene, const client::OrderMap& map);

// The bill index of a scene item (a box or a text on it), or -1.
int BoxIndexOf(const QGraphicsItem* item);

}  // namespace qtgui
