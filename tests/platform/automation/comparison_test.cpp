#include <platform/automation/comparison.h>
#include <platform/automation/errors.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

#include <functional>
#include <memory>

using namespace automation;

namespace {

class Thing : public Object {
  public:
    std::string TypeName() const override { return "Thing"; }
};

TEST(VbComparison, NumbersAgainstNumericTextsCompareAsNumbers) {
    EXPECT_TRUE(VbEquals("-52", -52));
    EXPECT_TRUE(VbEquals(Variant(int16_t{81}), " 81 "));
    EXPECT_EQ(VbCompare("5", 4), 1);
    EXPECT_EQ(VbCompare(10, "9"), 1);  // as text "10" would sort before "9"
    EXPECT_TRUE(VbEquals(Variant(int32_t{3}), 3.0));
    EXPECT_EQ(ErrorNumberOf([] { VbCompare(5, "abc"); }), vberr::TypeMismatch);
}

TEST(VbComparison, TextsCompareByCodeOrIgnoringCase) {
    EXPECT_FALSE(VbEquals("abc", "ABC"));
    EXPECT_TRUE(VbEquals("abc", "ABC", vbTextCompare));
    EXPECT_FALSE(VbEquals("a", "a "));
    EXPECT_EQ(VbCompare("AAA", "aaa"), -1);
    EXPECT_TRUE(VbEquals("生产", "生产"));
}

TEST(VbComparison, NullMakesTheResultNull) {
    EXPECT_FALSE(VbCompare(Null, 1).has_value());
    EXPECT_FALSE(VbCompare("abc", Null).has_value());
    EXPECT_FALSE(VbEquals(Null, Null));
}

TEST(VbComparison, EmptyStandsForZeroOrEmptyText) {
    EXPECT_TRUE(VbEquals(Variant(), 0));
    EXPECT_TRUE(VbEquals(Variant(), ""));
    EXPECT_TRUE(VbEquals(Variant(), Variant()));
    EXPECT_EQ(VbCompare(Variant(), 5), -1);
    EXPECT_EQ(VbCompare("a", Variant()), 1);
    EXPECT_FALSE(VbEquals(Variant(), "0"));
}

TEST(VbComparison, BooleansAndDates) {
    EXPECT_TRUE(VbEquals(true, -1));
    EXPECT_TRUE(VbEquals(true, "True"));
    EXPECT_TRUE(VbEquals(false, "0"));
    EXPECT_TRUE(VbEquals(DateValue{45000}, "2023-03-15"));
    EXPECT_EQ(VbCompare(DateValue{45000}, "2023-03-16"), -1);
    EXPECT_TRUE(VbEquals(DateValue{45000}, 45000));
}

TEST(VbComparison, ObjectsCannotBeCompared) {
    const Variant thing(std::make_shared<Thing>());
    EXPECT_EQ(ErrorNumberOf([&] { VbCompare(thing, thing); }), vberr::TypeMismatch);
}

}  // namespace
