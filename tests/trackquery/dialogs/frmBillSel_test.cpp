// The bill option dialog against a fixture ERP database and the SQLite middle tier: what it
// lists, how the operation record kind and its package kinds stay consistent, and how the
// choice is saved, refused or reported as failed.

#include <trackquery/dialogs/frmBillSel.h>

#include <contracts/middle_tier.h>
#include <trackquery/services/MMTS.h>

#include <components/erp_database/demo_database.h>
#include <components/erp_database/erp_schema.h>
#include <components/erp_database/sqlite_database.h>
#include <components/middle_tier/middle_tier_servers.h>
#include <components/middle_tier/register_middle_tier.h>
#include <components/resources/register_resources.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/screen.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace erp = client::erp_database;
using automation::RuntimeError;
using automation::Variant;
using trackquery::frmBillSel;

constexpr int32_t kUser = erp::kAdministratorID;
constexpr const char* kEmptyChoice = "请选择至少一个单据！";

// The operation record kind and the six kinds shown under an operation record, by option key.
const std::vector<std::string> kPackageKeys = {"P01-502", "P02-581", "P03-582",
                                               "P04-710", "P05-715", "P061002504"};

// Saves through the real server and keeps every value list it was handed.
class RecordingSetICMOQuery : public client::middle_tier::SetICMOQueryServer {
  public:
    explicit RecordingSetICMOQuery(std::shared_ptr<std::vector<std::string>> received)
        : received_(std::move(received)) {}
    bool SetBillOption(const std::string& sProps, const std::string& sBillType, int32_t lUserID,
                       const std::string& sValues) override {
        received_->push_back(sValues);
        return SetICMOQueryServer::SetBillOption(sProps, sBillType, lUserID, sValues);
    }

  private:
    std::shared_ptr<std::vector<std::string>> received_;
};

// A server whose save fails in a chosen way, for the failure paths that data cannot make.
class FailingSetICMOQuery : public client::middle_tier::SetICMOQueryServer {
  public:
    explicit FailingSetICMOQuery(std::function<bool()> answer) : answer_(std::move(answer)) {}
    bool SetBillOption(const std::string&, const std::string&, int32_t,
                       const std::string&) override {
        return answer_();
    }

  private:
    std::function<bool()> answer_;
};

// A server whose bill options come from a fabricated record set instead of the database.
class FabricatedGetICMOQuery : public client::middle_tier::GetICMOQueryServer {
  public:
    explicit FabricatedGetICMOQuery(trackquery::RecordsetPtr rs) : rs_(std::move(rs)) {}
    trackquery::RecordsetPtr GetBillOption(const std::string&, const std::string&, const Variant&,
                                           bool) override {
        return rs_;
    }

  private:
    trackquery::RecordsetPtr rs_;
};

std::string TempDatabasePath() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return (std::filesystem::path(::testing::TempDir()) /
            ("billsel_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
             std::to_string(::getpid()) + ".db"))
        .string();
}

class BillSelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        trackquery::ResetMMTSState();
        auto& registry = automation::ComponentRegistry::Instance();
        registry.Clear();
        client::RegisterSessionComponents();
        client::RegisterResourceComponents();
        client::RegisterMiddleTier();
        path_ = TempDatabasePath();
        erp::BuildFixture(path_, {});
        UseLanguage("chs");
        automation::Err().Clear();
    }

    void TearDown() override {
        automation::ComponentRegistry::Instance().Clear();
        client::ClearSessionProperties();
        trackquery::ResetMMTSState();
        automation::Err().Clear();
        std::filesystem::remove(path_);
    }

    void UseLanguage(const std::string& language) {
        client::SetPropsString(erp::PropsStringFor(path_, kUser, "administrator", "CJ", language));
    }

    std::shared_ptr<frmBillSel> NewDialog(const std::string& billType = "ICMOTrack") {
        auto dialog = std::make_shared<frmBillSel>();
        dialog->SetBillType(billType);
        dialog->SetUserID(kUser);
        return dialog;
    }

    // A dialog loaded as the modal showing would load it, for steps that need no modal loop.
    std::shared_ptr<frmBillSel> LoadedDialog(const std::string& billType = "ICMOTrack") {
        auto dialog = NewDialog(billType);
        dialog->Load();
        return dialog;
    }

    // The value list the user's choice is saved as, straight from the database.
    std::vector<std::string> SavedKeys(const std::string& billType = "ICMOTrack") const {
        erp::SqliteDatabase db(path_, false);
        auto statement = db.Prepare(
            "SELECT FKey FROM ICTrackOptionUser WHERE FOptionKey = ?1 AND FUserID = ?2 "
            "AND FValue = 1 ORDER BY FKey");
        std::vector<std::string> keys;
        for (bool row = statement.Query({billType, int64_t{kUser}}); row; row = statement.Next()) {
            keys.push_back(statement.ColumnText(0));
        }
        return keys;
    }

    int64_t SavedRowCount() const {
        erp::SqliteDatabase db(path_, false);
        return db.QueryInt("SELECT COUNT(*) FROM ICTrackOptionUser");
    }

    void RegisterSetServer(std::function<std::shared_ptr<automation::Object>()> factory) {
        automation::ComponentRegistry::Instance().Register(trackquery::kProgIdSetICMOQuery,
                                                           std::move(factory));
    }

    void RegisterFailingSave(std::function<bool()> answer) {
        RegisterSetServer([answer] { return std::make_shared<FailingSetICMOQuery>(answer); });
    }

    windowing::ScopedHeadless headless;
    std::string path_;
};

