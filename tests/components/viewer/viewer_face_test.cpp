// The document draws nothing: print, preview and export, asked for by the tracker or with the
// viewer's own tools, go to the face the registration made it with; without one nothing is written.

#include <components/viewer/viewer_document.h>
#include <components/viewer/viewer_menu_bar.h>

#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace client::testing {
namespace {

// A face that writes down what it was asked for and which document asked.
class RecordingFace : public ViewerFace {
  public:
    RecordingFace(ViewerDocument& document, std::vector<std::string>& calls)
        : document_(document), calls_(calls) {}

    void PrintPreview() override { Note("preview"); }
    void Print() override { Note("print"); }
    void Export() override { Note("export"); }

  private:
    void Note(const std::string& what) { calls_.push_back(what + " " + document_.ExportTitle()); }

    ViewerDocument& document_;
    std::vector<std::string>& calls_;
};

class ViewerFaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        automation::ComponentRegistry::Instance().Clear();
        RegisterTraceViewer([this](ViewerDocument& document) {
            return std::make_unique<RecordingFace>(document, calls);
        });
    }
    void TearDown() override { automation::ComponentRegistry::Instance().Clear(); }

    std::vector<std::string> calls;
};

TEST_F(ViewerFaceTest, TheProgIdMakesANewDocumentWithTheRegisteredFaceEachTime) {
    auto first = automation::CreateObject<trackquery::ITraceViewer>("QzTraceViewer.TraceViewer");
    auto second = automation::CreateObject<trackquery::ITraceViewer>("qztraceviewer.traceviewer");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    auto document = std::dynamic_pointer_cast<ViewerDocument>(first);
    ASSERT_NE(document, nullptr);
    EXPECT_NE(dynamic_cast<RecordingFace*>(document->Face()), nullptr);
    EXPECT_NE(document->Face(), std::dynamic_pointer_cast<ViewerDocument>(second)->Face());
    EXPECT_EQ(first->TypeName(), "TraceViewer");
    EXPECT_EQ(first->GetNavigationModel(), nullptr);
    EXPECT_NE(first->GetMenuBar(), nullptr);
}

TEST_F(ViewerFaceTest, OutputAskedForByTheTrackerOrTheOwnToolsGoesToTheFace) {
    auto viewer = automation::CreateObject<trackquery::ITraceViewer>("QzTraceViewer.TraceViewer");
    auto& document = dynamic_cast<ViewerDocument&>(*viewer);
    viewer->SetExportTitle("任务单全程跟踪");
    viewer->PrintPreview();
    viewer->Print();
    viewer->Export();
    EXPECT_TRUE(document.ClickTool(kToolViewerPrintPreview));
    EXPECT_TRUE(document.ClickTool(kToolViewerPrint));
    EXPECT_TRUE(document.ClickTool(kToolViewerExport));
    const std::vector<std::string> expected = {"preview 任务单全程跟踪", "print 任务单全程跟踪",
                                               "export 任务单全程跟踪",  "preview 任务单全程跟踪",
                                               "print 任务单全程跟踪",   "export 任务单全程跟踪"};
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(document.LastOutputPath().empty()) << "the face wrote nothing";
}

TEST(FacelessDocumentTest, WithoutAFaceNothingIsWritten) {
    ViewerDocument document;
    document.SetOutputDirectory(std::filesystem::temp_directory_path() / "no-face-no-file");
    EXPECT_EQ(document.Face(), nullptr);
    document.PrintPreview();
    document.Print();
    EXPECT_TRUE(document.ClickTool(kToolViewerExport));
    EXPECT_TRUE(document.LastOutputPath().empty());
    EXPECT_FALSE(std::filesystem::exists(document.OutputDirectory()));
}

}  // namespace
}  // namespace client::testing
