#pragma once
// Bill selection through the list dialog: the user picks bills of an ERP bill list over the
// client's list control. It lives with the dialog it shows; the other ways of invoking bills
// (look-up, bill windows) are in services/modTrackQuery.h.

#include <platform/automation/collections.h>

#include <cstdint>
#include <string>

namespace trackquery {

// Lets the user select bills of the bill list `listId` restricted by `filter` (an SQL condition
// of the library's own). With `filterFirst` the list opens on its filter. Returns the selected
// rows, or nothing when the user cancelled, selected nothing or the list failed (the failure is
// shown). `reserved` is passed as false by every caller.
automation::VectorPtr CallSelBill(int32_t listId, const std::string& filter, bool filterFirst,
                                  bool reserved = false);

}  // namespace trackquery
