#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/kernel/LastError.h"
#include "platform/kernel/PrivateProfile.h"
#include "tests/platform/kernel/TempDirectory.h"

namespace win {
namespace {

class PrivateProfileRead : public ::testing::Test {
protected:
    void SetUp() override { setenv("KVX4_WINDOWS_DIR", windows_.Path().c_str(), 1); }
    void TearDown() override { unsetenv("KVX4_WINDOWS_DIR"); }

    void Given(const std::string& bytes) { test::WriteBytes(windows_ / "test.ini", bytes); }

    std::string Get(const char* section, const char* key, const char* fallback = "<default>") {
        char buffer[256];
        DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, "test.ini");
        return std::string(buffer, n);
    }

    test::TempDirectory windows_;
};

TEST_F(PrivateProfileRead, MatchesSectionsAndKeysWithoutCaseAndTrimsBlanks) {
    Given("[ Audio Setup ]\r\n  Gain\t=  -6 dB \t\r\n");
    EXPECT_EQ(Get("audio setup", "GAIN"), "-6 dB");
    EXPECT_EQ(Get("AUDIO SETUP", "gain"), "-6 dB");
    EXPECT_EQ(Get("Audio", "gain"), "<default>");
}

TEST_F(PrivateProfileRead, StripsOneMatchingPairOfQuotes) {
    Given("[s]\na=\"  spaced  \"\nb='single'\nc=\"mismatched'\nd=\"\ne=\"\"\nf=say \"hi\"\n");
    EXPECT_EQ(Get("s", "a"), "  spaced  ");
    EXPECT_EQ(Get("s", "b"), "single");
    EXPECT_EQ(Get("s", "c"), "\"mismatched'");
    EXPECT_EQ(Get("s", "d"), "\"");
    EXPECT_EQ(Get("s", "e"), "");
    EXPECT_EQ(Get("s", "f"), "say \"hi\"");
}

TEST_F(PrivateProfileRead, TreatsOnlyLeadingSemicolonsAsComments) {
    Given("[s]\n  ;hidden=1\nurl=a;b ; c\n#sharp=2\n");
    EXPECT_EQ(Get("s", ";hidden"), "<default>");
    EXPECT_EQ(Get("s", "hidden"), "<default>");
    EXPECT_EQ(Get("s", "url"), "a;b ; c");
    EXPECT_EQ(Get("s", "#sharp"), "2");
}

TEST_F(PrivateProfileRead, IgnoresLinesBeforeTheFirstSectionAndLinesWithoutEquals) {
    Given("orphan=1\n[s]\nlonely\nkey=value\n");
    EXPECT_EQ(Get("s", "orphan"), "<default>");
    EXPECT_EQ(Get("s", "lonely"), "<default>");
    EXPECT_EQ(Get("s", "key"), "value");
    char list[64];
    DWORD n = GetPrivateProfileStringA("s", nullptr, "", list, sizeof list, "test.ini");
    EXPECT_EQ(std::string(list, n), std::string("key\0", 4));
}

TEST_F(PrivateProfileRead, FirstDuplicateWins) {
    Given("[s]\nk=first\nK=second\n[S]\nk=third\nother=x\n");
    EXPECT_EQ(Get("s", "k"), "first");
    EXPECT_EQ(Get("s", "other"), "<default>");
}

TEST_F(PrivateProfileRead, ParsesEveryLineEndingStyle) {
    Given("[a]\rx=1\r[b]\ny=2\n[c]\r\nz=3\r\n");
    EXPECT_EQ(Get("a", "x"), "1");
    EXPECT_EQ(Get("b", "y"), "2");
    EXPECT_EQ(Get("c", "z"), "3");
}

TEST_F(PrivateProfileRead, FallsBackToTheDefaultWithTrailingBlanksRemoved) {
    Given("[s]\nk=v\n");
    EXPECT_EQ(Get("s", "missing", "fallback  \t"), "fallback");
    EXPECT_EQ(Get("s", "missing", nullptr), "");
    SetLastError(ERROR_SUCCESS);
    char buffer[8];
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "d", buffer, sizeof buffer, "absent.ini"), 1u);
    EXPECT_STREQ(buffer, "d");
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(PrivateProfileRead, TruncatesAValueToSizeMinusOne) {
    Given("[s]\nk=abcdef\n");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 4, "test.ini"), 3u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], 'x');
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 7, "test.ini"), 6u);
    EXPECT_STREQ(buffer, "abcdef");
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 0, "test.ini"), 0u);
}

TEST_F(PrivateProfileRead, ListsSectionsAndKeysAsDoubleNulTerminatedLists) {
    Given("pre=1\n[One]\na=1\nB=2\nA=3\n[two]\n[ONE]\nc=4\n");
    char list[64];
    DWORD n = GetPrivateProfileStringA(nullptr, "ignored", "", list, sizeof list, "test.ini");
    EXPECT_EQ(std::string(list, n + 1), std::string("One\0two\0\0", 9));
    n = GetPrivateProfileStringA("one", nullptr, "", list, sizeof list, "test.ini");
    EXPECT_EQ(std::string(list, n + 1), std::string("a\0B\0\0", 5));
    n = GetPrivateProfileStringA("missing", nullptr, "", list, sizeof list, "test.ini");
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(list[0], '\0');
}

TEST_F(PrivateProfileRead, CutsAListThatDoesNotFitAndEndsItInTwoNuls) {
    Given("[alpha]\n[beta]\n[gamma]\n");
    char list[32];
    std::memset(list, 'x', sizeof list);
    // "alpha\0beta\0gamma\0\0" needs 18.
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", list, 9, "test.ini"), 7u);
    EXPECT_EQ(std::string(list, 9), std::string("alpha\0b\0\0", 9));
    EXPECT_EQ(list[9], 'x');
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", list, 18, "test.ini"), 17u);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", list, 17, "test.ini"), 15u);
    EXPECT_EQ(std::string(list, 17), std::string("alpha\0beta\0gamm\0\0", 17));
}

TEST_F(PrivateProfileRead, ReadsIntegersTheWindowsWay) {
    Given("[n]\ndec=42\nneg=-1\nhex=0x1F\nplus=+7\ntail=12abc\nword=abc\nempty=\nbig=4294967297\nquoted=\"5\"\n");
    EXPECT_EQ(GetPrivateProfileIntA("n", "dec", 9, "test.ini"), 42u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("n", "neg", 9, "test.ini")), -1);
    EXPECT_EQ(GetPrivateProfileIntA("n", "hex", 9, "test.ini"), 31u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "plus", 9, "test.ini"), 7u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "tail", 9, "test.ini"), 12u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "word", 9, "test.ini"), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "empty", 9, "test.ini"), 9u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "big", 9, "test.ini"), 1u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "quoted", 9, "test.ini"), 5u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("n", "missing", -3, "test.ini")), -3);
}

}  // namespace
}  // namespace win
