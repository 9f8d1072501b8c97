// Export, print and print preview write real files.

#include <support/model_builders.h>

#include <client/trace_viewer/detail_export.h>
#include <client/trace_viewer/headless_trace_viewer.h>
#include <client/trace_viewer/output_file.h>

#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace client::testing {
namespace {

using namespace trackquery::testing;

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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
    HeadlessTraceViewer viewer;
};

TEST_F(ExportTest, ExportWritesTheDetailTreeAsCsvNamedByExportTitle) {
    viewer.SetExportTitle("任务单全程跟踪_MO-001");
    viewer.Export();
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
    EXPECT_EQ(ReadFile(path), expected);
}

TEST_F(ExportTest, ChildNodesOfRowsAreExportedWithTheirPaths) {
    auto row = std::dynamic_pointer_cast<trackquery::DetailRow>(
        viewer.GetDetailModel()->ItemByPath("1.1"));
    auto child = MakeKindNode("-502", "工序转移单");
    child->AddRow(MakeBillRow("ZY\"01", "2", "9"));
    row->AddChild(child);
    viewer.Export();
    const auto text = ReadFile(viewer.LastOutputPath());
    EXPECT_NE(text.find("1.1.1,node,工序转移单\r\n"), std::string::npos);
    EXPECT_NE(text.find("1.1.1.1,row,\"ZY\"\"01\",2\r\n"), std::string::npos);
}

TEST_F(ExportTest, ASecondExportNeverOverwritesTheFirst) {
    viewer.SetExportTitle("销售订单全程跟踪");
    viewer.Export();
    const auto first = viewer.LastOutputPath();
    viewer.GetDetailModel()->Remove(1);
    viewer.Export();
    const auto second = viewer.LastOutputPath();
    EXPECT_NE(first, second);
    EXPECT_EQ(second, directory / "销售订单全程跟踪 (2).csv");
    EXPECT_NE(ReadFile(first).find("WORK001"), std::string::npos);
    EXPECT_EQ(ReadFile(second).find("WORK001"), std::string::npos);
}

TEST_F(ExportTest, AnUntitledExportHasADefaultNameAndUnsafeCharactersAreReplaced) {
    viewer.Export();
    EXPECT_EQ(viewer.LastOutputPath().filename(), "TraceViewer.csv");
    viewer.SetExportTitle("a/b:c");
    viewer.Export();
    EXPECT_EQ(viewer.LastOutputPath().filename(), "a_b_c.csv");
    EXPECT_EQ(viewer.LastOutputPath().parent_path(), directory);
}

TEST_F(ExportTest, PrintAndPreviewWriteTheRenderedView) {
    viewer.SetExportTitle("任务单全程跟踪_MO-001");
    viewer.PrintPreview();
    const auto preview = viewer.LastOutputPath();
    viewer.Print();
    const auto printed = viewer.LastOutputPath();
    EXPECT_NE(preview, printed);
    EXPECT_EQ(ReadFile(preview), viewer.Render());
    EXPECT_EQ(ReadFile(printed), viewer.Render());
    EXPECT_EQ(printed.extension(), ".txt");
}

TEST_F(ExportTest, TheViewersOwnExportToolWritesAFile) {
    EXPECT_TRUE(viewer.ClickTool("btnViewerExport"));
    EXPECT_TRUE(fs::exists(viewer.LastOutputPath()));
}

TEST_F(ExportTest, AnUnwritableDirectoryIsError75AndLeavesNoFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    fs::create_directories(directory);
    fs::permissions(directory, fs::perms::owner_read | fs::perms::owner_exec);
    try {
        viewer.Export();
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
        viewer.Export();
        FAIL() << "no error";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 75);
    }
    EXPECT_EQ(ReadFile(directory / "file"), "x");
}

TEST(CsvTest, FieldsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("1,000"), "\"1,000\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvRecord({"a", "", "b"}), "a,,b\r\n");
}

TEST(SafeFileNameTest, ReplacesWhatAFileNameCannotHold) {
    EXPECT_EQ(SafeFileName("x<y>|z*?", "f"), "x_y__z__");
    EXPECT_EQ(SafeFileName("", "fallback"), "fallback");
    EXPECT_EQ(SafeFileName("..", "fallback"), "fallback");
    EXPECT_EQ(SafeFileName("订单_01", "f"), "订单_01");
}

TEST(RegistrationTest, TheProgIdCreatesAHeadlessViewerEachTime) {
    RegisterTraceViewer();
    auto first = automation::CreateObject<trackquery::ITraceViewer>("QzTraceViewer.TraceViewer");
    auto second = automation::CreateObject<trackquery::ITraceViewer>("qztraceviewer.traceviewer");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(std::dynamic_pointer_cast<HeadlessTraceViewer>(first), nullptr);
    EXPECT_EQ(first->TypeName(), "TraceViewer");
    EXPECT_EQ(first->GetNavigationModel(), nullptr);
    EXPECT_NE(first->GetMenuBar(), nullptr);
}

}  // namespace
}  // namespace client::testing
