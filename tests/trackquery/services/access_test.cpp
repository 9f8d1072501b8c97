// Permission checks by bill kind and by bill class, action names and the system profile.

#include <support/security_test_support.h>

#include <trackquery/services/BillFunc.h>

#include <platform/automation/conversions.h>

using namespace security_test;
using trackquery::CheckAccess;
using trackquery::CheckAccessRow;
using trackquery::kActionAdd;
using trackquery::kActionModify;
using trackquery::kActionView;

namespace {

class AccessTest : public SecurityTest {};

automation::DictionaryPtr ClassRow(int32_t objectType, int32_t objectId, const std::string& name) {
    auto row = std::make_shared<automation::Dictionary>();
    row->SetItem("FObjectType", objectType);
    row->SetItem("FObjectID", objectId);
    row->SetItem("FName", name);
    return row;
}

// --- CheckAccess ------------------------------------------------------------------------------

TEST_F(AccessTest, NegatedKindIsReadByItsAbsoluteValue) {
    int32_t kindType = 0;
    std::string message;
    EXPECT_TRUE(CheckAccess(-85, kActionView, kindType, message));
    ASSERT_EQ(ReadOnlyMiddleTier::Statements().size(), 1u);
    EXPECT_EQ(ReadOnlyMiddleTier::Statements()[0],
              " SELECT FType,FObjectType,FObjectID,FName FROM ICTransActionType WHERE FID=85");
    EXPECT_EQ(kindType, 85);
    EXPECT_EQ(message, "");
}

TEST_F(AccessTest, GrantedModifyNeedsItsOwnBit) {
    int32_t kindType = 0;
    std::string message;
    EXPECT_TRUE(CheckAccess(85, kActionModify, kindType, message));
    UseUser(kBigUser, "bigid");
    message.clear();
    EXPECT_FALSE(CheckAccess(85, kActionModify, kindType, message));
    EXPECT_EQ(message, "对不起，你没有相应的修改权限！(生产任务单)");
}

TEST_F(AccessTest, RefusedViewNamesTheActionAndTheKind) {
    int32_t kindType = 0;
    std::string message;
    EXPECT_FALSE(CheckAccess(571, kActionView, kindType, message));
    EXPECT_EQ(message, "对不起，你没有相应的查看权限！(委外加工生产任务单)");
    EXPECT_EQ(kindType, 571);
}

TEST_F(AccessTest, RefusalIsTranslatedUnderEnglish) {
    UseUser(kAdmin, "administrator", "en");
    int32_t kindType = 0;
    std::string message;
    EXPECT_FALSE(CheckAccess(571, kActionView, kindType, message));
    EXPECT_EQ(message.find("对不起"), std::string::npos) << message;
    EXPECT_NE(message.find("View"), std::string::npos) << message;
    EXPECT_NE(message.find("委外加工生产任务单"), std::string::npos) << message;
}

TEST_F(AccessTest, ActionOutsideTheTableLeavesTheActionNameEmpty) {
    int32_t kindType = 0;
    std::string message;
    EXPECT_FALSE(CheckAccess(85, 0x100, kindType, message));
    EXPECT_EQ(message, "对不起，你没有相应的权限！(生产任务单)");
}

TEST_F(AccessTest, UnknownKindFailsWithTheReadError) {
    int32_t kindType = -7;
    std::string message;
    EXPECT_FALSE(CheckAccess(99999, kActionView, kindType, message));
    EXPECT_EQ(kindType, -7);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(message.find("对不起"), std::string::npos) << message;
}

TEST_F(AccessTest, MissingPermissionServiceIsARefusalNotACrash) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kGLDataProgId);
    int32_t kindType = 0;
    std::string message;
    EXPECT_FALSE(CheckAccess(85, kActionView, kindType, message));
    EXPECT_FALSE(message.empty());
}

TEST_F(AccessTest, UserIdAboveSixteenBitsPassesAPermissionTest) {
    UseUser(kBigUser, "bigid");
    int32_t kindType = 0;
    std::string message;
    EXPECT_TRUE(CheckAccess(-85, kActionView, kindType, message)) << message;
    EXPECT_EQ(trackquery::GetUserIDText(), "40000");
}

