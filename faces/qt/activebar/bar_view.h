#pragma once
// Menu bars (ActiveBar) drawn as widgets: the menu-bar band as a QMenuBar whose menu tools open
// their popup bands as QMenus, every tool-bar band as a QToolBar (buttons, checkable buttons, text
// boxes, menu buttons), popup bands that no menu opens as context menus. Several bars share one
// view (the trace viewer shows its own bar and the host's attached one).
//
// The view keeps no state of its own: Sync reads every band's and tool's visibility, availability,
// check state and text again, and rebuilds the widgets when bands or tools were added or removed.
// What the user does goes to the callbacks: a click with the tool, a key in a text box (Enter, or
// a function key such as F7) with the tool, its band and the virtual key code.

#include <platform/activebar/active_bar.h>

#include <QPointer>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace qtgui {

class BarView {
  public:
    struct Callbacks {
        std::function<void(const activebar::ToolPtr& tool)> click;
        std::function<void(const activebar::ToolPtr& tool, const std::string& band,
                           int32_t keyCode)>
            textKeyDown;
    };

    // `menuBar` receives the menus, `toolArea` (a widget with a layout) the tool bars; in a box
    // layout they go before its last item (a stretch that keeps them on the left). Several views
    // may share one menu bar: each removes only its own menus.
    BarView(QMenuBar* menuBar, QWidget* toolArea, Callbacks callbacks);
    ~BarView();

    void SetBars(std::vector<activebar::ActiveBarPtr> bars);
    // Tools for which `offered` says no stay hidden whatever the bar says (a tool that would do
    // nothing in the view the bar belongs to).
    void SetOffered(std::function<bool(const activebar::Tool&)> offered);
    void Sync();

    // For tests and for people reading the window: the action that draws a tool on a band (the
    // first band that shows it when `band` is empty), a text box tool's editor, a popup band.
    QAction* ActionOf(const std::string& toolKey, const std::string& band = "") const;
    QLineEdit* TextBoxOf(const std::string& toolKey) const;
    QMenu* PopupOf(const std::string& band) const;
    QToolBar* ToolBarOf(const std::string& band) const;

  private:
    struct Placement {
        activebar::ToolPtr tool;
        std::string band;
        QPointer<QAction> action;
        QPointer<QLineEdit> textBox;
    };

    std::string Structure() const;
    void Rebuild();
    void Clear();
    QMenu* BuildPopup(const activebar::ActiveBar& bar, const activebar::Band& band);
    void AddMenuBarBand(const activebar::ActiveBar& bar, const activebar::Band& band);
    void AddToolBarBand(const activebar::ActiveBar& bar, const activebar::Band& band);
    void AddButton(QWidget* container, const activebar::ToolPtr& tool, const std::string& band,
                   bool inMenu);
    void AddTextBox(QToolBar* toolBar, const activebar::ToolPtr& tool, const std::string& band);
    void SyncPlacement(Placement& placement);
    bool BandShown(const std::string& name) const;

    QMenuBar* menuBar_;
    QWidget* toolArea_;
    Callbacks callbacks_;
    std::function<bool(const activebar::Tool&)> offered_;
    std::vector<activebar::ActiveBarPtr> bars_;
    std::string structure_;
    std::vector<Placement> placements_;
    std::vector<QPointer<QAction>> menuBarActions_;
    std::map<std::string, QPointer<QMenu>> popups_;
    std::map<std::string, QPointer<QToolBar>> toolBars_;
    activebar::ToolPtr focused_;
};

// A caption for a menu: the tool's menu caption (kept in Tag when the tool bar shows a shorter
// one), else its caption.
std::string MenuCaption(const activebar::Tool& tool);

}  // namespace qtgui
