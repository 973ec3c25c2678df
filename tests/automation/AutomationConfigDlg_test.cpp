// Configuring one parameter's MIDI automation through the "Configure Automation..." dialog: what it
// offers and preselects, what each way out of it registers with the host and hands back to the
// preset, and the messages of its failures.
#include <gtest/gtest.h>

#include "automation/MidiControllerTable.h"
#include "component/CurrentComponent.h"
#include "component/FactoryExports.h"
#include "controls/StereoDryMixer.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowStyles.h"
#include "presets/ParameterTable.h"
#include "tests/automation/AutomationConfigFixture.h"

using namespace win;
using namespace automationtest;

namespace {

using Texts = std::vector<std::string>;

bool Same(const tagAutomationAssignment& a, const tagAutomationAssignment& b) {
    return a.channel == b.channel && a.controller == b.controller && a.port == b.port;
}

class ConfigDialogTest : public AutomationConfigTest {
protected:
    void SetUp() override {
        AutomationConfigTest::SetUp();
        slot.CallLog().Clear();
    }

    // ConfigureAutomation on the effect level, as the mixer's menu calls it.
    int ConfigureEffect(std::vector<Step> steps, DialogRun* run = nullptr) {
        int result = -1;
        DialogRun seen = Drive(
            [&] {
                result = panel->mixer->ConfigureAutomation(&panel->currentPreset.effectAssignment, &Block().effect);
            },
            std::move(steps));
        if (run) *run = seen;
        return result;
    }
    tagAutomationAssignment& EffectAssignment() { return panel->currentPreset.effectAssignment; }
    tagAutomationAssignment& LowAssignment() { return panel->currentPreset.lowFreqAssignment; }
};

TEST_F(ConfigDialogTest, OffersNoAutomationAndRows0To121AndTheFourPortsAndSixteenChannels) {
    Texts controllers, ports, channels;
    int focusedCombo = 0;
    DWORD exStyle = 0;
    DialogRun run = ConfigureAt(kFader, {Inspect([&](Window& dialog) {
                                             controllers = Lines(dialog, kControllerList);
                                             ports = Lines(dialog, kPortCombo);
                                             channels = Lines(dialog, kChannelCombo);
                                             Window* focus = Window::GetFocus();
                                             if (focus && focus->GetParent()) focusedCombo = focus->GetParent()->GetDlgCtrlID();
                                             exStyle = dialog.GetExStyle();
                                         }),
                                         Key(VK_ESCAPE)});
    EXPECT_EQ(run.dialogsSeen, 1);
    ASSERT_EQ(controllers.size(), 123u);
    EXPECT_EQ(controllers[0], "No Automation");
    EXPECT_EQ(controllers[1], "0 Bank Select");
    EXPECT_EQ(controllers[8], "7 Channel Volume");
    EXPECT_EQ(controllers[121], "Program Change");
    EXPECT_EQ(controllers[122], "Fine Tune (Cents)");
    for (int row = 0; row < kOfferedControllerCount; ++row) EXPECT_EQ(controllers[row + 1], MidiControllerEntry(row)->longName);
    EXPECT_EQ(ports, (Texts{"Corvane MidiOut : Port 1", "Corvane MidiOut : Port 2", "Corvane MidiOut : Port 3",
                            "Corvane MidiOut : Port 4"}));
    ASSERT_EQ(channels.size(), 16u);
    EXPECT_EQ(channels.front(), "1");
    EXPECT_EQ(channels.back(), "16");
    // The first control in tab order, the port combo, has the focus (in its edit field).
    EXPECT_EQ(focusedCombo, kPortCombo);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(run.boxes.empty());
}

TEST_F(ConfigDialogTest, PreselectionForEveryByteNeverReachesPastTheListsOrTheTable) {
    // The controller byte from the preset, port and channel from the host's record: every value 0..255.
    for (int byte = 0; byte < 256; ++byte) {
        EffectAssignment() = {0, static_cast<BYTE>(byte), 0};
        Block().effect.port = static_cast<BYTE>(byte);
        Block().effect.channel = static_cast<BYTE>(byte);
        int controller = -9, port = -9, channel = -9;
        const int result = ConfigureEffect({Inspect([&](Window& dialog) {
                                                controller = SelectedLine(dialog, kControllerList);
                                                port = SelectedLine(dialog, kPortCombo);
                                                channel = SelectedLine(dialog, kChannelCombo);
                                            }),
                                            Key(VK_ESCAPE)});
        EXPECT_EQ(result, 0);
        EXPECT_EQ(controller, byte == 255 ? 0 : byte < 122 ? byte + 1 : -1) << byte;
        EXPECT_EQ(port, (byte & 0x7F) < 4 ? (byte & 0x7F) : -1) << byte;
        EXPECT_EQ(channel, byte < 16 ? byte : -1) << byte;
    }
    EXPECT_TRUE(slot.CallLog().Calls().empty());
}

TEST_F(ConfigDialogTest, OkWithAControllerRegistersItAndTheCallerMarksThePresetModified) {
    ASSERT_EQ(LowAssignment().controller, kControllerNotAssigned);
    ASSERT_EQ(panel->edited, 0);
    DialogRun run = ConfigureAt(kLowTrack, {ChooseComboLine(kPortCombo, 1), ChooseComboLine(kChannelCombo, 2),
                                            ChooseLine(8), Click(kOk)});
    EXPECT_EQ(run.dialogsSeen, 1);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_TRUE(Same(LowAssignment(), {2, 7, 1}));
    EXPECT_EQ(panel->edited, 1);
    EXPECT_EQ(slot.CallLog().Texts(), (Texts{"IsAutomated(lowFreq)", "AddAutomation(lowFreq,1,2,7)"}));
    auto held = slot.FindRegistration(&Block().lowFreq);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->port, 1);
    EXPECT_EQ(held->channel, 2);
    EXPECT_EQ(held->controller, 7);

