// Sales order tracking reads: order lists with their limits, phase bills, entry details and
// execution summaries.

#include "erp_fixture.h"

namespace mt_test {
namespace {

// An extra checked sales order with `entries` entries, numbered BIG000001.
std::string BigOrder(int entries) {
    return "INSERT INTO SEOrder (FInterID, FBillNo, FClassTypeID, FDate, FCustID, FCurrencyID, "
           "FStatus, FCheckerID, FBillerID) VALUES (900001, 'BIG000001', 0, '2026-05-01', 1, 1, "
           "1, 16396, 16396);"
           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           std::to_string(entries) +
           ") INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FQty, FPrice, FAmount, "
           "FDeliveryDate) SELECT 900001, i, 1, 1, 1, 1, '2026-06-01' FROM n;";
}

class OrderQueries : public ErpFixture {
  protected:
    // Twelve orders: 4 and 8 are export orders, 9 is saved only, 12 cancelled, 5 and 10 were
    // also paid in advance.
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.data.salesOrders = 12;
        return definition;
    }
    automation::DictionaryPtr Filter(int32_t classType, const std::string& number) {
        auto filter = std::make_shared<automation::Dictionary>();
        filter->SetItem("FBillNo", Variant(number));
        filter->SetItem("FClassTypeID", Variant(classType));
        return filter;
    }
    automation::DictionaryPtr Para(int32_t order, int32_t entry, int32_t classType) {
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("FInterID", Variant(order));
        para->SetItem("FEntryID", Variant(entry));
        para->SetItem("FDetailID", Variant(int32_t{0}));
        para->SetItem("FClassTypeID", Variant(classType));
        para->SetItem("UserOption", Variant(options_));
        return para;
    }
    automation::DictionaryPtr options_ = std::make_shared<automation::Dictionary>();
};

TEST_F(OrderQueries, TypedNumberListsTheCheckedEntriesOfThatOrder) {
    auto status = std::make_shared<automation::Dictionary>();
    auto rs = OrderQuery()->GetOrderList(Props(), Filter(81, "SEORD000001"), status);
    ASSERT_TRUE(rs);
    EXPECT_EQ(status->Item("RetCode"), Variant(int32_t{0}));
    EXPECT_EQ(rs->RecordCount(), Scalar("SELECT COUNT(*) FROM SEOrderEntry WHERE FInterID = 1"));
    for (const char* field : {"FInterID", "FBillNo", "FCustName", "FEntryID", "FItemNumber",
                              "FItemName", "FItemModel"}) {
        EXPECT_NO_THROW(rs->Value(field)) << field;
    }
}

TEST_F(OrderQueries, UncheckedCancelledAndForeignClassOrdersAreNotListed) {
    // Order 9 is saved only, order 12 cancelled; order 4 is an export order.
    ASSERT_EQ(Scalar("SELECT COUNT(*) FROM SEOrder WHERE FInterID = 9 AND FCheckerID IS NULL"), 1);
    ASSERT_EQ(Scalar("SELECT COUNT(*) FROM SEOrder WHERE FInterID = 12 AND FCancellation = 1"), 1);
    auto status = std::make_shared<automation::Dictionary>();
    EXPECT_EQ(OrderQuery()->GetOrderList(Props(), Filter(81, "SEORD000009"), status)->RecordCount(),
              0);
    EXPECT_EQ(OrderQuery()->GetOrderList(Props(), Filter(81, "SEORD000012"), status)->RecordCount(),
              0);
    EXPECT_EQ(OrderQuery()->GetOrderList(Props(), Filter(81, "EXP000004"), status)->RecordCount(),
              0);
    auto exported = OrderQuery()->GetOrderList(Props(), Filter(1007100, "EXP000004"), status);
    EXPECT_EQ(exported->RecordCount(),
              Scalar("SELECT COUNT(*) FROM SEOrderExpDetail WHERE FInterID = 4"));
    EXPECT_GT(Number(exported, "FDetailID"), 0);
}

TEST_F(OrderQueries, TypedNumberIsDataNotSql) {
    auto status = std::make_shared<automation::Dictionary>();
    auto rs = OrderQuery()->GetOrderList(Props(), Filter(81, "%' OR 1=1 --"), status);
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_EQ(OrderQuery()->GetOrderList(Props(), Filter(81, "_"), status)->RecordCount(), 0);
}

TEST_F(OrderQueries, SelectedEntriesOrWholeOrdersFromAVector) {
    auto list = std::make_shared<automation::Vector>();
    auto item = std::make_shared<automation::Dictionary>();
    item->SetItem("FInterID", Variant(int32_t{2}));
    item->SetItem("FEntryID", Variant(int32_t{1}));
    list->Add(Variant(item));
    auto filter = Filter(81, "");
    filter->SetItem("vctSeOrderList", Variant(list));
    auto status = std::make_shared<automation::Dictionary>();
    EXPECT_EQ(OrderQuery()->GetOrderList(Props(), filter, status)->RecordCount(), 1);
    filter->SetItem("SelWholeBill", Variant(true));
    EXPECT_EQ(OrderQuery()->GetOrderList(Props(), filter, status)->RecordCount(),
              Scalar("SELECT COUNT(*) FROM SEOrderEntry WHERE FInterID = 2"));
}

class LargeOrder : public OrderQueries {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition = OrderQueries::Definition();
        definition.statements.push_back(BigOrder(2001));
        return definition;
    }
};

