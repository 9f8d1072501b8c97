#include <platform/windowing/headless_backend.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/screen.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace windowing {

namespace {

constexpr const char* kSource = "windowing.HeadlessBackend";

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

// --- Script ----------------------------------------------------------------------------------

void HeadlessBackend::AnswerMsgBox(int32_t result) {
    answers_.push_back(Answer{std::nullopt, result});
}

void HeadlessBackend::AnswerMsgBox(const std::string& expectedText, int32_t result) {
    answers_.push_back(Answer{expectedText, result});
}

void HeadlessBackend::AddModalStep(Step step) {
    steps_.push_back(ScriptedStep{"", std::move(step)});
}

void HeadlessBackend::AddModalStep(const std::string& formName, Step step) {
    steps_.push_back(ScriptedStep{formName, std::move(step)});
}

void HeadlessBackend::HideModalForm() {
    AddModalStep([](Form& form) { form.Hide(); });
}

void HeadlessBackend::ClearRecords() {
    boxes_.clear();
    pointers_.clear();
    formEvents_.clear();
    failures_.clear();
}

void HeadlessBackend::Fail(const std::string& description) {
    failures_.push_back(description);
    automation::Raise(automation::vberr::InvalidProcedureCall, kSource, description);
}

// --- Backend ---------------------------------------------------------------------------------

int32_t HeadlessBackend::ShowMsgBox(const std::string& prompt, int32_t buttons,
                                    const std::string& title) {
    boxes_.push_back(MsgBoxRecord{prompt, buttons, title, 0});
    if (answers_.empty()) {
        if (strict_) {
            Fail("Unexpected message box " + Quote(prompt) + " titled " + Quote(title) +
                 ": the script has no answer for it.");
        }
        boxes_.back().Answer = MsgBoxDefaultResult(buttons);
        return boxes_.back().Answer;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.expectedText && prompt.find(*answer.expectedText) == std::string::npos) {
        Fail("Message box " + Quote(prompt) + " came where the script expected one containing " +
             Quote(*answer.expectedText) + ".");
    }
    const auto choices = MsgBoxChoices(buttons);
    if (std::find(choices.begin(), choices.end(), answer.result) == choices.end()) {
        Fail("The scripted answer " + std::to_string(answer.result) +
             " is not a button of the message box " + Quote(prompt) + ".");
    }
    boxes_.back().Answer = answer.result;
    return answer.result;
}

void HeadlessBackend::MousePointerChanged(int16_t pointer) { pointers_.push_back(pointer); }

void HeadlessBackend::FormShown(Form& form, bool modal) {
    formEvents_.push_back("Show " + form.Name() + (modal ? " modal" : ""));
}

void HeadlessBackend::FormHidden(Form& form) { formEvents_.push_back("Hide " + form.Name()); }

void HeadlessBackend::FormUnloaded(Form& form) { formEvents_.push_back("Unload " + form.Name()); }

bool HeadlessBackend::WaitForInput(Form* modalForm, std::optional<int64_t> msUntilNextTimer) {
    const std::string name = modalForm ? modalForm->Name() : std::string("(none)");
    if (!steps_.empty() && modalForm) {
        ScriptedStep next = std::move(steps_.front());
        steps_.pop_front();
        if (!next.formName.empty() && !automation::EqualsIgnoreCase(next.formName, name)) {
            Fail("The modal form '" + name +
                 "' waits for input, but the next scripted step is "
                 "for '" +
                 next.formName + "'.");
        }
        next.step(*modalForm);
        return true;
    }
    // On real time a running timer is input still to come; on virtual time only the script
    // moves the clock, so waiting would never end.
    if (msUntilNextTimer && !EventLoop::Instance().HasVirtualClock()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(*msUntilNextTimer));
        return true;
    }
    // Not strict (the terminal host), a dialog nobody scripted is closed as the user would
    // close it; it ends the loop unless the form refuses to go.
    if (!strict_ && modalForm) {
        formEvents_.push_back("Close " + name + " (no step left)");
        modalForm->CloseByUser();
        if (!modalForm->IsLoaded() || !modalForm->Visible()) return true;
    }
    failures_.push_back("The modal form '" + name +
                        "' waits for input, but the script has no step left.");
    return false;
}

// --- ScopedHeadless --------------------------------------------------------------------------

ScopedHeadless::ScopedHeadless(bool strict) : backend_(std::make_shared<HeadlessBackend>(strict)) {
    auto& loop = EventLoop::Instance();
    loop.Reset();
    Screen().Reset();
    loop.SetBackend(backend_);
    loop.UseVirtualClock();
}

ScopedHeadless::~ScopedHeadless() {
    EventLoop::Instance().Reset();
    Screen().Reset();
}

}  // namespace windowing
