#include <qt/trace_viewer/qt_trace_viewer.h>

#include <qt/output/print_document.h>
#include <qt/output/print_painter.h>
#include <qt/output/xlsx_export.h>
#include <qt/trace_viewer/trace_viewer_widget.h>

#include <client/trace_viewer/detail_export.h>
#include <client/trace_viewer/output_file.h>

#include <QDate>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <vector>

namespace qtgui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultTitle = "TraceViewer";
constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::vector<std::weak_ptr<QtTraceViewer>>& LiveViewers() {
    static std::vector<std::weak_ptr<QtTraceViewer>> viewers;
    return viewers;
}

std::string Today() { return QDate::currentDate().toString("yyyy-MM-dd").toStdString(); }

QWidget* DialogParent(TraceViewerWidget* widget) { return widget ? widget->window() : nullptr; }

}  // namespace

QtTraceViewer::QtTraceViewer() = default;

QtTraceViewer::~QtTraceViewer() {
    if (widget_) widget_->deleteLater();
}

// --- The form it belongs to ------------------------------------------------------------------

void QtTraceViewer::SetEventSink(trackquery::ITraceViewerEvents* sink) {
    HeadlessTraceViewer::SetEventSink(sink);
    rawForm_ = dynamic_cast<windowing::Form*>(sink);
    form_.reset();
}

void QtTraceViewer::SetEventSink(std::weak_ptr<trackquery::ITraceViewerEvents> sink) {
    HeadlessTraceViewer::SetEventSink(sink);
    auto form = std::dynamic_pointer_cast<windowing::Form>(sink.lock());
    form_ = form;
    rawForm_ = form.get();
}

windowing::Form* QtTraceViewer::OwnerForm() const {
    if (auto form = form_.lock()) return form.get();
    return rawForm_;
}

std::shared_ptr<QtTraceViewer> QtTraceViewer::OfForm(const windowing::Form* form) {
    auto& viewers = LiveViewers();
    viewers.erase(std::remove_if(viewers.begin(), viewers.end(),
                                 [](const auto& weak) { return weak.expired(); }),
                  viewers.end());
    for (const auto& weak : viewers) {
        auto viewer = weak.lock();
        if (viewer && form && viewer->OwnerForm() == form) return viewer;
    }
    return nullptr;
}

TraceViewerWidget* QtTraceViewer::Widget(QWidget* parent) {
    if (!widget_) {
        auto self = std::static_pointer_cast<QtTraceViewer>(shared_from_this());
        widget_ = new TraceViewerWidget(std::weak_ptr<client::HeadlessTraceViewer>(self), parent);
        widget_->setObjectName(
            QString::fromStdString(ViewSetting05().empty() ? kDefaultTitle : ViewSetting05()));
    }
    return widget_;
}

// --- Output ----------------------------------------------------------------------------------

PrintDocument QtTraceViewer::Document() const {
    const windowing::Form* form = OwnerForm();
    std::string title = form ? form->Caption() : "";
    if (title.empty()) title = ExportTitle().empty() ? kDefaultTitle : ExportTitle();
    std::string subtitle = NavigationTitle();
    auto node = const_cast<QtTraceViewer*>(this)->SelectedNavigationNode();
    if (node && node->Level > 0) subtitle += (subtitle.empty() ? "" : "  ") + node->Text;
    auto head = GetHeadModel();
    auto detail = const_cast<QtTraceViewer*>(this)->GetDetailModel();
    return BuildPrintDocument(title, Today(), subtitle, HeadTitle(),
                              head ? head->Lines() : std::vector<std::string>{}, DetailTitle(),
                              detail.get());
}

std::string QtTraceViewer::BaseName() const {
    const windowing::Form* form = OwnerForm();
    const std::string title = !ExportTitle().empty() ? ExportTitle()
                              : form                 ? form->Caption()
                                                     : std::string();
    return client::SafeFileName(title, kDefaultTitle);
}

fs::path QtTraceViewer::WriteFile(const std::string& suffix, const std::string& extension,
                                  const std::string& bytes) {
    auto path = client::WriteNewFile(OutputDirectory(), BaseName() + suffix, extension, bytes);
    SetLastOutputPath(path);
    return path;
}

void QtTraceViewer::PrintPreview() {
    const PrintDocument document = Document();
    if (!usesDialogs_) {
        WriteFile(" - preview", ".pdf", DocumentToPdf(document));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, DialogParent(widget_));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { PaintDocument(*target, document); });
    dialog.exec();
}

void QtTraceViewer::Print() {
    const PrintDocument document = Document();
    if (!usesDialogs_) {
        WriteFile(" - print", ".pdf", DocumentToPdf(document));
        return;
    }
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer on this machine: the print becomes a PDF file the user places.
        const QString chosen = QFileDialog::getSaveFileName(
            DialogParent(widget_), QString(),
            QString::fromStdString((OutputDirectory() / (BaseName() + ".pdf")).string()),
            QStringLiteral("PDF (*.pdf)"), nullptr, QFileDialog::DontConfirmOverwrite);
        if (chosen.isEmpty()) return;
        const fs::path target = chosen.toStdString();
        SetLastOutputPath(client::WriteNewFile(target.parent_path(), target.stem().string(), ".pdf",
                                               DocumentToPdf(document)));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, DialogParent(widget_));
    if (dialog.exec() == QDialog::Accepted) PaintDocument(printer, document);
}

void QtTraceViewer::Export() {
    auto detail = GetDetailModel();
    const trackquery::DetailModel empty;
    const trackquery::DetailModel& model = detail ? *detail : empty;
    const PrintDocument document = Document();
    const SheetHeader header{document.title, document.date, document.subtitle};
    if (!usesDialogs_) {
        WriteFile("", ".xlsx", DetailModelToXlsx(model, header));
        return;
    }
    QString filter;
    const QString chosen = QFileDialog::getSaveFileName(
        DialogParent(widget_), QString(),
        QString::fromStdString((OutputDirectory() / (BaseName() + ".xlsx")).string()),
        QStringLiteral("Excel (*.xlsx);;CSV (*.csv)"), &filter, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return;
    const fs::path target = chosen.toStdString();
    const bool csv = target.extension() == ".csv" || filter.startsWith("CSV");
    const std::string bytes = csv ? kUtf8ByteOrderMark + client::DetailModelToCsv(model)
                                  : DetailModelToXlsx(model, header);
    SetLastOutputPath(client::WriteNewFile(target.parent_path(), target.stem().string(),
                                           csv ? ".csv" : ".xlsx", bytes));
}

// --- Registration ----------------------------------------------------------------------------

void RegisterQtViewerInstance(const std::shared_ptr<QtTraceViewer>& viewer) {
    LiveViewers().push_back(viewer);
}

}  // namespace qtgui
