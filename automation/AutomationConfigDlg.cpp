#include "automation/AutomationConfigDlg.h"

#include <cstdio>

#include "automation/MidiControllerTable.h"
#include "component/CurrentComponent.h"
#include "host/lib/AutomationRecord.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/window/MessageBox.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "resources/ResourceIds.h"

using namespace win;

namespace {

const char* const kPortNames[CAutomationConfigDlg::kPortCount] = {
    "Corvane MidiOut : Port 1", "Corvane MidiOut : Port 2", "Corvane MidiOut : Port 3", "Corvane MidiOut : Port 4"};

// A combo box's selected position as the one byte an assignment keeps: no selection (CB_ERR)
// becomes 255.
BYTE SelectedByte(Window* combo) {
    return static_cast<BYTE>(combo ? combo->SendMessage(CB_GETCURSEL) : CB_ERR);
}

}  // namespace

CAutomationConfigDlg::CAutomationConfigDlg() : Dialog(IDD_AUTOMATION_CONFIG) {}

BOOL CAutomationConfigDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    FillControllerList();
    FillCombos();
    return TRUE;
}

void CAutomationConfigDlg::FillControllerList() {
    Window* list = GetDlgItem(kControllerList);
    if (!list) return;
    list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("No Automation"));
    for (int row = 0; row < kOfferedControllerCount; ++row)
        list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(MidiControllerEntry(row)->longName));
    // The controller byte comes from a preset, which may hold anything. Only an offered row is
    // preselected; the row that is never offered (122) and bytes without a row (123..254) select
    // nothing, so OK asks for a choice instead of registering a controller the user never saw.
    const int controller = workingAssignment.controller;
    if (controller == kControllerNotAssigned) list->SendMessage(LB_SETCURSEL, 0);
    else if (controller < kOfferedControllerCount) list->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(controller + 1));
}

void CAutomationConfigDlg::FillCombos() {
    Window* port = GetDlgItem(kPortCombo);
    Window* channel = GetDlgItem(kChannelCombo);
    if (port)
        for (const char* name : kPortNames) port->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    if (channel)
        for (int number = 1; number <= kChannelCount; ++number) {
            char text[12];
            std::snprintf(text, sizeof text, "%d", number);
            channel->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    if (!record) return;
    // The host's bytes select a line only when they name one; any other value leaves the combo empty.
    const int portIndex = record->port & 0x7F;
    const int channelIndex = record->channel;
    if (port && portIndex < kPortCount) port->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(portIndex));
    if (channel && channelIndex < kChannelCount) channel->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(channelIndex));
}

BOOL CAutomationConfigDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case kOkButton: OnOkButton(); return TRUE;
        case kCancelButton: Close(); return TRUE;
        default: return Dialog::OnCommand(wParam, lParam);
    }
}

void CAutomationConfigDlg::OnOkButton() {
    if (!CurrentComponent()) {
        // Nothing can be registered without a component; keeping the dialog up would only repeat this.
        AfxMessageBox("Sorry, could not map controller.", MB_OK);
        Close();
        return;
    }
    Window* list = GetDlgItem(kControllerList);
    const int position = list ? static_cast<int>(list->SendMessage(LB_GETCURSEL)) : LB_ERR;
    CEffectsPlugin* slot = CurrentEffect();
    // Without a record there is nothing the host could register.
    if (!record) slot = nullptr;
    if (position >= 1) {
        const int controller = position - 1;
        workingAssignment.controller = static_cast<BYTE>(controller);
        workingAssignment.port = SelectedByte(GetDlgItem(kPortCombo));
        workingAssignment.channel = SelectedByte(GetDlgItem(kChannelCombo));
        if (slot) {
            if (slot->IsAutomated(record)) slot->RemoveAutomation(record);
            slot->AddAutomation(record, workingAssignment.port, workingAssignment.channel, controller);
        } else {
            AfxMessageBox("Invalid Effects Interface, Sorry", MB_OK);
            workingAssignment.controller = kControllerNotAssigned;
        }
        Close();
    } else if (position == 0) {
        if (!slot) {
            AfxMessageBox("Invalid Instance pointer sorry", MB_OK);
            return;
        }
        if (slot->IsAutomated(record)) slot->RemoveAutomation(record);
        workingAssignment.controller = kControllerNotAssigned;
        Close();
    } else {
        AfxMessageBox("Please Select a controller first", MB_OK);
    }
}

// Closing goes through WM_CLOSE, so both buttons end the dialog with IDCANCEL as its close box does.
void CAutomationConfigDlg::Close() { PostMessage(WM_CLOSE); }
