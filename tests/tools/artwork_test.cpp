// The pictures in the run folder: the beam-particle glow and the logo through DevIL as
// the game loads them, the window icon through SDL_LoadBMP; and a rebuild of all three
// gives the same bytes.
#include "support/temp_dir.h"
#include "tools/devil_image.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace
{

const std::string kRun = CAV_RUN_DIR;

int Grey(const uint8_t* p)
{
    return (p[0] + p[1] + p[2]) / 3;
}

TEST(BeamParticle, IsAGlowWhiteAtTheCoreAndBlackAtTheRim)
{
    cavtest::LoadedImage glow = cavtest::LoadWithDevil(kRun + "/Data/GFX/BeamParticle.png");
    ASSERT_TRUE(glow.ok);
    const int n = glow.width;
    ASSERT_EQ(glow.height, n);
    ASSERT_GE(n, 32);
    EXPECT_EQ(n & (n - 1), 0) << "power-of-two side for OpenGL 1.x";
    // The game adds the RGB onto the screen: white core, nothing at the border.
    EXPECT_GE(Grey(glow.At(n / 2, n / 2)), 245);
    for (int i = 0; i < n; ++i)
    {
        EXPECT_LE(Grey(glow.At(i, 0)), 2) << "top edge " << i;
        EXPECT_LE(Grey(glow.At(i, n - 1)), 2) << "bottom edge " << i;
        EXPECT_LE(Grey(glow.At(0, i)), 2) << "left edge " << i;
        EXPECT_LE(Grey(glow.At(n - 1, i)), 2) << "right edge " << i;
    }
    // The beams stretch the middle row along their body: it must fall off smoothly from
    // the centre to both edges, the same on either side, with a visible halo between.
    const int mid = n / 2;
    for (int x = mid; x + 1 < n; ++x)
    {
        EXPECT_GE(Grey(glow.At(x, mid)), Grey(glow.At(x + 1, mid))) << "at " << x;
        EXPECT_EQ(Grey(glow.At(x, mid)), Grey(glow.At(n - 1 - x, mid))) << "at " << x;
    }
    int quarter = Grey(glow.At(mid + n / 4, mid));
    EXPECT_GT(quarter, 20);
    EXPECT_LT(quarter, 200);
    // Grey, so a beam's own colour decides its tint.
    const uint8_t* p = glow.At(mid + n / 8, mid);
    EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]);
}

TEST(StudioLogo, IsA512By128ImageWithRealAlpha)
{
    cavtest::LoadedImage logo = cavtest::LoadWithDevil(kRun + "/Data/GFX/Pebbleware.psd");
    ASSERT_TRUE(logo.ok);
    EXPECT_EQ(logo.width, 512);
    EXPECT_EQ(logo.height, 128);
    EXPECT_EQ(logo.bytesPerPixel, 4);
    int clear = 0, solid = 0, soft = 0;
    for (size_t i = 3; i < logo.rgba.size(); i += 4)
    {
        clear += logo.rgba[i] == 0;
        solid += logo.rgba[i] == 255;
        soft += logo.rgba[i] > 0 && logo.rgba[i] < 255;
    }
    const int total = 512 * 128;
    // Mostly see-through, with solid lettering and a soft glow around it.
    EXPECT_GT(clear, total / 4);
    EXPECT_GT(solid, total / 20);
    EXPECT_GT(soft, total / 20);
    EXPECT_EQ(logo.At(511, 0)[3], 0);
    EXPECT_EQ(logo.At(511, 127)[3], 0);
}

TEST(WindowIcon, LoadsThroughSdlAs32By32)
{
    SDL_Surface* icon = SDL_LoadBMP((kRun + "/icon.bmp").c_str());
    ASSERT_NE(icon, nullptr) << SDL_GetError();
    EXPECT_EQ(icon->w, 32);
    EXPECT_EQ(icon->h, 32);
    EXPECT_EQ(icon->format->BitsPerPixel, 24);
    ASSERT_EQ(SDL_LockSurface(icon), 0);
    // Shown without a mask: a dark background and a bright picture on it.
    int darkest = 255 * 3, brightest = 0;
    for (int y = 0; y < icon->h; ++y)
    {
        const Uint8* row = static_cast<const Uint8*>(icon->pixels) + y * icon->pitch;
        for (int x = 0; x < icon->w; ++x)
        {
            Uint8 r, g, b;
            Uint32 pixel = row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16);
            SDL_GetRGB(pixel, icon->format, &r, &g, &b);
            darkest = std::min(darkest, r + g + b);
            brightest = std::max(brightest, r + g + b);
        }
    }
    SDL_UnlockSurface(icon);
    SDL_FreeSurface(icon);
    EXPECT_LT(darkest, 90);
    EXPECT_GT(brightest, 500);
}

class ArtworkTool : public cavtest::TempDirTest
{
};

TEST_F(ArtworkTool, RebuildsTheSameBytes)
{
    std::string command = std::string(CAV_BINARY_DIR) + "/tools/artwork/artwork " + CAV_SOURCE_DIR +
                          "/content/gfx out";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : {"Data/GFX/BeamParticle.png", "Data/GFX/Pebbleware.psd", "icon.bmp"})
    {
        std::string rebuilt = cavtest::ReadFile(std::string("out/") + name);
        ASSERT_FALSE(rebuilt.empty()) << name;
        EXPECT_TRUE(rebuilt == cavtest::ReadFile(kRun + "/" + name))
            << name << " differs between two runs";
    }
}

} // namespace
