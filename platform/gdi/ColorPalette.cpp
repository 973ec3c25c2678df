// Median cut over the picture's colour histogram, refined by a few weighted k-means passes so that
// flat UI art with a handful of dominant colours keeps them exactly.
#include "platform/gdi/ColorPalette.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace win {
namespace {

struct Entry {
    std::uint32_t color;
    std::uint32_t count;
};

int Channel(std::uint32_t c, int ch) { return (c >> (16 - 8 * ch)) & 0xFF; }

int Distance(std::uint32_t a, std::uint32_t b) {
    int dr = Channel(a, 0) - Channel(b, 0);
    int dg = Channel(a, 1) - Channel(b, 1);
    int db = Channel(a, 2) - Channel(b, 2);
    return dr * dr + dg * dg + db * db;
}

struct Box {
    std::size_t begin;
    std::size_t end;
    int widest = 0;
    int range = 0;
    std::uint64_t pixels = 0;

    void Measure(const std::vector<Entry>& entries) {
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        pixels = 0;
        for (std::size_t i = begin; i < end; ++i) {
            for (int ch = 0; ch < 3; ++ch) {
                int v = Channel(entries[i].color, ch);
                lo[ch] = std::min(lo[ch], v);
                hi[ch] = std::max(hi[ch], v);
            }
            pixels += entries[i].count;
        }
        range = -1;
        for (int ch = 0; ch < 3; ++ch)
            if (hi[ch] - lo[ch] > range) {
                range = hi[ch] - lo[ch];
                widest = ch;
            }
    }
    double Score() const { return end - begin < 2 ? -1.0 : double(range) * range * double(pixels); }
};

std::uint32_t Average(const std::vector<Entry>& entries, std::size_t begin, std::size_t end) {
    double sum[3] = {}, total = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int ch = 0; ch < 3; ++ch) sum[ch] += double(Channel(entries[i].color, ch)) * entries[i].count;
        total += entries[i].count;
    }
    std::uint32_t c = 0;
    for (int ch = 0; ch < 3; ++ch) c |= static_cast<std::uint32_t>(std::lround(sum[ch] / total)) << (16 - 8 * ch);
    return c;
}

std::vector<std::uint32_t> MedianCut(std::vector<Entry>& entries, int maxColors) {
    std::vector<Box> boxes{{0, entries.size()}};
    boxes[0].Measure(entries);
    while (static_cast<int>(boxes.size()) < maxColors) {
        auto it = std::max_element(boxes.begin(), boxes.end(),
                                   [](const Box& a, const Box& b) { return a.Score() < b.Score(); });
        if (it->Score() < 0) break;
        Box& box = *it;
        int ch = box.widest;
        std::sort(entries.begin() + box.begin, entries.begin() + box.end, [ch](const Entry& a, const Entry& b) {
            return Channel(a.color, ch) != Channel(b.color, ch) ? Channel(a.color, ch) < Channel(b.color, ch)
                                                                : a.color < b.color;
        });
        // Split at the weighted median, keeping at least one colour on each side.
        std::uint64_t half = box.pixels / 2, seen = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end - 1; ++i) {
            seen += entries[i].count;
            split = i + 1;
            if (seen >= half) break;
        }
        Box upper{split, box.end};
        box.end = split;
        box.Measure(entries);
        upper.Measure(entries);
        boxes.push_back(upper);
    }
    std::vector<std::uint32_t> palette;
    for (const Box& b : boxes) palette.push_back(Average(entries, b.begin, b.end));
    return palette;
}

void Refine(const std::vector<Entry>& entries, std::vector<std::uint32_t>& palette, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        std::vector<double> sums(palette.size() * 4, 0.0);
        for (const Entry& e : entries) {
            std::size_t k = static_cast<std::size_t>(NearestPaletteIndex(palette, e.color));
            for (int ch = 0; ch < 3; ++ch) sums[k * 4 + ch] += double(Channel(e.color, ch)) * e.count;
            sums[k * 4 + 3] += e.count;
        }
        for (std::size_t k = 0; k < palette.size(); ++k) {
            if (sums[k * 4 + 3] == 0) continue;
            std::uint32_t c = 0;
            for (int ch = 0; ch < 3; ++ch)
                c |= static_cast<std::uint32_t>(std::lround(sums[k * 4 + ch] / sums[k * 4 + 3])) << (16 - 8 * ch);
            palette[k] = c;
        }
    }
}

}  // namespace

int NearestPaletteIndex(const std::vector<std::uint32_t>& palette, std::uint32_t pixel) {
    int best = 0, bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int d = Distance(palette[i], pixel);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
            if (d == 0) break;
        }
    }
    return best;
}

std::vector<std::uint32_t> BuildPalette(const std::vector<const Bitmap*>& pictures, int maxColors) {
    maxColors = std::clamp(maxColors, 1, 256);
    std::unordered_map<std::uint32_t, std::uint32_t> histogram;
    for (const Bitmap* picture : pictures) {
        if (!picture) continue;
        const std::uint32_t* p = picture->Pixels();
        std::size_t n = static_cast<std::size_t>(picture->Width()) * picture->Height();
        for (std::size_t i = 0; i < n; ++i) ++histogram[p[i] & 0x00FFFFFF];
    }
    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (auto [color, count] : histogram) entries.push_back({color, count});
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.color < b.color; });
    if (entries.empty()) return {0};
    if (static_cast<int>(entries.size()) <= maxColors) {
        std::vector<std::uint32_t> exact;
        for (const Entry& e : entries) exact.push_back(e.color);
        return exact;
    }
    std::vector<std::uint32_t> palette = MedianCut(entries, maxColors);
    Refine(entries, palette, 3);
    return palette;
}

std::vector<std::uint32_t> BuildPalette(const Bitmap& picture, int maxColors) {
    return BuildPalette(std::vector<const Bitmap*>{&picture}, maxColors);
}

}  // namespace win
