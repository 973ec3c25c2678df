// The editor's bitmaps: every one the panel and the controls copy from is embedded in the
// component, loads at the size their drawing depends on, and is the committed palettised file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "component/ComponentModule.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/BmpFile.h"

namespace {

struct ListedBitmap {
    unsigned id;
    int width;
    int height;
    int bitsPerPixel;
};

constexpr ListedBitmap kListed[] = {
    // Panel and preset chooser.
    {185, 583, 278, 8}, {215, 40, 30, 8}, {216, 108, 42, 8}, {223, 34, 28, 8}, {222, 285, 15, 8},
    // Contour control.
    {141, 9, 127, 8}, {144, 8, 18, 8}, {160, 8, 18, 4}, {196, 8, 108, 8}, {199, 78, 64, 8},
    {145, 5, 19, 8}, {161, 5, 19, 8}, {220, 17, 32, 8},
    // Stereo dry mixer.
    {159, 16, 103, 8}, {133, 13, 23, 8}, {157, 13, 22, 8}, {131, 24, 102, 8}, {197, 35, 14, 8},
    {189, 17, 32, 8}, {191, 17, 32, 8}, {219, 17, 34, 8},
};

std::string CommittedPath(unsigned id) {
    return std::string(KVX4_SOURCE_DIR) + "/resources/bitmaps/" + std::to_string(id) + ".bmp";
}

std::vector<std::uint8_t> ReadCommitted(unsigned id) {
    std::ifstream in(CommittedPath(id), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(ComponentBitmaps, EveryListedBitmapLoadsFromTheComponentAtItsSize) {
    for (const ListedBitmap& listed : kListed) {
        SCOPED_TRACE(listed.id);
        auto bitmap = ComponentModule().LoadBitmap(listed.id);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->Width(), listed.width);
        EXPECT_EQ(bitmap->Height(), listed.height);
        EXPECT_EQ(bitmap->resourceId, static_cast<int>(listed.id));
    }
}

TEST(ComponentBitmaps, CommittedFilesArePalettisedAtTheirListedDepth) {
    for (const ListedBitmap& listed : kListed) {
        SCOPED_TRACE(listed.id);
        std::vector<std::uint8_t> file = ReadCommitted(listed.id);
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Le32(file, 2), file.size());
        ASSERT_EQ(Le32(file, 14), 40u);  // BITMAPINFOHEADER
        EXPECT_EQ(static_cast<std::int32_t>(Le32(file, 18)), listed.width);
        EXPECT_EQ(static_cast<std::int32_t>(Le32(file, 22)), listed.height);
        EXPECT_EQ(Le16(file, 28), listed.bitsPerPixel);
        EXPECT_EQ(Le32(file, 30), 0u);  // BI_RGB, uncompressed
        std::uint32_t colours = Le32(file, 46);
        EXPECT_GE(colours, 2u);
        EXPECT_LE(colours, 1u << listed.bitsPerPixel);
        const std::size_t stride = (static_cast<std::size_t>(listed.width) * listed.bitsPerPixel + 31) / 32 * 4;
        EXPECT_EQ(Le32(file, 10), 54u + 4u * colours);
        EXPECT_EQ(file.size(), Le32(file, 10) + stride * listed.height);
    }
}

TEST(ComponentBitmaps, EmbeddedPicturesAreTheCommittedFiles) {
    for (const ListedBitmap& listed : kListed) {
        SCOPED_TRACE(listed.id);
        std::vector<std::uint8_t> file = ReadCommitted(listed.id);
        auto committed = win::DecodeBmp(file.data(), file.size());
        auto embedded = ComponentModule().LoadBitmap(listed.id);
        ASSERT_NE(committed, nullptr);
        ASSERT_NE(embedded, nullptr);
        ASSERT_EQ(committed->Width(), embedded->Width());
        ASSERT_EQ(committed->Height(), embedded->Height());
        const std::size_t n = static_cast<std::size_t>(committed->Width()) * committed->Height();
        EXPECT_TRUE(std::equal(committed->Pixels(), committed->Pixels() + n, embedded->Pixels()));
    }
}

TEST(ComponentBitmaps, TheBitmapFolderHoldsOnlyListedPictures) {
    std::set<std::string> listed;
    for (const ListedBitmap& b : kListed) listed.insert(std::to_string(b.id) + ".bmp");
    std::set<std::string> present;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KVX4_SOURCE_DIR) + "/resources/bitmaps"))
        if (entry.path().extension() == ".bmp") present.insert(entry.path().filename().string());
    EXPECT_EQ(present, listed);
}

}  // namespace
