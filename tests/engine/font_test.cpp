#include "engine/font.h"

#include "support/capture_sink.h"
#include "support/log_capture.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using cavtest::CapturedVertex;
using cavtest::CaptureSink;

namespace
{

// An RGBA sheet of 16 x 16 cells; Fill sets alpha on one column span of one cell.
struct Sheet
{
    int size;
    std::vector<unsigned char> rgba;
    explicit Sheet(int s) : size(s), rgba(static_cast<std::size_t>(s) * s * 4, 0) {}
    void Fill(int ch, int firstColumn, int lastColumn, int rowInCell = 0, unsigned char a = 255)
    {
        int cell = size / 16;
        int y = (ch / 16) * cell + rowInCell;
        for (int c = firstColumn; c <= lastColumn; ++c)
        {
            int x = (ch % 16) * cell + c;
            rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] = a;
        }
    }
};

// A font with chosen glyph widths and texture names that do not follow each other.
Font MakeFont(std::initializer_list<std::pair<char, int>> widths)
{
    Font font;
    for (auto [ch, width] : widths)
        font.glyphs[static_cast<unsigned char>(ch)].width = width;
    font.texture = 3;
    font.shadowTexture = 9;
    return font;
}

// The quads of one captured pass: the upper-left vertex of each.
std::vector<CapturedVertex> Corners(const CaptureSink& sink, int block)
{
    std::vector<CapturedVertex> out;
    for (std::size_t i = 0; i < sink.vertices.size(); i += 4)
    {
        if (sink.vertices[i].block == block)
            out.push_back(sink.vertices[i]);
    }
    return out;
}

TEST(Font, MeasuresGlyphsByAlphaColumns)
{
    Sheet sheet(512); // 32 x 32 pixel cells
    sheet.Fill('A', 3, 12, 5);
    sheet.Fill('A', 20, 20, 31);  // a lone column on the cell's last row
    sheet.Fill('B', 0, 31, 0, 1); // faint alpha still counts
    sheet.Fill(255, 30, 31, 7);   // the last cell of the sheet
    Font font;
    font.MeasureGlyphs(sheet.rgba.data(), 512, 512);
    EXPECT_EQ(font.glyphs['A'].width, 11);
    EXPECT_EQ(font.glyphs['B'].width, 32);
    EXPECT_EQ(font.glyphs['C'].width, 0);
    EXPECT_EQ(font.glyphs[255].width, 2);

    Sheet small(256); // 16 x 16 pixel cells
    small.Fill('1', 2, 9, 15);
    font.MeasureGlyphs(small.rgba.data(), 256, 256);
    EXPECT_EQ(font.glyphs['1'].width, 8);

    EXPECT_FLOAT_EQ(font.glyphs['A'].u, 0.0625f);
    EXPECT_FLOAT_EQ(font.glyphs['A'].v, 0.25f);
    EXPECT_FLOAT_EQ(font.glyphs[255].u, 0.9375f);
}

TEST(Font, TextWidthCountsBlanksAndFixedDigits)
{
    Font font = MakeFont({{'A', 20}, {'B', 20}, {'1', 8}, {'i', 2}});
    EXPECT_FLOAT_EQ(font.TextWidth("A B"), 50);
    font.SetFixedWidth();
    EXPECT_FLOAT_EQ(font.TextWidth("A B"), 50);
    font.SetScale(2, 2);
    EXPECT_FLOAT_EQ(font.TextWidth("1 1"), 100);
    font.ClearFixedWidth();
    EXPECT_FLOAT_EQ(font.TextWidth("1 1"), 52);
    // A glyph narrower than 3 pixels counts at its width here, though it is drawn as a blank.
    font.SetScale(1, 1);
    EXPECT_FLOAT_EQ(font.TextWidth("i"), 2);
    // Codes above 127 are blanks: 10 each, and no lookup with a negative index.
    EXPECT_FLOAT_EQ(font.TextWidth("\xC9\xFF"), 20);
    EXPECT_FLOAT_EQ(font.TextWidth(""), 0);
}

TEST(Font, RightAlignedTextEndsAtX)
{
    Font font = MakeFont({{'A', 20}, {'B', 25}});
    font.DisableShadow();
    font.SetAlign(2);
    font.SetColor(1, 0.5f, 0.25f, 0.75f);
    CaptureSink sink;
    {
        ScopedVertexSink use(sink);
        font.DrawText("AB", 620, 40);
    }
    ASSERT_EQ(sink.blockModes, std::vector<unsigned>{GL_QUADS});
    ASSERT_EQ(sink.vertices.size(), 8u);
    std::vector<CapturedVertex> quads = Corners(sink, 0);
    EXPECT_FLOAT_EQ(quads[0].x, 575);
    EXPECT_FLOAT_EQ(quads[1].x, 595);
    EXPECT_FLOAT_EQ(quads[1].x + 25, 620);
    EXPECT_FLOAT_EQ(quads[0].rgba[1], 0.5f);
    EXPECT_FLOAT_EQ(quads[0].rgba[3], 0.75f);
    EXPECT_EQ(quads[0].texture, 3u);

    // The four corners of 'B' (66: column 2, row 4) with their texture coordinates.
    const CapturedVertex* b = &sink.vertices[4];
    const float expect[4][4] = {{595, 40, 0.125f, 0.25f},
                                {627, 40, 0.1875f, 0.25f},
                                {627, 72, 0.1875f, 0.3125f},
                                {595, 72, 0.125f, 0.3125f}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_FLOAT_EQ(b[i].x, expect[i][0]);
        EXPECT_FLOAT_EQ(b[i].y, expect[i][1]);
        EXPECT_FLOAT_EQ(b[i].u, expect[i][2]);
        EXPECT_FLOAT_EQ(b[i].v, expect[i][3]);
    }
}

