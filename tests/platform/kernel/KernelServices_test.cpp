#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/kernel/LastError.h"
#include "platform/kernel/ModulePath.h"
#include "platform/kernel/MulDiv.h"
#include "platform/kernel/WindowsDirectory.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace win {
namespace {

int FunctionInTheTestProgram() { return 7; }

std::string ExecutablePath() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

TEST(LastError, IsKeptPerThread) {
    SetLastError(ERROR_MORE_DATA);
    DWORD seenByOtherThread = 1;
    std::thread other([&] {
        seenByOtherThread = GetLastError();
        SetLastError(ERROR_ACCESS_DENIED);
    });
    other.join();
    EXPECT_EQ(seenByOtherThread, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_MORE_DATA);
}

TEST(ModulePath, NamesTheSharedObjectThatHoldsTheAddress) {
    std::string path = ModuleFileName(reinterpret_cast<const void*>(&MulDiv));
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(std::filesystem::path(path).filename(), "libkvx4platform.so");
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(ModulePath, NamesTheExecutableForItsOwnCodeAndForNull) {
    EXPECT_EQ(ModuleFileName(reinterpret_cast<const void*>(&FunctionInTheTestProgram)), ExecutablePath());
    EXPECT_EQ(ModuleFileName(nullptr), ExecutablePath());
}

// Path of an already loaded library whose code has no start-up side effects, to load a copy of.
std::string LoadedZlib() {
    std::string found;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* out) {
            std::string name = info->dlpi_name ? info->dlpi_name : "";
            if (name.find("/libz.so") == std::string::npos) return 0;
            *static_cast<std::string*>(out) = name;
            return 1;
        },
        &found);
    return found;
}

TEST(ModulePath, GivesAnAbsolutePathForAModuleLoadedByRelativeName) {
    std::string zlib = LoadedZlib();
    if (zlib.empty()) GTEST_SKIP() << "no zlib loaded to copy";
    test::TempDirectory directory;
    std::filesystem::copy_file(zlib, directory / "Relative.dll");
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(directory.Path());
    void* handle = dlopen("./Relative.dll", RTLD_NOW | RTLD_LOCAL);
    std::filesystem::current_path(before);  // the relative name no longer leads to the file
    ASSERT_NE(handle, nullptr) << dlerror();
    link_map* map = nullptr;
    ASSERT_EQ(dlinfo(handle, RTLD_DI_LINKMAP, &map), 0);
    EXPECT_EQ(ModuleFileName(map->l_ld), std::filesystem::canonical(directory / "Relative.dll").string());
    dlclose(handle);
}

TEST(ModulePath, FollowsWindowsBufferConventions) {
    const void* address = reinterpret_cast<const void*>(&MulDiv);
    std::string path = ModuleFileName(address);
    auto length = static_cast<DWORD>(path.size());
    char buffer[PATH_MAX + 8];

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetModuleFileNameA(address, buffer, length + 1), length);
    EXPECT_EQ(std::string(buffer), path);

    std::memset(buffer, 'x', sizeof buffer);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileNameA(address, buffer, length), length);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(buffer), path.substr(0, length - 1));

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetModuleFileNameA(address, buffer, 5), 5u);
    EXPECT_EQ(std::string(buffer), path.substr(0, 4));
    EXPECT_EQ(buffer[5], 'x') << "wrote past the given size";
}

TEST(ModulePath, FailsForAnAddressOutsideAnyModule) {
    char buffer[16] = "untouched";
    int onTheStack = 0;
    EXPECT_EQ(GetModuleFileNameA(&onTheStack, buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_TRUE(ModuleFileName(&onTheStack).empty());
}

TEST(WindowsDirectory, PrefersOwnVariableThenXdgThenHome) {
    test::ScopedEnvironment own("KVX4_WINDOWS_DIR", "/tmp/own/");
    test::ScopedEnvironment xdg("XDG_CONFIG_HOME", "/tmp/xdg");
    test::ScopedEnvironment home("HOME", "/tmp/home");
    EXPECT_EQ(WindowsDirectory(), "/tmp/own");
    unsetenv("KVX4_WINDOWS_DIR");
    EXPECT_EQ(WindowsDirectory(), "/tmp/xdg/kvx4/windows");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(WindowsDirectory(), "/tmp/home/.config/kvx4/windows");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(WindowsDirectory(), "/tmp/home/.config/kvx4/windows");
}

TEST(WindowsDirectory, GetWindowsDirectoryReportsTheSizeNeededWhenTooSmall) {
    test::ScopedEnvironment own("KVX4_WINDOWS_DIR", "/tmp/abc");
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 8), 9u);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 4), 9u);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 9), 8u);
    EXPECT_STREQ(buffer, "/tmp/abc");
    EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), 9u);
}

}  // namespace
}  // namespace win
