#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/kernel/PrivateProfile.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace win {
namespace {

using namespace std::string_literals;

// Damaged files: whatever is in them, reads must not crash, readable entries stay readable, and a
// write must keep every byte it does not mean to change.
class PrivateProfileDamage : public ::testing::Test {
protected:
    void SetUp() override { setenv("KVX4_WINDOWS_DIR", windows_.Path().c_str(), 1); }
    void TearDown() override { unsetenv("KVX4_WINDOWS_DIR"); }

    std::string File() const { return windows_ / "damaged.ini"; }

    std::string Get(const char* section, const char* key) {
        char buffer[64];
        GetPrivateProfileStringA(section, key, "<absent>", buffer, sizeof buffer, "damaged.ini");
        return buffer;
    }

    test::TempDirectory windows_;
};

TEST_F(PrivateProfileDamage, JunkBytesBetweenSectionsLeaveTheRestReadableAndIntact) {
    std::mt19937 random(1234);
    std::string junk;
    for (int i = 0; i < 4000; ++i) {
        char c = static_cast<char>(random() & 0xFF);
        if (c == '[' || c == '\r' || c == '\n') c = '?';  // keep the junk from forming headers or lines
        junk.push_back(c);
    }
    const std::string original = "[a]\r\nx=1\r\n" + junk + "\r\n[b]\r\ny=2\r\n";
    test::WriteBytes(File(), original);
    EXPECT_EQ(Get("a", "x"), "1");
    EXPECT_EQ(Get("b", "y"), "2");

    ASSERT_TRUE(WritePrivateProfileStringA("b", "y", "3", "damaged.ini"));
    EXPECT_EQ(test::ReadBytes(File()), "[a]\r\nx=1\r\n" + junk + "\r\n[b]\r\ny=3\r\n");
}

TEST_F(PrivateProfileDamage, ALineWithANulByteReadsAsAbsent) {
    const std::string original = "[s]\nbad=be\0fore\nok=fine\n"s;
    test::WriteBytes(File(), original);
    EXPECT_EQ(Get("s", "bad"), "<absent>");
    EXPECT_EQ(Get("s", "ok"), "fine");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "ok", "better", "damaged.ini"));
    EXPECT_EQ(test::ReadBytes(File()), "[s]\nbad=be\0fore\nok=better\r\n"s);
}

TEST_F(PrivateProfileDamage, AFileCutInTheMiddleOfALineStillTakesWrites) {
    test::WriteBytes(File(), "[s]\nfirst=1\nsecond=tw");
    EXPECT_EQ(Get("s", "second"), "tw");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "third", "3", "damaged.ini"));
    EXPECT_EQ(test::ReadBytes(File()), "[s]\nfirst=1\nsecond=tw\r\nthird=3\r\n");

    test::WriteBytes(File(), "[s]\nfirst=1\n[cut");
    EXPECT_EQ(Get("s", "first"), "1");
    ASSERT_TRUE(WritePrivateProfileStringA("t", "k", "v", "damaged.ini"));
    EXPECT_EQ(test::ReadBytes(File()), "[s]\nfirst=1\n[cut\r\n[t]\r\nk=v\r\n");
}

TEST_F(PrivateProfileDamage, AHugeLineIsReadAndKept) {
    const std::string huge(2 << 20, 'h');
    test::WriteBytes(File(), "[s]\nbig=" + huge + "\nsmall=1\n");
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileStringA("s", "big", "", buffer, sizeof buffer, "damaged.ini"), 15u);
    EXPECT_EQ(Get("s", "small"), "1");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "small", "2", "damaged.ini"));
    EXPECT_EQ(test::ReadBytes(File()), "[s]\nbig=" + huge + "\nsmall=2\r\n");
}

TEST_F(PrivateProfileDamage, RandomBinaryNeverCrashesAndSurvivesAWrite) {
    std::mt19937 random(99);
    for (int round = 0; round < 50; ++round) {
        std::string bytes;
        size_t length = random() % 600;
        // Biased towards the characters the parser cares about.
        static const char interesting[] = "[]=;\"' \t\r\n\0ab";
        for (size_t i = 0; i < length; ++i)
            bytes.push_back(random() % 2 ? interesting[random() % (sizeof interesting - 1)] : static_cast<char>(random()));
        test::WriteBytes(File(), bytes);
        char list[256];
        GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof list, "damaged.ini");
        Get("a", "b");
        GetPrivateProfileIntA("a", "b", 0, "damaged.ini");

        ASSERT_TRUE(WritePrivateProfileStringA("fresh section", "k", "v", "damaged.ini"));
        std::string after = test::ReadBytes(File());
        // Everything that was there is still there, in front of what was added.
        ASSERT_EQ(after.compare(0, bytes.size(), bytes), 0) << "round " << round;
        EXPECT_EQ(Get("fresh section", "k"), "v") << "round " << round;
    }
}

}  // namespace
}  // namespace win
