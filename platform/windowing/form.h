#pragma once
// VB's Form: a window with a life cycle and the controls on it. A form class derives from Form,
// creates its controls in its constructor (Add<CheckBox>("ChkMO") and so on, the design-time
// state), and overrides the Form_* handlers it needs. Forms are held by std::shared_ptr.
//
// Life cycle, in VB's order:
//   Load()       creates the window handle, starts the form's enabled timers, runs Form_Load.
//                Showing an unloaded form loads it first. Unlike VB, touching a control or
//                reading Hwnd does not load the form: call Load() where VB would load it
//                implicitly.
//   Show(modal)  loads if needed and makes the form visible; on the first showing after a load
//                Form_Resize runs, and every showing from hidden runs Form_Activate. vbModeless
//                returns at once; vbModal runs a nested loop and returns when the form is hidden
//                or unloaded.
//   Hide()       makes it invisible (this ends a modal showing); the form stays loaded.
//   Unload()     Form_QueryUnload and Form_Unload may cancel; otherwise the form is hidden, its
//                timers stop, its window handle is destroyed and it is no longer loaded. The
//                object itself lives on as long as someone holds it, and can be loaded again.
// Nothing in the loop holds a form: a modal showing keeps it alive only until Show returns.

#include <platform/automation/object.h>
#include <platform/windowing/control.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace windowing {

// Show's modal argument.
inline constexpr int16_t vbModeless = 0;
inline constexpr int16_t vbModal = 1;

// Why a form is unloaded (Form_QueryUnload's UnloadMode).
inline constexpr int16_t vbFormControlMenu = 0;  // the user closed it
inline constexpr int16_t vbFormCode = 1;         // the program's Unload
inline constexpr int16_t vbAppWindows = 2;
inline constexpr int16_t vbAppTaskManager = 3;
inline constexpr int16_t vbFormMDIForm = 4;
inline constexpr int16_t vbFormOwner = 5;

// WindowState.
inline constexpr int16_t vbNormal = 0;
inline constexpr int16_t vbMinimized = 1;
inline constexpr int16_t vbMaximized = 2;

class Form : public automation::Object {
  public:
    // `name` is the form's class name as VB knows it ("frmBillSel"); TypeName answers it.
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string TypeName() const override { return name_; }
    const std::string& Name() const { return name_; }

    // --- Life cycle --------------------------------------------------------------------------
    // Loads the form once; a loaded form is left alone. An error from Form_Load reaches the
    // caller and the form stays loaded.
    void Load();
    bool IsLoaded() const { return hwnd_ != 0; }
    // vbModeless or vbModal. Showing modally a form that is already visible is error 400; a form
    // that unloads itself in Form_Load is error 364, as in VB. A modal loop that nothing can end
    // (a headless script with no step left) fails rather than hangs.
    void Show(int16_t modal = vbModeless);
    void Hide();
    // Returns false when Form_QueryUnload or Form_Unload cancelled. Unloading a form that is not
    // loaded does nothing and returns true.
    bool Unload(int16_t unloadMode = vbFormCode);
    bool Visible() const;
    // Visible = True shows modeless, Visible = False hides.
    void SetVisible(bool value);
    // Whether a modal showing of this form is running.
    bool IsModal() const { return modalDepth_ > 0; }

    // --- Window ------------------------------------------------------------------------------
    // The window handle; 0 while the form is not loaded.
    int32_t Hwnd() const { return hwnd_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value) { caption_ = std::move(value); }
    // The form's font (VB's Font.Name and Font.Size, in points).
    const std::string& FontName() const { return fontName_; }
    void SetFontName(std::string value) { fontName_ = std::move(value); }
    double FontSize() const { return fontSize_; }
    void SetFontSize(double value) { fontSize_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }

    // Client area in twips (ScaleWidth, ScaleHeight): 0 x 0 while minimised.
    int32_t ScaleWidth() const;
    int32_t ScaleHeight() const;
    // Sets the client area without raising Form_Resize (design time, before loading).
    void SetClientSize(int32_t width, int32_t height);
    // The user (or the back end) resizes the window: new client area, then Form_Resize when the
    // form is loaded. A negative size is error 380.
    void Resize(int32_t width, int32_t height);
    int16_t WindowState() const { return windowState_; }
    // vbNormal, vbMinimized or vbMaximized (else error 380); raises Form_Resize when loaded.
    void SetWindowState(int16_t state);

    // --- Controls ----------------------------------------------------------------------------
    // Creates a control on this form and keeps it for the form's life.
    template <class T>
    std::shared_ptr<T> Add(std::string name) {
        auto control = std::make_shared<T>(this, std::move(name));
        controls_.push_back(control);
        return control;
    }
    const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }
    // A control by name (ignoring case), or nothing.
    std::shared_ptr<Control> FindControl(const std::string& name) const;
    Control* ActiveControl() const { return activeControl_; }

    // --- User input (back ends and tests act as the user through these) ----------------------
    // A key press: with key preview the form's Form_KeyDown sees it first and may swallow it by
    // setting KeyCode to 0; then the active control's OnKeyDown. Without a focusable control the
    // form itself gets it. Ignored while the form is not loaded.
    void PressKey(int16_t KeyCode, int16_t Shift = 0);
    // The form becomes the active window: Form_Activate (loaded forms only).
    void Activate();
    // The user's close box: Unload with vbFormControlMenu.
    bool CloseByUser() { return Unload(vbFormControlMenu); }
    // Enter and Escape: click the Default or the Cancel button, if an enabled one exists.
    bool PressEnter();
    bool PressEscape();

  protected:
    // The form's event handlers; the defaults do nothing.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_KeyDown(int16_t& KeyCode, int16_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) {
        (void)Cancel, (void)UnloadMode;
    }
    virtual void Form_Unload(int16_t& Cancel) { (void)Cancel; }

  private:
    friend class Control;
    void SetActiveControl(Control* control) { activeControl_ = control; }
    void AttachControl(Control* control) { attached_.push_back(control); }
    void ForgetControl(Control* control);
    Control* FocusTarget() const;
    void StartTimers();
    void StopTimers();
    void SetWindowVisible(bool visible);

    std::string name_;
    std::string caption_;
    std::string fontName_ = "MS Sans Serif";
    double fontSize_ = 8.25;
    int32_t hwnd_ = 0;
    int32_t clientWidth_ = 0;
    int32_t clientHeight_ = 0;
    int16_t windowState_ = vbNormal;
    bool keyPreview_ = false;
    bool shownSinceLoad_ = false;
    int modalDepth_ = 0;
    std::vector<std::shared_ptr<Control>> controls_;
    std::vector<Control*> attached_;  // every control made with this form, Add or not
    Control* activeControl_ = nullptr;
};

// VB's Forms collection: the forms loaded now, in load order.
std::vector<std::shared_ptr<Form>> LoadedForms();

// Unloads a form when the scope ends, however it ends: a dialog created for one showing is never
// left loaded behind a failure. A failure of the unloading itself is ignored.
class UnloadOnExit {
  public:
    explicit UnloadOnExit(std::shared_ptr<Form> form) : form_(std::move(form)) {}
    ~UnloadOnExit();
    UnloadOnExit(const UnloadOnExit&) = delete;
    UnloadOnExit& operator=(const UnloadOnExit&) = delete;

  private:
    std::shared_ptr<Form> form_;
};

}  // namespace windowing
