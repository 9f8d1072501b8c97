#pragma once
// The whole of a file a test wrote, byte for byte ("" when it cannot be read).

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace trackquery::testing {

inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace trackquery::testing
