#include <trackquery/framework/server_registry_file.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace trackquery {
namespace {

class RegistryFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("tq_registry_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string PathIn(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

TEST_F(RegistryFileTest, MissingFileIsAnEmptyRegistry) {
    ServerRegistryFile registry(PathIn("none"));
    registry.Load();
    EXPECT_TRUE(registry.Entries().empty());
}

TEST_F(RegistryFileTest, EntriesSurviveASaveAndALoadAndTheFolderIsCreated) {
    const std::string path = PathIn("deep/er/registry");
    ServerRegistryFile written(path);
    written.Set("QzICMOTrackQuery.CICMOQuery", {"{D9C53283-C22C-455B-B2E5-2488C14FB077}", "/x.so"});
    written.Save();

    ServerRegistryFile read(path);
    read.Load();
    const RegistryEntry* entry = read.Find("qzicmotrackquery.cicmoquery");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Clsid, "{D9C53283-C22C-455B-B2E5-2488C14FB077}");
    EXPECT_EQ(entry->ServerPath, "/x.so");
}

TEST_F(RegistryFileTest, LinesOfOtherServersAreKeptAndMalformedLinesDropped) {
    std::filesystem::create_directories(folder_);
    const std::string path = PathIn("registry");
    std::ofstream(path) << "Other.Server\t{1}\t/other.so\nbroken line without tabs\n";
    ServerRegistryFile registry(path);
    registry.Load();
    registry.Set("QzICMOTrackQuery.CICMOQuery", {"{2}", "/mine.so"});
    registry.Save();

    ServerRegistryFile again(path);
    again.Load();
    EXPECT_EQ(again.Entries().size(), 2u);
    ASSERT_NE(again.Find("Other.Server"), nullptr);
    EXPECT_EQ(again.Find("Other.Server")->ServerPath, "/other.so");
}

TEST_F(RegistryFileTest, SettingAProgIdInAnotherCaseReplacesIt) {
    ServerRegistryFile registry(PathIn("registry"));
    registry.Set("A.B", {"{1}", "/one"});
    registry.Set("a.b", {"{2}", "/two"});
    ASSERT_EQ(registry.Entries().size(), 1u);
    EXPECT_EQ(registry.Find("A.B")->Clsid, "{2}");
}

TEST_F(RegistryFileTest, RemoveReportsWhetherTheProgIdWasThere) {
    ServerRegistryFile registry(PathIn("registry"));
    registry.Set("A.B", {"{1}", "/one"});
    EXPECT_TRUE(registry.Remove("a.b"));
    EXPECT_FALSE(registry.Remove("a.b"));
    EXPECT_EQ(registry.Find("A.B"), nullptr);
}

TEST_F(RegistryFileTest, AFailedSaveLeavesThePreviousFileUntouched) {
    std::filesystem::create_directories(folder_);
    const std::string path = PathIn("registry");
    std::ofstream(path) << "Kept\t{1}\t/kept.so\n";
    // A folder in the place of the temporary file makes the write fail.
    ServerRegistryFile registry(path);
    registry.Load();
    registry.Set("New", {"{2}", "/new.so"});
    std::filesystem::create_directories(path + ".tmp" + std::to_string(::getpid()));
    EXPECT_THROW(registry.Save(), std::runtime_error);

    ServerRegistryFile again(path);
    again.Load();
    EXPECT_EQ(again.Entries().size(), 1u);
    EXPECT_NE(again.Find("Kept"), nullptr);
}

TEST(RegistryFilePath, TheEnvironmentVariableChoosesTheFile) {
    ::setenv("TRACKQUERY_REGISTRY_FILE", "/tmp/somewhere/reg", 1);
    EXPECT_EQ(RegistryFilePath(), "/tmp/somewhere/reg");
    ::unsetenv("TRACKQUERY_REGISTRY_FILE");
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(RegistryFilePath(), std::string(home) + "/.config/trackquery/registry");
    }
}

}  // namespace
}  // namespace trackquery
