// Opening the two preset lists a user sees, from the click to the composed desktop: the chooser
// that drops from the program name field, and the Load dialog. Both read the whole KVX4.ini, so
// they are published against a plain read of that file (see FileReadBaseline.h); the ratio must
// stay flat from 1,000 to 10,000 presets.
#include <benchmark/benchmark.h>

#include "bench/BenchEditor.h"
#include "bench/FileReadBaseline.h"
#include "bench/PresetFileText.h"
#include "panel/PresetChooserDlg.h"
#include "platform/desktop/Desktop.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/controls/ListBoxControl.h"
#include "presets/LoadPresetDlg.h"
#include "resources/ResourceIds.h"

namespace {

using bench::RunWithReadRatio;
using bench::ScratchDirectory;

win::Point PanelToScreen(CEditorPanel& panel, win::Point client) {
    panel.ClientToScreen(&client);
    return client;
}

void BM_OpenPresetChooser(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ScratchDirectory windows("KVX4_WINDOWS_DIR");
    const std::string path = windows.Write("KVX4.ini", bench::PresetFile(n));
    win::Desktop::Instance().SetSize({1024, 768});
    bench::BenchEditor editor;
    CPresetChooserDlg& chooser = *editor.panel->presetChooser;
    const win::Point nameField = PanelToScreen(*editor.panel, {120, 18});
    int shownLines = 0;
    RunWithReadRatio(state, "preset chooser", n, path, [&] {
        win::InjectClick(nameField);
        win::PumpMessages();
        benchmark::DoNotOptimize(&win::Desktop::Instance().Compose());
        shownLines = chooser.presetList.As<win::ListBoxControl>()->GetCount();
        win::InjectKeyPress(win::VK_ESCAPE);
        win::PumpMessages();
    });
    if (state.iterations() > 0 && shownLines != n) state.SkipWithError("the chooser did not list every preset");
}
BENCHMARK(BM_OpenPresetChooser)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenLoadDialog(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ScratchDirectory windows("KVX4_WINDOWS_DIR");
    const std::string path = windows.Write("KVX4.ini", bench::PresetFile(n));
    win::Desktop::Instance().SetSize({1024, 768});
    bench::BenchEditor editor;
    const win::Point loadButton = PanelToScreen(*editor.panel, editor.panel->loadRect.TopLeft() + win::Point{10, 8});
    int shownLines = 0;
    // The dialog's loop goes idle once it is painted: compose the screen then and cancel.
    win::SetIdleHook([&] {
        auto* dialog = dynamic_cast<CLoadCustomSettingsDlg*>(win::Window::GetActiveWindow());
        if (!dialog) return;
        benchmark::DoNotOptimize(&win::Desktop::Instance().Compose());
        if (auto* list = dynamic_cast<win::ListBoxControl*>(dialog->GetDlgItem(IDC_LOAD_LIST)))
            shownLines = list->GetCount();
        dialog->PostMessage(win::WM_COMMAND, win::IDCANCEL, 0);
    });
    RunWithReadRatio(state, "load dialog", n, path, [&] {
        win::InjectClick(loadButton);
        win::PumpMessages();
    });
    win::SetIdleHook(nullptr);
    if (state.iterations() > 0 && shownLines != n) state.SkipWithError("the load dialog did not list every preset");
}
BENCHMARK(BM_OpenLoadDialog)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
