// A CommandButton as a QPushButton: a click goes through CommandButton::Click.

#include <faces/qt/windowing/standard_widgets.h>
#include <faces/qt/windowing/user_action.h>

#include <platform/windowing/command_button.h>

#include <QPushButton>

namespace qtgui {

namespace {

class CommandButtonWidget : public TypedControlWidget<windowing::CommandButton, QPushButton> {
  public:
    CommandButtonWidget(const std::shared_ptr<windowing::CommandButton>& button, QWidget* parent)
        : TypedControlWidget(button, new QPushButton(parent)) {
        std::weak_ptr<windowing::CommandButton> weak = button;
        QObject::connect(View(), &QPushButton::clicked, View(), [weak] {
            RunUserAction([&] {
                if (auto target = weak.lock()) target->Click();
            });
        });
    }

  protected:
    void SyncState(windowing::CommandButton& button) override {
        const QString text = Caption(button.Caption());
        if (View()->text() != text) View()->setText(text);
        View()->setDefault(button.Default());
    }
};

}  // namespace

std::unique_ptr<ControlWidget> MakeCommandButtonWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent) {
    auto button = std::dynamic_pointer_cast<windowing::CommandButton>(control);
    if (!button) return nullptr;
    return std::make_unique<CommandButtonWidget>(button, parent);
}

}  // namespace qtgui
