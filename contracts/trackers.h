#pragma once
// The two tracking controllers as a host, or the other tracker, sees them: created by ProgID and
// started through their own interface. Task order tracking opens sales order tracking this way
// and back, so that neither links the other.

#include <platform/automation/collections.h>
#include <platform/automation/object.h>

#include <cstdint>

namespace trackquery {

inline constexpr const char* kProgIdCICMOQuery = "QzICMOTrackQuery.CICMOQuery";
inline constexpr const char* kProgIdCSeOrderQuery = "QzICMOTrackQuery.CSeOrderQuery";

// Production task order tracking.
class ICICMOQuery : public virtual automation::Object {
  public:
    virtual int32_t TranType() const = 0;
    virtual void SetTranType(int32_t tranType) = 0;
    // The window handle of the running window, 0 when there is none.
    virtual int32_t Hwnd() const = 0;
    // Starts tracking the task orders of `vctBillInterID`: embedded into `lHwnd` when it is
    // greater than 0 (returns at once), modal otherwise (returns when the window has closed).
    // Never raises; False when the window could not be shown (the user was told why). A null
    // pointer stands for an argument that was not passed.
    virtual bool InitTrack(automation::ObjectPtr* oThisForm = nullptr, int32_t lHwnd = 0,
                           automation::ObjectPtr* oBar = nullptr,
                           const automation::VectorPtr& vctBillInterID = nullptr,
                           const automation::DictionaryPtr& dctBillStatus = nullptr) = 0;
};

// Sales and export order tracking.
class ICSeOrderQuery : public virtual automation::Object {
  public:
    // 81 sales orders, 1007100 export orders; -1 before Load.
    virtual int32_t ClassTypeID() const = 0;
    virtual int32_t Hwnd() const = 0;
    // Builds and shows the tracking view from the parameters of `DctPara` ("ClassTypeID",
    // "ParForm", "ParBar", "Hwnd", "CallByICMOTrack", "vctSeOrderList", "SelWholeBill").
    // Embedded it returns at once; stand-alone when the window has closed. Failures are shown.
    virtual void Load(const automation::DictionaryPtr& DctPara) = 0;
};

using ICICMOQueryPtr = std::shared_ptr<ICICMOQuery>;
using ICSeOrderQueryPtr = std::shared_ptr<ICSeOrderQuery>;

}  // namespace trackquery
