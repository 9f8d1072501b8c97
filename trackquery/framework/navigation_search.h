#pragma once
// The position search of both trackers over their navigation tree.

#include <contracts/view_models/navigation_model.h>

#include <cstdint>
#include <string>

namespace trackquery {

// The next node after `current` whose text holds `text` (letter case aside), then once around from
// the first node under the root up to `current` itself; the root (node 1) is never a hit. 0 when
// no node holds the text. A `current` below 1 searches from the root.
int32_t FindNodeByText(const NavigationModel& model, int32_t current, const std::string& text);

}  // namespace trackquery
