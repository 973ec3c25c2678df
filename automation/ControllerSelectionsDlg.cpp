#include "automation/ControllerSelectionsDlg.h"

#include <cstring>

#include "automation/MidiControllerTable.h"
#include "component/CurrentComponent.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/window/MessageBox.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "resources/ResourceIds.h"

using namespace win;

namespace {

constexpr const char* kNotSelected = "NOT SELECTED";

}  // namespace

int CControllerSelectionsDlg::ListId(Parameter parameter) {
    switch (parameter) {
        case Parameter::Effect: return IDC_EFFECT_CONTROLLER;
        case Parameter::LowFreq: return IDC_LOWFREQ_CONTROLLER;
        case Parameter::MidFreq: return IDC_MIDFREQ_CONTROLLER;
        case Parameter::HighFreq: return IDC_HIGHFREQ_CONTROLLER;
        case Parameter::MidCutoff: return IDC_MIDCUTOFF_CONTROLLER;
    }
    return 0;
}

CControllerSelectionsDlg::CControllerSelectionsDlg() : Dialog(IDD_CONTROLLER_SELECTIONS) {}

std::string CControllerSelectionsDlg::ControllerText(int controller) {
    if (controller == kControllerNotAssigned) return kNotSelected;
    if (const tagMidiControllerEntry* entry = MidiControllerEntry(controller))
        return std::string(entry->longName, strnlen(entry->longName, sizeof entry->longName));
    return "Controller " + std::to_string(controller);
}

void CControllerSelectionsDlg::DoDataExchange(DataExchange& dx) {
    for (Parameter parameter : kListOrder) DDX_Control(dx, ListId(parameter), lists[static_cast<int>(parameter)]);
}

BOOL CControllerSelectionsDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    for (Parameter parameter : kListOrder)
        lists[static_cast<int>(parameter)].SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kNotSelected));
    if (preset) {
        for (Parameter parameter : kListOrder) {
            const BYTE controller = (preset->*Info(parameter).assignment).controller;
            if (controller != kControllerNotAssigned) ShowLine(parameter, ControllerText(controller));
        }
    }
    return TRUE;
}

void CControllerSelectionsDlg::OnOK() {
    PostMessage(WM_CLOSE);
    Dialog::OnOK();
}

BOOL CControllerSelectionsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_RESET_ALL) {
        OnResetAll();
        return TRUE;
    }
    return Dialog::OnCommand(wParam, lParam);
}

void CControllerSelectionsDlg::OnResetAll() {
    CEffectsPlugin* effect = CurrentEffect();
    if (!effect) return;
    tagEffectParams* block = effect->GetInterface();
    if (!block) {
        AfxMessageBox("Reset Automation Failed", MB_OK);
        return;
    }
    for (Parameter parameter : kResetOrder) {
        tagMAREG* record = &(block->*Info(parameter).record);
        if (effect->IsAutomated(record)) effect->RemoveAutomation(record);
    }
    // Only the controller goes: port and channel stay for the next configuration.
    if (tagUserPreset* live = LivePreset())
        for (const ParameterInfo& info : kParameters) (live->*info.assignment).controller = kControllerNotAssigned;
    for (Parameter parameter : kListOrder) ShowLine(parameter, kNotSelected);
}

tagUserPreset* CControllerSelectionsDlg::LivePreset() const {
    return presetOwner && !IsWindow(presetOwner) ? nullptr : preset;
}

void CControllerSelectionsDlg::ShowLine(Parameter parameter, const std::string& text) {
    const ControlRef& list = lists[static_cast<int>(parameter)];
    list.SendMessage(LB_DELETESTRING, 0);
    list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
