#pragma once
// ITrackQuery: what the tracking window asks of a tracking controller. The window holds no
// tracking logic; every viewer event it receives becomes one call here, unchanged. Whatever the
// controller hands back travels through the by-reference flags, which are the viewer's own
// storage, so a write here reaches the viewer.
//
// A failure thrown by an operation goes back to the viewer that raised the event; controllers
// catch their own errors inside long operations and tell the user themselves.

#include <platform/automation/object.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace activebar {
class Tool;
}

namespace trackquery {

using ToolPtr = std::shared_ptr<activebar::Tool>;

// The identity under which hosts know the interface.
inline constexpr std::string_view kIID_ITrackQuery = "{5E0C2B7A-3F41-4C8E-9A26-71D4B0E8C913}";

class ITrackQuery : public virtual automation::Object {
  public:
    // A tool of the viewer's menu bar was clicked; the tool's name is the command.
    virtual void MenuClick(const ToolPtr& Tool) = 0;
    // A navigation node was clicked; `bHasBuffer` tells whether the viewer kept its panels.
    virtual void NavigationClick(bool bHasBuffer) = 0;
    // Shows the node now selected in the navigation tree.
    virtual void NavigationClickSelect() = 0;
    // A detail row or node is being expanded: the controller adds the children of `objRow`.
    virtual void DetailExpand(int32_t lRow, const std::string& sPath,
                              const automation::ObjectPtr& objRow, const std::string& sRowType) = 0;
    // A key went down in a text box tool of the bar (13 = Enter).
    virtual void MenuTextKeyDown(int32_t lKeyCode, const std::string& sActiveBandName,
                                 const std::string& sText) = 0;
    // Double click in the detail pane; True in `bCancelExpand` keeps the row as it is.
    virtual void DetailDblClick(const automation::ObjectPtr& objSelection, bool& bCancelExpand) = 0;
    // A key in the navigation tree; a controller may change it or swallow it (KeyCode = 0).
    virtual void NavigationKeyPress(int16_t& KeyCode, int16_t& Shift) = 0;
    // Announced before the viewer handles a tool itself; True in `bCancel` skips that handling.
    virtual void BeforeMenuClick(const ToolPtr& Tool, bool& bCancel) = 0;
    // A detail row or node is about to be expanded.
    virtual void DetailBeforeExpand(int32_t lRow, const std::string& sPath,
                                    const automation::ObjectPtr& objRow,
                                    const std::string& sRowType) = 0;
    // The viewer is being hidden or closed: drop every reference to the window and the models.
    virtual void Hide() = 0;
};

using ITrackQueryPtr = std::shared_ptr<ITrackQuery>;

}  // namespace trackquery
