#pragma once
// A host window of the client (a page a form can be embedded into, CreateHostWindow) drawn as a
// main window whose tabs are the forms embedded into it. Closing it asks the host program what to
// do (the client closes its page: the tracker's viewer is hidden and its window unloaded).

#include <QMainWindow>

#include <cstdint>
#include <functional>

class QTabWidget;

namespace qtgui {

class FormWindow;

class HostPage : public QMainWindow {
  public:
    explicit HostPage(int32_t hwnd);

    int32_t Hwnd() const { return hwnd_; }
    // Makes the form's window a page of this window; Release takes it out again.
    void Embed(FormWindow* window);
    void Release(FormWindow* window);
    bool Holds(const FormWindow* window) const;
    int PageCount() const;
    // Reads the host's caption and the embedded forms' captions again.
    void Sync();

    // What closing the window does; by default each embedded form is closed by the user.
    std::function<void(HostPage& page)> onClose;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    int32_t hwnd_;
    QTabWidget* tabs_;
};

}  // namespace qtgui
