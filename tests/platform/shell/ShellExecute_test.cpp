#include "platform/shell/ShellExecute.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/shell/DetachedChildren.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace win {
namespace {

class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(dir_ / "Docs/Guide.PDF", "x");
        SetShellOpener([this](const std::string& path, const std::string& directory) {
            calls_.push_back({path, directory});
            return openerSucceeds_;
        });
    }
    void TearDown() override { SetShellOpener({}); }

    std::intptr_t Open(const char* file, const char* directory = nullptr, const char* verb = "open") {
        return ShellExecuteA(nullptr, verb, file, nullptr, directory, 1 /* SW_SHOWNORMAL */);
    }

    struct Call {
        std::string path, directory;
    };
    test::TempDirectory dir_;
    std::vector<Call> calls_;
    bool openerSucceeds_ = true;
};

TEST_F(ShellExecuteTest, OpensAnAbsoluteFileWithItsCaseResolved) {
    EXPECT_GT(Open((dir_ / "docs/guide.pdf").c_str()), 32);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].path, dir_ / "Docs/Guide.PDF");
}

TEST_F(ShellExecuteTest, TakesARelativeFileAgainstTheDirectory) {
    EXPECT_GT(Open("DOCS\\guide.pdf", dir_.Path().c_str(), nullptr), 32);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].path, dir_ / "Docs/Guide.PDF");
    EXPECT_EQ(calls_[0].directory, dir_.Path());
}

TEST_F(ShellExecuteTest, PassesWebAddressesThrough) {
    EXPECT_GT(Open("https://example.org/help?page=1&x=2"), 32);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].path, "https://example.org/help?page=1&x=2");
}

TEST_F(ShellExecuteTest, ReportsWindowsErrorCodes) {
    EXPECT_EQ(Open((dir_ / "Docs/missing.pdf").c_str()), SE_ERR_FNF);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open((dir_ / "NoDocs/Guide.pdf").c_str()), SE_ERR_PNF);
    EXPECT_EQ(Open("Guide.pdf", (dir_ / "nowhere").c_str()), SE_ERR_PNF);
    EXPECT_EQ(Open((dir_ / "Docs/Guide.PDF").c_str(), nullptr, "print"), SE_ERR_NOASSOC);
    EXPECT_EQ(Open(""), SE_ERR_FNF);
    EXPECT_TRUE(calls_.empty());
    openerSucceeds_ = false;
    EXPECT_EQ(Open((dir_ / "Docs/Guide.PDF").c_str(), nullptr, "Open"), SE_ERR_ACCESSDENIED);
    EXPECT_EQ(calls_.size(), 1u);
}

// The default opener runs a stand-in xdg-open found first on PATH, which records what it was given.
TEST(DefaultShellOpener, StartsXdgOpenWithTheExactPathAndNoShell) {
    test::TempDirectory bin;
    test::TempDirectory work;
    const std::string record = bin / "record";
    test::WriteBytes(bin / "xdg-open", "#!/bin/sh\npwd > '" + record + "'\nprintf '%s|' \"$#\" \"$@\" >> '" + record + "'\n");
    chmod((bin / "xdg-open").c_str(), 0755);
    test::ScopedEnvironment path("PATH", (bin.Path() + ":/usr/bin:/bin").c_str());

    const std::string tricky = work / "a b;$(touch pwned)'\"x.txt";
    ASSERT_TRUE(DefaultShellOpener()(tricky, work.Path()));
    DetachedChildren::Instance().WaitAll();
    EXPECT_EQ(test::ReadBytes(record), work.Path() + "\n1|" + tricky + "|");
    EXPECT_FALSE(std::filesystem::exists(work / "pwned"));
    EXPECT_EQ(DetachedChildren::Instance().ReapFinished(), 0u);
}

TEST(DefaultShellOpener, FailsWhenNoOpenerIsInstalled) {
    test::TempDirectory empty;
    test::ScopedEnvironment path("PATH", empty.Path().c_str());
    EXPECT_FALSE(DefaultShellOpener()("/tmp", "/"));
}

}  // namespace
}  // namespace win
