// Every Chinese text of the library must have its translation in the language resources, so
// that no screen shows Chinese to a user who runs the client in English or traditional Chinese.

#include "source_text_scan.h"

#include <client/resources/res_loader.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const std::filesystem::path kSourceDir = TRACKQUERY_SOURCE_DIR;

std::map<std::string, std::string> ResourceFile(const std::string& language) {
    return client::ReadResourceFile(kSourceDir / "resources" / "lang" /
                                    ("ZeVoverazuzed." + language));
}

std::string MissingTexts(const std::map<std::string, std::string>& resources) {
    std::string missing;
    std::set<std::string> named;
    for (const auto& found : scan::ChineseTextsBelow(kSourceDir / "trackquery")) {
        if (resources.count(found.text) || !named.insert(found.text).second) continue;
        missing += "\n  \"" + found.text + "\" (" +
                   std::filesystem::relative(found.file, kSourceDir).string() + ":" +
                   std::to_string(found.line) + ")";
    }
    return missing;
}

TEST(ResourceCoverage, EveryLibraryTextHasAnEnglishTranslation) {
    std::string missing = MissingTexts(ResourceFile("en"));
    EXPECT_TRUE(missing.empty()) << "ZeVoverazuzed.en lacks:" << missing;
}

TEST(ResourceCoverage, EveryLibraryTextHasATraditionalChineseTranslation) {
    std::string missing = MissingTexts(ResourceFile("cht"));
    EXPECT_TRUE(missing.empty()) << "ZeVoverazuzed.cht lacks:" << missing;
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
}

}  // namespace
