#include "host/app/HostSession.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "host/app/ComponentLocator.h"
#include "host/app/HelpOpener.h"
#include "host/app/HostMessages.h"
#include "host/app/ScriptFile.h"
#include "host/app/SessionFile.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/HeadlessBackend.h"
#include "platform/desktop/ScreenMapping.h"
#include "platform/desktop/SdlBackend.h"
#include "platform/kernel/ErrorMessage.h"
#include "platform/shell/ShellExecute.h"
#include "platform/window/WindowSystem.h"

namespace {

constexpr const char* kTitle = "KVX4 Host \u2014 DU Dazaro Veruvur (KVX4)";
constexpr int kSweep[] = {32, 64, 96, 127, 0};
// The script files a headless run falls back to, relative to the executable's directory: an
// installed layout first, then the source tree above a build directory's bin/.
constexpr const char* kDefaultScriptPlaces[] = {"../share/kvx4/default.kvx4script", "../../demo/default.kvx4script",
                                                "../demo/default.kvx4script"};

// Room for the window manager's title bar and borders around the host window.
constexpr win::Size kFrameAllowance{16, 48};

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* value = std::getenv(name); value && *value) return true;
    return false;
}

// "DISPLAY=:7" (and the Wayland display when one is named), for messages.
std::string DisplayNames() {
    std::string names;
    for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"})
        if (const char* value = std::getenv(name); value && *value)
            names += (names.empty() ? "" : " or ") + std::string(name) + "=" + value;
    return names;
}

std::string FindDefaultScript() {
    const std::string exeDir = ExecutableDirectory();
    for (const char* place : kDefaultScriptPlaces) {
        std::string candidate = exeDir + "/" + place;
        if (std::ifstream(candidate).good()) return CanonicalPath(candidate);
    }
    if (std::ifstream("demo/default.kvx4script").good()) return CanonicalPath("demo/default.kvx4script");
    return {};
}

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

}  // namespace

HostSession::HostSession(HostOptions options)
    : options_(std::move(options)), site_([this] {
          // The editor asks from inside its own click handling; act once that call has returned.
          if (window_) window_->PostEditorCloseRequest();
      }) {}

HostSession::~HostSession() { Shutdown(); }

int HostSession::Run() {
    if (options_.help) {
        std::fputs(HostHelpText().c_str(), stdout);
        return 0;
    }
    if (options_.version) {
        std::fputs(HostVersionText().c_str(), stdout);
        return 0;
    }
    if (options_.list) {
        if (options_.registerLibrary && !RegisterLibrary()) return 1;
        auto components = ListRegisteredEffects();
        if (std::string problem = RegistryStoreProblem(); components.empty() && !problem.empty()) {
            Complain(problem);
            return 1;
        }
        if (components.empty()) Say(std::string("no effect components registered under HKEY_CURRENT_USER\\") + kEffectsKeyPath);
        for (const auto& [name, path] : components) std::printf("%s = %s\n", name.c_str(), path.c_str());
        return 0;
    }
    if (options_.listAudio) {
        std::fputs(ListAudioDevices().c_str(), stdout);
        return 0;
    }
    if (!options_.script.empty() && !ReadScript(options_.script)) return 2;
    // A render plays on the virtual clock, so it takes only the time the processing takes.
    if (!options_.renderIn.empty()) options_.headless = true;

    ChooseDesktop();
    if (headless_ && options_.script.empty()) {
        std::string fallback = FindDefaultScript();
        if (fallback.empty()) Say("no demo script given or found (demo/default.kvx4script); showing the opening state");
        else if (!ReadScript(fallback)) return 2;
    }

    if (options_.registerLibrary && !RegisterLibrary()) return 1;
    if (!LoadComponent()) return 1;
    InitialiseSlot();
    RestoreSession();
    if (!OpenRender()) return 1;
    if (!OpenEditor()) return 1;
    if (!sessionNotice_.empty()) window_->SetStatus(sessionNotice_);
    if (!StartRender() || !StartLiveAudio()) return 1;
    OpenMidiInput();
    StartScript();

    if (!headless_) Say("window open at scale " + std::to_string(windowScale_) + "; close it to end the program");
    const std::uint64_t start = win::GetClock().NowMs();
    win::RunMessageLoop();
    if (headless_)
        Say("script ran " + std::to_string(player_ ? player_->CommandsRun() : 0) + " commands in " +
            std::to_string(win::GetClock().NowMs() - start) + " ms of virtual time");
    FinishRender();
    CloseMidiInput();
    SaveSession();
    TakeFinalScreenshot();
    Shutdown();
    return exitCode_;
}

