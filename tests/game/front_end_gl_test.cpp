// The title screen and the name entry as a player sees them, drawn by the real Engine with
// every shipped resource under Xvfb; each is saved as a picture in the artifacts folder.
#include "game/front_end.h"

#include "engine/config_file.h"
#include "game/engine.h"
#include "support/gl_window.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <memory>

namespace
{

// Pixels in a rectangle of the virtual screen (row 0 at the top) with much red: the menu's
// red and yellow entries and the tables' white text.
int Lit(const cavtest::Framebuffer& frame, int x0, int y0, int x1, int y1)
{
    int lit = 0;
    for (int y = y0; y < y1; ++y)
    {
        for (int x = x0; x < x1; ++x)
        {
            const cavtest::Rgba p = frame.At(x, y);
            if (p.r > 120)
                ++lit;
        }
    }
    return lit;
}

class FrontEndGlTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        cavtest::CopyTree(CAV_RUN_DIR, temp->Path());
        gConfigFile.ResetForNewRun();
        engine = std::make_unique<Engine>(EngineSettings());
        ASSERT_TRUE(engine->Start()) << log.Text();
        // The splash's end: the logo shrinks to its corner size and the title comes up.
        engine->stateTimer = 7.0f;
        engine->Update();
        ASSERT_EQ(engine->gameState, FrontEnd);
    }

    void TearDown() override
    {
        engine.reset();
        TempDirTest::TearDown();
    }

    // Several frames, so the fading trails settle, then the picture.
    cavtest::Framebuffer Frame()
    {
        for (int i = 0; i < 24; ++i)
            engine->Draw(0.5f);
        return cavtest::Framebuffer();
    }

    cavtest::LogCapture log;
    std::unique_ptr<Engine> engine;
};

// One Engine for both pictures: one video start per test program.
TEST_F(FrontEndGlTest, TitleAndNameEntry)
{
    engine->stateTimer = 7.0f; // the high-score page, scrolled in; the menu faded in
    cavtest::Framebuffer title = Frame();
    EXPECT_TRUE(title.SavePng(std::string(CAV_ARTIFACT_DIR) + "/frontend.png"));
    EXPECT_GT(Lit(title, 200, 365, 440, 395), 100); // the selected "START GAME<...>"
    EXPECT_GT(Lit(title, 140, 240, 520, 340), 200); // the five rows of the table

    engine->progress.score = 45000;
    engine->EndGame();
    ASSERT_EQ(engine->gameState, NewHiscore);
    for (char c : std::string("ACE"))
        engine->OnTextInput(static_cast<unsigned char>(c));
    for (int i = 0; i < 60; ++i) // fireworks go up meanwhile
        engine->Update();
    cavtest::Framebuffer entry = Frame();
    EXPECT_TRUE(entry.SavePng(std::string(CAV_ARTIFACT_DIR) + "/hiscore.png"));
    EXPECT_GT(Lit(entry, 180, 95, 460, 130), 100); // "NEW HISCORE!"
    EXPECT_GT(Lit(entry, 190, 160, 300, 190), 30); // the typed "ACE" in the second row
}

} // namespace
