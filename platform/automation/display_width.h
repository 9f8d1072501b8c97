#pragma once
// How wide a text stands on a terminal, for the tables that the text face lines up.

#include <string_view>

namespace automation {

// The number of terminal columns a UTF-8 text takes (wide East Asian characters count two).
int DisplayWidth(std::string_view text);

}  // namespace automation
