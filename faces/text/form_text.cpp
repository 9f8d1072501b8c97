#include "form_text.h"

#include <platform/windowing/check_box.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/frame.h>
#include <platform/windowing/list_view.h>
#include <platform/windowing/text_box.h>

#include <vector>

namespace textface {

namespace {

using windowing::Control;

std::string Mark(int16_t value) {
    if (value == windowing::vbChecked) return "[x]";
    return value == windowing::vbGrayed ? "[-]" : "[ ]";
}

std::string Disabled(const Control& control) { return control.Enabled() ? "" : "  (disabled)"; }

// An item numbered by its place: its check box in a list that has them, else "*" when selected.
std::string ListLines(const windowing::ListView& list, const std::string& indent) {
    std::string text;
    const int32_t columns = list.GetColumnHeaders().Count();
    int32_t place = 0;
    for (const auto& item : list.GetListItems().Items()) {
        const bool marked = list.Checkboxes() ? item->Checked() : item->Selected();
        const std::string mark =
            list.Checkboxes() ? (marked ? "[x]" : "[ ]") : (marked ? "*" : " ");
        text += indent + std::to_string(++place) + " " + mark + " " + item->Text();
        for (int32_t column = 1; column < columns; ++column) text += " | " + item->SubItems(column);
        text += (item->Key().empty() ? "" : "  (" + item->Key() + ")") + "\n";
    }
    return text;
}

std::string LinesOf(const std::vector<Control*>& controls, const std::string& indent);

// The lines of one control other than a button; nothing for a control without a text face.
std::string ControlLines(const Control& control, const std::string& indent) {
    if (const auto* frame = dynamic_cast<const windowing::Frame*>(&control)) {
        return indent + ShownCaption(frame->Caption()) + "\n" +
               LinesOf(frame->Contents(), indent + "  ");
    }
    if (const auto* box = dynamic_cast<const windowing::CheckBox*>(&control)) {
        return indent + Mark(box->Value()) + " " + box->Name() + "  " +
               ShownCaption(box->Caption()) + Disabled(*box) + "\n";
    }
    if (const auto* list = dynamic_cast<const windowing::ListView*>(&control)) {
        return ListLines(*list, indent);
    }
    if (const auto* box = dynamic_cast<const windowing::TextBox*>(&control)) {
        return indent + box->Name() + " [" + box->Text() + "]" +
               (box->Locked() ? "  (locked)" : "") + Disabled(*box) + "\n";
    }
    if (const auto* label = dynamic_cast<const windowing::Label*>(&control)) {
        return label->Caption().empty() ? "" : indent + ShownCaption(label->Caption()) + "\n";
    }
    return "";
}

std::string LinesOf(const std::vector<Control*>& controls, const std::string& indent) {
    std::string text;
    std::string buttons;
    auto endButtons = [&] {
        if (!buttons.empty()) text += indent + buttons + "\n";
        buttons.clear();
    };
    for (const Control* control : controls) {
        if (!control->Visible()) continue;
        if (const auto* button = dynamic_cast<const windowing::CommandButton*>(control)) {
            buttons += (buttons.empty() ? "[" : " [") + ShownCaption(button->Caption()) + "]";
            continue;
        }
        const std::string lines = ControlLines(*control, indent);
        if (lines.empty()) continue;
        endButtons();
        text += lines;
    }
    endButtons();
    return text;
}

}  // namespace

std::string ShownCaption(const std::string& caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            shown += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

std::string TitleLine(const windowing::Form& form) {
    if (form.Caption().empty()) return "+-- " + form.Name() + " --\n";
    return "+-- " + form.Caption() + " (" + form.Name() + ") --\n";
}

std::string ControlsText(const windowing::Form& form) {
    // The controls standing on the form itself; a frame draws those placed in it.
    std::vector<Control*> onForm;
    for (const auto& control : form.Controls()) {
        if (!control->Container()) onForm.push_back(control.get());
    }
    return LinesOf(onForm, "  ");
}

}  // namespace textface
