// A whole scripted session of the host's `icmo` verb: the input is the script a user would hand
// to `trackquery icmo --script`, run against a small demo database. Every line is a command, a
// comment or an error that stops the script; nothing the script says may crash the host.
//
// Inputs are capped at 2 KB: a script that long already reaches every window and dialog, and
// longer ones only make each run slower. Everything the session writes (print, preview and
// export files, the registry file, the client's folders) goes to this process's temporary folder.

#include "fuzz_input.h"

#include <components/erp_database/demo_database.h>
#include <components/viewer/viewer_document.h>
#include <faces/text/tracking_run.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxScript = 2048;

struct Setup {
    fs::path pristine;  // the demo database as built
    fs::path database;  // the copy each session works on
    textface::PreparedTracking prepared;
    harness::IcmoOptions options;
};

Setup& TheSetup() {
    static Setup setup = [] {
        const fs::path& folder = fuzz::PrivateFolder();
        ::setenv("TRACKQUERY_REGISTRY_FILE", (folder / "registry").c_str(), 1);
        Setup made;
        made.pristine = folder / "pristine.db";
        made.database = folder / "demo.db";
        client::erp_database::DemoDefinition definition;
        definition.taskOrders = 12;
        definition.salesOrders = 4;
        client::erp_database::BuildDemoDatabase(made.pristine.string(), definition);
        fs::copy_file(made.pristine, made.database, fs::copy_options::overwrite_existing);
        made.options.database = made.database.string();
        made.options.scriptPath = (folder / "session.txt").string();
        made.prepared = textface::PrepareIcmo(made.options);
        return made;
    }();
    return setup;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    TheSetup();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxScript) return -1;
    Setup& setup = TheSetup();
    // Each session starts from the same database: options a script saved stay out of the next.
    fs::copy_file(setup.pristine, setup.database, fs::copy_options::overwrite_existing);
    {
        std::ofstream script(setup.options.scriptPath, std::ios::binary | std::ios::trunc);
        script.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::istringstream in;
    std::ostringstream out;
    textface::RunTracking(setup.prepared, setup.options, in, out, out);
    // Every view the session opened is gone with it: a viewer still alive is a window and its
    // controller keeping each other alive (LeakSanitizer would tell only at the process's end).
    if (!client::ViewerDocument::Instances().empty()) {
        std::fprintf(stderr, "host_session_fuzzer: a viewer outlived its session\n%s\n",
                     out.str().c_str());
        std::abort();
    }
    return 0;
}
