// The client's resource loader, text formatter and message object.

#include <support/error_number.h>

#include <components/resources/message_helper.h>
#include <components/resources/register_resources.h>
#include <components/resources/res_loader.h>
#include <components/resources/text_formatter.h>
#include <components/session/lang_info.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>
#include <platform/automation/errors.h>
#include <platform/automation/program_files.h>
#include <platform/automation/registry.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/msgbox.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

using automation::Variant;

namespace {

const std::filesystem::path kLangDir =
    std::filesystem::path(TRACKQUERY_SOURCE_DIR) / "resources" / "lang";

class ResourceComponents : public ::testing::Test {
  protected:
    void SetUp() override {
        client::SetResourceDirectory(kLangDir);
        client::ClearSessionProperties();
        client::SetCurrentLanguage("");
        client::RegisterSessionComponents();
        client::RegisterResourceComponents();
        scratch = std::filesystem::temp_directory_path() /
                  ("trackquery-res-" + std::to_string(client::CurrentProcessId()));
        std::filesystem::create_directories(scratch);
    }
    void TearDown() override {
        client::SetResourceDirectory("");
        std::filesystem::remove_all(scratch);
    }

    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(scratch / name, std::ios::binary) << text;
    }

    static client::ResLoader Loader(const std::string& language) {
        client::ResLoader loader;
        loader.SetResFileBaseName("ZeVoverazuzed");
        loader.SetLanguageID(language);
        return loader;
    }

    std::filesystem::path scratch;
};

TEST_F(ResourceComponents, LoadsTheTextOfTheLanguage) {
    EXPECT_EQ(Loader("en").LoadString("合计"), "Total");
    EXPECT_EQ(Loader("cht").LoadString("合计"), "合計");
    EXPECT_EQ(Loader("chs").LoadString("合计"), "合计");
}

TEST_F(ResourceComponents, TheLanguageCodeIgnoresLetterCase) {
    EXPECT_EQ(Loader("EN").LoadString("合计"), "Total");
}

TEST_F(ResourceComponents, AMissingKeyComesBackAsItIs) {
    EXPECT_EQ(Loader("en").LoadString("不存在的文字"), "不存在的文字");
}

TEST_F(ResourceComponents, AMissingFileFails) {
    auto loader = Loader("fr");
    EXPECT_EQ(ErrorNumberOf([&] { loader.LoadString("合计"); }), 53);
}

TEST_F(ResourceComponents, AChangeOfLanguageReadsTheOtherFile) {
    auto loader = Loader("en");
    EXPECT_EQ(loader.LoadString("合计"), "Total");
    loader.SetLanguageID("cht");
    EXPECT_EQ(loader.LoadString("合计"), "合計");
}

TEST_F(ResourceComponents, TheResourceDirectoryIsTheHostsChoice) {
    WriteFile("Mine.en", "# comment\n\n苹果\tApple\n换行\tline one\\nline two\\t\\\\\n");
    client::SetResourceDirectory(scratch);
    client::ResLoader loader;
    loader.SetResFileBaseName("Mine");
    loader.SetLanguageID("en");
    EXPECT_EQ(loader.LoadString("苹果"), "Apple");
    EXPECT_EQ(loader.LoadString("换行"), "line one\nline two\t\\");
}

// The environment names the data folder, laid out as the installed one: the language files are
// in its lang/.
TEST_F(ResourceComponents, TheEnvironmentNamesTheDataFolderWhenTheHostDoesNot) {
    client::SetResourceDirectory("");
    ::setenv(automation::kDataDirectoryEnvironmentVariable, scratch.c_str(), 1);
    EXPECT_EQ(client::ResourceDirectory(), scratch / "lang");
    ::unsetenv(automation::kDataDirectoryEnvironmentVariable);
    EXPECT_EQ(client::ResourceDirectory(), kLangDir);
}

TEST_F(ResourceComponents, ALineWithoutATabIsRefusedWithItsPlace) {
    WriteFile("Bad.en", "苹果\tApple\n香蕉 Banana\n");
    std::string description;
    EXPECT_EQ(ErrorNumberOf([&] { client::ReadResourceFile(scratch / "Bad.en"); }, &description),
              automation::vberr::InvalidProcedureCall);
    EXPECT_NE(description.find("Bad.en line 2"), std::string::npos) << description;
}

TEST_F(ResourceComponents, AKeyGivenTwiceIsRefused) {
    WriteFile("Twice.en", "苹果\tApple\n苹果\tPomme\n");
    std::string description;
    EXPECT_NE(ErrorNumberOf([&] { client::ReadResourceFile(scratch / "Twice.en"); }, &description),
              0);
    EXPECT_NE(description.find("line 2"), std::string::npos) << description;
}

TEST_F(ResourceComponents, WindowsLineEndsAndAByteOrderMarkAreAccepted) {
    WriteFile("Win.en", "\xEF\xBB\xBF苹果\tApple\r\n香蕉\tBanana\r\n");
    auto texts = client::ReadResourceFile(scratch / "Win.en");
    EXPECT_EQ(texts.at("苹果"), "Apple");
    EXPECT_EQ(texts.at("香蕉"), "Banana");
}

