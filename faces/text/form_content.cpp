// The contents the terminal knows, as the desktop registers its own (faces/qt/bills): forms of
// the client's bill components, and the form that hosts the client's bill list control.

#include "form_content.h"

#include "list_content.h"

#include <components/bills/class_bills.h>
#include <components/bills/ic_list.h>

namespace textface {

namespace {

// The filter dialog of a class of bills: whole bills or their entries (shipping lots).
class ClassFilterContent : public FormContent {
  public:
    explicit ClassFilterContent(client::frmClassFilter& dialog) : dialog_(dialog) {}
    std::string Render() const override { return "  whole bills or their entries?\n"; }
    std::string Help() const override {
        return "  whole | entries        pick whole bills, or their entries (ok)\n"
               "  cancel                 leave without picking\n";
    }
    bool Run(const std::string& verb, const std::vector<std::string>&, const std::string&,
             std::ostream&) override {
        if (verb == "whole") {
            dialog_.Confirm(true);
        } else if (verb == "entries" || verb == "ok") {
            dialog_.Confirm(false);
        } else if (verb == "cancel") {
            dialog_.Cancel();
        } else {
            return false;
        }
        return true;
    }

  private:
    client::frmClassFilter& dialog_;
};

// The list selection form keeps its bill list control to itself; the control it created before
// it was shown is the newest one a form hosts. The desktop knows that form by its name too.
std::unique_ptr<FormContent> HostedListContent(const windowing::Form& form) {
    if (form.Name() != "frmList") return nullptr;
    const auto hosted = client::HostedListControls();
    if (hosted.empty()) return nullptr;
    return MakeListContent(client::BindList(hosted.back()));
}

}  // namespace

std::unique_ptr<FormContent> ContentFor(windowing::Form& form) {
    if (dynamic_cast<client::frmBillLookUp*>(&form)) {
        return MakeListContent(client::BindLookUp(
            std::dynamic_pointer_cast<client::frmBillLookUp>(form.shared_from_this())));
    }
    if (auto* filter = dynamic_cast<client::frmClassFilter*>(&form))
        return std::make_unique<ClassFilterContent>(*filter);
    return HostedListContent(form);
}

}  // namespace textface
