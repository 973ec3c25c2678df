// Loads the built KVX4.dll and drives its registration exports against a private registry store.
#include <dlfcn.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "component/Registration.h"
#include "platform/registry/Registry.h"

namespace {

namespace fs = std::filesystem;

using RegisterFn = bool (*)(const char*, const char*);
using DllRegisterFn = bool (*)();
using DllUnregisterFn = int (*)();
using CountFn = int (*)(int);
using EnumFn = bool (*)(int, tagCRVComponent*);

constexpr const char* kEffectsKey = "Software\\Corvane\\Tidefall\\Components\\Effects";
constexpr const char* kDisplayName = "DU Dazaro Veruvur (KVX4)";
constexpr const char* kCountSymbol = "_Z17GetComponentCounti";
constexpr const char* kEnumSymbol = "_Z14EnumComponentsiP15tagCRVComponent";

struct Exports {
    DllRegisterFn dllRegister;
    DllUnregisterFn dllUnregister;
    CountFn count;
    EnumFn enumerate;
    RegisterFn registerEffects;
    RegisterFn unregisterEffects;
};

void* Symbol(void* library, const char* name) {
    void* symbol = library ? dlsym(library, name) : nullptr;
    EXPECT_NE(symbol, nullptr) << name;
    return symbol;
}

class RegistrationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Kept loaded for the whole run: the component's module registers itself for the process.
        library_ = dlopen(KVX4_DLL_PATH, RTLD_NOW);
        ASSERT_NE(library_, nullptr) << dlerror();
    }

    void SetUp() override {
        ASSERT_NE(library_, nullptr);
        std::string pattern = (fs::temp_directory_path() / "kvx4-registration-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        setenv("KVX4_REGISTRY_DIR", directory_.c_str(), 1);
        x = {reinterpret_cast<DllRegisterFn>(Symbol(library_, "DllRegisterComponent")),
             reinterpret_cast<DllUnregisterFn>(Symbol(library_, "DllUnregisterComponent")),
             reinterpret_cast<CountFn>(Symbol(library_, kCountSymbol)),
             reinterpret_cast<EnumFn>(Symbol(library_, kEnumSymbol)),
             Helper("_Z15RegisterEffectsPKcS0_"),
             Helper("_Z17UnregisterEffectsPKcS0_")};
    }

    void TearDown() override {
        unsetenv("KVX4_REGISTRY_DIR");
        fs::remove_all(directory_);
    }

    static RegisterFn Helper(const char* mangledName) {
        return reinterpret_cast<RegisterFn>(Symbol(library_, mangledName));
    }

    // The value's data exactly as stored, or nothing when the key or the value is missing.
    static std::optional<std::string> ReadValue(const char* keyPath, const char* name, win::DWORD* type = nullptr) {
        win::HKEY key{};
        if (win::RegOpenKeyExA(win::HKEY_CURRENT_USER, keyPath, 0, win::KEY_QUERY_VALUE, &key) != 0) return {};
        std::string data(1024, '\0');
        win::DWORD size = static_cast<win::DWORD>(data.size());
        auto status = win::RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<win::BYTE*>(data.data()), &size);
        win::RegCloseKey(key);
        if (status != 0) return {};
        data.resize(size);
        return data;
    }

    fs::path StoreFile() const { return fs::path(directory_) / "HKEY_CURRENT_USER.reg"; }

    static void* library_;
    std::string directory_;
    Exports x{};
};

void* RegistrationTest::library_ = nullptr;

std::vector<tagCRVComponent> SentinelRecords(std::size_t count) {
    std::vector<tagCRVComponent> records(count);
    std::memset(records.data(), 0xCD, count * sizeof(tagCRVComponent));
    return records;
}

bool IsSentinel(const tagCRVComponent& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i) {
        if (bytes[i] != 0xCD) return false;
    }
    return true;
}

bool IsZero(const tagCRVComponent& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i) {
        if (bytes[i] != 0) return false;
    }
    return true;
}

TEST_F(RegistrationTest, DllRegisterComponentAnnouncesTheLibraryAsAnEffect) {
    EXPECT_TRUE(x.dllRegister());

    win::DWORD type = 0;
    auto path = ReadValue(kEffectsKey, kDisplayName, &type);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(type, win::REG_SZ);
    EXPECT_EQ(path->find('\0'), std::string::npos) << "stored with its terminating zero";
    EXPECT_TRUE(fs::path(*path).is_absolute()) << *path;
    EXPECT_TRUE(fs::equivalent(*path, KVX4_DLL_PATH)) << *path;
    EXPECT_TRUE(fs::exists(StoreFile()));
}

