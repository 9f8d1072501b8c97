#include <faces/qt/trace_viewer/qt_viewer_face.h>

#include <faces/qt/output/print_document.h>
#include <faces/qt/output/print_painter.h>
#include <faces/qt/output/xlsx_export.h>
#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <faces/qt/windowing/save_dialog.h>

#include <components/viewer/detail_export.h>
#include <components/viewer/output_file.h>

#include <platform/activebar/tool.h>
#include <platform/automation/strings.h>
#include <platform/windowing/form.h>

#include <QDate>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <set>
#include <vector>

namespace qtgui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultTitle = "TraceViewer";

std::string Today() { return QDate::currentDate().toString("yyyy-MM-dd").toStdString(); }

QWidget* DialogParent(TraceViewerWidget* widget) { return widget ? widget->window() : nullptr; }

}  // namespace

QtViewerFace::QtViewerFace(client::ViewerDocument& document, bool usesDialogs)
    : document_(document), usesDialogs_(usesDialogs) {}

QtViewerFace::~QtViewerFace() {
    if (widget_) widget_->deleteLater();
}

QtViewerFace* QtViewerFace::Of(const client::ViewerDocument& document) {
    return dynamic_cast<QtViewerFace*>(document.Face());
}

QtViewerFace* QtViewerFace::OfForm(const windowing::Form* form) {
    if (!form) return nullptr;
    for (client::ViewerDocument* document : client::ViewerDocument::Instances()) {
        auto* face = Of(*document);
        if (face && document->Window().get() == form) return face;
    }
    return nullptr;
}

bool QtViewerFace::OffersTool(const activebar::Tool& tool) const {
    static const std::set<std::string> kShownOnRequest = {
        "ORDERSET", "VIEWICMOTRACK", "BTNPRINTSETUP", "CUT", "COPY", "PASTE"};
    const std::string key = automation::UCase(tool.Name());
    return !kShownOnRequest.contains(key) || document_.ShownByTracker(key);
}

TraceViewerWidget* QtViewerFace::Widget(QWidget* parent) {
    if (!widget_) {
        std::weak_ptr<client::ViewerDocument> document =
            std::static_pointer_cast<client::ViewerDocument>(document_.shared_from_this());
        // The widget may outlive the document (Qt deletes it later): it asks through a weak link.
        auto offers = [document](const activebar::Tool& tool) {
            auto alive = document.lock();
            auto* face = alive ? Of(*alive) : nullptr;
            return !face || face->OffersTool(tool);
        };
        widget_ = new TraceViewerWidget(document, std::move(offers), parent);
        const std::string name = document_.ViewSetting05();
        widget_->setObjectName(QString::fromStdString(name.empty() ? kDefaultTitle : name));
    }
    return widget_;
}

// --- Output ----------------------------------------------------------------------------------

PrintDocument QtViewerFace::Page() const {
    const auto form = document_.Window();
    std::string title = form ? form->Caption() : "";
    const std::string exportTitle = document_.ExportTitle();
    if (title.empty()) title = exportTitle.empty() ? kDefaultTitle : exportTitle;
    std::string subtitle = document_.NavigationTitle();
    for (const auto& text : SelectedOrderPath()) subtitle += (subtitle.empty() ? "" : "  ") + text;
    auto head = document_.GetHeadModel();
    auto detail = document_.GetDetailModel();
    return BuildPrintDocument(title, Today(), subtitle, document_.HeadTitle(),
                              head ? head->Lines() : std::vector<std::string>{},
                              document_.DetailTitle(), detail.get());
}

std::vector<std::string> QtViewerFace::SelectedOrderPath() const {
    auto node = document_.SelectedNavigationNode();
    auto model = document_.GetNavigationModel();
    if (!node || !model) return {};
    return NavigationPath(*model, *node);
}

std::string QtViewerFace::BaseName() const {
    const auto form = document_.Window();
    const std::string exportTitle = document_.ExportTitle();
    std::string title = !exportTitle.empty() ? exportTitle : form ? form->Caption() : std::string();
    // The order shown names the file, so that the files of several orders stand apart.
    const auto order = SelectedOrderPath();
    if (!order.empty() && title.find(order.front()) == std::string::npos)
        title += " " + order.front();
    return client::SafeFileName(title, kDefaultTitle);
}

fs::path QtViewerFace::WriteFile(const std::string& suffix, const std::string& extension,
                                 const std::string& bytes) {
    auto path =
        client::WriteNewFile(document_.OutputDirectory(), BaseName() + suffix, extension, bytes);
    document_.NoteOutput(path);
    return path;
}

void QtViewerFace::PrintPreview() {
    const PrintDocument page = Page();
    if (!usesDialogs_) {
        WriteFile(" - preview", ".pdf", DocumentToPdf(page));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, DialogParent(widget_));
    dialog.setWindowModality(Qt::WindowModal);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&page](QPrinter* target) { PaintDocument(*target, page); });
    dialog.exec();
}

void QtViewerFace::Print() {
    const PrintDocument page = Page();
    if (!usesDialogs_) {
        WriteFile(" - print", ".pdf", DocumentToPdf(page));
        return;
    }
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer on this machine: the print becomes a PDF file the user places.
        const fs::path target =
            AskSaveFile(DialogParent(widget_), BaseName() + ".pdf", QStringLiteral("PDF (*.pdf)"));
        if (target.empty()) return;
        document_.NoteOutput(client::WriteNewFile(target.parent_path(), target.stem().string(),
                                                  ".pdf", DocumentToPdf(page)));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, DialogParent(widget_));
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() == QDialog::Accepted) PaintDocument(printer, page);
}

void QtViewerFace::Export() {
    auto detail = document_.GetDetailModel();
    const trackquery::DetailModel empty;
    const trackquery::DetailModel& model = detail ? *detail : empty;
    const PrintDocument page = Page();
    const SheetHeader header = SheetHeaderOf(page);
    if (!usesDialogs_) {
        WriteFile("", ".xlsx", DetailModelToXlsx(model, header));
        return;
    }
    QString filter;
    const fs::path target = AskSaveFile(DialogParent(widget_), BaseName() + ".xlsx",
                                        QStringLiteral("Excel (*.xlsx);;CSV (*.csv)"), &filter);
    if (target.empty()) return;
    const bool csv = target.extension() == ".csv" || filter.startsWith("CSV");
    const std::string bytes =
        csv ? client::DetailCsvFile(&model) : DetailModelToXlsx(model, header);
    document_.NoteOutput(client::WriteNewFile(target.parent_path(), target.stem().string(),
                                              csv ? ".csv" : ".xlsx", bytes));
}

}  // namespace qtgui
