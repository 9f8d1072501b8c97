#pragma once
// The terminal's face of the document map. The map window stands beside the tracker like a bill
// window: its outline prints when it opens, and whichever window takes the lines, `map` prints the
// newest open map again, `map dot FILE` writes it as Graphviz DOT into a new file and `map open N`
// opens its bill #N as a double click in the map does.

#include <components/order_map/order_map_window.h>

#include <ostream>
#include <string>
#include <vector>

namespace textface {

// The window as printed when it opens.
std::string MapWindowText(const client::frmOrderMap& window);

// Runs `map ...` on the newest open map; UsageError for a wrong line or when no map is open.
void RunMapCommand(const std::vector<std::string>& args, std::ostream& out);

}  // namespace textface
