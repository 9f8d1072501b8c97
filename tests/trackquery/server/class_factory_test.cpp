#include <trackquery/framework/class_factory.h>

#include <platform/automation/registry.h>

#include <gtest/gtest.h>

namespace trackquery {
namespace {

class Dummy : public automation::Object {
  public:
    std::string TypeName() const override { return "Dummy"; }
};

TEST(Guid, ParsesWithAndWithoutBracesAndPrintsUpperCase) {
    Guid guid;
    ASSERT_TRUE(ParseGuid("{d9c53283-c22c-455b-b2e5-2488c14fb077}", guid));
    EXPECT_EQ(guid.Data1, 0xD9C53283u);
    EXPECT_EQ(guid.Data2, 0xC22Cu);
    EXPECT_EQ(guid.Data4[0], 0xB2u);
    EXPECT_EQ(guid.Data4[7], 0x77u);
    EXPECT_EQ(GuidToString(guid), "{D9C53283-C22C-455B-B2E5-2488C14FB077}");
    Guid bare;
    ASSERT_TRUE(ParseGuid("D9C53283-C22C-455B-B2E5-2488C14FB077", bare));
    EXPECT_EQ(bare, guid);
}

TEST(Guid, RefusesMalformedText) {
    Guid guid;
    EXPECT_FALSE(ParseGuid("", guid));
    EXPECT_FALSE(ParseGuid("{D9C53283-C22C-455B-B2E5-2488C14FB077", guid));
    EXPECT_FALSE(ParseGuid("D9C53283xC22C-455B-B2E5-2488C14FB077", guid));
    EXPECT_FALSE(ParseGuid("G9C53283-C22C-455B-B2E5-2488C14FB077", guid));
}

TEST(CreatableClasses, BothTrackersHaveAnIdentity) {
    ASSERT_EQ(CreatableClasses().size(), 2u);
    for (const auto& creatable : CreatableClasses()) {
        Guid clsid;
        ASSERT_TRUE(ParseGuid(creatable.Clsid, clsid)) << creatable.ProgId;
        ASSERT_NE(FindCreatableClass(clsid), nullptr);
        EXPECT_EQ(FindCreatableClass(clsid)->ProgId, creatable.ProgId);
    }
    EXPECT_EQ(FindCreatableClass(Guid{}), nullptr);
}

TEST(HResult, VisualBasicErrorsMapIntoTheirFacility) {
    EXPECT_EQ(HResultFromErrorNumber(429), static_cast<int32_t>(0x800A01ADu));
    EXPECT_EQ(HResultFromErrorNumber(hresult::E_NoInterface), hresult::E_NoInterface);
    EXPECT_EQ(HResultFromErrorNumber(0), hresult::E_Fail);
}

class ClassFactoryTest : public ::testing::Test {
  protected:
    void SetUp() override { automation::ComponentRegistry::Instance().Clear(); }
    void TearDown() override { automation::ComponentRegistry::Instance().Clear(); }
};

TEST_F(ClassFactoryTest, CreatesThroughTheRegistryAndHoldsTheServerWhileAlive) {
    automation::ComponentRegistry::Instance().Register("Test.Dummy",
                                                       [] { return std::make_shared<Dummy>(); });
    EXPECT_TRUE(CanUnloadServer());
    auto* factory = new ClassFactory("Test.Dummy");
    EXPECT_FALSE(CanUnloadServer());

    automation::ObjectPtr instance;
    EXPECT_EQ(factory->CreateInstance(nullptr, &instance), hresult::S_Ok);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->TypeName(), "Dummy");
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_FALSE(CanUnloadServer()) << "a created instance is still alive";
    instance.reset();
    EXPECT_TRUE(CanUnloadServer());
}

TEST_F(ClassFactoryTest, AnUnregisteredClassGivesItsErrorAsResult) {
    auto* factory = new ClassFactory("Nobody.Here");
    automation::ObjectPtr instance = std::make_shared<Dummy>();
    EXPECT_EQ(factory->CreateInstance(nullptr, &instance), HResultFromErrorNumber(429));
    EXPECT_EQ(instance, nullptr);
    factory->Release();
}

TEST_F(ClassFactoryTest, AggregationAndMissingOutputAreRefused) {
    automation::ComponentRegistry::Instance().Register("Test.Dummy",
                                                       [] { return std::make_shared<Dummy>(); });
    auto* factory = new ClassFactory("Test.Dummy");
    int outer = 0;
    automation::ObjectPtr instance;
    EXPECT_EQ(factory->CreateInstance(&outer, &instance), hresult::Class_E_NoAggregation);
    EXPECT_EQ(factory->CreateInstance(nullptr, nullptr), hresult::E_Pointer);
    factory->Release();
}

TEST_F(ClassFactoryTest, ALockKeepsTheServerUntilUnlocked) {
    auto* factory = new ClassFactory("Test.Dummy");
    factory->LockServer(true);
    factory->Release();
    EXPECT_FALSE(CanUnloadServer());
    ClassFactory* second = new ClassFactory("Test.Dummy");
    second->LockServer(false);
    second->Release();
    EXPECT_TRUE(CanUnloadServer());
}

}  // namespace
}  // namespace trackquery
