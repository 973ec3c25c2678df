#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/ColorPalette.h"
#include "platform/module/Module.h"

using namespace win;

namespace {

int anchorA, anchorB;

TEST(ModuleStateTest, ScopeSwitchesAndRestoresAlsoOnException) {
    Module a("A", &anchorA), b("B", &anchorB);
    ModuleStateScope outer(a);
    EXPECT_EQ(CurrentModule(), &a);
    try {
        ModuleStateScope inner(b);
        EXPECT_EQ(CurrentModule(), &b);
        throw std::runtime_error("passes through");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(CurrentModule(), &a);
}

TEST(ModuleStateTest, StringsComeFromTheCurrentModuleAndAreTruncatedSafely) {
    Module a("A", &anchorA), b("B", &anchorB);
    a.AddString(61446, "Corvane FX 1 Control");
    b.AddString(61446, "other");
    ModuleStateScope scope(a);
    char buffer[8];
    EXPECT_EQ(LoadStringA(61446, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "Corvane");
    EXPECT_EQ(LoadStringA(1, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadStringResource(61446), "Corvane FX 1 Control");
    EXPECT_FALSE(a.FilePath().empty());
}

TEST(ModuleStateTest, BitmapsAreConvertedToTheDisplayFormatWhenLoaded) {
    Module a("A", &anchorA);
    Bitmap art(4, 2);
    art.SetPixel(0, 0, ToDisplay(RGB(200, 10, 20)));
    art.SetPixel(3, 1, ToDisplay(RGB(0, 0, 255)));
    static std::vector<std::uint8_t> eight, four;
    eight = EncodeBmp8(art, BuildPalette(art, 256));
    four = EncodeBmp4(art, BuildPalette(art, 16));
    a.AddBitmap(185, eight.data(), eight.size());
    a.AddBitmap(160, four.data(), four.size());
    ModuleStateScope scope(a);
    for (UINT id : {185u, 160u}) {
        auto loaded = LoadBitmap(id);
        ASSERT_NE(loaded, nullptr) << id;
        EXPECT_EQ(loaded->resourceId, static_cast<int>(id));
        EXPECT_EQ(FromDisplay(loaded->GetPixel(0, 0)), RGB(200, 10, 20)) << id;
        EXPECT_EQ(FromDisplay(loaded->GetPixel(3, 1)), RGB(0, 0, 255)) << id;
    }
    EXPECT_EQ(LoadBitmap(999), nullptr);
}

}  // namespace
