// A TextBox as a QLineEdit: what the user types goes through TextBox::Type.

#include <faces/qt/windowing/standard_widgets.h>
#include <faces/qt/windowing/user_action.h>

#include <platform/windowing/text_box.h>

#include <QLineEdit>

namespace qtgui {

namespace {

class TextBoxWidget : public TypedControlWidget<windowing::TextBox, QLineEdit> {
  public:
    TextBoxWidget(const std::shared_ptr<windowing::TextBox>& box, QWidget* parent)
        : TypedControlWidget(box, new QLineEdit(parent)) {
        std::weak_ptr<windowing::TextBox> weak = box;
        QObject::connect(View(), &QLineEdit::textEdited, View(), [weak](const QString& text) {
            RunUserAction([&] {
                if (auto target = weak.lock()) target->Type(text.toStdString());
            });
        });
    }

  protected:
    void SyncState(windowing::TextBox& box) override {
        const QString text = FromUtf8(box.Text());
        if (View()->text() != text) View()->setText(text);
        View()->setReadOnly(box.Locked());
    }
};

}  // namespace

std::unique_ptr<ControlWidget> MakeTextBoxWidget(const std::shared_ptr<windowing::Control>& control,
                                                 QWidget* parent) {
    auto box = std::dynamic_pointer_cast<windowing::TextBox>(control);
    if (!box) return nullptr;
    return std::make_unique<TextBoxWidget>(box, parent);
}

}  // namespace qtgui
