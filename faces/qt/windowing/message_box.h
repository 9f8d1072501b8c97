#pragma once
// MsgBox as a QMessageBox: VB's buttons, icon and default button, and the VB result of the button
// the user pressed.

#include <QMessageBox>

#include <cstdint>
#include <memory>
#include <string>

namespace qtgui {

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& prompt, int32_t buttons,
                                            const std::string& title, QWidget* parent = nullptr);
// vbOK, vbCancel, vbYes, ... of a box's button; 0 for a button the box did not get from VB.
int32_t ResultOf(const QMessageBox& box, const QAbstractButton* button);
// The button of a box that gives `result`; nothing when the box has none.
QAbstractButton* ButtonFor(const QMessageBox& box, int32_t result);

}  // namespace qtgui