windowing::ListItemPtr Item(frmBillSel& dialog, const std::string& key) {
    return dialog.lvwBillType->GetListItems().Item(key);
}

bool Checked(frmBillSel& dialog, const std::string& key) { return Item(dialog, key)->Checked(); }

std::vector<std::string> CheckedKeys(frmBillSel& dialog) {
    std::vector<std::string> keys;
    for (const auto& item : dialog.lvwBillType->GetListItems().Items()) {
        if (item->Checked()) keys.push_back(item->Key());
    }
    return keys;
}

void UncheckAll(frmBillSel& dialog) {
    for (const auto& item : dialog.lvwBillType->GetListItems().Items()) item->SetChecked(false);
}

// --- Loading the list --------------------------------------------------------------------------

using BillSelLoad = BillSelTest;

TEST_F(BillSelLoad, ListsEveryKindOfTheOptionKeyInOptionOrder) {
    auto dialog = LoadedDialog();
    const auto& items = dialog->lvwBillType->GetListItems();
    ASSERT_EQ(items.Count(), 16);
    EXPECT_EQ(items.Item(1)->Key(), "A01-85");
    EXPECT_EQ(items.Item(1)->Text(), "生产任务单");
    EXPECT_EQ(items.Item(10)->Key(), "P00-52");
    EXPECT_EQ(items.Item(10)->Text(), "工序计划单");
    EXPECT_EQ(items.Item(16)->Key(), "P061002504");
}

TEST_F(BillSelLoad, TagIsTheKeyWithoutItsPrefix) {
    auto dialog = LoadedDialog();
    EXPECT_EQ(Item(*dialog, "P00-52")->Tag(), "-52");
    EXPECT_EQ(Item(*dialog, "A111007100")->Tag(), "1007100");
    EXPECT_EQ(Item(*dialog, "P061002504")->Tag(), "1002504");
}

TEST_F(BillSelLoad, ChecksAndSelectsTheKindsOfTheUsersCurrentChoice) {
    // No saved choice yet: the option defaults stand.
    auto dialog = LoadedDialog();
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"A02-88", "A04-24", "A06-2", "A10-81",
                                                              "P00-52", "P01-502"}));
    EXPECT_FALSE(Item(*dialog, "A01-85")->Selected());
    ASSERT_TRUE(dialog->lvwBillType->SelectedItem());
    EXPECT_TRUE(dialog->lvwBillType->SelectedItem()->Checked());
}

TEST_F(BillSelLoad, ShowsAChoiceSavedEarlier) {
    auto writer =
        automation::CreateObject<trackquery::CSetICMOQuery>(trackquery::kProgIdSetICMOQuery);
    ASSERT_TRUE(writer->SetBillOption(trackquery::GetPropsString(), "ICMOTrack", kUser,
                                      "'A01-85' ,'P00-52' ,'P04-710' "));
    auto dialog = LoadedDialog();
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"A01-85", "P00-52", "P04-710"}));
}

