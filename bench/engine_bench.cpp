// The equaliser engine's cost: one second of 48 kHz stereo through all three bands, in 512-frame
// blocks, with settings that hold still and with a crossover that glides in every block (its
// coefficients renewed every 16 samples). Each iteration first copies the second of input in, so
// the filters see the same signal every time. realtime_factor is seconds of audio per second of
// one core's time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "bench/MemcpyBaseline.h"
#include "host/lib/EqualiserEngine.h"

namespace {

constexpr int kRate = 48000;
constexpr std::size_t kFrames = kRate;
constexpr std::size_t kBlockFrames = 512;
constexpr std::size_t kBytes = 2 * kFrames * sizeof(float);

eq::EngineSettings Settings(int midCutoff) {
    tagEffectParams block{};
    block.effect.value = 100;
    block.lowFreq.value = 90;
    block.midFreq.value = 40;
    block.highFreq.value = 80;
    block.midCutoff.value = static_cast<win::BYTE>(midCutoff);
    block.optionFlags = OPTION_LEFT_OUT | OPTION_RIGHT_OUT;
    return eq::SettingsFromBlock(block, false);
}

void ProcessOneSecond(benchmark::State& state, bool gliding) {
    std::vector<float> input(2 * kFrames), buffer(2 * kFrames);
    for (std::size_t i = 0; i < kFrames; ++i)
        input[2 * i] = input[2 * i + 1] = float(0.3 * std::sin(0.05 * double(i)) + 0.2 * std::sin(0.7 * double(i)));
    eq::EqualiserEngine engine(kRate, Settings(64));
    int block = 0;
    bench::RunWithMemcpyRatio(state, kBytes, [&] {
        std::memcpy(buffer.data(), input.data(), kBytes);
        for (std::size_t frame = 0; frame < kFrames; frame += kBlockFrames) {
            if (gliding) engine.Publish(Settings(block++ % 2 ? 20 : 100));
            engine.Process(buffer.data() + 2 * frame, std::min(kBlockFrames, kFrames - frame));
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    });
    const double secondsPerIteration = state.counters["ratio_to_memcpy"] * state.counters["memcpy_ns"] * 1e-9;
    state.counters["realtime_factor"] = 1.0 / secondsPerIteration;
}

void BM_EngineOneSecondStereo48k(benchmark::State& state) { ProcessOneSecond(state, false); }
void BM_EngineOneSecondStereo48kGliding(benchmark::State& state) { ProcessOneSecond(state, true); }

BENCHMARK(BM_EngineOneSecondStereo48k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineOneSecondStereo48kGliding)->Unit(benchmark::kMillisecond);

}  // namespace
