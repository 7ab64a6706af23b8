// Every art file the game ships loads through the engine's own loaders and has a size the
// game can use. The files are built into CAV_RUN_DIR by the asset tools.
#include "engine/font.h"
#include "engine/line_model.h"
#include "engine/texture.h"

#include <IL/il.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{

const std::string kRun = std::string(CAV_RUN_DIR) + "/";

class ShippedArt : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ilInit();
        ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
        ilEnable(IL_ORIGIN_SET);
    }
};

void ExpectPlausibleModel(const std::string& name, float scale)
{
    SCOPED_TRACE(name);
    LineModel model;
    ASSERT_TRUE(LineModel::Load((kRun + "Data/Objects/" + name + ".obj").c_str(), model));
    ASSERT_FALSE(model.beams.empty());
    LineModel::Scale(model, scale);
    float reach = 0.0f;
    for (const Beam& b : model.beams)
    {
        ASSERT_TRUE(std::isfinite(b.x1) && std::isfinite(b.y1) && std::isfinite(b.x2) &&
                    std::isfinite(b.y2));
        EXPECT_GT(b.length, 0.0f); // a zero-length beam would have no normal to glow along
        for (float c : {b.startRed, b.startGreen, b.startBlue, b.endRed, b.endGreen, b.endBlue})
        {
            EXPECT_GE(c, 0.0f);
            EXPECT_LE(c, 1.0f);
        }
        reach = std::max({reach, std::hypot(b.x1, b.y1), std::hypot(b.x2, b.y2)});
    }
    // Seen on the 640 x 480 screen: bigger than a few units, never wider than the screen.
    EXPECT_GT(reach, 2.0f);
    EXPECT_LT(reach, 330.0f);
}

TEST_F(ShippedArt, EveryModelSlotAndOutlineLoads)
{
    for (const ModelSlot& slot : kModelSlots)
        ExpectPlausibleModel(slot.name, slot.scale);
    // The editor's own outlines.
    ExpectPlausibleModel("Arrow", 0.25f);
    ExpectPlausibleModel("Volcano", 0.25f);
    ExpectPlausibleModel("TargetInfo", 0.25f);
}

TEST_F(ShippedArt, FontSheetsMeasureByTheGameRules)
{
    for (const char* sheet : {"Fonts.psd", "Fonts2.psd"})
    {
        SCOPED_TRACE(sheet);
        Font font;
        ASSERT_TRUE(font.LoadGlyphTexture(kRun + "Data/Gfx/" + sheet));
        for (int ch = '!'; ch <= '~'; ++ch)
        {
            EXPECT_GE(font.glyphs[ch].width, 3) << char(ch); // narrower ones vanish
            EXPECT_LE(font.glyphs[ch].width, 32) << char(ch);
        }
        for (int ch = '0'; ch <= '9'; ++ch)
            EXPECT_LE(font.glyphs[ch].width, 20) << char(ch); // fits the fixed advance
        EXPECT_EQ(font.glyphs[' '].width, 0);
        EXPECT_EQ(font.glyphs[200].width, 0);
    }
}

TEST_F(ShippedArt, ImagesLoadWithUsableSizes)
{
    struct Expect
    {
        const char* path;
        int minSize, maxSize;
        bool alpha;
    } const images[] = {{"Data/Gfx/FontShadow.psd", 512, 512, true},
                        {"Data/GFX/BeamParticle.png", 16, 256, false},
                        {"Data/GFX/Pebbleware.psd", 64, 1024, false}};
    for (const Expect& e : images)
    {
        SCOPED_TRACE(e.path);
        ILuint image = LoadImageFile(kRun + e.path);
        ASSERT_NE(image, 0u);
        int w = ilGetInteger(IL_IMAGE_WIDTH), h = ilGetInteger(IL_IMAGE_HEIGHT);
        EXPECT_GE(std::max(w, h), e.minSize);
        EXPECT_LE(std::max(w, h), e.maxSize);
        EXPECT_GT(std::min(w, h), 0);
        ASSERT_TRUE(ConvertBoundImageForUpload(e.alpha));
        ilDeleteImages(1, &image);
    }

    // The glow is brightest in its middle row (the beam's core) and dark at the tip row.
    ILuint glow = LoadImageFile(kRun + "Data/GFX/BeamParticle.png");
    ASSERT_TRUE(ConvertBoundImageForUpload(false));
    int w = ilGetInteger(IL_IMAGE_WIDTH), h = ilGetInteger(IL_IMAGE_HEIGHT);
    int bytes = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const unsigned char* p = ilGetData();
    EXPECT_GT(p[((h / 2) * w + w / 2) * bytes], 200);
    EXPECT_LT(p[(0 * w + w / 2) * bytes], 40);
    ilDeleteImages(1, &glow);

    SDL_Surface* icon = SDL_LoadBMP((kRun + "icon.bmp").c_str());
    ASSERT_NE(icon, nullptr);
    EXPECT_GE(icon->w, 16);
    EXPECT_LE(icon->w, 64);
    SDL_FreeSurface(icon);
}

} // namespace
