// The database gone while a task order is shown (a server down, a file moved away): every node
// the user expands then names its failure on the status line, the second as well as the first,
// never with the password of the address, and the view reads again once the database is back.

#include "trackquery/icmo_tracking/tracked_bills.h"

#include <support/database_outage.h>
#include <support/tracker_fixture.h>

#include <components/logging/failure_log.h>

#include <fstream>
#include <sstream>

namespace trackquery::testing {
namespace {

class DatabaseOutageTest : public TrackerFixture {
  protected:
    erp::FixtureDefinition Definition() const override { return TrackedBills(); }
};

TEST_F(DatabaseOutageTest, EveryFailureIsNamedAndTheViewReadsAgainWhenTheDatabaseIsBack) {
    const std::string password = "pw" + std::to_string(::getpid()) + "q";
    harness::HeadlessSessionOptions options;
    options.databasePath = test_support::OnPostgres()
                               ? Database() + "&password=" + password
                               : "Data Source=\"" + Database() + "\";Password=" + password;
    session_ = std::make_unique<harness::HeadlessSession>(options);
    Choose({"A01-85", "A02-88", "A03-501", "A05-551"});
    Start({9001});
    {
        test_support::DatabaseOutage outage(*database_);
        const struct {
            const char* path;
            const char* status;
        } expansions[] = {{"2", "读取数据失败，原因："},
                          {"3", "读取数据失败（连续第2次），原因："},
                          {"4", "读取数据失败（连续第3次），原因："}};
        for (const auto& [path, status] : expansions) {
            EXPECT_TRUE(Session().ExpandDetail(path)) << path;
            const std::string line = Viewer().StatusText();
            EXPECT_EQ(line.rfind(status, 0), 0u) << path << ": " << line;
            EXPECT_NE(line.find("The database"), std::string::npos) << path << ": " << line;
            EXPECT_EQ(line.find(password), std::string::npos) << line;
            EXPECT_EQ(NodeAt(path)->RowCount(), 0) << path;
        }
    }
    EXPECT_TRUE(Session().ExpandDetail("1"));
    EXPECT_EQ(NodeAt("1")->FillStatus, 1);
    EXPECT_GT(NodeAt("1")->RowCount(), 0) << "the task order itself";
    EXPECT_EQ(Viewer().StatusText(), "") << "the view shows what was asked for again";
    std::stringstream log;
    log << std::ifstream(client::FailureLogFile()).rdbuf();
    EXPECT_NE(log.str().find("ITrackQuery_DetailExpand"), std::string::npos);
    EXPECT_EQ(log.str().find(password), std::string::npos);
}

}  // namespace
}  // namespace trackquery::testing
