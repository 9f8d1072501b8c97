#pragma once
// The bill window components "QzBills.Bills" and "QzBillsEx.Bills" and the system object
// "CSystemDlg.Sys". Show opens a bill window (bill_window.h) over the list record set and the
// options the caller set.

#include <contracts/bills.h>

namespace client {

class Bills : public trackquery::IBills {
  public:
    // `progId` tells the two bill components apart in the record of openings.
    explicit Bills(std::string progId);
    std::string TypeName() const override { return "Bills"; }

    void SetOpt(int32_t userId, const std::string& userName) override;
    // Opens the window; a list record set without the key columns named by ListRSFieldVect is
    // error 3265. BillReturn is the window object.
    void Show(int32_t billType, int32_t showMode) override;

  private:
    std::string progId_;
    int32_t userId_ = 0;
    std::string userName_;
};

class SystemDlg : public trackquery::ISystemDlg {
  public:
    std::string TypeName() const override { return "Sys"; }
    // The connection part of the session property string.
    std::string LocalCnn() const override;
};

}  // namespace client
