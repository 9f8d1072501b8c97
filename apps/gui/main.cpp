// trackquery-gui: the trackers in desktop windows.
//   trackquery-gui                        the start window: a profile, then a tracker
//   trackquery-gui icmo|seorder --db FILE|--profile NAME [the options of the terminal verb]
//                                         [--out DIR] [--screenshot DIR]

#include <apps/gui/gui_desktop.h>
#include <apps/gui/start_flow.h>
#include <apps/host/verb_options.h>

#include <faces/qt/windowing/cjk_font.h>
#include <platform/automation/program_files.h>

#include <CLI/CLI.hpp>

#include <QApplication>
#include <QIcon>

#include <iostream>

namespace {

// The options every tracker verb of the desktop program takes besides the terminal verb's.
void AddDesktopOptions(CLI::App& verb, apps::GuiOptions& gui) {
    verb.add_option("--out", gui.outDir,
                    "Write print, preview and export files straight into DIR (no file dialog; "
                    "an existing file is never replaced)");
    verb.add_option("--screenshot", gui.screenshotDir,
                    "Write a PNG picture of every window when it is shown and after each "
                    "scripted command into DIR");
}

template <class Options, class Prepare>
int Run(Options& options, Prepare prepare, const apps::GuiOptions& gui, const char* verb) {
    textface::PreparedTracking prepared;
    try {
        if (!options.profile.empty()) {
            if (auto profile = harness::ProfileStore().Find(options.profile)) {
                apps::UseKeptPassword(*profile);
            }
        }
        prepared = prepare(options);
    } catch (const std::exception& error) {
        std::cerr << "trackquery-gui " << verb << ": " << error.what() << "\n";
        return 1;
    }
    return apps::RunGui(prepared, options, gui, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "trackquery-gui: full-course tracking of task orders and sales orders in "
        "desktop windows"};
    app.require_subcommand(0, 1);
    app.set_version_flag("--version", "trackquery-gui " + automation::ProgramVersion());
    apps::GuiOptions gui;
    harness::IcmoOptions icmo;
    auto* icmoVerb = apps::AddIcmoVerb(app, icmo, "Track production task orders in a window");
    AddDesktopOptions(*icmoVerb, gui);
    harness::SeOrderOptions seorder;
    auto* seorderVerb =
        apps::AddSeOrderVerb(app, seorder, "Track sales or export orders in a window");
    AddDesktopOptions(*seorderVerb, gui);

    // The command line first: --help and a refused option need no display.
    try {
        app.parse(argc, argv);
        harness::ProfileStore profiles;
        if (icmoVerb->parsed()) apps::ApplyProfile(*icmoVerb, icmo, profiles);
        if (seorderVerb->parsed()) apps::ApplyProfile(*seorderVerb, seorder, profiles);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName("trackquery");
    QApplication::setApplicationName("trackquery-gui");
    QApplication::setApplicationVersion(QString::fromStdString(automation::ProgramVersion()));
    QGuiApplication::setDesktopFileName("trackquery-gui");
    QApplication::setWindowIcon(QIcon::fromTheme("trackquery"));
    qtgui::UseCjkFont();

    if (!icmoVerb->parsed() && !seorderVerb->parsed()) {
        return apps::RunStartWindow(gui, std::cout, std::cerr);
    }
    if (seorderVerb->parsed()) return Run(seorder, textface::PrepareSeOrder, gui, "seorder");
    return Run(icmo, textface::PrepareIcmo, gui, "icmo");
}