TEST_F(BillSelLoad, ListsOnlyTheKindsOfItsOwnOptionKey) {
    auto dialog = LoadedDialog("WWICMOTrack");
    const auto& items = dialog->lvwBillType->GetListItems();
    ASSERT_EQ(items.Count(), 9);
    EXPECT_EQ(items.Item(1)->Text(), "委外加工生产任务单");
    EXPECT_FALSE(items.Exists("P04-710"));
}

TEST_F(BillSelLoad, IsAReportWithCheckBoxesAndNoLabelEditing) {
    auto dialog = LoadedDialog();
    EXPECT_TRUE(dialog->lvwBillType->Checkboxes());
    EXPECT_EQ(dialog->lvwBillType->View(), windowing::lvwReport);
    EXPECT_EQ(dialog->lvwBillType->LabelEdit(), windowing::lvwManual);
    ASSERT_EQ(dialog->lvwBillType->GetColumnHeaders().Count(), 1);
    EXPECT_EQ(dialog->lvwBillType->GetColumnHeaders().Item(1).Text, "单据名称");
}

TEST_F(BillSelLoad, CaptionsAndPlacesOfTheControls) {
    auto dialog = LoadedDialog();
    EXPECT_EQ(dialog->Caption(), "单据选项设置");
    EXPECT_EQ(dialog->ScaleWidth(), 6135);
    EXPECT_EQ(dialog->ScaleHeight(), 4965);
    EXPECT_EQ(dialog->lvwBillType->Left(), 120);
    EXPECT_EQ(dialog->lvwBillType->Top(), 120);
    struct Expected {
        windowing::CommandButton* button;
        const char* caption;
        int32_t top;
    };
    for (const auto& [button, caption, top] : {Expected{dialog->cmdAll.get(), "全选(&S)", 120},
                                               Expected{dialog->cmdClear.get(), "全清(&C)", 600},
                                               Expected{dialog->CmdOK.get(), "确定(&O)", 3960},
                                               Expected{dialog->cmdExit.get(), "退出(&E)", 4440}}) {
        EXPECT_EQ(button->Caption(), caption);
        EXPECT_EQ(button->Left(), 4560);
        EXPECT_EQ(button->Top(), top);
        EXPECT_EQ(button->Width(), 1335);
        EXPECT_EQ(button->Height(), 375);
    }
}

TEST_F(BillSelLoad, CaptionsFollowTheSessionLanguage) {
    UseLanguage("en");
    auto dialog = LoadedDialog();
    EXPECT_EQ(dialog->Caption(), "Bill Options");
    EXPECT_EQ(dialog->lvwBillType->GetColumnHeaders().Item(1).Text, "Bill Name");
    EXPECT_EQ(dialog->cmdAll->Caption(), "&Select All");
    EXPECT_EQ(dialog->cmdClear->Caption(), "&Clear All");
    EXPECT_EQ(dialog->CmdOK->Caption(), "&OK");
    EXPECT_EQ(dialog->cmdExit->Caption(), "&Exit");
    EXPECT_EQ(dialog->FontName(), "Arial");
    EXPECT_EQ(dialog->CmdOK->FontName(), "Arial");
}

TEST_F(BillSelLoad, GetsTheFontsOfTheLanguage) {
    auto dialog = LoadedDialog();
    EXPECT_EQ(dialog->FontName(), "宋体");
    EXPECT_EQ(dialog->lvwBillType->FontName(), "宋体");
    EXPECT_DOUBLE_EQ(dialog->lvwBillType->FontSize(), 9);
}

TEST_F(BillSelLoad, ShowsTheHourglassWhileLoadingOnly) {
    auto dialog = LoadedDialog();
    EXPECT_EQ(headless->MousePointers(),
              (std::vector<int16_t>{windowing::vbHourglass, windowing::vbDefault}));
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
}

TEST_F(BillSelLoad, OKIsFalseAfterLoad) {
    auto dialog = LoadedDialog();
    EXPECT_FALSE(dialog->OK());
}

TEST_F(BillSelLoad, ReadsTheChoiceOfTheGivenUser) {
    auto writer =
        automation::CreateObject<trackquery::CSetICMOQuery>(trackquery::kProgIdSetICMOQuery);
    ASSERT_TRUE(writer->SetBillOption(trackquery::GetPropsString(), "ICMOTrack", erp::kPlannerID,
                                      "'A07-571' "));
    auto dialog = NewDialog();
    dialog->SetUserID(erp::kPlannerID);
    dialog->Load();
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"A07-571"}));
}

