// Print, print preview and export of the headless trace viewer: each writes a real file into the
// output directory and remembers its path.

#include <client/trace_viewer/detail_export.h>
#include <client/trace_viewer/headless_trace_viewer.h>
#include <client/trace_viewer/output_file.h>

namespace client {

namespace {

constexpr const char* kDefaultTitle = "TraceViewer";
// Spreadsheet programs read a UTF-8 CSV file as UTF-8 only when it starts with the byte order mark.
constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void HeadlessTraceViewer::WriteOutput(const std::string& baseName, const std::string& extension,
                                      const std::string& content) {
    lastOutputPath_ = WriteNewFile(outputDirectory_, baseName, extension, content);
}

void HeadlessTraceViewer::PrintPreview() {
    WriteOutput(SafeFileName(exportTitle_, kDefaultTitle) + " - preview", ".txt", Render());
}

void HeadlessTraceViewer::Print() {
    WriteOutput(SafeFileName(exportTitle_, kDefaultTitle) + " - print", ".txt", Render());
}

void HeadlessTraceViewer::Export() {
    const std::string csv = state_.detail ? DetailModelToCsv(*state_.detail)
                                          : DetailModelToCsv(trackquery::DetailModel());
    WriteOutput(SafeFileName(exportTitle_, kDefaultTitle), ".csv", kUtf8ByteOrderMark + csv);
}

}  // namespace client
