#include <faces/qt/order_map/order_map_widget.h>

#include <faces/qt/order_map/map_scene.h>
#include <faces/qt/windowing/form_content.h>
#include <faces/qt/windowing/save_dialog.h>
#include <faces/qt/windowing/user_action.h>

#include <components/resources/session_captions.h>
#include <components/viewer/output_file.h>

#include <platform/automation/user_folders.h>

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace qtgui {

namespace fs = std::filesystem;

namespace {

// The view of the map: Ctrl + wheel zooms about the mouse, a drag pans, a double click on a box
// opens its bill.
class MapView : public QGraphicsView {
  public:
    MapView(QGraphicsScene* scene, std::function<void(int)> open, QWidget* parent)
        : QGraphicsView(scene, parent), open_(std::move(open)) {
        setDragMode(QGraphicsView::ScrollHandDrag);
        setRenderHint(QPainter::Antialiasing);
        setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    }

    // Until the user zooms, the map follows the window's size: whole where it can be read,
    // else at a readable scale from its start, to be panned.
    void FollowWindow(bool follow) {
        following_ = follow;
        if (following_) Fit();
    }
    void ZoomBy(double factor) {
        following_ = false;
        scale(factor, factor);
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        if (following_) Fit();
    }
    void wheelEvent(QWheelEvent* event) override {
        if (!(event->modifiers() & Qt::ControlModifier)) return QGraphicsView::wheelEvent(event);
        ZoomBy(event->angleDelta().y() > 0 ? 1.15 : 1 / 1.15);
        event->accept();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const int index = BoxIndexOf(itemAt(event->position().toPoint()));
        if (index >= 0) {
            RunUserAction([this, index] { open_(index); });
            return;
        }
        QGraphicsView::mouseDoubleClickEvent(event);
    }

  private:
    void Fit() {
        const QRectF area = sceneRect();
        const QSize room = viewport()->size();
        if (area.isEmpty() || room.isEmpty()) return;
        const double whole = std::min(room.width() / area.width(), room.height() / area.height());
        const double readable = std::clamp(whole, 0.6, 1.0);
        resetTransform();
        scale(readable, readable);
        if (readable > whole) {
            const QPointF half(room.width() / (2 * readable), room.height() / (2 * readable));
            centerOn(area.topLeft() + half);
        } else {
            centerOn(area.center());
        }
    }

    std::function<void(int)> open_;
    bool following_ = true;
};

class MapFace : public ControlWidget {
  public:
    explicit MapFace(OrderMapWidget* widget) : widget_(widget) {}
    QWidget* Widget() const override { return widget_; }
    void Sync() override {}

  private:
    OrderMapWidget* widget_;
};

std::pair<fs::path, bool>& Settings() {
    static std::pair<fs::path, bool> settings{{}, true};
    return settings;
}

MapFormat FormatOf(const fs::path& path, const QString& filter) {
    const std::string extension = path.extension().string();
    if (extension == ".png" || (extension.empty() && filter.startsWith("PNG"))) {
        return MapFormat::Png;
    }
    if (extension == ".pdf" || (extension.empty() && filter.startsWith("PDF"))) {
        return MapFormat::Pdf;
    }
    return MapFormat::Svg;
}

}  // namespace

OrderMapWidget::OrderMapWidget(std::weak_ptr<client::frmOrderMap> window, fs::path outDir,
                               bool usesDialogs, QWidget* parent)
    : QWidget(parent),
      window_(std::move(window)),
      outDir_(std::move(outDir)),
      usesDialogs_(usesDialogs),
      scene_(new QGraphicsScene(this)) {
    setObjectName("orderMap");
    if (auto alive = window_.lock()) DrawOrderMap(*scene_, alive->Map());
    std::weak_ptr<client::frmOrderMap> opener = window_;
    view_ = new MapView(
        scene_,
        [opener](int index) {
            if (auto alive = opener.lock()) alive->OpenBox(index);
        },
        this);
    client::SessionCaptions text;
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"放大", [this] { ZoomBy(1.25); }},
        {"缩小", [this] { ZoomBy(0.8); }},
        {"适合窗口", [this] { FitToWindow(); }},
        {"导出", [this] { Export(); }},
        {"打印", [this] { Print(); }}};
    for (const auto& [caption, action] : actions) {
        auto* button = new QPushButton(QString::fromStdString(text(caption)), this);
        QObject::connect(button, &QPushButton::clicked, button,
                         [act = action] { RunUserAction(act); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
}

void OrderMapWidget::ZoomBy(double factor) { static_cast<MapView*>(view_)->ZoomBy(factor); }

void OrderMapWidget::FitToWindow() {
    static_cast<MapView*>(view_)->FollowWindow(false);
    view_->fitInView(scene_->sceneRect(), Qt::KeepAspectRatio);
}

std::string OrderMapWidget::BaseName() const {
    auto alive = window_.lock();
    return client::SafeFileName(alive ? alive->Caption() : "", "order map");
}

fs::path OrderMapWidget::OutputFolder() const {
    return outDir_.empty() ? automation::UserOutputFolder() : outDir_;
}

fs::path OrderMapWidget::WriteFile(MapFormat format) {
    return client::WriteNewFile(OutputFolder(), BaseName(), MapExtension(format),
                                MapFileBytes(*scene_, format, BaseName()));
}

void OrderMapWidget::Export() {
    if (!usesDialogs_) {
        for (const MapFormat format : {MapFormat::Svg, MapFormat::Png, MapFormat::Pdf}) {
            WriteFile(format);
        }
        return;
    }
    QString filter;
    const fs::path target =
        AskSaveFile(this, BaseName() + ".svg",
                    QStringLiteral("SVG (*.svg);;PNG (*.png);;PDF (*.pdf)"), &filter);
    if (target.empty()) return;
    const MapFormat format = FormatOf(target, filter);
    client::WriteNewFile(target.parent_path(), target.stem().string(), MapExtension(format),
                         MapFileBytes(*scene_, format, BaseName()));
}

// As the tracker's print: a printer chosen in the print dialog, or a PDF where there is none.
void OrderMapWidget::Print() {
    const bool printers = !QPrinterInfo::availablePrinters().isEmpty();
    if (!usesDialogs_ || !printers) {
        const fs::path target =
            usesDialogs_ ? AskSaveFile(this, BaseName() + ".pdf", QStringLiteral("PDF (*.pdf)"))
                         : OutputFolder() / (BaseName() + " - print.pdf");
        if (target.empty()) return;
        client::WriteNewFile(target.parent_path(), target.stem().string(), ".pdf",
                             MapFileBytes(*scene_, MapFormat::Pdf, BaseName()));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() == QDialog::Accepted) PrintMap(*scene_, printer);
}

void RegisterOrderMapForm(const fs::path& outDir, bool usesDialogs) {
    Settings() = {outDir, usesDialogs};
    RegisterFormContent("frmOrderMap",
                        [](const std::shared_ptr<windowing::Form>& form,
                           QWidget* parent) -> std::unique_ptr<ControlWidget> {
                            auto window = std::dynamic_pointer_cast<client::frmOrderMap>(form);
                            if (!window) return nullptr;
                            auto* widget = new OrderMapWidget(window, Settings().first,
                                                              Settings().second, parent);
                            return std::make_unique<MapFace>(widget);
                        });
}

}  // namespace qtgui
