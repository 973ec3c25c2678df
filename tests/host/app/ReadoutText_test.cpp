// The readout's wording of a slot: registrations, flag names, row order, and the snapshot that
// decides when the panel repaints.
#include <gtest/gtest.h>

#include "host/app/ParameterFields.h"
#include "host/app/ReadoutText.h"

namespace {

const ReadoutRow* Row(const std::vector<ReadoutRow>& rows, const std::string& label) {
    for (const ReadoutRow& row : rows)
        if (row.label == label) return &row;
    return nullptr;
}

TEST(ReadoutTextTest, RegistrationIsPortChannelControllerOrDash) {
    EXPECT_EQ(FormatRegistration(RegistrationText{1, 15, 127}), "1/15/127");
    EXPECT_EQ(FormatRegistration(std::nullopt), "\u2014");
}

TEST(ReadoutTextTest, OptionFlagsNameTheOutputsAndShowStrayBits) {
    EXPECT_EQ(DescribeOptionFlags(0x60), "L R");
    EXPECT_EQ(DescribeOptionFlags(0x20), "L");
    EXPECT_EQ(DescribeOptionFlags(0x40), "R");
    EXPECT_EQ(DescribeOptionFlags(0x00), "off");
    EXPECT_EQ(DescribeOptionFlags(0xE1), "L R +0x81");
}

TEST(ReadoutTextTest, StatusFlagsNameTheClipBitAndShowStrayBits) {
    EXPECT_EQ(DescribeStatusFlags(0x10), "CLIP");
    EXPECT_EQ(DescribeStatusFlags(0), "\u2014");
    EXPECT_EQ(DescribeStatusFlags(0x80000011), "CLIP +0x80000001");
    EXPECT_EQ(DescribeStatusFlags(0x01), "\u2014 +0x01");
}

TEST(ReadoutTextTest, HexAndProgramNumber) {
    EXPECT_EQ(FormatHex(0x10, 8), "0x00000010");
    EXPECT_EQ(FormatHex(0xFFFFFFFFul, 8), "0xFFFFFFFF");
    EXPECT_EQ(DescribeProgramNumber(0), "none");
    EXPECT_EQ(DescribeProgramNumber(3), "preset 2");
}

TEST(ReadoutTextTest, RowsFollowTheBlockInReadoutOrder) {
    CEffectsPlugin slot;
    tagEffectParams& block = *slot.GetInterface();
    slot.SetValueFromHost(&block.effect, 100);
    slot.SetValueFromHost(&block.midCutoff, 200);
    slot.AddAutomation(&block.lowFreq, 1, 2, 7);
    slot.SetStatusFlags(STATUS_CLIP);
    block.optionFlags = OPTION_LEFT_OUT;
    block.programNumber = 4;
    slot.SetBypassMode(true);

    std::vector<ReadoutRow> rows = BuildReadoutRows(TakeSnapshot(slot, 8));
    std::vector<std::string> labels;
    for (const ReadoutRow& row : rows) labels.push_back(row.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"effect", "lowFreq", "midFreq", "highFreq", "midCutoff",
                                                "programNumber", "optionFlags", "statusFlags", "presetsAvailable",
                                                "bypass"}));
    EXPECT_EQ(rows[0].value, "100");
    EXPECT_EQ(rows[0].level, 100);
    EXPECT_EQ(rows[4].level, 200);  // beyond the editor's range, still shown as it is
    EXPECT_EQ(rows[1].detail, "1/2/7");
    EXPECT_TRUE(rows[1].automated);
    EXPECT_EQ(rows[2].detail, "\u2014");
    EXPECT_FALSE(rows[2].automated);
    EXPECT_EQ(Row(rows, "programNumber")->detail, "preset 3");
    EXPECT_EQ(Row(rows, "optionFlags")->value, "0x20");
    EXPECT_EQ(Row(rows, "optionFlags")->detail, "L");
    EXPECT_EQ(Row(rows, "statusFlags")->value, "0x00000010");
    EXPECT_TRUE(Row(rows, "statusFlags")->alert);
    EXPECT_EQ(Row(rows, "presetsAvailable")->detail, "yes");
    EXPECT_EQ(Row(rows, "bypass")->value, "on");
    EXPECT_EQ(Row(rows, "midFreq")->level, 0);
    EXPECT_EQ(Row(rows, "bypass")->level, -1);
}

