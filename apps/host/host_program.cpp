#include "host_program.h"

#include "task_order_selection.h"
#include "tracking_run.h"

#include <client/erp_database/demo_command.h>

#include <platform/automation/strings.h>

#include <CLI/CLI.hpp>

#include <algorithm>

namespace apps {

namespace {

std::vector<std::string> SubSystemIds() {
    std::vector<std::string> ids;
    for (const auto& sub : kSubSystems) ids.emplace_back(sub.id);
    return ids;
}

// The bill numbers as the user means them: blanks around each dropped, and empty ones ("A,,B",
// "A, ") gone.
void TidyBillNumbers(std::vector<std::string>& numbers) {
    for (auto& number : numbers) number = automation::TrimWhitespace(number);
    std::erase(numbers, std::string());
}

}  // namespace

int RunHostProgram(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    CLI::App app{"trackquery: full-course tracking of task orders and sales orders"};
    app.require_subcommand(1);

    client::erp_database::DemoDbOptions demo;
    auto* demoDb = app.add_subcommand("demo-db", "Build a deterministic demo ERP database");
    demoDb->add_option("--out", demo.out, "Database file to write (replaced if present)")
        ->required();
    demoDb->add_option("--orders", demo.orders, "Number of task orders (default 300)");
    demoDb->add_option("--seed", demo.seed, "Seed of the generated data (default 1)");

    IcmoOptions icmo;
    auto* icmoCommand = app.add_subcommand(
        "icmo", "Track production task orders in the terminal (type help for the commands)");
    icmoCommand->add_option("--db", icmo.database, "The ERP database (an SQLite file)")->required();
    icmoCommand->add_option("--user", icmo.userName, "The user, by name (default administrator)");
    icmoCommand->add_option("--lang", icmo.language, "Language (default CHS)")
        ->transform(
            CLI::IsMember(std::vector<std::string>(std::begin(kLanguages), std::end(kLanguages)),
                          CLI::ignore_case));
    icmoCommand
        ->add_option("--sub", icmo.subId,
                     "Sub-system: CJ ordinary, REPM repetitive, SUBC outsourced (default CJ)")
        ->transform(CLI::IsMember(SubSystemIds(), CLI::ignore_case));
    icmoCommand
        ->add_option("--bills", icmo.billNumbers,
                     "Task orders by bill number, comma-separated (default: every task order of "
                     "the sub-system)")
        ->delimiter(',');
    icmoCommand->add_flag("--embedded", icmo.embedded,
                          "Run in a host page instead of a modal window");
    icmoCommand->add_option("--script", icmo.scriptPath,
                            "Run the commands of this file instead of asking on the terminal");

    SeOrderOptions seorder;
    auto* seorderCommand = app.add_subcommand(
        "seorder",
        "Track sales or export orders in the terminal (type help for the commands)");
    seorderCommand->add_option("--db", seorder.database, "The ERP database (an SQLite file)")
        ->required();
    seorderCommand->add_option("--type", seorder.type, "sales (81) or export (1007100) orders")
        ->transform(CLI::IsMember({"sales", "export"}, CLI::ignore_case));
    seorderCommand
        ->add_option("--bills", seorder.orders,
                     "Orders by number, an entry after a colon (NO[:ENTRY]), comma-separated "
                     "(default: none, the view opens empty)")
        ->delimiter(',');
    seorderCommand->add_option("--user", seorder.userName,
                               "The user, by name (default administrator)");
    seorderCommand->add_option("--lang", seorder.language, "Language (default CHS)")
        ->transform(
            CLI::IsMember(std::vector<std::string>(std::begin(kLanguages), std::end(kLanguages)),
                          CLI::ignore_case));
    seorderCommand
        ->add_option("--sub", seorder.subId, "Sub-system of the session (default XS, sales)")
        ->transform(CLI::IsMember(
            std::vector<std::string>(std::begin(kSalesSubSystems), std::end(kSalesSubSystems)),
            CLI::ignore_case));
    seorderCommand->add_flag("--embedded", seorder.embedded,
                             "Run in a host page instead of a modal window");
    seorderCommand->add_flag("--called-by-icmo", seorder.calledByIcmo,
                             "Open the view as task order tracking opens it (no jump back)");
    seorderCommand->add_option("--script", seorder.scriptPath,
                               "Run the commands of this file instead of asking on the terminal");

    std::vector<const char*> argv;
    for (const auto& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err);
    }

    if (demoDb->parsed()) return client::erp_database::RunDemoDbCommand(demo, out, err);
    if (seorderCommand->parsed()) {
        TidyBillNumbers(seorder.orders);
        return RunSeOrderCommand(seorder, in, out, err);
    }
    TidyBillNumbers(icmo.billNumbers);
    return RunIcmoCommand(icmo, in, out, err);
}

}  // namespace apps
