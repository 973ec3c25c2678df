#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "presets/PresetValues.h"
#include "presets/UserPreset.h"
#include "tests/presets/PresetFileFixture.h"

namespace {

using presettest::RecordBytes;

TEST(PresetName, CutsLongNamesAtTheFieldAndClearsWhatAnEarlierNameLeft) {
    tagUserPreset preset = RecordBytes::Sample("").Record();
    std::memset(preset.name, 'x', sizeof preset.name);
    SetPresetName(preset, std::string(300, 'L').c_str());
    EXPECT_EQ(PresetName(preset), std::string(263, 'L'));
    EXPECT_EQ(preset.name[263], '\0');

    SetPresetName(preset, "Short");
    EXPECT_EQ(PresetName(preset), "Short");
    for (std::size_t i = 5; i < sizeof preset.name; ++i) ASSERT_EQ(preset.name[i], '\0') << i;
    EXPECT_EQ(preset.userDefined, 1) << "only the name field changes";

    SetPresetName(preset, nullptr);
    EXPECT_EQ(PresetName(preset), "");
}

TEST(PresetName, KeepsWholeCharactersOfUtf8ButCutsSingleByteTextAtTheLimit) {
    tagUserPreset preset{};
    // 262 ASCII bytes, then "é" in UTF-8 (two bytes) would end at byte 264: it goes whole.
    std::string utf8 = std::string(262, 'a') + "\xC3\xA9" + "tail";
    SetPresetName(preset, utf8.c_str());
    EXPECT_EQ(PresetName(preset), std::string(262, 'a'));

    // The same bytes that are not well-formed UTF-8 are Windows-1252 characters, cut at 263.
    std::string cp1252 = std::string(262, 'a') + "\xC3\xA9\xE9";
    SetPresetName(preset, cp1252.c_str());
    EXPECT_EQ(PresetName(preset), std::string(262, 'a') + "\xC3");
}

TEST(PresetName, NeverReadsPastAnUnterminatedField) {
    tagUserPreset preset = RecordBytes::Sample(std::string(264, 'N')).Record();
    EXPECT_EQ(PresetName(preset).size(), 264u);
    TerminatePresetName(preset);
    EXPECT_EQ(std::strlen(preset.name), 263u);
    EXPECT_EQ(preset.userDefined, 1);
}

TEST(PresetValues, CaptureZeroExtendsBytesAndReadsOnlyTheSwitchBits) {
    tagEffectParams block{};
    block.effect.value = 200;
    block.lowFreq.value = 1;
    block.midFreq.value = 127;
    block.highFreq.value = 255;
    block.midCutoff.value = 64;
    block.optionFlags = 0x20 | 0x80 | 0x01;
    block.programNumber = 9;
    tagUserPreset preset = RecordBytes::Sample("Keep").Record();
    const tagUserPreset before = preset;

    CapturePresetValues(block, preset);
    EXPECT_EQ(preset.effectLevel, 200);
    EXPECT_EQ(preset.lowFreqValue, 1);
    EXPECT_EQ(preset.midFreqValue, 127);
    EXPECT_EQ(preset.highFreqValue, 255);
    EXPECT_EQ(preset.midCutoffValue, 64);
    EXPECT_EQ(preset.leftSwitch, 1);
    EXPECT_EQ(preset.rightSwitch, 0);
    EXPECT_EQ(preset.programNumber, before.programNumber);
    EXPECT_EQ(std::memcmp(&preset.lowFreqAssignment, &before.lowFreqAssignment, 12), 0);
    EXPECT_EQ(std::memcmp(&preset.effectAssignment, &before.effectAssignment, 3), 0);

    block.optionFlags = 0x40;
    CapturePresetValues(block, preset);
    EXPECT_EQ(preset.leftSwitch, 0);
    EXPECT_EQ(preset.rightSwitch, 1);
}

TEST(PresetValues, ApplyWritesLowBytesAndReplacesTheOptionByte) {
    tagUserPreset preset = RecordBytes::Sample("Apply").Record();
    preset.effectLevel = 0x1FF;
    preset.lowFreqValue = -1;
    preset.midFreqValue = 300;
    preset.highFreqValue = 127;
    preset.midCutoffValue = 0;
    tagEffectParams block{};
    block.optionFlags = 0xFF;
    block.programNumber = 7;
    block.lowFreq.controller = 42;

    preset.leftSwitch = 1;
    preset.rightSwitch = 1;
    ApplyPresetValues(preset, block);
    EXPECT_EQ(block.effect.value, 0xFF);
    EXPECT_EQ(block.lowFreq.value, 0xFF);
    EXPECT_EQ(block.midFreq.value, 300 & 0xFF);
    EXPECT_EQ(block.highFreq.value, 127);
    EXPECT_EQ(block.midCutoff.value, 0);
    EXPECT_EQ(block.optionFlags, 0x60);
    EXPECT_EQ(block.programNumber, 7);
    EXPECT_EQ(block.lowFreq.controller, 42);

    // Only the value 1 means on.
    preset.leftSwitch = 2;
    preset.rightSwitch = 1;
    ApplyPresetValues(preset, block);
    EXPECT_EQ(block.optionFlags, 0x40);
    preset.leftSwitch = 1;
    preset.rightSwitch = -1;
    ApplyPresetValues(preset, block);
    EXPECT_EQ(block.optionFlags, 0x20);
    preset.leftSwitch = 0;
    preset.rightSwitch = 0;
    ApplyPresetValues(preset, block);
    EXPECT_EQ(block.optionFlags, 0);
}

}  // namespace
