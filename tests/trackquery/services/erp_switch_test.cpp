// The client's switch file: where it is looked for, read-only files, and a missing file.

#include <support/security_test_support.h>

#include <platform/automation/errors.h>

using namespace security_test;
namespace fs = std::filesystem;

namespace {

class ErpSwitchTest : public SecurityTest {};

constexpr char kSwitchText[] = "Provider=SQLite;Data Source=/srv/erp/erp.db";

bool IsReadOnly(const fs::path& file) {
    const auto writeBits =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (fs::status(file).permissions() & writeBits) == fs::perms::none;
}

TEST_F(ErpSwitchTest, FoundInTheClientFolder) {
    WriteSwitchFile(kSwitchText);
    WriteSwitchFile("second place", "erpSystem/ErpSwitch.sss");
    EXPECT_EQ(trackquery::ReadErpSwitch(), kSwitchText);
}

TEST_F(ErpSwitchTest, FoundInTheSecondPlace) {
    WriteSwitchFile(kSwitchText, "erpSystem/ErpSwitch.sss");
    EXPECT_EQ(trackquery::ReadErpSwitch(), kSwitchText);
}

TEST_F(ErpSwitchTest, NeitherPlaceGivesTheEmptyText) { EXPECT_EQ(trackquery::ReadErpSwitch(), ""); }

TEST_F(ErpSwitchTest, TrailingLineBreaksAreNotPartOfTheText) {
    WriteSwitchFile(std::string(kSwitchText) + "\r\n");
    EXPECT_EQ(trackquery::ReadErpSwitch(), kSwitchText);
}

TEST_F(ErpSwitchTest, ReadOnlyFileLosesItsReadOnlyAttribute) {
    const auto file = WriteSwitchFile(kSwitchText, "erpSystem/ErpSwitch.sss");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    ASSERT_TRUE(IsReadOnly(file));
    EXPECT_EQ(trackquery::ReadErpSwitch(), kSwitchText);
    EXPECT_FALSE(IsReadOnly(file));
    EXPECT_TRUE((fs::status(file).permissions() & fs::perms::owner_write) != fs::perms::none);
}

TEST_F(ErpSwitchTest, WritableFileKeepsItsPermissions) {
    const auto file = WriteSwitchFile(kSwitchText);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    trackquery::ReadErpSwitch();
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ErpSwitchTest, GivenPathIsUsedUnchanged) {
    const auto file = folder_ / "elsewhere.sss";
    std::ofstream(file) << "Data Source=/x.db";
    WriteSwitchFile(kSwitchText);
    EXPECT_EQ(trackquery::ReadErpSwitch(file.string()), "Data Source=/x.db");
}

TEST_F(ErpSwitchTest, MissingGivenFileReachesTheCaller) {
    try {
        trackquery::ReadErpSwitch((folder_ / "missing.sss").string());
        FAIL() << "a missing switch file must fail";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 53);
    }
}

TEST_F(ErpSwitchTest, WithoutAConfiguredFolderTheLibraryFolderIsSearched) {
    client::RegisterSecurityComponents("");
    const auto folder = trackquery::GetLibraryFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::is_directory(folder)) << folder;
    if (!fs::exists(folder + "ErpSwitch.sss") && !fs::exists(folder + "erpSystem/ErpSwitch.sss")) {
        EXPECT_EQ(trackquery::ReadErpSwitch(), "");
    }
}

}  // namespace