TEST_F(ResourceComponents, TextsKeepTheirInnerAndOuterSpaces) {
    WriteFile("Spaces.en", "甲\t a  b \n");
    EXPECT_EQ(client::ReadResourceFile(scratch / "Spaces.en").at("甲"), " a  b ");
}

using Formatter = ResourceComponents;

TEST_F(Formatter, FillsNumberedPlaceholders) {
    client::TextFormatter formatter;
    EXPECT_EQ(formatter.FormatText("%2 before %1, %1 again", {Variant("one"), Variant(int32_t(2))}),
              "2 before one, one again");
}

TEST_F(Formatter, PlaceholdersWithoutArgumentsStay) {
    client::TextFormatter formatter;
    EXPECT_EQ(formatter.FormatText("%1 and %3, 100% sure, %", {Variant("a")}),
              "a and %3, 100% sure, %");
}

TEST_F(Formatter, TenOrMoreArgumentsAreNamedByAllTheirDigits) {
    std::vector<Variant> arguments;
    for (int32_t i = 1; i <= 10; ++i) arguments.emplace_back(i * 11);
    client::TextFormatter formatter;
    EXPECT_EQ(formatter.FormatText("%10|%1", arguments), "110|11");
}

TEST_F(Formatter, EmptyAndNullArgumentsGiveEmptyTexts) {
    client::TextFormatter formatter;
    EXPECT_EQ(formatter.FormatText("[%1][%2]", {Variant(), Variant(automation::Null)}), "[][]");
}

class Messages : public ResourceComponents {
  protected:
    void SetUp() override {
        ResourceComponents::SetUp();
        backend = std::make_shared<windowing::HeadlessBackend>();
        windowing::EventLoop::Instance().SetBackend(backend);
    }
    std::shared_ptr<windowing::HeadlessBackend> backend;
};

TEST_F(Messages, AMessageIsAnInformationBoxWithTheClientTitle) {
    client::SetPropsString("UserID=1;Language=en;");
    backend->AnswerMsgBox("没有需要查看的单据。", windowing::vbOK);
    auto helper =
        automation::CreateObject<trackquery::IMessageHelper>(trackquery::kMessageHelperProgId);
    helper->ShowMessage("没有需要查看的单据。");
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(backend->MessageBoxes()[0].Prompt, "没有需要查看的单据。");
    EXPECT_EQ(backend->MessageBoxes()[0].Buttons, windowing::vbInformation);
    EXPECT_EQ(backend->MessageBoxes()[0].Title, "Velo Prompt");
}

TEST_F(Messages, TheTitleStaysChineseUnderSimplifiedChinese) {
    client::SetPropsString("Language=chs;");
    backend->AnswerMsgBox(windowing::vbOK);
    client::MessageHelper().ShowMessage("x");
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(backend->MessageBoxes()[0].Title, "Velo提示");
}

// A resource loader whose lookups fail as the test says.
class FailingLoader : public client::ResLoader {
  public:
    explicit FailingLoader(std::function<void()> fail) : fail_(std::move(fail)) {}
    std::string LoadString(const std::string&) override {
        fail_();
        return "unreached";
    }

  private:
    std::function<void()> fail_;
};

TEST_F(Messages, OnlyLanguageFilesThatCannotBeReadLeaveTheTitleChinese) {
    client::SetPropsString("Language=xx;");  // no such language file
    backend->AnswerMsgBox(windowing::vbOK);
    client::MessageHelper().ShowMessage("x");
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(backend->MessageBoxes()[0].Title, "Velo提示");

    FailingLoader faulty([] { throw std::logic_error("a fault of the program"); });
    EXPECT_THROW(client::MessageTitle(faulty), std::logic_error);
}

}  // namespace

#include <components/resources/frm_res_loader.h>
#include <platform/windowing/check_box.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/form.h>

namespace {

using FormFonts = ResourceComponents;

TEST_F(FormFonts, TheFormAndEveryControlGetTheLanguageFont) {
    windowing::Form form("frmOrderOption");
    auto amount = form.Add<windowing::CheckBox>("ChkAmount");
    auto ok = form.Add<windowing::CommandButton>("CmdOK");
    auto loader =
        automation::CreateObject<trackquery::IFrmResLoader>(trackquery::kFrmResLoaderProgId);
    loader->SetFrmFont(form, "CHT");
    EXPECT_EQ(form.FontName(), "新細明體");
    EXPECT_EQ(form.FontSize(), 9);
    EXPECT_EQ(amount->FontName(), "新細明體");
    EXPECT_EQ(ok->FontName(), "新細明體");
    loader->SetFrmFont(form, "en");
    EXPECT_EQ(amount->FontName(), "Arial");
}

TEST_F(FormFonts, AnUnknownLanguageKeepsTheDesignFonts) {
    windowing::Form form("frmList");
    auto ok = form.Add<windowing::CommandButton>("CmdOK");
    ok->SetFontName("宋体");
    client::FrmResLoader().SetFrmFont(form, "");
    EXPECT_EQ(ok->FontName(), "宋体");
    EXPECT_EQ(form.FontName(), "MS Sans Serif");
}

}  // namespace
