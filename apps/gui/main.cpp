// trackquery-gui: the trackers in desktop windows.
//   trackquery-gui icmo|seorder --db FILE [the options of the terminal verb] [--out DIR]
//                                         [--screenshot DIR]

#include <apps/gui/gui_desktop.h>
#include <apps/host/verb_options.h>

#include <qt/windowing/cjk_font.h>

#include <CLI/CLI.hpp>

#include <QApplication>

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
    apps::PreparedTracking prepared;
    try {
        prepared = prepare(options);
    } catch (const std::exception& error) {
        std::cerr << "trackquery-gui " << verb << ": " << error.what() << "\n";
        return 1;
    }
    return apps::RunGui(prepared, options, gui, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("trackquery");
    qtgui::UseCjkFont();

    CLI::App app{
        "trackquery-gui: full-course tracking of task orders and sales orders in "
        "desktop windows"};
    app.require_subcommand(1);
    apps::GuiOptions gui;
    apps::IcmoOptions icmo;
    auto* icmoVerb = apps::AddIcmoVerb(app, icmo, "Track production task orders in a window");
    AddDesktopOptions(*icmoVerb, gui);
    apps::SeOrderOptions seorder;
    auto* seorderVerb =
        apps::AddSeOrderVerb(app, seorder, "Track sales or export orders in a window");
    AddDesktopOptions(*seorderVerb, gui);

    CLI11_PARSE(app, argc, argv);

    if (seorderVerb->parsed()) return Run(seorder, apps::PrepareSeOrder, gui, "seorder");
    return Run(icmo, apps::PrepareIcmo, gui, "icmo");
}
