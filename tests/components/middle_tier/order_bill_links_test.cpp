// GetOrderBillLinks: where the bills of an order entry name another bill, read on both engines
// and checked against the database; parameters that are no numbers are refused, never run.

#include "erp_fixture.h"

#include <platform/automation/errors.h>

#include <set>

namespace {

using namespace mt_test;

class OrderBillLinks : public ErpFixture {
  protected:
    automation::DictionaryPtr Para(const Variant& order, const Variant& entry) {
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("FInterID", order);
        para->SetItem("FEntryID", entry);
        return para;
    }
};

TEST_F(OrderBillLinks, OutboundBillsNameTheirNoticesAndWriteOffsTheirReceipts) {
    auto links = OrderQuery()->GetOrderBillLinks(Props(), Para(Variant(1), Variant(1)));
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(FieldNames(links),
              (std::vector<std::string>{"FFromKind", "FFromID", "FToKind", "FToID"}));
    std::set<std::string> outbound, writeOffs;
    for (links->MoveFirst(); !links->Eof(); links->MoveNext()) {
        const std::string from = std::to_string(Number(links, "FFromID"));
        const std::string to = std::to_string(Number(links, "FToID"));
        if (Number(links, "FFromKind") == 21) {
            EXPECT_EQ(Number(links, "FToKind"), 82);
            // The notice named serves the same order entry.
            EXPECT_EQ(Scalar("SELECT COUNT(*) FROM SEOutStockEntry WHERE FInterID = " + to +
                             " AND FOrderInterID = 1 AND FOrderEntryID = 1"),
                      1);
            outbound.insert(from);
        } else {
            EXPECT_EQ(Number(links, "FFromKind"), -10000);
            EXPECT_EQ(Scalar("SELECT FReceiptInterID FROM t_RPWriteOff WHERE FID = " + from),
                      Number(links, "FToID"));
            writeOffs.insert(from);
        }
    }
    EXPECT_FALSE(outbound.empty());
    EXPECT_FALSE(writeOffs.empty());
    EXPECT_EQ(static_cast<int64_t>(outbound.size()),
              Scalar("SELECT COUNT(DISTINCT e.FInterID) FROM ICStockBillEntry e JOIN ICStockBill s "
                     "ON s.FInterID = e.FInterID WHERE s.FTranType = 21 AND e.FOrderInterID = 1 "
                     "AND e.FOrderEntryID = 1 AND e.FSourceInterID <> 0"));
    EXPECT_EQ(static_cast<int64_t>(writeOffs.size()),
              Scalar("SELECT COUNT(*) FROM t_RPWriteOff WHERE FOrderInterID = 1 AND "
                     "FOrderEntryID = 1"));
}

TEST_F(OrderBillLinks, AnEntryWithoutBillsHasNoLinksAndTextIsNoNumber) {
    auto none = OrderQuery()->GetOrderBillLinks(Props(), Para(Variant(99999), Variant(1)));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->RecordCount(), 0);
    for (const Variant& bad : {Variant("1 OR 1=1"), Variant("1; DROP TABLE ICSale"), Variant()}) {
        EXPECT_THROW(OrderQuery()->GetOrderBillLinks(Props(), Para(bad, Variant(1))),
                     automation::RuntimeError);
    }
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICSale"), 0);
}

}  // namespace
