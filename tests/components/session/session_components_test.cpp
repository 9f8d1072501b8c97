// The client's shared session properties and language information.

#include <components/session/lang_info.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>
#include <platform/automation/collections.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class SessionComponents : public ::testing::Test {
  protected:
    void SetUp() override { Fresh(); }
    void TearDown() override { Fresh(); }
    static void Fresh() {
        client::ClearSessionProperties();
        client::SetCurrentLanguage("");
        ::unsetenv(client::kLanguageEnvironmentVariable);
        client::RegisterSessionComponents();
    }
    static std::shared_ptr<trackquery::IShareProps> NewShareProps() {
        return automation::CreateObject<trackquery::IShareProps>(trackquery::kSharePropsProgId);
    }
};

TEST_F(SessionComponents, PropertiesAreKeptPerProcess) {
    int32_t self = client::CurrentProcessId();
    client::SetPropsString("UserID=1;");
    client::SetSessionProperty(self + 1, "PropsString", "UserID=2;");
    auto props = NewShareProps();
    EXPECT_EQ(props->GetProperty(self, "PropsString").AsString(), "UserID=1;");
    EXPECT_EQ(props->GetProperty(self + 1, "PropsString").AsString(), "UserID=2;");
}

TEST_F(SessionComponents, EveryManagerReadsTheSameStore) {
    client::SetSessionUserName("administrator");
    EXPECT_EQ(NewShareProps()->GetProperty(client::CurrentProcessId(), "UserName").AsString(),
              "administrator");
    client::SetSessionUserName("morningstar");
    EXPECT_EQ(NewShareProps()->GetProperty(client::CurrentProcessId(), "UserName").AsString(),
              "morningstar");
}

TEST_F(SessionComponents, NamesIgnoreLetterCase) {
    client::SetSessionProperty("propsstring", "x");
    EXPECT_EQ(NewShareProps()->GetProperty(client::CurrentProcessId(), "PROPSSTRING").AsString(),
              "x");
}

TEST_F(SessionComponents, AnUnsetPropertyIsEmpty) {
    EXPECT_TRUE(NewShareProps()->GetProperty(client::CurrentProcessId(), "Nothing").IsEmpty());
    client::SetPropsString("a");
    EXPECT_TRUE(NewShareProps()->GetProperty(client::CurrentProcessId(), "Nothing").IsEmpty());
}

TEST_F(SessionComponents, AnObjectIsKeptAsTheObject) {
    auto dictionary = std::make_shared<automation::Dictionary>();
    client::SetSessionProperty("Objects", dictionary);
    auto value = NewShareProps()->GetProperty(client::CurrentProcessId(), "Objects");
    EXPECT_EQ(value.AsObject(), dictionary);
}

TEST_F(SessionComponents, TheLanguageDefaultsToSimplifiedChinese) {
    auto langInfo = automation::CreateObject<trackquery::ILangInfo>(trackquery::kLangInfoProgId);
    EXPECT_EQ(langInfo->CurrentLanguage(), "chs");
}

TEST_F(SessionComponents, TheEnvironmentNamesTheLanguage) {
    ::setenv(client::kLanguageEnvironmentVariable, "EN", 1);
    EXPECT_EQ(client::LangInfo().CurrentLanguage(), "en");
}

TEST_F(SessionComponents, TheHostSettingWinsOverTheEnvironment) {
    ::setenv(client::kLanguageEnvironmentVariable, "en", 1);
    client::SetCurrentLanguage("cht");
    EXPECT_EQ(client::LangInfo().CurrentLanguage(), "cht");
    client::SetCurrentLanguage("");
    EXPECT_EQ(client::LangInfo().CurrentLanguage(), "en");
}

TEST_F(SessionComponents, TheSessionLanguageComesFromThePropertyString) {
    client::SetCurrentLanguage("cht");
    EXPECT_EQ(client::SessionLanguage(), "cht");
    client::SetPropsString(
        "ConnectString={Provider=SQLite;Language=xx;Data Source=/tmp/erp.db};UserID=1;"
        "Language = EN ;SubID=CJ;");
    EXPECT_EQ(client::SessionLanguage(), "en");
}

}  // namespace
