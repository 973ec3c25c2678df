#pragma once
// The readout's output level meters: the engine's peak on each side since the last look, in
// decibels below full scale, falling back at a fixed rate so a short peak stays readable; and the
// engine's clip hold. Pure arithmetic, fed by the readout's refresh.
#include <string>

class OutputMeter {
public:
    static constexpr double kFloorDb = -60.0;
    static constexpr double kFallDbPerSecond = 20.0;

    void Update(float peakLeft, float peakRight, bool clipHeld, double elapsedSeconds);
    double LevelDb(int side) const { return levelDb_[side]; }
    bool ClipHeld() const { return clipHeld_; }
    // "-6.0 dB", "+2.5 dB", or "-inf" at the floor.
    static std::string FormatDb(double db);

    friend bool operator==(const OutputMeter&, const OutputMeter&) = default;

private:
    double levelDb_[2] = {kFloorDb, kFloorDb};
    bool clipHeld_ = false;
};