TEST_F(AccessTest, GroupRightsCountForTheirMembers) {
    UseUser(kClerk, "clerk");
    int32_t kindType = 0;
    std::string message;
    EXPECT_TRUE(CheckAccess(571, kActionView, kindType, message)) << message;
    EXPECT_FALSE(CheckAccess(85, kActionView, kindType, message));
}

TEST_F(AccessTest, CheckAccessShowsNothing) {
    int32_t kindType = 0;
    std::string message;
    CheckAccess(571, kActionView, kindType, message);
    CheckAccess(99999, kActionView, kindType, message);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(headless_->MessageBoxes().empty());
}

// --- CheckAccessRow ---------------------------------------------------------------------------

TEST_F(AccessTest, AllowedClassIsTrueWithoutMessage) {
    EXPECT_TRUE(CheckAccessRow(ClassRow(1022, 10, "生产任务单"), kActionView, true));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AccessTest, RefusedClassShowsTheRefusalWhenAsked) {
    EXPECT_FALSE(CheckAccessRow(ClassRow(2295, 2, "外销订单"), kActionView, true));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "对不起，你没有相应的查看权限！(外销订单)");
}

TEST_F(AccessTest, RefusedClassIsSilentWhenNotAsked) {
    EXPECT_FALSE(CheckAccessRow(ClassRow(2295, 2, "外销订单"), kActionModify, false));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AccessTest, BrokenClassRowIsARefusalWithoutMessage) {
    auto row = std::make_shared<automation::Dictionary>();
    row->SetItem("FName", "外销订单");
    EXPECT_FALSE(CheckAccessRow(row, kActionView, true));
    EXPECT_FALSE(CheckAccessRow(nullptr, kActionView, true));
    EXPECT_TRUE(Messages().empty());
}

// --- Action names -----------------------------------------------------------------------------

TEST_F(AccessTest, ActionNamesOfTheThreeCodes) {
    EXPECT_EQ(trackquery::GetActionName(kActionAdd), "新增");
    EXPECT_EQ(trackquery::GetActionName(kActionView), "查看");
    EXPECT_EQ(trackquery::GetActionName(kActionModify), "修改");
    EXPECT_EQ(trackquery::GetActionName(0), "");
    EXPECT_EQ(trackquery::GetActionName(kActionView | kActionModify), "");
}

// --- System profile ---------------------------------------------------------------------------

TEST_F(AccessTest, ProfileValueComesFromTheDatabase) {
    EXPECT_EQ(trackquery::GetSystemProfileValue("UseShortNumber", "IC"), automation::Variant(1));
    Execute("UPDATE t_SystemProfile SET FValue='0' WHERE FKey='UseShortNumber'");
    EXPECT_EQ(trackquery::GetSystemProfileValue("UseShortNumber", "IC"), automation::Variant(0));
}

TEST_F(AccessTest, MissingProfileEntryComesBackAsNull) {
    EXPECT_TRUE(trackquery::GetSystemProfileValue("NoSuchKey", "IC").IsNull());
}

TEST_F(AccessTest, ProfileFailureGivesZero) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kSystemFuncProgId);
    const auto value = trackquery::GetSystemProfileValue("UseShortNumber", "IC");
    EXPECT_TRUE(value.IsNumber());
    EXPECT_EQ(automation::CLng(value), 0);
}

TEST_F(AccessTest, UserGroupSwitchReadsAsItIsStored) {
    auto profile =
        automation::CreateObject<trackquery::ISystemProfile>(trackquery::kSystemProfileProgId);
    EXPECT_FALSE(automation::CBool(
        profile->GetProfile(trackquery::GetPropsString(), "IC", "CheckUserGroup")));
    Execute("UPDATE t_SystemProfile SET FValue='1' WHERE FKey='CheckUserGroup'");
    EXPECT_TRUE(automation::CBool(
        profile->GetProfile(trackquery::GetPropsString(), "IC", "CheckUserGroup")));
    Execute("DELETE FROM t_SystemProfile WHERE FKey='CheckUserGroup'");
    EXPECT_TRUE(profile->GetProfile(trackquery::GetPropsString(), "IC", "CheckUserGroup").IsNull());
}

}  // namespace
