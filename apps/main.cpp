// trackquery: the host program of the tracking library and its tools.
//   trackquery demo-db --out FILE [--orders N] [--seed S]   builds a demo ERP database
//   trackquery icmo ...                                      the task order tracker (to come)

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

    auto* icmo = app.add_subcommand("icmo", "Track production task orders");
    icmo->allow_extras();

    CLI11_PARSE(app, argc, argv);

    if (demoDb->parsed()) {
        return client::erp_database::RunDemoDbCommand(demo, std::cout, std::cerr);
    }
    std::cout << "trackquery icmo: the task order tracker is not wired into the host yet.\n";
    return 0;
}
