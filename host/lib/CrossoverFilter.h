#pragma once
// The three-band split of one channel: fourth-order Linkwitz-Riley crossovers built from
// trapezoidal state-variable filters, which stay well-behaved while their frequency glides. The
// low band goes through the upper crossover's all-pass too, so the three bands at unity gain sum
// to an all-pass of the input: flat magnitude at any crossover setting.
#include <cmath>
#include <numbers>

namespace eq {

// A second-order Butterworth section's coefficients at one frequency.
struct SvfCoefficients {
    static constexpr double kDamping = std::numbers::sqrt2;
    double a1 = 1, a2 = 0, a3 = 0;

    static SvfCoefficients At(double hz, double sampleRate) {
        const double g = std::tan(std::numbers::pi * hz / sampleRate);
        SvfCoefficients c;
        c.a1 = 1.0 / (1.0 + g * (g + kDamping));
        c.a2 = g * c.a1;
        c.a3 = g * c.a2;
        return c;
    }
};

struct SvfOutputs {
    double low, band, high;
    double AllPass(double in) const { return in - 2.0 * SvfCoefficients::kDamping * band; }
};

class Svf {
public:
    SvfOutputs Tick(double in, const SvfCoefficients& c) {
        const double v3 = in - ic2_;
        const double v1 = c.a1 * ic1_ + c.a2 * v3;
        const double v2 = ic2_ + c.a2 * ic1_ + c.a3 * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        return {v2, v1, in - SvfCoefficients::kDamping * v1 - v2};
    }

private:
    double ic1_ = 0, ic2_ = 0;
};

struct BandSignals {
    double low, mid, high;
};

class ThreeBandSplitter {
public:
    BandSignals Tick(double in, const SvfCoefficients& lower, const SvfCoefficients& upper) {
        const SvfOutputs first = lowerSplit_.Tick(in, lower);
        const double below = lowerLow_.Tick(first.low, lower).low;
        const double above = lowerHigh_.Tick(first.high, lower).high;
        const double low = lowAllPass_.Tick(below, upper).AllPass(below);
        const SvfOutputs second = upperSplit_.Tick(above, upper);
        return {low, upperLow_.Tick(second.low, upper).low, upperHigh_.Tick(second.high, upper).high};
    }

private:
    Svf lowerSplit_, lowerLow_, lowerHigh_, lowAllPass_, upperSplit_, upperLow_, upperHigh_;
};

}  // namespace eq
