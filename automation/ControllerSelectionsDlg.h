#pragma once
// "Present Controller Selections" (template 180): shows the MIDI controller that the panel's
// current preset assigns to each automatable parameter, and Reset All, which withdraws every
// registration from the host and clears the preset's assignments. Opened modally by
// CFXControlWnd::ShowControllerSelections; it reaches the host through the current component.
// The preset belongs to the panel and must outlive the dialog; null shows nothing assigned.
#include <array>
#include <string>

#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "presets/ParameterTable.h"

class CControllerSelectionsDlg : public win::Dialog {
public:
    CControllerSelectionsDlg();

    // What a list shows for a controller byte: the long name of its table row, "NOT SELECTED" for
    // 255, and "Controller N" for a byte past the table (123..254), which a preset file or the
    // host's record can hold. Such a byte is still an assignment that Reset All withdraws, so it is
    // named by its number rather than hidden as unassigned.
    static std::string ControllerText(int controller);
    // The id of the parameter's list in the template.
    static int ListId(Parameter parameter);

    tagUserPreset* preset = nullptr;
    // The window that holds the preset. The host may free the editor while this dialog runs (it
    // is owned by the host's window, not the editor's); Reset All then leaves the gone preset alone.
    win::HWND presetOwner = nullptr;

protected:
    win::BOOL OnInitDialog() override;
    void OnOK() override;
    win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
    void DoDataExchange(win::DataExchange& dx) override;

private:
    void OnResetAll();
    // Replaces the one line of the parameter's list.
    void ShowLine(Parameter parameter, const std::string& text);
    tagUserPreset* LivePreset() const;

    std::array<win::ControlRef, kParameters.size()> lists;
};
