// A Label as a QLabel.

#include <faces/qt/windowing/standard_widgets.h>

#include <platform/windowing/label.h>

#include <QLabel>

namespace qtgui {

namespace {

class LabelWidget : public TypedControlWidget<windowing::Label, QLabel> {
  public:
    LabelWidget(const std::shared_ptr<windowing::Label>& label, QWidget* parent)
        : TypedControlWidget(label, new QLabel(parent)) {
        View()->setWordWrap(true);
        View()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

  protected:
    void SyncState(windowing::Label& label) override {
        const QString text = Caption(label.Caption());
        if (View()->text() != text) View()->setText(text);
    }
};

}  // namespace

std::unique_ptr<ControlWidget> MakeLabelWidget(const std::shared_ptr<windowing::Control>& control,
                                               QWidget* parent) {
    auto label = std::dynamic_pointer_cast<windowing::Label>(control);
    if (!label) return nullptr;
    return std::make_unique<LabelWidget>(label, parent);
}

}  // namespace qtgui