TEST_F(LargeOrder, MoreThan2000EntriesAskFirstThenListWithContinue) {
    auto status = std::make_shared<automation::Dictionary>();
    auto filter = Filter(81, "BIG");
    EXPECT_FALSE(OrderQuery()->GetOrderList(Props(), filter, status));
    EXPECT_EQ(status->Item("RetCode"), Variant(int32_t{1}));
    status->SetItem("Continue", Variant(true));
    auto rs = OrderQuery()->GetOrderList(Props(), filter, status);
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 2001);
    EXPECT_EQ(status->Item("RetCode"), Variant(int32_t{0}));
}

class HugeOrder : public OrderQueries {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition = OrderQueries::Definition();
        definition.statements.push_back(BigOrder(32768));
        return definition;
    }
};

TEST_F(HugeOrder, MoreThan32767EntriesAreRefusedEvenWithContinue) {
    auto status = std::make_shared<automation::Dictionary>();
    status->SetItem("Continue", Variant(true));
    EXPECT_FALSE(OrderQuery()->GetOrderList(Props(), Filter(81, "BIG"), status));
    EXPECT_EQ(status->Item("RetCode"), Variant(int32_t{2}));
}

TEST_F(OrderQueries, ReceiptPhaseHoldsReceiptsAndWriteOffLines) {
    const int32_t order = 1;
    auto para = Para(order, 1, 81);
    para->SetItem("FTranTypeID", Variant(int32_t{1000034}));
    auto bills = OrderQuery()->GetSeOrderPerforms(Props(), para);
    ASSERT_TRUE(bills);
    ASSERT_EQ(bills->Count(), 2);
    auto receipts = bills->Item(1).As<adodb::Recordset>();
    auto writeOffs = bills->Item(2).As<adodb::Recordset>();
    EXPECT_EQ(receipts->RecordCount(), 2);
    EXPECT_EQ(writeOffs->RecordCount(), 2);
    EXPECT_EQ(writeOffs->Value("FClassTypeID"), Variant(int32_t{-10000}));
    EXPECT_EQ(FieldNames(receipts), FieldNames(writeOffs));
}

TEST_F(OrderQueries, ReceiptKindsFollowTheUserOptions) {
    // Order 5 was also paid in advance.
    auto para = Para(5, 1, 81);
    para->SetItem("FTranTypeID", Variant(int32_t{1000034}));
    options_->SetItem("ShowReceive", Variant(int32_t{0}));
    options_->SetItem("ShowPreReceive", Variant(int32_t{1}));
    auto receipts = OrderQuery()->GetSeOrderPerforms(Props(), para)->Item(1).As<adodb::Recordset>();
    ASSERT_EQ(receipts->RecordCount(), 1);
    EXPECT_EQ(receipts->Value("FClassTypeID"), Variant(int32_t{1000015}));
}

