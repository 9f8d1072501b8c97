// What the client's components read from the session property string: the connection part and the
// user id.

#include <components/session/props_string.h>

#include <platform/automation/errors.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

namespace {

using automation::vberr::InvalidProcedureCall;
using automation::vberr::TypeMismatch;

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
