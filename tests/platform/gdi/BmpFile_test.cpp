#include <gtest/gtest.h>

#include <random>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/ColorPalette.h"
#include "tests/platform/gdi/BmpBuilder.h"

using namespace win;
using gdi_test::BmpSpec;
using gdi_test::BuildBmp;
using gdi_test::PackIndexRows;
using gdi_test::Put;

namespace {

const std::vector<std::uint32_t> kPalette16 = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x123456,
};

// A 5 x 3 picture of palette indexes, listed top row first.
const std::vector<std::vector<int>> kIndexes = {{0, 1, 2, 3, 15}, {4, 5, 6, 7, 8}, {9, 10, 11, 12, 13}};

std::vector<std::vector<int>> Reversed(std::vector<std::vector<int>> rows) {
    return {rows.rbegin(), rows.rend()};
}

std::shared_ptr<Bitmap> Decode(const std::vector<std::uint8_t>& bytes, std::string* error = nullptr) {
    return DecodeBmp(bytes.data(), bytes.size(), error);
}

void ExpectIndexes(const Bitmap& b, const std::vector<std::vector<int>>& rows, const std::vector<std::uint32_t>& pal) {
    ASSERT_EQ(b.Height(), static_cast<int>(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            EXPECT_EQ(b.GetPixel(x, y), pal[rows[y][x]]) << "at " << x << "," << y;
}

BmpSpec Indexed(int bits, bool topDown, const std::vector<std::vector<int>>& rows, std::vector<std::uint32_t> pal) {
    BmpSpec s;
    s.width = static_cast<int>(rows[0].size());
    s.height = topDown ? -static_cast<int>(rows.size()) : static_cast<int>(rows.size());
    s.bits = bits;
    s.palette = std::move(pal);
    s.pixels = PackIndexRows(topDown ? rows : Reversed(rows), bits);
    return s;
}

}  // namespace

TEST(BmpDecode, PalettisedDepthsBottomUpAndTopDown) {
    for (int bits : {4, 8}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            auto bmp = Decode(BuildBmp(Indexed(bits, topDown, kIndexes, kPalette16)));
            ASSERT_TRUE(bmp);
            EXPECT_EQ(bmp->Width(), 5);
            ExpectIndexes(*bmp, kIndexes, kPalette16);
        }
    }
    std::vector<std::vector<int>> mono = {{1, 0, 1, 1, 0, 0, 0, 0, 1, 1}, {0, 1, 0, 0, 1, 1, 1, 1, 0, 0}};
    for (bool topDown : {false, true}) {
        auto bmp = Decode(BuildBmp(Indexed(1, topDown, mono, {0x102030, 0xF0E0D0})));
        ASSERT_TRUE(bmp);
        ExpectIndexes(*bmp, mono, {0x102030, 0xF0E0D0});
    }
}

