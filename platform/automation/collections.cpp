#include <platform/automation/collections.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

namespace automation {

bool Dictionary::Exists(const std::string& key) const { return index_.contains(UCase(key)); }

const Variant& Dictionary::Item(const std::string& key) const {
    auto found = index_.find(UCase(key));
    if (found == index_.end()) Raise(vberr::SubscriptOutOfRange);
    return entries_[found->second].second;
}

void Dictionary::SetItem(const std::string& key, Variant value) {
    auto found = index_.find(UCase(key));
    if (found != index_.end()) {
        entries_[found->second].second = std::move(value);
        return;
    }
    index_.emplace(UCase(key), entries_.size());
    entries_.emplace_back(key, std::move(value));
}

Variant Dictionary::Item(const std::string& key, const Variant& fallback) const {
    auto found = index_.find(UCase(key));
    return found == index_.end() ? fallback : entries_[found->second].second;
}

std::optional<Variant> Dictionary::Lookup(const std::string& key) const {
    auto found = index_.find(UCase(key));
    if (found == index_.end()) return std::nullopt;
    return entries_[found->second].second;
}

void Dictionary::Add(const std::string& key, Variant value) {
    if (Exists(key)) Raise(vberr::KeyAlreadyExists);
    SetItem(key, std::move(value));
}

void Dictionary::Remove(const std::string& key) {
    auto found = index_.find(UCase(key));
    if (found == index_.end()) Raise(vberr::SubscriptOutOfRange);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(found->second));
    Reindex();
}

void Dictionary::RemoveAll() {
    entries_.clear();
    index_.clear();
}

const std::string& Dictionary::Key(int32_t index) const { return EntryAt(index).first; }

const Variant& Dictionary::ItemAt(int32_t index) const { return EntryAt(index).second; }

const std::pair<std::string, Variant>& Dictionary::EntryAt(int32_t index) const {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange);
    return entries_[static_cast<size_t>(index - 1)];
}

void Dictionary::Reindex() {
    index_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) index_.emplace(UCase(entries_[i].first), i);
}

const Variant& Vector::Item(int32_t index) const {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange);
    return items_[static_cast<size_t>(index - 1)];
}

void Vector::SetItem(int32_t index, Variant value) {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange);
    items_[static_cast<size_t>(index - 1)] = std::move(value);
}

}  // namespace automation
