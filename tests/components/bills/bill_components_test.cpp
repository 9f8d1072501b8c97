// The bill list control, the bill windows, the class bill components and the item look-up over
// a real ERP database.

#include "../security/client_fixture.h"

#include <components/bills/bill_tables.h>
#include <components/bills/bills.h>
#include <components/bills/class_bills.h>
#include <components/bills/gl_view.h>
#include <components/bills/ic_list.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <contracts/list_control.h>

using automation::Variant;

namespace {

class BillComponentsTest : public client_test::ClientDatabaseTest {
  protected:
    void SetUp() override {
        ClientDatabaseTest::SetUp();
        Execute(
            "INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FUnitID) VALUES "
            "(1, '1.01.001', '001', '齿轮', 1), (2, 'O''Neil-2', '002', '轴', 1);"
            "INSERT INTO ICMO (FInterID, FBillNo, FTranType, FScheduleID, FBillerID, FDate, "
            "FItemID,"
            " FUnitID, FQty, FPlanCommitDate, FPlanFinishDate) VALUES "
            "(1, 'WORK001', 85, 0, 16394, '2026-01-05', 1, 1, 10, '2026-01-05', '2026-01-20'),"
            "(2, 'WORK002', 85, 0, 16394, '2026-01-06', 2, 1, 20, '2026-01-06', '2026-01-21'),"
            "(3, 'WORK''03', 85, 7, 16394, '2026-01-07', 1, 1, 30, '2026-01-07', '2026-01-22'),"
            "(4, 'WW001', 571, 0, 20001, '2026-01-08', 2, 1, 40, '2026-01-08', '2026-01-23');");
    }

    std::shared_ptr<client::ICList> OpenedList(int32_t listId, const std::string& filter,
                                               bool multiSelect = true) {
        auto list = std::make_shared<client::ICList>();
        list->ListID = listId;
        list->LocalCnn = ConnectionString();
        list->Filter = filter;
        list->MultiSelect = multiSelect;
        EXPECT_TRUE(list->OpenList()) << list->LastError();
        return list;
    }

