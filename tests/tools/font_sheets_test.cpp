// The font sheets in the run folder, read the way the game reads them: DevIL loads each
// 512 x 512 PSD with real alpha, and the glyph widths measured from the alpha columns
// obey the game's rules (every visible glyph at least 3 columns, digits at most 20,
// nothing outside the visible codes). Also: the sheets are rebuilt byte for byte.
#include "support/temp_dir.h"
#include "tools/devil_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace
{

const int kCell = 32;

const std::string kFonts = std::string(CAV_RUN_DIR) + "/Data/Gfx/Fonts.psd";
const std::string kFonts2 = std::string(CAV_RUN_DIR) + "/Data/Gfx/Fonts2.psd";
const std::string kShadow = std::string(CAV_RUN_DIR) + "/Data/Gfx/FontShadow.psd";

// The game's measure: columns of the cell holding any non-zero alpha.
int GlyphWidth(const cavtest::LoadedImage& sheet, int code)
{
    int ox = (code % 16) * kCell;
    int oy = (code / 16) * kCell;
    int columns = 0;
    for (int x = 0; x < kCell; ++x)
    {
        for (int y = 0; y < kCell; ++y)
        {
            if (sheet.At(ox + x, oy + y)[3] != 0)
            {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

int MaxAlpha(const cavtest::LoadedImage& sheet, int code)
{
    int ox = (code % 16) * kCell;
    int oy = (code / 16) * kCell;
    int best = 0;
    for (int y = 0; y < kCell; ++y)
    {
        for (int x = 0; x < kCell; ++x)
            best = std::max<int>(best, sheet.At(ox + x, oy + y)[3]);
    }
    return best;
}

// Lowest row of the cell where the glyph's body is solid: the baseline for glyphs that
// sit on it.
int BottomRow(const cavtest::LoadedImage& sheet, int code)
{
    int ox = (code % 16) * kCell;
    int oy = (code / 16) * kCell;
    for (int y = kCell - 1; y >= 0; --y)
    {
        for (int x = 0; x < kCell; ++x)
        {
            if (sheet.At(ox + x, oy + y)[3] >= 160)
                return y;
        }
    }
    return -1;
}

// Brightness of the colour where the glyph is most solid.
int InkBrightness(const cavtest::LoadedImage& sheet, int code)
{
    int ox = (code % 16) * kCell;
    int oy = (code / 16) * kCell;
    int bestAlpha = -1, brightness = 0;
    for (int y = 0; y < kCell; ++y)
    {
        for (int x = 0; x < kCell; ++x)
        {
            const uint8_t* p = sheet.At(ox + x, oy + y);
            if (p[3] > bestAlpha)
            {
                bestAlpha = p[3];
                brightness = (p[0] + p[1] + p[2]) / 3;
            }
        }
    }
    return brightness;
}

void ExpectGameRules(const std::string& path)
{
    SCOPED_TRACE(path);
    cavtest::LoadedImage sheet = cavtest::LoadWithDevil(path);
    ASSERT_TRUE(sheet.ok);
    ASSERT_EQ(sheet.width, 512);
    ASSERT_EQ(sheet.height, 512);
    EXPECT_EQ(sheet.bytesPerPixel, 4);
    for (int code = 0; code < 256; ++code)
    {
        int width = GlyphWidth(sheet, code);
        if (code < 33 || code > 126)
        {
            EXPECT_EQ(width, 0) << "code " << code << " must be blank";
            continue;
        }
        EXPECT_GE(width, 3) << "'" << char(code) << "' would be skipped as a blank";
        // Solid ink, not just a haze: real alpha from 0 to fully opaque.
        EXPECT_EQ(MaxAlpha(sheet, code), 255) << "'" << char(code) << "'";
        EXPECT_GE(InkBrightness(sheet, code), 200) << "'" << char(code) << "' is not light";
        if (code >= '0' && code <= '9')
        {
            EXPECT_LE(width, 20) << "digit '" << char(code) << "' wider than its fixed advance";
        }
    }
}

TEST(FontSheets, MainAndNumberFontsFollowTheGameRules)
{
    ExpectGameRules(kFonts);
    ExpectGameRules(kFonts2);
}

TEST(FontSheets, GlyphsShareOneBaselineAcrossBothFonts)
{
    cavtest::LoadedImage main = cavtest::LoadWithDevil(kFonts);
    cavtest::LoadedImage numbers = cavtest::LoadWithDevil(kFonts2);
    ASSERT_TRUE(main.ok && numbers.ok);
    const int baseline = BottomRow(main, 'H');
    EXPECT_GT(baseline, 16);
    EXPECT_LT(baseline, 28); // room for descenders below
    for (char ch : std::string("ABEHIKLMNTXZ01479acemnxz"))
        EXPECT_EQ(BottomRow(main, ch), baseline) << "main font '" << ch << "'";
    // Numbers stand on the same line as the labels beside them.
    for (char ch : std::string("0123456789"))
        EXPECT_EQ(BottomRow(numbers, ch), baseline) << "number font '" << ch << "'";
    // Descenders reach below the line and stay inside the cell.
    EXPECT_GT(BottomRow(main, 'g'), baseline);
    EXPECT_GT(BottomRow(main, 'p'), baseline);
}

TEST(FontSheets, NumberFontDigitsCentreInTheirFixedAdvance)
{
    // In fixed-width mode each digit gets 20 pixels from the left of its cell; a digit
    // drawn off-centre makes "111" and "888" look unevenly spaced.
    cavtest::LoadedImage numbers = cavtest::LoadWithDevil(kFonts2);
    ASSERT_TRUE(numbers.ok);
    for (int code = '0'; code <= '9'; ++code)
    {
        int ox = (code % 16) * kCell, oy = (code / 16) * kCell;
        int first = kCell, last = -1;
        for (int x = 0; x < kCell; ++x)
        {
            for (int y = 0; y < kCell; ++y)
            {
                if (numbers.At(ox + x, oy + y)[3] != 0)
                {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        EXPECT_NEAR((first + last) / 2.0, 10.5, 2.0) << "digit '" << char(code) << "'";
    }
}

TEST(FontSheets, ShadowIsADarkSoftCopyOfTheMainFont)
{
    cavtest::LoadedImage shadow = cavtest::LoadWithDevil(kShadow);
    cavtest::LoadedImage main = cavtest::LoadWithDevil(kFonts);
    ASSERT_TRUE(shadow.ok && main.ok);
    ASSERT_EQ(shadow.width, 512);
    ASSERT_EQ(shadow.height, 512);
    for (int code = 0; code < 256; ++code)
    {
        if (code < 33 || code > 126)
        {
            EXPECT_EQ(GlyphWidth(shadow, code), 0) << "code " << code;
            continue;
        }
        EXPECT_GE(GlyphWidth(shadow, code), 3) << "'" << char(code) << "'";
        int strongest = MaxAlpha(shadow, code);
        EXPECT_GT(strongest, 100) << "'" << char(code) << "'";
        EXPECT_LT(strongest, 255) << "'" << char(code) << "' is not soft";
        EXPECT_LE(InkBrightness(shadow, code), 40) << "'" << char(code) << "' is not dark";
    }
    // Same cell layout: the shadow of 'I' lies over the main font's 'I'.
    int ox = ('I' % 16) * kCell, oy = ('I' / 16) * kCell;
    int overlap = 0;
    for (int y = 0; y < kCell; ++y)
    {
        for (int x = 0; x < kCell; ++x)
            overlap += main.At(ox + x, oy + y)[3] == 255 && shadow.At(ox + x, oy + y)[3] > 100;
    }
    EXPECT_GT(overlap, 20);
}

class FontSheetTool : public cavtest::TempDirTest
{
};

TEST_F(FontSheetTool, RebuildsTheSameBytes)
{
    std::string command = std::string(CAV_BINARY_DIR) + "/tools/fontsheet/fontsheet " +
                          CAV_SOURCE_DIR + "/content/fonts out";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : {"Fonts.psd", "Fonts2.psd", "FontShadow.psd"})
    {
        std::string rebuilt = cavtest::ReadFile(std::string("out/Data/Gfx/") + name);
        ASSERT_FALSE(rebuilt.empty()) << name;
        EXPECT_TRUE(rebuilt == cavtest::ReadFile(std::string(CAV_RUN_DIR) + "/Data/Gfx/" + name))
            << name << " differs between two runs";
    }
}

TEST_F(FontSheetTool, RefusesABrokenSourceWithoutWritingAnything)
{
    cavtest::CopyTree(std::string(CAV_SOURCE_DIR) + "/content/fonts", "fonts");
    std::string recipe = cavtest::ReadFile("fonts/number_font.txt");
    // Digits of 17 columns against a limit of 14.
    size_t at = recipe.find("max_digit_width = ");
    ASSERT_NE(at, std::string::npos);
    recipe.replace(at, recipe.find('\n', at) - at, "max_digit_width = 14");
    cavtest::WriteFile("fonts/number_font.txt", recipe);
    std::string command =
        std::string(CAV_BINARY_DIR) + "/tools/fontsheet/fontsheet fonts out " + "2> errors.txt";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_NE(cavtest::ReadFile("errors.txt").find("digit"), std::string::npos);
    EXPECT_FALSE(cavtest::FileExists("out/Data/Gfx/Fonts2.psd"));
}

} // namespace