bool HostSession::ReadScript(const std::string& path) {
    ScriptFileText file = ReadScriptFile(path);
    if (!file.Ok()) {
        Complain(file.error);
        return false;
    }
    script::ParseResult parsed = script::Parse(file.text, path);
    for (const std::string& error : parsed.errors) Complain(error);
    if (!parsed.Ok()) return false;
    script_ = std::move(parsed.commands);
    scriptName_ = path;
    return true;
}

void HostSession::ChooseDesktop() {
    win::Desktop& desktop = win::Desktop::Instance();
    if (!options_.headless) {
        if (!HasDisplay()) {
            Say("no display ($DISPLAY and $WAYLAND_DISPLAY are not set): running headless");
        } else {
            std::string error;
            if (auto backend = win::SdlBackend::Create(&error)) {
                PlaceOnScreen(*backend);
                desktop.SetBackend(std::move(backend));
                return;
            }
            Say("no window on " + DisplayNames() + ": " + error + "; running headless");
        }
    }
    headless_ = true;
    screenshotScale_ = std::max(1, options_.scale);
    desktop.SetSize(HostWindow::OuterSize());
    // Before any window or timer exists, so that every timer runs on the same clock.
    win::SetClock(&virtualClock_);
    desktop.SetBackend(std::make_unique<win::HeadlessBackend>());
}

void HostSession::PlaceOnScreen(win::SdlBackend& backend) {
    const win::Rect usable = backend.UsableArea();
    const int wanted = options_.scale ? options_.scale : win::ScaleForDensity(backend.Density());
    // The host window, and beside it to the right the floating editor's.
    const win::Size outer = HostWindow::OuterSize(options_.floatEditor);
    const win::Size whole = options_.floatEditor ? win::Size{outer.cx + HostWindow::kFloatingGap + EditorArea::kSize.cx,
                                                             std::max(outer.cy, EditorArea::kSize.cy)}
                                                 : outer;
    const int scale = win::FittingScale(usable.GetSize(), whole, kFrameAllowance, wanted);
    if (scale < wanted)
        Say("scale " + std::to_string(wanted) + " would make the window larger than the screen's usable area (" +
            std::to_string(usable.Width()) + " x " + std::to_string(usable.Height()) + "): using scale " +
            std::to_string(scale));
    windowScale_ = scale;
    const win::ScreenMapping mapping{usable, scale};
    backend.SetMapping(mapping);
    const win::Size desktop = mapping.DesktopSize();
    win::Desktop::Instance().SetSize(desktop);
    windowOrigin_ = {std::max(0, (desktop.cx - whole.cx) / 2), std::max(0, (desktop.cy - whole.cy) / 2)};
}

bool HostSession::RegisterLibrary() {
    const std::string path = CanonicalPath(options_.library.empty() ? DefaultLibraryPath() : options_.library);
    std::string error;
    if (!RegisterComponentLibrary(path, &error)) {
        Complain("cannot register the component: " + error);
        return false;
    }
    LocatedComponent registered = FindRegisteredComponent();
    if (!registered.Found()) {
        // The component's registration does not report a failed write; the store knows why.
        const std::string problem = RegistryStoreProblem();
        Complain("cannot register the component: " +
                 (problem.empty() ? "DllRegisterComponent wrote no value: " + registered.error : problem));
        return false;
    }
    Say(std::string("registered \"") + kComponentDisplayName + "\" = " + registered.path);
    return true;
}

bool HostSession::LoadComponent() {
    std::string path = options_.library;
    if (path.empty()) {
        LocatedComponent located = FindRegisteredComponent();
        if (!located.Found()) {
            Complain(located.error);
            return false;
        }
        path = located.path;
    }
    std::string error;
    if (!library_.Open(path, &error)) {
        Complain(error);
        return false;
    }
    getComponent_ = reinterpret_cast<CRVGetComponentInterfaceFn>(library_.Symbol("CRVGetComponentInterface", &error));
    if (getComponent_)
        freeComponent_ = reinterpret_cast<CRVFreeComponentInterfaceFn>(library_.Symbol("CRVFreeComponentInterface", &error));
    if (!getComponent_ || !freeComponent_) {
        Complain(error);
        return false;
    }
    component_ = static_cast<IEffectComponent*>(getComponent_(kEffectsCategory));
    if (!component_) {
        Complain(path + ": CRVGetComponentInterface(" + Hex(kEffectsCategory) + ") returned no component");
        return false;
    }
    Say("loaded " + path + " (kind " + std::to_string(component_->GetKind()) + ", revision " +
        Hex(static_cast<unsigned>(component_->GetRevision())) + ")");
    return true;
}

