// The client's bill window.

#include <components/bills/bill_window.h>

#include <components/bills/bill_tables.h>

#include <components/resources/session_captions.h>

#include <platform/adodb/connection.h>
#include <platform/adodb/row_dictionary.h>
#include <platform/automation/conversions.h>

#include <algorithm>
#include <cstdlib>

namespace client {

using automation::Variant;

namespace {

bool& ModalFlag() {
    static bool modal = false;
    return modal;
}

std::vector<std::shared_ptr<BillWindow>>& Windows() {
    static std::vector<std::shared_ptr<BillWindow>> windows;
    return windows;
}

// Windows unloaded since the last opening. A window must not be destroyed inside its own unload,
// so the list lets go of it only at the next opening.
std::vector<std::shared_ptr<BillWindow>>& Retired() {
    static std::vector<std::shared_ptr<BillWindow>> retired;
    return retired;
}

std::vector<BillWindowRecord>& History() {
    static std::vector<BillWindowRecord> history;
    return history;
}

adodb::ConnectionPtr OpenReadOnly(const std::string& connectionString) {
    auto cnn = std::make_shared<adodb::Connection>();
    cnn->Open(connectionString + ";Mode=Read");
    return cnn;
}

// The display name of a bill kind: the transaction type's or the class type's name.
std::string KindName(adodb::Connection& cnn, int32_t kind) {
    const bool classType = std::abs(static_cast<int64_t>(kind)) > 9999;
    auto rs = cnn.Execute(classType ? "SELECT FName FROM ICClassType WHERE FID=?"
                                    : "SELECT FName FROM ICTransActionType WHERE FID=?",
                          {Variant(static_cast<int32_t>(std::abs(static_cast<int64_t>(kind))))});
    return rs->Eof() ? "" : automation::CStr(rs->Value("FName"));
}

int32_t ListValue(const adodb::RecordsetPtr& list, const std::string& column) {
    const auto value = list->Value(column);
    return value.IsNull() || value.IsEmpty() ? 0 : automation::CLng(value);
}

}  // namespace

BillWindow::BillWindow(BillWindowRequest request)
    : windowing::Form("frmBill"), request_(std::move(request)) {}

int32_t BillWindow::Position() const {
    const auto& list = request_.List;
    if (!list || list->Eof() || list->BOF()) return 0;
    return list->AbsolutePosition();
}

int32_t BillWindow::RowCount() const { return request_.List ? request_.List->RecordCount() : 0; }

bool BillWindow::MoveFirst() {
    if (RowCount() == 0) return false;
    request_.List->MoveFirst();
    ReadCurrentBill();
    return true;
}

bool BillWindow::MovePrevious() {
    if (Position() <= 1) return false;
    request_.List->MovePrevious();
    ReadCurrentBill();
    return true;
}

bool BillWindow::MoveNext() {
    if (Position() == 0 || Position() >= RowCount()) return false;
    request_.List->MoveNext();
    ReadCurrentBill();
    return true;
}

bool BillWindow::MoveLast() {
    if (RowCount() == 0) return false;
    request_.List->MoveLast();
    ReadCurrentBill();
    return true;
}

void BillWindow::ReadCurrentBill() {
    bill_.reset();
    sheet_ = {};
    interId_ = 0;
    tranType_ = request_.BillType;
    const auto& list = request_.List;
    if (list && !list->Eof() && !list->BOF()) {
        interId_ = ListValue(list, request_.IdColumn);
        tranType_ = ListValue(list, request_.TypeColumn);
    }
    auto cnn = OpenReadOnly(request_.ConnectionString);
    const auto table = FindBillTable(tranType_);
    std::string caption = SessionCaptions()(KindName(*cnn, tranType_));
    if (table && interId_ != 0) {
        auto rs =
            cnn->Execute("SELECT * FROM " + table->Table + " WHERE " + table->KeyColumn + "=?",
                         {Variant(interId_)});
        if (!rs->Eof()) bill_ = adodb::CurrentRowAsDictionary(*rs);
        if (bill_) sheet_ = ReadBillSheet(*cnn, table->Table, interId_);
    }
    if (bill_ && table && !table->NumberColumn.empty())
        caption += " - " + automation::CStr(bill_->Item(table->NumberColumn, ""));
    sheet_.caption = caption;
    SetCaption(caption);
}

std::string BillWindow::Render() const { return Caption() + "\n" + RenderBillSheet(sheet_); }

void BillWindow::Open() {
    Retired().clear();
    ReadCurrentBill();
    BillWindowRecord record{request_, interId_, tranType_, Position(), RowCount(), ""};
    const auto table = FindBillTable(tranType_);
    if (bill_ && table && !table->NumberColumn.empty())
        record.BillNo = automation::CStr(bill_->Item(table->NumberColumn, ""));
    History().push_back(record);
    auto self = std::static_pointer_cast<BillWindow>(shared_from_this());
    Windows().push_back(self);
    Show(ModalFlag() ? windowing::vbModal : windowing::vbModeless);
}

void BillWindow::Form_Unload(int16_t& /*Cancel*/) {
    auto& windows = Windows();
    const auto self = std::find_if(windows.begin(), windows.end(),
                                   [this](const auto& window) { return window.get() == this; });
    if (self == windows.end()) return;
    Retired().push_back(*self);
    windows.erase(self);
}

void SetBillWindowsModal(bool modal) { ModalFlag() = modal; }

std::vector<std::shared_ptr<BillWindow>> OpenBillWindows() { return Windows(); }
const std::vector<BillWindowRecord>& BillWindowHistory() { return History(); }
void ClearBillWindowHistory() {
    History().clear();
    auto windows = Windows();
    for (auto& window : windows) window->Unload();
    Windows().clear();
}

}  // namespace client
