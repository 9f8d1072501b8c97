#pragma once
// Bill invocation: the library never draws an ERP bill itself. It picks class-template bills
// through the client's look-up and shows bills or lists of bills in the client's bill windows.
// Picking bills in the list dialog is dialogs/bill_selection.h, beside the dialog it shows.

#include <contracts/bills.h>
#include <contracts/middle_tier.h>

#include <platform/automation/collections.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <string>
#include <vector>

namespace trackquery {

// Lets the user pick bills of the class-template class `classTypeId` through the client's
// look-up, after its filter dialog when `showFilter` is set. `wholeBill` becomes true when the
// user chose whole bills rather than entries. Nothing when cancelled or failed (shown).
automation::VectorPtr CallSelNewBill(int32_t classTypeId, bool showFilter, bool& wholeBill);

// Shows one bill in the client's bill window (the extended component when `extended`). With a
// bill id (not 0) the window browses a one-row list of that bill. `changed` tells whether the
// user changed the bill. `reserved` is -1 from every caller and has no effect. Returns the
// window's BillReturn. Failures reach the caller.
automation::Variant ShowBill(int32_t billType, bool extended, int32_t showMode,
                             const automation::VectorPtr& stateVector, int32_t billId,
                             int32_t tranType, const std::string& newBillTypes, int32_t reserved,
                             bool& changed);

// Shows the bills of `listRs` in the client's bill window, browsing the list from its current
// row. `showArg1` and `showArg2` go to the window's Show (the bill kind and the open mode);
// `showArg2` not 0 with an empty list shows nothing. `changed` becomes true when the user changed
// a bill (it is never reset). Failures are shown, not raised; the pointer is restored either way.
void ShowBillList(const RecordsetPtr& listRs, const automation::VectorPtr& keyFields,
                  int16_t modeExt, int16_t saleMode, int32_t newBillTranType, int32_t showArg1,
                  int32_t showArg2, int16_t splitFlag, bool& changed,
                  const std::string& systemName);

// Opens a bill of the class-template class `classTypeId` in the class-template bill manager,
// browsing `billIds` positioned on `position` (1-based; 0 the first): the bill `billId`, or the
// browse list's current one when that is not positive. The class's key fields are read from
// ICClassType. The user needs the class's view right (a refusal is shown by the check); with its
// modify right the bill opens in mode 2, else in mode 0. True when the bill was shown.
bool ShowClassTemplateBill(int32_t classTypeId, const std::vector<int32_t>& billIds,
                           int32_t position, int32_t billId);

}  // namespace trackquery
