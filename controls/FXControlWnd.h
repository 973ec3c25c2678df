#pragma once
// The common window base of the editor panel and its two custom-drawn controls: their font and
// text colours, the preset file name, the effect slot and parameter block they edit, and the small
// operations that turn keys into value changes and write values into the parameter block.
// The effect slot and the block belong to the host; this window only points at them.
#include <memory>

#include "platform/window/Window.h"
#include "presets/ParameterTable.h"

class CEffectsPlugin;

namespace win { class Font; }

class CFXControlWnd : public win::Window {
public:
    CFXControlWnd();
    ~CFXControlWnd() override;

    // Changes a 0..127 value by a navigation key and invalidates the window when the key applies.
    void StepValue(int* value, win::UINT key);
    // The keys StepValue acts on: only these start from the drawn value when the stored one is out
    // of range, so any other key keeps what the host put there.
    static bool IsStepKey(win::UINT key);
    // Writes the low byte of `value` into the value byte of the parameter's record; nothing without
    // a bound parameter block or for an unknown id.
    void StoreParameter(int value, int parameterId);
    // optionFlags becomes exactly 0x20 for an L switch of 1 plus 0x40 for an R switch of 1.
    void StoreOutputSwitches(const tagUserPreset* preset);
    // The "Control Settings" commands: the controller selections dialog runs modally on the preset.
    void ShowControllerSelections(tagUserPreset* preset);
    // Runs the automation configuration dialog for one parameter; 1 when its OK button registered or
    // removed an assignment other than `assignment`, which then takes it, else 0.
    int ConfigureAutomation(tagAutomationAssignment* assignment, tagMAREG* record);
    // Tracks the "Control Settings" menu at a client point of this window and returns the chosen
    // command, or 0 when it was dismissed or this window did not survive the menu's loop.
    win::UINT TrackSettingsMenu(win::Point client);

    char iniFileName[260];
    win::COLORREF highlightColour;
    win::COLORREF normalColour;
    std::shared_ptr<win::Font> controlFont;
    CEffectsPlugin* effectSlot = nullptr;
    tagEffectParams* paramBlock = nullptr;
};
