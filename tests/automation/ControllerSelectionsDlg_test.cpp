// The "Present Controller Selections" dialog as a user meets it in the editor: what its lists show,
// Reset All and what it asks of the host, its failure cases, and its keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "automation/AutomationSync.h"
#include "automation/MidiControllerTable.h"
#include "component/CurrentComponent.h"
#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/SystemMetrics.h"
#include "tests/automation/ControllerSelectionsFixture.h"

using namespace win;
using namespace selectionstest;

namespace {

const std::vector<std::string> kNotSelected{"NOT SELECTED"};

int FocusId() { return Window::GetFocus() ? Window::GetFocus()->GetDlgCtrlID() : 0; }

TEST_F(SelectionsTest, ListsShowThePresetsControllersNotTheHostsRegistrations) {
    slot.AddAutomation(Record(Parameter::LowFreq), 0, 0, 9);
    Assign(Parameter::Effect, 64);
    Assign(Parameter::HighFreq, 7);
    Assign(Parameter::MidFreq, 121);
    Assign(Parameter::MidCutoff, 0);
    const tagUserPreset before = Preset();
    slot.CallLog().Clear();

    Lists lists;
    std::string caption;
    OpenFromMenu({ReadInto(lists), [&](Window& dialog) { caption = dialog.GetWindowText(); }, Click(IDOK)});

    EXPECT_EQ(caption, "Present Controller Selections");
    EXPECT_EQ(lists[static_cast<int>(Parameter::Effect)], One("64 Sustain Pedal"));
    EXPECT_EQ(lists[static_cast<int>(Parameter::HighFreq)], One("7 Channel Volume"));
    EXPECT_EQ(lists[static_cast<int>(Parameter::MidFreq)], One("Fine Tune (Cents)"));
    EXPECT_EQ(lists[static_cast<int>(Parameter::MidCutoff)], One("0 Bank Select"));
    EXPECT_EQ(lists[static_cast<int>(Parameter::LowFreq)], kNotSelected) << "the host's registration is not shown";
    // OK closed it without touching anything, and the editor's window is usable again.
    Pump();
    EXPECT_EQ(Window::GetActiveWindow(), &host);
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_EQ(std::memcmp(&before, &Preset(), sizeof before), 0);
    EXPECT_TRUE(slot.CallLog().Calls().empty());
    EXPECT_EQ(panel->edited, 0);
}

TEST_F(SelectionsTest, ResetAllWithdrawsEveryRegistrationAndClearsOnlyTheControllers) {
    slot.AddAutomation(Record(Parameter::Effect), 1, 2, 5);
    slot.AddAutomation(Record(Parameter::MidFreq), 2, 3, 6);
    slot.AddAutomation(Record(Parameter::MidCutoff), 3, 4, 7);
    Assign(Parameter::Effect, 5, 1, 2);
    Assign(Parameter::LowFreq, 40, 2, 9);  // assigned in the preset, not registered with the host
    Assign(Parameter::MidFreq, 6, 2, 3);
    Assign(Parameter::MidCutoff, 7, 3, 4);
    slot.CallLog().Clear();

    Lists once, twice;
    std::vector<std::string> callsOnce;
    OpenFromMenu({Click(IDC_RESET_ALL), ReadInto(once),
                  [&](Window&) {
                      callsOnce = slot.CallLog().Texts();
                      slot.CallLog().Clear();
                  },
                  Click(IDC_RESET_ALL), ReadInto(twice), Key(VK_ESCAPE)});

    EXPECT_EQ(callsOnce, (std::vector<std::string>{"IsAutomated(effect)", "RemoveAutomation(effect)",
                                                   "IsAutomated(lowFreq)", "IsAutomated(highFreq)",
                                                   "IsAutomated(midFreq)", "RemoveAutomation(midFreq)",
                                                   "IsAutomated(midCutoff)", "RemoveAutomation(midCutoff)"}));
    EXPECT_EQ(slot.CallLog().Texts(),
              (std::vector<std::string>{"IsAutomated(effect)", "IsAutomated(lowFreq)", "IsAutomated(highFreq)",
                                        "IsAutomated(midFreq)", "IsAutomated(midCutoff)"}))
        << "a second Reset All finds nothing to withdraw";
    EXPECT_TRUE(slot.Registrations().empty());
    for (const ParameterInfo& info : kParameters) {
        EXPECT_EQ(once[static_cast<int>(info.parameter)], kNotSelected) << info.label;
        EXPECT_EQ(twice[static_cast<int>(info.parameter)], kNotSelected) << info.label;
        EXPECT_EQ((Preset().*info.assignment).controller, kControllerNotAssigned) << info.label;
    }
    EXPECT_EQ(Preset().lowFreqAssignment.port, 2);
    EXPECT_EQ(Preset().lowFreqAssignment.channel, 9);
    EXPECT_EQ(Preset().midCutoffAssignment.port, 3);
    EXPECT_EQ(Preset().midCutoffAssignment.channel, 4);
    EXPECT_EQ(panel->edited, 0) << "Reset All does not mark the preset modified";
}

TEST_F(SelectionsTest, ResetAllWithoutAParameterBlockSaysSoAndChangesNothing) {
    CEffectsPlugin blockless(CEffectsPlugin::Block::Absent);
    component->SetEffect(&blockless);
    Assign(Parameter::Effect, 5);
    Assign(Parameter::MidCutoff, 70);

    std::vector<std::string> texts;
    Lists lists;
    OpenDirectly({Click(IDC_RESET_ALL), AnswerBox(texts), ReadInto(lists), Click(IDOK)});
    component->SetEffect(&slot);

    EXPECT_NE(std::find(texts.begin(), texts.end(), "Reset Automation Failed"), texts.end());
    EXPECT_EQ(lists[static_cast<int>(Parameter::Effect)], One("5 Portamento time"));
    EXPECT_EQ(lists[static_cast<int>(Parameter::MidCutoff)], One("70 Sound Controller 1"));
    EXPECT_EQ(Preset().effectAssignment.controller, 5);
    EXPECT_EQ(Preset().midCutoffAssignment.controller, 70);
    EXPECT_TRUE(blockless.CallLog().Calls().empty());
}

TEST_F(SelectionsTest, ResetAllWithoutACurrentComponentOrEffectSlotDoesNothing) {
    // Freeing any component object leaves none current, also while another editor is open.
    CRVFreeComponentInterface(CRVGetComponentInterface(0x11040));
    ASSERT_EQ(CurrentComponent(), nullptr);
    slot.AddAutomation(Record(Parameter::HighFreq), 0, 0, 3);
    Assign(Parameter::HighFreq, 3);
    slot.CallLog().Clear();
    Lists lists;
    int boxes = 0;
    OpenFromMenu({Click(IDC_RESET_ALL), [&](Window& active) {
                      lists = Read(active);
                      boxes += active.GetWindowText() != "Present Controller Selections";
                  },
                  Click(IDOK)});
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(lists[static_cast<int>(Parameter::HighFreq)], One("3 Undefined"));
    EXPECT_EQ(Preset().highFreqAssignment.controller, 3);
    EXPECT_TRUE(slot.CallLog().Calls().empty());

    // An editor made before the host bound any effect slot.
    CRVFreeComponentInterface(component);
    component = reinterpret_cast<IEffectComponent*>(CRVGetComponentInterface(0x11040));
    ASSERT_NE(component, nullptr);
    HWND editor = component->CreateEditor(host.GetSafeHwnd());
    ASSERT_TRUE(IsWindow(editor));
    panel = static_cast<CEditorPanel*>(Window::FromHandle(editor)->GetDlgItem(61446));
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(CurrentEffect(), nullptr);
    Assign(Parameter::Effect, 120);
    OpenDirectly({Click(IDC_RESET_ALL), [&](Window& active) {
                      lists = Read(active);
                      boxes += active.GetWindowText() != "Present Controller Selections";
                  },
                  Click(IDOK)});
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(lists[static_cast<int>(Parameter::Effect)], One("Program Change"));
    EXPECT_EQ(Preset().effectAssignment.controller, 120);
}

// The dialog belongs to the host's window, so it outlives an editor the host frees meanwhile;
// Reset All then still reaches the host through the new current component, but not the gone preset.
TEST_F(SelectionsTest, ResetAllAfterTheHostFreedTheEditorLeavesItsPresetAlone) {
    Assign(Parameter::Effect, 9);
    slot.AddAutomation(Record(Parameter::Effect), 0, 0, 9);
    Window* dialog = nullptr;
    Lists lists;
    CEditorPanel* newPanel = nullptr;
    OpenFromMenu({[&](Window& active) {
                      dialog = &active;
                      CRVFreeComponentInterface(component);
                      component = reinterpret_cast<IEffectComponent*>(CRVGetComponentInterface(0x11040));
                      component->SetEffect(&slot);
                      HWND editor = component->CreateEditor(host.GetSafeHwnd());
                      newPanel = static_cast<CEditorPanel*>(Window::FromHandle(editor)->GetDlgItem(61446));
                  },
                  [&](Window&) {
                      ASSERT_TRUE(IsWindow(dialog->GetSafeHwnd()));
                      dialog->GetDlgItem(IDC_RESET_ALL)->SendMessage(BM_CLICK);
                  },
                  [&](Window&) {
                      lists = Read(*dialog);
                      dialog->SendMessage(WM_CLOSE);
                  }});
    panel = newPanel;
    EXPECT_EQ(lists[static_cast<int>(Parameter::Effect)], kNotSelected);
    EXPECT_FALSE(slot.FindRegistration(Record(Parameter::Effect)).has_value());
    // The new editor took the host's controller when it started; the dialog had another preset.
    EXPECT_EQ(panel->currentPreset.effectAssignment.controller, 9);
}

// A controller byte comes from a preset file or the host's record and can be anything: the table's
// rows by name, 255 as unassigned, and every byte past the table by its number, one line each.
TEST_F(SelectionsTest, EveryControllerByteShowsOneLine) {
    auto expected = [](int byte) -> std::string {
        if (byte == 255) return "NOT SELECTED";
        if (byte < kMidiControllerCount) return MidiControllerTable[static_cast<size_t>(byte)].longName;
        return "Controller " + std::to_string(byte);
    };
    for (int first = 0; first < 256; first += static_cast<int>(kParameters.size())) {
        for (const ParameterInfo& info : kParameters)
            Assign(info.parameter, std::min(255, first + static_cast<int>(info.parameter)));
        Lists lists;
        OpenDirectly({ReadInto(lists), Key(VK_ESCAPE)});
        for (const ParameterInfo& info : kParameters) {
            const int byte = std::min(255, first + static_cast<int>(info.parameter));
            EXPECT_EQ(lists[static_cast<int>(info.parameter)], One(expected(byte).c_str())) << byte;
        }
    }
    EXPECT_EQ(expected(122), "Coarse Tune (Semitones)");
    EXPECT_EQ(expected(123), "Controller 123");
}

TEST_F(SelectionsTest, AHostControllerPastTheTableIsNamedByNumberAndResetAllWithdrawsIt) {
    slot.AddAutomation(Record(Parameter::MidCutoff), 0, 0, 5);
    Record(Parameter::MidCutoff)->controller = 200;  // what a host might stamp
    SyncAutomationFromHost(&slot, &Block(), &Preset());
    ASSERT_EQ(Preset().midCutoffAssignment.controller, 200);
    slot.CallLog().Clear();

    Lists before, after;
    OpenFromMenu({ReadInto(before), Click(IDC_RESET_ALL), ReadInto(after), Click(IDOK)});
    EXPECT_EQ(before[static_cast<int>(Parameter::MidCutoff)], One("Controller 200"));
    EXPECT_EQ(after[static_cast<int>(Parameter::MidCutoff)], kNotSelected);
    EXPECT_EQ(slot.CallLog().Texts().back(), "RemoveAutomation(midCutoff)");
    EXPECT_EQ(Preset().midCutoffAssignment.controller, kControllerNotAssigned);
}

TEST_F(SelectionsTest, MnemonicsAndTabMoveTheFocusThroughTheListsAndEnterCloses) {
    auto alt = [](UINT letter) {
        return [letter](Window&) {
            InjectKey(VK_MENU, true);
            InjectKeyPress(letter);
            InjectKey(VK_MENU, false);
        };
    };
    std::vector<int> focus;
    const Step note = [&](Window&) { focus.push_back(FocusId()); };
    std::vector<Step> steps{note};
    for (UINT letter : {'L', 'H', 'M', 'C', 'E'}) {
        steps.push_back(alt(letter));
        steps.push_back(note);
    }
    for (int i = 0; i < 7; ++i) {
        steps.push_back(Key(VK_TAB));
        steps.push_back(note);
    }
    steps.push_back(Key(VK_RETURN));  // from a list: the default button
    OpenDirectly(std::move(steps));
    const bool closed = Window::GetActiveWindow() == &host;

    const std::vector<int> mnemonics{IDC_EFFECT_CONTROLLER,  IDC_LOWFREQ_CONTROLLER,   IDC_HIGHFREQ_CONTROLLER,
                                     IDC_MIDFREQ_CONTROLLER, IDC_MIDCUTOFF_CONTROLLER, IDC_EFFECT_CONTROLLER};
    const std::vector<int> tabs{IDC_LOWFREQ_CONTROLLER,   IDC_HIGHFREQ_CONTROLLER, IDC_MIDFREQ_CONTROLLER,
                                IDC_MIDCUTOFF_CONTROLLER, IDOK,                    IDC_RESET_ALL,
                                IDC_EFFECT_CONTROLLER};
    ASSERT_EQ(focus.size(), mnemonics.size() + tabs.size());
    EXPECT_EQ(std::vector<int>(focus.begin(), focus.begin() + 6), mnemonics);
    EXPECT_EQ(std::vector<int>(focus.begin() + 6, focus.end()), tabs);
    EXPECT_TRUE(closed);
}

TEST_F(SelectionsTest, LooksLikeAClassicDialog) {
    Assign(Parameter::Effect, 64);
    Assign(Parameter::HighFreq, 7);
    Assign(Parameter::MidCutoff, 121);
    const auto path = std::filesystem::temp_directory_path() / "kvx4-dialog-controller-selections.png";
    bool white = false, ink = false, groupFrame = false;
    std::vector<int> linesInView;
    OpenDirectly({[&](Window& dialog) {
                      for (const ParameterInfo& info : kParameters) {
                          auto* list = dynamic_cast<ListBoxControl*>(dialog.GetDlgItem(ListId(info.parameter)));
                          linesInView.push_back(list ? list->ClientRect().Height() / list->GetItemHeight() : 0);
                      }
                      PaintPendingWindows();
                      const Bitmap& screen = Desktop::Instance().Compose();
                      Desktop::Instance().SaveScreenshot(path.string());
                      auto at = [&](Point p) { return FromDisplay(screen.GetPixel(p.x, p.y)); };
                      const Rect list = dialog.GetDlgItem(IDC_HIGHFREQ_CONTROLLER)->WindowRect();
                      white = at({list.right - 4, list.top + 4}) == RGB(255, 255, 255);
                      for (int x = list.left + 2; x < list.right - 2; ++x)
                          for (int y = list.top + 2; y < list.bottom - 2; ++y) ink = ink || at({x, y}) == RGB(0, 0, 0);
                      Window* group = dialog.GetDlgItem(0xFFFF);
                      groupFrame = group && at({group->WindowRect().left, group->WindowRect().bottom - 2}) ==
                                                GetSysColor(COLOR_BTNSHADOW);
                  },
                  Key(VK_ESCAPE)});
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(white);
    EXPECT_TRUE(ink) << "the controller's name is drawn in its list";
    EXPECT_TRUE(groupFrame);
    EXPECT_EQ(linesInView, std::vector<int>(kParameters.size(), 1)) << "one-line lists";
}

}  // namespace
