#pragma once
// The automation configuration dialog as a user meets it: the real editor through the factory, a
// right click on a control, "Configure Automation..." from its menu, then clicks and keys in the
// dialog. Steps run one by one while the dialog is up; every message box on the way is read and
// answered with Enter.
#include <functional>
#include <string>
#include <vector>

#include "platform/window/Window.h"
#include "resources/ResourceIds.h"
#include "tests/support/EditorFixture.h"

namespace automationtest {

constexpr const char* kCaption = "MIDI Automation Configuration";
constexpr int kOk = IDC_AUTOMATION_OK, kCancel = IDC_AUTOMATION_CANCEL, kPortCombo = IDC_AUTOMATION_PORT,
              kChannelCombo = IDC_AUTOMATION_CHANNEL, kControllerList = IDC_AUTOMATION_CONTROLLERS;

// Panel points on the mixer's fader and on the contour's L and H tracks.
constexpr win::Point kFader{95, 140};
constexpr win::Point kLowTrack{227, 130};
constexpr win::Point kHighTrack{279, 130};

using Step = std::function<void(win::Window& dialog)>;

struct DialogRun {
    int dialogsSeen = 0;
    std::vector<std::string> boxes;  // the painted texts of each message box, joined by '|'
    bool leftOpen = false;           // the steps ran out with the dialog still up
};

class AutomationConfigTest : public testsupport::EditorFixture {
protected:
    void TearDown() override;

    // Runs the steps in the dialog while `open` (which opens it) runs.
    DialogRun Drive(const std::function<void()>& open, std::vector<Step> steps);
    // Right-clicks the panel point and chooses "Configure Automation...".
    DialogRun ConfigureAt(win::Point panelPoint, std::vector<Step> steps);

    // User input inside the dialog.
    static void ClickControl(win::Window& dialog, int id);
    static void ClickListLine(win::Window& dialog, int line);  // scrolls it into view first
    static void ClickComboField(win::Window& dialog, int id);
    static void ClickCloseBox(win::Window& dialog);
    static Step Key(win::UINT vk);
    static Step Click(int id);
    static Step ChooseLine(int line);
    // Focuses the combo box and steps its selection to `line` with Home and Down.
    static Step ChooseComboLine(int id, int line);
    static Step Type(const char* text);
    // Looks at the dialog as it is now.
    static Step Inspect(std::function<void(win::Window&)> look);

    static int SelectedLine(win::Window& dialog, int id);
    static std::vector<std::string> Lines(win::Window& dialog, int id);
};

}  // namespace automationtest
