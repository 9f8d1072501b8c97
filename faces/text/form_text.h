#pragma once
// A form drawn as text from its controls, in the order the form holds them, as the desktop draws
// them as widgets: a frame's caption over the controls placed in it (indented), a check box as its
// mark, name and caption, command buttons that follow each other side by side ("[确定(O)]"), a
// list view's items numbered with their check boxes, a text box's name and text, a label's
// caption. Picture boxes, timers and outside components draw nothing here; hidden controls are
// not drawn. Captions show without the "&" that marks their access key.

#include <platform/windowing/form.h>

#include <string>

namespace textface {

// A caption as the user reads it: a lone "&" marks the access key and is not shown, "&&" is "&".
std::string ShownCaption(const std::string& caption);

// The first line of a window: "+-- caption (name) --", or "+-- name --" without a caption.
std::string TitleLine(const windowing::Form& form);

// The controls of a form, a line each (a row of buttons on one line).
std::string ControlsText(const windowing::Form& form);

}  // namespace textface
