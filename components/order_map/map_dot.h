#pragma once
// The map as a Graphviz graph, for users who lay it out themselves: one cluster per lane, a node
// per bill (labelled as the outline labels it), an edge where a bill names another. Written with
// Graphviz's own graph library, so the file is DOT as Graphviz reads it.

#include <components/order_map/order_map.h>

#include <filesystem>
#include <string>

namespace client {

std::string MapDot(const OrderMap& map);

// Writes MapDot into a new file named as `path`; a name taken gets " (2)", " (3)", ... so that no
// file is overwritten, and a file appears whole or not at all. Returns the path written; a
// failure to write is error 75 naming the path.
std::filesystem::path WriteMapDot(const OrderMap& map, const std::filesystem::path& path);

}  // namespace client
