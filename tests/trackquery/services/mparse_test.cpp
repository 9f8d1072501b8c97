// The session property string as a table: the user, the sub-system and every other key.

#include <support/error_number.h>
#include "services_test_support.h"

using trackquery::GetParsedValue;
using trackquery::ParsePropsString;

namespace {

using PropsParsing = ServicesTest;

TEST_F(PropsParsing, ABracedValueKeepsItsSemicolonsAndEqualSigns) {
    EXPECT_TRUE(ParsePropsString(kSession));
    EXPECT_EQ(GetParsedValue("ConnectString"), "Provider=SQLite;Data Source=/tmp/erp.db");
    EXPECT_EQ(GetParsedValue("UserName"), "administrator");
}

TEST_F(PropsParsing, KeysAreFoundInAnyLetterCase) {
    ParsePropsString(kSession);
    EXPECT_EQ(GetParsedValue("subid"), "CJ");
    EXPECT_EQ(GetParsedValue("SUBID"), "CJ");
}

TEST_F(PropsParsing, AnEntryWithAnEmptyKeyEndsTheParse) {
    ParsePropsString("A=1;=2;B=3;");
    EXPECT_EQ(GetParsedValue("A"), "1");
    EXPECT_NE(ErrorNumberOf([] { GetParsedValue("B"); }), 0);
}

TEST_F(PropsParsing, ADuplicateKeyFailsAtItsSecondOccurrence) {
    EXPECT_EQ(ErrorNumberOf([] { ParsePropsString("A=1;B=2;a=3;C=4;"); }),
              automation::vberr::KeyAlreadyExists);
    EXPECT_EQ(GetParsedValue("A"), "1");
    EXPECT_EQ(GetParsedValue("B"), "2");
    EXPECT_NE(ErrorNumberOf([] { GetParsedValue("C"); }), 0);
}

TEST_F(PropsParsing, EachParseReplacesTheWholeTable) {
    ParsePropsString("A=1;B=2;");
    ParsePropsString("B=5;");
    EXPECT_EQ(GetParsedValue("B"), "5");
    EXPECT_NE(ErrorNumberOf([] { GetParsedValue("A"); }), 0);
}

TEST_F(PropsParsing, AMissingKeyFails) {
    ParsePropsString(kSession);
    EXPECT_EQ(ErrorNumberOf([] { GetParsedValue("Password"); }),
              automation::vberr::SubscriptOutOfRange);
}

TEST_F(PropsParsing, ReadingBeforeAnyParseFails) {
    EXPECT_EQ(ErrorNumberOf([] { GetParsedValue("UserID"); }),
              automation::vberr::ObjectVariableNotSet);
    EXPECT_NE(ErrorNumberOf([] { trackquery::GetUserID(); }), 0);
}

TEST_F(PropsParsing, AnEmptyStringGivesAnEmptyTable) {
    EXPECT_TRUE(ParsePropsString(""));
    EXPECT_EQ(ErrorNumberOf([] { GetParsedValue("A"); }), automation::vberr::SubscriptOutOfRange);
}

using SessionUser = ServicesTest;

TEST_F(SessionUser, TheSubSystemIsReadFromTheCurrentSession) {
    UseSession(kSession);
    EXPECT_EQ(trackquery::GetSubID(), "CJ");
    UseSession("UserID=7;SubID=REPM;");
    EXPECT_EQ(trackquery::GetSubID(), "REPM");
    EXPECT_EQ(trackquery::GetUserID(), 7);
}

TEST_F(SessionUser, TheUserIdIsReadAfterTheSubSystem) {
    UseSession(kSession);
    trackquery::GetSubID();
    EXPECT_EQ(trackquery::GetUserID(), 16394);
}

TEST_F(SessionUser, UserIdsAbove32767AreReadInFull) {
    UseSession("UserID=40000;SubID=CJ;");
    trackquery::GetSubID();
    EXPECT_EQ(trackquery::GetUserID(), 40000);
    UseSession("UserID=2147483647;SubID=CJ;");
    trackquery::GetSubID();
    EXPECT_EQ(trackquery::GetUserID(), 2147483647);
}

TEST_F(SessionUser, AUserIdThatIsNotANumberFails) {
    ParsePropsString("UserID=abc;");
    EXPECT_EQ(ErrorNumberOf([] { trackquery::GetUserID(); }), automation::vberr::TypeMismatch);
    ParsePropsString("UserID=99999999999;");
    EXPECT_EQ(ErrorNumberOf([] { trackquery::GetUserID(); }), automation::vberr::Overflow);
}

TEST_F(SessionUser, WithoutASessionGetSubIdFails) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kSharePropsProgId);
    EXPECT_EQ(ErrorNumberOf([] { trackquery::GetSubID(); }), automation::vberr::CannotCreateObject);
}

}  // namespace
