#pragma once
// One run of the host program: picks the desktop (a real window or headless on a virtual clock),
// registers and finds the component, loads it, binds it to the host's effect slot, shows its editor
// in the host window, plays a demo script and takes screenshots, and tears everything down in the
// order the component expects (hide, free, unload). In a window (or when asked) it also restores the
// slot from the session file and saves it at exit, and opens the MIDI input ports.
//
// Owns the effect slot, the editor site, the loaded library, the host window and the script
// player. The component object is the library's; the session frees it before unloading. The
// program has no resources of its own, so it registers no module: the component's stays the
// process's default.
#include <memory>
#include <string>
#include <vector>

#include "host/app/ComponentLibrary.h"
#include "host/app/DemoScript.h"
#include "host/app/EditorSite.h"
#include "host/app/HostOptions.h"
#include "host/app/HostWindow.h"
#include "host/app/LiveAudio.h"
#include "host/app/OfflineRender.h"
#include "host/app/MidiInput.h"
#include "host/app/RtMidiPorts.h"
#include "host/app/ScriptActions.h"
#include "host/app/ScriptPlayer.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/time/Clock.h"

namespace win {
class SdlBackend;
}

class HostSession final : public HostWindow::Listener, public ScriptActions {
public:
    explicit HostSession(HostOptions options);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The program's exit code.
    int Run();

    void OnHostButton(HostButton button) override;
    void OnHostWindowClose() override;
    void OnEditorCloseRequest() override;

    win::Point EditorToScreen(win::Point editorPoint) override;
    win::Point HostButtonOnScreen(HostButton button) override;
    void SetField(BlockField field, unsigned long value) override;
    int ControllerChange(int port, int channel, int controller, int value) override;
    bool RestoreAutomation(BlockField field, int port, int channel, int controller) override;
    void ShowEditor(bool show) override;
    const CEffectsPlugin& Slot() override { return slot_; }
    std::string BindEffect(bool bind) override;
    std::string RefreshEffectAutomation() override;
    std::string SetEditorAlive(bool alive) override;
    bool SaveScreenshot(const std::string& path, std::string* error) override;
    void Print(const std::string& line) override;
    void ScriptEnded(bool quitRequested, const std::string& error) override;

private:
    bool ReadScript(const std::string& path);
    void ChooseDesktop();
    // Picks the scale (asked for, else the screen's density, never larger than the usable area)
    // and where the host window opens.
    void PlaceOnScreen(win::SdlBackend& backend);
    bool RegisterLibrary();
    bool LoadComponent();
    bool OpenEditor();
    // Binds the component object to the slot and the site and opens its editor, shown.
    void CreateEditor();
    void FreeComponent();
    void StartScript();
    void TakeFinalScreenshot();
    void Shutdown();
    void SetEditorShown(bool shown);
    void SendControllerSweep();
    void InitialiseSlot();
    // The engine's sources, in HostSessionAudio.cpp.
    bool OpenRender();
    bool StartRender();
    void FinishRender();
    bool StartLiveAudio();
    // The session file and the MIDI input ports.
    void RestoreSession();
    void SaveSession();
    void OpenMidiInput();
    void CloseMidiInput();

    HostOptions options_;
    bool headless_ = false;
    int screenshotScale_ = 1;
    int windowScale_ = 1;
    win::Point windowOrigin_;
    win::VirtualClock virtualClock_;

    CEffectsPlugin slot_;
    EditorSite site_;
    ComponentLibrary library_;
    CRVGetComponentInterfaceFn getComponent_ = nullptr;
    CRVFreeComponentInterfaceFn freeComponent_ = nullptr;
    IEffectComponent* component_ = nullptr;
    win::HWND editorHandle_ = nullptr;
    bool editorShown_ = false;

    std::unique_ptr<HostWindow> window_;
    std::vector<script::Command> script_;
    std::string scriptName_;
    std::unique_ptr<ScriptPlayer> player_;
    std::unique_ptr<OfflineRender> render_;
    std::unique_ptr<LiveAudio> live_;
    int sweepStep_ = 0;
    std::string sessionPath_;
    std::string sessionNotice_;  // for the status line, where a desktop user sees it
    bool saveSession_ = false;  // a session was restored or started here, and nothing there is lost by a save
    std::unique_ptr<MidiInput> midiInput_;
    std::unique_ptr<RtMidiPorts> midiPorts_;  // feeds midiInput_, so is destroyed before it
    int exitCode_ = 0;
};
