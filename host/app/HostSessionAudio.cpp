// The session's engine sources: the offline render (--render) and live audio (--play,
// --audio-in), kept apart from the session's editor and script handling.
#include "host/app/ComponentLocator.h"
#include "host/app/HostMessages.h"
#include "host/app/HostSession.h"

bool HostSession::OpenRender() {
    if (options_.renderIn.empty()) return true;
    render_ = std::make_unique<OfflineRender>(slot_);
    std::string error;
    if (render_->Open(options_.renderIn, options_.renderOut, &error)) return true;
    Complain(error);
    render_.reset();
    return false;
}

bool HostSession::StartRender() {
    if (!render_) return true;
    if (!render_->Start()) {
        Complain("cannot start the render's timer");
        return false;
    }
    window_->Readout().SetEngine(&render_->Link().Engine());
    return true;
}

bool HostSession::StartLiveAudio() {
    if (options_.playFile.empty() && !options_.audioIn) return true;
    live_ = std::make_unique<LiveAudio>(slot_);
    std::string message;
    if (!options_.playFile.empty() && !live_->LoadLoop(options_.playFile, &message)) {
        Complain(message);
        live_.reset();
        return false;
    }
    if (!live_->Start(options_.audioIn, &message)) {
        Say(message);
        live_.reset();
        return true;
    }
    window_->Readout().SetEngine(&live_->Link()->Engine());
    Say((options_.audioIn ? std::string("processing the audio input live: ") : "playing " + options_.playFile + " in a loop: ") +
        live_->Description());
    return true;
}

void HostSession::FinishRender() {
    if (!render_) return;
    if (!render_->Finish()) {
        Complain(render_->Error());
        exitCode_ = 1;
    } else {
        Say("rendered " + std::to_string(render_->FramesRendered()) + " frames to " + CanonicalPath(options_.renderOut));
    }
    if (window_) window_->Readout().Refresh();
}
