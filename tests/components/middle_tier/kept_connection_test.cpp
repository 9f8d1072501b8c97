// Reads go through one connection kept open per database; each call must still find the
// database as it is now: rows other programs committed, a file replaced under the same name, a
// server session that was ended.

#include "erp_fixture.h"

#include <components/session/kept_connections.h>

namespace mt_test {
namespace {

class KeptConnection : public ErpFixture {
  protected:
    int64_t Count(const std::string& table) {
        auto rs = IcmoQuery()->GetRs(Props(), "SELECT COUNT(*) AS N FROM " + table);
        return automation::CLng(rs->Value("N"));
    }
};

TEST_F(KeptConnection, EachCallSeesTheDatabaseAsItIsNow) {
    const int64_t groups = Count("t_Group");
    auto kept = client::ReadConnection(Props());
    EXPECT_EQ(client::ReadConnection(Props()), kept) << "the connection is kept";
    Execute("INSERT INTO t_Group (FGroupID, FUserID) VALUES (77, 77)");
    EXPECT_EQ(Count("t_Group"), groups + 1) << "another program's commit";

    if (test_support::OnPostgres()) {
        // The server ended the kept session (a restart, an administrator): the next call opens
        // a new one instead of failing.
        Execute(
            "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = "
            "current_database() AND pid <> pg_backend_pid()");
        EXPECT_EQ(Count("t_Group"), groups + 1);
        EXPECT_NE(client::ReadConnection(Props()), kept);
        client::CloseReadConnections();
        return;
    }

    // Another database copied over the file: the kept connection would still read the old one.
    const std::string other = TempPath("other");
    erp::BuildFixture(
        other, erp::FixtureDefinition{.statements = {"DELETE FROM t_Group WHERE FGroupID <> 1"}});
    std::filesystem::rename(other, path_);
    EXPECT_EQ(Count("t_Group"), Scalar("SELECT COUNT(*) FROM t_Group"));
    EXPECT_NE(client::ReadConnection(Props()), kept);

    std::filesystem::remove(path_);
    EXPECT_THROW(Count("t_Group"), automation::RuntimeError) << "a removed file is not read";
    client::CloseReadConnections();
}

}  // namespace
}  // namespace mt_test

namespace mt_test {
namespace {

// The SELECT of a kind is worked out from its template and view once per kept connection; a
// change to either shows at the next call, whether the remembered SELECT still runs or not.
TEST_F(KeptConnection, ATemplateOrViewChangedBetweenCallsShowsAtTheNextCall) {
    constexpr int32_t kMaterialList = -88;
    auto Columns = [&] {
        return FieldNames(IcmoQuery()->GetICMOQuery(Props(), 1, -85, Variant(kMaterialList), ""));
    };
    const std::vector<std::string> before = Columns();
    ASSERT_GT(before.size(), 3u);
    EXPECT_EQ(Columns(), before) << "nothing changed";

    // The template's last column moves first: it follows FRowID.
    Execute(
        "UPDATE ICTrackTemplate SET FIndex = -1 WHERE FTrackType = -85 AND FTranType = -88 "
        "AND FIndex = (SELECT MAX(FIndex) FROM ICTrackTemplate WHERE FTrackType = -85 AND "
        "FTranType = -88)");
    const std::vector<std::string> reordered = Columns();
    ASSERT_EQ(reordered.size(), before.size());
    EXPECT_NE(reordered, before);

    // The kind reads from a view of fewer columns now, the view the remembered SELECT names is
    // gone: the call reads with a SELECT worked out anew.
    const std::string kept =
        "FParentID, FBillInterID, FBillNO, FStatus, FEntryID, FItemNumber, FItemName, FUnitName, "
        "FQtyMust, FQtySupply, FAuxQtyStock, FBillerID";  // the template's and the order's
    Execute("CREATE VIEW VTrack_Narrow AS SELECT * FROM VTrack_PPBOM");
    Execute("UPDATE ICTrackKind SET FViewName = 'VTrack_Narrow' WHERE FTranType = -88");
    EXPECT_EQ(Columns(), reordered) << "the same columns through the new view";
    Execute("DROP VIEW VTrack_Narrow");
    Execute("CREATE VIEW VTrack_Narrower AS SELECT " + kept + " FROM VTrack_PPBOM");
    Execute("UPDATE ICTrackKind SET FViewName = 'VTrack_Narrower' WHERE FTranType = -88");
    const std::vector<std::string> narrow = Columns();
    EXPECT_LT(narrow.size(), reordered.size());
    EXPECT_EQ(narrow.front(), "FRowID");
    client::CloseReadConnections();
}

}  // namespace
}  // namespace mt_test
