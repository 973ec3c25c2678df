#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "platform/registry/RegistryStore.h"
#include "tests/platform/registry/RegistryFixture.h"

namespace win {
namespace {

using namespace std::string_literals;
using Store = test::RegistryTest;

// Runs body in a child process, as a second program using the same store would.
void InOtherProcess(const std::function<bool()>& body) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) _exit(body() ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(Store, WritesAReadableRegFileOnEveryChange) {
    HKEY key = Create("Software\\Maker");
    ASSERT_EQ(SetBytes(key, "Name", REG_SZ, "say \"hi\"\\ok\0"s), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "Raw", REG_SZ, "no nul"), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, "Count", 42), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "Blob", REG_BINARY, "\x01\x02\xff"s), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "Multi", 7, "a\0\0"s), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "Lines", REG_SZ, "one\ntwo\0three\x01\0"s), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "", REG_SZ, "def\0"s), ERROR_SUCCESS);
    std::string text = test::ReadBytes(StoreFile());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Maker]\n"
                        "\"Name\"=\"say \\\"hi\\\"\\\\ok\"\n"
                        "\"Raw\"=str:\"no nul\"\n"
                        "\"Count\"=dword:0000002a\n"
                        "\"Blob\"=hex:01,02,ff\n"
                        "\"Multi\"=hex(7):61,00,00\n"
                        "\"Lines\"=\"one\\ntwo\\0three\\x01\"\n"
                        "@=\"def\"\n"),
              std::string::npos) << text;
}

TEST_F(Store, SeesChangesMadeByAnotherProcess) {
    HKEY key = Create("Software\\Shared");
    ASSERT_EQ(SetDword(key, "mine", 1), ERROR_SUCCESS);
    InOtherProcess([] {
        HKEY other = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "software\\shared", 0, KEY_ALL_ACCESS, &other) != ERROR_SUCCESS) return false;
        DWORD value = 2;
        return RegSetValueExA(other, "theirs", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4) == ERROR_SUCCESS &&
               RegDeleteValueA(other, "mine") == ERROR_SUCCESS;
    });
    EXPECT_EQ(Query(key, "theirs"), "\x02\0\0\0"s);  // through the handle opened before the change
    EXPECT_EQ(Query(key, "mine"), "<error 2>");
}

TEST_F(Store, ConcurrentWritersFromTwoProcessesLoseNothing) {
    Create("Software\\Race");
    auto writer = [](const char* prefix) {
        return [prefix] {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Race", 0, KEY_WRITE, &key) != ERROR_SUCCESS) return false;
            for (DWORD i = 0; i < 15; ++i) {
                std::string name = prefix + std::to_string(i);
                if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&i), 4) != ERROR_SUCCESS)
                    return false;
            }
            return true;
        };
    };
    pid_t first = fork();
    if (first == 0) _exit(writer("a")() ? 0 : 1);
    pid_t second = fork();
    if (second == 0) _exit(writer("b")() ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, 0), first);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(waitpid(second, &status, 0), second);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ValueNames(Open("Software\\Race")).size(), 30u);
}