TEST(ReadoutTextTest, RemovedRegistrationShowsDashAgain) {
    CEffectsPlugin slot;
    tagMAREG* record = &slot.GetInterface()->highFreq;
    slot.AddAutomation(record, 0, 0, 74);
    ASSERT_EQ(BuildReadoutRows(TakeSnapshot(slot, 0))[3].detail, "0/0/74");
    slot.RemoveAutomation(record);
    EXPECT_EQ(BuildReadoutRows(TakeSnapshot(slot, 0))[3].detail, "\u2014");
}

TEST(ReadoutTextTest, SlotWithoutBlockSaysSo) {
    CEffectsPlugin slot(CEffectsPlugin::Block::Absent);
    std::vector<ReadoutRow> rows = BuildReadoutRows(TakeSnapshot(slot, 4));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].detail, "none attached");
    EXPECT_EQ(Row(rows, "effect"), nullptr);
}

TEST(ReadoutTextTest, SnapshotKeepsTheLatestCallsAndNoticesChanges) {
    CEffectsPlugin slot;
    tagEffectParams& block = *slot.GetInterface();
    slot.GetBypassMode();
    slot.SetBypassMode(true);
    slot.AddAutomation(&block.effect, 3, 4, 5);
    ReadoutSnapshot snapshot = TakeSnapshot(slot, 2);
    EXPECT_EQ(snapshot.callCount, 3u);
    EXPECT_EQ(snapshot.recentCalls, (std::vector<std::string>{"SetBypassMode(1)", "AddAutomation(effect,3,4,5)"}));

    EXPECT_EQ(TakeSnapshot(slot, 2), snapshot);
    slot.SetValueFromHost(&block.midFreq, 9);
    EXPECT_NE(TakeSnapshot(slot, 2), snapshot);
}

TEST(ParameterFieldsTest, NamesRoundTripIgnoringCase) {
    for (BlockField field : {BlockField::Effect, BlockField::MidCutoff, BlockField::StatusFlags, BlockField::Bypass})
        EXPECT_EQ(FieldFromName(FieldName(field)), field);
    EXPECT_EQ(FieldFromName("PRESETSAVAILABLE"), BlockField::PresetsAvailable);
    EXPECT_FALSE(FieldFromName("lowFreqs"));
    EXPECT_EQ(RecordFields().size(), 5u);
}

TEST(ParameterFieldsTest, HostWritesReachTheBlockWithoutEnteringTheEditorsCallLog) {
    CEffectsPlugin slot;
    tagEffectParams& block = *slot.GetInterface();
    EXPECT_TRUE(SetFieldFromHost(slot, BlockField::HighFreq, 255));
    EXPECT_TRUE(SetFieldFromHost(slot, BlockField::StatusFlags, 0x12345678));
    EXPECT_TRUE(SetFieldFromHost(slot, BlockField::OptionFlags, 0x40));
    EXPECT_TRUE(SetFieldFromHost(slot, BlockField::Bypass, 1));
    EXPECT_EQ(block.highFreq.value, 255);
    EXPECT_EQ(block.statusFlags, 0x12345678u);
    EXPECT_EQ(block.optionFlags, 0x40);
    EXPECT_TRUE(slot.BypassMode());
    EXPECT_TRUE(slot.CallLog().Calls().empty());
    EXPECT_TRUE(slot.CallLog().Enabled());

    CEffectsPlugin empty(CEffectsPlugin::Block::Absent);
    EXPECT_FALSE(SetFieldFromHost(empty, BlockField::Effect, 1));
}

}  // namespace
