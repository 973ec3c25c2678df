#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/kernel/LastError.h"
#include "platform/kernel/PrivateProfile.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace win {
namespace {

class PrivateProfileWrite : public ::testing::Test {
protected:
    void SetUp() override {
        windowsDir_ = root_ / "windows";  // not created: writes must create it
        setenv("KVX4_WINDOWS_DIR", windowsDir_.c_str(), 1);
    }
    void TearDown() override { unsetenv("KVX4_WINDOWS_DIR"); }

    std::string File() const { return windowsDir_ + "/test.ini"; }
    std::string Contents() const { return test::ReadBytes(File()); }

    test::TempDirectory root_;
    std::string windowsDir_;
};

TEST_F(PrivateProfileWrite, WritesAStructureAsHexWithAChecksumIntoANewFile) {
    ASSERT_TRUE(WritePrivateProfileStructA("s", "key", "abacus", 7, "test.ini"));
    EXPECT_EQ(Contents(), "[s]\r\nkey=616261637573006F\r\n");
}

TEST_F(PrivateProfileWrite, ReadsAStructureBackOnlyWhenLengthAndChecksumAgree) {
    const BYTE stored[4] = {0x01, 0xFE, 0x80, 0x7F};
    ASSERT_TRUE(WritePrivateProfileStructA("s", "blob", stored, sizeof stored, "test.ini"));
    BYTE read[4] = {};
    ASSERT_TRUE(GetPrivateProfileStructA("s", "blob", read, sizeof read, "test.ini"));
    EXPECT_EQ(std::memcmp(read, stored, sizeof stored), 0);

    struct Case {
        const char* text;
        UINT size;
        DWORD error;
    };
    const Case cases[] = {
        {"01FE807FFE", 4, ERROR_SUCCESS},      // checksum 0x1FE mod 256
        {"01fe807ffe", 4, ERROR_SUCCESS},      // lower case accepted
        {"01FE807FFE", 3, ERROR_BAD_LENGTH},
        {"01FE807FFE", 5, ERROR_BAD_LENGTH},
        {"01FE807FF", 4, ERROR_BAD_LENGTH},    // odd length
        {"01FE807FFF", 4, ERROR_INVALID_DATA}, // checksum off by one
        {"01FG807FFE", 4, ERROR_INVALID_DATA}, // not hex
        {"00", 0, ERROR_SUCCESS},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WritePrivateProfileStringA("s", "raw", c.text, "test.ini"));
        BYTE buffer[8];
        std::memset(buffer, 0xAA, sizeof buffer);
        SetLastError(ERROR_SUCCESS);
        BOOL ok = GetPrivateProfileStructA("s", "raw", buffer, c.size, "test.ini");
        EXPECT_EQ(ok, c.error == ERROR_SUCCESS ? TRUE : FALSE) << c.text << " size " << c.size;
        if (c.error != ERROR_SUCCESS) {
            EXPECT_EQ(GetLastError(), c.error) << c.text << " size " << c.size;
            for (BYTE b : buffer) ASSERT_EQ(b, 0xAA) << "buffer changed on failure: " << c.text;
        }
    }
    BYTE buffer[4];
    EXPECT_FALSE(GetPrivateProfileStructA("s", "missing", buffer, 4, "test.ini"));
    EXPECT_EQ(GetLastError(), ERROR_BAD_LENGTH);
    EXPECT_FALSE(GetPrivateProfileStructA("s", "blob", buffer, 4, "absent.ini"));
    EXPECT_EQ(GetLastError(), ERROR_BAD_LENGTH);
}

TEST_F(PrivateProfileWrite, StructureWithNullDataDeletesTheKey) {
    BYTE data[2] = {1, 2};
    ASSERT_TRUE(WritePrivateProfileStructA("s", "a", data, 2, "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStructA("s", "b", data, 2, "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStructA("s", "a", nullptr, 0, "test.ini"));
    EXPECT_EQ(Contents(), "[s]\r\nb=010203\r\n");
}

TEST_F(PrivateProfileWrite, AppendsSectionsAndKeysWhereWindowsPutsThem) {
    test::WriteBytes(File(), "; settings\n[first]\nx=1\n\n; trailing note\n[second]\ny=2");
    ASSERT_TRUE(WritePrivateProfileStringA("first", "new", "n", "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("second", "z", "3", "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("third", "w", "4", "test.ini"));
    EXPECT_EQ(Contents(),
              "; settings\n[first]\nx=1\nnew=n\r\n\n; trailing note\n[second]\ny=2\r\nz=3\r\n[third]\r\nw=4\r\n");
}

TEST_F(PrivateProfileWrite, ChangesOnlyTheValueOfAnExistingKey) {
    const std::string before = ";c1\r\n[Main]\n  Volume = 3 \r\nOther=keep\r\n;c2\rjunk line\n";
    test::WriteBytes(File(), before);
    ASSERT_TRUE(WritePrivateProfileStringA("MAIN", "volume", "11", "test.ini"));
    EXPECT_EQ(Contents(), ";c1\r\n[Main]\nVolume=11\r\nOther=keep\r\n;c2\rjunk line\n");
    // Writing the same value again leaves the file as it is.
    auto stamp = std::filesystem::last_write_time(File());
    ASSERT_TRUE(WritePrivateProfileStringA("main", "VOLUME", "11", "test.ini"));
    EXPECT_EQ(std::filesystem::last_write_time(File()), stamp);
}

TEST_F(PrivateProfileWrite, UpdatesAndDeletesTheFirstOfDuplicates) {
    test::WriteBytes(File(), "[s]\nk=1\nk=2\n[s]\nk=3\n");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "9", "test.ini"));
    EXPECT_EQ(Contents(), "[s]\nk=9\r\nk=2\n[s]\nk=3\n");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", nullptr, "test.ini"));
    EXPECT_EQ(Contents(), "[s]\n[s]\nk=3\n");
}