    static adodb::RecordsetPtr KeyList(const std::string& idName, const std::string& typeName,
                                       std::vector<std::pair<int32_t, int32_t>> rows) {
        auto rs = std::make_shared<adodb::Recordset>();
        rs->Fields()->Append(idName, adodb::adInteger);
        rs->Fields()->Append(typeName, adodb::adInteger);
        rs->Open();
        for (const auto& [id, kind] : rows) {
            rs->AddNew();
            rs->SetValue(Variant(idName), Variant(id));
            rs->SetValue(Variant(typeName), Variant(kind));
            rs->Update();
        }
        if (!rows.empty()) rs->MoveFirst();
        return rs;
    }
};

// --- Bill list control ------------------------------------------------------------------------

TEST_F(BillComponentsTest, ListShowsTheRowsOfItsViewUnderTheFilter) {
    auto list = OpenedList(36, " v1.FTrantype=85 AND v1.FScheduleID=0 ");
    EXPECT_TRUE(list->IsReadyToShow());
    EXPECT_EQ(list->GetListRs()->RecordCount(), 2);
    EXPECT_EQ(automation::CStr(
                  list->ListDescriptions()->Item(1).As<automation::Dictionary>()->Item("FName")),
              "生产任务单");
    EXPECT_EQ(OpenedList(620, " v1.FTrantype=571 ")->GetListRs()->RecordCount(), 1);
}

TEST_F(BillComponentsTest, EmptyListOpensButIsNotReady) {
    auto list = OpenedList(36, " v1.FTrantype=85 AND v1.FScheduleID=99 ");
    EXPECT_FALSE(list->IsReadyToShow());
}

TEST_F(BillComponentsTest, UnknownListDoesNotOpen) {
    client::ICList list;
    list.ListID = 4711;
    list.LocalCnn = ConnectionString();
    EXPECT_FALSE(list.OpenList());
    EXPECT_FALSE(list.LastError().empty());
    EXPECT_FALSE(list.IsReadyToShow());
}

TEST_F(BillComponentsTest, MissingDatabaseDoesNotOpen) {
    client::ICList list;
    list.ListID = 36;
    list.LocalCnn = client::erp_database::ConnectionStringFor((folder_ / "none.db").string());
    EXPECT_FALSE(list.OpenList());
    EXPECT_FALSE(std::filesystem::exists(folder_ / "none.db"));
}

TEST_F(BillComponentsTest, ListDefinitionThatIsNotANameIsRefused) {
    Execute("INSERT INTO ICListDefinition VALUES (99, 'x', 'ICMO; DELETE FROM ICMO', 'FInterID')");
    client::ICList list;
    list.ListID = 99;
    list.LocalCnn = ConnectionString();
    EXPECT_FALSE(list.OpenList());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ICMO"), 4);
}

TEST_F(BillComponentsTest, TypedBillNumberIsBound) {
    auto list = OpenedList(36, "");
    EXPECT_TRUE(list->SetBillNoSearch("work'0"));
    EXPECT_EQ(list->GetListRs()->RecordCount(), 1);
    EXPECT_EQ(automation::CStr(list->GetListRs()->Value("FBillNo")), "WORK'03");
    EXPECT_TRUE(list->SetBillNoSearch("' OR '1'='1"));
    EXPECT_EQ(list->GetListRs()->RecordCount(), 0);
    EXPECT_TRUE(list->SetBillNoSearch(""));
    EXPECT_EQ(list->GetListRs()->RecordCount(), 3);
}

TEST_F(BillComponentsTest, MultiSelectKeepsEveryChosenRow) {
    auto list = OpenedList(36, "");
    list->SelectRow(3);
    list->SelectRow(1);
    list->SelectRow(3);
    EXPECT_TRUE(list->CanTakeSelection());
    const auto selection = list->Selected();
    ASSERT_EQ(selection->Count(), 2);
    EXPECT_EQ(automation::CLng(selection->Item(1).As<automation::Dictionary>()->Item("FInterID")),
              3);
    EXPECT_EQ(selection->Item(2).As<automation::Dictionary>()->Item("FBillNo"), Variant("WORK001"));
}

TEST_F(BillComponentsTest, SingleSelectKeepsTheLastRow) {
    auto list = OpenedList(36, "", false);
    list->SelectRow(1);
    list->SelectRow(2);
    ASSERT_EQ(list->SelectedRows().size(), 1u);
    EXPECT_EQ(list->SelectedRows()[0], 2);
    list->SelectAll();
    EXPECT_EQ(list->SelectedRows().size(), 1u);
}

TEST_F(BillComponentsTest, NothingSelectedCannotBeTaken) {
    auto list = OpenedList(36, "");
    EXPECT_FALSE(list->CanTakeSelection());
    list->SelectAll();
    EXPECT_EQ(list->Selected()->Count(), 3);
    list->ClearSelection();
    EXPECT_FALSE(list->CanTakeSelection());
}

TEST_F(BillComponentsTest, SelectingOutsideTheListIsAnError) {
    auto list = OpenedList(36, "");
    EXPECT_THROW(list->SelectRow(0), automation::RuntimeError);
    EXPECT_THROW(list->SelectRow(4), automation::RuntimeError);
    EXPECT_TRUE(list->SelectedRows().empty());
}

TEST_F(BillComponentsTest, FieldDescriptionsMarkTheKey) {
    auto list = OpenedList(36, "");
    int primaries = 0;
    const auto fields = list->GetListFieldsDes();
    EXPECT_EQ(fields->Count(), list->GetListRs()->FieldCount());
    for (const auto& item : fields->Items()) {
        const auto field = item.As<automation::Dictionary>();
        if (automation::CBool(field->Item("IsPrimary"))) {
            ++primaries;
            EXPECT_EQ(field->Item("Name"), Variant("FInterID"));
        }
    }
    EXPECT_EQ(primaries, 1);
}

TEST_F(BillComponentsTest, CommandsReachTheHandlerAndCleanUpReleasesTheRows) {
    auto list = OpenedList(36, "");
    list->RaiseCommand("Exit");  // no handler yet: nothing happens
    std::vector<std::string> commands;
    list->OnCommand = [&commands](const std::string& command) { commands.push_back(command); };
    list->RaiseCommand("SelectOK");
    EXPECT_EQ(commands, std::vector<std::string>{"SelectOK"});
    list->SelectRow(1);
    list->Cleanup();
    EXPECT_FALSE(list->GetListRs());
    EXPECT_TRUE(list->SelectedRows().empty());
}

// --- Bill windows -----------------------------------------------------------------------------

TEST_F(BillComponentsTest, BillWindowShowsTheBillFromTheDatabase) {
    Execute("INSERT INTO t_User (FUserID, FName) VALUES (20001, '王五');");
    client::Bills bills("QzBills.Bills");
    bills.LocalCnn = ConnectionString();
    bills.ListRecordset = KeyList("FInterID", "FTranType", {{4, 571}});
    bills.SetOpt(70000, "big");
    bills.Show(971, 1);
    const auto window = bills.BillReturn.As<client::BillWindow>();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Caption(), "委外加工生产任务单 - WW001");
    // The head as a clerk reads it: captions, the status as a word, the biller's name, dates.
    const auto& head = window->Sheet().head;
    for (const auto& field :
         std::vector<std::pair<std::string, std::string>>{{"任务单号", "WW001"},
                                                          {"单据类型", "委外加工生产任务单"},
                                                          {"状态", "计划"},
                                                          {"制单人", "王五"},
                                                          {"计划开工日期", "2026-01-08"}}) {
        EXPECT_NE(std::find(head.begin(), head.end(), field), head.end()) << field.first;
    }
    EXPECT_NE(window->Render().find("  任务单号     : WW001\n"), std::string::npos)
        << window->Render();
    EXPECT_EQ(window->Render().find("FBillerID"), std::string::npos) << "no database column";
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(client::BillWindowHistory().back().Request.UserID, 70000);
}