TEST_F(BillSelLoad, OnlyAValueOfOneChecksAnItem) {
    auto rs = adodb::Recordset::OpenWithFields(
        {{.Name = "FKey"}, {.Name = "FCaption"}, {.Name = "FValue"}});
    rs->LoadRow({Variant("A01-85"), Variant("生产任务单"), Variant("1")});
    rs->LoadRow({Variant("A02-88"), Variant("生产投料单"), automation::Null});
    rs->LoadRow({Variant("A04-24"), Variant("生产领料单"), Variant(2)});
    rs->LoadRow({Variant("A06-2"), Variant("产品入库单"), Variant(1.0)});
    automation::ComponentRegistry::Instance().Register(trackquery::kProgIdGetICMOQuery, [rs] {
        return std::make_shared<FabricatedGetICMOQuery>(rs);
    });
    auto dialog = LoadedDialog();
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"A01-85", "A06-2"}));
    EXPECT_TRUE(dialog->CmdOK->Enabled());
}

// --- A load that fails -------------------------------------------------------------------------

using BillSelLoadFailure = BillSelTest;

TEST_F(BillSelLoadFailure, KeepsTheItemsListedBeforeTheFailureAndTellsTheUser) {
    // The second row repeats the first key, which a list cannot hold.
    auto rs = adodb::Recordset::OpenWithFields(
        {{.Name = "FKey"}, {.Name = "FCaption"}, {.Name = "FValue"}});
    rs->LoadRow({Variant("A01-85"), Variant("生产任务单"), Variant(1)});
    rs->LoadRow({Variant("A01-85"), Variant("生产任务单"), Variant(0)});
    rs->LoadRow({Variant("A02-88"), Variant("生产投料单"), Variant(1)});
    automation::ComponentRegistry::Instance().Register(trackquery::kProgIdGetICMOQuery, [rs] {
        return std::make_shared<FabricatedGetICMOQuery>(rs);
    });
    headless->AnswerMsgBox("获取用户设置失败,原因：", windowing::vbOK);

    auto dialog = LoadedDialog();

    ASSERT_EQ(dialog->lvwBillType->GetListItems().Count(), 1);
    EXPECT_TRUE(Checked(*dialog, "A01-85"));
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
    EXPECT_TRUE(dialog->IsLoaded());
}

TEST_F(BillSelLoadFailure, AnIncompleteListCannotBeSaved) {
    // Saving a partial list would switch off every kind that was never listed.
    std::filesystem::remove(path_);
    headless->AnswerMsgBox("获取用户设置失败,原因：", windowing::vbOK);
    auto dialog = LoadedDialog();
    EXPECT_EQ(dialog->lvwBillType->GetListItems().Count(), 0);
    EXPECT_FALSE(dialog->CmdOK->Enabled());
    EXPECT_FALSE(dialog->CmdOK->Click());
    EXPECT_TRUE(dialog->cmdExit->Click());
    EXPECT_FALSE(dialog->IsLoaded());
}

TEST_F(BillSelLoadFailure, NoRecordSetIsAFailureToo) {
    automation::ComponentRegistry::Instance().Register(trackquery::kProgIdGetICMOQuery, [] {
        return std::make_shared<FabricatedGetICMOQuery>(nullptr);
    });
    headless->AnswerMsgBox("获取用户设置失败,原因：", windowing::vbOK);
    auto dialog = LoadedDialog();
    EXPECT_EQ(dialog->lvwBillType->GetListItems().Count(), 0);
    EXPECT_FALSE(dialog->CmdOK->Enabled());
}

// --- Check rules -------------------------------------------------------------------------------

using BillSelCheckRules = BillSelTest;

TEST_F(BillSelCheckRules, CheckingAPackageKindChecksTheOperationRecordKind) {
    auto dialog = LoadedDialog();
    UncheckAll(*dialog);
    ASSERT_TRUE(dialog->lvwBillType->ClickCheckBox(Item(*dialog, "P04-710")));
    EXPECT_TRUE(Checked(*dialog, "P04-710"));
    EXPECT_TRUE(Checked(*dialog, "P00-52"));
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"P00-52", "P04-710"}));
}

