#include <platform/automation/collections.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

namespace automation {

namespace {

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// EqualsIgnoreCase for keys, kept here so that the scan inlines it: most bytes are equal as they
// stand, and two that differ are equal only as the two cases of one ASCII letter.
bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x == y) continue;
        const unsigned char lower = x | 0x20;
        if (lower != (y | 0x20) || lower < 'a' || lower > 'z') return false;
    }
    return true;
}

// FNV-1a over the folded bytes, so keys that differ in letter case only hash alike.
size_t FoldedHash(std::string_view key) {
    uint64_t hash = 14695981039346656037ull;
    for (char c : key) {
        hash ^= static_cast<unsigned char>(FoldCase(c));
        hash *= 1099511628211ull;
    }
    return static_cast<size_t>(hash ^ (hash >> 32));
}

}  // namespace

size_t Dictionary::Find(std::string_view key) const {
    if (slots_.empty()) {
        for (size_t i = 0; i < entries_.size(); ++i)
            if (SameKey(entries_[i].first, key)) return i;
        return kMissing;
    }
    const size_t mask = slots_.size() - 1;
    for (size_t slot = FoldedHash(key) & mask;; slot = (slot + 1) & mask) {
        const uint32_t held = slots_[slot];
        if (held == 0) return kMissing;
        if (SameKey(entries_[held - 1].first, key)) return held - 1;
    }
}

void Dictionary::Index(size_t position) {
    // The table stays at most half full, so a probe always meets a free slot soon.
    if (entries_.size() * 2 > slots_.size()) {
        Reindex();
        return;
    }
    const size_t mask = slots_.size() - 1;
    size_t slot = FoldedHash(entries_[position].first) & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<uint32_t>(position + 1);
}

void Dictionary::Reindex() {
    slots_.clear();
    if (entries_.size() <= kScanLimit) return;
    size_t size = 16;
    while (size < entries_.size() * 4) size *= 2;
    slots_.assign(size, 0);
    const size_t mask = size - 1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        size_t slot = FoldedHash(entries_[i].first) & mask;
        while (slots_[slot] != 0) slot = (slot + 1) & mask;
        slots_[slot] = static_cast<uint32_t>(i + 1);
    }
}

const Variant& Dictionary::Item(std::string_view key) const {
    const size_t found = Find(key);
    if (found == kMissing) Raise(vberr::SubscriptOutOfRange);
    return entries_[found].second;
}

void Dictionary::SetItem(std::string_view key, Variant value) {
    const size_t found = Find(key);
    if (found != kMissing) {
        entries_[found].second = std::move(value);
        return;
    }
    entries_.emplace_back(std::string(key), std::move(value));
    if (entries_.size() > kScanLimit) Index(entries_.size() - 1);
}

Variant Dictionary::Item(std::string_view key, const Variant& fallback) const {
    const size_t found = Find(key);
    return found == kMissing ? fallback : entries_[found].second;
}

std::optional<Variant> Dictionary::Lookup(std::string_view key) const {
    const size_t found = Find(key);
    if (found == kMissing) return std::nullopt;
    return entries_[found].second;
}

const Variant* Dictionary::FindItem(std::string_view key) const {
    const size_t found = Find(key);
    return found == kMissing ? nullptr : &entries_[found].second;
}

void Dictionary::Add(std::string_view key, Variant value) {
    if (Exists(key)) Raise(vberr::KeyAlreadyExists);
    SetItem(key, std::move(value));
}

void Dictionary::Remove(std::string_view key) {
    const size_t found = Find(key);
    if (found == kMissing) Raise(vberr::SubscriptOutOfRange);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(found));
    Reindex();
}

const std::string& Dictionary::Key(int32_t index) const { return EntryAt(index).first; }

const Variant& Dictionary::ItemAt(int32_t index) const { return EntryAt(index).second; }

const std::pair<std::string, Variant>& Dictionary::EntryAt(int32_t index) const {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange);
    return entries_[static_cast<size_t>(index - 1)];
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
