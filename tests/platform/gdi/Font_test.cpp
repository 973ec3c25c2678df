#include <gtest/gtest.h>

#include "platform/gdi/Font.h"
#include "platform/gdi/FontMatcher.h"
#include "platform/gdi/TextCodec.h"

using namespace win;

namespace {

std::shared_ptr<Font> Make(const char* face, int height, int weight = FW_NORMAL, bool italic = false, int quality = 0) {
    return CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET, 0, 0, static_cast<DWORD>(quality), 0, face);
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(Font, HeightSemantics) {
    for (int h : {-8, -11, -13, -16, -24, -40}) {
        TEXTMETRICA tm = Make("Arial", h)->TextMetrics();
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -h) << h;
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent) << h;
        EXPECT_GT(tm.tmInternalLeading, 0) << h;
    }
    for (int h : {9, 13, 16, 20, 33}) {
        TEXTMETRICA tm = Make("Arial", h)->TextMetrics();
        EXPECT_EQ(tm.tmHeight, h) << h;
        EXPECT_LT(tm.tmHeight - tm.tmInternalLeading, h) << h;
    }
    TEXTMETRICA byDefault = Make("Arial", 0)->TextMetrics();
    EXPECT_EQ(byDefault.tmHeight - byDefault.tmInternalLeading, 16);
    // Absurd sizes are clamped rather than rendered.
    EXPECT_LE(Make("Arial", -1000000)->TextMetrics().tmHeight, 2048 * 2);
    // Stretching with lfWidth widens text in proportion.
    auto normal = Make("Arial", -12);
    auto wide = CreateFontA(-12, normal->TextMetrics().tmAveCharWidth * 2, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    double ratio = double(wide->GetTextExtent("Frequency").cx) / normal->GetTextExtent("Frequency").cx;
    EXPECT_NEAR(ratio, 2.0, 0.25);
}

TEST(Font, WeightAndSlantPickTheMatchingFace) {
    EXPECT_TRUE(EndsWith(Make("Arial", -12, 400)->FilePath(), "LiberationSans-Regular.ttf"));
    EXPECT_TRUE(EndsWith(Make("Arial", -12, 500)->FilePath(), "LiberationSans-Regular.ttf"));
    EXPECT_TRUE(EndsWith(Make("Arial", -12, 0)->FilePath(), "LiberationSans-Regular.ttf"));
    EXPECT_TRUE(EndsWith(Make("Arial", -12, 700)->FilePath(), "LiberationSans-Bold.ttf"));
    EXPECT_TRUE(EndsWith(Make("Arial", -12, 400, true)->FilePath(), "LiberationSans-Italic.ttf"));
    EXPECT_EQ(Make("Arial", -12, 700)->TextMetrics().tmWeight, 700);
    EXPECT_GT(Make("Arial", -12, 700)->GetTextExtent("Output Gain").cx, Make("Arial", -12)->GetTextExtent("Output Gain").cx);
    EXPECT_TRUE(EndsWith(Make("Courier New", -12)->FilePath(), "LiberationMono-Regular.ttf"));
}

TEST(Font, DialogFaceSubstitutionAndBaseUnits) {
    auto dialog = Make("MS Sans Serif", -11);
    EXPECT_EQ(dialog->FamilyName(), "Liberation Sans");
    EXPECT_EQ(DialogBaseUnits(*dialog), (Size{6, 13}));
    auto gui = GetStockFont(DEFAULT_GUI_FONT);
    ASSERT_TRUE(gui);
    EXPECT_EQ(gui->LogFont().lfHeight, -11);
    EXPECT_EQ(DialogBaseUnits(*gui), (Size{6, 13}));
    EXPECT_EQ(DialogBaseUnits(*Make("Arial", -11)), (Size{6, 13}));
    // What fontconfig alone would give: a markedly wider face.
    auto unknown = Make("No Such Face Anywhere", -11);
    EXPECT_GT(DialogBaseUnits(*unknown).cx, 6);
    EXPECT_EQ(SubstituteFaceName("ms sans serif "), "Liberation Sans");
    EXPECT_EQ(SubstituteFaceName("Segoe Print"), "Segoe Print");
    EXPECT_EQ(GetStockFont(SYSTEM_FONT)->TextMetrics().tmHeight, 16);
    EXPECT_EQ(GetStockFont(WHITE_BRUSH), nullptr);
}

// Labels laid out for MS Sans Serif's bitmaps fit its stand-in: these are the widths of the labels
// of the automation dialog, whose boxes hold 45 and 46 pixels, and of the 52 letters (323 pixels
// in the bitmap face), which fix the dialog base units.
TEST(Font, MsSansSerifStandInIsAsNarrowAsTheBitmapFaceAndUnsmoothed) {
    auto dialog = Make("MS Sans Serif", -11);
    EXPECT_LE(dialog->GetTextExtent("Controller").cx, 45);
    EXPECT_LE(dialog->GetTextExtent("MIDI Port").cx, 46);
    const int letters = dialog->GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").cx;
    EXPECT_GE(letters, 310);
    EXPECT_LE(letters, 330);
    EXPECT_TRUE(dialog->IsMonochrome());
    EXPECT_TRUE(Make("ms shell dlg", -11)->IsMonochrome());
    // TrueType faces keep their widths and their smoothing unless asked otherwise.
    auto arial = Make("Arial", -11);
    EXPECT_GT(arial->GetTextExtent("Controller").cx, dialog->GetTextExtent("Controller").cx);
    EXPECT_FALSE(arial->IsMonochrome());
    EXPECT_TRUE(Make("Arial", -11, FW_NORMAL, false, NONANTIALIASED_QUALITY)->IsMonochrome());
}

TEST(Font, ExtentsAddUp) {
    auto font = Make("MS Sans Serif", -11);
    EXPECT_EQ(font->GetTextExtent("").cx, 0);
    EXPECT_EQ(font->GetTextExtent(""), (Size{0, 13}));
    int a = font->GetTextExtent("Low ").cx, b = font->GetTextExtent("Shelf").cx;
    EXPECT_EQ(font->GetTextExtent("Low Shelf").cx, a + b);  // whole-pixel advances, no kerning
    EXPECT_LT(font->GetTextExtent("iiii").cx, font->GetTextExtent("WWWW").cx);
    // Windows-1252 and UTF-8 spellings of the same text measure alike.
    EXPECT_EQ(font->GetTextExtent("12\xB0").cx, font->GetTextExtent("12\xC2\xB0").cx);
}

TEST(TextCodec, Cp1252AndUtf8) {
    std::u32string out;
    DecodeText("A\x80\xB5", out);  // euro, micro in Windows-1252
    EXPECT_EQ(out, U"A\u20AC\u00B5");
    DecodeText("\xC2\xB5s \xE2\x82\xAC", out);  // the same as UTF-8
    EXPECT_EQ(out, U"\u00B5s \u20AC");
    DecodeText("\xC3\x28", out);  // not UTF-8: two Windows-1252 characters
    EXPECT_EQ(out, U"\u00C3(");
    EXPECT_EQ(Cp1252ToUnicode(0x81), U'\x81');
}