TEST_F(BillComponentsTest, BillOfAnUnknownKindOpensEmpty) {
    client::Bills bills("QzBills.Bills");
    bills.LocalCnn = ConnectionString();
    bills.ListRecordset = KeyList("FInterID", "FTranType", {{1, 4242}});
    bills.Show(4242, 1);
    const auto window = bills.BillReturn.As<client::BillWindow>();
    EXPECT_FALSE(window->Bill());
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 1);
}

TEST_F(BillComponentsTest, ClosedWindowsLeaveTheOpenList) {
    client::Bills bills("QzBills.Bills");
    bills.LocalCnn = ConnectionString();
    bills.Show(207, 1);
    ASSERT_EQ(client::OpenBillWindows().size(), 1u);
    client::OpenBillWindows()[0]->CloseByUser();
    EXPECT_TRUE(client::OpenBillWindows().empty());
    EXPECT_EQ(client::BillWindowHistory().size(), 1u);
}

TEST_F(BillComponentsTest, ModalBillWindowReturnsWhenClosed) {
    client::SetBillWindowsModal(true);
    bool seen = false;
    headless_->AddModalStep("frmBill", [&seen](windowing::Form& form) {
        seen = dynamic_cast<client::BillWindow&>(form).InterID() == 2;
        form.CloseByUser();
    });
    client::Bills bills("QzBills.Bills");
    bills.LocalCnn = ConnectionString();
    bills.ListRecordset = KeyList("FInterID", "FTranType", {{2, 85}});
    bills.Show(207, 2);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(client::OpenBillWindows().empty());
}

TEST_F(BillComponentsTest, SystemObjectGivesTheSessionDatabase) {
    EXPECT_EQ(client::SystemDlg().LocalCnn(), ConnectionString());
}

TEST_F(BillComponentsTest, BillTablesByKind) {
    EXPECT_EQ(client::FindBillTable(85)->Table, "ICMO");
    EXPECT_EQ(client::FindBillTable(-571)->Table, "ICMO");
    EXPECT_EQ(client::FindBillTable(1007100)->Table, "SEOrder");
    EXPECT_EQ(client::FindBillTable(50)->NumberColumn, "FBOMNumber");
    EXPECT_FALSE(client::FindBillTable(4242));
}

// --- Class bills ------------------------------------------------------------------------------

TEST_F(BillComponentsTest, ClassDescriptionComesFromTheClassTypes) {
    client::DataSrv source;
    source.ClassTypeID = 1007100;
    const auto row = source.classtype();
    EXPECT_EQ(row->Item("FName"), Variant("外销订单"));
    adodb::Connection cnn;
    cnn.Open(ConnectionString());
    const auto stored = cnn.Execute("SELECT FPrimaryKey FROM ICClassType WHERE FID=1007100");
    EXPECT_EQ(row->Item("FPrimaryKey"), stored->Value("FPrimaryKey"));
    EXPECT_EQ(automation::CLng(row->Item("FObjectType")), 2295);
    source.ClassTypeID = 4242;
    EXPECT_THROW(source.classtype(), automation::RuntimeError);
}

