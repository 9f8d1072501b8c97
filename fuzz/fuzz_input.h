#pragma once
// What the fuzz targets share: the input as text, cut into the pieces a target feeds to the code
// under test, and a private temporary folder for targets that need files.
//
// A target calls the code as its callers do and lets through only the failures the code promises
// (a run-time error with a number, a usage error with a message). Anything else that escapes, a
// crash, a sanitizer report or a hang, is a fault for libFuzzer to keep.

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace fuzz {

inline std::string_view Text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at its line feeds into at most `count` pieces; the last one keeps the rest,
// line feeds and all. Missing pieces are empty.
inline std::vector<std::string> Pieces(std::string_view text, size_t count) {
    std::vector<std::string> pieces;
    while (pieces.size() + 1 < count) {
        const size_t at = text.find('\n');
        if (at == std::string_view::npos) break;
        pieces.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    pieces.emplace_back(text);
    pieces.resize(count);
    return pieces;
}

// A folder of this process's own under the system's temporary folder, removed at exit. It is also
// made the process's temporary and documents folder (TMPDIR, XDG_DOCUMENTS_DIR), so whatever the
// code under test writes "to the temporary folder" or as output lands in it and nowhere else.
inline const std::filesystem::path& PrivateFolder() {
    static const std::filesystem::path folder = [] {
        auto base = std::filesystem::temp_directory_path() /
                    ("trackquery_fuzz_" + std::to_string(::getpid()));
        std::filesystem::remove_all(base);
        std::filesystem::create_directories(base);
        ::setenv("TMPDIR", base.c_str(), 1);
        ::setenv("XDG_DOCUMENTS_DIR", base.c_str(), 1);
        static struct Cleanup {
            std::filesystem::path path;
            ~Cleanup() {
                std::error_code ignored;
                std::filesystem::remove_all(path, ignored);
            }
        } cleanup{base};
        return base;
    }();
    return folder;
}

}  // namespace fuzz
