#include "host/lib/EffectsPlugin.h"

#include <cstring>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

class EffectsPluginTest : public ::testing::Test {
protected:
    CEffectsPlugin slot;
    tagEffectParams* block = slot.GetInterface();
};

void Fill(tagMAREG& record, win::BYTE pattern) { std::memset(&record, pattern, sizeof record); }

TEST_F(EffectsPluginTest, AddAutomationStampsBytesOneToThreeOnly) {
    Fill(block->lowFreq, 0xAA);
    EXPECT_EQ(slot.AddAutomation(&block->lowFreq, 2, 15, 74), 1);
    const tagMAREG& r = block->lowFreq;
    EXPECT_EQ(r.value, 0xAA);
    EXPECT_EQ(r.port, 2);
    EXPECT_EQ(r.channel, 15);
    EXPECT_EQ(r.controller, 74);
    for (win::BYTE b : r.reserved) EXPECT_EQ(b, 0xAA);
    EXPECT_NE(slot.IsAutomated(&block->lowFreq), 0);
    EXPECT_EQ(slot.IsAutomated(&block->midFreq), 0);
}

TEST_F(EffectsPluginTest, OutOfRangeOrForeignRegistrationsAreRefusedWithoutWriting) {
    tagMAREG foreign{};
    Fill(block->effect, 0x55);
    EXPECT_EQ(slot.AddAutomation(&block->effect, 4, 0, 0), 0);
    EXPECT_EQ(slot.AddAutomation(&block->effect, -1, 0, 0), 0);
    EXPECT_EQ(slot.AddAutomation(&block->effect, 0, 16, 0), 0);
    EXPECT_EQ(slot.AddAutomation(&block->effect, 0, 0, 128), 0);
    EXPECT_EQ(slot.AddAutomation(&block->effect, 0, 0, -1), 0);
    EXPECT_EQ(slot.AddAutomation(&foreign, 1, 1, 1), 0);
    EXPECT_EQ(slot.AddAutomation(nullptr, 1, 1, 1), 0);
    EXPECT_EQ(block->effect.port, 0x55);
    EXPECT_EQ(block->effect.controller, 0x55);
    EXPECT_EQ(foreign.port, 0);
    EXPECT_EQ(slot.IsAutomated(&block->effect), 0);
    EXPECT_EQ(slot.IsAutomated(&foreign), 0);
    EXPECT_EQ(slot.AutomationChangeCount(), 0u);
}

TEST_F(EffectsPluginTest, SecondAddReplacesTheRegistration) {
    slot.AddAutomation(&block->midCutoff, 0, 1, 7);
    slot.AddAutomation(&block->midCutoff, 3, 9, 10);
    auto registrations = slot.Registrations();
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_EQ(registrations[0].record, &block->midCutoff);
    EXPECT_STREQ(registrations[0].recordName, "midCutoff");
    EXPECT_EQ(registrations[0].port, 3);
    EXPECT_EQ(registrations[0].channel, 9);
    EXPECT_EQ(registrations[0].controller, 10);
    EXPECT_EQ(block->midCutoff.controller, 10);
}

TEST_F(EffectsPluginTest, RemoveWithdrawsOnceAndLeavesTheLastStamp) {
    slot.AddAutomation(&block->highFreq, 1, 5, 11);
    EXPECT_EQ(slot.RemoveAutomation(&block->highFreq), 1);
    EXPECT_EQ(slot.IsAutomated(&block->highFreq), 0);
    EXPECT_EQ(slot.RemoveAutomation(&block->highFreq), 0);
    EXPECT_FALSE(slot.FindRegistration(&block->highFreq).has_value());
    // The editor preselects port and channel from the record even when it is not automated.
    EXPECT_EQ(block->highFreq.port, 1);
    EXPECT_EQ(block->highFreq.channel, 5);
}

TEST_F(EffectsPluginTest, RefreshRestampsAHeldRegistrationOnly) {
    slot.AddAutomation(&block->effect, 2, 3, 4);
    Fill(block->effect, 0);
    EXPECT_EQ(slot.RefreshAutomation(&block->effect), 1);
    EXPECT_EQ(block->effect.port, 2);
    EXPECT_EQ(block->effect.channel, 3);
    EXPECT_EQ(block->effect.controller, 4);
    EXPECT_EQ(block->effect.value, 0);

    Fill(block->lowFreq, 0x33);
    EXPECT_EQ(slot.RefreshAutomation(&block->lowFreq), 0);
    EXPECT_EQ(block->lowFreq.port, 0x33);
}