    // The same choice again (preselected from the preset and the host's record) renews the
    // registration, removing it first, and changes nothing in the preset.
    panel->ClearModified();
    slot.CallLog().Clear();
    int preselected = -1;
    run = ConfigureAt(kLowTrack, {Inspect([&](Window& d) { preselected = SelectedLine(d, kControllerList); }), Click(kOk)});
    EXPECT_EQ(preselected, 8);
    EXPECT_EQ(slot.CallLog().Texts(),
              (Texts{"IsAutomated(lowFreq)", "RemoveAutomation(lowFreq)", "AddAutomation(lowFreq,1,2,7)"}));
    EXPECT_TRUE(Same(LowAssignment(), {2, 7, 1}));
    EXPECT_EQ(panel->edited, 0);
}

TEST_F(ConfigDialogTest, TheLastOfferedRowIsFineTune) {
    DialogRun run = ConfigureAt(kHighTrack, {ChooseLine(1), Key(VK_END), Click(kOk)});
    EXPECT_EQ(panel->currentPreset.highFreqAssignment.controller, 121);
    EXPECT_EQ(slot.CallLog().Texts(), (Texts{"IsAutomated(highFreq)", "AddAutomation(highFreq,0,0,121)"}));
}

TEST_F(ConfigDialogTest, NoAutomationRemovesAnExistingRegistrationAndKeepsPortAndChannel) {
    slot.AddAutomation(&Block().effect, 3, 9, 11);
    EffectAssignment() = {9, 11, 3};
    slot.CallLog().Clear();
    EXPECT_EQ(ConfigureEffect({ChooseLine(0), Click(kOk)}), 1);
    EXPECT_TRUE(Same(EffectAssignment(), {9, 255, 3}));
    EXPECT_EQ(slot.CallLog().Texts(), (Texts{"IsAutomated(effect)", "RemoveAutomation(effect)"}));
    EXPECT_FALSE(slot.FindRegistration(&Block().effect));

    // Again, on a parameter the host no longer drives: only the question, and no change.
    slot.CallLog().Clear();
    EXPECT_EQ(ConfigureEffect({Click(kOk)}), 0);
    EXPECT_EQ(slot.CallLog().Texts(), (Texts{"IsAutomated(effect)"}));
}

TEST_F(ConfigDialogTest, OkWithoutALineAsksForOneAndStaysOpen) {
    // Row 122 is never offered, so nothing is preselected for it.
    EffectAssignment() = {0, 122, 0};
    DialogRun run;
    EXPECT_EQ(ConfigureEffect({Click(kOk), Click(kCancel)}, &run), 0);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].find("Please Select a controller first"), std::string::npos) << run.boxes[0];
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(EffectAssignment().controller, 122);
    EXPECT_TRUE(slot.CallLog().Calls().empty());
}

TEST_F(ConfigDialogTest, EveryWayOutButTheOkButtonReturnsNoChangeAndRegistersNothing) {
    const std::vector<std::pair<const char*, Step>> exits = {
        {"Cancel", Click(kCancel)},
        {"close box", [](Window& d) { ClickCloseBox(d); }},
        {"Escape", Key(VK_ESCAPE)},
        // The list has the focus: Enter is the dialog's default IDOK, which only ends it.
        {"Enter", Key(VK_RETURN)},
    };
    for (const auto& [name, exit] : exits) {
        DialogRun run;
        EXPECT_EQ(ConfigureEffect({ChooseComboLine(kPortCombo, 2), ChooseLine(20), exit}, &run), 0) << name;
        EXPECT_FALSE(run.leftOpen) << name;
        EXPECT_TRUE(run.boxes.empty()) << name;
        EXPECT_EQ(EffectAssignment().controller, kControllerNotAssigned) << name;
    }
    EXPECT_TRUE(slot.CallLog().Calls().empty());
    EXPECT_EQ(panel->edited, 0);

    // Enter on the focused OK button is the button.
    EXPECT_EQ(ConfigureEffect({ChooseLine(20), Key(VK_TAB), Key(VK_TAB), Key(VK_TAB), Key(VK_TAB), Key(VK_RETURN)}), 1);
    EXPECT_EQ(EffectAssignment().controller, 19);
}

