#pragma once
// How a command line names the controls of a form: by name ("ChkMO", any case), by the name
// without its kind prefix ("MO", as VB names controls: chk, cmd, lvw, txt...), a box also by the
// option it shows ("ShowMO"), by caption as shown or as written ("确定(O)", "全选(&S)"), and a
// list's item by its place (1 for the first), key, tag or text. Only shown controls are found,
// except that a hidden box named so is told as hidden.

#include <platform/windowing/check_box.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/form.h>
#include <platform/windowing/frame.h>
#include <platform/windowing/list_view.h>
#include <platform/windowing/text_box.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace textface {

// A name without its kind prefix: "ChkMO" gives "MO", "cmdAll" "All"; a name without one as it is.
std::string NameStem(const std::string& name);

// Whether the user sees the control: it is visible, and so is the frame it is placed in.
inline bool IsShown(const windowing::Control& control) {
    return control.Visible() && (!control.Container() || control.Container()->Visible());
}

// The shown controls of kind T on the form, frames' contents included, in the form's order.
template <class T>
std::vector<std::shared_ptr<T>> ShownControls(const windowing::Form& form) {
    std::vector<std::shared_ptr<T>> found;
    for (const auto& control : form.Controls()) {
        auto typed = std::dynamic_pointer_cast<T>(control);
        if (typed && IsShown(*typed)) found.push_back(std::move(typed));
    }
    return found;
}

// A box, or an item of a list with check boxes: what `check` and `click` turn on or off.
struct Checkable {
    std::shared_ptr<windowing::CheckBox> box;
    std::shared_ptr<windowing::ListView> list;
    windowing::ListItemPtr item;

    bool On() const;
    // The user's click on it; a box or list that refuses it is a UsageError.
    void Click() const;
};

// The box or list item `name` names; nothing when none does. A hidden box is a UsageError.
std::optional<Checkable> FindCheckable(const windowing::Form& form, const std::string& name);
// An item of a shown list without check boxes (by place, key, tag or text), and its list.
std::optional<std::pair<std::shared_ptr<windowing::ListView>, windowing::ListItemPtr>>
FindPlainListItem(const windowing::Form& form, const std::string& name);
std::shared_ptr<windowing::CommandButton> FindButton(const windowing::Form& form,
                                                     const std::string& name);
std::shared_ptr<windowing::TextBox> FindTextBox(const windowing::Form& form,
                                                const std::string& name);
// The first shown button whose name without its prefix is one of `stems` (any case).
std::shared_ptr<windowing::CommandButton> ButtonNamed(const windowing::Form& form,
                                                      std::initializer_list<const char*> stems);

// The user's click on a button; a disabled one is a UsageError.
void ClickButton(windowing::CommandButton& button);

}  // namespace textface
