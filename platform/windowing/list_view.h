#pragma once
// The ListView of the common controls, as far as the dialogs use it: report view with column
// headers, check boxes, items with key, text, tag, sub-items, checked and selected states, and
// the ItemCheck and ItemClick events.
//
// Items and headers are reached as in VB: ListItems.Item(1-based index or key). Keys compare
// without regard to case and are unique within the list; the empty key means "no key". Errors
// carry the common controls' numbers (35600 index out of bounds, 35601 element not found, 35602
// key not unique).
//
// As in VB, assigning Checked from code raises no ItemCheck; only the user's click on an item's
// check box (ListView::ClickCheckBox) does, after the state has changed.

#include <platform/windowing/control.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace windowing {

namespace lvwerr {
inline constexpr int32_t IndexOutOfBounds = 35600;
inline constexpr int32_t ElementNotFound = 35601;
inline constexpr int32_t KeyNotUnique = 35602;
}  // namespace lvwerr

// View.
inline constexpr int16_t lvwIcon = 0;
inline constexpr int16_t lvwSmallIcon = 1;
inline constexpr int16_t lvwList = 2;
inline constexpr int16_t lvwReport = 3;
// LabelEdit.
inline constexpr int16_t lvwAutomatic = 0;
inline constexpr int16_t lvwManual = 1;

class ListView;
class ListItems;

class ListItem : public automation::Object {
  public:
    ListItem(ListItems* owner, std::string key, std::string text);
    std::string TypeName() const override { return "IListItem"; }

    const std::string& Key() const { return key_; }
    // The 1-based position in the list; 0 once the item was removed.
    int32_t Index() const;
    const std::string& Text() const { return text_; }
    void SetText(std::string value) { text_ = std::move(value); }
    const std::string& Tag() const { return tag_; }
    void SetTag(std::string value) { tag_ = std::move(value); }
    bool Checked() const { return checked_; }
    // No ItemCheck: only the user's click raises it.
    void SetChecked(bool value) { checked_ = value; }
    bool Selected() const { return selected_; }
    // Selecting an item of a single-selection list clears the others' selection.
    void SetSelected(bool value);

    // Sub-item texts, 1-based, for the columns after the first: index 1 to the number of
    // column headers minus one (else error 380). Unset sub-items read as "".
    std::string SubItems(int32_t index) const;
    void SetSubItems(int32_t index, std::string value);

  private:
    friend class ListItems;
    friend class ListView;
    void CheckSubItemIndex(int32_t index) const;

    ListItems* owner_;
    std::string key_;
    std::string text_;
    std::string tag_;
    bool checked_ = false;
    bool selected_ = false;
    std::vector<std::string> subItems_;
};

using ListItemPtr = std::shared_ptr<ListItem>;

class ListItems {
  public:
    explicit ListItems(ListView* view) : view_(view) {}
    ~ListItems();
    ListItems(const ListItems&) = delete;
    ListItems& operator=(const ListItems&) = delete;

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    // Appends an item; a key already used is error 35602 and nothing is added.
    ListItemPtr Add(const std::string& key = "", const std::string& text = "");
    // Inserts at 1-based `index` (1 to Count + 1, else error 35600).
    ListItemPtr Add(int32_t index, const std::string& key, const std::string& text);
    // By 1-based index (error 35600) or key (error 35601).
    ListItemPtr Item(int32_t index) const;
    ListItemPtr Item(const std::string& key) const;
    bool Exists(const std::string& key) const;
    void Remove(int32_t index);
    void Remove(const std::string& key);
    void Clear();

    const std::vector<ListItemPtr>& Items() const { return items_; }
    ListView* View() const { return view_; }

  private:
    friend class ListItem;
    int32_t IndexOf(const ListItem* item) const;
    size_t PositionOf(int32_t index) const;
    void Detach(const ListItemPtr& item);

    ListView* view_;
    std::vector<ListItemPtr> items_;
};

struct ColumnHeader {
    std::string Key;
    std::string Text;
    int32_t Width = 1440;
};

class ColumnHeaders {
  public:
    int32_t Count() const { return static_cast<int32_t>(columns_.size()); }
    // Appends a column; a key already used is error 35602.
    ColumnHeader& Add(const std::string& key = "", const std::string& text = "",
                      int32_t width = 1440);
    // By 1-based index (error 35600) or key (error 35601).
    ColumnHeader& Item(int32_t index);
    ColumnHeader& Item(const std::string& key);
    void Clear() { columns_.clear(); }

  private:
    std::vector<ColumnHeader> columns_;
};

class ListView : public Control {
  public:
    ListView(Form* parent, std::string name);
    std::string TypeName() const override { return "ListView"; }

    ListItems& GetListItems() { return items_; }
    const ListItems& GetListItems() const { return items_; }
    ColumnHeaders& GetColumnHeaders() { return columns_; }
    const ColumnHeaders& GetColumnHeaders() const { return columns_; }

    int16_t View() const { return view_; }
    void SetView(int16_t value) { view_ = value; }
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool value) { checkboxes_ = value; }
    int16_t LabelEdit() const { return labelEdit_; }
    void SetLabelEdit(int16_t value) { labelEdit_ = value; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    // The first selected item, or nothing.
    ListItemPtr SelectedItem() const;

    // The user clicks an item's check box: its Checked flips, then OnItemCheck. Refused
    // (false) when the list has no check boxes or is disabled or invisible.
    bool ClickCheckBox(const ListItemPtr& item);
    // The user clicks an item: it becomes selected, then OnItemClick.
    bool ClickItem(const ListItemPtr& item);

    std::function<void(ListItem& Item)> OnItemCheck;
    std::function<void(ListItem& Item)> OnItemClick;

  private:
    bool AcceptsUserInput() const;

    ListItems items_;
    ColumnHeaders columns_;
    int16_t view_ = lvwIcon;
    bool checkboxes_ = false;
    int16_t labelEdit_ = lvwAutomatic;
    bool multiSelect_ = false;
};

}  // namespace windowing
