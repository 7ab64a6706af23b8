// The play screen on a real window: the first shipped stage drawn for a few frames without a
// GL error, with glow where the walls and the ship are. Saves CAV_ARTIFACT_DIR/play.png (the
// ship in the cavern) and CAV_ARTIFACT_DIR/play_paused.png (the pause menu over it).
// docs/play.png is a copy of play.png.
#include "game/effects/projectiles.h"
#include "game/engine.h"

#include "support/temp_dir.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{

unsigned int gTicks = 0;
unsigned int AdvancingTicks()
{
    gTicks += 10;
    return gTicks;
}

// The back buffer, top row first.
std::vector<unsigned char> ReadFrame()
{
    std::vector<unsigned char> rows(640 * 480 * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    std::vector<unsigned char> frame(rows.size());
    for (int y = 0; y < 480; ++y)
        std::copy_n(&rows[static_cast<size_t>(479 - y) * 640 * 4], 640 * 4,
                    &frame[static_cast<size_t>(y) * 640 * 4]);
    return frame;
}

// Pixels of the square of half-side r around (x, y) (screen units, top left origin) with a
// channel above 90.
int Glowing(const std::vector<unsigned char>& frame, float x, float y, int r)
{
    int lit = 0;
    for (int py = static_cast<int>(y) - r; py <= static_cast<int>(y) + r; ++py)
    {
        for (int px = static_cast<int>(x) - r; px <= static_cast<int>(x) + r; ++px)
        {
            if (px < 0 || px >= 640 || py < 0 || py >= 480)
                continue;
            const unsigned char* p = &frame[(static_cast<size_t>(py) * 640 + px) * 4];
            if (std::max({p[0], p[1], p[2]}) > 90)
                ++lit;
        }
    }
    return lit;
}

void Save(std::vector<unsigned char> frame, const std::string& name)
{
    for (size_t i = 3; i < frame.size(); i += 4)
        frame[i] = 255;
    const std::string path = std::string(CAV_ARTIFACT_DIR) + "/" + name;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_TRUE(ilTexImage(640, 480, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, frame.data()));
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    EXPECT_TRUE(ilSaveImage(path.c_str())) << path;
    ilDeleteImages(1, &image);
    std::printf("play screen: %s\n", path.c_str());
}

class PlayScreenGlTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        cavtest::CopyTree(CAV_RUN_DIR, temp->Path());
    }

    void DrawFrames(Engine& engine, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            engine.Draw(0.0f);
            ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "frame " << i;
        }
    }
};

TEST_F(PlayScreenGlTest, DrawsAShippedStageWithGlowAtTheWallsAndTheShip)
{
    auto engine = std::make_unique<Engine>(
        []
        {
            EngineSettings settings;
            settings.ticks = &AdvancingTicks;
            return settings;
        }());
    ASSERT_TRUE(engine->Start());
    engine->NewGame();
    ASSERT_EQ(engine->gameState, Playing);
    // Past the stage-start effect: the ship drops in and the introduction fades.
    for (int i = 0; i < 260; ++i)
        engine->UpdatePlaying();
    ASSERT_TRUE(engine->ship.inPlay);

    // Over the cavern floor between the pod and the reactor, shield up, a shot on its way.
    PlayerShip& ship = engine->ship;
    ship.x = ship.prevX = 200.0f;
    ship.y = ship.prevY = 600.0f;
    ship.angle = ship.prevAngle = 300.0f;
    ship.shieldOn = true;
    ship.frame = 2;
    engine->camera.camX = engine->camera.prevCamX = 320.0f - ship.x;
    engine->camera.camY = engine->camera.prevCamY = 240.0f - ship.y;
    FireProjectile(engine->effects.playerShots, LaserShotInit, LaserShotUpdate, 240.0f, 580.0f,
                   300.0f, 0.0f, 0.0f);
    DrawFrames(*engine, 8);
    // Each pass hands on texturing and blending switched off.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    std::vector<unsigned char> frame = ReadFrame();

    EXPECT_GT(Glowing(frame, 320.0f, 240.0f, 12), 40) << "the ship";
    // The cavern floor at y 700 runs under the ship, 100 units below it.
    EXPECT_GT(Glowing(frame, 320.0f, 340.0f, 6), 20) << "the floor";
    EXPECT_GT(Glowing(frame, 60.0f, 25.0f, 20), 20) << "the top bar";
    Save(frame, "play.png");

    engine->paused = true;
    engine->menu.menuPage = 1;
    engine->menu.menuItem = 3;
    DrawFrames(*engine, 8);
    std::vector<unsigned char> paused = ReadFrame();
    EXPECT_GT(Glowing(paused, 320.0f, 355.0f, 20), 40) << "PAUSED - ESC TO QUIT";
    Save(paused, "play_paused.png");
}

} // namespace
