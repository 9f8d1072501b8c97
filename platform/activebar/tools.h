#pragma once
// A keyed, ordered collection of tools. The bar keeps the master collection of every tool it
// owns; each band keeps one that shares the same tool objects, so a tool placed on two bands is
// one tool (checking it on one band checks it on the other).

#include <platform/activebar/tool.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace activebar {

class ActiveBar;

class Tools : public automation::Object {
  public:
    std::string TypeName() const override { return "Tools"; }

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    // Keys compare without regard to case, as the bar's own lookups do.
    bool Exists(const std::string& name) const;
    // The tool with that key, or nothing.
    ToolPtr Find(const std::string& name) const;
    // By key: a missing key is error 9. By 1-based position: error 9 outside 1..Count.
    ToolPtr Item(const std::string& name) const;
    ToolPtr Item(int32_t index) const;

    // Creates a tool and adds it. An empty name is error 5; a name already present is error 457.
    ToolPtr Add(const std::string& name, ToolType type = ToolType::Button,
                const std::string& caption = "");
    // Adds an existing tool (same errors). A tool that already belongs to a bar keeps that bar as
    // its parent; a bare tool is adopted by this collection's bar.
    ToolPtr Add(const ToolPtr& tool);
    // Removes the tool with that key; a missing key is error 9.
    void Remove(const std::string& name);
    void Clear() { items_.clear(); }

    const std::vector<ToolPtr>& Items() const { return items_; }

  private:
    friend class ActiveBar;
    friend class Band;
    void SetOwner(const std::weak_ptr<ActiveBar>& bar) { owner_ = bar; }

    std::vector<ToolPtr> items_;
    std::weak_ptr<ActiveBar> owner_;
};

}  // namespace activebar
