#pragma once
// Every speed figure is also published as `ratio_to_memcpy`: the benchmark's own time per iteration
// divided by the time of one memcpy of the same number of bytes, measured in the same process. The
// memcpy baseline is the best of 7 rounds of 64 copies between two warm buffers. Both sides are
// timed in thread CPU time, so that other processes competing for the cores (builds on a shared
// machine) do not inflate one side only. The ratio says how far each operation is from simply
// writing its output, on whatever machine runs it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>
#include <vector>

namespace bench {

inline double ThreadCpuNanos() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

inline double MemcpyNanoseconds(std::size_t bytes) {
    static std::map<std::size_t, double> cache;
    if (auto it = cache.find(bytes); it != cache.end()) return it->second;
    std::vector<char> from(bytes, 1), to(bytes, 0);
    double best = 1e300;
    for (int round = 0; round < 7; ++round) {
        constexpr int kCopies = 64;
        double start = ThreadCpuNanos();
        for (int i = 0; i < kCopies; ++i) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
        best = std::min(best, (ThreadCpuNanos() - start) / kCopies);
    }
    return cache[bytes] = best;
}

template <typename Body>
void RunWithMemcpyRatio(benchmark::State& state, std::size_t bytes, Body body) {
    const double baseline = MemcpyNanoseconds(bytes);
    double start = ThreadCpuNanos();
    for (auto _ : state) body();
    double perIteration = (ThreadCpuNanos() - start) /
                          static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["ratio_to_memcpy"] = perIteration / baseline;
    state.counters["memcpy_ns"] = baseline;
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

}  // namespace bench
