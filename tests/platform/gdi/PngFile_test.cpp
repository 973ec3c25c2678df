#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/gdi/PngFile.h"

using namespace win;

TEST(PngFile, RoundTripsThroughFileAndMemory) {
    Bitmap picture(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) picture.SetPixel(x, y, static_cast<std::uint32_t>(x * 0x330000 + y * 0x004400 + 0x11));
    auto path = (std::filesystem::temp_directory_path() / ("gdi_png_test_" + std::to_string(::getpid()) + ".png")).string();
    ASSERT_TRUE(WritePng(picture, path));
    auto fromFile = ReadPng(path);
    std::filesystem::remove(path);
    auto bytes = EncodePng(picture);
    auto fromMemory = DecodePng(bytes.data(), bytes.size());
    for (const auto& back : {fromFile, fromMemory}) {
        ASSERT_TRUE(back);
        ASSERT_EQ(back->Width(), 5);
        ASSERT_EQ(back->Height(), 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(back->GetPixel(x, y), picture.GetPixel(x, y));
    }
}

TEST(PngFile, CorruptOrMissingGivesNull) {
    Bitmap picture(3, 3, 0xABCDEF);
    auto bytes = EncodePng(picture);
    ASSERT_FALSE(bytes.empty());
    for (std::size_t n : {std::size_t{0}, std::size_t{8}, std::size_t{30}, bytes.size() / 2}) {
        EXPECT_FALSE(DecodePng(bytes.data(), n)) << n;
    }
    EXPECT_FALSE(ReadPng("/nonexistent/dir/none.png"));
    EXPECT_FALSE(WritePng(Bitmap(0, 0), "/tmp/never-written.png"));
}
