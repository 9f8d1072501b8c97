// Every Chinese text of the library must have its translation in the language resources, so
// that no screen shows Chinese to a user who runs the client in English or traditional Chinese.

#include "source_text_scan.h"

#include <components/resources/res_loader.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <fstream>
#include <map>
#include <set>

namespace {

const std::filesystem::path kSourceDir = TRACKQUERY_SOURCE_DIR;

std::map<std::string, std::string> ResourceFile(const std::string& language) {
    return client::ReadResourceFile(kSourceDir / "resources" / "lang" /
                                    ("ZeVoverazuzed." + language));
}

// The library's texts, scanned once.
const std::vector<scan::SourceText>& LibraryTexts() {
    static const std::vector<scan::SourceText> texts =
        scan::ChineseTextsBelow(kSourceDir / "trackquery");
    return texts;
}

std::string MissingTexts(const std::map<std::string, std::string>& resources) {
    std::string missing;
    std::set<std::string> named;
    for (const auto& found : LibraryTexts()) {
        if (resources.count(found.text) || !named.insert(found.text).second) continue;
        missing += "\n  \"" + found.text + "\" (" +
                   std::filesystem::relative(found.file, kSourceDir).string() + ":" +
                   std::to_string(found.line) + ")";
    }
    return missing;
}

// A scan that finds nothing would let every coverage check below pass: it must find the texts
// the user sees on every tracking screen, among many others.
TEST(ResourceCoverage, TheScanFindsTheLibrarysTexts) {
    std::set<std::string> distinct;
    for (const auto& found : LibraryTexts()) distinct.insert(found.text);
    EXPECT_GE(distinct.size(), 50u);
    for (const char* text : {"生产任务单", "详细跟踪信息", "合计", "对不起，你没有相应的权限！",
                             "获取工序信息失败。"}) {
        EXPECT_EQ(distinct.count(text), 1u) << text;
    }
}

TEST(ResourceCoverage, EveryLibraryTextHasAnEnglishTranslation) {
    ASSERT_FALSE(LibraryTexts().empty());
    std::string missing = MissingTexts(ResourceFile("en"));
    EXPECT_TRUE(missing.empty()) << "ZeVoverazuzed.en lacks:" << missing;
}

TEST(ResourceCoverage, EveryLibraryTextHasATraditionalChineseTranslation) {
    ASSERT_FALSE(LibraryTexts().empty());
    std::string missing = MissingTexts(ResourceFile("cht"));
    EXPECT_TRUE(missing.empty()) << "ZeVoverazuzed.cht lacks:" << missing;
}

// The desktop program's start window speaks the profile's language through the same files. The
// languages in its list are named in their own language, whatever is shown.
TEST(ResourceCoverage, EveryStartWindowTextIsTranslated) {
    const auto texts = scan::ChineseTextsBelow(kSourceDir / "faces" / "qt" / "start");
    ASSERT_GE(texts.size(), 20u);
    for (const char* language : {"cht", "en"}) {
        const auto resources = ResourceFile(language);
        for (const auto& found : texts) {
            if (found.text == "简体中文" || found.text == "繁體中文") continue;
            EXPECT_EQ(resources.count(found.text), 1u)
                << "ZeVoverazuzed." << language << " lacks \"" << found.text << "\"";
        }
    }
}

TEST(ResourceCoverage, TheThreeLanguagesHoldTheSameKeys) {
    auto keysOf = [](const std::map<std::string, std::string>& file) {
        std::set<std::string> keys;
        for (const auto& [key, text] : file) keys.insert(key);
        return keys;
    };
    auto chs = keysOf(ResourceFile("chs"));
    EXPECT_EQ(chs, keysOf(ResourceFile("cht")));
    EXPECT_EQ(chs, keysOf(ResourceFile("en")));
}

TEST(ResourceCoverage, EnglishTranslationsHoldNoChinese) {
    for (const auto& [key, text] : ResourceFile("en")) {
        EXPECT_FALSE(scan::HoldsChinese(text)) << key << " -> " << text;
    }
}

TEST(ResourceCoverage, TranslationsKeepTheirPlaceholders) {
    for (const char* language : {"cht", "en"}) {
        for (const auto& [key, text] : ResourceFile(language)) {
            for (const char* placeholder : {"%1", "%2", "%3"}) {
                EXPECT_EQ(key.find(placeholder) == std::string::npos,
                          text.find(placeholder) == std::string::npos)
                    << language << ": " << key << " -> " << text;
            }
        }
    }
}

// The scanner itself: what it takes for a text and what it leaves.
TEST(SourceTextScan, TakesLiteralsAndSkipsComments) {
    auto literals = scan::StringLiterals(
        "// \"注释\"\n/* \"块注释\" */ auto a = LoadResText(\"合计\"); char q = '\"';\n"
        "auto b = \"没有\" \n  \"任务单\";");
    ASSERT_EQ(literals.size(), 2u);
    EXPECT_EQ(literals[0].text, "合计");
    EXPECT_EQ(literals[0].line, 2);
    EXPECT_EQ(literals[1].text, "没有任务单");
}

TEST(SourceTextScan, ResolvesEscapesAndRawStrings) {
    auto literals = scan::StringLiterals("f(\"a\\\"b\\n\"); g(R\"x(原\"文)x\");");
    ASSERT_EQ(literals.size(), 2u);
    EXPECT_EQ(literals[0].text, "a\"b\n");
    EXPECT_EQ(literals[1].text, "原\"文");
}

TEST(SourceTextScan, SplitsCompositeTextsAsTheLookupDoes) {
    auto keys = scan::ResourceKeys("~$~ 执行数量 ^|^ 12 ^|^~$~合计");
    EXPECT_EQ(keys, (std::vector<std::string>{"执行数量", "合计"}));
    EXPECT_TRUE(scan::ResourceKeys("FBillNo").empty());
    // Full-width punctuation and accented letters are no Chinese text of their own.
    EXPECT_TRUE(scan::ResourceKeys("！（）").empty());
    EXPECT_FALSE(scan::HoldsChinese("Qté: 5"));
    EXPECT_TRUE(scan::HoldsChinese("Qty 数量"));
}

TEST(SourceTextScan, ReadsEveryHeaderAndSourceBelowAFolderAndNothingElse) {
    const auto root =
        std::filesystem::temp_directory_path() / ("scan_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "inner");
    std::ofstream(root / "a.cpp") << "int x;\nauto t = \"合计\";\n";
    std::ofstream(root / "inner" / "b.h") << "// \"注释\"\n\nauto k = \"~$~执行数量^|^FQty\";\n";
    std::ofstream(root / "notes.txt") << "\"不算\"\n";
    auto texts = scan::ChineseTextsBelow(root);
    std::filesystem::remove_all(root);
    std::sort(texts.begin(), texts.end(),
              [](const auto& a, const auto& b) { return a.text < b.text; });
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "合计");
    EXPECT_EQ(texts[0].file.filename(), "a.cpp");
    EXPECT_EQ(texts[0].line, 2);
    EXPECT_EQ(texts[1].text, "执行数量");
    EXPECT_EQ(texts[1].file.filename(), "b.h");
    EXPECT_EQ(texts[1].line, 3);
}

}  // namespace
