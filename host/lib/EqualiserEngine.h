#pragma once
// The host's three-band equaliser: processes interleaved float stereo in blocks at a fixed sample
// rate. The user-interface thread publishes the slot's settings (Publish) and reads the meters
// and the clip hold; the audio thread calls Process, which takes the newest settings once per
// block and never locks, allocates or logs. Every setting glides to its new value over
// kGlideSeconds; bypass passes the input through bit for bit once its fade has run.
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "host/lib/CrossoverFilter.h"
#include "host/lib/EqualiserDesign.h"
#include "host/lib/HostApi.h"
#include "host/lib/SnapshotExchange.h"

namespace eq {

static_assert(std::atomic<float>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the audio thread must never wait for the meters");

class KVX4_HOST_API EqualiserEngine {
public:
    static constexpr double kGlideSeconds = 0.020;
    static constexpr double kClipHoldSeconds = 1.0;
    static constexpr int kChannels = 2;

    // Starts at the given settings without a glide.
    EqualiserEngine(double sampleRate, const EngineSettings& initial);
    EqualiserEngine(const EqualiserEngine&) = delete;
    EqualiserEngine& operator=(const EqualiserEngine&) = delete;

    double SampleRate() const { return sampleRate_; }

    // User-interface thread.
    void Publish(const EngineSettings& settings) { pending_.Publish(settings); }
    // The largest absolute output sample per side since the last call, then zero.
    float TakePeak(Side side) { return peaks_[side].exchange(0.0f, std::memory_order_relaxed); }
    // True from an output sample beyond full scale until kClipHoldSeconds of output after the last.
    bool ClipHeld() const { return clipHeld_.load(std::memory_order_relaxed); }

    // Audio thread: `samples` holds `frames` interleaved left/right pairs, processed in place.
    void Process(float* samples, std::size_t frames);

private:
    // A straight line to the target in a fixed number of samples, ending exactly on it.
    struct Glide {
        double value = 0, target = 0, step = 0;
        int remaining = 0;
        void Start(double to, int samples);
        bool Moving() const { return remaining > 0; }
        void Advance() {
            if (remaining > 0) value = --remaining == 0 ? target : value + step;
        }
    };

    void SetTargets(const EngineSettings& settings, bool immediately);
    void UpdateCrossovers();
    void StoreMeters(float peakLeft, float peakRight);

    double sampleRate_;
    int glideSamples_;
    std::int64_t clipHoldSamples_;
    SnapshotExchange<EngineSettings> pending_;

    Glide gain_[kSideCount][kBandCount];
    Glide lowerLogHz_, upperLogHz_;
    Glide bypassFade_;  // 1 means bypassed
    SvfCoefficients lower_, upper_;
    unsigned coefficientClock_ = 0;
    ThreeBandSplitter splitters_[kChannels];

    std::int64_t samplesSinceClip_;
    std::atomic<float> peaks_[kSideCount] = {};
    std::atomic<bool> clipHeld_{false};
};

}  // namespace eq
