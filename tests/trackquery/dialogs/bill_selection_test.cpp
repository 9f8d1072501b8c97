// Letting the user pick bills: the bill list dialog over the list control, and the look-up of
// class-template bills.

#include <support/security_test_support.h>

#include <trackquery/dialogs/bill_selection.h>
#include <trackquery/dialogs/frmList.h>
#include <trackquery/services/modTrackQuery.h>

#include <components/bills/class_bills.h>
#include <components/bills/ic_list.h>

#include <platform/automation/conversions.h>
#include <platform/windowing/form.h>
#include <platform/windowing/msgbox.h>

using namespace security_test;
using automation::Variant;

namespace {

constexpr char kOrdinaryFilter[] = " v1.FTrantype=85 AND v1.FScheduleID=0 ";

// A list control that fails or answers as a test tells it to.
class ScriptedList : public client::ICList {
  public:
    bool failDescriptions = false;
    bool emptySelection = false;
    automation::VectorPtr ListDescriptions() override {
        if (failDescriptions)
            automation::Raise(automation::vberr::ObjectError + 7, "QzList.ICList",
                              "列表描述读取失败");
        return client::ICList::ListDescriptions();
    }
    automation::VectorPtr Selected() override {
        if (emptySelection) return std::make_shared<automation::Vector>();
        return client::ICList::Selected();
    }
    bool CanTakeSelection() override {
        return emptySelection || client::ICList::CanTakeSelection();
    }
};

class BillSelectionTest : public SecurityTest {
  protected:
    void SetUp() override {
        SecurityTest::SetUp();
        SeedBills();
        WriteSwitchFile(ConnectionString());
    }

    static client::ICList& ListOf(windowing::Form& form) {
        auto& dialog = dynamic_cast<trackquery::frmList&>(form);
        return dynamic_cast<client::ICList&>(*dialog.ICListSel);
    }

    // The user selects the rows at these places and confirms.
    void UserSelects(std::vector<int32_t> positions) {
        headless_->AddModalStep("frmList", [positions](windowing::Form& form) {
            auto& list = ListOf(form);
            for (const int32_t position : positions) list.SelectRow(position);
            list.RaiseCommand("SelectOK");
        });
    }

    std::shared_ptr<ScriptedList> UseScriptedList() {
        auto list = std::make_shared<ScriptedList>();
        automation::ComponentRegistry::Instance().Register(trackquery::kICListProgId,
                                                           [list] { return list; });
        return list;
    }

    static int32_t InterIdOf(const automation::VectorPtr& selection, int32_t index) {
        return automation::CLng(
            selection->Item(index).As<automation::Dictionary>()->Item("FInterID"));
    }

