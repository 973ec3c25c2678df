#pragma once
// "Load Custom Settings" (template 177): reads the preset the user picks by name into the caller's
// record. The outcome is `loaded`, not the end code.
#include <string>

#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "presets/UserPresetFile.h"

class CLoadCustomSettingsDlg : public win::Dialog {
public:
    static constexpr const char* kNothingSaved = "No Settings Saved";

    CLoadCustomSettingsDlg();

    // Receives the loaded preset; it belongs to the caller and must outlive the dialog.
    tagUserPreset* preset = nullptr;
    int loaded = 0;

protected:
    win::BOOL OnInitDialog() override;
    void OnOK() override;
    win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
    void DoDataExchange(win::DataExchange& dx) override;

private:
    char fileName[260] = {};
    CUserPresetFile store;
    win::ControlRef list;
    std::string selectionText;
};
