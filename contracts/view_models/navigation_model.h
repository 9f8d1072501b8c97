#pragma once
// The navigation tree of the trace viewer: a flat, ordered list of nodes whose Level and
// ParentKey describe the tree. The controllers create and fill the model; the viewer shows it and
// reports the selected node. Pure data: nothing here draws.

#include <platform/automation/object.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trackquery {

class NavigationModel;

class NavigationNode : public automation::Object {
  public:
    std::string TypeName() const override { return "NavigationNode"; }

    // True once the head and detail panels were built for this node (the controllers keep it).
    bool ModelsBuilt = false;
    int32_t Level = 0;
    int32_t Image = 0;
    int32_t SelectedImage = 0;
    std::string ParentKey;
    std::string Key;
    std::string Text;
    std::string ItemData;
    std::string ItemText;

    // The node's 1-based position in the model that holds it; 0 until it is added.
    int32_t Index() const { return index_; }

  private:
    friend class NavigationModel;
    int32_t index_ = 0;
};

using NavigationNodePtr = std::shared_ptr<NavigationNode>;

class NavigationModel : public automation::Object {
  public:
    std::string TypeName() const override { return "NavigationModel"; }

    // True while a controller fills the model in bulk; the viewer shows the model again when it
    // goes back to False.
    bool Updating = false;

    // Removes every node; the removed nodes forget their position (Index 0).
    void Clear();
    // Appends a node and gives it its 1-based Index. Nothing (a null node) is error 91.
    void AddNode(const NavigationNodePtr& node);
    int32_t NodeCount() const { return static_cast<int32_t>(nodes_.size()); }
    // Node by 1-based index; outside 1..NodeCount is error 9.
    NavigationNodePtr NodeItem(int32_t index) const;
    // The first node whose Key equals `key` exactly, or nothing.
    NavigationNodePtr FindByKey(const std::string& key) const;

  private:
    std::vector<NavigationNodePtr> nodes_;
};

using NavigationModelPtr = std::shared_ptr<NavigationModel>;

}  // namespace trackquery
