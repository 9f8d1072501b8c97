#include <faces/qt/windowing/standard_widgets.h>

namespace qtgui {

std::map<std::string, ControlWidgetFactory> StandardControlWidgets() {
    return {
        {"Label", MakeLabelWidget},           {"Frame", MakeFrameWidget},
        {"TextBox", MakeTextBoxWidget},       {"CommandButton", MakeCommandButtonWidget},
        {"CheckBox", MakeCheckBoxWidget},     {"ListView", MakeListViewWidget},
        {"PictureBox", MakePictureBoxWidget},
    };
}

}  // namespace qtgui
