#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/presets/PresetFileFixture.h"

namespace {

using presettest::CountHex;
using presettest::FileSizeLimit;
using presettest::PresetFileTest;
using presettest::RecordBytes;
using presettest::RoomLine;

constexpr const char* kRoomsHeader = "[Reverb Room Settings]\r\n";

std::string CountSection(std::int32_t count) {
    return "[Total Number of Rooms]\r\nNumRooms=" + CountHex(count) + "\r\n";
}

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

// The room write changes nothing (the same record already lies beyond the count), so only the
// count write meets the full disk.
TEST_F(UserPresetFileWrite, AFailedCountWriteLeavesTheRoomBeyondTheCountForTheNextAppend) {
    const std::string before = CountSection(1) + kRoomsHeader + RoomLine(1, RecordBytes::Sample("One")) +
                               RoomLine(2, RecordBytes::Sample("Second", 2));
    GivenFile(before);
    tagUserPreset preset = Unnamed(2);
    int result;
    {
        FileSizeLimit full(64);
        result = store.SaveNewRoom(kFile, &preset, "Second");
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(FileText(), before);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].HasText("Cannot write number of Rooms to User Settings file"));
    EXPECT_FALSE(boxes[0].informationIcon);

    preset = Unnamed(3);
    ASSERT_EQ(store.SaveNewRoom(kFile, &preset, "Third"), 1);
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"One", "Third"}));
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

}  // namespace
