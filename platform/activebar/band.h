#pragma once
// A band of the menu bar: the main menu, a drop-down menu, a tool bar or a context menu. Its tools
// are the bar's own tools, shared.

#include <platform/activebar/tools.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace activebar {

class ActiveBar;

enum class BandType { Toolbar, MenuBar, Popup };

class Band : public automation::Object {
  public:
    explicit Band(std::string name, BandType type = BandType::Toolbar);
    std::string TypeName() const override { return "Band"; }

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    BandType Type() const { return type_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // The tools shown on this band, in order.
    Tools& GetTools() { return tools_; }
    const Tools& GetTools() const { return tools_; }

    // Places a tool of the bar on this band, creating it in the bar's master collection when the
    // bar has none with that key yet. A tool already on this band is error 457.
    ToolPtr AddTool(const std::string& name, ToolType type = ToolType::Button,
                    const std::string& caption = "");

    std::shared_ptr<ActiveBar> Parent() const { return parent_.lock(); }

  private:
    friend class Bands;
    void Adopt(const std::weak_ptr<ActiveBar>& bar);

    std::string name_;
    std::string caption_;
    BandType type_;
    bool visible_ = true;
    Tools tools_;
    std::weak_ptr<ActiveBar> parent_;
};

using BandPtr = std::shared_ptr<Band>;

class Bands : public automation::Object {
  public:
    std::string TypeName() const override { return "Bands"; }

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    bool Exists(const std::string& name) const;
    BandPtr Find(const std::string& name) const;
    // By name: a missing name is error 9. By 1-based position: error 9 outside 1..Count.
    BandPtr Item(const std::string& name) const;
    BandPtr Item(int32_t index) const;
    // An empty name is error 5; a name already present is error 457.
    BandPtr Add(const std::string& name, BandType type = BandType::Toolbar);
    void Remove(const std::string& name);

    const std::vector<BandPtr>& Items() const { return items_; }

  private:
    friend class ActiveBar;
    void SetOwner(const std::weak_ptr<ActiveBar>& bar) { owner_ = bar; }

    std::vector<BandPtr> items_;
    std::weak_ptr<ActiveBar> owner_;
};

}  // namespace activebar