TEST_F(BillSelCheckRules, EveryPackageKindPullsInTheOperationRecordKind) {
    auto dialog = LoadedDialog();
    for (const auto& key : kPackageKeys) {
        UncheckAll(*dialog);
        dialog->lvwBillType->ClickCheckBox(Item(*dialog, key));
        EXPECT_TRUE(Checked(*dialog, "P00-52")) << key;
        EXPECT_EQ(CheckedKeys(*dialog).size(), 2u) << key;
    }
}

TEST_F(BillSelCheckRules, UncheckingTheOperationRecordKindClearsAllSixPackageKinds) {
    auto dialog = LoadedDialog();
    dialog->cmdAll->Click();
    ASSERT_TRUE(dialog->lvwBillType->ClickCheckBox(Item(*dialog, "P00-52")));
    EXPECT_FALSE(Checked(*dialog, "P00-52"));
    for (const auto& key : kPackageKeys) EXPECT_FALSE(Checked(*dialog, key)) << key;
    // The ordinary kinds are left alone.
    EXPECT_EQ(CheckedKeys(*dialog).size(), 9u);
    EXPECT_TRUE(Checked(*dialog, "A01-85"));
}

TEST_F(BillSelCheckRules, CheckingTheOperationRecordKindChecksNoPackageKind) {
    auto dialog = LoadedDialog();
    UncheckAll(*dialog);
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "P00-52"));
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"P00-52"}));
}

TEST_F(BillSelCheckRules, UncheckingAPackageKindKeepsTheOperationRecordKind) {
    auto dialog = LoadedDialog();
    ASSERT_TRUE(Checked(*dialog, "P01-502"));
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "P01-502"));
    EXPECT_FALSE(Checked(*dialog, "P01-502"));
    EXPECT_TRUE(Checked(*dialog, "P00-52"));
}

TEST_F(BillSelCheckRules, OrdinaryKindsChangeNothingElse) {
    auto dialog = LoadedDialog();
    UncheckAll(*dialog);
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "A10-81"));
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "A111007100"));
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"A10-81", "A111007100"}));
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "A10-81"));
    EXPECT_EQ(CheckedKeys(*dialog), (std::vector<std::string>{"A111007100"}));
}

TEST_F(BillSelCheckRules, KindsMissingFromTheListAreSkipped) {
    // The outsourcing tracker offers two of the six package kinds only.
    auto dialog = LoadedDialog("WWICMOTrack");
    dialog->cmdAll->Click();
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "P00-52"));
    EXPECT_FALSE(Checked(*dialog, "P02-581"));
    EXPECT_FALSE(Checked(*dialog, "P03-582"));
    EXPECT_TRUE(Checked(*dialog, "A01-571"));
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "P03-582"));
    EXPECT_TRUE(Checked(*dialog, "P00-52"));
}

TEST_F(BillSelCheckRules, SelectAllAndClearAllChangeEveryItem) {
    auto dialog = LoadedDialog();
    ASSERT_TRUE(dialog->cmdAll->Click());
    EXPECT_EQ(CheckedKeys(*dialog).size(), 16u);
    ASSERT_TRUE(dialog->cmdClear->Click());
    EXPECT_TRUE(CheckedKeys(*dialog).empty());
}

TEST_F(BillSelCheckRules, ChecksFromCodeFollowNoRule) {
    // Only the user's click raises the rules; the bulk buttons set the items from code.
    auto dialog = LoadedDialog();
    UncheckAll(*dialog);
    Item(*dialog, "P04-710")->SetChecked(true);
    EXPECT_FALSE(Checked(*dialog, "P00-52"));
}

// --- 确定: refusing an empty choice --------------------------------------------------------------

using BillSelConfirmEmpty = BillSelTest;

TEST_F(BillSelConfirmEmpty, NothingCheckedShowsTheMessageAndStays) {
    auto dialog = LoadedDialog();
    UncheckAll(*dialog);
    headless->AnswerMsgBox(kEmptyChoice, windowing::vbOK);
    ASSERT_TRUE(dialog->CmdOK->Click());
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless->MessageBoxes()[0].Prompt, kEmptyChoice);
    EXPECT_EQ(headless->MessageBoxes()[0].Title, "Velo提示");
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_TRUE(dialog->OK());
    EXPECT_EQ(SavedRowCount(), 0);
}

TEST_F(BillSelConfirmEmpty, ClearAllThenConfirmIsRefused) {
    auto dialog = LoadedDialog();
    dialog->cmdClear->Click();
    headless->AnswerMsgBox(kEmptyChoice, windowing::vbOK);
    dialog->CmdOK->Click();
    EXPECT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_EQ(SavedRowCount(), 0);
}

