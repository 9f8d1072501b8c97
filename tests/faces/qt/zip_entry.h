#pragma once
// Reads one file out of a ZIP archive (an XLSX workbook is one), so the tests can look at the
// sheet a workbook holds. Stored and deflated entries; nothing else is needed for workbooks.

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace desktop_test {

inline uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline uint16_t Le16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// The content of entry `name`; nothing when the archive has no such entry or it cannot be read.
inline std::optional<std::string> ZipEntry(const std::string& archive, const std::string& name) {
    const size_t end = archive.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos || end + 22 > archive.size()) return std::nullopt;
    const uint16_t entries = Le16(archive, end + 10);
    size_t at = Le32(archive, end + 16);
    for (uint16_t i = 0; i < entries && at + 46 <= archive.size(); ++i) {
        const uint16_t method = Le16(archive, at + 10);
        const uint32_t packed = Le32(archive, at + 20);
        const uint32_t size = Le32(archive, at + 24);
        const uint16_t nameLength = Le16(archive, at + 28);
        const size_t next = at + 46 + nameLength + Le16(archive, at + 30) + Le16(archive, at + 32);
        const size_t local = Le32(archive, at + 42);
        if (archive.compare(at + 46, nameLength, name) != 0) {
            at = next;
            continue;
        }
        const size_t data = local + 30 + Le16(archive, local + 26) + Le16(archive, local + 28);
        if (method == 0) return archive.substr(data, size);
        std::string content(size, '\0');
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(archive.data() + data));
        stream.avail_in = packed;
        stream.next_out = reinterpret_cast<Bytef*>(content.data());
        stream.avail_out = size;
        const int result = inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        if (result != Z_STREAM_END) return std::nullopt;
        return content;
    }
    return std::nullopt;
}

}  // namespace desktop_test