void HostSession::InitialiseSlot() {
    // A mixer slot as the engine would hand it over: levels mid-way, both outputs on.
    SetFieldFromHost(slot_, BlockField::Effect, 100);
    for (BlockField band : {BlockField::LowFreq, BlockField::MidFreq, BlockField::HighFreq, BlockField::MidCutoff})
        SetFieldFromHost(slot_, band, 64);
    SetFieldFromHost(slot_, BlockField::OptionFlags, OPTION_LEFT_OUT | OPTION_RIGHT_OUT);
    slot_.SetAutomationObserver([this](const CEffectsPlugin&) {
        if (window_) window_->Readout().Refresh();
    });
}

void HostSession::RestoreSession() {
    // Headless runs are demos and tests that must start from the same fresh slot every time.
    if (options_.noSession || (headless_ && options_.session.empty())) return;
    sessionPath_ = options_.session.empty() ? DefaultSessionPath() : options_.session;
    SessionLoad load = LoadSessionFile(sessionPath_);
    saveSession_ = load.outcome != SessionLoad::Outcome::Unreadable;
    switch (load.outcome) {
        case SessionLoad::Outcome::Missing: Say("new session; it will be saved to " + sessionPath_); return;
        case SessionLoad::Outcome::SetAside:
        case SessionLoad::Outcome::Unreadable:
            Complain(load.message);
            sessionNotice_ = load.outcome == SessionLoad::Outcome::SetAside
                                 ? "The session file was damaged and is kept beside it as .damaged; starting fresh."
                                 : "The session file cannot be read; starting fresh, and it stays as it is.";
            return;
        case SessionLoad::Outcome::Restored: break;
    }
    for (std::size_t i = 0; i < SessionState::kFieldCount; ++i)
        SetFieldFromHost(slot_, static_cast<BlockField>(i), load.state.values[i]);
    // As a host restores a saved song: the same path as the scripts' automate command.
    for (const SessionState::Registration& r : load.state.registrations)
        RestoreAutomation(r.field, r.port, r.channel, r.controller);
    Say("session restored from " + sessionPath_);
}

void HostSession::SaveSession() {
    if (!saveSession_) return;
    saveSession_ = false;
    std::string error;
    if (!SaveSessionFile(sessionPath_, CaptureSession(slot_), &error)) {
        Complain(error);
        exitCode_ = exitCode_ ? exitCode_ : 1;
        return;
    }
    Say("session saved to " + sessionPath_);
}

void HostSession::OpenMidiInput() {
    // A headless run plays on a virtual clock, where live input means nothing unless asked for.
    if (options_.noMidi || (headless_ && options_.midiIn.empty())) return;
    midiInput_ = std::make_unique<MidiInput>(
        [this](int port, int channel, int controller, int value) { ControllerChange(port, channel, controller, value); });
    std::string error;
    std::vector<std::string> warnings;
    if (midiInput_->Start()) midiPorts_ = RtMidiPorts::Open(*midiInput_, options_.midiIn, &error, &warnings);
    else error = "cannot start the poll timer";
    for (const std::string& warning : warnings) Complain(warning);
    if (!midiPorts_) {
        Say("no MIDI input (" + error + "); the host runs on without it (MIDI input needs the ALSA sequencer, "
            "/dev/snd/seq: load the snd-seq kernel module)");
        midiInput_.reset();
        return;
    }
    std::string ports;
    for (const std::string& line : midiPorts_->Describe()) ports += (ports.empty() ? "" : ", ") + line;
    Say("MIDI input ports: " + ports);
}

void HostSession::CloseMidiInput() {
    midiPorts_.reset();
    midiInput_.reset();
}

bool HostSession::OpenEditor() {
    window_ = std::make_unique<HostWindow>(slot_);
    if (!window_->Create(kTitle, windowOrigin_, this, options_.floatEditor && !headless_)) {
        Complain("cannot create the host window");
        return false;
    }
    win::SetShellOpener(MakeHelpOpener(win::DefaultShellOpener(), [this](const std::string& message) {
        Complain(message);
        if (window_) window_->SetStatus("No opener for the help document: see the terminal.");
    }));
    CreateEditor();
    win::PumpMessages();
    return true;
}

