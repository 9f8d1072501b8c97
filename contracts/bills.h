#pragma once
// Contracts of the client's bill components: the bill windows, the system object that knows the
// client's database connection, the class-template data source with its look-up, the
// class-template bill manager and the general-ledger item look-up. Simple properties are plain
// members that the caller sets before it calls an operation, as on the client's own objects.

#include <platform/automation/collections.h>
#include <platform/automation/object.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <memory>
#include <string>

namespace adodb {
class Recordset;
}

namespace trackquery {

inline constexpr char kBillsProgId[] = "QzBills.Bills";
inline constexpr char kBillsExProgId[] = "QzBillsEx.Bills";
inline constexpr char kSystemDlgProgId[] = "CSystemDlg.Sys";
inline constexpr char kDataSrvProgId[] = "QzClassTpl.DataSrv";
inline constexpr char kBillLookUpProgId[] = "QzClassLookUp.BillLookUp";
inline constexpr char kClassInfoManagerProgId[] = "QzSingleClassBill.ClassInfoManager";
inline constexpr char kGLViewProgId[] = "JovGLView.GLView";

// A bill window. The caller sets the connection, the browse list and the options, then calls
// Show, which returns when the window closes; billValueChanged and BillReturn tell what the user
// did in it.
class IBills : public automation::Object {
  public:
    std::string LocalCnn;
    std::string SystemName;
    std::shared_ptr<adodb::Recordset> ListRecordset;
    automation::VectorPtr ListRSFieldVect;
    std::string NewBillTransType;
    bool SplitBill = false;
    int16_t ShowForModeExt = 0;
    int16_t TheSaleMode = 0;
    // Item 1 is the Dictionary of saved values handed to the bill ("StateParm", "sDsn").
    automation::VectorPtr SaveVect;
    bool billValueChanged = false;
    automation::Variant BillReturn;

    virtual void SetOpt(int32_t userId, const std::string& userName) = 0;
    virtual void Show(int32_t billType, int32_t showMode) = 0;
};

// The client's system object; LocalCnn is the connection string of the session's database.
class ISystemDlg : public automation::Object {
  public:
    virtual std::string LocalCnn() const = 0;
};

// The data source of a class-template bill class.
class IDataSrv : public automation::Object {
  public:
    int32_t ClassTypeID = 0;
    automation::DictionaryPtr dctConditionExtHide;
    std::string LinkFilter;
    automation::DictionaryPtr Filter;

    // The class description of ClassTypeID: "FObjectType", "FObjectID", "FName" and the keys.
    virtual automation::DictionaryPtr classtype() = 0;
    // Shows the filter dialog; false when the user cancelled it.
    virtual bool showfilter() = 0;
};

// The look-up list of a class-template bill class.
class IBillLookUp : public automation::Object {
  public:
    int32_t ClassTypeID = 0;
    bool CanSelectMultiRows = false;
    std::shared_ptr<IDataSrv> DataSrv;
    automation::VectorPtr VectReturn;

    // Shows the list; true when the user took a selection (then in VectReturn).
    virtual bool Lookup() = 0;
};

// The class-template bill window manager.
class IClassInfoManager : public automation::Object {
  public:
    std::shared_ptr<IDataSrv> DataSrv;
    bool ISNetControl = false;
    bool ISCheckRight = false;
    std::shared_ptr<adodb::Recordset> ItemID;

    virtual void Show(const automation::Variant& billId, const automation::Variant& unused,
                      int32_t& mode) = 0;
};

// The general-ledger view component; ItemLookUp shows the materials that the filter selects.
class IGLView : public automation::Object {
  public:
    virtual automation::Variant ItemLookUp(int32_t lookUpType, const automation::Variant& value,
                                           const std::string& filter,
                                           automation::DictionaryPtr& options) = 0;
};

}  // namespace trackquery
