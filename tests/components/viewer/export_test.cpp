// The document's own output: the detail tree as a CSV file in a folder of the user's, under a name
// made from the view, never over an earlier file; print, preview and export go to the face.

#include <support/file_text.h>
#include <support/model_builders.h>

#include <components/viewer/detail_export.h>
#include <components/viewer/output_file.h>
#include <components/viewer/viewer_document.h>

#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace client::testing {
namespace {

using namespace trackquery::testing;

namespace fs = std::filesystem;

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory = fs::temp_directory_path() /
                    ("trace-viewer-export-" + std::to_string(getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory);
        viewer.SetOutputDirectory(directory);
        viewer.SetDetailModel(MakeDetail());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(directory, fs::perms::owner_all, ignored);
        fs::remove_all(directory, ignored);
    }

    fs::path directory;
    ViewerDocument viewer;
};

TEST_F(ExportTest, ExportWritesTheDetailTreeAsCsvNamedByExportTitle) {
    viewer.SetExportTitle("任务单全程跟踪_MO-001");
    viewer.ExportCsv();
    const auto path = viewer.LastOutputPath();
    EXPECT_EQ(path, directory / "任务单全程跟踪_MO-001.csv");
    const std::string expected =
        "\xEF\xBB\xBF"
        "Path,Kind,Values\r\n"
        "1,node,生产任务单\r\n"
        "1,columns,生产任务单,数量\r\n"
        "1.1,row,WORK001,\"1,000.00\"\r\n"
        "1.2,row,WORK002,20.50\r\n"
        "1.3,total,合计,\"1,020.50\"\r\n"
        "2,node,工序汇报\r\n"
        "2,columns,工序汇报,数量\r\n";
    EXPECT_EQ(FileText(path), expected);
}

TEST_F(ExportTest, ChildNodesOfRowsAreExportedWithTheirPaths) {
    auto row = std::dynamic_pointer_cast<trackquery::DetailRow>(
        viewer.GetDetailModel()->ItemByPath("1.1"));
    auto child = MakeKindNode("-502", "工序转移单");
    child->AddRow(MakeBillRow("ZY\"01", "2", "9"));
    row->AddChild(child);
    viewer.ExportCsv();
    const auto text = FileText(viewer.LastOutputPath());
    EXPECT_NE(text.find("1.1.1,node,工序转移单\r\n"), std::string::npos);
    EXPECT_NE(text.find("1.1.1.1,row,\"ZY\"\"01\",2\r\n"), std::string::npos);
}

TEST_F(ExportTest, ASecondExportNeverOverwritesTheFirst) {
    viewer.SetExportTitle("销售订单全程跟踪");
    viewer.ExportCsv();
    const auto first = viewer.LastOutputPath();
    viewer.GetDetailModel()->Remove(1);
    viewer.ExportCsv();
    const auto second = viewer.LastOutputPath();
    EXPECT_NE(first, second);
    EXPECT_EQ(second, directory / "销售订单全程跟踪 (2).csv");
    EXPECT_NE(FileText(first).find("WORK001"), std::string::npos);
    EXPECT_EQ(FileText(second).find("WORK001"), std::string::npos);
}

TEST_F(ExportTest, AnUntitledExportHasADefaultNameAndUnsafeCharactersAreReplaced) {
    viewer.ExportCsv();
    EXPECT_EQ(viewer.LastOutputPath().filename(), "TraceViewer.csv");
    viewer.SetExportTitle("a/b:c");
    viewer.ExportCsv();
    EXPECT_EQ(viewer.LastOutputPath().filename(), "a_b_c.csv");
    EXPECT_EQ(viewer.LastOutputPath().parent_path(), directory);
}

TEST_F(ExportTest, AnUnwritableDirectoryIsError75AndLeavesNoFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    fs::create_directories(directory);
    fs::permissions(directory, fs::perms::owner_read | fs::perms::owner_exec);
    try {
        viewer.ExportCsv();
        FAIL() << "no error";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 75);
        EXPECT_NE(error.Description().find(directory.string()), std::string::npos);
    }
    EXPECT_TRUE(viewer.LastOutputPath().empty());
    fs::permissions(directory, fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(directory));
}

TEST_F(ExportTest, AnOutputDirectoryThatIsAFileIsError75) {
    fs::create_directories(directory);
    std::ofstream(directory / "file") << "x";
    viewer.SetOutputDirectory(directory / "file");
    try {
        viewer.ExportCsv();
        FAIL() << "no error";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 75);
    }
    EXPECT_EQ(FileText(directory / "file"), "x");
}

TEST(CsvTest, FieldsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("1,000"), "\"1,000\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvRecord({"a", "", "b"}), "a,,b\r\n");
}

// A text a spreadsheet would run as a formula gets an apostrophe in front; numbers as the detail
// tree shows them stay numbers.
TEST(CsvTest, TextASpreadsheetWouldRunIsWrittenAsText) {
    const std::pair<const char*, const char*> cases[] = {
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1+cmd|' /C calc'!A0", "'+1+cmd|' /C calc'!A0"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=1", "'\t=1"},
        {"\r=1", "\"'\r=1\""},
        {"-1,234.50", "\"-1,234.50\""},
        {"+5%", "+5%"},
        {"-.5", "-.5"},
        {"WORK-01", "WORK-01"},
        {"", ""}};
    for (const auto& [text, field] : cases) EXPECT_EQ(CsvField(text), field) << text;
}

// Without a folder of its own the viewer writes into the user's documents folder, never a shared
// one, with the permissions the user's umask gives.
TEST_F(ExportTest, FilesGoToAFolderOfTheUsersOwnWithTheUsersPermissions) {
    const std::string saved =
        std::getenv("XDG_DOCUMENTS_DIR") ? std::getenv("XDG_DOCUMENTS_DIR") : "";
    ::setenv("XDG_DOCUMENTS_DIR", (directory / "documents").c_str(), 1);
    ViewerDocument unplaced;
    unplaced.SetDetailModel(MakeDetail());
    const std::pair<mode_t, int> modes[] = {{077, 0600}, {022, 0644}, {002, 0664}};
    for (const auto& [mask, mode] : modes) {
        const mode_t before = ::umask(mask);
        unplaced.ExportCsv();
        ::umask(before);
        EXPECT_EQ(unplaced.LastOutputPath().parent_path(), directory / "documents" / "trackquery");
        EXPECT_EQ(fs::status(unplaced.LastOutputPath()).permissions(), fs::perms(mode)) << mask;
    }
    ::setenv("XDG_DOCUMENTS_DIR", saved.c_str(), 1);
}

TEST(SafeFileNameTest, ReplacesWhatAFileNameCannotHold) {
    EXPECT_EQ(SafeFileName("x<y>|z*?", "f"), "x_y__z__");
    EXPECT_EQ(SafeFileName("", "fallback"), "fallback");
    EXPECT_EQ(SafeFileName("..", "fallback"), "fallback");
    EXPECT_EQ(SafeFileName("订单_01", "f"), "订单_01");
}

}  // namespace
}  // namespace client::testing
