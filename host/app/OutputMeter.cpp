#include "host/app/OutputMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void OutputMeter::Update(float peakLeft, float peakRight, bool clipHeld, double elapsedSeconds) {
    const float peaks[2] = {peakLeft, peakRight};
    for (int side = 0; side < 2; ++side) {
        const double fresh = peaks[side] > 0 ? 20.0 * std::log10(double(peaks[side])) : kFloorDb;
        const double fallen = levelDb_[side] - kFallDbPerSecond * std::max(0.0, elapsedSeconds);
        // Tenths of a decibel, so a steady signal reads steady and the readout repaints only on change.
        levelDb_[side] = std::round(std::max({fresh, fallen, kFloorDb}) * 10.0) / 10.0;
    }
    clipHeld_ = clipHeld;
}

std::string OutputMeter::FormatDb(double db) {
    if (db <= kFloorDb) return "-inf";
    char text[16];
    std::snprintf(text, sizeof text, "%+.1f dB", db);
    return text;
}
