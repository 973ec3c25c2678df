#include "host/app/LiveAudio.h"

#include <alsa/asoundlib.h>
#include <rtaudio/RtAudio.h>

#include <atomic>
#include <span>

#include "host/app/AlsaMessages.h"
#include "host/app/AudioFeeds.h"
#include "host/app/HostMessages.h"
#include "host/app/SoundFile.h"

namespace {

constexpr win::UINT_PTR kPublishTimer = 1;
constexpr unsigned kPublishMs = 10;
constexpr unsigned kBufferFrames = 256;
constexpr int kDefaultRate = 48000;
constexpr std::size_t kReadFrames = 65536;
// Desktop sound servers first; plain ALSA next; JACK only when it is the one with devices.
constexpr RtAudio::Api kApiOrder[] = {RtAudio::LINUX_PULSE, RtAudio::LINUX_ALSA, RtAudio::UNIX_JACK};

// Without this callback RtAudio throws a device's failure on its own thread, which would end the
// program; the user-interface thread reports it instead.
std::atomic<bool> streamFailed{false};
void NoteStreamError(RtAudioError::Type type, const std::string&) {
    if (type != RtAudioError::WARNING && type != RtAudioError::DEBUG_WARNING) streamFailed.store(true);
}

std::vector<RtAudio::Api> CompiledApis() {
    std::vector<RtAudio::Api> compiled, ordered;
    RtAudio::getCompiledApi(compiled);
    for (RtAudio::Api api : kApiOrder)
        if (std::find(compiled.begin(), compiled.end(), api) != compiled.end()) ordered.push_back(api);
    return ordered;
}

// An RtAudio on the first sound system that has a device; null when none has.
std::unique_ptr<RtAudio> OpenSoundSystem() {
    snd_lib_error_set_handler(DropAlsaMessage);
    for (RtAudio::Api api : CompiledApis()) {
        try {
            auto audio = std::make_unique<RtAudio>(api);
            audio->showWarnings(false);
            if (audio->getDeviceCount() > 0) return audio;
        } catch (const RtAudioError&) {
        }
    }
    return nullptr;
}

std::string SystemNames() {
    std::string names;
    for (RtAudio::Api api : CompiledApis()) names += (names.empty() ? "" : ", ") + RtAudio::getApiDisplayName(api);
    return names;
}

}  // namespace

LiveAudio::LiveAudio(CEffectsPlugin& slot) : slot_(slot) {}

LiveAudio::~LiveAudio() {
    if (!audio_) return;
    try {
        if (audio_->isStreamRunning()) audio_->stopStream();
        if (audio_->isStreamOpen()) audio_->closeStream();
    } catch (const RtAudioError&) {
    }
}

bool LiveAudio::LoadLoop(const std::string& path, std::string* error) {
    SoundFileReader reader;
    if (!reader.Open(path, error)) return false;
    if (reader.Frames() > std::int64_t(kLongestLoopSeconds) * reader.SampleRate()) {
        *error = "cannot play " + path + ": longer than " + std::to_string(kLongestLoopSeconds / 60) +
                 " minutes, which --play holds in memory; cut it or use --render";
        return false;
    }
    loop_.assign(std::size_t(2 * reader.Frames()), 0.0f);
    std::size_t frames = 0;
    for (std::int64_t got; (got = reader.ReadStereo(loop_.data() + 2 * frames, std::min<std::size_t>(kReadFrames, loop_.size() / 2 - frames), error)) > 0;)
        frames += std::size_t(got);
    if (frames < loop_.size() / 2) return false;
    loopRate_ = reader.SampleRate();
    return true;
}

bool LiveAudio::Start(bool fromInput, std::string* note) {
    audio_ = OpenSoundSystem();
    if (!audio_) {
        *note = "no audio device found (tried " + SystemNames() + "): running without sound";
        return false;
    }
    if (!OpenStream(fromInput, note)) {
        audio_.reset();
        return false;
    }
    if (!CreateEx(0, nullptr, "Live audio", win::WS_POPUP, win::Rect::FromSize(0, 0, 1, 1), nullptr, 0) ||
        !SetTimer(kPublishTimer, kPublishMs)) {
        *note = "cannot start the audio's timer: running without sound";
        audio_.reset();
        return false;
    }
    try {
        audio_->startStream();
    } catch (const RtAudioError& e) {
        *note = "cannot start the audio stream (" + e.getMessage() + "): running without sound";
        audio_->closeStream();
        audio_.reset();
        return false;
    }
    return true;
}

