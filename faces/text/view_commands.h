#pragma once
// The commands of a tracking view (task order or sales order tracking), acting as the user on its
// trace viewer:
//
//   select N               click navigation node N (1 is the root)
//   expand PATH            expand the detail node or row at PATH ("2", "7.1")
//   collapse PATH          collapse it again
//   expand-row PATH ROW    expand row ROW of the detail node at PATH
//   pick PATH              select the detail node or row at PATH (no double click)
//   open PATH ROW          double-click row ROW of the detail node at PATH
//   pane NAME              make a pane active: Summary, Navigation or Detail
//   tool KEY               click a tool of the menu bar ("btnRefresh", "btnBill", ...)
//   tools                  list the tools the bars show
//   type BAND TEXT         type TEXT into the band's text box, then Enter
//   key BAND KEY           press KEY (F7, Enter or a key code) in the band's text box

#include "view_renderer.h"
#include "window_commands.h"

#include <components/viewer/viewer_document.h>

namespace textface {

class ViewCommands : public WindowCommands {
  public:
    explicit ViewCommands(std::shared_ptr<client::ViewerDocument> viewer);

    std::string Name() const override { return name_; }
    std::string Render() const override { return RenderView(*viewer_); }
    std::string Help() const override;
    bool Run(const std::string& verb, const std::vector<std::string>& args, const std::string& rest,
             std::ostream& out) override;

    const std::shared_ptr<client::ViewerDocument>& Viewer() const { return viewer_; }

  private:
    std::shared_ptr<client::ViewerDocument> viewer_;
    std::string name_;
};

// The name of a view in the prompt: "icmo" for task order tracking, "seorder" for sales orders.
std::string ViewName(const client::ViewerDocument& viewer);

}  // namespace textface