TEST_F(PrivateProfileWrite, NullKeyDeletesTheWholeSection) {
    test::WriteBytes(File(), "[keep]\na=1\n[drop]\n;note\nb=2\n[Keep2]\nc=3\n");
    ASSERT_TRUE(WritePrivateProfileStringA("DROP", nullptr, nullptr, "test.ini"));
    EXPECT_EQ(Contents(), "[keep]\na=1\n[Keep2]\nc=3\n");
}

TEST_F(PrivateProfileWrite, DeletingFromAMissingFileSucceedsWithoutCreatingIt) {
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", nullptr, "test.ini"));
    EXPECT_TRUE(WritePrivateProfileStringA("s", nullptr, nullptr, "test.ini"));
    EXPECT_FALSE(std::filesystem::exists(windowsDir_));
}

TEST_F(PrivateProfileWrite, RejectsNamesAndValuesThatWouldBreakTheFile) {
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "two\nlines", "test.ini"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "a=b", "v", "test.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA("s", ";k", "v", "test.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA("s\r", "k", "v", "test.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", "test.ini"));
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(PrivateProfileWrite, ANameWithADirectoryIsUsedAsGivenAndNotCreated) {
    std::string own = root_ / "own.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", own.c_str()));
    EXPECT_EQ(test::ReadBytes(own), "[s]\r\nk=v\r\n");
    EXPECT_FALSE(std::filesystem::exists(windowsDir_));

    std::string missing = root_ / "no/such/dir.ini";
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", missing.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(PrivateProfileWrite, ReplacesTheFileAtomicallyAndKeepsItsPermissions) {
    test::WriteBytes(File(), "[s]\nk=1\n");
    chmod(File().c_str(), 0640);
    struct stat before{};
    stat(File().c_str(), &before);
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", "test.ini"));
    struct stat after{};
    stat(File().c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino) << "rewritten in place instead of replaced";
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(test::CountEntries(windowsDir_), 1) << "temporary file left behind";
}

TEST_F(PrivateProfileWrite, WritesThroughASymbolicLink) {
    std::string real = root_ / "real.ini";
    test::WriteBytes(real, "[s]\nk=1\n");
    std::filesystem::create_directories(windowsDir_);
    std::filesystem::create_symlink(real, File());
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", "test.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(File()));
    EXPECT_EQ(test::ReadBytes(real), "[s]\nk=2\r\n");
}

// Nothing but a regular file is read or replaced: a FIFO would block the caller at open() for ever,
// and a link loop or a directory replaced by a fresh file would lose what the user put there.
TEST_F(PrivateProfileWrite, SpecialFilesInPlaceOfTheFileFailWithoutBlockingAndStayAsTheyWere) {
    std::filesystem::create_directories(windowsDir_);
    ASSERT_EQ(mkfifo(File().c_str(), 0644), 0);
    char value[16];
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "none", value, sizeof value, "test.ini"), 4u);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "test.ini"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(std::filesystem::is_fifo(File()));
    std::filesystem::remove(File());

    std::filesystem::create_symlink("loop-b.ini", File());
    std::filesystem::create_symlink("test.ini", windowsDir_ + "/loop-b.ini");
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "none", value, sizeof value, "test.ini"), 4u);
    EXPECT_EQ(GetLastError(), ERROR_CANT_RESOLVE_FILENAME);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "test.ini"));
    EXPECT_EQ(GetLastError(), ERROR_CANT_RESOLVE_FILENAME);
    EXPECT_TRUE(std::filesystem::is_symlink(File()));
    EXPECT_EQ(std::filesystem::read_symlink(File()), "loop-b.ini");
    std::filesystem::remove(File());

    // A dangling link names the file to create, and stays a link.
    std::filesystem::create_symlink("elsewhere/real.ini", File());
    std::filesystem::create_directories(windowsDir_ + "/elsewhere");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", "test.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(File()));
    EXPECT_EQ(test::ReadBytes(windowsDir_ + "/elsewhere/real.ini"), "[s]\r\nk=v\r\n");
}

TEST_F(PrivateProfileWrite, AFailedWriteLeavesTheOldFileIntact) {
    const std::string original = "[s]\nk=short\n";
    test::WriteBytes(File(), original);
    // A file size limit makes the write of the replacement fail part way, as a full disk would.
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &tight);
    BOOL ok = WritePrivateProfileStringA("s", "k", std::string(200, 'v').c_str(), "test.ini");
    DWORD error = GetLastError();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(error, ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(Contents(), original);
    EXPECT_EQ(test::CountEntries(windowsDir_), 1) << "temporary file left behind";
}

TEST_F(PrivateProfileWrite, AnUnwritableDirectoryFailsWithoutTouchingTheFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
    test::WriteBytes(File(), "[s]\nk=1\n");
    chmod(windowsDir_.c_str(), 0555);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "2", "test.ini"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    chmod(windowsDir_.c_str(), 0755);
    EXPECT_EQ(Contents(), "[s]\nk=1\n");
}

}  // namespace
}  // namespace win
