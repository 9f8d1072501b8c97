#pragma once
// The client's two collections: Dictionary (ordered, keys compared without regard to case) and
// Vector (1-based). Both are automation objects, so they travel inside Variants.

#include <platform/automation/variant.h>

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace automation {

class Dictionary : public Object {
  public:
    std::string TypeName() const override { return "Dictionary"; }

    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    bool Exists(const std::string& key) const;

    // Item by key. Reading a missing key is error 9; writing one appends it.
    const Variant& Item(const std::string& key) const;
    void SetItem(const std::string& key, Variant value);
    // Read with a default for a missing key.
    Variant Item(const std::string& key, const Variant& fallback) const;
    std::optional<Variant> Lookup(const std::string& key) const;

    // Adds a new key; an existing one is error 457.
    void Add(const std::string& key, Variant value);
    void Remove(const std::string& key);
    void RemoveAll();

    // Key and item by 1-based position (error 9 outside 1..Count).
    const std::string& Key(int32_t index) const;
    const Variant& ItemAt(int32_t index) const;

  private:
    const std::pair<std::string, Variant>& EntryAt(int32_t index) const;
    void Reindex();

    std::vector<std::pair<std::string, Variant>> entries_;
    std::unordered_map<std::string, size_t> index_;  // upper-cased key -> position
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
