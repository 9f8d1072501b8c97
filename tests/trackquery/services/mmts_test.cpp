// Translation of the library's texts, session properties and number formatting.

#include "services_test_support.h"

#include <components/resources/res_loader.h>
#include <contracts/resources.h>
#include <contracts/session.h>
#include <platform/automation/collections.h>
#include <platform/windowing/form.h>

#include <memory>

using automation::Variant;
using trackquery::LoadResText;

namespace {

// A resource loader that answers from a small table and counts how it is set up.
class TableResLoader : public trackquery::IResLoader {
  public:
    std::string TypeName() const override { return "Loader"; }
    std::string ResFileBaseName() const override { return baseName; }
    void SetResFileBaseName(const std::string& value) override {
        baseName = value;
        ++baseNameSets;
    }
    std::string LanguageID() const override { return languageId; }
    void SetLanguageID(const std::string& value) override {
        languageId = value;
        ++languageSets;
    }
    std::string LoadString(const std::string& key) override {
        keys.push_back(key);
        if (fail) automation::Raise(53, "QzResLoader.Loader", "resource file missing");
        return key == "合计" ? "Total" : key;
    }

    std::string baseName, languageId;
    int baseNameSets = 0, languageSets = 0;
    bool fail = false;
    std::vector<std::string> keys;
};

class FailingShareProps : public trackquery::IShareProps {
  public:
    std::string TypeName() const override { return "ShareProps"; }
    Variant GetProperty(int32_t, const std::string&) override {
        automation::Raise(70, "PropsMgr.ShareProps", "Permission denied");
    }
};

class RecordingFrmResLoader : public trackquery::IFrmResLoader {
  public:
    std::string TypeName() const override { return "FrmResLoader"; }
    void SetFrmFont(windowing::Form& form, const std::string& languageId) override {
        calls.push_back(form.Name() + "/" + languageId);
    }
    std::vector<std::string> calls;
};

using Translation = ServicesTest;

TEST_F(Translation, TranslatesIntoTheSessionLanguage) {
    UseLanguage("en");
    EXPECT_EQ(LoadResText("合计"), "Total");
    EXPECT_EQ(LoadResText("详细跟踪信息"), "Detailed Tracking Information");
}

TEST_F(Translation, TraditionalChineseComesFromItsOwnFile) {
    UseLanguage("cht");
    EXPECT_EQ(LoadResText("合计"), "合計");
}

TEST_F(Translation, OuterSpacesSurviveTheTranslation) {
    UseLanguage("en");
    EXPECT_EQ(LoadResText("  合计 "), "  Total ");
    EXPECT_EQ(LoadResText(" 合计"), " Total");
}

TEST_F(Translation, SpaceModeOnePutsOneSpaceBeforeAnEnglishTranslation) {
    UseLanguage("en");
    EXPECT_EQ(LoadResText("序时薄", trackquery::kResSpaceLeadInEnglish), " List");
    // A leading space already there is kept as it is, not doubled.
    EXPECT_EQ(LoadResText("  序时薄", trackquery::kResSpaceLeadInEnglish), "  List");
    EXPECT_EQ(LoadResText("序时薄"), "List");
}

TEST_F(Translation, SpaceModeOneAddsNothingUnderOtherLanguages) {
    UseLanguage("chs");
    EXPECT_EQ(LoadResText("序时薄", trackquery::kResSpaceLeadInEnglish), "序时薄");
}

TEST_F(Translation, SpaceModeOneComparesTheLanguageCodeExactly) {
    UseLanguage("EN");  // the resource files are found, but the code is not exactly "en"
    EXPECT_EQ(LoadResText("序时薄", trackquery::kResSpaceLeadInEnglish), "List");
}

TEST_F(Translation, AnUnknownTextComesBackUnchanged) {
    UseLanguage("en");
    EXPECT_EQ(LoadResText("  没有这个文字 "), "  没有这个文字 ");
}

TEST_F(Translation, AFailedLookupReturnsTheTextUnchanged) {
    UseLanguage("en");
    automation::ComponentRegistry::Instance().Unregister(trackquery::kResLoaderProgId);
    EXPECT_EQ(LoadResText("  合计 "), "  合计 ");
}

TEST_F(Translation, AMissingResourceFileReturnsTheTextUnchanged) {
    UseLanguage("fr");
    EXPECT_EQ(LoadResText(" 合计"), " 合计");
}

TEST_F(Translation, BlankTextsStayAsTheyAre) {
    UseLanguage("en");
    EXPECT_EQ(LoadResText(""), "");
    EXPECT_EQ(LoadResText("   "), "   ");
}

TEST_F(Translation, APendingErrorSurvivesALookup) {
    UseLanguage("en");
    SetPendingError();
    EXPECT_EQ(LoadResText("合计"), "Total");
    ExpectPendingErrorIntact();
}

TEST_F(Translation, APendingErrorSurvivesAFailedLookup) {
    UseLanguage("en");
    automation::ComponentRegistry::Instance().Unregister(trackquery::kResLoaderProgId);
    SetPendingError();
    EXPECT_EQ(LoadResText("合计"), "合计");
    ExpectPendingErrorIntact();
}

TEST_F(Translation, APendingErrorSurvivesACompositeLookup) {
    UseLanguage("en");
    SetPendingError();
    EXPECT_EQ(LoadResText("~$~合计^|^ 3 "), "Total 3 ");
    ExpectPendingErrorIntact();
}

TEST_F(Translation, CompositeTextsTranslateOnlyTheMarkedPieces) {
    UseLanguage("en");
    EXPECT_EQ(LoadResText("~$~执行数量^|^ 12 ^|^~$~合计"), "Executed Quantity 12 Total");
    EXPECT_EQ(LoadResText("合计^|^~$~合计"), "合计Total");
    EXPECT_EQ(LoadResText("^|^"), "");
}

TEST_F(Translation, TheLanguageIsFixedByTheFirstTranslation) {
    UseLanguage("en");
    EXPECT_EQ(LoadResText("合计"), "Total");
    UseLanguage("cht");
    EXPECT_EQ(LoadResText("合计"), "Total");
}

TEST_F(Translation, WithoutASessionLanguageTheClientLanguageIsUsed) {
    UseSession("UserID=1;SubID=CJ;");
    client::SetCurrentLanguage("cht");
    EXPECT_EQ(LoadResText("合计"), "合計");
}

TEST_F(Translation, TheKeptLoaderIsSetRightOnEveryCall) {
    UseLanguage("en");
    auto loader = std::make_shared<TableResLoader>();
    int created = 0;
    automation::ComponentRegistry::Instance().Register(trackquery::kResLoaderProgId, [&] {
        ++created;
        return loader;
    });
    EXPECT_EQ(LoadResText(" 合计 "), " Total ");
    loader->SetLanguageID("chs");
    loader->SetResFileBaseName("Other");
    EXPECT_EQ(LoadResText("合计"), "Total");
    EXPECT_EQ(created, 1);
    EXPECT_EQ(loader->languageId, "en");
    EXPECT_EQ(loader->baseName, "ZeVoverazuzed");
    // Two sets by the test, two by the library; none while the settings were right.
    EXPECT_EQ(loader->languageSets, 3);
    EXPECT_EQ(loader->baseNameSets, 3);
    EXPECT_EQ(loader->keys, (std::vector<std::string>{"合计", "合计"}));
}

TEST_F(Translation, ALoaderThatFailsLeavesTheText) {
    UseLanguage("en");
    auto loader = std::make_shared<TableResLoader>();
    loader->fail = true;
    automation::ComponentRegistry::Instance().Register(trackquery::kResLoaderProgId,
                                                       [&] { return loader; });
    EXPECT_EQ(LoadResText("~$~合计^|^x"), "合计x");
}

using MessageFormatting = ServicesTest;

TEST_F(MessageFormatting, TranslatesThenFillsThePlaceholders) {
    UseLanguage("en");
    EXPECT_EQ(trackquery::FormatResText("对不起，你没有相应的%1权限！(%2)", LoadResText("查看"),
                                        "生产任务单"),
              "Sorry, you do not have the View permission! (生产任务单)");
}

TEST_F(MessageFormatting, NumbersAndListsAreArgumentsToo) {
    UseLanguage("chs");
    std::vector<Variant> arguments{Variant(int32_t(42))};
    EXPECT_EQ(trackquery::FormatResText(
                  "没有单据号为%1的单据或者该单据不符合选单条件或者您没有权限查看该单据，不能选单!",
                  arguments),
              "没有单据号为42的单据或者该单据不符合选单条件或者您没有权限查看该单据，不能选单!");
}

TEST_F(MessageFormatting, WithoutAFormatterTheFailureReachesTheCaller) {
    UseLanguage("en");
    automation::ComponentRegistry::Instance().Unregister(trackquery::kTextFormatterProgId);
    EXPECT_THROW(trackquery::FormatResText("%1", 1), automation::RuntimeError);
}

using SessionProperties = ServicesTest;

TEST_F(SessionProperties, ThePropertyStringAndUserNameComeFromTheSharedProperties) {
    UseSession(kSession);
    client::SetSessionUserName("administrator");
    EXPECT_EQ(trackquery::GetPropsString(), kSession);
    EXPECT_EQ(trackquery::GetSessionUserName(), "administrator");
}

TEST_F(SessionProperties, AreAskedAgainOnEveryCall) {
    UseSession("UserID=1;");
    EXPECT_EQ(trackquery::GetPropsString(), "UserID=1;");
    UseSession("UserID=2;");
    EXPECT_EQ(trackquery::GetPropsString(), "UserID=2;");
}

TEST_F(SessionProperties, AnObjectPropertyComesBackAsTheObjectItself) {
    auto connection = std::make_shared<automation::Dictionary>();
    connection->SetItem("Default", "not this");
    client::SetSessionProperty("Connection", connection);
    Variant value = trackquery::GetConnectionProperty("Connection");
    ASSERT_TRUE(value.IsObject());
    EXPECT_EQ(value.AsObject(), connection);
}

TEST_F(SessionProperties, AnotherProcessesPropertiesAreNotSeen) {
    client::SetSessionProperty(client::CurrentProcessId() + 1, "PropsString", "UserID=9;");
    EXPECT_TRUE(trackquery::GetConnectionProperty("PropsString").IsEmpty());
    EXPECT_EQ(trackquery::GetPropsString(), "");
}

TEST_F(SessionProperties, AFailureNamesTheProcedureBeforeThePreviousSource) {
    automation::ComponentRegistry::Instance().Register(
        trackquery::kSharePropsProgId, [] { return std::make_shared<FailingShareProps>(); });
    try {
        trackquery::GetConnectionProperty("PropsString");
        FAIL() << "no error raised";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 70);
        EXPECT_EQ(error.Source(), "ZiDovuDev.MMTS.GetConnectionProperty\r\nPropsMgr.ShareProps");
        EXPECT_EQ(error.Description(), "Permission denied");
    }
}

