#include <platform/windowing/list_view.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <algorithm>

namespace windowing {

namespace {

constexpr const char* kSource = "windowing.ListView";

[[noreturn]] void IndexOutOfBounds() {
    automation::Raise(lvwerr::IndexOutOfBounds, kSource, "Index out of bounds");
}

[[noreturn]] void ElementNotFound() {
    automation::Raise(lvwerr::ElementNotFound, kSource, "Element not found");
}

[[noreturn]] void KeyNotUnique() {
    automation::Raise(lvwerr::KeyNotUnique, kSource, "Key is not unique in collection");
}

}  // namespace

// --- ListItem --------------------------------------------------------------------------------

ListItem::ListItem(ListItems* owner, std::string key, std::string text)
    : owner_(owner), key_(std::move(key)), text_(std::move(text)) {}

int32_t ListItem::Index() const { return owner_ ? owner_->IndexOf(this) : 0; }

void ListItem::SetSelected(bool value) {
    selected_ = value;
    if (!value || !owner_ || !owner_->View() || owner_->View()->MultiSelect()) return;
    for (const auto& other : owner_->Items()) {
        if (other.get() != this) other->selected_ = false;
    }
}

void ListItem::CheckSubItemIndex(int32_t index) const {
    const int32_t columns =
        owner_ && owner_->View() ? owner_->View()->GetColumnHeaders().Count() : 0;
    if (index < 1 || index > columns - 1) {
        automation::Raise(380, kSource, "Invalid property value");
    }
}

std::string ListItem::SubItems(int32_t index) const {
    CheckSubItemIndex(index);
    const auto position = static_cast<size_t>(index - 1);
    return position < subItems_.size() ? subItems_[position] : std::string();
}

void ListItem::SetSubItems(int32_t index, std::string value) {
    CheckSubItemIndex(index);
    const auto position = static_cast<size_t>(index - 1);
    if (subItems_.size() <= position) subItems_.resize(position + 1);
    subItems_[position] = std::move(value);
}

// --- ListItems -------------------------------------------------------------------------------

ListItems::~ListItems() {
    for (const auto& item : items_) item->owner_ = nullptr;
}

ListItemPtr ListItems::Add(const std::string& key, const std::string& text) {
    return Add(Count() + 1, key, text);
}

ListItemPtr ListItems::Add(int32_t index, const std::string& key, const std::string& text) {
    if (index < 1 || index > Count() + 1) IndexOutOfBounds();
    if (!key.empty() && Exists(key)) KeyNotUnique();
    auto item = std::make_shared<ListItem>(this, key, text);
    items_.insert(items_.begin() + (index - 1), item);
    return item;
}

size_t ListItems::PositionOf(int32_t index) const {
    if (index < 1 || index > Count()) IndexOutOfBounds();
    return static_cast<size_t>(index - 1);
}

ListItemPtr ListItems::Item(int32_t index) const { return items_[PositionOf(index)]; }

ListItemPtr ListItems::Item(const std::string& key) const {
    for (const auto& item : items_) {
        if (!key.empty() && automation::EqualsIgnoreCase(item->Key(), key)) return item;
    }
    ElementNotFound();
}

bool ListItems::Exists(const std::string& key) const {
    return std::any_of(items_.begin(), items_.end(), [&](const ListItemPtr& item) {
        return !key.empty() && automation::EqualsIgnoreCase(item->Key(), key);
    });
}

int32_t ListItems::IndexOf(const ListItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == item) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

void ListItems::Detach(const ListItemPtr& item) {
    item->owner_ = nullptr;
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
}

void ListItems::Remove(int32_t index) { Detach(Item(index)); }

void ListItems::Remove(const std::string& key) { Detach(Item(key)); }

void ListItems::Clear() {
    for (const auto& item : items_) item->owner_ = nullptr;
    items_.clear();
}

// --- ColumnHeaders ---------------------------------------------------------------------------

ColumnHeader& ColumnHeaders::Add(const std::string& key, const std::string& text, int32_t width) {
    if (!key.empty()) {
        for (const auto& column : columns_) {
            if (automation::EqualsIgnoreCase(column.Key, key)) KeyNotUnique();
        }
    }
    columns_.push_back(ColumnHeader{key, text, width});
    return columns_.back();
}

ColumnHeader& ColumnHeaders::Item(int32_t index) {
    if (index < 1 || index > Count()) IndexOutOfBounds();
    return columns_[static_cast<size_t>(index - 1)];
}

ColumnHeader& ColumnHeaders::Item(const std::string& key) {
    for (auto& column : columns_) {
        if (!key.empty() && automation::EqualsIgnoreCase(column.Key, key)) return column;
    }
    ElementNotFound();
}

// --- ListView --------------------------------------------------------------------------------

ListView::ListView(Form* parent, std::string name)
    : Control(parent, std::move(name)), items_(this) {}

ListItemPtr ListView::SelectedItem() const {
    for (const auto& item : items_.Items()) {
        if (item->Selected()) return item;
    }
    return nullptr;
}

bool ListView::AcceptsUserInput() const { return Enabled() && Visible(); }

bool ListView::ClickCheckBox(const ListItemPtr& item) {
    if (!checkboxes_ || !AcceptsUserInput() || !item || item->owner_ != &items_) return false;
    // Held here: the handler may clear the list and drop the caller's references.
    ListItemPtr held = item;
    held->SetChecked(!held->Checked());
    auto handler = OnItemCheck;
    if (handler) handler(*held);
    return true;
}

bool ListView::ClickItem(const ListItemPtr& item) {
    if (!AcceptsUserInput() || !item || item->owner_ != &items_) return false;
    ListItemPtr held = item;
    held->SetSelected(true);
    auto handler = OnItemClick;
    if (handler) handler(*held);
    return true;
}

}  // namespace windowing
