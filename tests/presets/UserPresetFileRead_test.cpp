#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/presets/PresetFileFixture.h"

namespace {

using presettest::CountHex;
using presettest::CountSection;
using presettest::PresetFileTest;
using presettest::RecordBytes;
using presettest::RoomLine;

constexpr const char* kSuffix = "   (USER DEFINED PATCH)  ";

bool SameBytes(const tagUserPreset& a, const tagUserPreset& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

tagUserPreset Untouched() { return RecordBytes::Sample("untouched", 50).Record(); }

class UserPresetFileRead : public PresetFileTest {};

TEST_F(UserPresetFileRead, ReadsAFileWrittenInTheWindowsFormat) {
    const RecordBytes warm = RecordBytes::Sample("Warm Hall", 1);
    const RecordBytes bright = RecordBytes::Sample("Bright", 2);
    ASSERT_EQ(warm.Hex().size(), 634u);
    ASSERT_EQ(CountHex(2), "0200000002");
    GivenFile(CountSection(2) + "[Reverb Room Settings]\r\n" + RoomLine(1, warm) + RoomLine(2, bright));

    EXPECT_EQ(store.GetNumRooms(kFile), 2);
    tagUserPreset buffer = Untouched();
    ASSERT_EQ(store.LoadRoom(2, kFile, &buffer), 1);
    EXPECT_TRUE(SameBytes(buffer, bright.Record()));
    EXPECT_STREQ(buffer.name, "Bright");
    EXPECT_EQ(buffer.effectLevel, 102);
    EXPECT_EQ(buffer.midCutoffValue, 42);
    EXPECT_EQ(buffer.midFreqAssignment.channel, 15);
    EXPECT_EQ(buffer.midFreqAssignment.controller, 255);
    EXPECT_EQ(buffer.midFreqAssignment.port, 3);
    EXPECT_EQ(buffer.effectAssignment.controller, 7);
    EXPECT_EQ(buffer.programNumber, 7);

    ASSERT_EQ(store.LoadRoomByName(kFile, &buffer, "Warm Hall"), 1);
    EXPECT_TRUE(SameBytes(buffer, warm.Record()));
    EXPECT_EQ(ListLines(1), (std::vector<std::string>{std::string("Warm Hall") + kSuffix, std::string("Bright") + kSuffix}));
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"Warm Hall", "Bright"}));
}

TEST_F(UserPresetFileRead, WithoutTheFileNothingIsFoundAndBuffersStayAsTheyWere) {
    EXPECT_EQ(store.GetNumRooms(kFile), 0);
    EXPECT_TRUE(ListLines(1).empty());
    tagUserPreset buffer = Untouched();
    EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, "Warm"), 0);
    EXPECT_EQ(store.LoadRoom(1, kFile, &buffer), 0);
    EXPECT_TRUE(SameBytes(buffer, Untouched()));
    EXPECT_FALSE(FileExists());
}

TEST_F(UserPresetFileRead, ARoomWithABadChecksumIsNotListedButStillCounts) {
    std::string broken = RoomLine(2, RecordBytes::Sample("Broken"));
    broken[broken.size() - 3] = broken[broken.size() - 3] == '0' ? '1' : '0';  // the checksum's last digit
    GivenFile(CountSection(3) + "[Reverb Room Settings]\r\n" + RoomLine(1, RecordBytes::Sample("One")) + broken +
              RoomLine(3, RecordBytes::Sample("Three")));

    EXPECT_EQ(store.GetNumRooms(kFile), 3);
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"One", "Three"}));
    tagUserPreset buffer = Untouched();
    EXPECT_EQ(store.LoadRoom(2, kFile, &buffer), 0);
    EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, "Broken"), 0);
    EXPECT_TRUE(SameBytes(buffer, Untouched()));
    // The popup's second line loads room 2, which fails; its third line is room 3.
    EXPECT_EQ(store.LoadRoom(3, kFile, &buffer), 1);
    EXPECT_STREQ(buffer.name, "Three");
}

TEST_F(UserPresetFileRead, LoadRoomIgnoresTheCountUnlessItIsZero) {
    const std::string rooms = "[Reverb Room Settings]\r\n" + RoomLine(1, RecordBytes::Sample("One")) +
                              RoomLine(3, RecordBytes::Sample("Beyond"));
    GivenFile(CountSection(1) + rooms);
    tagUserPreset buffer = Untouched();
    EXPECT_EQ(store.LoadRoom(3, kFile, &buffer), 1);
    EXPECT_STREQ(buffer.name, "Beyond");
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"One"}));

    GivenFile(CountSection(0) + rooms);
    buffer = Untouched();
    EXPECT_EQ(store.LoadRoom(1, kFile, &buffer), 0);
    EXPECT_TRUE(SameBytes(buffer, Untouched()));
    EXPECT_TRUE(ListLines(2).empty());
}

