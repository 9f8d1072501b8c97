#pragma once
// VB's string functions over UTF-8 text. Positions and lengths count characters, not bytes.

#include <string>
#include <string_view>
#include <vector>

namespace automation {

// Upper and lower case of the ASCII letters; other characters (Chinese among them) are kept.
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace automation
