// The list selection dialog around the bill list control.

#include <support/session_resources.h>

#include <trackquery/dialogs/frmList.h>
#include <trackquery/services/MMTS.h>

#include <components/resources/register_resources.h>
#include <components/resources/res_loader.h>
#include <components/session/lang_info.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>

#include <platform/automation/registry.h>
#include <platform/windowing/headless_backend.h>

#include <gtest/gtest.h>

namespace {

// A list control whose answers the test sets, and which counts what the form asks of it.
class FakeList : public trackquery::IICList {
  public:
    std::string TypeName() const override { return "ICList"; }

    bool opens = true;
    bool ready = true;
    bool acceptsSelection = true;
    bool cleanupFails = false;
    std::string name = "生产任务单";
    int cleanups = 0;

    bool OpenList() override { return opens; }
    bool IsReadyToShow() override { return ready; }
    automation::VectorPtr ListDescriptions() override {
        auto description = std::make_shared<automation::Dictionary>();
        description->SetItem("FName", name);
        auto descriptions = std::make_shared<automation::Vector>();
        descriptions->Add(description);
        return descriptions;
    }
    bool CanTakeSelection() override { return acceptsSelection; }
    automation::VectorPtr Selected() override {
        auto row = std::make_shared<automation::Dictionary>();
        row->SetItem("FInterID", 7);
        return std::make_shared<automation::Vector>(std::vector<automation::Variant>{row});
    }
    automation::VectorPtr GetListFieldsDes() override {
        return std::make_shared<automation::Vector>();
    }
    trackquery::RecordsetPtr GetListRs() override { return nullptr; }
    void Cleanup() override {
        ++cleanups;
        if (cleanupFails) automation::Raise(automation::vberr::ObjectError + 1, "QzList.ICList");
    }
};

class FrmListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        trackquery::ResetMMTSState();
        trackquery::testing::UseFreshSessionWithSourceResources();
        UseLanguage("chs");
        list_ = std::make_shared<FakeList>();
        auto list = list_;
        automation::ComponentRegistry::Instance().Register(trackquery::kICListProgId,
                                                           [list] { return list; });
    }
    void TearDown() override {
        trackquery::ResetMMTSState();
        client::ClearSessionProperties();
    }

    static void UseLanguage(const std::string& language) {
        client::SetPropsString(
            "ConnectString={Provider=SQLite;Data Source=/tmp/erp.db};"
            "UserID=16394;UserName=administrator;SubID=CJ;Language=" +
            language + ";");
    }

    std::shared_ptr<trackquery::frmList> LoadedDialog() {
        auto dialog = std::make_shared<trackquery::frmList>();
        dialog->Load();
        return dialog;
    }

    windowing::ScopedHeadless headless_;
    std::shared_ptr<FakeList> list_;
};

// --- Loading and InitData ---------------------------------------------------------------------

TEST_F(FrmListTest, LoadingPlacesTheControlAndClearsOK) {
    list_->Left = 300;
    list_->Top = 200;
    auto dialog = LoadedDialog();
    EXPECT_TRUE(list_->InForm);
    EXPECT_EQ(list_->Left, 0);
    EXPECT_EQ(list_->Top, 0);
    EXPECT_FALSE(dialog->OK());
    EXPECT_EQ(dialog->Caption(), "##");
}

TEST_F(FrmListTest, ListThatCannotOpenLeavesOKFalseAndTheCaption) {
    list_->opens = false;
    auto dialog = LoadedDialog();
    dialog->InitData();
    EXPECT_FALSE(dialog->OK());
    EXPECT_EQ(dialog->Caption(), "##");
}

TEST_F(FrmListTest, OpenedListTitlesTheForm) {
    auto dialog = LoadedDialog();
    dialog->InitData();
    EXPECT_TRUE(dialog->OK());
    EXPECT_EQ(dialog->Caption(), "生产任务单序时薄");
}

TEST_F(FrmListTest, ListNotReadyIsTitledButNotOK) {
    list_->ready = false;
    auto dialog = LoadedDialog();
    dialog->InitData();
    EXPECT_FALSE(dialog->OK());
    EXPECT_EQ(dialog->Caption(), "生产任务单序时薄");
}

TEST_F(FrmListTest, EnglishPutsASpaceBeforeTheTranslatedWord) {
    UseLanguage("en");
    list_->name = "Task Orders";
    auto dialog = LoadedDialog();
    dialog->InitData();
    EXPECT_EQ(dialog->Caption(), "Task Orders " + trackquery::LoadResText("序时薄"));
    EXPECT_EQ(dialog->Caption(), "Task Orders List");
}

