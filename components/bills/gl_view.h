#pragma once
// "JovGLView.GLView": the general-ledger view component; ItemLookUp opens the item window on the
// materials that the library's filter selects. The filter is one of the three forms the library
// writes ("t1.FItemID=<id>", "t1.FNumber='<number>'", "t1.FNumber IN ('<a>','<b>')"); its values
// are taken out and bound, any other text is refused with error 5.

#include <contracts/bills.h>

#include <platform/adodb/recordset.h>
#include <platform/windowing/form.h>

#include <vector>

namespace client {

// The item window: the materials found, one Dictionary per item (FItemID, FNumber, FShortNumber,
// FName, FModel).
class frmItemView : public windowing::Form {
  public:
    frmItemView(automation::VectorPtr items, automation::DictionaryPtr options);
    automation::VectorPtr Items() const { return items_; }
    automation::DictionaryPtr Options() const { return options_; }
    // One line per item: its number (the short number with "BeShortNumber" set) and name.
    std::string Render() const;

  private:
    automation::VectorPtr items_;
    automation::DictionaryPtr options_;
};

// What the filter asks for: item ids or item numbers.
struct ItemFilter {
    std::vector<int32_t> ItemIDs;
    std::vector<std::string> Numbers;
};

// Reads one of the three filter forms; error 5 for anything else.
ItemFilter ParseItemFilter(const std::string& filter);

class GLView : public trackquery::IGLView {
  public:
    std::string TypeName() const override { return "GLView"; }
    // Opens the item window modeless and returns the Vector of items shown.
    automation::Variant ItemLookUp(int32_t lookUpType, const automation::Variant& value,
                                   const std::string& filter,
                                   automation::DictionaryPtr& options) override;
};

// Item windows opened since the last clear, oldest first.
const std::vector<std::shared_ptr<frmItemView>>& ItemViewHistory();
void ClearItemViewHistory();

}  // namespace client
