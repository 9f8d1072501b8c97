// The terminal's face of the viewer's document: print and preview write the page as text, export
// the document's CSV, each as a new file in the document's output folder.

#include <support/file_text.h>
#include <support/model_builders.h>

#include <faces/text/text_viewer_face.h>
#include <faces/text/view_renderer.h>

#include <components/viewer/viewer_document.h>
#include <components/viewer/viewer_menu_bar.h>

#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace textface::testing {
namespace {

using namespace trackquery::testing;

namespace fs = std::filesystem;

class TextFaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory = fs::temp_directory_path() /
                    ("text-face-" + std::to_string(getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory);
        automation::ComponentRegistry::Instance().Clear();
        client::RegisterTraceViewer(TextViewerFace::Factory());
        viewer = automation::CreateObject<client::ViewerDocument>("QzTraceViewer.TraceViewer");
        viewer->SetOutputDirectory(directory);
        viewer->SetNavigationModel(MakeNavigation());
        viewer->SelectNavigationNode(2, false);
        viewer->SetDetailModel(MakeDetail());
        viewer->SetExportTitle("任务单全程跟踪");
    }
    void TearDown() override {
        automation::ComponentRegistry::Instance().Clear();
        fs::remove_all(directory);
    }

    fs::path directory;
    std::shared_ptr<client::ViewerDocument> viewer;
};

TEST_F(TextFaceTest, TheRegisteredViewerIsDrawnByTheTextFace) {
    EXPECT_NE(dynamic_cast<TextViewerFace*>(viewer->Face()), nullptr);
}

// The page is the view without the status line: what went wrong on the screen is not printed.
TEST_F(TextFaceTest, PrintAndPreviewWriteThePageAsText) {
    viewer->SetStatusText("读取失败");
    viewer->PrintPreview();
    const auto preview = viewer->LastOutputPath();
    viewer->Print();
    const auto printed = viewer->LastOutputPath();
    EXPECT_EQ(preview, directory / "任务单全程跟踪_MO-001 - preview.txt");
    EXPECT_EQ(printed, directory / "任务单全程跟踪_MO-001 - print.txt");
    EXPECT_EQ(FileText(preview), RenderPage(*viewer));
    EXPECT_EQ(FileText(printed), RenderPage(*viewer));
    EXPECT_EQ(FileText(printed).find("读取失败"), std::string::npos);
    EXPECT_NE(RenderView(*viewer).find("== !! 读取失败 =="), std::string::npos);
}

TEST_F(TextFaceTest, TheViewersOwnExportToolWritesTheCsv) {
    EXPECT_TRUE(viewer->ClickTool(client::kToolViewerExport));
    EXPECT_EQ(viewer->LastOutputPath(), directory / "任务单全程跟踪_MO-001.csv");
    EXPECT_NE(FileText(viewer->LastOutputPath()).find("1.1,row,WORK001"), std::string::npos);
}

}  // namespace
}  // namespace textface::testing
