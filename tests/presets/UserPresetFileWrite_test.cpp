#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "tests/presets/PresetFileFixture.h"

namespace {

using presettest::CountSection;
using presettest::FileSizeLimit;
using presettest::PresetFileTest;
using presettest::RecordBytes;
using presettest::RoomLine;

constexpr const char* kRoomsHeader = "[Reverb Room Settings]\r\n";

// A preset as the panel hands it over: values set, an old name and userDefined 0.
tagUserPreset Unnamed(int seed) {
    RecordBytes r = RecordBytes::Sample(std::string(264, 'z'), seed);
    return r.Int(264, 0).Record();
}

class UserPresetFileWrite : public PresetFileTest {};

TEST_F(UserPresetFileWrite, FirstAppendWritesTheWindowsTextByteForByte) {
    tagUserPreset preset = Unnamed(1);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, "Warm"), 1);

    const RecordBytes expected = RecordBytes::Sample("Warm", 1);
    EXPECT_EQ(FileText(), std::string(kRoomsHeader) + RoomLine(1, expected) +
                              "[Total Number of Rooms]\r\nNumRooms=0100000001\r\n");
    EXPECT_EQ(std::memcmp(&preset, expected.bytes.data(), sizeof preset), 0) << "named and marked user-defined";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "KVX4");
    EXPECT_TRUE(boxes[0].HasText("Warm has been Saved"));
    EXPECT_TRUE(boxes[0].informationIcon);

    tagUserPreset second = Unnamed(2);
    ASSERT_EQ(store.SaveNewRoom(kFile, &second, "Cool"), 1);
    EXPECT_EQ(FileText(), std::string(kRoomsHeader) + RoomLine(1, expected) +
                              RoomLine(2, RecordBytes::Sample("Cool", 2)) + CountSection(2));
    EXPECT_EQ(store.GetNumRooms(kFile), 2);
}

TEST_F(UserPresetFileWrite, AppendingAnExistingNameMakesASecondRoomThatLoadingNeverFinds) {
    tagUserPreset preset = Unnamed(1);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, "Warm"), 1);
    preset = Unnamed(2);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, "Warm"), 1);
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"Warm", "Warm"}));
    tagUserPreset loaded{};
    ASSERT_EQ(store.LoadRoomByName(kFile, &loaded, "Warm"), 1);
    EXPECT_EQ(loaded.programNumber, 6);
}

TEST_F(UserPresetFileWrite, FormatCharactersAreStoredAsTyped) {
    const char* name = "50% Wet %d%s%n \"q\" =;[x]";
    tagUserPreset preset = Unnamed(1);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, name), 1);
    EXPECT_EQ(FileText().find(RoomLine(1, RecordBytes::Sample(name, 1))), std::string(kRoomsHeader).size());
    tagUserPreset loaded{};
    ASSERT_EQ(store.LoadRoomByName(kFile, &loaded, name), 1);
    EXPECT_STREQ(loaded.name, name);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].HasText(std::string(name) + " has been Saved"));
}

TEST_F(UserPresetFileWrite, ALongNameIsCutToTheField) {
    tagUserPreset preset = Unnamed(1);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, std::string(300, 'L').c_str()), 1);
    EXPECT_EQ(FileText().find(RoomLine(1, RecordBytes::Sample(std::string(263, 'L'), 1))),
              std::string(kRoomsHeader).size());
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{std::string(263, 'L')}));
}

TEST_F(UserPresetFileWrite, WithoutAUsableCountAnAppendGoesPastTheStoredRooms) {
    const std::string rooms =
        kRoomsHeader + RoomLine(1, RecordBytes::Sample("One")) + RoomLine(2, RecordBytes::Sample("Two"));
    GivenFile(rooms);
    tagUserPreset preset = Unnamed(3);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, "Three"), 1);
    EXPECT_EQ(FileText(), rooms + RoomLine(3, RecordBytes::Sample("Three", 3)) + CountSection(3));

    GivenFile(CountSection(-7) + rooms);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, "Three"), 1);
    EXPECT_EQ(store.GetNumRooms(kFile), 3);
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"One", "Two", "Three"}));

    // No room comes after the last one a count can number, whether the count or a key claims it.
    for (const std::string& full : {CountSection(0x7FFFFFFF) + rooms, rooms + "Room 2147483647=00\r\n"}) {
        GivenFile(full);
        boxes.clear();
        EXPECT_EQ(store.SaveNewRoom(kFile, &preset, "Four"), 0);
        EXPECT_EQ(FileText(), full);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].HasText("Cannot write to User Settings file"));
    }
}

