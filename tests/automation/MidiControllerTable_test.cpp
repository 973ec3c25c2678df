// The controller table as the dialogs read it: every row's names terminated inside their fields,
// the rows that carry their number, the telling columns, and no row past the table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "automation/MidiControllerTable.h"

namespace {

TEST(MidiControllerTableTest, EveryRowHasTerminatedNamesAndNumberedRowsStartWithTheirNumber) {
    for (int row = 0; row < kMidiControllerCount; ++row) {
        const tagMidiControllerEntry& entry = MidiControllerTable[static_cast<size_t>(row)];
        ASSERT_NE(std::memchr(entry.longName, '\0', sizeof entry.longName), nullptr) << row;
        ASSERT_NE(std::memchr(entry.shortName, '\0', sizeof entry.shortName), nullptr) << row;
        EXPECT_GT(std::strlen(entry.shortName), 0u) << row;
        EXPECT_EQ(entry.zero[0] | entry.zero[1], 0) << row;
        if (row < 120) {
            EXPECT_EQ(std::string(entry.longName).rfind(std::to_string(row) + " ", 0), 0u) << entry.longName;
            EXPECT_EQ(entry.status, 0xB0);
            EXPECT_EQ(entry.data, row);
        }
        const bool centred = row == 10 || row == 121 || row == 122;
        EXPECT_EQ(entry.defaultValue, centred ? 64 : 0) << row;
        EXPECT_EQ(entry.minimum, row == 122 ? 52 : 0) << row;
        EXPECT_EQ(entry.maximum, row == 122 ? 76 : 127) << row;
    }
    EXPECT_STREQ(MidiControllerTable[7].longName, "7 Channel Volume");
    EXPECT_STREQ(MidiControllerTable[7].shortName, "Volume");
    EXPECT_STREQ(MidiControllerTable[40].longName, "40 LSB for Values 8");
    EXPECT_STREQ(MidiControllerTable[64].longName, "64 Sustain Pedal");
    EXPECT_STREQ(MidiControllerTable[93].longName, "93 Effects 3 Depth");
    EXPECT_STREQ(MidiControllerTable[110].longName, "110 Undefined");
    EXPECT_STREQ(MidiControllerTable[120].longName, "Program Change");
    EXPECT_EQ(MidiControllerTable[120].status, 0xC0);
    EXPECT_EQ(MidiControllerTable[121].data, 6);
    EXPECT_STREQ(MidiControllerTable[122].longName, "Coarse Tune (Semitones)");
}

TEST(MidiControllerTableTest, BytesPastTheTableHaveNoRow) {
    for (int controller = -1; controller <= 255; ++controller) {
        const tagMidiControllerEntry* entry = MidiControllerEntry(controller);
        if (controller >= 0 && controller < kMidiControllerCount) EXPECT_EQ(entry, &MidiControllerTable[static_cast<size_t>(controller)]);
        else EXPECT_EQ(entry, nullptr) << controller;
    }
}

}  // namespace
