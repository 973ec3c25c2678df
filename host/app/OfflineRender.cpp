#include "host/app/OfflineRender.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/time/Clock.h"
#include "platform/window/WindowSystem.h"

namespace {

constexpr win::UINT_PTR kRenderTimer = 1;
constexpr unsigned kTickMs = 10;
constexpr std::size_t kBlockFrames = 512;

}  // namespace

bool OfflineRender::Open(const std::string& in, const std::string& out, std::string* error) {
    out_ = out;
    if (!reader_.Open(in, error)) return false;
    if (!writer_.Open(out, reader_.SampleRate(), reader_.Format(), error)) return false;
    link_ = std::make_unique<SlotEngine>(slot_, reader_.SampleRate());
    block_.resize(2 * kBlockFrames);
    return true;
}

bool OfflineRender::Start() {
    if (!CreateEx(0, nullptr, "Offline render", win::WS_POPUP, win::Rect::FromSize(0, 0, 1, 1), nullptr, 0)) return false;
    startMs_ = win::GetClock().NowMs();
    return SetTimer(kRenderTimer, kTickMs) != 0;
}

void OfflineRender::OnTimer(win::UINT_PTR id) {
    if (id != kRenderTimer) return;
    const std::uint64_t elapsedMs = win::GetClock().NowMs() - startMs_;
    if (!RenderTo(std::int64_t(elapsedMs * std::uint64_t(reader_.SampleRate()) / 1000)) || atEnd_) KillTimer(kRenderTimer);
    if (Failed()) win::PostQuitMessage(1);
}

bool OfflineRender::RenderTo(std::int64_t until) {
    while (!atEnd_ && rendered_ < until) {
        const std::size_t frames = std::size_t(std::min<std::int64_t>(kBlockFrames, until - rendered_));
        const std::int64_t got = reader_.ReadStereo(block_.data(), frames, &error_);
        if (got < 0) return false;
        if (got == 0) {
            atEnd_ = true;
            break;
        }
        link_->Publish();
        link_->Engine().Process(block_.data(), std::size_t(got));
        link_->ReflectClip();
        if (!writer_.WriteStereo(block_.data(), std::size_t(got), &error_)) return false;
        rendered_ += got;
        ShowProgress(false);
    }
    return true;
}

bool OfflineRender::Finish() {
    if (Failed()) return false;
    KillTimer(kRenderTimer);
    if (!RenderTo(reader_.Frames())) return false;
    ShowProgress(true);
    return writer_.Commit(&error_);
}

void OfflineRender::ShowProgress(bool last) {
    if (!isatty(STDERR_FILENO)) return;
    const int percent = int(rendered_ * 100 / std::max<std::int64_t>(1, reader_.Frames()));
    if (percent == shownPercent_ && !last) return;
    shownPercent_ = percent;
    std::fprintf(stderr, "\rkvx4-host: rendering %s %3d%%%s", out_.c_str(), percent, last ? "\n" : "");
    std::fflush(stderr);
}