TEST_F(BillComponentsTest, ClassBillWindowOpensOnTheBillAskedFor) {
    Execute(
        "INSERT INTO t_Organization VALUES (1, 'C001', '客户甲');"
        "INSERT INTO SEOrder (FInterID, FBillNo, FClassTypeID, FDate, FCustID, FCurrencyID,"
        " FBillerID) VALUES (11, 'EXP001', 1007100, '2026-01-03', 1, 1, 16394),"
        " (12, 'EXP002', 1007100, '2026-01-03', 1, 1, 16394);");
    auto source = std::make_shared<client::DataSrv>();
    source->ClassTypeID = 1007100;
    client::ClassInfoManager manager;
    manager.DataSrv = source;
    const auto keys = source->classtype();
    manager.ItemID =
        KeyList(automation::CStr(keys->Item("FPrimaryKey")),
                automation::CStr(keys->Item("FClassTypeKey")), {{11, 1007100}, {12, 1007100}});
    int32_t mode = 2;
    manager.Show(Variant(12), Variant(), mode);
    const auto& opened = client::BillWindowHistory().back();
    EXPECT_EQ(opened.Request.Component, "QzSingleClassBill.ClassInfoManager");
    EXPECT_EQ(opened.Request.BillType, 1007100);
    EXPECT_EQ(opened.Request.ShowMode, 2);
    EXPECT_EQ(opened.InterID, 12);
    EXPECT_EQ(opened.Position, 2);
    EXPECT_EQ(opened.BillNo, "EXP002");
}

// --- Item look-up -----------------------------------------------------------------------------

TEST_F(BillComponentsTest, TheThreeFilterForms) {
    EXPECT_EQ(client::ParseItemFilter("t1.FItemID=17").ItemIDs, std::vector<int32_t>{17});
    EXPECT_EQ(client::ParseItemFilter("t1.FNumber='1.01.001'").Numbers,
              std::vector<std::string>{"1.01.001"});
    EXPECT_EQ(client::ParseItemFilter("t1.FNumber IN ('A','B.2')").Numbers,
              (std::vector<std::string>{"A", "B.2"}));
}

TEST_F(BillComponentsTest, AnyOtherFilterIsRefused) {
    for (const char* filter : {"t1.FItemID=1 OR 1=1", "t1.FItemID=", "1=1", "t1.FNumber=A",
                               "t1.FNumber IN ('A'", "t1.FName='x'"}) {
        EXPECT_THROW(client::ParseItemFilter(filter), automation::RuntimeError) << filter;
    }
}

TEST_F(BillComponentsTest, ItemNumbersWithQuotesAreLookedUpAsData) {
    auto options = std::make_shared<automation::Dictionary>();
    client::GLView view;
    const auto items = view.ItemLookUp(4, Variant(), "t1.FNumber='O'Neil-2'", options);
    ASSERT_EQ(items.As<automation::Vector>()->Count(), 1);
    EXPECT_EQ(client::ItemViewHistory().back()->Render(), "O'Neil-2 轴\n");
}

TEST_F(BillComponentsTest, ItemsTheDatabaseLacksAreLeftOut) {
    auto options = std::make_shared<automation::Dictionary>();
    options->SetItem("BeShortNumber", 1);
    client::GLView view;
    view.ItemLookUp(4, Variant(), "t1.FNumber IN ('1.01.001','9.99')", options);
    EXPECT_EQ(client::ItemViewHistory().back()->Render(), "001 齿轮\n");
    view.ItemLookUp(4, Variant(), "t1.FItemID=2", options);
    EXPECT_EQ(client::ItemViewHistory().back()->Render(), "002 轴\n");
}

TEST_F(BillComponentsTest, AllBillComponentsAreRegistered) {
    for (const char* progId : {trackquery::kBillsProgId, trackquery::kBillsExProgId,
                               trackquery::kSystemDlgProgId, trackquery::kDataSrvProgId,
                               trackquery::kBillLookUpProgId, trackquery::kClassInfoManagerProgId,
                               trackquery::kGLViewProgId, trackquery::kICListProgId}) {
        EXPECT_TRUE(automation::ComponentRegistry::Instance().IsRegistered(progId)) << progId;
    }
}

}  // namespace
