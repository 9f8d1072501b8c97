#include <platform/windowing/form.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/timer.h>
#include <platform/windowing/window_api.h>
#include <platform/windowing/window_table.h>

#include <algorithm>

namespace windowing {

namespace {

constexpr int32_t kInvalidPropertyValue = 380;
constexpr int32_t kFormAlreadyDisplayed = 400;
constexpr int32_t kObjectWasUnloaded = 364;

// The forms loaded now, in load order (VB's Forms collection). Plain pointers: the list must
// never keep a form alive, and a form leaves it when it unloads or dies.
std::vector<Form*>& LoadedList() {
    static std::vector<Form*> forms;
    return forms;
}

void Unlist(Form* form) {
    auto& forms = LoadedList();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

internal::WindowTable& Table() { return internal::WindowTable::Instance(); }

// Ends a modal showing's count however the loop ends.
class ModalGuard {
  public:
    explicit ModalGuard(int& depth) : depth_(depth) { ++depth_; }
    ~ModalGuard() { --depth_; }
    ModalGuard(const ModalGuard&) = delete;
    ModalGuard& operator=(const ModalGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace

std::vector<std::shared_ptr<Form>> LoadedForms() {
    std::vector<std::shared_ptr<Form>> forms;
    for (Form* form : LoadedList()) {
        if (auto held = std::dynamic_pointer_cast<Form>(form->weak_from_this().lock())) {
            forms.push_back(std::move(held));
        }
    }
    return forms;
}

Form::Form(std::string name) : name_(std::move(name)), caption_(name_) {}

Form::~Form() {
    // No handler runs here: the derived form is already gone. The window and the timers go
    // quietly, and controls someone else still holds forget their form.
    StopTimers();
    if (hwnd_ != 0) Table().Destroy(hwnd_);
    Unlist(this);
    for (Control* control : attached_) control->DetachFromForm();
}

// --- Life cycle ------------------------------------------------------------------------------

void Form::Load() {
    if (IsLoaded()) return;
    hwnd_ = Table().Create(this, WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    LoadedList().push_back(this);
    shownSinceLoad_ = false;
    StartTimers();
    Form_Load();
}

void Form::Show(int16_t modal) {
    if (modal != vbModeless && modal != vbModal) {
        automation::Raise(automation::vberr::InvalidProcedureCall, name_,
                          "Invalid procedure call or argument");
    }
    // Whoever holds the form may let it go inside the loop; the showing keeps it until it ends.
    auto keepAlive = weak_from_this().lock();
    if (modal == vbModal && Visible()) {
        automation::Raise(kFormAlreadyDisplayed, name_,
                          "Form already displayed; can't show modally");
    }
    Load();
    if (!IsLoaded()) automation::Raise(kObjectWasUnloaded, name_, "Object was unloaded");

    const bool wasVisible = Visible();
    SetWindowVisible(true);
    if (!wasVisible) EventLoop::Instance().GetBackend().FormShown(*this, modal == vbModal);
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        Form_Resize();
    }
    if (!wasVisible && IsLoaded()) Form_Activate();
    if (modal != vbModal) return;

    ModalGuard guard(modalDepth_);
    EventLoop::Instance().RunUntil([this] { return !IsLoaded() || !Visible(); }, this);
}

void Form::Hide() {
    if (!Visible()) return;
    SetWindowVisible(false);
    EventLoop::Instance().GetBackend().FormHidden(*this);
}

bool Form::Unload(int16_t unloadMode) {
    if (!IsLoaded()) return true;
    auto keepAlive = weak_from_this().lock();
    int16_t cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel != 0) return false;
    Form_Unload(cancel);
    if (cancel != 0) return false;
    // A handler may have unloaded the form itself already.
    if (!IsLoaded()) return true;

    SetWindowVisible(false);
    StopTimers();
    activeControl_ = nullptr;
    EventLoop::Instance().GetBackend().FormUnloaded(*this);
    Table().Destroy(hwnd_);
    hwnd_ = 0;
    Unlist(this);
    return true;
}

bool Form::Visible() const {
    if (!IsLoaded()) return false;
    return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Form::SetVisible(bool value) {
    if (value) {
        Show(vbModeless);
    } else {
        Hide();
    }
}

void Form::SetWindowVisible(bool visible) { Table().SetStyleBits(hwnd_, WS_VISIBLE, visible); }

// --- Window ----------------------------------------------------------------------------------

int32_t Form::ScaleWidth() const { return windowState_ == vbMinimized ? 0 : clientWidth_; }

int32_t Form::ScaleHeight() const { return windowState_ == vbMinimized ? 0 : clientHeight_; }

void Form::SetClientSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0)
        automation::Raise(kInvalidPropertyValue, name_, "Invalid property value");
    clientWidth_ = width;
    clientHeight_ = height;
}

void Form::Resize(int32_t width, int32_t height) {
    SetClientSize(width, height);
    if (IsLoaded()) Form_Resize();
}

void Form::SetWindowState(int16_t state) {
    if (state != vbNormal && state != vbMinimized && state != vbMaximized) {
        automation::Raise(kInvalidPropertyValue, name_, "Invalid property value");
    }
    windowState_ = state;
    if (IsLoaded()) Form_Resize();
}

// --- Controls --------------------------------------------------------------------------------

std::shared_ptr<Control> Form::FindControl(const std::string& name) const {
    for (const auto& control : controls_) {
        if (automation::EqualsIgnoreCase(control->Name(), name)) return control;
    }
    return nullptr;
}

void Form::ForgetControl(Control* control) {
    attached_.erase(std::remove(attached_.begin(), attached_.end(), control), attached_.end());
    if (activeControl_ == control) activeControl_ = nullptr;
}

void Form::StartTimers() {
    for (Control* control : attached_) {
        if (auto* timer = dynamic_cast<Timer*>(control)) timer->Restart();
    }
}

void Form::StopTimers() {
    for (Control* control : attached_) {
        if (auto* timer = dynamic_cast<Timer*>(control)) timer->Stop();
    }
}

// --- User input ------------------------------------------------------------------------------

Control* Form::FocusTarget() const {
    auto canTake = [](const Control* control) {
        return control->Enabled() && control->Visible() && control->CanFocus();
    };
    if (activeControl_ && canTake(activeControl_)) return activeControl_;
    // Without a focus of its own the first control that can take one has it, as a form shown
    // for the first time gives the focus to the first control in tab order.
    for (const auto& control : controls_) {
        if (canTake(control.get())) return control.get();
    }
    return nullptr;
}

void Form::PressKey(int16_t KeyCode, int16_t Shift) {
    if (!IsLoaded()) return;
    auto keepAlive = weak_from_this().lock();
    Control* target = FocusTarget();
    if (!target || keyPreview_) {
        Form_KeyDown(KeyCode, Shift);
        if (!target || KeyCode == 0 || !IsLoaded()) return;
    }
    auto handler = target->OnKeyDown;
    if (handler) handler(KeyCode, Shift);
}

void Form::Activate() {
    if (IsLoaded()) Form_Activate();
}

bool Form::PressEnter() {
    for (const auto& control : controls_) {
        auto* button = dynamic_cast<CommandButton*>(control.get());
        if (button && button->Default()) return button->Click();
    }
    return false;
}

bool Form::PressEscape() {
    for (const auto& control : controls_) {
        auto* button = dynamic_cast<CommandButton*>(control.get());
        if (button && button->Cancel()) return button->Click();
    }
    return false;
}

UnloadOnExit::~UnloadOnExit() {
    try {
        if (form_ && form_->IsLoaded()) form_->Unload();
    } catch (const automation::RuntimeError&) {
        // The form goes with its last reference all the same.
    }
}

}  // namespace windowing
