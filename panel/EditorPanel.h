#pragma once
// The editor panel: the one window the user sees, 582 x 408 pixels inside the editor host window.
// It paints the background art and the top row (program name, A/B compare switch, Load, Save, help,
// close), drags the host's window on a press elsewhere, polls the host's parameter block every 300 ms,
// and keeps the current preset with its A and B memories. It owns its two controls and the preset
// chooser popup when they exist; the controls point back at it and into its current preset.
#include <memory>
#include <string_view>

#include "controls/ControlOwner.h"
#include "controls/FXControlWnd.h"
#include "panel/PanelLayout.h"
#include "presets/UserPreset.h"

class CEditorHostWnd;
class CStereoDryMixer;
class CFXContour;
class CPresetChooserDlg;

// Where the preset chooser opens: 25 pixels right of the panel's left edge and 26 below its top,
// pulled back inside the panel when it would stick out to the right or the bottom (screen
// coordinates).
win::Point PresetChooserPosition(const win::Rect& popup, const win::Rect& panel);

// What one poll of the parameter block found, as picture groups for the two controls.
struct PollChanges {
    int contourDirtyMask = 1;
    bool contourReload = false;
    int mixerDirtyMask = 0;  // 0: the mixer is left alone
};

class CEditorPanel : public CFXControlWnd, public IControlOwner {
public:
    static constexpr win::UINT_PTR kPollTimer = 4;
    static constexpr win::UINT kPollPeriod = 300;
    static constexpr const char* kDefaultPatchText = "(0)   Default Patch             ";

    enum PressedButton { kNone = 0, kClose = 1, kHelp = 2, kLoad = 4, kSave = 8, kWindowDrag = 0x800 };

    CEditorPanel();
    ~CEditorPanel() override;

    win::BOOL CreateEx(win::DWORD exStyle, const char* className, const char* windowName, win::DWORD style,
                       const win::Rect& rect, win::Window* parent, win::UINT id, void* createParams = nullptr) override;

    // Services the controls call.
    void FocusMixer() override;
    void FocusContour(bool cutoffHandle) override;
    void DragWindow(int startX, int startY, int currentX, int currentY) override;
    void AutomationChanged() override;
    void ShowPresetChooser();

    // Preset state and the A/B compare.
    void ReadParameters(tagUserPreset* preset);
    void WriteParameters(const tagUserPreset* preset);
    void ApplyPreset(const tagUserPreset* preset);
    PollChanges PollParameters();
    void Rebind();
    void MarkModified() override;
    void ClearModified();
    void CompareToA();
    void CompareToB();
    void LoadUserPreset(int index);
    // The Save and Load buttons: run their dialog on the current preset and take in the outcome.
    void SavePresetToFile();
    void LoadPresetFromFile();
    void PresetSetUp();
    void ReferenceCapture();
    // Starts the poll timer; on failure tells the user, as every start of it does.
    void StartPollTimer();

    int pressedButton = kNone;
    win::Rect closeRect, helpRect, loadRect, saveRect, nameRect, compareARect, compareBRect;
    win::Rect mixerRect = panel::kMixerRect;
    win::Rect contourRect = panel::kContourRect;
    char nameText[260] = {};
    win::Point pressPoint;
    int initialised = 0;
    CEditorHostWnd* owner = nullptr;
    // The controls, owned below; these stay readable where the controls are not (yet) made.
    CStereoDryMixer* mixer = nullptr;
    CFXContour* contour = nullptr;
    CPresetChooserDlg* presetChooser = nullptr;

    tagUserPreset currentPreset{};
    tagUserPreset presetA{};
    tagUserPreset presetB{};
    int edited = 0;
    win::BYTE nameMode = 0;
    int tickCount = 0;
    int captureRequest = 0;

protected:
    void OnPaint() override;
    void OnLButtonDown(win::UINT flags, win::Point point) override;
    void OnLButtonUp(win::UINT flags, win::Point point) override;
    void OnMouseMove(win::UINT flags, win::Point point) override;
    void OnTimer(win::UINT_PTR id) override;

private:
    void FirstPaintSetUp();

    // Declared in reverse so that the mixer, made first, goes first, then the contour and the
    // popup, as when the panel deleted them by hand.
    std::unique_ptr<CPresetChooserDlg> ownedChooser_;
    std::unique_ptr<CFXContour> ownedContour_;
    std::unique_ptr<CStereoDryMixer> ownedMixer_;

    void SetNameText(std::string_view text);
    void RepaintNow(const win::Rect& area);
    void RepaintTopStrip();
    void OpenHelp();
    void ApplyPollToControls(const PollChanges& changes);
};