TEST_F(BillSelConfirmEmpty, TheMessageFollowsTheSessionLanguage) {
    UseLanguage("en");
    auto dialog = LoadedDialog();
    dialog->cmdClear->Click();
    headless->AnswerMsgBox("Please select at least one bill!", windowing::vbOK);
    dialog->CmdOK->Click();
    EXPECT_EQ(headless->MessageBoxes().size(), 1u);
}

TEST_F(BillSelConfirmEmpty, LeavingAfterARefusalStillReportsOK) {
    auto dialog = NewDialog();
    headless->AnswerMsgBox(kEmptyChoice, windowing::vbOK);
    headless->AddModalStep("frmBillSel", [](windowing::Form& form) {
        auto& billSel = dynamic_cast<frmBillSel&>(form);
        billSel.cmdClear->Click();
        billSel.CmdOK->Click();
        billSel.cmdExit->Click();
    });
    dialog->Show(windowing::vbModal);
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_TRUE(dialog->OK());
    EXPECT_EQ(SavedRowCount(), 0);
    EXPECT_TRUE(headless->Failures().empty());
}

// --- 确定: saving the choice ---------------------------------------------------------------------

using BillSelSave = BillSelTest;

TEST_F(BillSelSave, TheValueListQuotesEachKeyFollowedByABlankAndAComma) {
    auto dialog = LoadedDialog();
    UncheckAll(*dialog);
    Item(*dialog, "A01-85")->SetChecked(true);
    EXPECT_EQ(dialog->CheckedValueList(), "'A01-85' ");
    Item(*dialog, "A10-81")->SetChecked(true);
    Item(*dialog, "P00-52")->SetChecked(true);
    EXPECT_EQ(dialog->CheckedValueList(), "'A01-85' ,'A10-81' ,'P00-52' ");
    UncheckAll(*dialog);
    EXPECT_EQ(dialog->CheckedValueList(), "");
}

TEST_F(BillSelSave, TheServerReceivesTheValueListAndTheChoicePersists) {
    auto received = std::make_shared<std::vector<std::string>>();
    RegisterSetServer([received] { return std::make_shared<RecordingSetICMOQuery>(received); });
    auto dialog = LoadedDialog();
    dialog->cmdClear->Click();
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "A01-85"));
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "P05-715"));

    ASSERT_TRUE(dialog->CmdOK->Click());

    ASSERT_EQ(received->size(), 1u);
    EXPECT_EQ((*received)[0], "'A01-85' ,'P00-52' ,'P05-715' ");
    EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"A01-85", "P00-52", "P05-715"}));
    auto again = LoadedDialog();
    EXPECT_EQ(CheckedKeys(*again), (std::vector<std::string>{"A01-85", "P00-52", "P05-715"}));
}

TEST_F(BillSelSave, ASuccessfulSaveClosesTheModalDialogWithOK) {
    auto dialog = NewDialog();
    headless->AddModalStep("frmBillSel", [](windowing::Form& form) {
        auto& billSel = dynamic_cast<frmBillSel&>(form);
        billSel.cmdAll->Click();
        billSel.CmdOK->Click();
    });
    dialog->Show(windowing::vbModal);
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_TRUE(dialog->OK());
    EXPECT_EQ(SavedKeys().size(), 16u);
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(BillSelSave, SavesUnderTheDialogsOptionKeyAndUser) {
    auto dialog = NewDialog("REPICMOTrack");
    dialog->SetUserID(erp::kPlannerID);
    dialog->Load();
    dialog->cmdClear->Click();
    dialog->lvwBillType->ClickCheckBox(Item(*dialog, "A06-2"));
    dialog->CmdOK->Click();
    EXPECT_TRUE(SavedKeys("REPICMOTrack").empty());  // not the administrator's
    erp::SqliteDatabase db(path_, false);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICTrackOptionUser WHERE FOptionKey = "
                          "'REPICMOTrack' AND FUserID = 16395 AND FKey = 'A06-2' AND FValue = 1"),
              1);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICTrackOptionUser WHERE FOptionKey = 'ICMOTrack'"),
              0);
}