TEST_F(SessionProperties, AMissingManagerFailsThroughGetPropsString) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kSharePropsProgId);
    try {
        trackquery::GetPropsString();
        FAIL() << "no error raised";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::CannotCreateObject);
        EXPECT_TRUE(error.Source().starts_with("ZiDovuDev.MMTS.GetConnectionProperty"));
    }
}

using PropsValue = ServicesTest;

TEST_F(PropsValue, FindsAKeyInAnyLetterCase) {
    UseSession(kSession);
    EXPECT_EQ(trackquery::GetPropsValue("userid"), "16394");
    EXPECT_EQ(trackquery::GetPropsValue("LANGUAGE"), "en");
}

TEST_F(PropsValue, AMissingKeyYieldsTheEmptyText) {
    UseSession(kSession);
    EXPECT_EQ(trackquery::GetPropsValue("Password"), "");
}

TEST_F(PropsValue, ABracedValueKeepsItsSemicolonsAndEqualSigns) {
    UseSession(kSession);
    EXPECT_EQ(trackquery::GetPropsValue("ConnectString"),
              "Provider=SQLite;Data Source=/tmp/erp.db");
    UseSession("A=1; B = {x;y=2} ;C=3");
    EXPECT_EQ(trackquery::GetPropsValue("A"), "1");
    EXPECT_EQ(trackquery::GetPropsValue("b"), "x;y=2");
    EXPECT_EQ(trackquery::GetPropsValue("C"), "3");
}