TEST_F(Store, DamagedEntriesReadAsAbsentAndTheRestSurvivesAWrite) {
    test::WriteBytes(StoreFile(),
                     "; made by hand\n"
                     "[HKEY_CURRENT_USER\\Software\\Good]\n"
                     "\"a\"=\"1\"\n"
                     "\"long\"=hex:01,02,\\\n"
                     "  03,04\n"
                     "garbage line\n"
                     "\"b\"=dword:zz\n"
                     "\"c\"=\"unterminated\n"
                     "\"d\"=hex:01,0\n"
                     "\x00\xff\xfe binary\n"s
                     "[HKEY_CURRENT_USER\\Software\\Cut\n"
                     "\"orphan\"=\"x\"\n"
                     "[HKEY_LOCAL_MACHINE\\Elsewhere]\n"
                     "\"foreign\"=\"x\"\n"
                     "\"cut\"=hex:05,\\\n"
                     "[HKEY_CURRENT_USER\\Software\\Other]\n"
                     "\"e\"=dword:00000005\n"
                     "\"f\"=\"tru");
    HKEY good = Open("Software\\Good", KEY_ALL_ACCESS);
    EXPECT_EQ(ValueNames(good), (std::vector<std::string>{"a", "long"}));
    EXPECT_EQ(Query(good, "long"), "\x01\x02\x03\x04");
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Cut", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(SetDword(good, "new", 7), ERROR_SUCCESS);
    EXPECT_EQ(Query(good, "a"), "1\0"s);
    EXPECT_EQ(Query(good, "new"), "\x07\0\0\0"s);
    HKEY other = Open("Software\\Other");
    EXPECT_EQ(Query(other, "e"), "\x05\0\0\0"s);
    EXPECT_EQ(ValueNames(other), (std::vector<std::string>{"e"}));
}

TEST_F(Store, RandomBytesNeverCrashAndTheStoreStaysWritable) {
    std::mt19937 random(7);
    static const char interesting[] = "[]\"=@\\:,\n\rhexdwordstr(0)HKEY_CURRENT_USER";
    for (int round = 0; round < 40; ++round) {
        std::string bytes = "[HKEY_CURRENT_USER\\Software\\Fuzz]\n";
        for (int i = 0; i < 400; ++i)
            bytes.push_back(random() % 3 ? interesting[random() % (sizeof interesting - 1)] : static_cast<char>(random()));
        test::WriteBytes(StoreFile(), bytes);
        HKEY key = Open("Software\\Fuzz", KEY_ALL_ACCESS);
        ValueNames(key);
        ASSERT_EQ(SetDword(key, "written", static_cast<DWORD>(round)), ERROR_SUCCESS) << round;
        ASSERT_EQ(Query(key, "written"), std::string(reinterpret_cast<char*>(&round), 4)) << round;
    }
}

TEST_F(Store, AFileWithoutOneReadableLineIsReportedAndNeverOverwritten) {
    std::mt19937 random(11);
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>(random()));
    for (const std::string& damaged : {bytes, std::string("PK\x03\x04 a zip file\n"), std::string("Name=value\n")}) {
        test::WriteBytes(StoreFile(), damaged);
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_CANTREAD);
        EXPECT_EQ(test::ReadBytes(StoreFile()), damaged);
        const RegistryStoreStatus status = QueryRegistryStore();
        EXPECT_EQ(status.path, StoreFile());
        EXPECT_EQ(status.readProblem, ERROR_BADDB);
    }
    // Blank lines, comments and regedit's format line are an empty store, not a damaged one.
    for (const char* empty : {"; nothing yet\n\n", "Windows Registry Editor Version 5.00\r\n\r\n", "REGEDIT4\n"}) {
        test::WriteBytes(StoreFile(), empty);
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << empty;
        RegCloseKey(key);
        EXPECT_EQ(QueryRegistryStore().readProblem, ERROR_SUCCESS) << empty;
    }
}

TEST_F(Store, AStoreThatCannotBeReadIsNotOverwritten) {
    std::filesystem::create_directories(StoreFile());  // a directory where the file should be
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_CANTREAD);
    EXPECT_TRUE(std::filesystem::is_directory(StoreFile()));
}

