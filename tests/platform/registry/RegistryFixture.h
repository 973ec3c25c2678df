#pragma once
// Points the registry at a scratch directory for each test and offers shorthands for the calls
// the tests repeat.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace win::test {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("KVX4_REGISTRY_DIR", directory_.Path().c_str(), 1); }
    void TearDown() override {
        for (HKEY key : opened_) RegCloseKey(key);
        unsetenv("KVX4_REGISTRY_DIR");
    }

    std::string StoreFile() const { return directory_ / "HKEY_CURRENT_USER.reg"; }

    HKEY Create(const char* path, REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                                  disposition), ERROR_SUCCESS) << path;
        opened_.push_back(key);
        return key;
    }
    HKEY Open(const char* path, REGSAM access = KEY_READ) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, access, &key), ERROR_SUCCESS) << path;
        opened_.push_back(key);
        return key;
    }
    static LSTATUS SetBytes(HKEY key, const char* name, DWORD type, const std::string& bytes) {
        return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                              static_cast<DWORD>(bytes.size()));
    }
    static LSTATUS SetDword(HKEY key, const char* name, DWORD value) {
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    // The stored bytes, or "<error N>".
    static std::string Query(HKEY key, const char* name, DWORD* type = nullptr) {
        BYTE buffer[512];
        DWORD size = sizeof buffer;
        LSTATUS status = RegQueryValueExA(key, name, nullptr, type, buffer, &size);
        if (status != ERROR_SUCCESS) return "<error " + std::to_string(status) + ">";
        return std::string(reinterpret_cast<char*>(buffer), size);
    }
    static std::vector<std::string> ValueNames(HKEY key) {
        std::vector<std::string> names;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD length = sizeof name;
            if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            names.emplace_back(name, length);
        }
        return names;
    }

    TempDirectory directory_;
    std::vector<HKEY> opened_;
};

}  // namespace win::test
