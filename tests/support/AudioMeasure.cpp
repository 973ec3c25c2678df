#include "tests/support/AudioMeasure.h"

#include <cmath>
#include <numbers>

namespace audiotest {

namespace {

using Complex = std::complex<double>;

Complex Normalised(double hz, double cornerHz) { return Complex(0, hz / cornerHz); }
Complex ButterworthDenominator(Complex s) { return s * s + std::numbers::sqrt2 * s + 1.0; }

}  // namespace

std::vector<float> StereoSine(double hz, double amplitude, double sampleRate, std::size_t frames) {
    std::vector<float> out(frames * 2);
    for (std::size_t i = 0; i < frames; ++i)
        out[2 * i] = out[2 * i + 1] = float(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / sampleRate));
    return out;
}

double ToneAmplitude(const std::vector<float>& stereo, int side, double hz, double sampleRate, std::size_t first,
                     std::size_t end) {
    double sine = 0, cosine = 0;
    for (std::size_t i = first; i < end; ++i) {
        const double phase = 2 * std::numbers::pi * hz * double(i) / sampleRate;
        sine += stereo[2 * i + side] * std::sin(phase);
        cosine += stereo[2 * i + side] * std::cos(phase);
    }
    return 2.0 * std::hypot(sine, cosine) / double(end - first);
}

double ResponseAt(const std::vector<float>& stereo, int side, double hz, double sampleRate) {
    Complex sum = 0;
    for (std::size_t i = 0; i < stereo.size() / 2; ++i)
        sum += double(stereo[2 * i + side]) * std::polar(1.0, -2 * std::numbers::pi * hz * double(i) / sampleRate);
    return std::abs(sum);
}

double ToDb(double ratio) { return 20.0 * std::log10(ratio); }

Complex DesignResponse(double hz, double lowerHz, double upperHz, const double gains[3]) {
    const Complex s1 = Normalised(hz, lowerHz), s2 = Normalised(hz, upperHz);
    const Complex d1 = ButterworthDenominator(s1), d2 = ButterworthDenominator(s2);
    const Complex lowPass1 = 1.0 / (d1 * d1), highPass1 = s1 * s1 * s1 * s1 / (d1 * d1);
    const Complex lowPass2 = 1.0 / (d2 * d2), highPass2 = s2 * s2 * s2 * s2 / (d2 * d2);
    const Complex allPass2 = (s2 * s2 - std::numbers::sqrt2 * s2 + 1.0) / d2;
    return gains[0] * lowPass1 * allPass2 + gains[1] * highPass1 * lowPass2 + gains[2] * highPass1 * highPass2;
}

}  // namespace audiotest
