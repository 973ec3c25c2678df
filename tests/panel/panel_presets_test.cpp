#include <gtest/gtest.h>

#include <cstring>

#include "controls/FXContour.h"
#include "controls/StereoDryMixer.h"
#include "tests/support/EditorFixture.h"

using namespace win;
using PanelTest = testsupport::EditorFixture;

namespace {

class PanelPresetTest : public PanelTest {
protected:
    void PrepareSlot() override {
        PanelTest::PrepareSlot();
        slot.AddAutomation(&Block().lowFreq, 1, 2, 7);
        slot.CallLog().Clear();
    }

    static tagUserPreset Room(const char* name, int level) {
        tagUserPreset p{};
        SetPresetName(p, name);
        p.userDefined = 1;
        p.effectLevel = level;
        p.lowFreqValue = 11;
        p.midFreqValue = 22;
        p.highFreqValue = 33;
        p.midCutoffValue = 44;
        for (tagAutomationAssignment* a : {&p.effectAssignment, &p.lowFreqAssignment, &p.midFreqAssignment,
                                           &p.highFreqAssignment, &p.midCutoffAssignment})
            *a = {0, kControllerNotAssigned, 0};
        p.midFreqAssignment = {3, 5, 1};
        p.leftSwitch = 1;
        p.rightSwitch = 0;
        p.programNumber = 9;
        return p;
    }

