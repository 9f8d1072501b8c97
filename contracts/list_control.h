#pragma once
// Contract of the client's bill list control ("序时薄"): it opens the bill list of a list id
// under a filter, lets the user select rows and reports the user's decision by a command text
// ("SelectOK", "Exit") through OnCommand.

#include <platform/automation/collections.h>
#include <platform/automation/object.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace adodb {
class Recordset;
}

namespace trackquery {

inline constexpr char kICListProgId[] = "QzList.ICList";

class IICList : public automation::Object {
  public:
    int32_t ListID = 0;
    std::string BaseInfo;
    std::string LocalCnn;
    int32_t ListShowStatus = 0;
    bool MultiSelect = false;
    bool CanSelectMultiRow = false;
    int32_t SelectFlag = 0;
    std::string DestBillTransType;
    std::string Filter;
    // Set by the hosting form when it loads.
    bool InForm = false;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    // Raised with the command text when the user confirms or leaves the list.
    std::function<void(const std::string&)> OnCommand;

    // Opens the list; false when it could not be opened.
    virtual bool OpenList() = 0;
    // Why the last OpenList failed, in words for the user; empty after a success, or when the
    // control cannot tell.
    virtual std::string OpenFailure() const { return {}; }
    // True when the opened list may be shown to the user.
    virtual bool IsReadyToShow() = 0;
    // Descriptions of the list; item 1 is a Dictionary whose "FName" is the list's name.
    virtual automation::VectorPtr ListDescriptions() = 0;
    // True when the current selection may be taken.
    virtual bool CanTakeSelection() = 0;
    // The rows the user selected, one Dictionary each, keyed by column name.
    virtual automation::VectorPtr Selected() = 0;
    // Descriptions of the list's fields, one Dictionary each with "Name" and "IsPrimary".
    virtual automation::VectorPtr GetListFieldsDes() = 0;
    virtual std::shared_ptr<adodb::Recordset> GetListRs() = 0;
    // Releases the list's rows and its connection.
    virtual void Cleanup() = 0;
};

}  // namespace trackquery
