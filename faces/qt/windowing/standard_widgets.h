#pragma once
// The widgets of the windowing layer's own controls, one file each.

#include <faces/qt/windowing/control_widget.h>

#include <map>
#include <string>

namespace qtgui {

std::unique_ptr<ControlWidget> MakeLabelWidget(const std::shared_ptr<windowing::Control>& control,
                                               QWidget* parent);
std::unique_ptr<ControlWidget> MakeFrameWidget(const std::shared_ptr<windowing::Control>& control,
                                               QWidget* parent);
std::unique_ptr<ControlWidget> MakeTextBoxWidget(const std::shared_ptr<windowing::Control>& control,
                                                 QWidget* parent);
std::unique_ptr<ControlWidget> MakeCommandButtonWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent);
std::unique_ptr<ControlWidget> MakeCheckBoxWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent);
std::unique_ptr<ControlWidget> MakeListViewWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent);
std::unique_ptr<ControlWidget> MakePictureBoxWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent);

// Every standard kind by its TypeName.
std::map<std::string, ControlWidgetFactory> StandardControlWidgets();

// Texts of the forms are UTF-8.
inline QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// VB captions mark the access key with "&" as Qt does; "&&" is a plain "&" in both.
inline QString Caption(const std::string& text) { return FromUtf8(text); }

}  // namespace qtgui
