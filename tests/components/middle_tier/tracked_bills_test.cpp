// Task order head, tracked bill rows, operations, task order status and stock quantities.

#include "erp_fixture.h"

#include <platform/automation/strings.h>

namespace mt_test {
namespace {

class TrackedBills : public ErpFixture {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.data.taskOrders = 40;
        definition.data.salesOrders = 8;
        return definition;
    }
};

TEST_F(TrackedBills, HeadRowCarriesStatusWordStockPercentAndServerDate) {
    auto rs = IcmoQuery()->GetICMOQuery(Props(), 1, 85, Variant(int32_t{-85}));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(Text(rs, "FBillNO"), "WORK000001");
    EXPECT_EQ(Text(rs, "FStatus"), "Check");  // released
    for (const char* field : {"FStockPercent", "FPlanFinishDate", "FSysDate", "FRoutingID",
                              "FBOMInterID", "FItemID", "FQtyDecimal_Item"}) {
        EXPECT_NO_THROW(rs->Value(field)) << field;
    }
    // The fixture's server date is fixed; the first task order was due ten days before it.
    ASSERT_EQ(rs->Value("FSysDate").Type(), automation::VarType::Date);
    EXPECT_LT(automation::CDate(rs->Value("FPlanFinishDate")).serial,
              rs->Value("FSysDate").AsDate().serial);
    EXPECT_EQ(automation::CDbl(rs->Value("FSysDate")),
              automation::CDbl(automation::CDate(Variant("2026-06-30"))));
}

TEST_F(TrackedBills, HeadStatusWordsFollowTheTaskOrderState) {
    auto word = [&](int32_t id) {
        return Text(IcmoQuery()->GetICMOQuery(Props(), id, 85, Variant(int32_t{-85})), "FStatus");
    };
    EXPECT_EQ(word(2), "Plan");
    EXPECT_EQ(word(3), "Confirm");
    EXPECT_EQ(word(4), "End");
    EXPECT_EQ(word(5), "Suspend");
    EXPECT_EQ(word(6), "Cancel");
}

TEST_F(TrackedBills, MissingTaskOrderGivesAnEmptyHead) {
    auto rs = IcmoQuery()->GetICMOQuery(Props(), 999999, 85, Variant(int32_t{-85}));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST_F(TrackedBills, StatusFieldSitsAtTheOrdinalOfItsColumn) {
    // The tracker reads the status cell's value from the field whose ordinal is the column's
    // 1-based place among the kind's columns.
    auto fields = IcmoQuery()->GetQueryFields(Props(), -85, Variant(int32_t{-24}));
    const int64_t icmo = Scalar(
        "SELECT MIN(FICMOInterID) FROM ICStockBillEntry e JOIN ICStockBill b "
        "ON b.FInterID = e.FInterID WHERE b.FTranType = 24");
    ASSERT_GT(icmo, 0);
    auto rows =
        IcmoQuery()->GetICMOQuery(Props(), static_cast<int32_t>(icmo), -85, Variant(int32_t{-24}));
    ASSERT_TRUE(rows);
    ASSERT_GT(rows->RecordCount(), 0);
    int32_t position = 1;
    for (; !fields->Eof(); fields->MoveNext(), ++position) {
        EXPECT_TRUE(
            automation::EqualsIgnoreCase(rows->FieldAt(position).Name, Text(fields, "FKey")))
            << position;
    }
    for (const char* field :
         {"FBillInterID", "FBillerID", "FItemNumber", "FEntryID", "FQtyDecimal_Item"}) {
        EXPECT_NO_THROW(rows->Value(field)) << field;
    }
    EXPECT_EQ(rows->RecordCount(),
              Scalar("SELECT COUNT(*) FROM ICStockBillEntry e JOIN ICStockBill b ON b.FInterID = "
                     "e.FInterID WHERE b.FTranType = 24 AND e.FICMOInterID = " +
                     std::to_string(icmo)));
}

TEST_F(TrackedBills, EveryChosenKindReadsWithItsTemplateColumns) {
    auto kinds =
        IcmoQuery()->GetBillOption(Props(), "ICMOTrack", Variant(erp::kAdministratorID), false);
    for (; !kinds->Eof(); kinds->MoveNext()) {
        const int32_t kind = static_cast<int32_t>(Number(kinds, "FID"));
        EXPECT_NO_THROW(IcmoQuery()->GetICMOQuery(Props(), 1, -85, Variant(kind))) << kind;
    }
}

TEST_F(TrackedBills, OperationFilterNarrowsRecordsToOneOperation) {
    const int64_t icmo = Scalar("SELECT MIN(FICMOInterID) FROM SHWorkBill");
    ASSERT_GT(icmo, 0);
    auto opers = IcmoQuery()->GetICMOOper(Props(), static_cast<int32_t>(icmo));
    ASSERT_GT(opers->RecordCount(), 1);
    const std::string filter = " SHWorkBill.FBillType=" + Text(opers, "FBillType") +
                               " AND SHWorkBillEntry.FOperSN=" + Text(opers, "FOperSN") +
                               " AND SHWorkBillEntry.FOperID=" + Text(opers, "FOperID");
    auto all = IcmoQuery()->GetICMOQuery(Props(), static_cast<int32_t>(icmo), -85,
                                         Variant(int32_t{-52}), "");
    auto one = IcmoQuery()->GetICMOQuery(Props(), static_cast<int32_t>(icmo), -85,
                                         Variant(int32_t{-52}), filter);
    ASSERT_EQ(one->RecordCount(), 1);
    EXPECT_GT(all->RecordCount(), one->RecordCount());
    EXPECT_EQ(Text(one, "FOperSN"), Text(opers, "FOperSN"));
    EXPECT_EQ(Number(one, "FKeyInterID"), Number(opers, "FKeyInterID"));
}

TEST_F(TrackedBills, OperationFilterWithSqlTextIsRefused) {
    const int64_t icmo = Scalar("SELECT MIN(FICMOInterID) FROM SHWorkBill");
    for (const std::string filter :
         {" SHWorkBill.FBillType=11620 AND SHWorkBillEntry.FOperSN=10 OR 1=1",
          " SHWorkBill.FBillType=11620 AND SHWorkBillEntry.FOperSN=10 AND "
          "SHWorkBillEntry.FOperID=1; DELETE FROM ICMO",
          " 1=1"}) {
        EXPECT_THROW(IcmoQuery()->GetICMOQuery(Props(), static_cast<int32_t>(icmo), -85,
                                               Variant(int32_t{-52}), filter),
                     automation::RuntimeError)
            << filter;
    }
    EXPECT_THROW(
        IcmoQuery()->GetICMOQuery(Props(), 1, -85, Variant(int32_t{-24}),
                                  " SHWorkBill.FBillType=11620 AND "
                                  "SHWorkBillEntry.FOperSN=10 AND SHWorkBillEntry.FOperID=1"),
        automation::RuntimeError);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICMO"), 40);
}

TEST_F(TrackedBills, PackageKindsReadUnderTheOperationRecord) {
    const int64_t record = Scalar("SELECT MIN(FWBEntryID) FROM SHOperBill WHERE FTranType = 502");
    ASSERT_GT(record, 0);
    auto rows = IcmoQuery()->GetICMOQuery(Props(), static_cast<int32_t>(record), -85,
                                          Variant(int32_t{-502}));
    EXPECT_EQ(rows->RecordCount(),
              Scalar("SELECT COUNT(*) FROM SHOperBill WHERE FTranType = 502 AND FWBEntryID = " +
                     std::to_string(record)));
}

TEST_F(TrackedBills, UntrackedKindIsAFailure) {
    EXPECT_THROW(IcmoQuery()->GetICMOQuery(Props(), 1, -85, Variant(int32_t{-9999})),
                 automation::RuntimeError);
}

TEST_F(TrackedBills, OperationsCarryBothBillTypesOfAReworkedOrder) {
    const int64_t icmo = Scalar("SELECT MIN(FICMOInterID) FROM SHWorkBill WHERE FBillType = 11621");
    ASSERT_GT(icmo, 0);
    auto opers = IcmoQuery()->GetICMOOper(Props(), static_cast<int32_t>(icmo));
    opers->SetFilter(" FBillType= 11620");
    EXPECT_GT(opers->RecordCount(), 0);
    opers->SetFilter(" FBillType =11621");
    EXPECT_EQ(opers->RecordCount(), 2);
    EXPECT_FALSE(Text(opers, "FOperName").empty());
}

TEST_F(TrackedBills, TaskOrderWithoutOperationsHasNone) {
    const int64_t icmo = Scalar(
        "SELECT MIN(FInterID) FROM ICMO WHERE FInterID NOT IN "
        "(SELECT FICMOInterID FROM SHWorkBill)");
    auto opers = IcmoQuery()->GetICMOOper(Props(), static_cast<int32_t>(icmo));
    ASSERT_TRUE(opers);
    EXPECT_EQ(opers->RecordCount(), 0);
}

TEST_F(TrackedBills, TaskOrderInfoReadsIdsAndDictionaries) {
    auto list = std::make_shared<automation::Vector>();
    auto first = std::make_shared<automation::Dictionary>();
    first->SetItem("FInterID", Variant(int32_t{5}));
    first->SetItem("FBillNo", Variant("WORK000005"));
    list->Add(Variant(first));
    list->Add(Variant(int32_t{6}));
    list->Add(Variant("7"));
    auto rs = IcmoQuery()->GetICMOInfo(Props(), list);
    ASSERT_EQ(rs->RecordCount(), 3);
    rs->SetFilter("FInterID = 5");
    EXPECT_EQ(Number(rs, "FSuspend"), 1);
    rs->SetFilter("FInterID = 6");
    EXPECT_EQ(Number(rs, "FCancellation"), 1);
}

TEST_F(TrackedBills, StockQuantitiesAreKeyedByBillNumberAndEntry) {
    const int64_t icmo = Scalar("SELECT MIN(FICMOInterID) FROM PPBOM");
    auto rows =
        IcmoQuery()->GetICMOQuery(Props(), static_cast<int32_t>(icmo), -85, Variant(int32_t{-88}));
    ASSERT_GT(rows->RecordCount(), 1);
    rows->MoveLast();
    auto stock = IcmoQuery()->GetStockQty(Props(), rows);
    ASSERT_TRUE(stock);
    EXPECT_EQ(stock->Count(), rows->RecordCount());
    EXPECT_FALSE(rows->Eof());  // the caller's cursor did not move
    rows->MoveFirst();
    const std::string key = Text(rows, "FBillNO") + Text(rows, "FEntryID");
    ASSERT_TRUE(stock->Exists(key)) << key;
    EXPECT_DOUBLE_EQ(
        automation::CDbl(stock->Item(key)),
        static_cast<double>(
            Scalar("SELECT SUM(FQty) FROM ICInventory WHERE FItemID = " + Text(rows, "FItemID"))));
}

}  // namespace
}  // namespace mt_test

