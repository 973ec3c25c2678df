#pragma once
// Live audio through RtAudio (PulseAudio, ALSA or JACK, whichever has devices): --play FILE loops
// a sound file, held in memory, through the slot's engine to the default output; --audio-in runs
// the default input through it to the default output. The audio thread only fills and processes
// the buffer; a 10 ms timer on a hidden window of its own publishes the slot's settings and writes
// the clip bit. The slot must outlive it; the destructor stops the stream first.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/app/SlotEngine.h"
#include "platform/window/Window.h"

class RtAudio;

class LiveAudio : public win::Window {
public:
    // Files longer than this are refused rather than loaded whole.
    static constexpr int kLongestLoopSeconds = 30 * 60;

    explicit LiveAudio(CEffectsPlugin& slot);
    ~LiveAudio() override;

    // Reads FILE whole for --play; false with a message for a file that cannot be played.
    bool LoadLoop(const std::string& path, std::string* error);
    // Opens the default output (and input when `fromInput`) and starts the stream. False with a note
    // saying why when no device can be used; the host then runs on without sound.
    bool Start(bool fromInput, std::string* note);
    // "PulseAudio: Built-in Audio at 48000 Hz", for the host's message.
    const std::string& Description() const { return description_; }
    SlotEngine* Link() { return link_.get(); }

protected:
    void OnTimer(win::UINT_PTR id) override;

private:
    static int Callback(void* output, void* input, unsigned frames, double streamTime, unsigned status, void* self);
    bool OpenStream(bool fromInput, std::string* note);

    CEffectsPlugin& slot_;
    std::unique_ptr<RtAudio> audio_;
    std::unique_ptr<SlotEngine> link_;
    std::vector<float> loop_;
    int loopRate_ = 0;
    std::size_t position_ = 0;  // the audio thread's
    int inputChannels_ = 0;
    std::string description_;
};

// Every device of every sound system RtAudio was built with, one per line, or a line saying
// there are none.
std::string ListAudioDevices();
