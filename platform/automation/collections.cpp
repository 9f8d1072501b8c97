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

// The keys in order, and once there are more than a scan suits, an index of their positions by
// the folded-key hash (open addressing: each slot holds a position + 1, 0 when free).
class Dictionary::Keys {
  public:
    size_t Count() const { return names_.size(); }
    const std::string& Name(size_t position) const { return names_[position]; }

    size_t Find(std::string_view key) const {
        if (slots_.empty()) {
            for (size_t i = 0; i < names_.size(); ++i)
                if (SameKey(names_[i], key)) return i;
            return kMissing;
        }
        const size_t mask = slots_.size() - 1;
        for (size_t slot = FoldedHash(key) & mask;; slot = (slot + 1) & mask) {
            const uint32_t held = slots_[slot];
            if (held == 0) return kMissing;
            if (SameKey(names_[held - 1], key)) return held - 1;
        }
    }

    void Append(std::string_view key) {
        names_.emplace_back(key);
        if (names_.size() <= kScanLimit) return;
        // The table stays at most half full, so a probe always meets a free slot soon.
        if (names_.size() * 2 > slots_.size()) {
            Reindex();
            return;
        }
        Place(names_.size() - 1);
    }

    void Remove(size_t position) {
        names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(position));
        Reindex();
    }

  private:
    // Up to this many keys a lookup scans them; past it the index answers.
    static constexpr size_t kScanLimit = 8;

    void Place(size_t position) {
        const size_t mask = slots_.size() - 1;
        size_t slot = FoldedHash(names_[position]) & mask;
        while (slots_[slot] != 0) slot = (slot + 1) & mask;
        slots_[slot] = static_cast<uint32_t>(position + 1);
    }

    void Reindex() {
        slots_.clear();
        if (names_.size() <= kScanLimit) return;
        size_t size = 16;
        while (size < names_.size() * 4) size *= 2;
        slots_.assign(size, 0);
        for (size_t i = 0; i < names_.size(); ++i) Place(i);
    }

    std::vector<std::string> names_;
    std::vector<uint32_t> slots_;
};

Dictionary::Dictionary(KeysPtr keys, std::vector<Variant> items)
    // Shared keys are never changed: a dictionary copies them before it adds or removes one.
    : keys_(std::const_pointer_cast<Keys>(std::move(keys))), items_(std::move(items)) {
    if ((keys_ ? keys_->Count() : 0) != items_.size()) Raise(vberr::InvalidProcedureCall);
}

int32_t Dictionary::PositionIn(const Keys& keys, std::string_view key) {
    const size_t found = keys.Find(key);
    return found == kMissing ? -1 : static_cast<int32_t>(found);
}

size_t Dictionary::Find(std::string_view key) const { return keys_ ? keys_->Find(key) : kMissing; }

Dictionary::Keys& Dictionary::OwnKeys() {
    if (!keys_) {
        keys_ = std::make_shared<Keys>();
    } else if (keys_.use_count() > 1) {
        keys_ = std::make_shared<Keys>(*keys_);
    }
    return *keys_;
}

const Variant& Dictionary::Item(std::string_view key) const {
    const size_t found = Find(key);
    if (found == kMissing) Raise(vberr::SubscriptOutOfRange);
    return items_[found];
}

void Dictionary::SetItem(std::string_view key, Variant value) {
    const size_t found = Find(key);
    if (found != kMissing) {
        items_[found] = std::move(value);
        return;
    }
    OwnKeys().Append(key);
    items_.push_back(std::move(value));
}

Variant Dictionary::Item(std::string_view key, const Variant& fallback) const {
    const size_t found = Find(key);
    return found == kMissing ? fallback : items_[found];
}

std::optional<Variant> Dictionary::Lookup(std::string_view key) const {
    const size_t found = Find(key);
    if (found == kMissing) return std::nullopt;
    return items_[found];
}

const Variant* Dictionary::FindItem(std::string_view key) const {
    const size_t found = Find(key);
    return found == kMissing ? nullptr : &items_[found];
}

void Dictionary::Add(std::string_view key, Variant value) {
    if (Exists(key)) Raise(vberr::KeyAlreadyExists);
    SetItem(key, std::move(value));
}

void Dictionary::Remove(std::string_view key) {
    const size_t found = Find(key);
    if (found == kMissing) Raise(vberr::SubscriptOutOfRange);
    OwnKeys().Remove(found);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(found));
}

const std::string& Dictionary::Key(int32_t index) const {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange);
    return keys_->Name(static_cast<size_t>(index - 1));
}

const Variant& Dictionary::ItemAt(int32_t index) const {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange);
    return items_[static_cast<size_t>(index - 1)];
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
