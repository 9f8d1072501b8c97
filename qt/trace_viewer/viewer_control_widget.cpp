// The "TraceViewer" control of a form drawn by its desktop viewer, and the registration of both.

#include <qt/trace_viewer/qt_trace_viewer.h>
#include <qt/trace_viewer/trace_viewer_widget.h>
#include <qt/windowing/control_widget.h>

#include <platform/automation/registry.h>

#include <QLabel>

namespace qtgui {

void RegisterQtViewerInstance(const std::shared_ptr<QtTraceViewer>& viewer);

namespace {

class ViewerControlWidget : public ControlWidget {
  public:
    ViewerControlWidget(const std::shared_ptr<windowing::Control>& control, QWidget* parent)
        : control_(control) {
        viewer_ = QtTraceViewer::OfForm(control->Parent());
        if (auto viewer = viewer_.lock()) {
            widget_ = viewer->Widget(parent);
        } else {
            // A viewer that is not the desktop one (a test's fake) has nothing to draw with.
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
    std::weak_ptr<QtTraceViewer> viewer_;
    QPointer<QWidget> widget_;
};

}  // namespace

void RegisterQtTraceViewer(const std::filesystem::path& outputDirectory, bool usesDialogs) {
    automation::ComponentRegistry::Instance().Register(
        trackquery::kProgIdTraceViewer, [outputDirectory, usesDialogs] {
            auto viewer = std::make_shared<QtTraceViewer>();
            if (!outputDirectory.empty()) viewer->SetOutputDirectory(outputDirectory);
            viewer->SetUsesDialogs(usesDialogs);
            RegisterQtViewerInstance(viewer);
            return viewer;
        });
    RegisterControlWidget("TraceViewer",
                          [](const std::shared_ptr<windowing::Control>& control,
                             QWidget* parent) -> std::unique_ptr<ControlWidget> {
                              return std::make_unique<ViewerControlWidget>(control, parent);
                          });
}

}  // namespace qtgui
