// trackquery-gui run as a person would run it with a script: the terminal host's commands act in
// the window, print and export write into --out, and every window is pictured into --screenshot.

#include "desktop_fixture.h"
#include "sheet_cells.h"

#include <components/erp_database/erp_schema.h>
#include <faces/qt/output/column_types.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>

#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

using namespace desktop_test;

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string output;
};

// `environment` as env takes it, before the program.
ProgramRun RunGui(const std::string& arguments,
                  const std::string& environment = "QT_QPA_PLATFORM=offscreen") {
    const std::string command = "env " + environment + " '" + std::string(TRACKQUERY_GUI_PROGRAM) +
                                "' " + arguments + " 2>&1 </dev/null";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    while (size_t read = fread(buffer.data(), 1, buffer.size(), pipe))
        run.output.append(buffer.data(), read);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A picture that shows something: more than a few colours (text, icons, frames).
bool HasContent(const fs::path& picture) {
    const QImage image(QString::fromStdString(picture.string()));
    if (image.isNull()) return false;
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    }
    return colours.size() > 8;
}

std::vector<fs::path> FilesIn(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    if (!fs::exists(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string FirstSalesOrder() {
    adodb::Connection cnn;
    cnn.Open(client::erp_database::ConnectionStringFor(DemoDatabase()));
    return automation::CStr(
        cnn.Execute("SELECT MIN(FBillNo) FROM SEOrder WHERE FClassTypeID = 0 AND FCheckerID > 0")
            ->Value(0));
}

}  // namespace

TEST(GuiProgram, BothTrackersExportFiguresAndDatesAsTypedCells) {
    const std::string order = FirstSalesOrder();
    const struct {
        std::string arguments;
        std::string script;
        std::string order;
        std::string headCaption;  // a figure of the head panel
    } exports[] = {
        {"icmo --bills WORK000001", "wait 500\nexpand 1\nexpand 2\nexpand 3\nexpand 4\n",
         "WORK000001", "计划生产数量"},
        {"seorder --bills " + order,
         "expand 2.1\nexpand 2.2\nexpand 2.3\nexpand 2.4\nexpand 2.5\nexpand 2.6\n", order, "数量"},
    };
    for (const auto& exported : exports) {
        SCOPED_TRACE(exported.arguments);
        const fs::path script = TempPath("export.txt");
        std::ofstream(script) << exported.script << "tool btnExport\n";
        const fs::path out = OutputFolder("typed_export");
        const auto run = RunGui(exported.arguments + " --db '" + DemoDatabase() + "' --script '" +
                                script.string() + "' --out '" + out.string() + "'");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        const auto workbooks = FilesIn(out, ".xlsx");
        ASSERT_EQ(workbooks.size(), 1u);
        EXPECT_NE(workbooks[0].filename().string().find(exported.order), std::string::npos)
            << "the file is named after the order: " << workbooks[0];
        const auto cells = ReadSheetCells(ReadWhole(workbooks[0]));
        ASSERT_GT(cells.size(), 40u);

        std::map<std::pair<std::string, int>, const SheetCell*> at;
        int figures = 0;
        int dates = 0;
        for (const auto& cell : cells) {
            at[{cell.column, cell.row}] = &cell;
            if (cell.text) {
                EXPECT_FALSE(qtgui::ReadShownNumber(cell.value))
                    << "a figure as text: " << cell.value;
                EXPECT_FALSE(qtgui::ReadIsoDate(cell.value)) << "a date as text: " << cell.value;
                continue;
            }
            EXPECT_NE(cell.numberFormat, 0) << cell.column << cell.row << " has no number format";
            (cell.formatCode.find("yyyy") != std::string::npos ? dates : figures) += 1;
        }
        EXPECT_GT(figures, 15);
        EXPECT_GE(dates, 3);
        // One format down a column of a table (its cells stand in consecutive rows), below the
        // head panel (from row 4 to the first empty row), whose lines are fields of every kind.
        std::set<int> rows;
        for (const auto& cell : cells) rows.insert(cell.row);
        int headEnd = 4;
        while (rows.count(headEnd)) ++headEnd;
        for (const auto& cell : cells) {
            const auto below = at.find({cell.column, cell.row + 1});
            if (cell.row < headEnd || cell.text || below == at.end() || below->second->text)
                continue;
            EXPECT_EQ(cell.numberFormat, below->second->numberFormat)
                << cell.column << cell.row << " and the cell below";
        }
        // The date and the order on top, then the head panel with its figures typed too.
        const auto* date = at[std::pair<std::string, int>("A", 2)];
        const auto* subtitle = at[std::pair<std::string, int>("B", 2)];
        ASSERT_TRUE(date && subtitle);
        EXPECT_FALSE(date->text) << "the date is a date";
        EXPECT_NE(subtitle->value.find(exported.order), std::string::npos) << subtitle->value;
        const auto head = std::find_if(cells.begin(), cells.end(), [&](const auto& cell) {
            return cell.column == "A" && cell.value == exported.headCaption;
        });
        ASSERT_NE(head, cells.end());
        const auto* figure = at[std::pair<std::string, int>("B", head->row)];
        ASSERT_TRUE(figure);
        EXPECT_FALSE(figure->text) << "the head's figure is a number";
    }
}

TEST(GuiProgram, AScriptedSessionActsInTheWindowAndLeavesPicturesAndFiles) {
    const fs::path script = TempPath("session.txt");
    std::ofstream(script) << "select 5\nwait 500\nexpand 1\nexpand 2\ntool btnPrintPreview\n"
                             "tool btnExport\nanswer ok\ntype bndfilter WORK'\n";
    const fs::path out = OutputFolder("program");
    const fs::path pictures = ScreenshotFolder("program");
    fs::remove_all(pictures);
    const auto run =
        RunGui("icmo --db '" + DemoDatabase() + "' --script '" + script.string() + "' --out '" +
               out.string() + "' --screenshot '" + pictures.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("icmo> expand 2"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("单引号"), std::string::npos) << "the answered box was shown";

    const auto pdfs = FilesIn(out, ".pdf");
    const auto workbooks = FilesIn(out, ".xlsx");
    ASSERT_EQ(pdfs.size(), 1u);
    ASSERT_EQ(workbooks.size(), 1u);
    std::ifstream pdf(pdfs[0], std::ios::binary);
    std::string start(4, '\0');
    pdf.read(start.data(), 4);
    EXPECT_EQ(start, "%PDF");

    const auto shots = FilesIn(pictures, ".png");
    // The window when shown, after each of the 8 commands, and the message box.
    EXPECT_GE(shots.size(), 10u);
    for (const auto& shot : shots) EXPECT_TRUE(HasContent(shot)) << shot;
}

TEST(GuiProgram, BadOptionsAreRefusedWithAMessageAndNoWindow) {
    const fs::path pictures = ScreenshotFolder("refused");
    fs::remove_all(pictures);
    const auto run = RunGui("icmo --db '" + DemoDatabase() + "' --lang XX --screenshot '" +
                            pictures.string() + "'");
    EXPECT_EQ(run.exitCode, 105) << "the command line's own refusal, as the terminal host's";
    EXPECT_NE(run.output.find("--lang: XX not in {CHS,CHT,EN}"), std::string::npos) << run.output;
    EXPECT_TRUE(FilesIn(pictures, ".png").empty());

    const auto missing = RunGui("icmo --db /nonexistent/erp.db");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("trackquery-gui icmo:"), std::string::npos) << missing.output;
}

TEST(GuiProgram, ScriptedUseHelpCloseAfterOpenAndPicturesInTheOrderTaken) {
    const auto help = RunGui("--help", "-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb");
    EXPECT_EQ(help.exitCode, 0) << "no display is needed to read the help: " << help.output;
    EXPECT_NE(help.output.find("seorder"), std::string::npos) << help.output;

    const fs::path script = TempPath("close_after_open.txt");
    std::ofstream(script) << "select 5\nwait 500\nexpand 1\nopen 1 2\nclose\nwindows\n";
    const fs::path pictures = ScreenshotFolder("close_after_open");
    fs::remove_all(pictures);
    const std::string arguments = "icmo --db '" + DemoDatabase() + "' --script '" +
                                  script.string() + "' --screenshot '" + pictures.string() + "'";
    const auto run = RunGui(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("icmo> close\nThe window \"生产投料单"), std::string::npos)
        << "close after open closes the bill window: " << run.output;
    EXPECT_NE(run.output.find("icmo> windows\n* icmo "), std::string::npos)
        << "the tracker stays and takes the next command: " << run.output;
    const size_t firstRun = FilesIn(pictures, ".png").size();

    ASSERT_EQ(RunGui(arguments).exitCode, 0);  // a second session into the same folder
    const auto shots = FilesIn(pictures, ".png");
    ASSERT_EQ(shots.size(), 2 * firstRun);
    std::string commands;  // the command each "after" picture follows, by its number
    for (size_t i = 0; i < shots.size(); ++i) {
        const std::string name = shots[i].filename().string();
        EXPECT_EQ(std::stoul(name.substr(0, 4)), i + 1) << "one number each, in order: " << name;
        if (name.find("-after-") != std::string::npos) commands += name[11];
    }
    EXPECT_EQ(commands,
              "1234456"
              "1234456")
        << "the second session's pictures follow the first's";
}
