// The session property string's one reader: the tokenizer, and the entries and values it finds.

#include <contracts/props_string.h>

#include <gtest/gtest.h>

namespace {

using trackquery::CutKey;
using trackquery::CutToken;
using trackquery::CutValue;
using trackquery::PropsValue;

// One cut from the front of `text`: what it returns and what stays.
struct Cut {
    std::string text;
    std::string (*cut)(std::string&);
    std::string token, rest;
};

std::string CutAtEquals(std::string& text) { return CutToken(text, "="); }
std::string CutAtAnd(std::string& text) { return CutToken(text, "and"); }
std::string CutAtSemicolon(std::string& text) { return CutToken(text, ";"); }

TEST(PropsStringTokenizer, CutsFromTheFrontAndLeavesTheRest) {
    const Cut cuts[] = {
        {"a=b=c", CutAtEquals, "a", "b=c"},           // the first separator
        {"leftANDright", CutAtAnd, "left", "right"},  // letter case ignored
        {"rest", CutAtSemicolon, "rest", ""},         // no separator: everything
        {"", CutAtSemicolon, "", ""},                 // nothing left: nothing
        {"  Key  =  value  ; next=1", CutKey, "Key", "  value  ; next=1"},
        {"  value  ; next=1", CutValue, "value", " next=1"},       // blanks trimmed
        {"{a;b=c} ignored ;next=2", CutValue, "a;b=c", "next=2"},  // after the brace: dropped
        {"{a{b}c};d=1", CutValue, "a{b", "d=1"},                   // braces do not nest
        {" {a;b", CutValue, "a;b", ""},                            // unclosed: the rest
    };
    for (const auto& expected : cuts) {
        std::string text = expected.text;
        EXPECT_EQ(expected.cut(text), expected.token) << expected.text;
        EXPECT_EQ(text, expected.rest) << expected.text;
    }
}

TEST(PropsStringEntries, BracedValuesKeepSemicolonsAndEqualSignsAndKeysIgnoreCase) {
    const std::string props = "A=1; B = {x;y=2} ;C=3";
    EXPECT_EQ(PropsValue(props, "A"), "1");
    EXPECT_EQ(PropsValue(props, "b"), "x;y=2");
    EXPECT_EQ(PropsValue(props, "c"), "3");
    EXPECT_EQ(PropsValue(props, "D"), std::nullopt);
    const auto entries = trackquery::PropsEntries(props);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].key, "B");
    EXPECT_TRUE(entries[1].braced);
    EXPECT_FALSE(entries[0].braced || entries[2].braced);
}

TEST(PropsStringEntries, WhatFollowsABracedValueUpToItsSemicolonIsDropped) {
    const std::string props = "X={ a } b=c;Y=2;Z={open";
    EXPECT_EQ(PropsValue(props, "X"), "a");
    EXPECT_EQ(PropsValue(props, "b"), std::nullopt);
    EXPECT_EQ(PropsValue(props, "Y"), "2");
    EXPECT_EQ(PropsValue(props, "Z"), "open");
}

TEST(PropsStringEntries, AnEntryWithAnEmptyKeyEndsTheString) {
    const auto entries = trackquery::PropsEntries("A=1; =x;B=2");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].key, "A");
    EXPECT_EQ(PropsValue("A=1; =x;B=2", "B"), std::nullopt);
    // The entry that ends the string still has its value cut, for a reader that wants it.
    std::string rest = "=stop;C=3";
    const auto last = trackquery::CutEntry(rest);
    EXPECT_EQ(last.key, "");
    EXPECT_EQ(last.value, "stop");
    EXPECT_EQ(rest, "C=3");
}

}  // namespace
