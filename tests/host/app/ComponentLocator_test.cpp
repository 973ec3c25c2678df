// Finding the component through a private registry store, as the host program does at start.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "host/app/ComponentLocator.h"
#include "platform/registry/Registry.h"

namespace {

namespace fs = std::filesystem;

class ComponentLocatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kvx4-host-registry-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        setenv("KVX4_REGISTRY_DIR", directory_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("KVX4_REGISTRY_DIR");
        fs::remove_all(directory_);
    }

    void Write(const std::string& name, win::DWORD type, const std::string& data) {
        win::HKEY key = nullptr;
        ASSERT_EQ(win::RegCreateKeyExA(win::HKEY_CURRENT_USER, kEffectsKeyPath, 0, "REG_SZ", 0, win::KEY_ALL_ACCESS,
                                       nullptr, &key, nullptr),
                  win::ERROR_SUCCESS);
        EXPECT_EQ(win::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const win::BYTE*>(data.data()),
                                      static_cast<win::DWORD>(data.size())),
                  win::ERROR_SUCCESS);
        win::RegCloseKey(key);
    }

    std::string directory_;
};

TEST_F(ComponentLocatorTest, MissingKeyTellsTheUserToRegister) {
    LocatedComponent located = FindRegisteredComponent();
    EXPECT_FALSE(located.Found());
    EXPECT_NE(located.error.find("--register"), std::string::npos) << located.error;
    EXPECT_TRUE(ListRegisteredEffects().empty());
}

TEST_F(ComponentLocatorTest, MissingValueUnderAnExistingKeyTellsTheUserToRegister) {
    Write("Some Other Effect", win::REG_SZ, "/opt/other.dll");
    LocatedComponent located = FindRegisteredComponent();
    EXPECT_FALSE(located.Found());
    EXPECT_NE(located.error.find("DU Dazaro Veruvur (KVX4)"), std::string::npos) << located.error;
    EXPECT_NE(located.error.find("--register"), std::string::npos) << located.error;
}

TEST_F(ComponentLocatorTest, PathIsReadWithOrWithoutATerminatingZero) {
    Write(kComponentDisplayName, win::REG_SZ, "/usr/lib/kvx4/KVX4.dll");
    EXPECT_EQ(FindRegisteredComponent().path, "/usr/lib/kvx4/KVX4.dll");
    Write(kComponentDisplayName, win::REG_SZ, std::string("/tmp/KVX4.dll\0", 14));
    LocatedComponent located = FindRegisteredComponent();
    EXPECT_TRUE(located.Found()) << located.error;
    EXPECT_EQ(located.path, "/tmp/KVX4.dll");
}

TEST_F(ComponentLocatorTest, LongPathsAreReadWhole) {
    std::string path = "/" + std::string(3000, 'd') + "/KVX4.dll";
    Write(kComponentDisplayName, win::REG_SZ, path);
    EXPECT_EQ(FindRegisteredComponent().path, path);
    auto listed = ListRegisteredEffects();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].second, path);
}

TEST_F(ComponentLocatorTest, NonStringOrEmptyValueIsRefused) {
    Write(kComponentDisplayName, win::REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    LocatedComponent located = FindRegisteredComponent();
    EXPECT_FALSE(located.Found());
    EXPECT_NE(located.error.find("not a string"), std::string::npos) << located.error;

    Write(kComponentDisplayName, win::REG_SZ, "");
    EXPECT_FALSE(FindRegisteredComponent().Found());
}

TEST_F(ComponentLocatorTest, ListKeepsRegistryOrder) {
    Write("Zeta", win::REG_SZ, "/z.dll");
    Write(kComponentDisplayName, win::REG_SZ, "/k.dll");
    Write("Alpha", win::REG_SZ, "/a.dll");
    auto listed = ListRegisteredEffects();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].first, "Zeta");
    EXPECT_EQ(listed[1].first, kComponentDisplayName);
    EXPECT_EQ(listed[2], (std::pair<std::string, std::string>{"Alpha", "/a.dll"}));
}

TEST(DefaultLibraryPathTest, SitsBesideTheExecutable) {
    std::string path = DefaultLibraryPath();
    EXPECT_EQ(path.substr(path.size() - 9), "/KVX4.dll");
    EXPECT_EQ(path.front(), '/');
}

}  // namespace
