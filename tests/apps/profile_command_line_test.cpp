// --profile on the host's verbs: the profile's database, user and language, the command line's
// own options first, the profile used last without --db and --profile, and a clear refusal.

#include "acceptance/host_runner.h"

#include <harness/profiles.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace host_test;

class ProfileCommandLine : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* kept = std::getenv("XDG_CONFIG_HOME")) kept_ = kept;
        config_ = TempFile("config");
        fs::remove_all(config_);
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    }
    void TearDown() override {
        if (kept_) {
            ::setenv("XDG_CONFIG_HOME", kept_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        fs::remove_all(config_);
    }
    fs::path config_;
    std::optional<std::string> kept_;
};

TEST_F(ProfileCommandLine, AProfileGivesTheDatabaseUserAndLanguageAndBecomesTheLastOne) {
    harness::ProfileStore store;
    store.Save({"demo", DemoDatabase(30), "administrator", "EN"});
    store.Save({"elsewhere", "/nonexistent/erp.db", "administrator", "CHS"});

    const HostRun named = RunHost({"icmo", "--profile", "demo", "--lang", "CHT"}, "quit\n");
    ASSERT_EQ(named.exitCode, 0) << named.output;
    EXPECT_TRUE(named.Shows("language cht")) << "--lang wins over the profile: " << named.output;
    EXPECT_EQ(store.LastProfile(), "demo");

    const HostRun last = RunHost({"seorder"}, "quit\n");
    ASSERT_EQ(last.exitCode, 0) << last.output;
    EXPECT_TRUE(last.Shows("language en")) << last.output;

    const HostRun other = RunHost({"icmo", "--profile", "elsewhere"});
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_TRUE(other.Shows("\"/nonexistent/erp.db\" does not exist")) << other.output;
}

TEST_F(ProfileCommandLine, AnUnknownProfileOrNoneAtAllIsNamed) {
    const HostRun none = RunHost({"icmo"});
    EXPECT_NE(none.exitCode, 0);
    EXPECT_TRUE(none.Shows("--db is required")) << none.output;

    harness::ProfileStore().Save({"demo", DemoDatabase(30)});
    const HostRun unknown = RunHost({"icmo", "--profile", "nosuch"});
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_TRUE(unknown.Shows("there is no profile \"nosuch\" (saved: demo)")) << unknown.output;

    const HostRun both = RunHost({"icmo", "--profile", "demo", "--db", DemoDatabase(30)});
    EXPECT_NE(both.exitCode, 0);
    EXPECT_TRUE(both.Shows("excludes")) << both.output;
}

}  // namespace
