#include "tests/platform/registry/RegistryFixture.h"

namespace win {
namespace {

using Keys = test::RegistryTest;

TEST_F(Keys, CreateReportsNewThenExistingAndOpenFindsItWithoutRegardToCase) {
    DWORD disposition = 0;
    Create("Software\\Maker\\KVX4", KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    Create("SOFTWARE\\maker\\kvx4\\", KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\MAKER\\Kvx4", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(Keys, KeepsTheFirstSpellingAndEnumeratesSubkeysByName) {
    Create("Software\\Maker\\zeta");
    Create("Software\\Maker\\Alpha");
    Create("SOFTWARE\\MAKER\\beta");
    HKEY maker = Open("software\\maker");
    std::vector<std::string> names;
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        LSTATUS status = RegEnumKeyExA(maker, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        names.emplace_back(name, length);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "zeta"}));
    HKEY root = Open("");
    DWORD length = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(root, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Software");
}

TEST_F(Keys, ReportsMissingKeysBadHandlesAndBadPaths) {
    HKEY key = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234));
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nowhere", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExA(key, "x", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(key, "v", 0, REG_SZ, nullptr, 0), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "a\\\\b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "\\a", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "new\nline", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(Keys, AccessRightsOfTheHandleAreEnforced) {
    HKEY writable = Create("Software\\Rights");
    ASSERT_EQ(SetDword(writable, "v", 1), ERROR_SUCCESS);
    HKEY readOnly = Open("Software\\Rights", KEY_READ);
    EXPECT_EQ(SetDword(readOnly, "v", 2), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(readOnly, "v"), ERROR_ACCESS_DENIED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExA(readOnly, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_ACCESS_DENIED);
    HKEY writeOnly = Open("Software\\Rights", KEY_SET_VALUE);
    EXPECT_EQ(Query(writeOnly, "v"), "<error 5>");
    EXPECT_EQ(Query(readOnly, "v").size(), 4u);
}

TEST_F(Keys, DeleteRefusesKeysWithSubkeysAndInvalidatesOpenHandles) {
    HKEY parent = Create("Software\\Doomed");
    HKEY child = Create("Software\\Doomed\\Child");
    ASSERT_EQ(SetDword(child, "v", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Doomed"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(parent, "CHILD"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(parent, "Child"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query(child, "v"), "<error 1018>");  // ERROR_KEY_DELETED
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Doomed"), ERROR_SUCCESS);
    HKEY again = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Doomed", 0, KEY_READ, &again), ERROR_FILE_NOT_FOUND);
}

TEST_F(Keys, DeleteTreeRemovesEverythingBelow) {
    Create("Software\\Tree\\A\\B");
    HKEY a = Create("Software\\Tree\\A");
    ASSERT_EQ(SetDword(a, "v", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tree\\A"), ERROR_SUCCESS);
    HKEY tree = Open("Software\\Tree");
    DWORD subKeys = 99;
    ASSERT_EQ(RegQueryInfoKeyA(tree, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 0u);
}

}  // namespace
}  // namespace win