TEST_F(UserPresetFileWrite, OverwriteMatchesWithoutCaseAndTakesThePassedCase) {
    const std::string before = CountSection(2) + kRoomsHeader + RoomLine(1, RecordBytes::Sample("Warm", 1)) +
                               RoomLine(2, RecordBytes::Sample("WARM", 2));
    GivenFile(before);
    tagUserPreset preset = Unnamed(9);
    const tagUserPreset original = preset;
    EXPECT_EQ(store.OverwriteRoomByName(kFile, &preset, "Cold"), 0);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(std::memcmp(&preset, &original, sizeof preset), 0);

    ASSERT_EQ(store.OverwriteRoomByName(kFile, &preset, "wArM"), 1);
    EXPECT_EQ(FileText(), CountSection(2) + kRoomsHeader + RoomLine(1, RecordBytes::Sample("wArM", 9)) +
                              RoomLine(2, RecordBytes::Sample("WARM", 2)));
    EXPECT_STREQ(preset.name, "wArM");
    EXPECT_EQ(preset.userDefined, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(UserPresetFileWrite, AnUnwritableDirectoryGivesTheFirstMessageAndKeepsTheName) {
    MakeWindowsDirectoryUnwritable();
    tagUserPreset preset = Unnamed(1);
    EXPECT_EQ(store.SaveNewRoom(kFile, &preset, "Lost"), 0);
    EXPECT_STREQ(preset.name, "Lost");
    EXPECT_EQ(preset.userDefined, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "KVX4");
    EXPECT_TRUE(boxes[0].HasText("Cannot write to User Settings file"));
    EXPECT_FALSE(boxes[0].informationIcon);
}

// A room above the count, as a save whose count write failed leaves it, is a preset the user
// meant to keep: the next append goes after it, and the count takes it in.
TEST_F(UserPresetFileWrite, ARoomLeftBeyondTheCountIsKeptByTheNextAppend) {
    const std::string before = CountSection(1) + kRoomsHeader + RoomLine(1, RecordBytes::Sample("One")) +
                               RoomLine(2, RecordBytes::Sample("Second", 2));
    GivenFile(before);
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"One"}));
    tagUserPreset preset = Unnamed(3);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, "Third"), 1);
    EXPECT_EQ(FileText(), CountSection(3) + kRoomsHeader + RoomLine(1, RecordBytes::Sample("One")) +
                              RoomLine(2, RecordBytes::Sample("Second", 2)) + RoomLine(3, RecordBytes::Sample("Third", 3)));
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"One", "Second", "Third"}));
}

TEST_F(UserPresetFileWrite, AFailedOverwriteReportsNothing) {
    const std::string before = CountSection(1) + kRoomsHeader + RoomLine(1, RecordBytes::Sample("Warm", 1));
    GivenFile(before);
    tagUserPreset preset = Unnamed(4);
    int result;
    {
        FileSizeLimit full(64);
        result = store.OverwriteRoomByName(kFile, &preset, "WARM");
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(FileText(), before);
    EXPECT_TRUE(boxes.empty());
}

// Two instances of the editor saving at once, as two host programs sharing KVX4.ini would: every
// save that reports success must be in the file under its own room.
TEST_F(UserPresetFileWrite, TwoProcessesSavingAtOnceKeepEveryPreset) {
    constexpr int kSaves = 100;
    // On tmpfs where there is one, as there a lost race once cost a whole process's presets, and
    // flushing to a real disk 800 times would make this test slow.
    std::string shared = "/dev/shm/kvx4-race-XXXXXX";
    if (access("/dev/shm", W_OK) != 0 || !mkdtemp(shared.data())) shared.clear();
    if (!shared.empty()) setenv("KVX4_WINDOWS_DIR", shared.c_str(), 1);
    auto saver = [&](char prefix) {
        for (int i = 0; i < kSaves; ++i) {
            tagUserPreset preset = Unnamed(i);
            const std::string name = prefix + std::to_string(i);
            if (store.SaveNewRoom(kFile, &preset, name.c_str()) != 1) return false;
        }
        return true;
    };
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) _exit(saver(child == 0 ? 'a' : 'b') ? 0 : 1);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save reported failure";
    }

    EXPECT_EQ(store.GetNumRooms(kFile), 2 * kSaves);
    const std::vector<std::string> lines = ListLines(2);
    EXPECT_EQ(lines.size(), 2u * kSaves);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), 2u * kSaves) << "a preset was overwritten";
    for (char prefix : {'a', 'b'}) {
        for (int i = 0; i < kSaves; i += 33) {
            tagUserPreset loaded{};
            ASSERT_EQ(store.LoadRoomByName(kFile, &loaded, (prefix + std::to_string(i)).c_str()), 1);
            EXPECT_EQ(loaded.programNumber, 5 + i) << prefix << i;
        }
    }
    if (!shared.empty()) std::filesystem::remove_all(shared);
}

}  // namespace
