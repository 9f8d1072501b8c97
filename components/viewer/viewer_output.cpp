// Print, print preview and export of the viewer's document: the face writes them in its own
// formats; the names, the folder and the CSV export are the document's, for every face.

#include <components/viewer/detail_export.h>
#include <components/viewer/output_file.h>
#include <components/viewer/viewer_document.h>

#include <platform/automation/strings.h>
#include <platform/automation/user_folders.h>

namespace client {

namespace {

constexpr const char* kDefaultTitle = "TraceViewer";

// The order a navigation node belongs to: the node itself under the root, or the order above an
// entry; nothing for the root.
trackquery::NavigationNodePtr OrderNodeOf(const trackquery::NavigationModel& model,
                                          trackquery::NavigationNodePtr node) {
    for (int guard = 0; node && guard < 8; ++guard) {
        if (node->ParentKey.empty()) return nullptr;
        if (automation::UCase(node->ParentKey) == "ROOT") return node;
        node = model.FindByKey(node->ParentKey);
    }
    return nullptr;
}

}  // namespace

std::string ViewerDocument::OutputBaseName() const {
    const auto& model = state_.navigation;
    std::string title = exportTitle_;
    if (title.empty() && model && model->NodeCount() > 0) title = model->NodeItem(1)->Text;
    auto order = model ? OrderNodeOf(*model, ResolvedNavigationNode()) : nullptr;
    if (order && !order->Text.empty() && title.find(order->Text) == std::string::npos) {
        title += "_" + order->Text;
    }
    return SafeFileName(title, kDefaultTitle);
}

std::filesystem::path ViewerDocument::OutputDirectory() const {
    return outputDirectory_.empty() ? automation::UserOutputFolder() : outputDirectory_;
}

void ViewerDocument::WriteOutput(const std::string& baseName, const std::string& extension,
                                 const std::string& content) {
    lastOutputPath_ = WriteNewFile(OutputDirectory(), baseName, extension, content);
}

void ViewerDocument::ExportCsv() {
    WriteOutput(OutputBaseName(), ".csv", DetailCsvFile(state_.detail.get()));
}

void ViewerDocument::PrintPreview() {
    if (face_) face_->PrintPreview();
}

void ViewerDocument::Print() {
    if (face_) face_->Print();
}

void ViewerDocument::Export() {
    if (face_) face_->Export();
}

}  // namespace client