    bool FormShown(const std::string& name) {
        for (const auto& event : headless_->FormEvents())
            if (event.find("Show " + name) == 0) return true;
        return false;
    }
};

// --- CallSelBill ------------------------------------------------------------------------------

TEST_F(BillSelectionTest, SelectedTaskOrdersComeBack) {
    UserSelects({1, 2});
    const auto selection = trackquery::CallSelBill(36, kOrdinaryFilter, false);
    ASSERT_TRUE(selection);
    ASSERT_EQ(selection->Count(), 2);
    EXPECT_EQ(InterIdOf(selection, 1), 1);
    EXPECT_EQ(InterIdOf(selection, 2), 2);
    EXPECT_TRUE(windowing::LoadedForms().empty());
}

TEST_F(BillSelectionTest, TheFilterRestrictsTheList) {
    int32_t rows = -1;
    headless_->AddModalStep("frmList", [&rows](windowing::Form& form) {
        rows = ListOf(form).GetListRs()->RecordCount();
        ListOf(form).RaiseCommand("Exit");
    });
    trackquery::CallSelBill(36, " v1.FTrantype=85 AND v1.FScheduleID<>0 ", false);
    EXPECT_EQ(rows, 1);
}

TEST_F(BillSelectionTest, TheListIsToldWhatTheSelectionIsFor) {
    std::string destination = "unset";
    int32_t selectFlag = -1;
    std::string baseInfo;
    std::string caption;
    headless_->AddModalStep("frmList", [&](windowing::Form& form) {
        auto& list = ListOf(form);
        destination = list.DestBillTransType;
        selectFlag = list.SelectFlag;
        baseInfo = list.BaseInfo;
        caption = form.Caption();
        EXPECT_TRUE(list.MultiSelect);
        EXPECT_EQ(list.ListShowStatus, 2);
        EXPECT_TRUE(list.InForm);
        list.RaiseCommand("Exit");
    });
    trackquery::CallSelBill(32, " v1.FClassTypeID = 0 AND v1.FCancellation = 0 ", true);
    EXPECT_EQ(destination, "81");
    EXPECT_EQ(selectFlag, 1);
    EXPECT_EQ(baseInfo, ConnectionString() + "|16394|administrator");
    adodb::Connection cnn;
    cnn.Open(ConnectionString());
    const auto name = cnn.Execute("SELECT FName FROM ICListDefinition WHERE FListID=32");
    EXPECT_EQ(caption, automation::CStr(name->Value("FName")) + "序时薄");
}

TEST_F(BillSelectionTest, CancelledListYieldsNoneAndLeavesNothingOpen) {
    std::shared_ptr<client::ICList> control;
    headless_->AddModalStep("frmList", [&control](windowing::Form& form) {
        auto& dialog = dynamic_cast<trackquery::frmList&>(form);
        control = std::dynamic_pointer_cast<client::ICList>(dialog.ICListSel);
        control->SelectRow(1);
        control->RaiseCommand("Exit");
    });
    EXPECT_FALSE(trackquery::CallSelBill(36, kOrdinaryFilter, false));
    EXPECT_TRUE(windowing::LoadedForms().empty());
    ASSERT_TRUE(control);
    EXPECT_FALSE(control->GetListRs()) << "the list must release its rows";
    EXPECT_EQ(automation::Err().Number, 0);
    EXPECT_TRUE(headless_->MessageBoxes().empty());
}

TEST_F(BillSelectionTest, RejectedSelectionKeepsTheListOpen) {
    headless_->AddModalStep("frmList", [](windowing::Form& form) {
        ListOf(form).RaiseCommand("SelectOK");  // nothing selected: the list refuses
        EXPECT_TRUE(form.Visible());
        ListOf(form).SelectRow(2);
        ListOf(form).RaiseCommand("SelectOK");
    });
    const auto selection = trackquery::CallSelBill(36, kOrdinaryFilter, false);
    ASSERT_TRUE(selection);
    EXPECT_EQ(InterIdOf(selection, 1), 2);
}

// It is never shown, and the user is told why instead.
TEST_F(BillSelectionTest, ListThatCannotOpenIsNeverShown) {
    headless_->AnswerMsgBox("读取数据失败，原因：No bill list 999.", windowing::vbOK);
    EXPECT_FALSE(trackquery::CallSelBill(999, "", false));
    EXPECT_FALSE(FormShown("frmList"));
    EXPECT_TRUE(windowing::LoadedForms().empty());
    EXPECT_EQ(headless_->MessageBoxes().size(), 1u);
}

TEST_F(BillSelectionTest, EmptyListIsNeverShown) {
    EXPECT_FALSE(trackquery::CallSelBill(36, " v1.FBillNo = 'NONE' ", false));
    EXPECT_FALSE(FormShown("frmList"));
}

TEST_F(BillSelectionTest, FailureInInitDataYieldsNoneWithAMessage) {
    UseScriptedList()->failDescriptions = true;
    headless_->AnswerMsgBox("列表描述读取失败", windowing::vbOK);
    EXPECT_FALSE(trackquery::CallSelBill(36, kOrdinaryFilter, false));
    EXPECT_FALSE(FormShown("frmList"));
    EXPECT_TRUE(windowing::LoadedForms().empty());
    ASSERT_EQ(headless_->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless_->MessageBoxes()[0].Title, "Velo提示");
    EXPECT_EQ(headless_->MessageBoxes()[0].Buttons, windowing::vbInformation);
}

TEST_F(BillSelectionTest, SelectionOfNoRowsYieldsNone) {
    UseScriptedList()->emptySelection = true;
    headless_->AddModalStep("frmList",
                            [](windowing::Form& form) { ListOf(form).RaiseCommand("SelectOK"); });
    EXPECT_FALSE(trackquery::CallSelBill(36, kOrdinaryFilter, false));
}

TEST_F(BillSelectionTest, MissingSwitchFileIsShownAndYieldsNone) {
    std::filesystem::remove(folder_ / "client" / "ErpSwitch.sss");
    headless_->AnswerMsgBox(windowing::vbOK);
    EXPECT_FALSE(trackquery::CallSelBill(36, kOrdinaryFilter, false));
    EXPECT_EQ(headless_->MessageBoxes().size(), 1u);
    EXPECT_FALSE(FormShown("frmList"));
}

// --- CallSelNewBill ---------------------------------------------------------------------------

TEST_F(BillSelectionTest, CancelledFilterYieldsNoneWithoutTheLookUp) {
    headless_->AddModalStep("frmClassFilter", [](windowing::Form& form) {
        dynamic_cast<client::frmClassFilter&>(form).Cancel();
    });
    bool wholeBill = false;
    EXPECT_FALSE(trackquery::CallSelNewBill(1007100, true, wholeBill));
    EXPECT_FALSE(FormShown("frmBillLookUp"));
    EXPECT_FALSE(wholeBill);
}

TEST_F(BillSelectionTest, EntriesPickedAfterTheFilterComeBack) {
    headless_->AddModalStep("frmClassFilter", [](windowing::Form& form) {
        dynamic_cast<client::frmClassFilter&>(form).Confirm(false);
    });
    int32_t offered = -1;
    headless_->AddModalStep("frmBillLookUp", [&offered](windowing::Form& form) {
        auto& lookUp = dynamic_cast<client::frmBillLookUp&>(form);
        offered = lookUp.Rows()->RecordCount();
        lookUp.SelectRow(1);
        lookUp.SelectRow(2);
        lookUp.Confirm();
    });
    bool wholeBill = false;
    const auto selection = trackquery::CallSelNewBill(1007100, true, wholeBill);
    // Only the checked, not cancelled export order is offered: its two shipping lots.
    EXPECT_EQ(offered, 2);
    ASSERT_TRUE(selection);
    ASSERT_EQ(selection->Count(), 2);
    EXPECT_EQ(InterIdOf(selection, 1), 11);
    EXPECT_EQ(automation::CLng(selection->Item(2).As<automation::Dictionary>()->Item("FDetailID")),
              102);
    EXPECT_FALSE(wholeBill);
}

TEST_F(BillSelectionTest, WholeBillsChosenInTheFilterSetThePageFlag) {
    headless_->AddModalStep("frmClassFilter", [](windowing::Form& form) {
        dynamic_cast<client::frmClassFilter&>(form).Confirm(true);
    });
    headless_->AddModalStep("frmBillLookUp", [](windowing::Form& form) {
        auto& lookUp = dynamic_cast<client::frmBillLookUp&>(form);
        lookUp.SelectRow(1);
        lookUp.Confirm();
    });
    bool wholeBill = false;
    const auto selection = trackquery::CallSelNewBill(1007100, true, wholeBill);
    ASSERT_TRUE(selection);
    EXPECT_TRUE(wholeBill);
    EXPECT_EQ(InterIdOf(selection, 1), 11);
}

TEST_F(BillSelectionTest, WithoutTheFilterEntriesAreOffered) {
    headless_->AddModalStep("frmBillLookUp", [](windowing::Form& form) {
        auto& lookUp = dynamic_cast<client::frmBillLookUp&>(form);
        lookUp.SelectRow(2);
        lookUp.Confirm();
    });
    bool wholeBill = false;
    const auto selection = trackquery::CallSelNewBill(1007100, false, wholeBill);
    EXPECT_FALSE(FormShown("frmClassFilter"));
    ASSERT_TRUE(selection);
    EXPECT_FALSE(wholeBill);
}

TEST_F(BillSelectionTest, CancelledLookUpYieldsNone) {
    headless_->AddModalStep("frmBillLookUp", [](windowing::Form& form) {
        dynamic_cast<client::frmBillLookUp&>(form).Cancel();
    });
    bool wholeBill = false;
    EXPECT_FALSE(trackquery::CallSelNewBill(1007100, false, wholeBill));
    EXPECT_FALSE(wholeBill);
}

TEST_F(BillSelectionTest, LookUpFailureIsShownUntranslated) {
    headless_->AnswerMsgBox("class type 4242", windowing::vbOK);
    bool wholeBill = false;
    EXPECT_FALSE(trackquery::CallSelNewBill(4242, false, wholeBill));
    ASSERT_EQ(headless_->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless_->MessageBoxes()[0].Title, "Velo提示");
}

}  // namespace
