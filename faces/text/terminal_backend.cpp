#include "terminal_backend.h"

#include "host_loop.h"
#include "map_content.h"

#include <components/bills/bill_window.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/msgbox.h>

#include <algorithm>
#include <cctype>

namespace textface {

namespace {

bool IsChoice(int32_t buttons, int32_t result) {
    const auto choices = windowing::MsgBoxChoices(buttons);
    return std::find(choices.begin(), choices.end(), result) != choices.end();
}

}  // namespace

std::string AnswerName(int32_t result) {
    switch (result) {
        case windowing::vbOK:
            return "ok";
        case windowing::vbCancel:
            return "cancel";
        case windowing::vbAbort:
            return "abort";
        case windowing::vbRetry:
            return "retry";
        case windowing::vbIgnore:
            return "ignore";
        case windowing::vbYes:
            return "yes";
        case windowing::vbNo:
            return "no";
        default:
            return std::to_string(result);
    }
}

int32_t AnswerFromName(const std::string& word) {
    const std::string name = automation::LCase(automation::TrimWhitespace(word));
    for (int32_t result = windowing::vbOK; result <= windowing::vbNo; ++result) {
        if (AnswerName(result) == name) return result;
    }
    if (name == "y") return windowing::vbYes;
    if (name == "n") return windowing::vbNo;
    return 0;
}

std::string ButtonsText(int32_t buttons) {
    std::string text;
    for (int32_t result : windowing::MsgBoxChoices(buttons)) {
        std::string name = AnswerName(result);
        if (name == "ok") {
            name = "OK";
        } else if (!name.empty()) {
            name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        }
        text += (text.empty() ? "" : "/") + name;
    }
    return "[" + text + "]";
}

TerminalBackend::TerminalBackend(windowing::HeadlessBackend& harness, std::ostream& out,
                                 std::istream& input, bool interactive)
    : harness_(harness), out_(out), input_(input), interactive_(interactive) {}

int32_t TerminalBackend::ShowMsgBox(const std::string& prompt, int32_t buttons,
                                    const std::string& title) {
    out_ << "+-- " << title << " " << ButtonsText(buttons) << "\n| " << prompt << "\n";
    int32_t result = 0;
    if (!answers_.empty()) {
        result = answers_.front();
        answers_.pop_front();
        if (!IsChoice(buttons, result)) {
            out_ << "+-- (the answer \"" << AnswerName(result) << "\" is not a button here)\n";
            Fail("The answer \"" + AnswerName(result) + "\" is not a button of the message box \"" +
                 prompt + "\" " + ButtonsText(buttons) + ".");
        }
    } else if (interactive_) {
        result = AskOnTerminal(buttons);
    } else {
        out_ << "+-- (no answer)\n";
        Fail("The message box \"" + prompt + "\" " + ButtonsText(buttons) +
             " has no answer: put \"answer " + AnswerName(windowing::MsgBoxChoices(buttons)[0]) +
             "\" (or another of its buttons) before the command that shows it.");
    }
    out_ << "+-- " << AnswerName(result) << "\n";
    return result;
}

int32_t TerminalBackend::AskOnTerminal(int32_t buttons) {
    const auto choices = windowing::MsgBoxChoices(buttons);
    if (choices.size() == 1) {
        // A box with one button needs no choice; the user has read it.
        return choices.front();
    }
    std::string line;
    while (true) {
        out_ << "answer " << ButtonsText(buttons) << ": " << std::flush;
        if (!std::getline(input_, line)) {
            // No more input: the box gets its default button, as when it is closed.
            out_ << "\n";
            return windowing::MsgBoxDefaultResult(buttons);
        }
        const int32_t result = AnswerFromName(line);
        if (IsChoice(buttons, result)) return result;
        out_ << "Please answer with one of " << ButtonsText(buttons) << ".\n";
    }
}

void TerminalBackend::FormShown(windowing::Form& form, bool modal) {
    harness_.FormShown(form, modal);
    if (auto* bill = dynamic_cast<client::BillWindow*>(&form)) {
        out_ << "+== bill window (" << bill->Position() << " of " << bill->RowCount() << ") ==\n"
             << bill->Render();
        if (bill->Render().empty() || bill->Render().back() != '\n') out_ << "\n";
        out_ << "+==\n";
    }
    if (auto* map = dynamic_cast<client::frmOrderMap*>(&form)) out_ << MapWindowText(*map);
}

bool TerminalBackend::WaitForInput(windowing::Form* modalForm,
                                   std::optional<int64_t> msUntilNextTimer) {
    if (!loop_ || !modalForm) return harness_.WaitForInput(modalForm, msUntilNextTimer);
    loop_->RunOneFor(*modalForm);
    return true;
}

void TerminalBackend::Fail(const std::string& description) {
    failures_.push_back(description);
    automation::Raise(automation::vberr::InvalidProcedureCall, "trackquery host", description);
}

}  // namespace textface
