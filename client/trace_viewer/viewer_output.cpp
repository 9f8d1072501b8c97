// Print, print preview and export of the headless trace viewer: each writes a real file into the
// output directory and remembers its path.

#include <client/trace_viewer/detail_export.h>
#include <client/trace_viewer/headless_trace_viewer.h>
#include <client/trace_viewer/output_file.h>
#include <client/trace_viewer/view_renderer.h>

#include <platform/automation/strings.h>
#include <platform/automation/temp_folder.h>

namespace client {

namespace {

constexpr const char* kDefaultTitle = "TraceViewer";
// Spreadsheet programs read a UTF-8 CSV file as UTF-8 only when it starts with the byte order mark.
constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

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

std::string HeadlessTraceViewer::OutputBaseName() const {
    const auto& model = state_.navigation;
    std::string title = exportTitle_;
    if (title.empty() && model && model->NodeCount() > 0) title = model->NodeItem(1)->Text;
    auto order = model ? OrderNodeOf(*model, ResolvedNavigationNode()) : nullptr;
    if (order && !order->Text.empty() && title.find(order->Text) == std::string::npos) {
        title += "_" + order->Text;
    }
    return SafeFileName(title, kDefaultTitle);
}

std::filesystem::path HeadlessTraceViewer::OutputDirectory() const {
    return outputDirectory_.empty() ? automation::TempFolder() / "trackquery" : outputDirectory_;
}

void HeadlessTraceViewer::WriteOutput(const std::string& baseName, const std::string& extension,
                                      const std::string& content) {
    lastOutputPath_ = WriteNewFile(OutputDirectory(), baseName, extension, content);
}

// A page shows the order; what went wrong on the screen is not part of it.
std::string HeadlessTraceViewer::RenderPage() const {
    ViewState shown = ShownState();
    shown.statusText.clear();
    return RenderView(shown);
}

void HeadlessTraceViewer::PrintPreview() {
    WriteOutput(OutputBaseName() + " - preview", ".txt", RenderPage());
}

void HeadlessTraceViewer::Print() {
    WriteOutput(OutputBaseName() + " - print", ".txt", RenderPage());
}

void HeadlessTraceViewer::Export() {
    const std::string csv = state_.detail ? DetailModelToCsv(*state_.detail)
                                          : DetailModelToCsv(trackquery::DetailModel());
    WriteOutput(OutputBaseName(), ".csv", kUtf8ByteOrderMark + csv);
}

}  // namespace client
