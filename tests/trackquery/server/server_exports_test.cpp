// The shared object itself: its four exports are visible and behave when loaded by a host.

#include <trackquery/framework/class_factory.h>
#include <trackquery/framework/server_registry_file.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#ifdef TRACKQUERY_SERVER_SO

namespace trackquery {
namespace {

using RegisterFn = int32_t (*)();
using GetClassObjectFn = int32_t (*)(const Guid*, const Guid*, void**);

std::string RunCommand(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return output;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
    return output;
}

TEST(ServerExports, TheFourStandardExportsAreInTheDynamicSymbolTable) {
    const std::string symbols =
        RunCommand(std::string("nm -D --defined-only ") + TRACKQUERY_SERVER_SO);
    for (const char* name :
         {"DllRegisterServer", "DllUnregisterServer", "DllGetClassObject", "DllCanUnloadNow"}) {
        EXPECT_NE(symbols.find(std::string(" T ") + name + "\n"), std::string::npos) << name;
    }
}

class LoadedServer : public ::testing::Test {
  protected:
    void SetUp() override {
        registryPath_ = (std::filesystem::temp_directory_path() /
                         ("tq_server_registry_" + std::to_string(::getpid())))
                            .string();
        std::filesystem::remove(registryPath_);
        ::setenv("TRACKQUERY_REGISTRY_FILE", registryPath_.c_str(), 1);
        handle_ = ::dlopen(TRACKQUERY_SERVER_SO, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << ::dlerror();
    }
    void TearDown() override {
        if (handle_) ::dlclose(handle_);
        ::unsetenv("TRACKQUERY_REGISTRY_FILE");
        std::filesystem::remove(registryPath_);
    }
    template <class Fn>
    Fn Export(const char* name) {
        return reinterpret_cast<Fn>(::dlsym(handle_, name));
    }

    std::string registryPath_;
    void* handle_ = nullptr;
};

TEST_F(LoadedServer, RegisterWritesBothClassesAndUnregisterRemovesThem) {
    auto registerServer = Export<RegisterFn>("DllRegisterServer");
    auto unregisterServer = Export<RegisterFn>("DllUnregisterServer");
    ASSERT_NE(registerServer, nullptr);
    ASSERT_NE(unregisterServer, nullptr);

    ASSERT_EQ(registerServer(), hresult::S_Ok);
    ServerRegistryFile registry(registryPath_);
    registry.Load();
    const RegistryEntry* icmo = registry.Find("QzICMOTrackQuery.CICMOQuery");
    ASSERT_NE(icmo, nullptr);
    EXPECT_EQ(icmo->Clsid, "{D9C53283-C22C-455B-B2E5-2488C14FB077}");
    EXPECT_EQ(std::filesystem::path(icmo->ServerPath).filename(),
              std::filesystem::path(TRACKQUERY_SERVER_SO).filename());
    EXPECT_NE(registry.Find("QzICMOTrackQuery.CSeOrderQuery"), nullptr);

    ASSERT_EQ(unregisterServer(), hresult::S_Ok);
    registry.Load();
    EXPECT_TRUE(registry.Entries().empty());
}

TEST_F(LoadedServer, ClassObjectsAreHandedOutForKnownClassesOnly) {
    auto getClassObject = Export<GetClassObjectFn>("DllGetClassObject");
    auto canUnload = Export<RegisterFn>("DllCanUnloadNow");
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnload, nullptr);

    Guid clsid, factoryIid, unknownClass;
    ASSERT_TRUE(ParseGuid("{D9C53283-C22C-455B-B2E5-2488C14FB077}", clsid));
    ASSERT_TRUE(ParseGuid(kIID_IClassFactory, factoryIid));
    ASSERT_TRUE(ParseGuid("{12345678-1234-1234-1234-123456789ABC}", unknownClass));

    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(&unknownClass, &factoryIid, &object),
              hresult::Class_E_ClassNotAvailable);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(getClassObject(&clsid, &unknownClass, &object), hresult::E_NoInterface);
    EXPECT_EQ(getClassObject(&clsid, &factoryIid, nullptr), hresult::E_Pointer);

    EXPECT_EQ(canUnload(), hresult::S_Ok);
    ASSERT_EQ(getClassObject(&clsid, &factoryIid, &object), hresult::S_Ok);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(canUnload(), hresult::S_False) << "a factory is alive";
    // The factory object lives in the loaded server; only its reference count is touched here.
    static_cast<ClassFactory*>(object)->Release();
    EXPECT_EQ(canUnload(), hresult::S_Ok);
}

}  // namespace
}  // namespace trackquery

#endif