TEST_F(ConfigDialogTest, TypingIntoAComboLeavesNoSelectionWhichIsTakenAsByte255) {
    int afterTyping = 0;
    std::string text;
    EXPECT_EQ(ConfigureEffect({ChooseLine(8), // Tab selects the field's whole text, which the typing replaces; a
                               // click would only place the caret in a field that is full.
                               Key(VK_TAB), Type("Port 2"), Inspect([&](Window& d) {
                                   afterTyping = SelectedLine(d, kPortCombo);
                                   text = d.GetDlgItem(kPortCombo)->GetWindowText();
                               }),
                               Click(kOk)}),
              1);
    EXPECT_EQ(afterTyping, -1) << text;
    EXPECT_TRUE(Same(EffectAssignment(), {0, 7, 255}));
    // The host refuses a port it does not have; nothing is registered.
    ASSERT_EQ(slot.CallLog().Calls().size(), 2u);
    EXPECT_EQ(slot.CallLog().Calls()[1].ToString(), "AddAutomation(effect,255,0,7)");
    EXPECT_EQ(slot.CallLog().Calls()[1].result, 0);
    EXPECT_FALSE(slot.FindRegistration(&Block().effect));
}

TEST_F(ConfigDialogTest, WithoutAnEffectSlotAControllerIsNotAssignedAndNoAutomationStaysOpen) {
    // A second component, never given a slot, becomes the current one.
    CEffectComponent* bare = CRVGetComponentInterface(0x11040);
    ASSERT_NE(bare, nullptr);
    SetCurrentComponent(bare);
    ASSERT_EQ(CurrentEffect(), nullptr);

    DialogRun run;
    EXPECT_EQ(ConfigureEffect({ChooseComboLine(kPortCombo, 1), ChooseComboLine(kChannelCombo, 2), ChooseLine(8), Click(kOk)}, &run), 1);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].find("Invalid Effects Interface, Sorry"), std::string::npos) << run.boxes[0];
    EXPECT_TRUE(Same(EffectAssignment(), {2, 255, 1}));

    EffectAssignment() = {4, 5, 2};
    EXPECT_EQ(ConfigureEffect({ChooseLine(0), Click(kOk), Click(kCancel)}, &run), 0);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].find("Invalid Instance pointer sorry"), std::string::npos) << run.boxes[0];
    EXPECT_FALSE(run.leftOpen);
    EXPECT_TRUE(Same(EffectAssignment(), {4, 5, 2}));
    EXPECT_TRUE(slot.CallLog().Calls().empty());
    CRVFreeComponentInterface(bare);
}

TEST_F(ConfigDialogTest, WithoutACurrentComponentOkSaysSoAndCloses) {
    SetCurrentComponent(nullptr);
    DialogRun run;
    EXPECT_EQ(ConfigureEffect({ChooseLine(8), Click(kOk)}, &run), 0);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].find("Sorry, could not map controller."), std::string::npos) << run.boxes[0];
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(EffectAssignment().controller, kControllerNotAssigned);
    EXPECT_TRUE(slot.CallLog().Calls().empty());
}

TEST_F(ConfigDialogTest, AMissingRecordIsReportedAndNoDialogOpens) {
    int result = -1;
    DialogRun run = Drive([&] { result = panel->mixer->ConfigureAutomation(&EffectAssignment(), nullptr); }, {});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(run.dialogsSeen, 0);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].find("Invalid MAREG for automation"), std::string::npos) << run.boxes[0];
}

TEST_F(ConfigDialogTest, TabWalksPortChannelCancelOkAndTheList) {
    std::vector<int> focused;
    auto note = Inspect([&](Window&) {
        Window* focus = Window::GetFocus();
        // A combo box's focus is in its edit field.
        if (focus && focus->ClassName() == "Edit") focus = focus->GetParent();
        focused.push_back(focus ? focus->GetDlgCtrlID() : 0);
    });
    ConfigureEffect({note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB),
                     note, Key(VK_ESCAPE)});
    EXPECT_EQ(focused, (std::vector<int>{kPortCombo, kChannelCombo, kCancel, kOk, kControllerList, kPortCombo}));
}

TEST_F(ConfigDialogTest, EachControlsMenuConfiguresItsOwnParameter) {
    const struct {
        Parameter parameter;
        Point at;
    } places[] = {{Parameter::Effect, kFader},
                  {Parameter::LowFreq, kLowTrack},
                  {Parameter::MidFreq, {254, 130}},
                  {Parameter::HighFreq, kHighTrack},
                  // The cutoff marker of cutoff 40, in panel coordinates.
                  {Parameter::MidCutoff, {199 + 227, 30 + 185}}};
    int line = 10;
    for (const auto& place : places) {
        const ParameterInfo& info = Info(place.parameter);
        slot.CallLog().Clear();
        ConfigureAt(place.at, {ChooseLine(line), Click(kOk)});
        const std::string name = slot.RecordName(&(Block().*info.record));
        EXPECT_EQ(slot.CallLog().Texts(),
                  (Texts{"IsAutomated(" + name + ")", "AddAutomation(" + name + ",0,0," + std::to_string(line - 1) + ")"}))
            << info.label;
        EXPECT_EQ((panel->currentPreset.*info.assignment).controller, line - 1) << info.label;
        ++line;
    }
}

}  // namespace