void HostSession::CreateEditor() {
    // The order the component expects: slot, site, editor, show.
    component_->SetEffect(&slot_);
    component_->SetEditorSite(&site_);
    editorHandle_ = component_->CreateEditor(window_->Editor().GetSafeHwnd());
    if (!editorHandle_) Complain("the component created no editor window; carrying on with the readout only");
    SetEditorShown(true);
    window_->SetStatus(editorHandle_ ? "Editor open." : "The component created no editor window.");
}

void HostSession::FreeComponent() {
    if (!component_) return;
    if (editorHandle_) component_->ShowEditor(false);
    freeComponent_(component_);
    component_ = nullptr;
    editorHandle_ = nullptr;
}

void HostSession::StartScript() {
    if (script_.empty() && !headless_) return;
    player_ = std::make_unique<ScriptPlayer>(std::move(script_), scriptName_, *this);
    if (!player_->Start()) {
        Complain("cannot start the script");
        exitCode_ = 1;
        win::PostQuitMessage(1);
    }
}

void HostSession::TakeFinalScreenshot() {
    if (!window_ || (!headless_ && !options_.screenshotGiven)) return;
    std::string error;
    if (!SaveScreenshot(options_.screenshot, &error)) {
        Complain(error);
        exitCode_ = 1;
    }
}

void HostSession::Shutdown() {
    CloseMidiInput();
    FreeComponent();
    win::SetShellOpener({});
    if (options_.printCalls && !slot_.CallLog().Calls().empty()) {
        Say("calls the editor made on the effect slot:");
        for (const std::string& call : slot_.CallLog().Texts()) std::printf("  %s\n", call.c_str());
        options_.printCalls = false;
    }
    slot_.SetAutomationObserver(nullptr);
    player_.reset();
    if (window_) window_->Readout().SetEngine(nullptr);
    live_.reset();
    render_.reset();
    window_.reset();
    library_.Close();
    if (win::Desktop::Instance().Backend()) win::Desktop::Instance().SetBackend(nullptr);
    if (headless_) win::SetClock(nullptr);
}

void HostSession::SetEditorShown(bool shown) {
    editorShown_ = shown;
    if (editorHandle_) component_->ShowEditor(shown);
    EditorArea& area = window_->Editor();
    if (!component_) area.SetNote("The editor was destroyed \u2014 a script's \u201ceditor create\u201d makes a new one");
    else if (!shown) area.SetNote("Editor hidden \u2014 \u201cShow editor\u201d brings it back");
    else if (!editorHandle_) area.SetNote("The component created no editor window");
    else area.SetNote("");
    window_->SetButtonText(HostButton::Editor, shown ? "Hide editor" : "Show editor");
}

void HostSession::OnHostButton(HostButton button) {
    switch (button) {
        case HostButton::Editor:
            SetEditorShown(!editorShown_);
            window_->SetStatus(editorShown_ ? "Editor shown." : "Editor hidden.");
            break;
        case HostButton::Clip: {
            const tagEffectParams* block = slot_.GetInterface();
            if (!block) break;
            slot_.SetStatusFlags(block->statusFlags ^ STATUS_CLIP);
            window_->SetStatus(block->statusFlags & STATUS_CLIP ? "Clip bit set by the host."
                                                                : "Clip bit cleared by the host.");
            break;
        }
        case HostButton::MidiCc: SendControllerSweep(); break;
        case HostButton::Presets: {
            tagEffectParams* block = slot_.GetInterface();
            if (!block) break;
            block->presetsAvailable = block->presetsAvailable ? 0 : 1;
            window_->SetStatus(block->presetsAvailable ? "User presets available." : "User presets unavailable.");
            break;
        }
    }
    window_->Readout().Refresh();
}

void HostSession::SendControllerSweep() {
    std::vector<AutomationRegistration> registrations = slot_.Registrations();
    if (registrations.empty()) {
        window_->SetStatus("No automation yet: right-click a control in the editor to assign a controller.");
        return;
    }
    const int value = kSweep[sweepStep_++ % std::size(kSweep)];
    std::set<std::tuple<int, int, int>> sent;
    std::string text;
    for (const AutomationRegistration& r : registrations) {
        if (!sent.insert({r.port, r.channel, r.controller}).second) continue;
        slot_.ApplyControllerMessage(r.port, r.channel, r.controller, value);
        if (!text.empty()) text += ", ";
        text += std::to_string(r.port) + "/" + std::to_string(r.channel) + "/" + std::to_string(r.controller);
    }
    window_->SetStatus("Sent controller " + text + " = " + std::to_string(value) + ".");
}

