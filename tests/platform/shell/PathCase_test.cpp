#include "platform/shell/PathCase.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/platform/kernel/TempDirectory.h"

namespace win {
namespace {

class PathCase : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(dir_ / "Help/KVX4 Manual.HTM", "x");
        test::WriteBytes(dir_ / "Help/readme.txt", "x");
    }
    test::TempDirectory dir_;
};

TEST_F(PathCase, FindsEachComponentWhateverItsCase) {
    EXPECT_EQ(ResolvePathCase(dir_ / "HELP/kvx4 manual.htm"), dir_ / "Help/KVX4 Manual.HTM");
    EXPECT_EQ(ResolvePathCase(dir_ / "help//README.TXT"), dir_ / "Help/readme.txt");
    EXPECT_EQ(ResolvePathCase(dir_ / "Help/readme.txt"), dir_ / "Help/readme.txt");
}

TEST_F(PathCase, PrefersTheExactNameThenTheFirstMatchInByteOrder) {
    test::WriteBytes(dir_ / "Help/README.TXT", "x");
    test::WriteBytes(dir_ / "Help/ReadMe.txt", "x");
    EXPECT_EQ(ResolvePathCase(dir_ / "Help/ReadMe.txt"), dir_ / "Help/ReadMe.txt");
    EXPECT_EQ(ResolvePathCase(dir_ / "Help/readme.TXT"), dir_ / "Help/README.TXT");
}

TEST_F(PathCase, TellsAMissingFileFromAMissingDirectory) {
    EXPECT_EQ(ResolvePathCase(dir_ / "help/absent.txt"), std::nullopt);
    EXPECT_EQ(LookUpPathCase(dir_ / "help/absent.txt").status, PathLookup::FileMissing);
    EXPECT_EQ(LookUpPathCase(dir_ / "nohelp/readme.txt").status, PathLookup::PathMissing);
    // A file where a directory is needed is a missing path too.
    EXPECT_EQ(LookUpPathCase(dir_ / "help/readme.txt/more").status, PathLookup::PathMissing);
}

TEST_F(PathCase, KeepsARelativePathRelative) {
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
    std::optional<std::string> resolved = ResolvePathCase("help/README.txt");
    std::filesystem::current_path(before);
    EXPECT_EQ(resolved, "Help/readme.txt");
}

}  // namespace
}  // namespace win
