// The mixer's "Control Settings" menu, opened by a right click on the upper part of the fader: it
// shows the controller assignments or configures the effect level's automation.
#include "controls/ControlOwner.h"
#include "controls/StereoDryMixer.h"
#include "controls/StereoDryMixerLayout.h"
#include "host/lib/EffectParams.h"
#include "presets/UserPreset.h"

using namespace win;
using namespace mixer;

void CStereoDryMixer::OnRButtonDown(UINT, Point point) {
    SetFocus();
    if (kMenuArea.Contains(point)) ShowSettingsMenu(point);
}

void CStereoDryMixer::ShowSettingsMenu(Point point) {
    menuPoint = point;
    if (const UINT command = TrackSettingsMenu(point)) RunMenuCommand(static_cast<int>(command));
}

void CStereoDryMixer::RunMenuCommand(int command) {
    if (command == kShowAutomationSettings) {
        ShowControllerSelections(settings);
    } else if (command == kConfigureAutomation && settings && kMenuArea.Contains(menuPoint)) {
        // A missing record is the configuration's to report. Its dialog runs a loop of its own, in
        // which the editor may have been closed.
        const HWND self = GetSafeHwnd();
        const bool changed = ConfigureAutomation(&settings->effectAssignment, paramBlock ? &paramBlock->effect : nullptr);
        if (changed && IsWindow(self) && panel) panel->AutomationChanged();
    }
}