bool LiveAudio::OpenStream(bool fromInput, std::string* note) {
    try {
        RtAudio::StreamParameters output;
        output.deviceId = audio_->getDefaultOutputDevice();
        output.nChannels = 2;
        const RtAudio::DeviceInfo outputInfo = audio_->getDeviceInfo(output.deviceId);
        if (outputInfo.outputChannels < 2) {
            *note = "the default output \"" + outputInfo.name + "\" has no stereo output: running without sound";
            return false;
        }
        RtAudio::StreamParameters input;
        std::string inputName;
        if (fromInput) {
            input.deviceId = audio_->getDefaultInputDevice();
            const RtAudio::DeviceInfo inputInfo = audio_->getDeviceInfo(input.deviceId);
            if (inputInfo.inputChannels < 1) {
                *note = "no audio input device found: running without sound";
                return false;
            }
            input.nChannels = std::min(2u, inputInfo.inputChannels);
            inputChannels_ = int(input.nChannels);
            inputName = inputInfo.name;
        }
        unsigned rate = loopRate_ ? unsigned(loopRate_) : outputInfo.preferredSampleRate ? outputInfo.preferredSampleRate : kDefaultRate;
        unsigned bufferFrames = kBufferFrames;
        RtAudio::StreamOptions options;
        options.streamName = "kvx4-host";
        audio_->openStream(&output, fromInput ? &input : nullptr, RTAUDIO_FLOAT32, rate, &bufferFrames,
                           &LiveAudio::Callback, this, &options, &NoteStreamError);
        rate = audio_->getStreamSampleRate();
        link_ = std::make_unique<SlotEngine>(slot_, rate);
        description_ = RtAudio::getApiDisplayName(audio_->getCurrentApi()) + ": " +
                       (fromInput ? inputName + " to " : std::string()) + outputInfo.name + " at " + std::to_string(rate) + " Hz";
        if (loopRate_ && int(rate) != loopRate_)
            description_ += " (the file's " + std::to_string(loopRate_) + " Hz is not available: it plays at the wrong pitch)";
        return true;
    } catch (const RtAudioError& e) {
        *note = "cannot open the audio device (" + e.getMessage() + "): running without sound";
        return false;
    }
}

int LiveAudio::Callback(void* output, void* input, unsigned frames, double, unsigned, void* self) {
    auto& live = *static_cast<LiveAudio*>(self);
    float* stereo = static_cast<float*>(output);
    if (live.inputChannels_ > 0 && input)
        CopyInputAsStereo(static_cast<const float*>(input), live.inputChannels_, stereo, frames);
    else
        FillFromLoop(std::span<const float>(live.loop_), live.position_, stereo, frames);
    live.link_->Engine().Process(stereo, frames);
    return 0;
}

void LiveAudio::OnTimer(win::UINT_PTR id) {
    if (id != kPublishTimer || !link_) return;
    link_->Publish();
    link_->ReflectClip();
    if (streamFailed.exchange(false)) {
        Say("the audio device failed (" + description_ + "): running without sound");
        KillTimer(kPublishTimer);
    }
}

std::string ListAudioDevices() {
    snd_lib_error_set_handler(DropAlsaMessage);
    std::string list;
    for (RtAudio::Api api : CompiledApis()) {
        try {
            RtAudio audio(api);
            audio.showWarnings(false);
            const unsigned count = audio.getDeviceCount();
            const unsigned defaultOutput = count ? audio.getDefaultOutputDevice() : 0;
            const unsigned defaultInput = count ? audio.getDefaultInputDevice() : 0;
            for (unsigned i = 0; i < count; ++i) {
                const RtAudio::DeviceInfo info = audio.getDeviceInfo(i);
                if (!info.probed) continue;
                list += RtAudio::getApiDisplayName(api) + " " + std::to_string(i) + ": " + info.name + " (" +
                        std::to_string(info.outputChannels) + " out, " + std::to_string(info.inputChannels) + " in, " +
                        std::to_string(info.preferredSampleRate) + " Hz)";
                if (i == defaultOutput && info.outputChannels) list += " [default output]";
                if (i == defaultInput && info.inputChannels) list += " [default input]";
                list += "\n";
            }
        } catch (const RtAudioError&) {
        }
    }
    if (list.empty()) list = "no audio devices found (tried " + SystemNames() + ")\n";
    return list;
}
