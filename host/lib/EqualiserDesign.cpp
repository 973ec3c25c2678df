#include "host/lib/EqualiserDesign.h"

#include <algorithm>
#include <cmath>

#include "platform/kernel/MulDiv.h"

namespace eq {

namespace {

constexpr int kGraphLeftX = 110;
constexpr int kGraphDecadesWidth = 255;  // three decades
constexpr double kGraphLeftHz = 16.0;
constexpr int kCutoffTravel = 170;
constexpr int kTopValue = 127;
constexpr int kZeroDbValue = 64;
constexpr double kRangeDb = 18.0;

int Clamped(int value) { return std::clamp(value, 0, kTopValue); }

}  // namespace

double GraphFrequency(int x) {
    return kGraphLeftHz * std::pow(1000.0, double(x - kGraphLeftX) / kGraphDecadesWidth);
}

int LowCrossoverX(int midCutoff) { return kHighCrossoverX - win::MulDiv(Clamped(midCutoff), kCutoffTravel, kTopValue); }

double LowCrossoverHz(int midCutoff) { return GraphFrequency(LowCrossoverX(midCutoff)); }

double HighCrossoverHz() { return GraphFrequency(kHighCrossoverX); }

double BandGainDb(int value) {
    const int v = Clamped(value);
    if (v >= kZeroDbValue) return kRangeDb * (v - kZeroDbValue) / (kTopValue - kZeroDbValue);
    return kRangeDb * (v - kZeroDbValue) / kZeroDbValue;
}

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

double EffectMix(int value) { return double(Clamped(value)) / kTopValue; }

EngineSettings SettingsFromBlock(const tagEffectParams& block, bool bypass) {
    EngineSettings settings;
    settings.lowCrossoverHz = LowCrossoverHz(block.midCutoff.value);
    settings.highCrossoverHz = HighCrossoverHz();
    settings.bypass = bypass;
    const double bandGain[kBandCount] = {DbToGain(BandGainDb(block.lowFreq.value)),
                                         DbToGain(BandGainDb(block.midFreq.value)),
                                         DbToGain(BandGainDb(block.highFreq.value))};
    const double mix = EffectMix(block.effect.value);
    const bool sideOn[kSideCount] = {(block.optionFlags & OPTION_LEFT_OUT) != 0,
                                     (block.optionFlags & OPTION_RIGHT_OUT) != 0};
    // The three bands at unity sum to the input through the crossovers' all-pass, which is the dry
    // signal the mixer blends with; so the mix is a per-band gain and never comb-filters.
    for (int side = 0; side < kSideCount; ++side) {
        const double wet = sideOn[side] ? mix : 0.0;
        for (int band = 0; band < kBandCount; ++band)
            settings.bandGain[side][band] = float(1.0 + wet * (bandGain[band] - 1.0));
    }
    return settings;
}

}  // namespace eq
