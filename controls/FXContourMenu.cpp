// The "Control Settings" menu of the contour control: opened by a right click on a slider track or
// on the cutoff marker; its commands show the controller assignments or configure the automation of
// the item that was clicked.
#include "controls/ControlOwner.h"
#include "controls/FXContour.h"
#include "controls/FXContourLayout.h"
#include "host/lib/EffectParams.h"
#include "presets/UserPreset.h"
#include "resources/ResourceIds.h"

using namespace win;
using namespace contour;

void CFXContour::OnRButtonDown(UINT flags, Point point) {
    const HWND self = GetSafeHwnd();
    if (TrackRect(kLowX).Contains(point) || TrackRect(kMidX).Contains(point) || TrackRect(kHighX).Contains(point) ||
        cutoffHandle.Contains(point))
        OpenContextMenu(point);
    // The menu's loop may have seen the editor closed.
    if (IsWindow(self)) CFXControlWnd::OnRButtonDown(flags, point);
}

void CFXContour::OpenContextMenu(Point point) {
    menuPoint = point;
    const UINT command = TrackSettingsMenu(point);
    if (command == ID_DISPLAY_AUTOMATION_SETTINGS) ShowControllerSelections(settings);
    else if (command == ID_CONFIGURE_AUTOMATION) ConfigureAutomationFor(AutomationTargetAt(menuPoint));
}

void CFXContour::ConfigureAutomationFor(const AutomationTarget& target) {
    if (!target.assignment) return;
    // A missing record is the configuration's to report. Its dialog runs a loop of its own, in
    // which the editor may have been closed.
    const HWND self = GetSafeHwnd();
    const bool changed = ConfigureAutomation(target.assignment, target.record) != 0;
    if (changed && IsWindow(self) && panel) panel->AutomationChanged();
}

CFXContour::AutomationTarget CFXContour::AutomationTargetAt(Point point) const {
    if (!settings) return {};
    auto target = [&](Parameter parameter) {
        const ParameterInfo& info = Info(parameter);
        return AutomationTarget{&(settings->*info.assignment), paramBlock ? &(paramBlock->*info.record) : nullptr};
    };
    if (TrackRect(kLowX).Contains(point)) return target(Parameter::LowFreq);
    if (TrackRect(kMidX).Contains(point)) return target(Parameter::MidFreq);
    if (TrackRect(kHighX).Contains(point)) return target(Parameter::HighFreq);
    if (cutoffHandle.Contains(point)) return target(Parameter::MidCutoff);
    return {};
}
