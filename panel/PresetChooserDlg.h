#pragma once
// The preset chooser (template 221): a caption-less popup list of the user presets in KVX4.ini that
// drops down below the panel's program name field. The panel makes it once, hidden, and shows it for
// each use; it fills itself at every showing, hands the chosen list position to the panel's
// LoadUserPreset and hides itself on a choice, on Escape and when its list loses the focus.
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"

class CEditorPanel;
struct tagEffectParams;

class CPresetChooserDlg : public win::Dialog {
public:
    static constexpr const char* kTitle = "Choose Reverb Preset";
    static constexpr const char* kPlaceholder = "Sorry no Presets available";
    // The close box at the right end of the title strip, in client coordinates.
    static constexpr win::Rect kCloseBox{270, 0, 290, 14};

    CPresetChooserDlg();
    ~CPresetChooserDlg() override;

    win::ControlRef presetList;
    CEditorPanel* panel = nullptr;
    int chosenIndex = 0;
    bool chosen = false;
    bool skipSelChange = false;
    tagEffectParams* paramBlock = nullptr;

protected:
    win::BOOL PreTranslateMessage(win::MSG* msg) override;
    void DoDataExchange(win::DataExchange& dx) override;
    win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
    void OnShowWindow(win::BOOL show, win::UINT status) override;
    void OnLButtonDown(win::UINT flags, win::Point point) override;

private:
    void Fill();
    void ReportAndClose();
    void CloseWithoutChoice();
};