TEST_F(BillSelSave, ExitLeavesWithoutSaving) {
    auto dialog = NewDialog();
    headless->AddModalStep("frmBillSel", [](windowing::Form& form) {
        auto& billSel = dynamic_cast<frmBillSel&>(form);
        billSel.cmdAll->Click();
        billSel.cmdExit->Click();
    });
    dialog->Show(windowing::vbModal);
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_FALSE(dialog->OK());
    EXPECT_EQ(SavedRowCount(), 0);
}

// --- 确定: a save that fails ---------------------------------------------------------------------

using BillSelSaveFailure = BillSelTest;

TEST_F(BillSelSaveFailure, FalseWithAPendingErrorReachesTheCaller) {
    RegisterFailingSave([] {
        automation::Err().Set(RuntimeError(3704, "QzMICMOTrackQuery.CSetICMOQuery", "库已关闭"));
        return false;
    });
    auto dialog = LoadedDialog();
    try {
        dialog->CmdOK->Click();
        FAIL() << "the failed save was not reported";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 3704);
        EXPECT_EQ(error.Description(), "库已关闭");
        EXPECT_EQ(error.Source(), "");
    }
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_TRUE(dialog->OK());
}

TEST_F(BillSelSaveFailure, AnErrorRaisedByTheServerReachesTheCallerWithoutItsSource) {
    RegisterFailingSave([]() -> bool {
        automation::Raise(automation::vberr::ObjectError + 1,
                          "QzMICMOTrackQuery.CSetICMOQuery.SetBillOption", "磁盘已满");
    });
    auto dialog = LoadedDialog();
    try {
        dialog->CmdOK->Click();
        FAIL() << "the failed save was not reported";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::ObjectError + 1);
        EXPECT_EQ(error.Description(), "磁盘已满");
        EXPECT_EQ(error.Source(), "");
    }
    EXPECT_TRUE(dialog->IsLoaded());
}

TEST_F(BillSelSaveFailure, TheModalCallerSeesTheError) {
    RegisterFailingSave([] {
        automation::Err().Set(RuntimeError(3704, "server", "库已关闭"));
        return false;
    });
    auto dialog = NewDialog();
    headless->AddModalStep("frmBillSel", [](windowing::Form& form) {
        dynamic_cast<frmBillSel&>(form).CmdOK->Click();
    });
    try {
        dialog->Show(windowing::vbModal);
        FAIL() << "the failed save was not reported";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 3704);
        EXPECT_EQ(error.Source(), "");
    }
}

TEST_F(BillSelSaveFailure, FalseWithoutAnErrorStaysOpenSilently) {
    RegisterFailingSave([] { return false; });
    auto dialog = LoadedDialog();
    EXPECT_NO_THROW(dialog->CmdOK->Click());
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_TRUE(dialog->OK());
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(BillSelSaveFailure, AnErrorLeftFromEarlierIsNotTakenForTheServers) {
    RegisterFailingSave([] { return false; });
    auto dialog = LoadedDialog();
    automation::Err().Set(RuntimeError(5, "earlier", "an old failure"));
    EXPECT_NO_THROW(dialog->CmdOK->Click());
    EXPECT_TRUE(dialog->IsLoaded());
}

TEST_F(BillSelSaveFailure, AKeyTheServerDoesNotKnowSavesNothing) {
    // The real server refuses the whole list when one key is not an option of the set.
    auto rs = adodb::Recordset::OpenWithFields(
        {{.Name = "FKey"}, {.Name = "FCaption"}, {.Name = "FValue"}});
    rs->LoadRow({Variant("A01-85"), Variant("生产任务单"), Variant(1)});
    rs->LoadRow({Variant("Z99-9999"), Variant("未知单据"), Variant(1)});
    automation::ComponentRegistry::Instance().Register(trackquery::kProgIdGetICMOQuery, [rs] {
        return std::make_shared<FabricatedGetICMOQuery>(rs);
    });
    auto dialog = LoadedDialog();
    ASSERT_EQ(dialog->lvwBillType->GetListItems().Count(), 2);
    try {
        dialog->CmdOK->Click();
        FAIL() << "the refused save was not reported";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Source(), "");
        EXPECT_NE(error.Description().find("Z99-9999"), std::string::npos) << error.Description();
    }
    EXPECT_EQ(SavedRowCount(), 0);
    EXPECT_TRUE(dialog->IsLoaded());
}

}  // namespace