TEST_F(PropsValue, AnEntryWithoutAKeyStopsTheScanWithItsValue) {
    UseSession("A=1;=stop;C=3;");
    EXPECT_EQ(trackquery::GetPropsValue("C"), "stop");
}

TEST_F(PropsValue, AnUnreadableSessionYieldsTheEmptyText) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kSharePropsProgId);
    EXPECT_EQ(trackquery::GetPropsValue("UserID"), "");
}

using NumberFormatting = ServicesTest;

TEST_F(NumberFormatting, GroupsThousandsAndShowsTheDecimals) {
    EXPECT_EQ(trackquery::FormatWithDecimals(1234.5, 2), "1,234.50");
    EXPECT_EQ(trackquery::FormatWithDecimals(1234567.891, 2), "1,234,567.89");
    EXPECT_EQ(trackquery::FormatWithDecimals(0.25, 4), "0.2500");
}

TEST_F(NumberFormatting, NoDecimalsShowsNoSeparator) {
    EXPECT_EQ(trackquery::FormatWithDecimals(1234.4, 0), "1,234");
    EXPECT_EQ(trackquery::FormatWithDecimals(999, 0), "999");
}

TEST_F(NumberFormatting, ANegativeCountOfDecimalsFails) {
    try {
        trackquery::FormatWithDecimals(1, -1);
        FAIL() << "no error raised";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::InvalidProcedureCall);
    }
}