TEST_F(RegistrationTest, DllUnregisterComponentChangesNothing) {
    ASSERT_TRUE(x.dllRegister());
    EXPECT_EQ(x.dllUnregister(), 1);
    EXPECT_TRUE(ReadValue(kEffectsKey, kDisplayName).has_value());
    EXPECT_EQ(x.count(CRV_CATEGORY_EFFECTS), 1);
}

TEST_F(RegistrationTest, EachHelperWritesIntoItsOwnCategoryKey) {
    struct Case {
        const char* symbol;
        int category;
        const char* key;
    };
    const Case cases[] = {
        {"_Z18RegisterWaveEditorPKcS0_", 0x11000, "Software\\Corvane\\Sorvex\\Components\\Wave Editors"},
        {"_Z24RegisterInstrumentEditorPKcS0_", 0x11010, "Software\\Corvane\\Sorvex\\Components\\Instrument Editors"},
        {"_Z17RegisterSequencerPKcS0_", 0x11020, "Software\\Corvane\\Sorvex\\Components\\Sequencers"},
        {"_Z24RegisterSamplerConverterPKcS0_", 0x11030, "Software\\Corvane\\Sorvex\\Components\\Sample Converters"},
        {"_Z15RegisterEffectsPKcS0_", 0x11040, kEffectsKey},
        {"_Z17RegisterSoftSynthPKcS0_", 0x11050, "Software\\Corvane\\Tidefall\\Components\\SoftSynth"},
    };
    for (const Case& c : cases) {
        RegisterFn helper = Helper(c.symbol);
        ASSERT_NE(helper, nullptr);
        EXPECT_TRUE(helper(c.symbol, "/opt/plugins/x.dll")) << c.symbol;
    }
    for (const Case& c : cases) {
        EXPECT_EQ(ReadValue(c.key, c.symbol), "/opt/plugins/x.dll") << c.key;
        EXPECT_EQ(x.count(c.category), 1) << c.key;
    }
}

TEST_F(RegistrationTest, TheCountAndTheEnumerationAlsoAnswerToTheirPlainCNames) {
    auto count = reinterpret_cast<CountFn>(Symbol(library_, "GetComponentCount"));
    auto enumerate = reinterpret_cast<EnumFn>(Symbol(library_, "EnumComponents"));
    EXPECT_EQ(count, x.count);
    EXPECT_EQ(enumerate, x.enumerate);
    ASSERT_TRUE(count && enumerate);
    x.registerEffects("Plain", "/plain.dll");
    EXPECT_EQ(count(CRV_CATEGORY_EFFECTS), 1);
    auto records = SentinelRecords(1);
    EXPECT_TRUE(enumerate(CRV_CATEGORY_EFFECTS, records.data()));
    EXPECT_STREQ(records[0].componentName, "Plain");
}

TEST_F(RegistrationTest, RegisteringTwiceKeepsOneValueWithTheLastData) {
    EXPECT_TRUE(x.registerEffects("Twice", "/first/path.dll"));
    EXPECT_TRUE(x.registerEffects("Twice", "/second.dll"));
    EXPECT_EQ(x.count(CRV_CATEGORY_EFFECTS), 1);
    EXPECT_EQ(ReadValue(kEffectsKey, "Twice"), "/second.dll");
}

TEST_F(RegistrationTest, NullArgumentsAndUnknownCategoriesTouchNoRegistry) {
    tagCRVComponent record{};
    EXPECT_FALSE(x.registerEffects(nullptr, "/a.dll"));
    EXPECT_FALSE(x.registerEffects("A", nullptr));
    EXPECT_FALSE(x.unregisterEffects(nullptr, "/a.dll"));
    EXPECT_FALSE(x.unregisterEffects("A", nullptr));
    EXPECT_FALSE(x.enumerate(CRV_CATEGORY_EFFECTS, nullptr));
    EXPECT_FALSE(x.enumerate(0x11041, &record));
    EXPECT_EQ(x.count(0), 0);
    EXPECT_EQ(x.count(0x11041), 0);
    EXPECT_FALSE(fs::exists(StoreFile()));
}

