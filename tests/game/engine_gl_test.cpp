// The real Engine under Xvfb: a window with OpenGL, every shipped resource from a copy of the
// built run/ folder, the loading screen, the splash, drawn frames, and a clean end on the
// window's quit event.
#include "game/engine.h"

#include "support/log_capture.h"
#include "support/temp_dir.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

unsigned int gTicks = 0;
// Every pass sees 35 ms go by.
unsigned int AdvancingTicks()
{
    gTicks += 35;
    return gTicks;
}

// Pixels brighter than the background in a window rectangle of the last frame (GL's origin:
// bottom left). The back buffer keeps it after the swap here; Xvfb's front buffer reads
// back black.
int BrightPixels(int x, int y, int w, int h)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int bright = 0;
    for (size_t i = 0; i < pixels.size(); i += 4)
    {
        if (pixels[i] > 100 && pixels[i + 1] > 100 && pixels[i + 2] > 100)
            ++bright;
    }
    return bright;
}

class EngineGlTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        cavtest::CopyTree(CAV_RUN_DIR, temp->Path());
    }
};

TEST_F(EngineGlTest, StartsShowsTheLoadingScreenRunsAndQuits)
{
    cavtest::LogCapture log;
    EngineSettings settings;
    settings.showFps = true;
    settings.ticks = &AdvancingTicks;
    auto engine = std::make_unique<Engine>(settings);
    ASSERT_TRUE(engine->Start()) << log.Text();
    EXPECT_TRUE(engine->VideoUp());
    EXPECT_EQ(engine->gameState, Splash);
    EXPECT_NE(engine->res.font.texture, 0u);
    EXPECT_NE(engine->res.beamTexture, 0u);
    EXPECT_NE(engine->res.logoTexture, 0u);
    EXPECT_NE(engine->res.displayListBase, 0u);
    EXPECT_FALSE(engine->res.lineModels[model::Player].beams.empty());

    // "Loading..." stands right-aligned at (630, 450): the window's bottom right corner.
    EXPECT_GT(BrightPixels(440, 0, 200, 40), 20);
    EXPECT_EQ(BrightPixels(0, 200, 640, 80), 0);

    // Each frame dims the last one; the frame counter is drawn on top at (15, 450).
    engine->BeginRun();
    for (int i = 0; i < 40; ++i)
        engine->RunPass();
    EXPECT_EQ(engine->gameState, Splash);
    EXPECT_GT(engine->totalSteps, 100);
    EXPECT_EQ(BrightPixels(440, 0, 200, 40), 0);
    EXPECT_GT(BrightPixels(0, 0, 120, 40), 10);

    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    engine->Run();
    EXPECT_TRUE(engine->quit);
    engine.reset();

    const std::string text = log.Text();
    EXPECT_NE(text.find("Resolution Set: 640x480x32\n"), std::string::npos);
    EXPECT_NE(text.find("Loaded Map Rosta.\n"), std::string::npos);
    EXPECT_NE(text.find("Total Texture Memory Usage: "), std::string::npos);
    EXPECT_NE(text.find("\n[Engine Shutdown]\nComplete...\n\n"), std::string::npos);
    EXPECT_EQ(text.find("Failed"), std::string::npos);
}

} // namespace
