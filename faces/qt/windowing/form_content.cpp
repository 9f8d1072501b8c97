#include <faces/qt/windowing/form_content.h>

#include <map>

namespace qtgui {

namespace {

std::map<std::string, FormContentFactory>& Factories() {
    static std::map<std::string, FormContentFactory> factories;
    return factories;
}

}  // namespace

void RegisterFormContent(const std::string& formName, FormContentFactory factory) {
    Factories()[formName] = std::move(factory);
}

std::unique_ptr<ControlWidget> CreateFormContent(const std::shared_ptr<windowing::Form>& form,
                                                 QWidget* parent) {
    auto found = Factories().find(form->Name());
    return found == Factories().end() ? nullptr : found->second(form, parent);
}

}  // namespace qtgui
