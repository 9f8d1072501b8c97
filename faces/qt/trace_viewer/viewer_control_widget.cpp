// The "TraceViewer" control of a form drawn by its desktop viewer, and the registration of both.

#include <faces/qt/trace_viewer/qt_viewer_face.h>
#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <faces/qt/windowing/control_widget.h>

#include <platform/automation/registry.h>

#include <QLabel>

namespace qtgui {

namespace {

class ViewerControlWidget : public ControlWidget {
  public:
    ViewerControlWidget(const std::shared_ptr<windowing::Control>& control, QWidget* parent)
        : control_(control) {
        if (auto* face = QtViewerFace::OfForm(control->Parent())) {
            widget_ = face->Widget(parent);
        } else {
            // A viewer that is not the desktop's (a test's fake) has nothing to draw with.
            auto* label = new QLabel(QStringLiteral("(trace viewer)"), parent);
            label->setAlignment(Qt::AlignCenter);
            widget_ = label;
        }
    }

    QWidget* Widget() const override { return widget_; }

    void Sync() override {
        auto control = control_.lock();
        if (!control || !widget_) return;
        SyncGeometry(*widget_, *control);
        if (auto* viewerWidget = dynamic_cast<TraceViewerWidget*>(widget_.data())) {
            viewerWidget->Sync();
        }
    }

  private:
    std::weak_ptr<windowing::Control> control_;
    QPointer<QWidget> widget_;
};

}  // namespace

void RegisterQtTraceViewer(const std::filesystem::path& outputDirectory, bool usesDialogs) {
    automation::ComponentRegistry::Instance().Register(
        trackquery::kProgIdTraceViewer, [outputDirectory, usesDialogs] {
            auto document = std::make_shared<client::ViewerDocument>(
                [usesDialogs](client::ViewerDocument& drawn) {
                    return std::make_unique<QtViewerFace>(drawn, usesDialogs);
                });
            if (!outputDirectory.empty()) document->SetOutputDirectory(outputDirectory);
            return document;
        });
    RegisterControlWidget("TraceViewer",
                          [](const std::shared_ptr<windowing::Control>& control,
                             QWidget* parent) -> std::unique_ptr<ControlWidget> {
                              return std::make_unique<ViewerControlWidget>(control, parent);
                          });
}

}  // namespace qtgui
