#pragma once
// The face of a form that draws itself rather than through controls, as the desktop has one: the
// list selection form holds the client's bill list control, the look-up of a class of bills its
// rows, the class filter its choice. The content prints under the window's title and takes the
// commands it knows before the form's controls do.

#include <platform/windowing/form.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace textface {

class FormContent {
  public:
    virtual ~FormContent() = default;
    // The lines under the title.
    virtual std::string Render() const = 0;
    // The lines `help` lists for its commands.
    virtual std::string Help() const = 0;
    // As WindowCommands::Run: false when the verb is not one of its commands.
    virtual bool Run(const std::string& verb, const std::vector<std::string>& args,
                     const std::string& rest, std::ostream& out) = 0;
};

// The content of a form of the client's own, or of the form that hosts its bill list control;
// nothing for any other form.
std::unique_ptr<FormContent> ContentFor(windowing::Form& form);

}  // namespace textface
