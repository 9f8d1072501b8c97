#pragma once
// The client's two collections: Dictionary (ordered, keys compared without regard to case) and
// Vector (1-based). Both are automation objects, so they travel inside Variants.

#include <platform/automation/variant.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace automation {

// Keys are compared with their ASCII letters folded, never by building a folded copy. A handful
// of entries (the usual status or parameter record) is a linear scan; a larger dictionary keeps
// an index of positions hashed by the folded key, built when it grows past the scan.
class Dictionary : public Object {
  public:
    std::string TypeName() const override { return "Dictionary"; }

    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    bool Exists(std::string_view key) const { return Find(key) != kMissing; }

    // Item by key. Reading a missing key is error 9; writing one appends it.
    const Variant& Item(std::string_view key) const;
    void SetItem(std::string_view key, Variant value);
    // Read with a default for a missing key.
    Variant Item(std::string_view key, const Variant& fallback) const;
    std::optional<Variant> Lookup(std::string_view key) const;
    // The item of a key without a copy, or nothing (valid until the dictionary changes).
    const Variant* FindItem(std::string_view key) const;

    // Adds a new key; an existing one is error 457.
    void Add(std::string_view key, Variant value);
    // Room for this many entries, for a dictionary whose size is known before it is filled.
    void Reserve(size_t entries) { entries_.reserve(entries); }
    void Remove(std::string_view key);

    // Key and item by 1-based position (error 9 outside 1..Count).
    const std::string& Key(int32_t index) const;
    const Variant& ItemAt(int32_t index) const;

  private:
    static constexpr size_t kMissing = static_cast<size_t>(-1);
    // Up to this many entries a lookup scans them; past it the index answers.
    static constexpr size_t kScanLimit = 8;

    const std::pair<std::string, Variant>& EntryAt(int32_t index) const;
    // The position of a key, or kMissing.
    size_t Find(std::string_view key) const;
    void Index(size_t position);
    void Reindex();

    std::vector<std::pair<std::string, Variant>> entries_;
    // Open addressing over the folded-key hash: each slot holds a position + 1, 0 when free.
    // Empty while the dictionary is small enough to scan.
    std::vector<uint32_t> slots_;
};

class Vector : public Object {
  public:
    Vector() = default;
    explicit Vector(std::vector<Variant> items) : items_(std::move(items)) {}
    std::string TypeName() const override { return "Vector"; }

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    int32_t UBound() const { return Count(); }
    // 1-based; error 9 outside 1..Count.
    const Variant& Item(int32_t index) const;
    void SetItem(int32_t index, Variant value);
    void Add(Variant value) { items_.push_back(std::move(value)); }
    void Clear() { items_.clear(); }

    const std::vector<Variant>& Items() const { return items_; }

  private:
    std::vector<Variant> items_;
};

using DictionaryPtr = std::shared_ptr<Dictionary>;
using VectorPtr = std::shared_ptr<Vector>;

}  // namespace automation
