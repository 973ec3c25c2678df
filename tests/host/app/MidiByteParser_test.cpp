// The MIDI byte parser on byte streams, as a port delivers them: running status, real-time bytes
// between any two bytes, system-exclusive data and the bytes a receiver must drop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/app/MidiByteParser.h"

namespace {

// One word per message: "cc 0 7 100", "note 0 60 100", "rt F8", "common F3 2", "sysex 4", ...
std::string Describe(const MidiMessage& m) {
    char text[48];
    switch (m.kind) {
        case MidiMessage::Kind::RealTime: std::snprintf(text, sizeof text, "rt %02X", m.status); break;
        case MidiMessage::Kind::SystemExclusive: std::snprintf(text, sizeof text, "sysex %zu", m.exclusiveLength); break;
        case MidiMessage::Kind::SystemCommon: std::snprintf(text, sizeof text, "common %02X %d", m.status, m.data1); break;
        case MidiMessage::Kind::Channel:
            if (m.IsControlChange()) std::snprintf(text, sizeof text, "cc %d %d %d", m.Channel(), m.data1, m.data2);
            else std::snprintf(text, sizeof text, "%02X %d %d", m.status & 0xF0, m.data1, m.data2);
            break;
    }
    return text;
}

std::vector<std::string> Parse(MidiByteParser& parser, std::vector<std::uint8_t> bytes) {
    std::vector<MidiMessage> messages;
    parser.Feed(bytes, messages);
    std::vector<std::string> described;
    for (const MidiMessage& m : messages) described.push_back(Describe(m));
    return described;
}

std::vector<std::string> Parse(std::vector<std::uint8_t> bytes) {
    MidiByteParser parser;
    return Parse(parser, std::move(bytes));
}

using Lines = std::vector<std::string>;

TEST(MidiByteParserTest, RunningStatusRepeatsTheLastChannelStatusForOneAndTwoByteMessages) {
    EXPECT_EQ(Parse({0xB3, 7, 100, 7, 101, 10, 64}), (Lines{"cc 3 7 100", "cc 3 7 101", "cc 3 10 64"}));
    EXPECT_EQ(Parse({0xC0, 5, 6, 0xD1, 40, 41}), (Lines{"C0 5 0", "C0 6 0", "D0 40 0", "D0 41 0"}));
    // A new status replaces the running one; a message split over several arrivals still completes.
    MidiByteParser parser;
    EXPECT_EQ(Parse(parser, {0x90, 60}), Lines{});
    EXPECT_EQ(Parse(parser, {100, 0xBF}), (Lines{"90 60 100"}));
    EXPECT_EQ(Parse(parser, {1}), Lines{});
    EXPECT_EQ(Parse(parser, {127, 2, 0}), (Lines{"cc 15 1 127", "cc 15 2 0"}));
}

TEST(MidiByteParserTest, RealTimeBytesPassBetweenAnyTwoBytesWithoutDisturbingTheMessage) {
    EXPECT_EQ(Parse({0xB0, 0xF8, 7, 0xFE, 100, 0xFA, 8, 0xFC, 9}),
              (Lines{"rt F8", "rt FE", "cc 0 7 100", "rt FA", "rt FC", "cc 0 8 9"}));
    // Inside system-exclusive data too, which goes on afterwards; the undefined F9 and FD count as real-time.
    EXPECT_EQ(Parse({0xF0, 1, 0xF8, 2, 0xF9, 3, 0xFD, 0xF7}), (Lines{"rt F8", "rt F9", "rt FD", "sysex 3"}));
}

TEST(MidiByteParserTest, SystemExclusiveDataIsCountedSkippedAndCancelsRunningStatus) {
    // Its data bytes are not controller data, even with a controller status running before it.
    EXPECT_EQ(Parse({0xB0, 7, 10, 0xF0, 7, 11, 0x7F, 0xF7, 7, 12, 0xB0, 7, 13}),
              (Lines{"cc 0 7 10", "sysex 3", "cc 0 7 13"}));
    // Any status byte ends it, and that status is read as usual; a stray end byte is dropped.
    EXPECT_EQ(Parse({0xF0, 1, 2, 0xB2, 7, 5, 0xF7, 7, 6}), (Lines{"sysex 2", "cc 2 7 5"}));
    EXPECT_EQ(Parse({0xF0, 0xF6}), (Lines{"sysex 0", "common F6 0"}));
    // A long dump costs nothing to hold: only its length is kept.
    std::vector<std::uint8_t> dump{0xF0};
    dump.insert(dump.end(), 100000, 0x55);
    dump.push_back(0xF7);
    EXPECT_EQ(Parse(dump), (Lines{"sysex 100000"}));
}

TEST(MidiByteParserTest, SystemCommonMessagesTakeTheirDataOnceAndCancelRunningStatus) {
    EXPECT_EQ(Parse({0xB0, 7, 10, 0xF3, 2, 7, 11}), (Lines{"cc 0 7 10", "common F3 2"}));
    EXPECT_EQ(Parse({0xF2, 1, 2, 3, 0xF1, 0x23, 0x24}), (Lines{"common F2 1", "common F1 35"}));
    EXPECT_EQ(Parse({0xB0, 7, 10, 0xF4, 7, 11, 0xF5, 0xF6}), (Lines{"cc 0 7 10", "common F4 0", "common F5 0", "common F6 0"}));
}

TEST(MidiByteParserTest, DataWithoutAStatusIsDroppedAndAStatusCutsAnUnfinishedMessage) {
    EXPECT_EQ(Parse({7, 100, 0xF7, 5, 0xB0, 7, 100}), (Lines{"cc 0 7 100"}));
    EXPECT_EQ(Parse({0xB0, 7, 0x90, 60, 100}), (Lines{"90 60 100"}));
}

}  // namespace