void HostSession::OnHostWindowClose() { win::PostQuitMessage(exitCode_); }

void HostSession::OnEditorCloseRequest() {
    SetEditorShown(false);
    window_->SetStatus("The editor asked to close.");
}

win::Point HostSession::EditorToScreen(win::Point editorPoint) {
    return window_->Editor().ClientOriginOnScreen() + editorPoint;
}

win::Point HostSession::HostButtonOnScreen(HostButton button) { return window_->ButtonCenterOnScreen(button); }

void HostSession::SetField(BlockField field, unsigned long value) {
    SetFieldFromHost(slot_, field, value);
    window_->Readout().Refresh();
}

int HostSession::ControllerChange(int port, int channel, int controller, int value) {
    int reached = slot_.ApplyControllerMessage(port, channel, controller, value);
    window_->SetStatus("Controller " + std::to_string(port) + "/" + std::to_string(channel) + "/" +
                       std::to_string(controller) + " = " + std::to_string(value) + " reached " +
                       std::to_string(reached) + (reached == 1 ? " record." : " records."));
    window_->Readout().Refresh();
    return reached;
}

bool HostSession::RestoreAutomation(BlockField field, int port, int channel, int controller) {
    tagEffectParams* block = slot_.GetInterface();
    tagMAREG* record = block ? FieldRecord(*block, field) : nullptr;
    if (!record) return false;
    // The host's own doing, not the editor's: it stays out of the editor's call log.
    const bool logging = slot_.CallLog().Enabled();
    slot_.CallLog().SetEnabled(false);
    const int added = slot_.AddAutomation(record, port, channel, controller);
    slot_.CallLog().SetEnabled(logging);
    return added != 0;
}

void HostSession::ShowEditor(bool show) { SetEditorShown(show); }

bool HostSession::SaveScreenshot(const std::string& path, std::string* error) {
    window_->Readout().Refresh();
    win::DWORD failure = 0;
    if (!win::Desktop::Instance().SaveScreenshot(path, screenshotScale_, &failure)) {
        *error = "cannot write screenshot " + path + ": " + win::ErrorMessage(failure);
        return false;
    }
    Say("screenshot written to " + CanonicalPath(path));
    return true;
}

std::string HostSession::BindEffect(bool bind) {
    if (!component_) return "there is no component object (after \"editor destroy\")";
    component_->SetEffect(bind ? &slot_ : nullptr);
    window_->SetStatus(bind ? "SetEffect: the slot is bound again." : "SetEffect: no slot.");
    return {};
}

std::string HostSession::RefreshEffectAutomation() {
    if (!component_) return "there is no component object (after \"editor destroy\")";
    component_->RefreshEffectAutomation(&slot_);
    window_->Readout().Refresh();
    return {};
}

std::string HostSession::SetEditorAlive(bool alive) {
    if (alive == (component_ != nullptr)) return alive ? "the editor already exists" : "the editor is already destroyed";
    if (!alive) {
        FreeComponent();
        SetEditorShown(false);
        window_->SetStatus("Component object freed.");
        return {};
    }
    component_ = static_cast<IEffectComponent*>(getComponent_(kEffectsCategory));
    if (!component_) return "CRVGetComponentInterface(" + Hex(kEffectsCategory) + ") returned no component";
    CreateEditor();
    return {};
}

void HostSession::Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void HostSession::ScriptEnded(bool quitRequested, const std::string& error) {
    if (!error.empty()) {
        Complain(error);
        exitCode_ = 1;
        win::PostQuitMessage(exitCode_);
        return;
    }
    if (!headless_ && !quitRequested) {
        window_->SetStatus("Script finished.");
        return;
    }
    if (!quitRequested && win::WindowSystem::Instance().modalDepth > 0) {
        win::Window* active = win::WindowSystem::Instance().Active();
        Complain(scriptName_ + ": the script ended while a modal window is open (\"" +
                 (active ? active->GetWindowText() : std::string()) + "\"); answer it before the end");
        exitCode_ = 1;
    }
    win::PostQuitMessage(exitCode_);
}
