#pragma once
// The "MIDI Automation Configuration" dialog (template 183): for one parameter, the MIDI port,
// channel and controller that drive it, or none. Its OK button registers the choice with the host's
// effect slot (reached through the current component) and writes it into `workingAssignment`; both
// of its buttons end the dialog with IDCANCEL, so the opener tells a registration by comparing the
// working assignment with its own. Made, run and destroyed by CFXControlWnd::ConfigureAutomation;
// `record` points into the host's parameter block and is not owned.
#include "platform/window/Dialog.h"
#include "presets/UserPreset.h"
#include "resources/ResourceIds.h"

struct tagMAREG;

class CAutomationConfigDlg : public win::Dialog {
public:
    enum ControlId {
        kOkButton = IDC_AUTOMATION_OK,
        kCancelButton = IDC_AUTOMATION_CANCEL,
        kPortCombo = IDC_AUTOMATION_PORT,
        kChannelCombo = IDC_AUTOMATION_CHANNEL,
        kControllerList = IDC_AUTOMATION_CONTROLLERS,
    };
    static constexpr int kPortCount = 4;
    static constexpr int kChannelCount = 16;

    CAutomationConfigDlg();

    tagMAREG* record = nullptr;
    tagAutomationAssignment workingAssignment{};

protected:
    win::BOOL OnInitDialog() override;
    win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;

private:
    void FillControllerList();
    void FillCombos();
    void OnOkButton();
    void Close();
};
