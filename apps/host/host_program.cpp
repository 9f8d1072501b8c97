#include "host_program.h"

#include "tracking_run.h"
#include "verb_options.h"

#include <client/erp_database/demo_command.h>

#include <CLI/CLI.hpp>

namespace apps {

int RunHostProgram(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    CLI::App app{"trackquery: full-course tracking of task orders and sales orders"};
    app.require_subcommand(1);

    client::erp_database::DemoDbOptions demo;
    auto* demoDb = app.add_subcommand("demo-db", "Build a deterministic demo ERP database");
    demoDb
        ->add_option("--out", demo.out,
                     "Database file to write (replaced if present), or a PostgreSQL address "
                     "(postgresql://...) whose ERP tables are replaced")
        ->required();
    demoDb->add_option("--orders", demo.orders, "Number of task orders (default 300)");
    demoDb->add_option("--seed", demo.seed, "Seed of the generated data (default 1)");

    IcmoOptions icmo;
    AddIcmoVerb(app, icmo,
                "Track production task orders in the terminal (type help for the commands)");
    SeOrderOptions seorder;
    auto* seorderVerb = AddSeOrderVerb(
        app, seorder, "Track sales or export orders in the terminal (type help for the commands)");

    std::vector<const char*> argv;
    for (const auto& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err);
    }

    if (demoDb->parsed()) return client::erp_database::RunDemoDbCommand(demo, out, err);
    if (seorderVerb->parsed()) return RunSeOrderCommand(seorder, in, out, err);
    return RunIcmoCommand(icmo, in, out, err);
}

}  // namespace apps
