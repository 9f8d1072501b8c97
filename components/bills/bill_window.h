#pragma once
// The client's bill window: shows the head of one bill read from the ERP database and browses
// the list record set it was given, starting on the row the caller positioned it on. Every
// opening is recorded, so that tests and the terminal host can read what was opened, by which
// component, in which mode and on which row.
//
// Windows are shown modeless unless SetBillWindowsModal(true) was called (a modal window returns
// from Show when the user closes it). The process keeps every open window until it is unloaded.

#include <components/bills/bill_sheet.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>
#include <platform/windowing/form.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace client {

// What a component asked a bill window to show.
struct BillWindowRequest {
    std::string Component;  // ProgID of the component that opened the window
    int32_t BillType = 0;   // bill type, transaction type or class type asked for
    int32_t ShowMode = 0;   // the mode the window was opened in
    std::string SystemName;
    std::string NewBillTransType;
    bool SplitBill = false;
    int16_t ShowForModeExt = 0;
    int16_t TheSaleMode = 0;
    int32_t UserID = 0;
    std::string UserName;
    std::string ConnectionString;  // the client database the bill is read from
    adodb::RecordsetPtr List;      // the browse list; may be empty
    std::string IdColumn = "FInterID";
    std::string TypeColumn = "FTranType";
};

// One opening, as recorded when the window is shown: what was asked, and where the window
// stood when it came up.
struct BillWindowRecord {
    BillWindowRequest Request;
    int32_t InterID = 0;   // the bill shown first (0 for a new bill)
    int32_t TranType = 0;  // its kind
    int32_t Position = 0;  // its 1-based row in the browse list (0 without a list)
    int32_t RowCount = 0;  // rows in the browse list
    std::string BillNo;    // the bill's number as read from the database
};

class BillWindow : public windowing::Form {
  public:
    explicit BillWindow(BillWindowRequest request);

    const BillWindowRequest& Request() const { return request_; }
    // The head row of the bill shown (column -> value); nothing for a new bill or a bill that
    // the database does not hold.
    automation::DictionaryPtr Bill() const { return bill_; }
    // The bill as a clerk reads it: captions, words, names and dates in the session's language.
    const BillSheet& Sheet() const { return sheet_; }
    int32_t InterID() const { return interId_; }
    int32_t TranType() const { return tranType_; }
    int32_t Position() const;
    int32_t RowCount() const;

    // Browsing the list, as the window's navigation buttons do; false at either end.
    bool MoveFirst();
    bool MovePrevious();
    bool MoveNext();
    bool MoveLast();

    // The window as text: caption, then the sheet (RenderBillSheet).
    std::string Render() const;

    // Shows the window as configured and records the opening.
    void Open();

  protected:
    void Form_Unload(int16_t& Cancel) override;

  private:
    void ReadCurrentBill();

    BillWindowRequest request_;
    automation::DictionaryPtr bill_;
    BillSheet sheet_;
    int32_t interId_ = 0;
    int32_t tranType_ = 0;
};

void SetBillWindowsModal(bool modal);

// The windows open now, oldest first.
std::vector<std::shared_ptr<BillWindow>> OpenBillWindows();
// Every opening since the last clear, oldest first.
const std::vector<BillWindowRecord>& BillWindowHistory();
void ClearBillWindowHistory();

}  // namespace client