TEST_F(OrderQueries, EveryPhaseReturnsTheColumnsOfItsTemplate) {
    auto templates =
        IcmoQuery()->GetQueryFields(Props(), 81, Variant("81, 82, 21, 1007132, 80, 1000034, 85"));
    for (int32_t phase : {81, 82, 21, 1007132, 80, 1000034, 85}) {
        auto para = Para(4, 1, 1007100);
        para->SetItem("FTranTypeID", Variant(phase));
        auto bills = OrderQuery()->GetSeOrderPerforms(Props(), para);
        auto rs = bills->Item(1).As<adodb::Recordset>();
        templates->SetFilter("FTranType = " + std::to_string(phase));
        for (; !templates->Eof(); templates->MoveNext()) {
            EXPECT_NO_THROW(rs->Fields()->Item(Text(templates, "FKey")))
                << phase << " " << Text(templates, "FKey");
        }
    }
}

TEST_F(OrderQueries, PartialDeliveriesShowInTheSummary) {
    auto summary = OrderQuery()->GetSeOrderCollect(Props(), Para(1, 1, 81));
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->Key(1), "00ORDER");
    EXPECT_FALSE(summary->Exists("01LC"));  // letters of credit belong to export orders
    auto order = summary->Item("00ORDER").As<adodb::Recordset>();
    auto notices = summary->Item("02INFORM").As<adodb::Recordset>();
    const double ordered = automation::CDbl(order->Value("FQty"));
    const double shipped = automation::CDbl(notices->Value("FQty"));
    EXPECT_GT(shipped, 0);
    EXPECT_LT(shipped, ordered);
    EXPECT_DOUBLE_EQ(automation::CDbl(notices->Value("FUnCommitQty")), ordered - shipped);
    EXPECT_DOUBLE_EQ(automation::CDbl(notices->Value("FCommitPer")), shipped / ordered);
    EXPECT_EQ(order->Value("FCommitPer"), Variant("-"));
    EXPECT_EQ(summary->Item("05RECEIVE").As<adodb::Recordset>()->Value("FQty"), Variant("-"));
}

TEST_F(OrderQueries, SummaryLeavesOutThePhasesTheUserSwitchedOff) {
    options_->SetItem("ShowInvoice", Variant(int32_t{0}));
    options_->SetItem("ShowMO", Variant(false));
    options_->SetItem("ShowReceive", Variant(int32_t{0}));
    options_->SetItem("ShowPreReceive", Variant(int32_t{0}));
    auto summary = OrderQuery()->GetSeOrderCollect(Props(), Para(4, 1, 1007100));
    EXPECT_TRUE(summary->Exists("01LC"));
    EXPECT_TRUE(summary->Exists("03SALEOUT"));
    EXPECT_FALSE(summary->Exists("04INVOICE"));
    EXPECT_FALSE(summary->Exists("05RECEIVE"));
    EXPECT_FALSE(summary->Exists("06MO"));
}

TEST_F(OrderQueries, SummaryOfAMissingEntryIsAFailure) {
    EXPECT_THROW(OrderQuery()->GetSeOrderCollect(Props(), Para(1, 99, 81)),
                 automation::RuntimeError);
}

TEST_F(OrderQueries, EntryDetailCarriesDecimalsAndExchangeRate) {
    auto detail = OrderQuery()->GetSeOrderDetail(Props(), Para(4, 1, 1007100));
    ASSERT_EQ(detail->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(automation::CDbl(detail->Value("FExchangeRate")), 6.83);
    EXPECT_NO_THROW(detail->Value("FQtyDecimal"));
    auto head = IcmoQuery()->GetQueryFields(Props(), 81, Variant("-81"));
    for (; !head->Eof(); head->MoveNext()) {
        EXPECT_NO_THROW(detail->Fields()->Item(Text(head, "FKey"))) << Text(head, "FKey");
    }
    EXPECT_EQ(OrderQuery()->GetSeOrderDetail(Props(), Para(4, 1, 81))->RecordCount(), 0);
}

}  // namespace
}  // namespace mt_test
