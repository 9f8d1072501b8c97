// Reads go through one connection kept open per database; each call must still find the
// database as it is now: rows other programs committed, a file replaced under the same name, a
// server session that was ended.

#include "erp_fixture.h"

#include <client/session/kept_connections.h>

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
