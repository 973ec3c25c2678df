#pragma once
// How the parameter block maps onto the equaliser the editor's contour graph draws: the graph's
// x axis is 16 Hz at x = 110 to 16 kHz at x = 365 on a logarithmic scale, the mid/high crossover
// sits at x = 280 and the low/mid crossover moves left from there with midCutoff; the sliders run
// from -18 dB at 0 through 0 dB at 64 to +18 dB at 127. The engine and the README's table follow
// this one header.
#include "host/lib/EffectParams.h"
#include "host/lib/HostApi.h"

namespace eq {

enum Band { kLow, kMid, kHigh, kBandCount };
enum Side { kLeft, kRight, kSideCount };

// The frequency at graph x: 16 Hz * 1000^((x - 110) / 255).
KVX4_HOST_API double GraphFrequency(int x);
// The graph x of the low/mid boundary, exactly where the editor draws it.
KVX4_HOST_API int LowCrossoverX(int midCutoff);
KVX4_HOST_API double LowCrossoverHz(int midCutoff);
inline constexpr int kHighCrossoverX = 280;
KVX4_HOST_API double HighCrossoverHz();
// Slider value 0..127 (larger values count as 127) to decibels, linear on each side of 64.
KVX4_HOST_API double BandGainDb(int value);
KVX4_HOST_API double DbToGain(double db);
// The effect level 0..127 as the equalised share of the mix, 0..1.
KVX4_HOST_API double EffectMix(int value);

// Everything the engine needs from the slot, as plain values that cross threads by copy.
struct EngineSettings {
    double lowCrossoverHz = 0;
    double highCrossoverHz = 0;
    // The gain each band gets on each side once mix and output switches are folded in: a side that
    // carries the dry signal has 1 on every band.
    float bandGain[kSideCount][kBandCount] = {};
    bool bypass = false;
};

KVX4_HOST_API EngineSettings SettingsFromBlock(const tagEffectParams& block, bool bypass);

}  // namespace eq
