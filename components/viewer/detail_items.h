#pragma once
// The items of a detail tree as the viewer's document handles them: nodes and rows alike (both
// expand, either may be selected), and the paths that name them.

#include <contracts/view_models/detail_model.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace client {

// Whether a detail node or row is expanded, may expand, and to expand or collapse it; anything else
// is neither.
bool IsExpanded(const automation::ObjectPtr& item);
bool CanExpand(const automation::ObjectPtr& item);
void SetExpanded(const automation::ObjectPtr& item, bool expanded);

// Whether `wanted` is the node itself or anything below it (its rows, their child nodes, ...).
bool NodeHolds(const trackquery::DetailNodePtr& node, const automation::ObjectPtr& wanted);

// The last position of a detail path ("2.1" gives 1): a whole number written in full, blanks and a
// "+" allowed around it as ItemByPath reads them; nothing for any other text.
std::optional<int32_t> LastPathPosition(std::string_view path);

// The label a detail node shows: the caption of its first column, or its Key.
std::string NodeLabel(const trackquery::DetailNode& node);

}  // namespace client