// Fifty thousand levels make a 100 KB file; written out with every level's header, or with a copy of
// the path per level, it would take gigabytes, and recursion would overflow the stack. Two hundred
// thousand levels overflow a recursive destructor when a reload drops the old tree.
TEST_F(Store, DeeplyNestedKeysLoadChangeAndSaveWithoutGrowing) {
    for (int depth : {50000, 200000}) {
        std::string path;
        for (int level = 0; level < depth; ++level) path += level ? "\\k" : "k";
        const std::string deep = "[HKEY_CURRENT_USER\\" + path + "]\n\"leaf\"=dword:00000007\n";
        std::remove(StoreFile().c_str());
        test::WriteBytes(StoreFile(), deep);
        HKEY shallow = Create("Software\\Shallow");
        ASSERT_EQ(SetDword(shallow, "x", 1), ERROR_SUCCESS) << depth;
        const std::string text = test::ReadBytes(StoreFile());
        EXPECT_LT(text.size(), deep.size() + 200) << depth;
        EXPECT_NE(text.find(deep), std::string::npos) << depth;
        EXPECT_EQ(Query(Open(path.c_str()), "leaf"), "\x07\0\0\0"s) << depth;
        ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "k"), ERROR_SUCCESS) << depth;
        HKEY gone = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "k", 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    }
}

TEST_F(Store, KeysWithManyValuesAndSubkeysKeepOrderAndCaseRules) {
    HKEY key = Create("Software\\Many");
    std::string text = "[HKEY_CURRENT_USER\\Software\\Many]\n";
    for (int i = 0; i < 3000; ++i) text += "\"Value" + std::to_string(i) + "\"=dword:" + "0000000" + std::to_string(i % 10) + "\n";
    text += "\"VALUE17\"=dword:000000ff\n";  // a later duplicate under another case: the first wins
    for (int i = 2999; i >= 0; --i) text += "[HKEY_CURRENT_USER\\Software\\Many\\Sub" + std::to_string(i) + "]\n";
    test::WriteBytes(StoreFile(), text);
    std::vector<std::string> names = ValueNames(key);
    ASSERT_EQ(names.size(), 3000u);
    EXPECT_EQ(names[17], "Value17");
    EXPECT_EQ(Query(key, "value17"), "\x07\0\0\0"s);
    ASSERT_EQ(RegDeleteValueA(key, "VALUE5"), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "value6"), "\x06\0\0\0"s);
    EXPECT_EQ(ValueNames(key)[5], "Value6");
    char name[32];
    DWORD length = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Sub1");  // by name, not by the order of the file
    ASSERT_EQ(RegDeleteKeyA(key, "sub0"), ERROR_SUCCESS);
    length = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Sub1");
    EXPECT_EQ(Query(Open("Software\\Many\\SUB2999"), "x"), "<error 2>");
}

TEST_F(Store, AFifoOrALinkLoopInPlaceOfTheStoreIsNeitherWaitedOnNorReplaced) {
    std::filesystem::create_directories(directory_.Path());
    ASSERT_EQ(mkfifo(StoreFile().c_str(), 0644), 0);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_CANTREAD);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_CANTREAD);
    EXPECT_TRUE(std::filesystem::is_fifo(StoreFile()));
    std::filesystem::remove(StoreFile());

    std::filesystem::create_symlink("other.reg", StoreFile());
    std::filesystem::create_symlink("HKEY_CURRENT_USER.reg", directory_ / "other.reg");
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_CANTREAD);
    EXPECT_EQ(std::filesystem::read_symlink(StoreFile()), "other.reg");
}

TEST(RegistryStoreLocation, PrefersOwnVariableThenXdgThenHome) {
    test::ScopedEnvironment own("KVX4_REGISTRY_DIR", "/tmp/reg");
    test::ScopedEnvironment xdg("XDG_CONFIG_HOME", "/tmp/xdg");
    test::ScopedEnvironment home("HOME", "/tmp/home");
    RegistryStore store("HKEY_CURRENT_USER");
    EXPECT_EQ(store.FilePath(), "/tmp/reg/HKEY_CURRENT_USER.reg");
    unsetenv("KVX4_REGISTRY_DIR");
    EXPECT_EQ(store.FilePath(), "/tmp/xdg/kvx4/registry/HKEY_CURRENT_USER.reg");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(store.FilePath(), "/tmp/home/.config/kvx4/registry/HKEY_CURRENT_USER.reg");
}

}  // namespace
}  // namespace win
