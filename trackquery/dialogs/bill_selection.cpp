// Bill selection through the list dialog over the client's list control.

#include <trackquery/dialogs/bill_selection.h>

#include <contracts/erp_kinds.h>
#include <trackquery/dialogs/frmList.h>
#include <trackquery/services/BillFunc.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>
#include <trackquery/services/quiet_failures.h>

#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/msgbox.h>

namespace trackquery {

namespace {

constexpr char kSelBillLogKey[] = "QzICMOTrackQuery.modTrackQuery.CallSelBill";

// Closes the selection's own connection and unloads its dialog on every way out: a failed or
// cancelled selection leaves neither behind.
class SelectionResources {
  public:
    ~SelectionResources() { Release(); }
    void Release() {
        try {
            if (dialog) dialog->Unload();
        } catch (const automation::RuntimeError&) {
            // Unloading the list dialog ignores the control's failures.
        }
        try {
            if (cnn && cnn->State() == adodb::adStateOpen) cnn->Close();
        } catch (const automation::RuntimeError&) {
            // A connection that cannot close has nothing more to give.
        }
        dialog.reset();
        cnn.reset();
    }
    adodb::ConnectionPtr cnn;
    std::shared_ptr<frmList> dialog;
};

// Sets the list dialog's properties in the order the list control expects them.
void PrepareListDialog(frmList& dialog, const std::string& baseInfo, int32_t listId,
                       const adodb::Connection& cnn, const std::string& filter, bool filterFirst) {
    dialog.SetBaseInfo(baseInfo);
    dialog.SetListID(listId);
    dialog.SetListShowStatus(2);
    dialog.SetLocalCnn(cnn.ConnectionString());
    dialog.SetMultiSelect(true);
    dialog.SetDestBillTransType(listId == kSalesOrderList ? "81" : "");
    dialog.SetSelectFlag(filterFirst ? 1 : 0);
    dialog.SetFilter(filter);
}

// A list the control could not open says why, and goes to the log: the list dialog closes
// before it shows, and F7 would otherwise seem to do nothing.
void TellOpenFailure(const std::string& failure, ProcLog& log) {
    LogFailure(kSelBillLogKey,
               automation::RuntimeError(automation::vberr::ObjectError, kICListProgId, failure));
    log.MarkFailed();
    InformationBox(LoadResText("读取数据失败，原因：") + WithoutStatement(failure));
}

automation::VectorPtr NonEmpty(const automation::VectorPtr& selection) {
    return selection && selection->UBound() != 0 ? selection : nullptr;
}

}  // namespace

automation::VectorPtr CallSelBill(int32_t listId, const std::string& filter, bool filterFirst,
                                  bool /*reserved*/) {
    ProcLog log(kSelBillLogKey);
    automation::VectorPtr selection;
    SelectionResources resources;
    try {
        const std::string baseInfo = GetBaseInfo(GetPropsString());
        resources.cnn = std::make_shared<adodb::Connection>();
        resources.cnn->Open(ReadErpSwitch());
        resources.dialog = std::make_shared<frmList>();
        frmList& dialog = *resources.dialog;
        dialog.Load();
        PrepareListDialog(dialog, baseInfo, listId, *resources.cnn, filter, filterFirst);
        dialog.InitData();
        if (dialog.OK()) {
            dialog.Show(windowing::vbModal);
            windowing::DoEvents();
        }
        if (!dialog.OK()) {
            if (!dialog.OpenFailure().empty()) TellOpenFailure(dialog.OpenFailure(), log);
            automation::Err().Clear();
            return nullptr;
        }
        selection = dialog.Selected();
        return NonEmpty(selection);
    } catch (const automation::RuntimeError& error) {
        resources.Release();
        InformationBox(LoadResText(error.Description()));
        log.MarkFailed();
        return NonEmpty(selection);
    }
}

}  // namespace trackquery
