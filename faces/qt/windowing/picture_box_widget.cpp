// A PictureBox as a plain area in its back colour.

#include <faces/qt/windowing/standard_widgets.h>

#include <platform/windowing/picture_box.h>

#include <QFrame>

namespace qtgui {

namespace {

// VB colours are 0x00BBGGRR; a value with the high bit set names a system colour.
QColor ColorOf(int32_t vbColor, const QPalette& palette) {
    if (vbColor < 0) return palette.color(QPalette::Button);
    return QColor(vbColor & 0xFF, (vbColor >> 8) & 0xFF, (vbColor >> 16) & 0xFF);
}

class PictureBoxWidget : public TypedControlWidget<windowing::PictureBox, QFrame> {
  public:
    PictureBoxWidget(const std::shared_ptr<windowing::PictureBox>& box, QWidget* parent)
        : TypedControlWidget(box, new QFrame(parent)) {
        View()->setAutoFillBackground(true);
    }

  protected:
    void SyncState(windowing::PictureBox& box) override {
        QPalette palette = View()->palette();
        const QColor color = ColorOf(box.BackColor(), palette);
        if (palette.color(QPalette::Window) == color) return;
        palette.setColor(QPalette::Window, color);
        View()->setPalette(palette);
    }
};

}  // namespace

std::unique_ptr<ControlWidget> MakePictureBoxWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent) {
    auto box = std::dynamic_pointer_cast<windowing::PictureBox>(control);
    if (!box) return nullptr;
    return std::make_unique<PictureBoxWidget>(box, parent);
}

}  // namespace qtgui
