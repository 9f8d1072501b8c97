#pragma once
// The face of a form that draws itself rather than through controls: the client's bill window
// shows a bill as text with buttons to browse its list, the list selection form holds the bill
// list control. A factory registered under the form's name makes a widget that fills the form's
// window and is read again on every Sync.

#include <faces/qt/windowing/control_widget.h>

#include <platform/windowing/form.h>

#include <functional>
#include <memory>
#include <string>

namespace qtgui {

using FormContentFactory = std::function<std::unique_ptr<ControlWidget>(
    const std::shared_ptr<windowing::Form>& form, QWidget* parent)>;

// A later registration under the same form name replaces an earlier one.
void RegisterFormContent(const std::string& formName, FormContentFactory factory);
// The content of a form, or nothing when no factory knows its name.
std::unique_ptr<ControlWidget> CreateFormContent(const std::shared_ptr<windowing::Form>& form,
                                                 QWidget* parent);

}  // namespace qtgui
