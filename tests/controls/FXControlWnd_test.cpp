#include <gtest/gtest.h>

#include <cstring>

#include "controls/FXControlWnd.h"
#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
#include "platform/gdi/Font.h"
#include "presets/UserPreset.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;

namespace {

class FXControlWndTest : public testsupport::HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        control.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
        Pump();
    }
    bool Invalid() const { return !control.UpdateRegion().IsEmpty(); }
    int Step(int value, UINT key) {
        control.ValidateRect(nullptr);
        control.StepValue(&value, key);
        return value;
    }
    CFXControlWnd control;
};

TEST_F(FXControlWndTest, WithoutAComponentItHasNoSlotAndItsOwnLook) {
    EXPECT_EQ(control.effectSlot, nullptr);
    EXPECT_EQ(control.paramBlock, nullptr);
    EXPECT_STREQ(control.iniFileName, "KVX4.ini");
    EXPECT_EQ(control.highlightColour, RGB(0, 255, 255));
    EXPECT_EQ(control.normalColour, RGB(156, 206, 206));
    ASSERT_NE(control.controlFont, nullptr);
    const LOGFONTA& font = control.controlFont->LogFont();
    EXPECT_EQ(font.lfHeight, 13);
    EXPECT_EQ(font.lfWeight, 500);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    // An edit without a block goes nowhere.
    control.StoreParameter(50, kParamLowFreq);
}

TEST_F(FXControlWndTest, KeysStepAndClampValues) {
    EXPECT_EQ(Step(125, VK_PRIOR), 127);
    EXPECT_TRUE(Invalid());
    EXPECT_EQ(Step(127, VK_PRIOR), 127);
    EXPECT_TRUE(Invalid()) << "a Page Up that only clamps still repaints";
    EXPECT_EQ(Step(3, VK_NEXT), 0);
    EXPECT_EQ(Step(127, VK_UP), 127);
    EXPECT_FALSE(Invalid());
    EXPECT_EQ(Step(0, VK_DOWN), 0);
    EXPECT_FALSE(Invalid());
    EXPECT_EQ(Step(10, VK_ADD), 11);
    EXPECT_TRUE(Invalid());
    EXPECT_EQ(Step(10, VK_SUBTRACT), 9);
    EXPECT_EQ(Step(10, 'A'), 10);
    EXPECT_FALSE(Invalid());
}

TEST_F(FXControlWndTest, TheStepKeysAreExactlyTheKeysThatStep) {
    for (UINT key : {VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN, VK_ADD, VK_SUBTRACT, VK_HOME, VK_END, VK_LEFT, VK_RIGHT,
                     VK_TAB, VK_SHIFT, VK_RETURN, UINT('A')})
        EXPECT_EQ(CFXControlWnd::IsStepKey(key), Step(50, key) != 50) << key;
}

TEST_F(FXControlWndTest, StoresLowBytesIntoTheRightRecords) {
    CEffectsPlugin slot;
    control.effectSlot = &slot;
    control.paramBlock = slot.GetInterface();
    tagEffectParams& block = *slot.GetInterface();
    control.StoreParameter(200, kParamLowFreq);
    EXPECT_EQ(block.lowFreq.value, 200);
    control.StoreParameter(0x1FF, kParamEffect);
    EXPECT_EQ(block.effect.value, 0xFF);
    control.StoreParameter(7, kParamMidFreq);
    control.StoreParameter(8, kParamHighFreq);
    control.StoreParameter(9, kParamMidCutoff);
    EXPECT_EQ(block.midFreq.value, 7);
    EXPECT_EQ(block.highFreq.value, 8);
    EXPECT_EQ(block.midCutoff.value, 9);
    const tagEffectParams before = block;
    control.StoreParameter(99, 3);
    EXPECT_EQ(std::memcmp(&before, &block, sizeof block), 0);

    tagUserPreset preset{};
    preset.leftSwitch = 1;
    preset.rightSwitch = 2;
    block.optionFlags = 0xFF;
    control.StoreOutputSwitches(&preset);
    EXPECT_EQ(block.optionFlags, 0x20);
    preset.rightSwitch = 1;
    control.StoreOutputSwitches(&preset);
    EXPECT_EQ(block.optionFlags, 0x60);
}

TEST(PresetChooserPlacementTest, OpensBelowTheNameFieldAndStaysInsideThePanel) {
    const Rect panel{100, 50, 682, 458};
    EXPECT_EQ(PresetChooserPosition(Rect::FromSize(0, 0, 300, 200), panel), (Point{125, 76}));
    EXPECT_EQ(PresetChooserPosition(Rect::FromSize(0, 0, 600, 200), panel), (Point{682 - 600 - 10, 76}));
    EXPECT_EQ(PresetChooserPosition(Rect::FromSize(0, 0, 300, 400), panel), (Point{125, 458 - 400 - 14}));
}

}  // namespace
