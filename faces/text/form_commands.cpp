#include "form_commands.h"

#include "command_words.h"
#include "control_lookup.h"
#include "form_text.h"

namespace textface {

namespace {

void RequireArgs(const std::vector<std::string>& args, size_t count, const std::string& usage) {
    if (args.size() != count) throw UsageError("usage: " + usage);
}

// A help line: the command in a column of its own, then what it does.
std::string HelpLine(const std::string& command, const std::string& text) {
    return "  " + command + std::string(command.size() < 23 ? 23 - command.size() : 1, ' ') + text +
           "\n";
}

// The captions of the buttons there are, as the help names them: "确定(O) | 退出(E)".
std::string Captions(const std::shared_ptr<windowing::CommandButton>& first,
                     const std::shared_ptr<windowing::CommandButton>& second) {
    std::string text = first ? ShownCaption(first->Caption()) : "";
    if (second) text += (text.empty() ? "" : " | ") + ShownCaption(second->Caption());
    return text;
}

std::shared_ptr<windowing::CommandButton> AllButton(const windowing::Form& form) {
    return ButtonNamed(form, {"All", "SelectAll", "CheckAll"});
}
std::shared_ptr<windowing::CommandButton> ClearButton(const windowing::Form& form) {
    return ButtonNamed(form, {"Clear", "ClearAll", "None", "UncheckAll"});
}

std::shared_ptr<windowing::CommandButton> OkButton(const windowing::Form& form) {
    for (const auto& button : ShownControls<windowing::CommandButton>(form)) {
        if (button->Default()) return button;
    }
    return ButtonNamed(form, {"OK"});
}
std::shared_ptr<windowing::CommandButton> CancelButton(const windowing::Form& form) {
    for (const auto& button : ShownControls<windowing::CommandButton>(form)) {
        if (button->Cancel()) return button;
    }
    return ButtonNamed(form, {"Cancel", "Exit", "Close"});
}

// Every box the form shows, and every item of its lists with check boxes.
std::vector<Checkable> EveryCheckable(const windowing::Form& form) {
    std::vector<Checkable> all;
    for (const auto& box : ShownControls<windowing::CheckBox>(form)) {
        if (box->Enabled()) all.push_back({box, nullptr, nullptr});
    }
    for (const auto& list : ShownControls<windowing::ListView>(form)) {
        if (!list->Checkboxes() || !list->Enabled()) continue;
        for (const auto& item : list->GetListItems().Items()) all.push_back({nullptr, list, item});
    }
    return all;
}

}  // namespace

FormCommands::FormCommands(windowing::Form& form) : form_(form), content_(ContentFor(form)) {}

std::string FormCommands::Render() const {
    return TitleLine(form_) + (content_ ? content_->Render() : "") + ControlsText(form_);
}

std::string FormCommands::Help() const {
    std::string help = content_ ? content_->Help() : "";
    const bool checkables = !EveryCheckable(form_).empty();
    if (checkables) {
        help += HelpLine("check ITEM on|off",
                         "check or uncheck a box or a list's item (name, caption, key or number)");
    }
    if (checkables || !ShownControls<windowing::CommandButton>(form_).empty() ||
        !ShownControls<windowing::ListView>(form_).empty()) {
        help += HelpLine("click ITEM", "click a button, a box or a list's item (name or caption)");
    }
    if (!ShownControls<windowing::TextBox>(form_).empty())
        help += HelpLine("type BOX TEXT", "type TEXT into a text box (its name)");
    if (content_) return help;
    const auto all = AllButton(form_);
    const auto clear = ClearButton(form_);
    if (all || clear) {
        help += HelpLine("all | clear", "click " + Captions(all, clear));
    } else if (checkables) {
        help += HelpLine("all | clear", "check or uncheck every box the window shows");
    }
    const auto ok = OkButton(form_);
    const auto cancel = CancelButton(form_);
    if (ok || cancel) {
        help += HelpLine(ok && cancel ? "ok | cancel"
                         : ok         ? "ok"
                                      : "cancel",
                         "click " + Captions(ok, cancel));
    }
    return help;
}

bool FormCommands::Run(const std::string& verb, const std::vector<std::string>& args,
                       const std::string& rest, std::ostream& out) {
    if (content_ && content_->Run(verb, args, rest, out)) return true;
    if (verb == "check") {
        Check(args);
    } else if (verb == "click") {
        Click(args);
    } else if (verb == "type") {
        Type(args, rest);
    } else if (verb == "all" || verb == "clear") {
        return SetEveryBox(verb == "all");
    } else if (verb == "ok") {
        return Ok();
    } else if (verb == "cancel") {
        return Cancel();
    } else {
        return false;
    }
    return true;
}

// check ITEM on|off: the user's click when the box is not as asked already.
void FormCommands::Check(const std::vector<std::string>& args) {
    RequireArgs(args, 2, "check ITEM on|off");
    const bool wanted = ParseOnOff(args[1]);
    const auto target = FindCheckable(form_, args[0]);
    if (!target) {
        throw UsageError("no box or list item \"" + args[0] +
                         "\" in the window (its name, caption, key or number)");
    }
    if (target->On() != wanted) target->Click();
}

void FormCommands::Click(const std::vector<std::string>& args) {
    RequireArgs(args, 1, "click ITEM");
    if (auto button = FindButton(form_, args[0])) return ClickButton(*button);
    if (auto target = FindCheckable(form_, args[0])) return target->Click();
    if (auto found = FindPlainListItem(form_, args[0])) {
        if (!found->first->ClickItem(found->second))
            throw UsageError("the list " + found->first->Name() + " cannot be clicked");
        return;
    }
    throw UsageError("nothing to click named \"" + args[0] +
                     "\" in the window (a button, box or list item: its name or caption)");
}

void FormCommands::Type(const std::vector<std::string>& args, const std::string& rest) {
    if (args.size() < 2) throw UsageError("usage: type BOX TEXT");
    auto box = FindTextBox(form_, args[0]);
    if (!box) throw UsageError("no text box \"" + args[0] + "\" in the window");
    if (!box->Type(RestAfterWords(rest, 1)))
        throw UsageError("the text box " + box->Name() + " takes no typing");
}

// all | clear: the form's own button when it has one, else a click on every box not as asked.
bool FormCommands::SetEveryBox(bool on) {
    if (auto button = on ? AllButton(form_) : ClearButton(form_)) {
        ClickButton(*button);
        return true;
    }
    const auto all = EveryCheckable(form_);
    for (const auto& target : all) {
        if (target.On() != on) target.Click();
    }
    return !all.empty();
}

bool FormCommands::Ok() {
    auto button = OkButton(form_);
    if (button) ClickButton(*button);
    return button != nullptr;
}

bool FormCommands::Cancel() {
    if (auto button = CancelButton(form_)) {
        ClickButton(*button);
    } else {
        form_.CloseByUser();
    }
    return true;
}

}  // namespace textface
