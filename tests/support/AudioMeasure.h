#pragma once
// Measuring what the equaliser did to a signal: tone levels by correlation over whole periods,
// magnitude responses from impulse responses, and the analogue design the crossovers stand for.
#include <complex>
#include <cstddef>
#include <vector>

namespace audiotest {

// Interleaved stereo, both sides carrying the same sine of the given peak amplitude.
std::vector<float> StereoSine(double hz, double amplitude, double sampleRate, std::size_t frames);
// The amplitude of the `hz` component of one side of interleaved stereo, over frames [first, end).
double ToneAmplitude(const std::vector<float>& stereo, int side, double hz, double sampleRate, std::size_t first,
                     std::size_t end);
// |DFT| of one side at `hz`: the magnitude response when the signal is an impulse response.
double ResponseAt(const std::vector<float>& stereo, int side, double hz, double sampleRate);
double ToDb(double ratio);

// The analogue three-band design: fourth-order Linkwitz-Riley crossovers at the two frequencies,
// the low band through the upper all-pass, each band times its gain.
std::complex<double> DesignResponse(double hz, double lowerHz, double upperHz, const double gains[3]);

}  // namespace audiotest