TEST_F(UserPresetFileRead, LoadingByNameIsCaseSensitiveAndTheLowerRoomWins) {
    GivenFile(CountSection(3) + "[Reverb Room Settings]\r\n" + RoomLine(1, RecordBytes::Sample("Warm", 1)) +
              RoomLine(2, RecordBytes::Sample("WARM", 2)) + RoomLine(3, RecordBytes::Sample("Warm", 3)));
    tagUserPreset buffer = Untouched();
    ASSERT_EQ(store.LoadRoomByName(kFile, &buffer, "WARM"), 1);
    EXPECT_EQ(buffer.programNumber, 7);
    ASSERT_EQ(store.LoadRoomByName(kFile, &buffer, "Warm"), 1);
    EXPECT_EQ(buffer.programNumber, 6);
    buffer = Untouched();
    EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, "warm"), 0);
    EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, "Warm "), 0);
    EXPECT_TRUE(SameBytes(buffer, Untouched()));
}

TEST_F(UserPresetFileRead, ANameWithoutItsNulStaysInsideTheRecord) {
    const std::string full(264, 'N');
    GivenFile(CountSection(1) + "[Reverb Room Settings]\r\n" + RoomLine(1, RecordBytes::Sample(full)));

    EXPECT_EQ(ListLines(2), (std::vector<std::string>{full}));
    EXPECT_EQ(ListLines(1), (std::vector<std::string>{full + kSuffix}));
    tagUserPreset buffer = Untouched();
    EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, (full + "N").c_str()), 0);
    ASSERT_EQ(store.LoadRoomByName(kFile, &buffer, full.c_str()), 1);
    EXPECT_EQ(std::strlen(buffer.name), 263u) << "a loaded record is always NUL-terminated";
    EXPECT_EQ(buffer.userDefined, 1);
    ASSERT_EQ(store.LoadRoom(1, kFile, &buffer), 1);
    EXPECT_EQ(std::strlen(buffer.name), 263u);

    tagUserPreset replacement = RecordBytes::Sample("x").Record();
    EXPECT_EQ(store.OverwriteRoomByName(kFile, &replacement, std::string(264, 'n').c_str()), 1);
    EXPECT_EQ(PresetName(replacement), std::string(263, 'n'));
}

TEST_F(UserPresetFileRead, DamagedFilesLoseNoReadableRoom) {
    RecordBytes shortRecord = RecordBytes::Sample("Short");
    GivenFile("junk before any section\r\n" + CountSection(5) +
              "[Reverb Room Settings]\r\n"
              "no equals sign here\r\n" +
              RoomLine(1, RecordBytes::Sample("Good One")) + "Room 2=" + shortRecord.Hex().substr(0, 632) + "\r\n" +
              "Room 3=" + shortRecord.Hex() + "0\r\n" + "Room 4=" + std::string(634, 'G') + "\r\n" +
              "\r\n;Room 5=comment\r\n" + RoomLine(5, RecordBytes::Sample("Good Five")) + "[Unrelated]\r\nx=1\r\n");
    EXPECT_EQ(store.GetNumRooms(kFile), 5);
    EXPECT_EQ(ListLines(2), (std::vector<std::string>{"Good One", "Good Five"}));
    tagUserPreset buffer = Untouched();
    for (int room : {2, 3, 4}) EXPECT_EQ(store.LoadRoom(room, kFile, &buffer), 0) << room;
    EXPECT_TRUE(SameBytes(buffer, Untouched()));
    EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, "Good Five"), 1);
}

TEST_F(UserPresetFileRead, AnUnreadableCountCountsAsZero) {
    const std::string rooms = "[Reverb Room Settings]\r\n" + RoomLine(1, RecordBytes::Sample("One"));
    for (const std::string& count : {std::string(""), std::string("01000000"), std::string("010000000"),
                                     std::string("0100000002"), std::string("01000000011")}) {
        GivenFile("[Total Number of Rooms]\r\nNumRooms=" + count + "\r\n" + rooms);
        EXPECT_EQ(store.GetNumRooms(kFile), 0) << count;
        EXPECT_TRUE(ListLines(2).empty()) << count;
    }
    GivenFile(CountSection(-3) + rooms);
    EXPECT_EQ(store.GetNumRooms(kFile), -3);
    EXPECT_TRUE(ListLines(2).empty());
}

// Walking to the count would take hours and end in the test's timeout, even when a room lies at the
// far end of it.
TEST_F(UserPresetFileRead, AHugeCountWalksOnlyTheRoomsThatExist) {
    for (const std::int32_t count : {0x7FFFFFFF, 2000000000}) {
        GivenFile(CountSection(count) + "[Reverb Room Settings]\r\n" + RoomLine(1, RecordBytes::Sample("One")) +
                  "Room 2000000000=" + RecordBytes::Sample("Far").Hex() + "\r\n" + RoomLine(2, RecordBytes::Sample("Two")) +
                  "room 0004=" + RecordBytes::Sample("Padded").Hex() + "\r\n");
        EXPECT_EQ(ListLines(2), (std::vector<std::string>{"One", "Two", "Far"}));
        tagUserPreset buffer = Untouched();
        EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, "Padded"), 0);
        EXPECT_EQ(store.OverwriteRoomByName(kFile, &buffer, "nothing"), 0);
        EXPECT_EQ(store.LoadRoomByName(kFile, &buffer, "Far"), 1);
        EXPECT_EQ(store.OverwriteRoomByName(kFile, &buffer, "FAR"), 1);
        EXPECT_EQ(store.LoadRoom(2000000000, kFile, &buffer), 1);
        EXPECT_STREQ(buffer.name, "FAR");
    }
}

}  // namespace
