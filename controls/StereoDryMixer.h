#pragma once
// The stereo dry mixer: the left-hand strip of the panel with the effect level fader, its meter and
// readout, the L and R output switches and the clip light. Edits go at once into the host's
// parameter block and the panel's current preset. Made and owned by the panel; `panel` and
// `settings` point back into it. It owns its off-screen picture (backBitmap in backDC), made at the
// first paint; each paint redraws the picture groups named in dirtyMask and copies the whole picture
// to the screen. Mouse and keys live in StereoDryMixer.cpp, the settings menu in
// StereoDryMixerMenu.cpp, drawing in StereoDryMixerDrawing.cpp.
#include <memory>

#include "controls/FXControlWnd.h"
#include "controls/OffscreenPicture.h"
#include "platform/base/Geometry.h"

class IControlOwner;
namespace win {
class Bitmap;
class DC;
}

class CStereoDryMixer : public CFXControlWnd, public OffscreenPicture {
public:
    struct Switch {
        win::Rect rect;
        int pressed = 0;
    };

    enum DragMode { kIdle = 0, kDragKnob = 3, kDragWindow = 2048 };
    // Only the value kSelected is ever tested.
    enum Selection { kUnselected = 0, kSelected = 2, kDeselected = 8 };
    // Picture groups of dirtyMask; the clip light and its label are drawn at every paint.
    enum Dirty { kNothingPending = 1, kFaderGroup = 0x04, kBackground = 0x10, kSwitches = 0x20, kEverything = 0x34 };
    enum MenuCommand { kShowAutomationSettings = 32845, kConfigureAutomation = 32850 };

    CStereoDryMixer();
    ~CStereoDryMixer() override;

    void Attach(tagEffectParams* block, CEffectsPlugin* effect);
    void Publish();
    void Refresh();
    // The Tab walk arrives here: the fader is selected and the control takes the keyboard focus.
    void TakeKeyboard();

    win::BOOL PreTranslateMessage(win::MSG* msg) override;

    int dragMode = kIdle;
    int selection = kUnselected;
    int dirtyMask = 0;
    IControlOwner* panel = nullptr;
    tagUserPreset* settings = nullptr;
    Switch switches[2];
    win::Rect knobRect;
    int knobRef = 0;
    int grabOffset = 0;
    win::Point pressPoint;
    win::Point menuPoint;
    bool clipLit = false;

protected:
    void OnPaint() override;
    void OnLButtonDown(win::UINT flags, win::Point point) override;
    void OnLButtonUp(win::UINT flags, win::Point point) override;
    void OnMouseMove(win::UINT flags, win::Point point) override;
    void OnKeyDown(win::UINT key, win::UINT repeat, win::UINT flags) override;
    void OnKillFocus(win::Window* newFocus) override;
    void OnRButtonDown(win::UINT flags, win::Point point) override;

private:
    // Drawing (StereoDryMixerDrawing.cpp).
    void MakeBackBuffer();
    void DrawPicture();
    // Interaction.
    void AddDirty(int groups);
    void RepaintNow();
    void SetLevel(int level);
    void MarkPanelModified();
    void ToggleSwitch(int index);
    void ShowSettingsMenu(win::Point point);
    void RunMenuCommand(int command);

    // The pointer row of the last knob move that was acted on; moves that keep the row are skipped.
    int lastDragY_ = 0;
};