TEST(Font, ShadowPassComesFirstWithItsOwnTexture)
{
    Font font = MakeFont({{'A', 20}});
    font.SetAlign(0);
    font.SetScale(0.75f, 0.75f);
    CaptureSink sink;
    {
        ScopedVertexSink use(sink);
        font.DrawText("A", 100, 100);
    }
    ASSERT_EQ(sink.blockModes.size(), 2u);
    std::vector<CapturedVertex> shadow = Corners(sink, 0);
    std::vector<CapturedVertex> main = Corners(sink, 1);
    ASSERT_EQ(shadow.size(), 1u);
    ASSERT_EQ(main.size(), 1u);
    EXPECT_FLOAT_EQ(shadow[0].x, 103);
    EXPECT_FLOAT_EQ(shadow[0].y, 103);
    EXPECT_EQ(shadow[0].texture, 9u); // the stored shadow name, not texture + 1
    EXPECT_FLOAT_EQ(main[0].x, 100);
    EXPECT_EQ(main[0].texture, 3u);
    EXPECT_FLOAT_EQ(sink.vertices[6].x, 100 + 24); // 32 x 0.75
}

TEST(Font, BlanksNarrowGlyphsHighCodesAndFixedDigits)
{
    Font font = MakeFont({{'A', 20}, {'i', 2}, {'1', 8}, {'7', 14}});
    font.DisableShadow();
    font.SetAlign(0);
    CaptureSink sink;
    {
        ScopedVertexSink use(sink);
        font.DrawText("A\xE9i A", 0, 0); // e-acute in Latin-1, then a 2-pixel glyph
        font.SetFixedWidth();
        font.DrawText("17 7", 0, 0);
    }
    std::vector<CapturedVertex> text = Corners(sink, 0);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_FLOAT_EQ(text[1].x, 20 + 10 + 10 + 10);
    std::vector<CapturedVertex> digits = Corners(sink, 1);
    ASSERT_EQ(digits.size(), 3u);
    EXPECT_FLOAT_EQ(digits[1].x, 20);
    EXPECT_FLOAT_EQ(digits[2].x, 50);
}

TEST(Font, CentredWaveMovesEachGlyphByTheDoubleSine)
{
    Font font = MakeFont({{'A', 20}, {'B', 10}});
    font.DisableShadow();
    font.SetWave(0.05f, 8);
    CaptureSink sink;
    {
        ScopedVertexSink use(sink);
        font.DrawText("AB", 320, 200);
    }
    std::vector<CapturedVertex> quads = Corners(sink, 0);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[0].x, 305);
    EXPECT_FLOAT_EQ(quads[1].x, 325);
    for (const CapturedVertex& q : quads)
        EXPECT_FLOAT_EQ(q.y, 200 + std::sin(std::sin(q.x * 0.05f)) * 8);
    EXPECT_NE(quads[0].y, quads[1].y);

    font.ClearWave();
    sink.vertices.clear();
    {
        ScopedVertexSink use(sink);
        font.DrawText("AB", 320, 200);
    }
    EXPECT_FLOAT_EQ(sink.vertices[4].y, 200);
}

// Sheets saved by DevIL in odd layouts load, convert and measure without reading past
// their pixels (the address sanitizer watches the reads).
class FontSheetFiles : public cavtest::TempDirTest
{
protected:
    static void SetUpTestSuite() { ilInit(); }

    // A 256 x 256 sheet in the given DevIL format with glyph '!' covering columns 4..9.
    static void Save(const char* path, ILenum format, int channels)
    {
        std::vector<unsigned char> pixels(256 * 256 * channels, 0);
        for (int x = 1 * 16 + 4; x <= 1 * 16 + 9; ++x)
        {
            int y = 2 * 16 + 3; // '!' is 33: column 1, row 2
            for (int c = 0; c < channels; ++c)
                pixels[(y * 256 + x) * channels + c] = 200;
        }
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        ASSERT_TRUE(ilTexImage(256, 256, 1, channels, format, IL_UNSIGNED_BYTE, pixels.data()));
        ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT); // row 0 of `pixels` is the top
        ilEnable(IL_FILE_OVERWRITE);
        ASSERT_TRUE(ilSaveImage(path));
        ilDeleteImages(1, &image);
    }
};

TEST_F(FontSheetFiles, GreyAlphaAndOpaqueSheets)
{
    cavtest::LogCapture log;
    Save("grey_alpha.png", IL_LUMINANCE_ALPHA, 2);
    Save("rgb.png", IL_RGB, 3);
    Font font;
    ASSERT_TRUE(font.LoadGlyphTexture("grey_alpha.png"));
    EXPECT_EQ(font.glyphs['!'].width, 6);
    EXPECT_EQ(font.glyphs['"'].width, 0);

    // Without alpha every pixel is opaque after conversion: each glyph fills its cell.
    ASSERT_TRUE(font.LoadGlyphTexture("rgb.png"));
    EXPECT_EQ(font.glyphs['"'].width, 16);

    EXPECT_FALSE(font.LoadGlyphTexture("nothing.psd"));
    EXPECT_NE(log.Text().find("Image Loaded:grey_alpha.png.\n"), std::string::npos);
    EXPECT_NE(log.Text().find("Failed to load fontset: nothing.psd!\n"), std::string::npos);
}

} // namespace
