// Speed of the drawing layer's hot paths: 8-bit BMP conversion, stretching copies and text output,
// each against memcpy of the same destination bytes (see MemcpyBaseline.h).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/MemcpyBaseline.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DC.h"

namespace {

using bench::RunWithMemcpyRatio;

// An 8-bit BMP of the editor's panel size with a full 256-colour palette and varied indexes.
std::vector<std::uint8_t> PanelBmp8() {
    win::Bitmap picture(583, 278);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            picture.SetPixel(x, y, static_cast<std::uint32_t>(((x * 7) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x ^ y) & 0xFF)));
    std::vector<std::uint32_t> palette(256);
    for (int i = 0; i < 256; ++i) palette[i] = static_cast<std::uint32_t>((i * 0x010101) ^ (i << 3));
    return win::EncodeBmp8(picture, palette);
}

void BM_DecodeBmp8_583x278(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = PanelBmp8();
    RunWithMemcpyRatio(state, 583u * 278u * 4u, [&] {
        auto bitmap = win::DecodeBmp(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(bitmap->Pixels());
    });
}
BENCHMARK(BM_DecodeBmp8_583x278)->Unit(benchmark::kMicrosecond);

// StretchBlt from a w x h source to (w * num / den) x (h * num / den) or a fixed size.
void Stretch(benchmark::State& state, int sw, int sh, int dw, int dh) {
    auto source = std::make_shared<win::Bitmap>(sw, sh);
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) source->SetPixel(x, y, static_cast<std::uint32_t>(x * 2654435761u ^ y));
    auto target = std::make_shared<win::Bitmap>(dw, dh);
    win::DC from, to;
    from.SelectBitmap(source);
    to.SelectBitmap(target);
    RunWithMemcpyRatio(state, static_cast<std::size_t>(dw) * dh * 4, [&] {
        to.StretchBlt(0, 0, dw, dh, &from, 0, 0, sw, sh);
        benchmark::DoNotOptimize(target->Pixels());
    });
}
void BM_StretchBlt_Column16x128_To40x200(benchmark::State& state) { Stretch(state, 16, 128, 40, 200); }
void BM_StretchBlt_583x278_OneToOne(benchmark::State& state) { Stretch(state, 583, 278, 583, 278); }
void BM_StretchBlt_583x278_Double(benchmark::State& state) { Stretch(state, 583, 278, 1166, 556); }
BENCHMARK(BM_StretchBlt_Column16x128_To40x200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StretchBlt_583x278_OneToOne)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StretchBlt_583x278_Double)->Unit(benchmark::kMicrosecond);

// A typical control label in the dialog font, antialiased, transparent background; the memcpy
// reference is the text cell's bytes.
void BM_TextOut_Label(benchmark::State& state) {
    auto target = std::make_shared<win::Bitmap>(200, 20, 0xD4D0C8);
    win::DC dc;
    dc.SelectBitmap(target);
    dc.SelectFont(win::GetStockFont(win::DEFAULT_GUI_FONT));
    dc.SetBkMode(win::TRANSPARENT);
    const char* label = "Frequency: 1.25 kHz";
    win::Size cell = dc.GetTextExtent(label);
    RunWithMemcpyRatio(state, static_cast<std::size_t>(cell.cx) * cell.cy * 4, [&] {
        dc.TextOutA(2, 2, label);
        benchmark::DoNotOptimize(target->Pixels());
    });
}
BENCHMARK(BM_TextOut_Label)->Unit(benchmark::kMicrosecond);

// The same label laid out by DrawTextA (centred, single line, with a mnemonic).
void BM_DrawText_CentredLabel(benchmark::State& state) {
    auto target = std::make_shared<win::Bitmap>(200, 20, 0xD4D0C8);
    win::DC dc;
    dc.SelectBitmap(target);
    dc.SelectFont(win::GetStockFont(win::DEFAULT_GUI_FONT));
    dc.SetBkMode(win::TRANSPARENT);
    win::Size cell = dc.GetTextExtent("Frequency: 1.25 kHz");
    RunWithMemcpyRatio(state, static_cast<std::size_t>(cell.cx) * cell.cy * 4, [&] {
        win::Rect r{0, 0, 200, 20};
        dc.DrawTextA("&Frequency: 1.25 kHz", &r, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
        benchmark::DoNotOptimize(target->Pixels());
    });
}
BENCHMARK(BM_DrawText_CentredLabel)->Unit(benchmark::kMicrosecond);

}  // namespace
