#pragma once
// The commands of any form the library or the client shows other than a tracking view, found in
// its controls, so that a new dialog needs nothing here:
//
//   check ITEM on|off      check or uncheck a box or an item of a list with check boxes: by
//                          name (ChkMO, MO, ShowMO), caption, key or place
//   click ITEM             click a button, a box or a list's item: by name or caption
//   type BOX TEXT          type TEXT into a text box
//   all | clear            the button named so (cmdAll, cmdClear), else every box shown
//   ok                     the default button, else the one named OK
//   cancel                 the cancel button, else the one named Cancel or Exit, else the close box
//
// A form that draws itself (form_content.h) takes its own commands first and prints under the
// title; then the form's controls follow (form_text.h).

#include "form_content.h"
#include "window_commands.h"

namespace textface {

class FormCommands : public WindowCommands {
  public:
    explicit FormCommands(windowing::Form& form);

    std::string Name() const override { return form_.Name(); }
    std::string Render() const override;
    std::string Help() const override;
    bool Run(const std::string& verb, const std::vector<std::string>& args, const std::string& rest,
             std::ostream& out) override;

  private:
    void Check(const std::vector<std::string>& args);
    void Click(const std::vector<std::string>& args);
    void Type(const std::vector<std::string>& args, const std::string& rest);
    bool SetEveryBox(bool on);
    bool Ok();
    bool Cancel();

    windowing::Form& form_;
    std::unique_ptr<FormContent> content_;
};

}  // namespace textface
