#pragma once
// "Save Custom Effects" (template 176): stores the panel's current preset under a typed name, as a
// new room, or over an existing one after the user confirms. The outcome is `saved`, not the end
// code: every way out ends the dialog alike.
#include <string>

#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "presets/UserPresetFile.h"

class CSaveCustomEffectsDlg : public win::Dialog {
public:
    CSaveCustomEffectsDlg();

    // The preset to write; it belongs to the caller and must outlive the dialog.
    void SetPreset(tagUserPreset* preset);

    // The result of the last save or overwrite this opening performed.
    int saved = 0;

protected:
    win::BOOL OnInitDialog() override;
    void OnOK() override;
    win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
    void DoDataExchange(win::DataExchange& dx) override;

private:
    void OnNameChanged();
    bool ConfirmOverwrite();

    char fileName[260] = {};
    win::ControlRef list;
    std::string nameText;
    std::string selectionText;
    CUserPresetFile store;
    tagUserPreset* preset = nullptr;
};
