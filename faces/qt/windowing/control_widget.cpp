#include <faces/qt/windowing/control_widget.h>

#include <faces/qt/windowing/standard_widgets.h>
#include <faces/qt/windowing/twips.h>

#include <map>

namespace qtgui {

namespace {

std::map<std::string, ControlWidgetFactory>& Factories() {
    static std::map<std::string, ControlWidgetFactory> factories = StandardControlWidgets();
    return factories;
}

}  // namespace

void RegisterControlWidget(const std::string& typeName, ControlWidgetFactory factory) {
    Factories()[typeName] = std::move(factory);
}

std::unique_ptr<ControlWidget> CreateControlWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent) {
    auto found = Factories().find(control->TypeName());
    if (found == Factories().end()) return nullptr;
    return found->second(control, parent);
}

void SyncGeometry(QWidget& widget, const windowing::Control& control) {
    const QRect wanted(TwipsToPixels(control.Left()), TwipsToPixels(control.Top()),
                       TwipsToPixels(control.Width()), TwipsToPixels(control.Height()));
    if (widget.geometry() != wanted) widget.setGeometry(wanted);
    if (widget.isEnabled() != control.Enabled()) widget.setEnabled(control.Enabled());
    if (widget.isHidden() == control.Visible()) widget.setVisible(control.Visible());
}

}  // namespace qtgui
