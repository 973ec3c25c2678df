// The registry store's load as it grows: one key with 1,000 to 100,000 values, re-read from its
// file on every iteration, against a plain read of the same file (see FileReadBaseline.h).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "bench/FileReadBaseline.h"
#include "platform/registry/Registry.h"

namespace {

constexpr const char* kKey = "Software\\Corvane\\Bench";

// The store reads its file again whenever the file's stamp changes; a new modification time is
// the cheapest change.
void Touch(const std::string& path, long& tick) {
    ++tick;
    const timespec times[2] = {{tick / 1000000000, tick % 1000000000}, {tick / 1000000000, tick % 1000000000}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

void BM_RegistryLoadValues(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    bench::ScratchDirectory registry("KVX4_REGISTRY_DIR");
    std::string text = std::string("[HKEY_CURRENT_USER\\") + kKey + "]\r\n";
    for (int i = 1; i <= n; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "\"Component %06d\"=\"/opt/plugins/component%06d.dll\"\r\n", i, i);
        text += line;
    }
    const std::string path = registry.Write("HKEY_CURRENT_USER.reg", text);
    long tick = 1;
    win::DWORD values = 0;
    bench::RunWithReadRatio(state, "registry values", n, path, [&] {
        Touch(path, tick);
        win::HKEY key{};
        if (win::RegOpenKeyExA(win::HKEY_CURRENT_USER, kKey, 0, win::KEY_QUERY_VALUE, &key) != 0) return;
        win::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                              nullptr, nullptr);
        win::RegCloseKey(key);
        benchmark::DoNotOptimize(values);
    });
    if (state.iterations() > 0 && values != static_cast<win::DWORD>(n)) state.SkipWithError("values missing");
}
BENCHMARK(BM_RegistryLoadValues)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
