// Filling a sorted list box with N random mixed-case lines and painting it once, at 1,000 and
// 10,000 lines. Published as `ratio_to_sort`: the time per fill divided by the time std::sort
// takes to order the same strings ignoring case, measured in the same process and in thread CPU
// time (see MemcpyBaseline.h). Both grow as N log N, so the ratio stays flat from 1,000 to 10,000
// lines; a fill that shifted an array or repainted per line would make it grow with N.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bench/MemcpyBaseline.h"
#include "platform/desktop/Desktop.h"
#include "platform/kernel/AsciiCase.h"
#include "platform/time/Clock.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/ListBoxControl.h"

namespace {

std::vector<std::string> RandomLines(int count) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> length(6, 24), letter(0, 51);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string line(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : line) {
            const int k = letter(random);
            c = static_cast<char>(k < 26 ? 'a' + k : 'A' + k - 26);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

double SortNanoseconds(const std::vector<std::string>& lines) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        std::vector<std::string> copy = lines;
        const double start = bench::ThreadCpuNanos();
        std::sort(copy.begin(), copy.end(), win::LessIgnoringCase);
        benchmark::DoNotOptimize(copy.data());
        best = std::min(best, bench::ThreadCpuNanos() - start);
    }
    return best;
}

void BM_SortedListBoxFillAndPaint(benchmark::State& state) {
    win::VirtualClock clock;
    win::SetClock(&clock);
    win::Desktop::Instance().SetSize({640, 480});
    win::Window top;
    top.Create(nullptr, "", win::WS_POPUP | win::WS_VISIBLE, {0, 0, 300, 300}, nullptr, 0);
    const std::vector<std::string> lines = RandomLines(static_cast<int>(state.range(0)));
    const double sortNs = SortNanoseconds(lines);

    const double start = bench::ThreadCpuNanos();
    for (auto _ : state) {
        win::ListBoxControl list;
        list.Create("ListBox", "", win::WS_CHILD | win::WS_VISIBLE | win::WS_BORDER | win::WS_VSCROLL | win::LBS_SORT,
                    {10, 10, 210, 250}, &top, 1);
        for (const std::string& line : lines) list.AddString(line);
        list.UpdateWindow();
        benchmark::DoNotOptimize(list.GetCount());
    }
    const double perFill = (bench::ThreadCpuNanos() - start) /
                           static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["ratio_to_sort"] = perFill / sortNs;
    state.counters["sort_ns"] = sortNs;
    state.counters["ns_per_line"] = perFill / static_cast<double>(lines.size());
    win::SetClock(nullptr);
}
BENCHMARK(BM_SortedListBoxFillAndPaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