    // Sets the block's values as the host's automation would and lets one poll tick pass.
    void HostSets(tagMAREG& record, BYTE value) {
        record.value = value;
        Advance(300);
    }
};

TEST_F(PanelPresetTest, FirstPaintTakesTheBlockAndTheHostsControllers) {
    const tagUserPreset& p = panel->currentPreset;
    EXPECT_EQ(PresetName(p), "Default");
    EXPECT_EQ(p.effectLevel, 100);
    EXPECT_EQ(p.lowFreqValue, 10);
    EXPECT_EQ(p.midCutoffValue, 40);
    EXPECT_EQ(p.leftSwitch, 1);
    EXPECT_EQ(p.rightSwitch, 1);
    EXPECT_EQ(p.lowFreqAssignment.controller, 7);
    EXPECT_EQ(p.midFreqAssignment.controller, kControllerNotAssigned);
    EXPECT_EQ(p.effectAssignment.controller, kControllerNotAssigned);
    // Applying the preset wrote the values back and cleared every option bit but the switches.
    EXPECT_EQ(Block().optionFlags, 0x60);
    EXPECT_EQ(Block().effect.value, 100);
    EXPECT_EQ(std::memcmp(&panel->presetA, &p, sizeof p), 0);
    EXPECT_EQ(std::memcmp(&panel->presetB, &p, sizeof p), 0);
    EXPECT_EQ(panel->edited, 0);
    EXPECT_EQ(panel->captureRequest, 3);
    EXPECT_EQ(panel->nameMode, 2);
}

TEST_F(PanelPresetTest, PollReportsWhichPictureGroupsChanged) {
    PollChanges none = panel->PollParameters();
    EXPECT_EQ(none.contourDirtyMask, CFXContour::kNothingPending);
    EXPECT_FALSE(none.contourReload);
    EXPECT_EQ(none.mixerDirtyMask, 0);

    Block().lowFreq.value = 50;
    PollChanges low = panel->PollParameters();
    EXPECT_EQ(low.contourDirtyMask, CFXContour::kNothingPending | CFXContour::kLowBand);
    EXPECT_TRUE(low.contourReload);

    Block().lowFreq.value = 51;
    Block().highFreq.value = 52;
    EXPECT_EQ(panel->PollParameters().contourDirtyMask, CFXContour::kHighBand | CFXContour::kLowBand);

    Block().midFreq.value = 53;
    PollChanges mid = panel->PollParameters();
    EXPECT_EQ(mid.contourDirtyMask, CFXContour::kNothingPending | CFXContour::kMidBand);
    EXPECT_TRUE(mid.contourReload);

    Block().midCutoff.value = 54;
    EXPECT_EQ(panel->PollParameters().contourDirtyMask, CFXContour::kNothingPending | CFXContour::kEverything);

    Block().effect.value = 55;
    PollChanges effect = panel->PollParameters();
    EXPECT_EQ(effect.mixerDirtyMask, CStereoDryMixer::kFaderGroup);
    EXPECT_EQ(effect.contourDirtyMask, CFXContour::kNothingPending);
    EXPECT_FALSE(effect.contourReload);
    EXPECT_EQ(panel->currentPreset.effectLevel, 55);
}

TEST_F(PanelPresetTest, EveryThirdTickTakesTheReferenceIntoB) {
    Block().midFreq.value = 99;
    Advance(300);
    Advance(300);
    EXPECT_EQ(panel->presetB.midFreqValue, 20);
    EXPECT_EQ(panel->currentPreset.midFreqValue, 99);
    Advance(300);
    EXPECT_EQ(panel->presetB.midFreqValue, 99);
    EXPECT_EQ(panel->captureRequest, 0);
    // Without a request B stays where it is.
    Block().midFreq.value = 98;
    Advance(900);
    EXPECT_EQ(panel->presetB.midFreqValue, 99);
}

TEST_F(PanelPresetTest, CompareSwitchRoundTripBringsBackTheEdits) {
    Advance(900);  // B takes the reference
    ClickPanel({305, 15});  // A: the edits (none yet) are applied
    EXPECT_EQ(panel->edited, 1);
    HostSets(Block().lowFreq, 77);
    EXPECT_EQ(panel->currentPreset.lowFreqValue, 77);

    ClickPanel({325, 15});  // B: the reference comes back, the edits are put aside
    EXPECT_EQ(panel->edited, 0);
    EXPECT_EQ(Block().lowFreq.value, 10);
    EXPECT_EQ(panel->presetA.lowFreqValue, 77);

    ClickPanel({305, 15});
    EXPECT_EQ(panel->edited, 1);
    EXPECT_EQ(Block().lowFreq.value, 77);

    // The lit half starts a window drag instead.
    PressPanel({305, 15});
    EXPECT_EQ(panel->pressedButton, CEditorPanel::kWindowDrag);
    ReleasePanel({305, 15});
    EXPECT_EQ(panel->edited, 1);
}

TEST_F(PanelPresetTest, ASlotWithoutABlockIsReported) {
    CEffectsPlugin empty(CEffectsPlugin::Block::Absent);
    std::vector<std::string> texts;
    AnswerNextMessageBox(&texts);
    component->SetEffect(&empty);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Invalid Interface Pointer"), texts.end());
    // Polling a missing block reads nothing.
    Advance(900);
    SetIdleHook(nullptr);
}

TEST_F(PanelPresetTest, LoadingFromTheChooserWritesTheProgramNumberWithWaits) {
    WriteRoomCount(5);
    for (int room = 1; room <= 5; ++room) WriteRoom(room, Room(("Room " + std::to_string(room)).c_str(), 60 + room));
    std::vector<int> programAtSleep;
    clock.onSleep = [&](DWORD) { programAtSleep.push_back(Block().programNumber); };

    Block().programNumber = 1;
    clock.ClearSleeps();
    panel->LoadUserPreset(0);
    EXPECT_EQ(clock.Sleeps(), (std::vector<DWORD>{250, 250}));
    EXPECT_EQ(programAtSleep, (std::vector<int>{0, 1}));
    EXPECT_EQ(Block().programNumber, 1);
    EXPECT_EQ(Block().effect.value, 61);
    EXPECT_EQ(Block().optionFlags, 0x20);
    EXPECT_STREQ(panel->nameText, "Room 1");
    EXPECT_EQ(panel->nameMode, 1);
    EXPECT_EQ(panel->captureRequest & 1, 1);
    // The loaded assignment is registered again, without removing first.
    auto registration = slot.FindRegistration(&Block().midFreq);
    ASSERT_TRUE(registration.has_value());
    EXPECT_EQ(registration->controller, 5);
    EXPECT_EQ(registration->channel, 3);
    EXPECT_EQ(registration->port, 1);

    programAtSleep.clear();
    clock.ClearSleeps();
    Block().programNumber = 5;
    panel->LoadUserPreset(4);
    EXPECT_EQ(programAtSleep, (std::vector<int>{1, 5}));

    programAtSleep.clear();
    clock.ClearSleeps();
    Block().programNumber = 0;
    panel->LoadUserPreset(2);
    EXPECT_EQ(clock.Sleeps(), (std::vector<DWORD>{250}));
    EXPECT_EQ(Block().programNumber, 3);
    EXPECT_EQ(panel->edited, 0);
}

TEST_F(PanelPresetTest, LoadingDoesNothingWithoutPresetsAndReportsAMissingRoom) {
    WriteRoomCount(1);
    WriteRoom(1, Room("Only", 70));
    Block().presetsAvailable = 0;
    panel->LoadUserPreset(0);
    EXPECT_EQ(Block().effect.value, 100);
    EXPECT_TRUE(clock.Sleeps().empty());

    Block().presetsAvailable = 1;
    std::vector<std::string> texts;
    AnswerNextMessageBox(&texts);
    const tagUserPreset before = panel->currentPreset;
    panel->LoadUserPreset(3);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Sorry could not load User settings file"), texts.end());
    EXPECT_EQ(std::memcmp(&before, &panel->currentPreset, sizeof before), 0);
    EXPECT_EQ(Block().effect.value, 100);
}

TEST_F(PanelPresetTest, NamesAreShownVerbatimAndLongOnesStayInsideTheField) {
    WriteRoomCount(2);
    WriteRoom(1, Room("100% Wet", 70));
    tagUserPreset full = Room("", 71);
    std::memset(full.name, 'N', sizeof full.name);  // no terminating zero at all
    WriteRoom(2, full);

    panel->LoadUserPreset(0);
    EXPECT_STREQ(panel->nameText, "100% Wet");
    panel->LoadUserPreset(1);
    EXPECT_EQ(std::strlen(panel->nameText), sizeof panel->nameText - 1);
    EXPECT_EQ(panel->nameText[0], 'N');
}

}  // namespace