TEST(BmpDecode, TrueColourDepths) {
    // 2 x 2, bottom-up: the file's first row is the picture's bottom row.
    BmpSpec s24;
    s24.width = 2;
    s24.height = 2;
    s24.bits = 24;
    s24.pixels = {0x01, 0x02, 0x03, 0x11, 0x12, 0x13, 0, 0,    // bottom: B,G,R ...
                  0x21, 0x22, 0x23, 0x31, 0x32, 0x33, 0, 0};   // top
    auto b24 = Decode(BuildBmp(s24));
    ASSERT_TRUE(b24);
    EXPECT_EQ(b24->GetPixel(0, 1), 0x030201u);
    EXPECT_EQ(b24->GetPixel(1, 1), 0x131211u);
    EXPECT_EQ(b24->GetPixel(0, 0), 0x232221u);
    EXPECT_EQ(b24->GetPixel(1, 0), 0x333231u);

    BmpSpec s32;
    s32.width = 1;
    s32.height = -2;
    s32.bits = 32;
    s32.pixels = {0x0A, 0x0B, 0x0C, 0xFF, 0x1A, 0x1B, 0x1C, 0x80};  // alpha byte ignored
    auto b32 = Decode(BuildBmp(s32));
    ASSERT_TRUE(b32);
    EXPECT_EQ(b32->GetPixel(0, 0), 0x0C0B0Au);
    EXPECT_EQ(b32->GetPixel(0, 1), 0x1C1B1Au);

    BmpSpec s16;  // 5-5-5 by default, and 5-6-5 through BI_BITFIELDS
    s16.width = 2;
    s16.height = 1;
    s16.bits = 16;
    s16.pixels = {0x00, 0x7C, 0x1F, 0x00};  // pure red, pure blue
    auto b16 = Decode(BuildBmp(s16));
    ASSERT_TRUE(b16);
    EXPECT_EQ(b16->GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(b16->GetPixel(1, 0), 0x0000FFu);
    s16.compression = 3;
    s16.masks = {0xF800, 0x07E0, 0x001F};
    s16.pixels = {0xE0, 0x07, 0x00, 0x00};  // pure green, black
    auto b565 = Decode(BuildBmp(s16));
    ASSERT_TRUE(b565);
    EXPECT_EQ(b565->GetPixel(0, 0), 0x00FF00u);
    EXPECT_EQ(b565->GetPixel(1, 0), 0x000000u);
}

TEST(BmpDecode, ColourConversionHelpers) {
    EXPECT_EQ(ToDisplay(RGB(0x12, 0x34, 0x56)), 0x123456u);
    EXPECT_EQ(FromDisplay(0x123456), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(ToDisplay(0xFF000000 | RGB(1, 2, 3)), 0x010203u);  // flag byte dropped
}

TEST(BmpDecode, RunLengthEncoded) {
    BmpSpec s;
    s.width = 6;
    s.height = 3;
    s.bits = 8;
    s.compression = 1;
    s.palette = {0x000000, 0x111111, 0x222222, 0x333333};
    s.pixels = {
        3, 1, 0, 3, 2, 3, 1, 0,  // bottom row: 1 1 1 then absolute 2 3 1 (padded)
        0, 0,                    // end of line
        0, 2, 2, 1,              // delta: 2 right, 1 up -> top row, x = 2
        2, 3,                    // 3 3
        0, 1,                    // end of bitmap
    };
    auto b = Decode(BuildBmp(s));
    ASSERT_TRUE(b);
    std::uint32_t expected[3][6] = {{0, 0, 0x333333, 0x333333, 0, 0},
                                    {0, 0, 0, 0, 0, 0},
                                    {0x111111, 0x111111, 0x111111, 0x222222, 0x333333, 0x111111}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(b->GetPixel(x, y), expected[y][x]) << x << "," << y;

    BmpSpec s4 = s;
    s4.bits = 4;
    s4.compression = 2;
    s4.height = 1;
    s4.pixels = {5, 0x12, 0, 3, 0x30, 0x10, 0, 1};  // 1 2 1 2 1, then absolute 3 0 1
    s4.width = 8;
    auto b4 = Decode(BuildBmp(s4));
    ASSERT_TRUE(b4);
    const std::uint32_t row[8] = {0x111111, 0x222222, 0x111111, 0x222222, 0x111111, 0x333333, 0, 0x111111};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(b4->GetPixel(x, 0), row[x]) << x;
}

TEST(BmpDecode, RejectsTruncatedFilesAtEveryLength) {
    auto bytes = BuildBmp(Indexed(8, false, kIndexes, kPalette16));
    ASSERT_TRUE(Decode(bytes));
    // The last row may lack its padding (3 bytes for a 5-pixel 8-bit row); anything shorter fails.
    for (std::size_t n = 0; n + 3 < bytes.size(); ++n) {
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
        std::string error;
        EXPECT_FALSE(DecodeBmp(cut.data(), cut.size(), &error)) << n;
        EXPECT_FALSE(error.empty()) << n;
    }
}

TEST(BmpDecode, RejectsMaliciousHeaders) {
    std::string error;
    auto base = Indexed(8, false, kIndexes, kPalette16);

    BmpSpec huge = base;
    huge.width = 1 << 30;
    huge.height = 1 << 30;
    EXPECT_FALSE(Decode(BuildBmp(huge), &error));
    EXPECT_EQ(error, "bitmap too large");

    BmpSpec wide = base;
    wide.width = 100000;  // fits the pixel limit but the file holds 3 rows of 8 bytes
    EXPECT_FALSE(Decode(BuildBmp(wide), &error));
    EXPECT_EQ(error, "truncated pixel data");

    BmpSpec negativeWidth = base;
    negativeWidth.width = -5;
    EXPECT_FALSE(Decode(BuildBmp(negativeWidth), &error));

    BmpSpec shortPalette = base;
    shortPalette.palette.resize(4);  // indexes up to 15 are used
    EXPECT_FALSE(Decode(BuildBmp(shortPalette), &error));
    EXPECT_EQ(error, "palette index beyond the palette");

    BmpSpec oddDepth = base;
    oddDepth.bits = 7;
    EXPECT_FALSE(Decode(BuildBmp(oddDepth), &error));

    BmpSpec topDownRle = base;
    topDownRle.compression = 1;
    topDownRle.height = -3;
    EXPECT_FALSE(Decode(BuildBmp(topDownRle), &error));

    BmpSpec rleOverrun = base;
    rleOverrun.compression = 1;
    rleOverrun.pixels = {0, 40, 1, 2};  // absolute run of 40 bytes with 2 present
    EXPECT_FALSE(Decode(BuildBmp(rleOverrun), &error));
    EXPECT_EQ(error, "truncated RLE data");

    auto bytes = BuildBmp(base);
    for (std::uint32_t offset : {0x7FFFFFFFu, static_cast<std::uint32_t>(bytes.size() + 1), 20u, 60u}) {
        auto bad = bytes;
        bad[10] = offset & 0xFF;
        bad[11] = (offset >> 8) & 0xFF;
        bad[12] = (offset >> 16) & 0xFF;
        bad[13] = (offset >> 24) & 0xFF;
        EXPECT_FALSE(Decode(bad, &error)) << offset;
    }
    auto badHeader = bytes;
    badHeader[14] = 0xFF;  // header size 255
    EXPECT_FALSE(Decode(badHeader, &error));
    EXPECT_FALSE(DecodeBmp(nullptr, 100, &error));
}

TEST(BmpDecode, SurvivesRandomCorruption) {
    auto rle = Indexed(8, false, kIndexes, kPalette16);
    rle.compression = 1;
    rle.pixels = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 2, 5, 0, 0, 0, 2, 1, 1, 0, 1};
    std::vector<std::vector<std::uint8_t>> seeds = {BuildBmp(Indexed(8, false, kIndexes, kPalette16)),
                                                    BuildBmp(Indexed(4, true, kIndexes, kPalette16)),
                                                    BuildBmp(rle)};
    std::mt19937 rng(1234);
    int decoded = 0;
    for (int i = 0; i < 1000; ++i) {
        auto bytes = seeds[static_cast<std::size_t>(i) % seeds.size()];
        int flips = 1 + static_cast<int>(rng() % 4);
        for (int f = 0; f < flips; ++f) bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng());
        bytes.resize(bytes.size() - rng() % 8);
        // An exact-size copy, so reading past the end would leave the allocation.
        std::vector<std::uint8_t> exact(bytes);
        exact.shrink_to_fit();
        if (auto b = DecodeBmp(exact.data(), exact.size())) {
            ++decoded;
            EXPECT_LE(static_cast<std::int64_t>(b->Width()) * b->Height(), kMaxBmpPixels);
        }
    }
    EXPECT_GT(decoded, 0);
}

TEST(BmpDecode, CoreHeaderAndPackedDib) {
    std::vector<std::uint8_t> dib;
    Put(dib, 12, 4);
    Put(dib, 2, 2);
    Put(dib, 1, 2);
    Put(dib, 1, 2);
    Put(dib, 8, 2);
    for (std::uint32_t c : {0x0000FFu, 0x00FF00u}) Put(dib, c, 3);
    for (int i = 254; i > 0; --i) Put(dib, 0, 3);  // the rest of the 256-entry palette
    Put(dib, 0x0100, 2);                            // indexes 0, 1
    Put(dib, 0, 2);                                 // padding
    auto b = DecodeDib(dib.data(), dib.size());
    ASSERT_TRUE(b);
    EXPECT_EQ(b->GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(b->GetPixel(1, 0), 0x00FF00u);
}

TEST(BmpEncode, IndexedFilesDecodeToTheNearestPaletteColours) {
    Bitmap picture(7, 3);
    const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFE0101, 0x102030};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) picture.SetPixel(x, y, colours[(x + y) % 5]);
    std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
    for (int bits : {8, 4, 1}) {
        std::vector<std::uint32_t> pal = bits == 1 ? std::vector<std::uint32_t>{0xFF0000, 0x000000} : palette;
        auto bytes = EncodeBmpIndexed(picture, pal, bits);
        auto back = DecodeBmp(bytes.data(), bytes.size());
        ASSERT_TRUE(back) << bits;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(back->GetPixel(x, y), pal[NearestPaletteIndex(pal, picture.GetPixel(x, y))]) << bits;
        EXPECT_EQ(bytes[28], bits);
    }
    EXPECT_TRUE(EncodeBmp4(picture, std::vector<std::uint32_t>(17, 0)).empty());
    EXPECT_TRUE(EncodeBmp8(picture, {}).empty());
    auto bytes24 = EncodeBmp24(picture);
    auto back24 = DecodeBmp(bytes24.data(), bytes24.size());
    ASSERT_TRUE(back24);
    EXPECT_EQ(back24->GetPixel(3, 0), picture.GetPixel(3, 0));
    EXPECT_EQ(back24->GetPixel(6, 2), picture.GetPixel(6, 2));
}

TEST(BmpEncode, PaletteBuilding) {
    Bitmap few(4, 4, 0x808080);
    few.SetPixel(1, 1, 0xFF0000);
    few.SetPixel(2, 2, 0x0000FF);
    EXPECT_EQ(BuildPalette(few, 16), (std::vector<std::uint32_t>{0x0000FF, 0x808080, 0xFF0000}));

    // A smooth gradient of 4096 colours squeezed into 16 and 256 entries stays close.
    Bitmap gradient(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            gradient.SetPixel(x, y, static_cast<std::uint32_t>((x * 4) << 16 | (y * 4) << 8 | ((x + y) * 2)));
    for (int colours : {16, 256}) {
        auto palette = BuildPalette(gradient, colours);
        EXPECT_LE(static_cast<int>(palette.size()), colours);
        EXPECT_GE(static_cast<int>(palette.size()), colours * 3 / 4);
        double error = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                std::uint32_t p = gradient.GetPixel(x, y), q = palette[NearestPaletteIndex(palette, p)];
                for (int shift : {0, 8, 16}) error += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
            }
        double meanPerChannel = error / (64 * 64 * 3);
        EXPECT_LT(meanPerChannel, colours == 16 ? 16.0 : 4.0) << colours;
    }
}
