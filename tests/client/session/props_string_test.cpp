// The session property string as the client's components read it: its grammar, the connection
// part and the user id.

#include <client/session/props_string.h>

#include <platform/automation/errors.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

namespace {

using automation::vberr::InvalidProcedureCall;
using automation::vberr::TypeMismatch;

TEST(PropsString, BracedValuesKeepSemicolonsAndEqualSignsAndKeysIgnoreCase) {
    const std::string props = "A=1; B = {x;y=2} ;C=3";
    EXPECT_EQ(client::PropsValue(props, "A"), "1");
    EXPECT_EQ(client::PropsValue(props, "b"), "x;y=2");
    EXPECT_EQ(client::PropsValue(props, "c"), "3");
    EXPECT_EQ(client::PropsValue(props, "D"), std::nullopt);
}

TEST(PropsString, WhatFollowsABracedValueUpToItsSemicolonIsDropped) {
    const std::string props = "X={ a } b=c;Y=2;Z={open";
    EXPECT_EQ(client::PropsValue(props, "X"), "a");
    EXPECT_EQ(client::PropsValue(props, "b"), std::nullopt);
    EXPECT_EQ(client::PropsValue(props, "Y"), "2");
    EXPECT_EQ(client::PropsValue(props, "Z"), "open");
}

TEST(PropsString, AnEntryWithAnEmptyKeyEndsTheString) {
    const auto entries = client::PropsEntries("A=1; =x;B=2");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].key, "A");
    EXPECT_EQ(client::PropsValue("A=1; =x;B=2", "B"), std::nullopt);
}

TEST(PropsString, ConnectionPartIsTheFirstBracedValue) {
    EXPECT_EQ(client::ConnectionPart("ConnectString={Data Source=/a.db};X={b}"),
              "Data Source=/a.db");
    EXPECT_EQ(client::ConnectionPart("UserID=1; ConnectString = { Data Source=/a.db } ;"),
              "Data Source=/a.db");
    EXPECT_EQ(ErrorNumberOf([] { client::ConnectionPart("UserID=1;"); }), InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { client::ConnectionPart("ConnectString={};X={b}"); }),
              InvalidProcedureCall);
}

TEST(PropsString, SessionUserIdIsThirtyTwoBitWithOneErrorForEveryFault) {
    EXPECT_EQ(client::SessionUserID("ConnectString={a;UserID=1};UserID=2147483647;"), 2147483647);
    EXPECT_EQ(client::SessionUserID("userid = 40000 ;UserName=x;"), 40000);
    EXPECT_EQ(ErrorNumberOf([] { client::SessionUserID("UserID=2147483648;"); }), TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { client::SessionUserID("UserName=x;"); }), TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { client::SessionUserID("UserID=abc;"); }), TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { client::SessionUserID("UserID=16394.5;"); }), TypeMismatch);
}

}  // namespace
