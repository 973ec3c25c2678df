// An assignment made in the configuration dialog travels with a saved preset and is registered
// again when that preset is loaded into another editor; and the dialog's look.
#include <gtest/gtest.h>

#include <filesystem>

#include "component/FactoryExports.h"
#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowStyles.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "presets/UserPresetFile.h"
#include "tests/automation/AutomationConfigFixture.h"
#include "tests/support/MessageBoxAnswerer.h"

using namespace win;
using namespace automationtest;

namespace {

using Texts = std::vector<std::string>;

TEST_F(AutomationConfigTest, AnAssignmentIsSavedWithThePresetAndRegisteredAgainWhenItIsLoaded) {
    ConfigureAt(kLowTrack, {ChooseComboLine(kPortCombo, 3), ChooseComboLine(kChannelCombo, 15), ChooseLine(12), Click(kOk)});
    ConfigureAt(kFader, {ChooseComboLine(kPortCombo, 1), ChooseLine(2), Click(kOk)});
    ASSERT_EQ(panel->currentPreset.lowFreqAssignment.controller, 11);
    ASSERT_EQ(panel->currentPreset.effectAssignment.controller, 1);
    std::vector<testsupport::ShownBox> boxes;
    testsupport::MessageBoxAnswerer answerer(boxes);
    CUserPresetFile file;
    ASSERT_EQ(file.SaveNewRoom(panel->iniFileName, &panel->currentPreset, "Driven"), 1);

    // Another editor on a slot the host has registered nothing for.
    CRVFreeComponentInterface(component);
    component = nullptr;
    CEffectsPlugin fresh;
    fresh.GetInterface()->presetsAvailable = 1;
    auto* other = reinterpret_cast<IEffectComponent*>(CRVGetComponentInterface(0x11040));
    ASSERT_NE(other, nullptr);
    other->SetEffect(&fresh);
    other->SetEditorSite(&site);
    HWND editor = other->CreateEditor(host.GetSafeHwnd());
    ASSERT_TRUE(IsWindow(editor));
    other->ShowEditor(true);
    auto* second = static_cast<CEditorPanel*>(Window::FromHandle(editor)->GetDlgItem(61446));
    ASSERT_NE(second, nullptr);
    Advance(400);
    EXPECT_EQ(second->currentPreset.lowFreqAssignment.controller, kControllerNotAssigned);
    fresh.CallLog().Clear();

    second->LoadUserPreset(0);
    // Only AddAutomation, in the order effect, highFreq, lowFreq, midFreq, midCutoff, for assigned ones.
    Texts adds;
    for (const std::string& call : fresh.CallLog().Texts())
        if (call.rfind("GetBypassMode", 0) != 0) adds.push_back(call);
    EXPECT_EQ(adds, (Texts{"AddAutomation(effect,1,0,1)", "AddAutomation(lowFreq,3,15,11)"}));
    auto held = fresh.FindRegistration(&fresh.GetInterface()->lowFreq);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->port, 3);
    EXPECT_EQ(held->channel, 15);
    EXPECT_EQ(held->controller, 11);
    // The controller now moves the parameter, and the editor shows it on its next poll.
    EXPECT_EQ(fresh.ApplyControllerMessage(3, 15, 11, 77), 1);
    Advance(400);
    EXPECT_EQ(second->currentPreset.lowFreqValue, 77);
    CRVFreeComponentInterface(other);
}

TEST_F(AutomationConfigTest, LooksLikeAClassicToolWindowDialog) {
    const auto path = std::filesystem::temp_directory_path() / "kvx4-automation-dialog.png";
    std::filesystem::remove(path);
    bool inked = false;
    ConfigureAt(kFader, {[](Window& dialog) {
                             // Scrolled well into the list, a line chosen, the channel combo dropped.
                             dialog.GetDlgItem(kControllerList)->SendMessage(LB_SETTOPINDEX, 60);
                             ClickListLine(dialog, 65);
                             Window* combo = dialog.GetDlgItem(kChannelCombo);
                             const Rect r = combo->WindowRect();
                             InjectClick({r.right - 8, r.top + 8});
                         },
                         [&](Window& dialog) {
                             PaintPendingWindows();
                             Desktop::Instance().SaveScreenshot(path.string());
                             const Bitmap& screen = Desktop::Instance().Compose();
                             // The list's selected line is drawn in the highlight colour.
                             Rect item;
                             Window* list = dialog.GetDlgItem(kControllerList);
                             list->SendMessage(LB_GETITEMRECT, 65, reinterpret_cast<LPARAM>(&item));
                             list->ClientToScreen(&item);
                             inked = FromDisplay(screen.GetPixel(item.right - 3, item.top + 1)) ==
                                     GetSysColor(COLOR_HIGHLIGHT);
                             InjectKeyPress(VK_ESCAPE);
                         },
                         Key(VK_ESCAPE)});
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(inked);
}

}  // namespace
