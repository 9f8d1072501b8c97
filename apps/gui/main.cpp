// trackquery-gui: the trackers in desktop windows.
//   trackquery-gui icmo --db FILE [the options of `trackquery icmo`] [--out DIR] [--screenshot DIR]

#include <apps/gui/gui_icmo.h>

#include <qt/windowing/cjk_font.h>

#include <CLI/CLI.hpp>

#include <QApplication>

#include <iostream>

namespace {

// The options every tracker verb of the desktop program takes besides its own.
void AddDesktopOptions(CLI::App& verb, apps::GuiOptions& gui) {
    verb.add_option("--out", gui.outDir,
                    "Write print, preview and export files straight into DIR (no file dialog; "
                    "an existing file is never replaced)");
    verb.add_option("--screenshot", gui.screenshotDir,
                    "Write a PNG picture of every window when it is shown and after each "
                    "scripted command into DIR");
}

void AddIcmoOptions(CLI::App& verb, apps::IcmoOptions& icmo, std::string& bills) {
    verb.add_option("--db", icmo.database, "The ERP database (an SQLite file)")->required();
    verb.add_option("--user", icmo.userName, "The user, by name (default administrator)");
    verb.add_option("--lang", icmo.language, "CHS, CHT or EN (default CHS)");
    verb.add_option("--sub", icmo.subId,
                    "Sub-system: CJ ordinary, REPM repetitive, SUBC outsourced (default CJ)");
    verb.add_option("--bills", bills,
                    "Task orders by bill number, comma-separated (default: every task order of "
                    "the sub-system)");
    verb.add_flag("--embedded", icmo.embedded, "Run in a host page instead of a modal window");
    verb.add_option("--script", icmo.scriptPath,
                    "Run the terminal host's commands of this file in the window");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("trackquery");
    qtgui::UseCjkFont();

    CLI::App app{"trackquery-gui: full-course tracking of task orders in desktop windows"};
    app.require_subcommand(1);
    apps::GuiOptions gui;

    apps::IcmoOptions icmo;
    std::string bills;
    auto* icmoVerb = app.add_subcommand("icmo", "Track production task orders in a window");
    AddIcmoOptions(*icmoVerb, icmo, bills);
    AddDesktopOptions(*icmoVerb, gui);

    CLI11_PARSE(app, argc, argv);

    if (icmoVerb->parsed()) {
        icmo.billNumbers = apps::SplitBillNumbers(bills);
        return apps::RunGuiIcmo(icmo, gui, std::cout, std::cerr);
    }
    return 1;
}
