#include <apps/gui/start_flow.h>

#include <faces/qt/start/keyring.h>
#include <faces/qt/start/start_window.h>
#include <faces/text/tracking_run.h>

#include <components/erp_database/erp_schema.h>
#include <harness/erp_database_open.h>
#include <harness/task_order_selection.h>
#include <platform/adodb/connection.h>
#include <platform/automation/collections.h>
#include <platform/automation/conversions.h>
#include <platform/automation/strings.h>

#include <QMessageBox>

namespace apps {

namespace {

namespace erp = client::erp_database;

void KeepPassword(const harness::Profile& profile, const std::string& password) {
    if (password.empty() || erp::IsDatabaseFile(profile.database)) return;
    adodb::KeepPassword(erp::ConnectionStringFor(profile.database), password);
}

std::string TestConnection(const harness::Profile& profile, const std::string& password) {
    KeepPassword(profile, password);
    auto connection = harness::OpenErpDatabase(profile.database);
    harness::LookUpUserId(*connection, profile.userName);
    return "";
}

std::vector<std::string> TaskOrderNumbers(const harness::Profile& profile,
                                          const std::string& password, const std::string& subId) {
    KeepPassword(profile, password);
    auto connection = harness::OpenErpDatabase(profile.database);
    const auto selection = harness::SelectTaskOrders(*connection, subId, {});
    std::vector<std::string> numbers;
    for (int32_t i = 1; i <= selection.bills->Count(); ++i) {
        const auto bill = selection.bills->Item(i).As<automation::Dictionary>();
        if (bill) numbers.push_back(automation::CStr(bill->Item("FBillNo")));
    }
    return numbers;
}

std::vector<std::string> Numbers(const std::string& typed) {
    std::vector<std::string> numbers;
    for (const auto& part : automation::Split(typed, ",")) {
        const std::string number = automation::TrimWhitespace(part);
        if (!number.empty()) numbers.push_back(number);
    }
    return numbers;
}

void FillCommon(harness::TrackingOptions& options, const qtgui::StartChoice& choice) {
    options.database = choice.profile.database;
    options.profile = choice.profile.name;
    options.userName = choice.profile.userName;
    options.language = automation::UCase(choice.profile.language);
}

// Opens the tracker chosen; std::exception with the reason when it cannot.
int OpenTracker(const qtgui::StartChoice& choice, const GuiOptions& gui, std::ostream& out,
                std::ostream& err) {
    const auto& tracker = choice.tracker;
    const bool byNumber = tracker.selection != "all";
    if (tracker.verb == "seorder") {
        harness::SeOrderOptions options;
        FillCommon(options, choice);
        options.type = tracker.type;
        if (byNumber) options.orders = Numbers(tracker.numbers);
        return RunGui(textface::PrepareSeOrder(options), options, gui, out, err);
    }
    harness::IcmoOptions options;
    FillCommon(options, choice);
    options.subId = tracker.subId;
    if (byNumber) options.billNumbers = Numbers(tracker.numbers);
    return RunGui(textface::PrepareIcmo(options), options, gui, out, err);
}

}  // namespace

void UseKeptPassword(const harness::Profile& profile) {
    if (erp::IsDatabaseFile(profile.database)) return;
    if (auto kept = qtgui::Keyring().Read(profile.name)) KeepPassword(profile, *kept);
}

int RunStartWindow(const GuiOptions& gui, std::ostream& out, std::ostream& err) {
    harness::ProfileStore store;
    qtgui::Keyring keyring;
    qtgui::StartServices services;
    services.store = &store;
    services.keyring = &keyring;
    services.test = TestConnection;
    services.taskOrders = TaskOrderNumbers;
    for (;;) {
        qtgui::StartWindow window(services);
        if (window.exec() != QDialog::Accepted) return 0;
        const qtgui::StartChoice choice = window.Choice();
        try {
            store.SetLast(choice.profile.name, choice.tracker);
        } catch (const std::exception&) {
            // The choice is only shown first next time; the tracker opens all the same.
        }
        KeepPassword(choice.profile, choice.password);
        try {
            return OpenTracker(choice, gui, out, err);
        } catch (const std::exception& failed) {
            QMessageBox::warning(nullptr, window.windowTitle(),
                                 QString::fromStdString(failed.what()));
        }
    }
}

}  // namespace apps
