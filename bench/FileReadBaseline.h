#pragma once
// The store figures (profile files, the registry store, the preset list) are published as
// `ratio_to_read`: the benchmark's time per iteration divided by the time of one plain whole-file
// read of the file it works on, measured before and after its iterations in the same run. Both
// sides are timed in thread CPU time, as in MemcpyBaseline.h. Each store operation reads its whole
// file at least once, so a ratio that stays flat as the file grows means the operation is linear
// in the file; one that grows with N means it is not. For files of a few tens of kilobytes the read
// costs mostly its system calls, so the ratio is best compared between the larger sizes.
//
// The stores are quadratic in places today, so a large size whose run, extrapolated from the
// smaller sizes of the same family, would take longer than kRunBudgetSeconds is skipped with a
// message. Set KVX4_BENCH_NO_BUDGET=1 to run them anyway. Once the operations are linear the
// extrapolation stays under the budget and the large sizes run by themselves.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "bench/MemcpyBaseline.h"

namespace bench {

constexpr double kRunBudgetSeconds = 30;

// A fresh directory under the temporary directory, named in `variable` while it lives.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const char* variable) : variable_(variable) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvx4-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
        setenv(variable_, path_.c_str(), 1);
    }
    ~ScratchDirectory() {
        unsetenv(variable_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return path_; }
    // Writes `text` into the directory as `name`; its full path.
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string file = path_ + "/" + name;
        if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), out);
            std::fclose(out);
        }
        return file;
    }

private:
    const char* variable_;
    std::string path_;
};

// One open, fstat, read into a buffer of the file's size and close; the file is warm in the page
// cache after the first round, as it is for the store operation.
inline double WholeFileReadNanoseconds(const std::string& path) {
    double best = 1e300;
    std::vector<char> buffer;
    for (int round = 0; round < 7; ++round) {
        const double start = ThreadCpuNanos();
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return 0;
        struct stat info{};
        fstat(fd, &info);
        buffer.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t n = read(fd, buffer.data() + done, buffer.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        close(fd);
        benchmark::DoNotOptimize(buffer.data());
        best = std::min(best, ThreadCpuNanos() - start);
    }
    return best;
}

// Seconds per iteration of the sizes of each family measured so far in this run.
inline std::map<std::string, std::map<int, double>>& MeasuredSeconds() {
    static std::map<std::string, std::map<int, double>> measured;
    return measured;
}

// Extrapolates from the two largest smaller sizes of the family (by their own growth exponent,
// at least linear) or from one (as quadratic); 0 when there is nothing to go by.
inline double ProjectedSeconds(const std::string& family, int n) {
    const auto& sizes = MeasuredSeconds()[family];
    auto above = sizes.lower_bound(n);
    if (above == sizes.begin()) return 0;
    auto last = std::prev(above);
    double exponent = 2;
    if (last != sizes.begin()) {
        auto before = std::prev(last);
        if (before->second > 0 && last->second > 0)
            exponent = std::max(1.0, std::log(last->second / before->second) / std::log(double(last->first) / before->first));
    }
    return last->second * std::pow(double(n) / last->first, exponent);
}

// Runs `body` for the state's iterations (after the budget check) and publishes ratio_to_read
// against `path`, which must exist before the call and hold the bytes the operation reads.
template <typename Body>
void RunWithReadRatio(benchmark::State& state, const std::string& family, int n, const std::string& path, Body body) {
    const double projected = ProjectedSeconds(family, n) * double(std::max<benchmark::IterationCount>(1, state.max_iterations));
    const char* noBudget = std::getenv("KVX4_BENCH_NO_BUDGET");
    if (projected > kRunBudgetSeconds && !(noBudget && *noBudget == '1')) {
        const std::string why = "skipped: about " + std::to_string(int(projected)) +
                                " s at the growth of the smaller sizes; KVX4_BENCH_NO_BUDGET=1 runs it";
        state.SkipWithError(why.c_str());
        for (auto _ : state) {}
        return;
    }
    const double readBefore = WholeFileReadNanoseconds(path);
    const double start = ThreadCpuNanos();
    for (auto _ : state) body();
    const double perIteration =
        (ThreadCpuNanos() - start) / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    const double read = std::min(readBefore, WholeFileReadNanoseconds(path));
    MeasuredSeconds()[family][n] = perIteration / 1e9;
    std::error_code ignored;
    const auto bytes = static_cast<double>(std::filesystem::file_size(path, ignored));
    state.counters["ratio_to_read"] = read > 0 ? perIteration / read : 0;
    state.counters["read_ns"] = read;
    state.counters["file_bytes"] = bytes;
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

}  // namespace bench
