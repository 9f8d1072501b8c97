#include "control_lookup.h"

#include "command_words.h"
#include "form_text.h"

#include <platform/automation/strings.h>

#include <algorithm>
#include <cctype>

namespace textface {

namespace {

using automation::EqualsIgnoreCase;
using windowing::ListView;

bool IsAsciiLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool NameMatches(const windowing::Control& control, const std::string& name) {
    return EqualsIgnoreCase(control.Name(), name) ||
           EqualsIgnoreCase(NameStem(control.Name()), name);
}

bool CaptionMatches(const std::string& caption, const std::string& name) {
    return !caption.empty() && (caption == name || ShownCaption(caption) == name);
}

// A small number is an item's place; a longer one ("1007100") is looked up as a key or text.
std::optional<size_t> PlaceOf(const std::string& name, size_t count) {
    const bool digits =
        !name.empty() && name.size() < 9 &&
        std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
    if (!digits) return std::nullopt;
    const size_t place = std::stoul(name);
    if (place < 1 || place > count) return std::nullopt;
    return place - 1;
}

using FoundItem = std::pair<std::shared_ptr<ListView>, windowing::ListItemPtr>;

std::vector<std::shared_ptr<ListView>> Lists(const windowing::Form& form, bool withCheckBoxes) {
    auto lists = ShownControls<ListView>(form);
    std::erase_if(lists, [&](const auto& list) { return list->Checkboxes() != withCheckBoxes; });
    return lists;
}

std::optional<FoundItem> ItemByPlace(const windowing::Form& form, const std::string& name,
                                     bool withCheckBoxes) {
    const auto lists = Lists(form, withCheckBoxes);
    if (lists.empty()) return std::nullopt;
    const auto& items = lists.front()->GetListItems().Items();
    const auto place = PlaceOf(name, items.size());
    if (!place) return std::nullopt;
    return FoundItem{lists.front(), items[*place]};
}

std::optional<FoundItem> ItemByKey(const windowing::Form& form, const std::string& name,
                                   bool withCheckBoxes) {
    for (const auto& list : Lists(form, withCheckBoxes)) {
        for (const auto& item : list->GetListItems().Items()) {
            if (item->Key() == name || item->Tag() == name || item->Text() == name)
                return FoundItem{list, item};
        }
    }
    return std::nullopt;
}

std::optional<FoundItem> FindItem(const windowing::Form& form, const std::string& name,
                                  bool withCheckBoxes) {
    if (auto found = ItemByPlace(form, name, withCheckBoxes)) return found;
    return ItemByKey(form, name, withCheckBoxes);
}

// A box by name, by the option it shows ("ShowMO" for ChkMO) or by caption, hidden or not.
std::shared_ptr<windowing::CheckBox> BoxNamed(const windowing::Form& form,
                                              const std::string& name) {
    for (const auto& control : form.Controls()) {
        auto box = std::dynamic_pointer_cast<windowing::CheckBox>(control);
        if (!box) continue;
        if (NameMatches(*box, name) || EqualsIgnoreCase("Show" + NameStem(box->Name()), name) ||
            CaptionMatches(box->Caption(), name))
            return box;
    }
    return nullptr;
}

}  // namespace

std::string NameStem(const std::string& name) {
    const bool prefixed = name.size() > 3 && IsAsciiLetter(name[0]) && IsAsciiLetter(name[1]) &&
                          IsAsciiLetter(name[2]) &&
                          (std::isupper(static_cast<unsigned char>(name[3])) ||
                           std::isdigit(static_cast<unsigned char>(name[3])));
    return prefixed ? name.substr(3) : name;
}

bool Checkable::On() const { return box ? box->Value() == windowing::vbChecked : item->Checked(); }

void Checkable::Click() const {
    if (box && !box->Click()) throw UsageError("the box " + box->Name() + " cannot be clicked");
    if (list && !list->ClickCheckBox(item))
        throw UsageError("the list " + list->Name() + " cannot be clicked");
}

std::optional<Checkable> FindCheckable(const windowing::Form& form, const std::string& name) {
    if (auto found = ItemByPlace(form, name, true))
        return Checkable{nullptr, found->first, found->second};
    if (auto box = BoxNamed(form, name)) {
        if (!IsShown(*box)) throw UsageError("the box " + box->Name() + " is not shown");
        return Checkable{box, nullptr, nullptr};
    }
    if (auto found = ItemByKey(form, name, true))
        return Checkable{nullptr, found->first, found->second};
    return std::nullopt;
}

std::optional<FoundItem> FindPlainListItem(const windowing::Form& form, const std::string& name) {
    return FindItem(form, name, false);
}

std::shared_ptr<windowing::CommandButton> FindButton(const windowing::Form& form,
                                                     const std::string& name) {
    for (const auto& button : ShownControls<windowing::CommandButton>(form)) {
        if (NameMatches(*button, name) || CaptionMatches(button->Caption(), name)) return button;
    }
    return nullptr;
}

std::shared_ptr<windowing::TextBox> FindTextBox(const windowing::Form& form,
                                                const std::string& name) {
    for (const auto& box : ShownControls<windowing::TextBox>(form)) {
        if (NameMatches(*box, name)) return box;
    }
    return nullptr;
}

std::shared_ptr<windowing::CommandButton> ButtonNamed(const windowing::Form& form,
                                                      std::initializer_list<const char*> stems) {
    for (const auto& button : ShownControls<windowing::CommandButton>(form)) {
        for (const char* stem : stems) {
            if (EqualsIgnoreCase(NameStem(button->Name()), stem)) return button;
        }
    }
    return nullptr;
}

void ClickButton(windowing::CommandButton& button) {
    if (!button.Click()) {
        throw UsageError("the button " + button.Name() + " (" + ShownCaption(button.Caption()) +
                         ") is disabled");
    }
}

}  // namespace textface