TEST_F(RegistrationTest, MissingOrEmptyKeysCountZeroAndEnumerateNothing) {
    auto records = SentinelRecords(2);
    EXPECT_EQ(x.count(CRV_CATEGORY_SEQUENCERS), 0);
    EXPECT_TRUE(x.enumerate(CRV_CATEGORY_SEQUENCERS, records.data()));
    EXPECT_TRUE(IsSentinel(records[0]));

    ASSERT_TRUE(x.registerEffects("Gone", "/gone.dll"));
    ASSERT_TRUE(x.unregisterEffects("Gone", "unused"));
    EXPECT_EQ(x.count(CRV_CATEGORY_EFFECTS), 0);
    EXPECT_TRUE(x.enumerate(CRV_CATEGORY_EFFECTS, records.data()));
    EXPECT_TRUE(IsSentinel(records[0]));
}

TEST_F(RegistrationTest, EnumerationFillsExactlyCountRecordsInRegistrationOrder) {
    x.registerEffects("Zeta", "/z.dll");
    x.registerEffects("Alpha", "/alpha/a.dll");
    auto records = SentinelRecords(3);
    ASSERT_TRUE(x.enumerate(CRV_CATEGORY_EFFECTS, records.data()));
    EXPECT_STREQ(records[0].componentName, "Zeta");
    EXPECT_STREQ(records[0].componentPath, "/z.dll");
    EXPECT_STREQ(records[1].componentName, "Alpha");
    EXPECT_STREQ(records[1].componentPath, "/alpha/a.dll");
    EXPECT_EQ(records[1].componentPath[sizeof records[1].componentPath - 1], '\0');
    EXPECT_TRUE(IsSentinel(records[2]));
}

TEST_F(RegistrationTest, OversizedDataStopsTheEnumerationAfterTheRecordsBeforeIt) {
    x.registerEffects("First", "/first.dll");
    x.registerEffects("Long", std::string(300, 'p').c_str());
    x.registerEffects("Last", "/last.dll");
    auto records = SentinelRecords(4);
    EXPECT_FALSE(x.enumerate(CRV_CATEGORY_EFFECTS, records.data()));
    EXPECT_STREQ(records[0].componentName, "First");
    EXPECT_STREQ(records[0].componentPath, "/first.dll");
    EXPECT_TRUE(IsZero(records[1]));
    EXPECT_TRUE(IsZero(records[2]));
    EXPECT_TRUE(IsSentinel(records[3]));
}

TEST_F(RegistrationTest, DataOrNamesWithoutRoomForTheirZeroDoNotFit) {
    std::string fits(259, 'f');
    x.registerEffects("Fits", fits.c_str());
    auto records = SentinelRecords(1);
    ASSERT_TRUE(x.enumerate(CRV_CATEGORY_EFFECTS, records.data()));
    EXPECT_EQ(records[0].componentPath, fits);

    // Stored without a zero, 260 bytes of data fill the whole buffer.
    x.registerEffects("Full", std::string(260, 'g').c_str());
    records = SentinelRecords(2);
    EXPECT_FALSE(x.enumerate(CRV_CATEGORY_EFFECTS, records.data()));
    EXPECT_EQ(records[0].componentPath, fits);
    EXPECT_TRUE(IsZero(records[1]));

    RegisterFn softSynth = Helper("_Z17RegisterSoftSynthPKcS0_");
    softSynth(std::string(260, 'n').c_str(), "/n.dll");
    EXPECT_FALSE(x.enumerate(CRV_CATEGORY_SOFTSYNTH, records.data()));
}

TEST_F(RegistrationTest, UnregisterEffectsDeletesOnlyAnExistingValue) {
    EXPECT_TRUE(x.unregisterEffects("Nobody", "unused")) << "a missing key counts as success";
    x.registerEffects("Somebody", "/s.dll");
    EXPECT_FALSE(x.unregisterEffects("Nobody", "unused"));
    EXPECT_TRUE(x.unregisterEffects("Somebody", ""));
    EXPECT_FALSE(ReadValue(kEffectsKey, "Somebody").has_value());
    EXPECT_FALSE(x.unregisterEffects("Somebody", ""));
}

}  // namespace
