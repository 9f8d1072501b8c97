#include "host_program.h"

#include <faces/text/tracking_run.h>
#include "verb_options.h"

#include <components/erp_database/demo_command.h>
#include <platform/automation/program_files.h>

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdint>
#include <limits>

namespace apps {

using harness::IcmoOptions;
using harness::SeOrderOptions;
using harness::TrackingOptions;

namespace {

// A whole number from `minimum` to `maximum`, checked on the text: the parser would wrap "-1"
// around into an unsigned number and clip a number too large for its type, both without a word.
CLI::Validator WholeNumber(uint64_t minimum, uint64_t maximum) {
    const std::string range = std::to_string(minimum) + " to " + std::to_string(maximum);
    return CLI::Validator(
        [minimum, maximum, range](std::string& text) -> std::string {
            uint64_t value = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), value);
            if (error == std::errc() && end == text.data() + text.size() && value >= minimum &&
                value <= maximum) {
                return "";
            }
            return "must be a whole number from " + range + ", not \"" + text + "\"";
        },
        "NUMBER " + range);
}

}  // namespace

int RunHostProgram(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    CLI::App app{"trackquery: full-course tracking of task orders and sales orders"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "trackquery " + automation::ProgramVersion());

    client::erp_database::DemoDbOptions demo;
    auto* demoDb = app.add_subcommand("demo-db", "Build a deterministic demo ERP database");
    demoDb
        ->add_option("--out", demo.out,
                     "Database file to write (an ERP database there is replaced, any other "
                     "file only with --force), or a PostgreSQL address (postgresql://...) whose "
                     "ERP tables are replaced")
        ->required();
    demoDb->add_flag("--force", demo.force,
                     "Replace the file --out names even when it is no ERP database (never a "
                     "folder, device or pipe)");
    demoDb->add_option("--orders", demo.orders, "Number of task orders (default 300)")
        ->check(WholeNumber(1, client::erp_database::kMaxDemoOrders));
    demoDb->add_option("--seed", demo.seed, "Seed of the generated data (default 1)")
        ->check(WholeNumber(0, std::numeric_limits<uint64_t>::max()));

    IcmoOptions icmo;
    auto* icmoVerb = AddIcmoVerb(
        app, icmo, "Track production task orders in the terminal (type help for the commands)");
    SeOrderOptions seorder;
    auto* seorderVerb = AddSeOrderVerb(
        app, seorder, "Track sales or export orders in the terminal (type help for the commands)");

    std::vector<const char*> argv;
    for (const auto& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
        harness::ProfileStore profiles;
        if (icmoVerb->parsed()) ApplyProfile(*icmoVerb, icmo, profiles);
        if (seorderVerb->parsed()) ApplyProfile(*seorderVerb, seorder, profiles);
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err);
    }

    if (demoDb->parsed()) return client::erp_database::RunDemoDbCommand(demo, out, err);
    if (seorderVerb->parsed()) return textface::RunSeOrderCommand(seorder, in, out, err);
    return textface::RunIcmoCommand(icmo, in, out, err);
}

}  // namespace apps
