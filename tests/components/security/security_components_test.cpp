// The permission service, the system profile, the file service and the application connection
// over a real ERP database.

#include <support/error_number.h>
#include "client_fixture.h"

#include <components/security/app_connection.h>
#include <components/security/file_service.h>
#include <components/security/gl_data.h>
#include <components/security/system_profile.h>
#include <components/session/session_database.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <support/error_number.h>

#include <fstream>

using automation::Variant;

namespace {

class SecurityComponentsTest : public client_test::ClientDatabaseTest {
  protected:
    void SetUp() override {
        ClientDatabaseTest::SetUp();
        Execute(
            "INSERT INTO t_Group VALUES (5, 20001), (0, 20001), (0, 16394);"
            "INSERT INTO t_AccessRight VALUES (0, 16394, 1022, 10, 6291456);"  // view + modify
            "INSERT INTO t_AccessRight VALUES (1, 5, 1022, 105, 32768);"       // print, group 5
            "INSERT INTO t_AccessRight VALUES (0, 70000, 1017, 50, 2097152);"
            "INSERT INTO t_SystemProfile VALUES ('IC', 'CheckUserGroup', '1'),"
            " ('IC', 'UseShortNumber', '0'), ('SYS', 'Company', 'Velo 公司');");
    }
};

// --- Permission service -----------------------------------------------------------------------

TEST_F(SecurityComponentsTest, OwnRightsGrantTheirBits) {
    client::GLData rights;
    EXPECT_TRUE(rights.AccessCheck(1022, 10, 0x200000));
    EXPECT_TRUE(rights.AccessCheck(1022, 10, 0x400000));
    EXPECT_TRUE(rights.AccessCheck(1022, 10, 0x600000));
    EXPECT_FALSE(rights.AccessCheck(1022, 10, 0x20000));
    EXPECT_FALSE(rights.AccessCheck(1022, 10, 0x220000)) << "every bit of the code is needed";
    EXPECT_FALSE(rights.AccessCheck(1022, 88, 0x200000));
}

TEST_F(SecurityComponentsTest, ActionCodeZeroGrantsNothing) {
    EXPECT_FALSE(client::GLData().AccessCheck(1022, 10, 0));
}

TEST_F(SecurityComponentsTest, GroupRightsGrantTheirMembersOnly) {
    UseUser(20001, "clerk");
    EXPECT_TRUE(client::GLData().AccessCheck(1022, 105, 32768));
    EXPECT_FALSE(client::GLData().AccessCheck(1022, 10, 0x200000));
    UseUser(16394, "administrator");
    EXPECT_FALSE(client::GLData().AccessCheck(1022, 105, 32768));
}

TEST_F(SecurityComponentsTest, UserIdAboveSixteenBitsIsItsOwnUser) {
    UseUser(70000, "big");
    EXPECT_TRUE(client::GLData().AccessCheck(1017, 50, 0x200000));
    UseUser(70000 - 65536, "wrapped");
    EXPECT_FALSE(client::GLData().AccessCheck(1017, 50, 0x200000));
}

TEST_F(SecurityComponentsTest, NoSessionIsAnErrorNotAGrant) {
    client::ClearSessionProperties();
    EXPECT_NE(ErrorNumberOf([] { client::GLData().AccessCheck(1022, 10, 0x200000); }), 0);
}

TEST_F(SecurityComponentsTest, WriteLogRecordsTheUserAndTheText) {
    client::GLData().WriteLog("K030105", 1, "销售订单全程跟踪打印");
    client::GLData().WriteLog("K030105", 2, "it's quoted");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccessLog WHERE FUserID=16394"), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccessLog WHERE FFunction='K030105' AND FPhase=1 AND "
                    "FDescription='销售订单全程跟踪打印'"),
              1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccessLog WHERE FPhase=2 AND "
                    "FDescription='it''s quoted'"),
              1);
    EXPECT_THROW(client::GLData().WriteLog("K030105", 3, "no such phase"),
                 automation::RuntimeError);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccessLog"), 2);
}

// --- System profile ---------------------------------------------------------------------------

TEST_F(SecurityComponentsTest, WholeNumbersComeBackAsNumbers) {
    const auto props = client::SessionPropsString();
    EXPECT_EQ(client::SystemProfile().GetProfile(props, "IC", "CheckUserGroup"),
              Variant(int64_t{1}));
    EXPECT_EQ(client::SystemFunc().GetSystemProfile(props, "UseShortNumber", "IC"),
              Variant(int64_t{0}));
}

