// A language resource file of the client, read from a file holding the input. A file that reads
// gives texts that, written back in the file's own escapes, read the same again.

#include "fuzz_input.h"

#include <components/resources/res_loader.h>
#include <platform/automation/errors.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "resource_file_fuzzer: %s\n", what);
    std::abort();
}

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void Write(const std::filesystem::path& file, std::string_view content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    Check(static_cast<bool>(out), "cannot write the temporary resource file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto file = fuzz::PrivateFolder() / "ZeVoverazuzed.en";
    Write(file, fuzz::Text(data, size));
    std::map<std::string, std::string> texts;
    try {
        texts = client::ReadResourceFile(file);
    } catch (const automation::RuntimeError& error) {
        Check(error.Number() == automation::vberr::InvalidProcedureCall,
              "a bad line failed with another error than 5");
        return 0;
    }
    std::string again = "# written back\n";
    for (const auto& [key, text] : texts) again += Escaped(key) + "\t" + Escaped(text) + "\n";
    Write(file, again);
    Check(client::ReadResourceFile(file) == texts, "texts written back read differently");
    return 0;
}
