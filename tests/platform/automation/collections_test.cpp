#include <platform/automation/collections.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

using namespace automation;

namespace {

TEST(Dictionary, KeysIgnoreCaseAndKeepInsertionOrder) {
    Dictionary dictionary;
    dictionary.SetItem("FInterID", 12);
    dictionary.SetItem("FBillNo", "WORK001");
    dictionary.SetItem("finterid", 13);  // the same key, written again

    EXPECT_EQ(dictionary.Count(), 2);
    EXPECT_EQ(dictionary.Item("FINTERID"), Variant(13));
    EXPECT_EQ(dictionary.Key(1), "FInterID");
    EXPECT_EQ(dictionary.ItemAt(2), Variant("WORK001"));
    EXPECT_TRUE(dictionary.Exists("fbillno"));
}

TEST(Dictionary, MissingKeysAndPositionsFail) {
    Dictionary dictionary;
    dictionary.Add("a", 1);
    const Variant none("none");
    EXPECT_EQ(dictionary.Item("b", none), none);
    EXPECT_FALSE(dictionary.Lookup("b").has_value());
    EXPECT_EQ(ErrorNumberOf([&] { dictionary.Item("b"); }), vberr::SubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { dictionary.Add("A", 2); }), vberr::KeyAlreadyExists);
    EXPECT_EQ(ErrorNumberOf([&] { dictionary.Key(2); }), vberr::SubscriptOutOfRange);
    dictionary.Remove("A");
    EXPECT_EQ(dictionary.Count(), 0);
}

TEST(Vector, IsOneBased) {
    Vector vector({Variant(10), Variant(20)});
    EXPECT_EQ(vector.Item(1), Variant(10));
    EXPECT_EQ(vector.UBound(), 2);
    EXPECT_EQ(ErrorNumberOf([&] { vector.Item(0); }), vberr::SubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { vector.Item(3); }), vberr::SubscriptOutOfRange);
}

TEST(Variant, ReportsKindsAndTypeNames) {
    EXPECT_EQ(Variant().TypeName(), "Empty");
    EXPECT_EQ(Variant(Null).TypeName(), "Null");
    EXPECT_EQ(Variant(int16_t{3}).TypeName(), "Integer");
    EXPECT_EQ(Variant(int64_t{1} << 40).TypeName(), "Double");
    EXPECT_EQ(Variant(ObjectPtr()).TypeName(), "Nothing");
    EXPECT_EQ(Variant(std::make_shared<Vector>()).TypeName(), "Vector");
    EXPECT_EQ(ErrorNumberOf([] { Variant("x").AsLong(); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { Variant(Null).AsObject(); }), vberr::ObjectRequired);
}

TEST(Errors, RaiseAgainKeepsTheSourceTrail) {
    try {
        try {
            Raise(vberr::Overflow, "QzICMOTrackQuery.CICMOQuery.Inner");
        } catch (const RuntimeError& error) {
            RaiseAgain(error, "QzICMOTrackQuery.CICMOQuery.Outer");
        }
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 6);
        EXPECT_EQ(error.Description(), "Overflow");
        EXPECT_EQ(error.Source(),
                  "QzICMOTrackQuery.CICMOQuery.Outer\r\nQzICMOTrackQuery.CICMOQuery.Inner");
    }
}

TEST(Errors, PendingErrorSurvivesAGuardedCall) {
    Err().Set(RuntimeError(13, "caller", "Type mismatch"));
    {
        PendingErrorGuard guard;
        Err().Clear();
    }
    EXPECT_EQ(Err().Number, 13);
    EXPECT_EQ(Err().Source, "caller");
    Err().Clear();
}

class Probe : public Object {
  public:
    std::string TypeName() const override { return "Probe"; }
};

TEST(ComponentRegistry, CreatesByProgIdIgnoringCase) {
    auto& registry = ComponentRegistry::Instance();
    registry.Register("Test.Probe", [] { return std::make_shared<Probe>(); });
    EXPECT_EQ(CreateObject("test.PROBE")->TypeName(), "Probe");
    EXPECT_NE(CreateObject<Probe>("Test.Probe"), nullptr);
    EXPECT_EQ(ErrorNumberOf([] { CreateObject("Test.Missing"); }), vberr::CannotCreateObject);
    EXPECT_EQ(ErrorNumberOf([] { CreateObject<Vector>("Test.Probe"); }),
              vberr::InterfaceNotSupported);
    registry.Unregister("Test.Probe");
    EXPECT_FALSE(registry.IsRegistered("Test.Probe"));
}

}  // namespace
