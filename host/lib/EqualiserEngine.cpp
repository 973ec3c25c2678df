#include "host/lib/EqualiserEngine.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace eq {

namespace {

// Coefficients follow a gliding crossover in steps this long; tan() per sample buys nothing audible.
constexpr int kCoefficientInterval = 16;
// A NaN or an infinity, or a sample so large that the filters overflow, would stay in their states
// for good; the filters take such samples as silence or as this level.
constexpr double kLargestInput = 1e6;
// Keeps the crossovers below Nyquist at low sample rates.
constexpr double kHighestCrossoverShare = 0.45;

// The filters' states decay towards denormal numbers in long silences, which cost some processors
// a hundred times the work; within Process they count as zero.
class FlushDenormals {
public:
#if defined(__SSE__)
    FlushDenormals() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero); }
    ~FlushDenormals() { _mm_setcsr(saved_); }

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved_;
#endif
};

void RaiseTo(std::atomic<float>& peak, float value) {
    float seen = peak.load(std::memory_order_relaxed);
    while (value > seen && !peak.compare_exchange_weak(seen, value, std::memory_order_relaxed)) {
    }
}

}  // namespace

void EqualiserEngine::Glide::Start(double to, int samples) {
    // Settings arrive again unchanged with every publication; restarting would slow the glide.
    if (to == target && (remaining > 0 || value == to)) return;
    target = to;
    if (samples <= 0) {
        value = to;
        remaining = 0;
        return;
    }
    step = (to - value) / samples;
    remaining = samples;
}

EqualiserEngine::EqualiserEngine(double sampleRate, const EngineSettings& initial)
    : sampleRate_(sampleRate),
      glideSamples_(std::max(1, int(std::lround(sampleRate * kGlideSeconds)))),
      clipHoldSamples_(std::int64_t(std::llround(sampleRate * kClipHoldSeconds))),
      samplesSinceClip_(clipHoldSamples_) {
    SetTargets(initial, true);
    UpdateCrossovers();
}

void EqualiserEngine::SetTargets(const EngineSettings& settings, bool immediately) {
    const int samples = immediately ? 0 : glideSamples_;
    const double highest = sampleRate_ * kHighestCrossoverShare;
    lowerLogHz_.Start(std::log(std::min(settings.lowCrossoverHz, highest)), samples);
    upperLogHz_.Start(std::log(std::min(settings.highCrossoverHz, highest)), samples);
    for (int side = 0; side < kSideCount; ++side)
        for (int band = 0; band < kBandCount; ++band) gain_[side][band].Start(settings.bandGain[side][band], samples);
    bypassFade_.Start(settings.bypass ? 1.0 : 0.0, samples);
}

void EqualiserEngine::UpdateCrossovers() {
    lower_ = SvfCoefficients::At(std::exp(lowerLogHz_.value), sampleRate_);
    upper_ = SvfCoefficients::At(std::exp(upperLogHz_.value), sampleRate_);
}

void EqualiserEngine::Process(float* samples, std::size_t frames) {
    const FlushDenormals flush;
    EngineSettings newest;
    if (pending_.TakeLatest(newest)) SetTargets(newest, false);

    float peak[kSideCount] = {0, 0};
    for (std::size_t frame = 0; frame < frames; ++frame) {
        if (lowerLogHz_.Moving() || upperLogHz_.Moving()) {
            lowerLogHz_.Advance();
            upperLogHz_.Advance();
            const bool arrived = !lowerLogHz_.Moving() && !upperLogHz_.Moving();
            if (arrived || ++coefficientClock_ % kCoefficientInterval == 0) UpdateCrossovers();
        }
        bypassFade_.Advance();
        const bool fullyBypassed = !bypassFade_.Moving() && bypassFade_.value >= 1.0;
        bool frameClipped = false;
        for (int side = 0; side < kSideCount; ++side) {
            float& sample = samples[frame * kChannels + side];
            const double in = std::isfinite(sample) ? std::clamp(double(sample), -kLargestInput, kLargestInput) : 0.0;
            const BandSignals bands = splitters_[side].Tick(in, lower_, upper_);
            Glide* gain = gain_[side];
            for (int band = 0; band < kBandCount; ++band) gain[band].Advance();
            if (!fullyBypassed) {
                const double equalised =
                    gain[kLow].value * bands.low + gain[kMid].value * bands.mid + gain[kHigh].value * bands.high;
                sample = float(equalised + bypassFade_.value * (in - equalised));
            }
            const float magnitude = std::fabs(sample);
            peak[side] = std::max(peak[side], magnitude);
            frameClipped = frameClipped || magnitude > 1.0f;
        }
        if (frameClipped) {
            samplesSinceClip_ = 0;
        } else if (samplesSinceClip_ < clipHoldSamples_) {
            ++samplesSinceClip_;
        }
    }
    StoreMeters(peak[kLeft], peak[kRight]);
}

void EqualiserEngine::StoreMeters(float peakLeft, float peakRight) {
    RaiseTo(peaks_[kLeft], peakLeft);
    RaiseTo(peaks_[kRight], peakRight);
    clipHeld_.store(samplesSinceClip_ < clipHoldSamples_, std::memory_order_relaxed);
}

}  // namespace eq
