// A CheckBox as a QCheckBox. The click goes through CheckBox::Click, which decides the new value;
// the box then shows the control's value, never a state of its own.

#include <faces/qt/windowing/standard_widgets.h>
#include <faces/qt/windowing/user_action.h>

#include <platform/windowing/check_box.h>

#include <QCheckBox>

namespace qtgui {

namespace {

Qt::CheckState StateOf(int16_t value) {
    switch (value) {
        case windowing::vbChecked:
            return Qt::Checked;
        case windowing::vbGrayed:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

class CheckBoxWidget : public TypedControlWidget<windowing::CheckBox, QCheckBox> {
  public:
    CheckBoxWidget(const std::shared_ptr<windowing::CheckBox>& box, QWidget* parent)
        : TypedControlWidget(box, new QCheckBox(parent)) {
        View()->setTristate(true);
        std::weak_ptr<windowing::CheckBox> weak = box;
        QObject::connect(View(), &QCheckBox::clicked, View(), [this, weak] {
            RunUserAction([&] {
                if (auto target = weak.lock()) target->Click();
            });
            Sync();
        });
    }

  protected:
    void SyncState(windowing::CheckBox& box) override {
        const QString text = Caption(box.Caption());
        if (View()->text() != text) View()->setText(text);
        if (View()->checkState() != StateOf(box.Value()))
            View()->setCheckState(StateOf(box.Value()));
    }
};

}  // namespace

std::unique_ptr<ControlWidget> MakeCheckBoxWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent) {
    auto box = std::dynamic_pointer_cast<windowing::CheckBox>(control);
    if (!box) return nullptr;
    return std::make_unique<CheckBoxWidget>(box, parent);
}

}  // namespace qtgui