TEST_F(SecurityComponentsTest, TextValuesStayText) {
    EXPECT_EQ(client::SystemProfile().GetProfile(client::SessionPropsString(), "SYS", "Company"),
              Variant("Velo 公司"));
}

TEST_F(SecurityComponentsTest, SectionAndKeyIgnoreLetterCase) {
    EXPECT_EQ(
        client::SystemProfile().GetProfile(client::SessionPropsString(), "ic", "checkusergroup"),
        Variant(int64_t{1}));
}

TEST_F(SecurityComponentsTest, MissingEntryIsNull) {
    EXPECT_TRUE(
        client::SystemProfile().GetProfile(client::SessionPropsString(), "IC", "Nothing").IsNull());
    EXPECT_TRUE(client::SystemProfile()
                    .GetProfile(client::SessionPropsString(), "x' OR '1'='1", "CheckUserGroup")
                    .IsNull());
}

TEST_F(SecurityComponentsTest, ProfileOfAMissingDatabaseFails) {
    const auto props = client::erp_database::PropsStringFor((folder_ / "none.db").string(), 1, "a");
    EXPECT_NE(ErrorNumberOf([&] { client::SystemProfile().GetProfile(props, "IC", "X"); }), 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "none.db"));
}

// --- File service -----------------------------------------------------------------------------

TEST_F(SecurityComponentsTest, SearchPathIsTheConfiguredFolder) {
    EXPECT_EQ(client::FileService("/opt/client").GetSearchPath("/usr/lib/"), "/opt/client/");
    EXPECT_EQ(client::FileService("").GetSearchPath("/usr/lib"), "/usr/lib/");
}

TEST_F(SecurityComponentsTest, FileTextWithAndWithoutTrailingLineBreaks) {
    const auto file = folder_ / "switch.sss";
    std::ofstream(file, std::ios::binary) << "Data Source=/a.db\r\n\n";
    client::FileService files;
    EXPECT_EQ(files.ReadFileText(file.string(), true), "Data Source=/a.db");
    EXPECT_EQ(files.ReadFileText(file.string(), false), "Data Source=/a.db\r\n\n");
}

TEST_F(SecurityComponentsTest, EmptyFileIsEmptyText) {
    const auto file = folder_ / "empty.sss";
    std::ofstream(file, std::ios::binary).flush();
    EXPECT_EQ(client::FileService().ReadFileText(file.string(), true), "");
}

TEST_F(SecurityComponentsTest, MissingFileIsFileNotFound) {
    EXPECT_EQ(ErrorNumberOf(
                  [&] { client::FileService().ReadFileText((folder_ / "none").string(), true); }),
              53);
    EXPECT_EQ(ErrorNumberOf([&] { client::FileService().ReadFileText(folder_.string(), true); }),
              53);
}

// --- Application connection -------------------------------------------------------------------

TEST_F(SecurityComponentsTest, ValuesAreBoundNotPasted) {
    client::AppConnection cnn;
    auto rs = cnn.Execute("SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID=?",
                          {Variant("20001' OR '1'='1")});
    EXPECT_EQ(automation::CLng(rs->Value("Num")), 0);
    rs = cnn.Execute("SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID=?",
                     {Variant(20001)});
    EXPECT_EQ(automation::CLng(rs->Value("Num")), 1);
}

TEST_F(SecurityComponentsTest, TheConnectionOnlyReads) {
    client::AppConnection cnn;
    EXPECT_THROW(cnn.Execute("DELETE FROM t_Group"), automation::RuntimeError);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM t_Group"), 3);
}

TEST_F(SecurityComponentsTest, RegisteredUnderTheirProgIds) {
    for (const char* progId : {trackquery::kGLDataProgId, trackquery::kSystemProfileProgId,
                               trackquery::kSystemFuncProgId, trackquery::kFileServiceProgId,
                               trackquery::kAppConnectionProgId}) {
        EXPECT_TRUE(automation::ComponentRegistry::Instance().IsRegistered(progId)) << progId;
    }
    EXPECT_EQ(automation::CreateObject<trackquery::IFileService>(trackquery::kFileServiceProgId)
                  ->GetSearchPath("/ignored"),
              (folder_ / "client").string() + "/");
}

}  // namespace
