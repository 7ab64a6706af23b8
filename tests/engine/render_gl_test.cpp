#include "engine/font.h"
#include "engine/gl_state.h"
#include "engine/line_model.h"
#include "engine/texture.h"
#include "support/gl_window.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using cavtest::ClearScreen;
using cavtest::Framebuffer;
using cavtest::Rgba;
using cavtest::SaveTestImage;

namespace
{

::testing::Environment* const gWindow =
    ::testing::AddGlobalTestEnvironment(new cavtest::GLWindowEnvironment);

bool Lit(Rgba p)
{
    return p.r > 128 || p.g > 128 || p.b > 128;
}

bool Dark(Rgba p)
{
    return p.r < 8 && p.g < 8 && p.b < 8;
}

void TexturedQuad(unsigned int texture, float x0, float y0, float x1, float y1)
{
    BindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x0, y0);
    glTexCoord2f(1, 0);
    glVertex2f(x1, y0);
    glTexCoord2f(1, 1);
    glVertex2f(x1, y1);
    glTexCoord2f(0, 1);
    glVertex2f(x0, y1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

TEST(Video, WindowOpensAndLogsItsSteps)
{
    const std::string& log = cavtest::GLWindowEnvironment::VideoLog();
    EXPECT_EQ(log.find("\n[Initializing Video Settings]\n"), 0u);
    EXPECT_NE(log.find("Resolution Set: 640x480x32\n"), std::string::npos);
    EXPECT_NE(log.rfind("Complete...\n\n"), std::string::npos);
    // Vsync is logged only where the driver lets us set it, and never as disabled when asked
    // for; under Xvfb there is usually no line at all.
    EXPECT_EQ(log.find("Vsync Disabled."), std::string::npos);
    EXPECT_STREQ(getenv("SDL_VIDEO_CENTERED"), "center");
}

TEST(Video, ProjectionPutsTheOriginTopLeft)
{
    ClearScreen();
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(320, 0);
    glVertex2f(320, 240);
    glVertex2f(0, 240);
    glEnd();
    Framebuffer fb;
    EXPECT_TRUE(Lit(fb.At(5, 5)));
    EXPECT_TRUE(Lit(fb.At(315, 235)));
    EXPECT_TRUE(Dark(fb.At(325, 5)));
    EXPECT_TRUE(Dark(fb.At(5, 245)));
    EXPECT_TRUE(Dark(fb.At(635, 475)));
}

// A 3 x 2 image (rows of 9 bytes in RGB: not 4-byte aligned): red green blue / white black
// yellow, with alpha 255 except the black texel.
const unsigned char kTexels[6][4] = {{255, 0, 0, 255},     {0, 255, 0, 255}, {0, 0, 255, 255},
                                     {255, 255, 255, 255}, {0, 0, 0, 0},     {255, 255, 0, 255}};

std::vector<unsigned char> Texels(int channels)
{
    std::vector<unsigned char> out;
    for (const auto& t : kTexels)
        out.insert(out.end(), t, t + channels);
    return out;
}

// Draws the texture over 0..300 x 0..200 and checks each texel's colour at its place.
void ExpectTexels(unsigned int texture, bool greyOnly = false)
{
    ClearScreen();
    glBindTexture(GL_TEXTURE_2D, texture);
    SetTextureFilter(GL_NEAREST, GL_NEAREST);
    TexturedQuad(texture, 0, 0, 300, 200);
    Framebuffer fb;
    for (int i = 0; i < 6; ++i)
    {
        Rgba p = fb.At(50 + 100 * (i % 3), 50 + 100 * (i / 3));
        SCOPED_TRACE(i);
        if (greyOnly)
        {
            EXPECT_EQ(p.r, p.g);
            EXPECT_EQ(p.g, p.b);
            continue;
        }
        EXPECT_EQ(p.r, kTexels[i][0]);
        EXPECT_EQ(p.g, kTexels[i][1]);
        EXPECT_EQ(p.b, kTexels[i][2]);
    }
}

GLint InternalFormat(unsigned int texture)
{
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    return format;
}

TEST(Textures, RgbAndRgbaUploadUpright)
{
    std::vector<unsigned char> rgb = Texels(3), rgba = Texels(4);
    SaveTestImage("rgb.png", 3, 2, IL_RGB, IL_UNSIGNED_BYTE, 3, rgb.data());
    SaveTestImage("rgba.png", 3, 2, IL_RGBA, IL_UNSIGNED_BYTE, 4, rgba.data());
    SaveTestImage("bgr.bmp", 3, 2, IL_RGB, IL_UNSIGNED_BYTE, 3, rgb.data());
    std::vector<unsigned short> wide;
    for (unsigned char c : rgb)
        wide.push_back(static_cast<unsigned short>(c * 257));
    SaveTestImage("rgb16.png", 3, 2, IL_RGB, IL_UNSIGNED_SHORT, 3, wide.data());

    auto load = [](const char* path) {
        return LoadTexture({path, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP});
    };
    unsigned int fromRgb = load("rgb.png");
    unsigned int fromRgba = load("rgba.png");
    unsigned int fromBmp = load("bgr.bmp");
    unsigned int fromWide = load("rgb16.png");
    ASSERT_NE(fromRgb, 0u);
    ASSERT_NE(fromRgba, 0u);
    ASSERT_NE(fromBmp, 0u);
    ASSERT_NE(fromWide, 0u);
    EXPECT_EQ(InternalFormat(fromRgb), GL_RGB);
    EXPECT_EQ(InternalFormat(fromRgba), GL_RGBA);
    {
        SCOPED_TRACE("rgb");
        ExpectTexels(fromRgb);
    }
    {
        SCOPED_TRACE("rgba");
        ExpectTexels(fromRgba);
    }
    {
        SCOPED_TRACE("bmp (stored as BGR)");
        ExpectTexels(fromBmp);
    }
    {
        SCOPED_TRACE("16-bit");
        ExpectTexels(fromWide);
    }
    // The texture keeps the requested modes.
    GLint wrap = 0;
    glBindTexture(GL_TEXTURE_2D, fromRgb);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_CLAMP);

    // The same file through ILUT comes out the same way up.
    unsigned int viaIlut = LoadTextureILUT("rgba.png");
    ASSERT_NE(viaIlut, 0u);
    ExpectTexels(viaIlut);

    std::vector<unsigned char> grey{0, 60, 120, 180, 240, 255};
    SaveTestImage("grey.png", 3, 2, IL_LUMINANCE, IL_UNSIGNED_BYTE, 1, grey.data());
    unsigned int fromGrey = load("grey.png");
    ASSERT_NE(fromGrey, 0u);
    EXPECT_EQ(InternalFormat(fromGrey), GL_RGB);
    ExpectTexels(fromGrey, true);
}

// A glow texture that is white everywhere: beams then light exactly the quads they cover.
unsigned int WhiteGlow()
{
    std::vector<unsigned char> white(8 * 8 * 3, 255);
    SaveTestImage("white.png", 8, 8, IL_RGB, IL_UNSIGNED_BYTE, 3, white.data());
    return LoadTexture({"white.png", GL_NEAREST, GL_NEAREST, GL_CLAMP, GL_CLAMP});
}

Beam RedBeam(float x1, float y1, float x2, float y2)
{
    Beam beam;
    beam.CopyFrom(Segment(x1, y1, x2, y2));
    beam.startRed = beam.endRed = 1.0f;
    return beam;
}

TEST(Glow, BeamCoversItsLengthPlusCaps)
{
    unsigned int glow = WhiteGlow();
    ASSERT_NE(glow, 0u);
    ClearScreen();
    BindTexture(GL_TEXTURE_2D, glow);
    SetBlendFunc(GL_SRC_COLOR, GL_ONE);
    glBegin(GL_QUADS);
    DrawBeam(RedBeam(100, 100, 300, 100), 10);
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    Framebuffer fb;
    EXPECT_GT(fb.At(200, 100).r, 200);
    EXPECT_LT(fb.At(200, 100).g, 8);
    EXPECT_GT(fb.At(200, 93).r, 200);
    EXPECT_TRUE(Dark(fb.At(200, 115)));
    EXPECT_GT(fb.At(93, 100).r, 200);  // first cap
    EXPECT_GT(fb.At(307, 100).r, 200); // second cap
    EXPECT_TRUE(Dark(fb.At(85, 100)));
    EXPECT_TRUE(Dark(fb.At(315, 100)));
}

TEST(Glow, DisplayListsDrawInsideTheCallersQuads)
{
    unsigned int glow = WhiteGlow();
    // Names handed out before ours: the lists must not start at 1.
    GLuint earlier = glGenLists(5);
    ASSERT_NE(earlier, 0u);
    std::vector<LineModel> models(kModelSlotCount);
    models[3].beams.push_back(RedBeam(-40, 0, 40, 0));
    models[12].beams.push_back(RedBeam(0, -40, 0, 40));
    models[30].beams.push_back(RedBeam(-300, 0, 300, 0)); // drawn directly: no list
    GLuint base = BuildModelDisplayLists(models.data());
    ASSERT_NE(base, 0u);
    EXPECT_GT(base, earlier);
    EXPECT_TRUE(glIsList(base + 3));
    EXPECT_TRUE(glIsList(base + 36));

    ClearScreen();
    BindTexture(GL_TEXTURE_2D, glow);
    SetBlendFunc(GL_SRC_COLOR, GL_ONE);
    glPushMatrix();
    glTranslatef(160, 120, 0);
    glBegin(GL_QUADS);
    glCallList(base + 3);
    glEnd();
    glPopMatrix();
    glPushMatrix();
    glTranslatef(480, 360, 0);
    glBegin(GL_QUADS);
    glCallList(base + 12);
    glEnd();
    glPopMatrix();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    Framebuffer fb;
    EXPECT_GT(fb.At(160, 120).r, 200);
    EXPECT_GT(fb.At(195, 120).r, 200);
    EXPECT_GT(fb.At(160, 135).r, 200); // width 20 for slot 3
    EXPECT_TRUE(Dark(fb.At(160, 145)));
    EXPECT_GT(fb.At(480, 360).r, 200);
    EXPECT_GT(fb.At(494, 360).r, 200); // width 15 for slot 12
    EXPECT_TRUE(Dark(fb.At(498, 360)));
    EXPECT_TRUE(Dark(fb.At(10, 240))); // slot 30 compiled nothing
    glDeleteLists(base, kModelSlotCount + 1);
    glDeleteLists(earlier, 5);
}

TEST(Text, FontLoadRunsEveryStepAndFailsWhenEitherImageFails)
{
    std::vector<unsigned char> pixels(64 * 64 * 4, 255);
    SaveTestImage("Glyphs.png", 64, 64, IL_RGBA, IL_UNSIGNED_BYTE, 4, pixels.data());
    SaveTestImage("Shade.png", 64, 64, IL_RGBA, IL_UNSIGNED_BYTE, 4, pixels.data());

    Font noGlyphs;
    EXPECT_FALSE(noGlyphs.Load("missing.png", "Shade.png"));
    EXPECT_NE(noGlyphs.shadowTexture, 0u); // the shadow image is still loaded
    EXPECT_EQ(noGlyphs.glyphs[17].u, 0.0625f); // and the coordinates built
    Font noShadow;
    EXPECT_FALSE(noShadow.Load("Glyphs.png", "missing.png"));
    EXPECT_NE(noShadow.texture, 0u);
    Font both;
    EXPECT_TRUE(both.Load("Glyphs.png", "Shade.png"));
}

TEST(Text, GlyphsAndShadowLandWhereMeasured)
{
    // Glyph sheet: 'A' fills columns 0..19 of its cell, '1' columns 0..7; the shadow sheet
    // is opaque black, so the shadow dims what lies under it.
    std::vector<unsigned char> glyphs(512 * 512 * 4, 0), shadow(64 * 64 * 4, 0);
    auto fill = [&](int ch, int columns)
    {
        for (int y = 0; y < 32; ++y)
        {
            for (int x = 0; x < columns; ++x)
            {
                unsigned char* p = &glyphs[(((ch / 16) * 32 + y) * 512 + (ch % 16) * 32 + x) * 4];
                p[0] = p[1] = p[2] = p[3] = 255;
            }
        }
    };
    fill('A', 20);
    fill('1', 8);
    for (std::size_t i = 3; i < shadow.size(); i += 4)
        shadow[i] = 255;
    SaveTestImage("Fonts.png", 512, 512, IL_RGBA, IL_UNSIGNED_BYTE, 4, glyphs.data());
    SaveTestImage("Shadow.png", 64, 64, IL_RGBA, IL_UNSIGNED_BYTE, 4, shadow.data());

    Font font;
    ASSERT_TRUE(font.Load("Fonts.png", "Shadow.png"));
    EXPECT_NE(font.shadowTexture, 0u);
    EXPECT_NE(font.shadowTexture, font.texture);
    EXPECT_EQ(font.glyphs['A'].width, 20);
    EXPECT_EQ(font.glyphs['1'].width, 8);

    // On a grey ground the black shadow shows as darker quads 4 units down and right.
    ClearScreen();
    glColor4f(0.5f, 0.5f, 0.5f, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(640, 0);
    glVertex2f(640, 480);
    glVertex2f(0, 480);
    glEnd();
    font.SetAlign(0);
    font.SetColor(1, 1, 1, 1);
    font.DrawText("A1", 100, 300);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    Framebuffer fb;
    auto grey = [](Rgba p) { return p.r > 100 && p.r < 160; };
    EXPECT_TRUE(Lit(fb.At(102, 302)) && !grey(fb.At(102, 302))); // inside 'A'
    EXPECT_TRUE(Lit(fb.At(118, 330)) && !grey(fb.At(118, 330)));
    EXPECT_TRUE(Lit(fb.At(122, 310)) && !grey(fb.At(122, 310))); // '1' starts 20 units on
    EXPECT_TRUE(Dark(fb.At(131, 310))); // past the 8 columns of '1': its shadow
    EXPECT_TRUE(Dark(fb.At(155, 335))); // the shadow's far corner
    EXPECT_TRUE(grey(fb.At(140, 302))); // above the shadow
    EXPECT_TRUE(grey(fb.At(158, 320))); // right of it
    EXPECT_TRUE(grey(fb.At(98, 300)));
    font.FreeTexture();
}

} // namespace
