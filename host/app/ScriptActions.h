#pragma once
// What a demo script asks of the host besides pointer and key input, which the player injects
// itself. Implemented by the host session.
#include <string>

#include "host/app/HostButtons.h"
#include "host/app/ParameterFields.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/base/Geometry.h"

class ScriptActions {
public:
    virtual win::Point EditorToScreen(win::Point editorPoint) = 0;
    virtual win::Point HostButtonOnScreen(HostButton button) = 0;
    virtual void SetField(BlockField field, unsigned long value) = 0;
    // Returns the number of records the controller change reached.
    virtual int ControllerChange(int port, int channel, int controller, int value) = 0;
    virtual bool RestoreAutomation(BlockField field, int port, int channel, int controller) = 0;
    virtual void ShowEditor(bool show) = 0;
    // The slot the host keeps, for the script's checks.
    virtual const CEffectsPlugin& Slot() = 0;
    // The host's operations on the component; each returns an error message, or empty.
    virtual std::string BindEffect(bool bind) = 0;
    virtual std::string RefreshEffectAutomation() = 0;
    virtual std::string SetEditorAlive(bool alive) = 0;
    virtual bool SaveScreenshot(const std::string& path, std::string* error) = 0;
    // A line of the script's own output ("print"), for standard output.
    virtual void Print(const std::string& line) = 0;
    // The script ran out, asked to quit, or failed (error non-empty, naming the line).
    virtual void ScriptEnded(bool quitRequested, const std::string& error) = 0;

protected:
    ~ScriptActions() = default;
};
