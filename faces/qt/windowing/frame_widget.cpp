// A Frame as a QGroupBox; the widgets of the controls placed in it are its children.

#include <faces/qt/windowing/standard_widgets.h>

#include <platform/windowing/frame.h>

#include <QGroupBox>

namespace qtgui {

namespace {

class FrameWidget : public TypedControlWidget<windowing::Frame, QGroupBox> {
  public:
    FrameWidget(const std::shared_ptr<windowing::Frame>& frame, QWidget* parent)
        : TypedControlWidget(frame, new QGroupBox(parent)) {}

  protected:
    void SyncState(windowing::Frame& frame) override {
        const QString title = Caption(frame.Caption());
        if (View()->title() != title) View()->setTitle(title);
    }
};

}  // namespace

std::unique_ptr<ControlWidget> MakeFrameWidget(const std::shared_ptr<windowing::Control>& control,
                                               QWidget* parent) {
    auto frame = std::dynamic_pointer_cast<windowing::Frame>(control);
    if (!frame) return nullptr;
    return std::make_unique<FrameWidget>(frame, parent);
}

}  // namespace qtgui