namespace mt_test {
namespace {

class ValueTypes : public ErpFixture {};

TEST_F(ValueTypes, DatesArriveAsDatesThroughEveryView) {
    auto head = IcmoQuery()->GetICMOQuery(Props(), 1, 85, Variant(int32_t{-85}));
    EXPECT_EQ(head->Value("FPlanFinishDate").Type(), automation::VarType::Date);
    auto rows = IcmoQuery()->GetICMOQuery(Props(), 1, -85, Variant(int32_t{-85}));
    ASSERT_GT(rows->RecordCount(), 0);
    EXPECT_EQ(rows->Value("FDate").Type(), automation::VarType::Date);
    auto para = std::make_shared<automation::Dictionary>();
    para->SetItem("FInterID", Variant(int32_t{1}));
    para->SetItem("FEntryID", Variant(int32_t{1}));
    para->SetItem("FClassTypeID", Variant(int32_t{81}));
    para->SetItem("FTranTypeID", Variant(int32_t{81}));
    auto order = OrderQuery()->GetSeOrderPerforms(Props(), para)->Item(1).As<adodb::Recordset>();
    ASSERT_EQ(order->RecordCount(), 1);
    EXPECT_EQ(order->Value("FDeliveryDate").Type(), automation::VarType::Date);
}

TEST_F(ValueTypes, EmptyOrMissingTaskOrderListGivesNoRows) {
    EXPECT_EQ(
        IcmoQuery()->GetICMOInfo(Props(), std::make_shared<automation::Vector>())->RecordCount(),
        0);
    EXPECT_EQ(IcmoQuery()->GetICMOInfo(Props(), nullptr)->RecordCount(), 0);
}

TEST_F(ValueTypes, EachProgIdCreatesItsServer) {
    EXPECT_EQ(automation::CreateObject(trackquery::kProgIdGetICMOQuery)->TypeName(),
              "CGetICMOQuery");
    EXPECT_EQ(automation::CreateObject(trackquery::kProgIdSetICMOQuery)->TypeName(),
              "CSetICMOQuery");
    EXPECT_EQ(automation::CreateObject(trackquery::kProgIdGetOrderQuery)->TypeName(),
              "CGetOrderQuery");
}

}  // namespace
}  // namespace mt_test
