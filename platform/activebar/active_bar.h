#pragma once
// The menu and tool bar control of the tracking window ("ActiveBarLibraryCtl.ActiveBar"): bands,
// the tools on them, shortcut keys and the click event. It draws nothing; a back end or a test
// reads its state and acts as the user through ClickTool and TextKeyDown.
//
// Create it with std::make_shared (or CreateObject): the tools and bands it owns keep a weak
// reference back to it for focus and shortcut handling.

#include <platform/activebar/band.h>
#include <platform/activebar/tool.h>
#include <platform/activebar/tools.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace activebar {

inline constexpr const char* kActiveBarProgId = "ActiveBarLibraryCtl.ActiveBar";
inline constexpr const char* kToolProgId = "ActiveBarLibraryCtl.Tool";

// Raised when a tool is clicked (by the user or through a shortcut key).
using ToolClickListener = std::function<void(const ToolPtr& tool)>;
// Raised when a key goes down in a text-box tool; the band is the one that holds the tool.
using TextKeyDownListener =
    std::function<void(const ToolPtr& tool, const std::string& bandName, int32_t keyCode)>;

class ActiveBar : public automation::Object {
  public:
    ActiveBar();
    std::string TypeName() const override { return "ActiveBar"; }

    // Every tool the bar owns, by key.
    Tools& GetTools();
    const Tools& GetTools() const { return tools_; }
    Bands& GetBands();
    const Bands& GetBands() const { return bands_; }

    const std::string& FontName() const { return fontName_; }
    void SetFontName(std::string name) { fontName_ = std::move(name); }

    // The one listener of each event; setting another replaces it, an empty function removes it.
    void SetToolClickListener(ToolClickListener listener) { toolClick_ = std::move(listener); }
    void SetTextKeyDownListener(TextKeyDownListener listener) {
        textKeyDown_ = std::move(listener);
    }

    // The key handling a form forwards with key preview: when an enabled, visible tool of this bar
    // has the shortcut (KeyCode, Shift), the key is consumed (KeyCode set to 0) and the tool's
    // click is raised. Other keys pass unchanged.
    void OnKeyDown(int16_t& KeyCode, int16_t& Shift);

    // A click on a tool: raises ToolClick when the tool is enabled and visible. Returns whether
    // the click was raised. The tool may be one this bar does not own (a bar attached to another
    // bar hands its clicks on this way).
    bool ClickTool(const ToolPtr& tool);
    // A click on the tool with that key; false when the bar has no such tool.
    bool ClickTool(const std::string& name);

    // A key going down in a text-box tool of this bar: raises TextKeyDown with the first visible
    // band that holds the tool (any band when none is visible, "" when it sits on none). Returns
    // false, raising nothing, for a tool that is not a text box of this bar.
    bool TextKeyDown(const std::string& name, int32_t keyCode);

    // The tool that last took the focus through Tool::SetFocus, or nothing.
    ToolPtr FocusedTool() const { return focused_.lock(); }
    void SetFocusedTool(const ToolPtr& tool) { focused_ = tool; }

    // The name of the first band that holds the tool; "" when none does.
    std::string BandOf(const ToolPtr& tool) const;

  private:
    void Bind();

    Tools tools_;
    Bands bands_;
    std::string fontName_ = "MS Sans Serif";
    ToolClickListener toolClick_;
    TextKeyDownListener textKeyDown_;
    std::weak_ptr<Tool> focused_;
};

using ActiveBarPtr = std::shared_ptr<ActiveBar>;

// Registers "ActiveBarLibraryCtl.ActiveBar" and "ActiveBarLibraryCtl.Tool" for CreateObject.
void RegisterComponents();

}  // namespace activebar
