// trackquery-gui run as a person would run it with a script: the terminal host's commands act in
// the window, print and export write into --out, and every window is pictured into --screenshot.

#include "desktop_fixture.h"

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

ProgramRun RunGui(const std::string& arguments) {
    const std::string command = "QT_QPA_PLATFORM=offscreen '" +
                                std::string(TRACKQUERY_GUI_PROGRAM) + "' " + arguments +
                                " 2>&1 </dev/null";
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

}  // namespace

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