TEST_F(FrmListTest, PropertiesPassThroughToTheControl) {
    auto dialog = LoadedDialog();
    bool multiRows = true;
    dialog->SetListID(620);
    dialog->SetBaseInfo("cnn|1|a");
    dialog->SetLocalCnn("Data Source=/x.db");
    dialog->SetListShowStatus(2);
    dialog->SetMultiSelect(true);
    dialog->SetCanSelectMultiRow(multiRows);
    dialog->SetSelectFlag(1);
    dialog->SetDestBillTransType("81");
    dialog->SetFilter(" v1.FTrantype=571 ");
    EXPECT_EQ(list_->ListID, 620);
    EXPECT_EQ(list_->BaseInfo, "cnn|1|a");
    EXPECT_EQ(list_->LocalCnn, "Data Source=/x.db");
    EXPECT_EQ(list_->ListShowStatus, 2);
    EXPECT_TRUE(list_->MultiSelect);
    EXPECT_TRUE(list_->CanSelectMultiRow);
    EXPECT_EQ(list_->SelectFlag, 1);
    EXPECT_EQ(dialog->DestBillTransType(), "81");
    EXPECT_EQ(list_->Filter, " v1.FTrantype=571 ");
}

TEST_F(FrmListTest, MissingListControlFailsAtCreation) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kICListProgId);
    EXPECT_THROW(trackquery::frmList(), automation::RuntimeError);
}

// --- Commands ---------------------------------------------------------------------------------

TEST_F(FrmListTest, ConfirmedSelectionEndsTheModalShowingWithOK) {
    auto dialog = LoadedDialog();
    dialog->InitData();
    headless_->AddModalStep("frmList", [this](windowing::Form&) { list_->OnCommand("SelectOK"); });
    dialog->Show(windowing::vbModal);
    EXPECT_TRUE(dialog->OK());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_EQ(dialog->Selected()->Count(), 1);
}

TEST_F(FrmListTest, RejectedSelectionKeepsTheFormOpen) {
    list_->acceptsSelection = false;
    auto dialog = LoadedDialog();
    dialog->InitData();
    bool stillOpen = false;
    headless_->AddModalStep("frmList", [&](windowing::Form& form) {
        list_->OnCommand("SelectOK");
        stillOpen = form.Visible();
        list_->OnCommand("Exit");
    });
    dialog->Show(windowing::vbModal);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(dialog->OK());
}

TEST_F(FrmListTest, ExitHidesWithoutOK) {
    auto dialog = LoadedDialog();
    dialog->InitData();
    headless_->AddModalStep("frmList", [this](windowing::Form&) { list_->OnCommand("Exit"); });
    dialog->Show(windowing::vbModal);
    EXPECT_FALSE(dialog->OK());
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(FrmListTest, OtherCommandsDoNothing) {
    auto dialog = LoadedDialog();
    dialog->InitData();
    dialog->Show(windowing::vbModeless);
    list_->OnCommand("Refresh");
    list_->OnCommand("selectok");
    EXPECT_TRUE(dialog->Visible());
    EXPECT_TRUE(dialog->OK());
}

// --- Activate, Resize, Unload -----------------------------------------------------------------

TEST_F(FrmListTest, ActivatedWithoutOKTheFormUnloadsItself) {
    list_->opens = false;
    auto dialog = LoadedDialog();
    dialog->InitData();
    dialog->Show(windowing::vbModeless);
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_EQ(list_->cleanups, 1);
}

TEST_F(FrmListTest, TheControlFillsTheForm) {
    auto dialog = LoadedDialog();
    dialog->Resize(6000, 4000);
    EXPECT_EQ(list_->Width, 6000);
    EXPECT_EQ(list_->Height, 4000);
    dialog->Resize(0, 0);
    EXPECT_EQ(list_->Width, 6000);
    EXPECT_EQ(list_->Height, 4000);
}

TEST_F(FrmListTest, UnloadingCleansTheControlAndClearsOK) {
    auto dialog = LoadedDialog();
    dialog->InitData();
    ASSERT_TRUE(dialog->OK());
    EXPECT_TRUE(dialog->Unload());
    EXPECT_FALSE(dialog->OK());
    EXPECT_EQ(list_->cleanups, 1);
}

TEST_F(FrmListTest, FailingCleanUpDoesNotStopTheUnload) {
    list_->cleanupFails = true;
    auto dialog = LoadedDialog();
    EXPECT_TRUE(dialog->Unload());
    EXPECT_FALSE(dialog->IsLoaded());
}

}  // namespace