TEST_F(EffectsPluginTest, ControllerMessagesReachOnlyTheRecordsRegisteredForThem) {
    block->lowFreq.value = 10;
    block->midFreq.value = 20;
    block->highFreq.value = 30;
    block->effect.value = 40;
    slot.AddAutomation(&block->lowFreq, 0, 0, 7);
    slot.AddAutomation(&block->midFreq, 0, 0, 7);
    slot.AddAutomation(&block->highFreq, 0, 1, 7);  // other channel
    slot.AddAutomation(&block->effect, 1, 0, 7);    // other port

    EXPECT_EQ(slot.ApplyControllerMessage(0, 0, 7, 99), 2);
    EXPECT_EQ(block->lowFreq.value, 99);
    EXPECT_EQ(block->midFreq.value, 99);
    EXPECT_EQ(block->highFreq.value, 30);
    EXPECT_EQ(block->effect.value, 40);

    EXPECT_EQ(slot.ApplyControllerMessage(0, 0, 8, 5), 0);
    EXPECT_EQ(slot.ApplyControllerMessage(0, 1, 7, 300), 1);
    EXPECT_EQ(block->highFreq.value, 127);

    slot.RemoveAutomation(&block->lowFreq);
    EXPECT_EQ(slot.ApplyControllerMessage(0, 0, 7, -4), 1);
    EXPECT_EQ(block->lowFreq.value, 99);
    EXPECT_EQ(block->midFreq.value, 0);
}

TEST_F(EffectsPluginTest, HostSideChangesWriteTheBlockWithoutLogging) {
    tagMAREG foreign{};
    EXPECT_TRUE(slot.SetValueFromHost(&block->midFreq, 200));
    EXPECT_FALSE(slot.SetValueFromHost(&foreign, 1));
    slot.SetStatusFlags(STATUS_CLIP | 0x1);
    EXPECT_EQ(block->midFreq.value, 200);
    EXPECT_EQ(foreign.value, 0);
    EXPECT_EQ(block->statusFlags, STATUS_CLIP | 0x1u);
    EXPECT_TRUE(slot.CallLog().Calls().empty());
}

TEST_F(EffectsPluginTest, ObserverSeesEveryRegistrationChange) {
    int calls = 0;
    slot.SetAutomationObserver([&](const CEffectsPlugin& changed) {
        EXPECT_EQ(&changed, &slot);
        ++calls;
    });
    slot.AddAutomation(&block->effect, 0, 0, 1);
    slot.AddAutomation(&block->effect, 0, 0, 2);
    slot.IsAutomated(&block->effect);
    slot.RefreshAutomation(&block->effect);
    slot.RemoveAutomation(&block->effect);
    slot.RemoveAutomation(&block->effect);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(slot.AutomationChangeCount(), 3u);
}

TEST_F(EffectsPluginTest, CallLogKeepsTheComponentsOrderAndArguments) {
    tagMAREG foreign{};
    slot.IsAutomated(&block->lowFreq);
    slot.AddAutomation(&block->lowFreq, 1, 2, 7);
    slot.GetBypassMode();
    slot.SetBypassMode(true);
    slot.RemoveAutomation(&foreign);
    slot.RefreshAutomation(nullptr);
    EXPECT_THAT(slot.CallLog().Texts(),
                ElementsAre("IsAutomated(lowFreq)", "AddAutomation(lowFreq,1,2,7)", "GetBypassMode()",
                            "SetBypassMode(1)", "RemoveAutomation(foreign)", "RefreshAutomation(null)"));
    const auto& calls = slot.CallLog().Calls();
    EXPECT_EQ(calls[0].result, 0);
    EXPECT_EQ(calls[1].result, 1);
    EXPECT_EQ(calls[1].record, &block->lowFreq);
    EXPECT_EQ(calls[2].result, 0);
    EXPECT_TRUE(slot.GetBypassMode());
    EXPECT_TRUE(slot.BypassMode());

    slot.CallLog().Clear();
    slot.CallLog().SetEnabled(false);
    slot.IsAutomated(&block->lowFreq);
    EXPECT_TRUE(slot.CallLog().Calls().empty());
}

TEST(EffectsPluginWithoutBlock, HasNoInterfaceAndRegistersNothing) {
    CEffectsPlugin slot(CEffectsPlugin::Block::Absent);
    tagMAREG record{};
    EXPECT_EQ(slot.GetInterface(), nullptr);
    EXPECT_EQ(slot.AddAutomation(&record, 0, 0, 0), 0);
    EXPECT_EQ(slot.IsAutomated(&record), 0);
    EXPECT_EQ(slot.RefreshAutomation(&record), 0);
    EXPECT_EQ(slot.ApplyControllerMessage(0, 0, 0, 1), 0);
    EXPECT_TRUE(slot.Registrations().empty());
    EXPECT_EQ(record.port, 0);
    EXPECT_THAT(slot.CallLog().Texts(), ElementsAre("AddAutomation(foreign,0,0,0)", "IsAutomated(foreign)",
                                                    "RefreshAutomation(foreign)"));
}

}  // namespace