using FormFonts = ServicesTest;

TEST_F(FormFonts, TheLoaderGetsTheFormAndTheSessionLanguage) {
    UseLanguage("cht");
    auto loader = std::make_shared<RecordingFrmResLoader>();
    int created = 0;
    automation::ComponentRegistry::Instance().Register(trackquery::kFrmResLoaderProgId, [&] {
        ++created;
        return loader;
    });
    windowing::Form billSel("frmBillSel"), list("frmList");
    trackquery::SetFormFont(billSel);
    trackquery::SetFormFont(list);
    EXPECT_EQ(loader->calls, (std::vector<std::string>{"frmBillSel/cht", "frmList/cht"}));
    EXPECT_EQ(created, 1);
}

TEST_F(FormFonts, TheClientLanguageIsNotAskedForFonts) {
    UseSession("UserID=1;");
    client::SetCurrentLanguage("en");
    auto loader = std::make_shared<RecordingFrmResLoader>();
    automation::ComponentRegistry::Instance().Register(trackquery::kFrmResLoaderProgId,
                                                       [&] { return loader; });
    windowing::Form form("frmOrderOption");
    trackquery::SetFormFont(form);
    EXPECT_EQ(loader->calls, (std::vector<std::string>{"frmOrderOption/"}));
}

TEST_F(FormFonts, WithoutALoaderTheFailureReachesTheCaller) {
    UseLanguage("en");
    automation::ComponentRegistry::Instance().Unregister(trackquery::kFrmResLoaderProgId);
    windowing::Form form("frmList");
    EXPECT_THROW(trackquery::SetFormFont(form), automation::RuntimeError);
}

}  // namespace
