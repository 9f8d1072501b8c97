// trackquery: the host program of the tracking library and its tools.
//   trackquery demo-db --out FILE [--orders N] [--seed S]   builds a demo ERP database
//   trackquery icmo --db FILE [...]                          tracks production task orders

#include "icmo_command.h"

#include <client/erp_database/demo_command.h>

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"trackquery: full-course tracking of task orders and sales orders"};
    app.require_subcommand(1);

    client::erp_database::DemoDbOptions demo;
    auto* demoDb = app.add_subcommand("demo-db", "Build a deterministic demo ERP database");
    demoDb->add_option("--out", demo.out, "Database file to write (replaced if present)")
        ->required();
    demoDb->add_option("--orders", demo.orders, "Number of task orders (default 300)");
    demoDb->add_option("--seed", demo.seed, "Seed of the generated data (default 1)");

    apps::IcmoOptions icmo;
    std::string bills;
    auto* icmoCommand = app.add_subcommand(
        "icmo", "Track production task orders in the terminal (type help for the commands)");
    icmoCommand->add_option("--db", icmo.database, "The ERP database (an SQLite file)")->required();
    icmoCommand->add_option("--user", icmo.userName, "The user, by name (default administrator)");
    icmoCommand->add_option("--lang", icmo.language, "CHS, CHT or EN (default CHS)");
    icmoCommand->add_option("--sub", icmo.subId,
                            "Sub-system: CJ ordinary, REPM repetitive, SUBC outsourced (default "
                            "CJ)");
    icmoCommand->add_option("--bills", bills,
                            "Task orders by bill number, comma-separated (default: every task "
                            "order of the sub-system)");
    icmoCommand->add_flag("--embedded", icmo.embedded,
                          "Run in a host page instead of a modal window");
    icmoCommand->add_option("--script", icmo.scriptPath,
                            "Run the commands of this file instead of asking on the terminal");

    CLI11_PARSE(app, argc, argv);

    if (demoDb->parsed()) {
        return client::erp_database::RunDemoDbCommand(demo, std::cout, std::cerr);
    }
    icmo.billNumbers = apps::SplitBillNumbers(bills);
    return apps::RunIcmoCommand(icmo, std::cin, std::cout, std::cerr);
}
