// Profile-file costs as the files grow: listing the keys of one section, listing the sections,
// and filling the preset list from KVX4.ini, each at 1,000 to 100,000 entries and against a plain
// read of the same file (see FileReadBaseline.h).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/FileReadBaseline.h"
#include "bench/PresetFileText.h"
#include "platform/kernel/PrivateProfile.h"
#include "platform/window/Window.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "presets/RoomKeys.h"
#include "presets/UserPreset.h"
#include "presets/UserPresetFile.h"

namespace {

using bench::RunWithReadRatio;
using bench::PresetFile;
using bench::ScratchDirectory;

constexpr const char* kFile = "bench.ini";

std::string Numbered(const char* stem, int i) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%06d", stem, i);
    return text;
}

// The entries of a double-NUL-terminated list.
int ListEntries(const std::vector<char>& list) {
    int entries = 0;
    for (std::size_t i = 0; i < list.size() && list[i]; i += std::strlen(&list[i]) + 1) ++entries;
    return entries;
}

// Lists with a null section or key into `buffer`; fails the benchmark unless all `n` entries came.
void ListAll(benchmark::State& state, const std::string& family, int n, const std::string& path,
             const char* section, std::size_t listBytes) {
    std::vector<char> buffer(listBytes + 2);
    const auto size = static_cast<win::DWORD>(buffer.size());
    RunWithReadRatio(state, family, n, path, [&] {
        benchmark::DoNotOptimize(win::GetPrivateProfileStringA(section, nullptr, "", buffer.data(), size, kFile));
    });
    if (state.iterations() > 0 && ListEntries(buffer) != n) state.SkipWithError("the list is incomplete");
}

void BM_ProfileListKeys(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ScratchDirectory windows("KVX4_WINDOWS_DIR");
    std::string text = "[Section]\r\n";
    std::size_t listBytes = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string key = Numbered("Key", i);
        text += key + "=" + Numbered("value", i) + "\r\n";
        listBytes += key.size() + 1;
    }
    ListAll(state, "profile keys", n, windows.Write(kFile, text), "Section", listBytes);
}
BENCHMARK(BM_ProfileListKeys)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ProfileListSections(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ScratchDirectory windows("KVX4_WINDOWS_DIR");
    std::string text;
    std::size_t listBytes = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string section = Numbered("Section", i);
        text += "[" + section + "]\r\nKey=" + Numbered("value", i) + "\r\n";
        listBytes += section.size() + 1;
    }
    ListAll(state, "profile sections", n, windows.Write(kFile, text), nullptr, listBytes);
}
BENCHMARK(BM_ProfileListSections)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Counts the lines the preset code adds.
class CountingListBox : public win::Window {
public:
    int lines = 0;

protected:
    win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override {
        if (message != win::LB_ADDSTRING) return Window::WindowProc(message, wParam, lParam);
        return lines++;
    }
};

void BM_PresetListFill(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ScratchDirectory windows("KVX4_WINDOWS_DIR");
    const std::string path = windows.Write("KVX4.ini", PresetFile(n));
    CountingListBox list;
    list.Create(nullptr, "list", win::WS_POPUP, {0, 0, 200, 100}, nullptr, 0);
    RunWithReadRatio(state, "preset list", n, path, [&] {
        list.lines = 0;
        CUserPresetFile().FillRoomList(&list, "KVX4.ini", 2);
    });
    list.DestroyWindow();
    if (state.iterations() > 0 && list.lines != n) state.SkipWithError("the list is incomplete");
}
BENCHMARK(BM_PresetListFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
