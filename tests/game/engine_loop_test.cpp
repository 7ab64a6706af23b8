// The main loop driven headless: an injected clock, null video, the recording audio and
// input back ends, and SDL's dummy video driver for the event queue.
#include "game/engine.h"

#include "platform/audio.h"
#include "platform/input_backend.h"
#include "support/ogg_writer.h"
#include "support/temp_dir.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace
{

unsigned int gTicks = 0;
unsigned int FakeTicks()
{
    return gTicks;
}

class EngineLoopTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        platform::SetAudioBackend(&audio);
        platform::SetInputBackend(&inputBackend);
        // The dummy driver gives an event queue without a window.
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        gTicks = 1000;
        EngineSettings settings;
        settings.headless = true;
        settings.ticks = &FakeTicks;
        engine = std::make_unique<Engine>(settings);
        engine->ResetGame();
        engine->BeginRun();
    }

    void TearDown() override
    {
        engine.reset(); // quits SDL
        platform::SetAudioBackend(nullptr);
        platform::SetInputBackend(nullptr);
        TempDirTest::TearDown();
    }

    void Pass(unsigned int ms)
    {
        gTicks += ms;
        engine->RunPass();
    }

    static void PushKey(Uint8 type, SDLKey sym, Uint16 unicode = 0)
    {
        SDL_Event event = {};
        event.type = type;
        event.key.type = type;
        event.key.keysym.sym = sym;
        event.key.keysym.unicode = unicode;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }

    static void PushJoyButton(Uint8 type, Uint8 button)
    {
        SDL_Event event = {};
        event.type = type;
        event.jbutton.type = type;
        event.jbutton.button = button;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }

    static void PushQuit()
    {
        SDL_Event event = {};
        event.type = SDL_QUIT;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }

    int Button(InputButton button) const { return engine->input[button].value; }

    std::string LoadStream(int slot, const char* name)
    {
        std::filesystem::create_directories("Data/SFX");
        std::string path = std::string("Data/SFX/") + name + ".ogg";
        EXPECT_TRUE(cavtest::WriteToneOgg(path, 0.05));
        EXPECT_TRUE(engine->res.streams[slot].Load(path, false));
        return path;
    }

    platform::RecordingAudio audio;
    platform::RecordingInputBackend inputBackend;
    std::unique_ptr<Engine> engine;
};

TEST_F(EngineLoopTest, PassRunsDueStepsAndDrawsWithTheRemainder)
{
    EXPECT_EQ(engine->gameState, Splash);
    EXPECT_EQ(gEngine, engine.get());

    Pass(35);
    EXPECT_EQ(engine->stepsThisPass, 3);
    EXPECT_EQ(engine->totalSteps, 3);
    EXPECT_NEAR(engine->Accumulator(), 0.005f, 1e-5f);
    EXPECT_NEAR(engine->LastInterpolation(), 0.5f, 1e-3f);
    // The splash counts its time in steps.
    EXPECT_NEAR(engine->stateTimer, 0.03f, 1e-5f);

    // The remainder carries over: 5 + 5 ms make one more step.
    Pass(5);
    EXPECT_EQ(engine->stepsThisPass, 1);
    EXPECT_EQ(engine->totalSteps, 4);
}

TEST_F(EngineLoopTest, PassWithoutADueStepReadsNoEvents)
{
    PushQuit();
    Pass(5);
    EXPECT_EQ(engine->totalSteps, 0);
    EXPECT_FALSE(engine->quit);
    Pass(5);
    EXPECT_TRUE(engine->quit);
}

TEST_F(EngineLoopTest, PausedDrawsWithoutInterpolationAndStopsTheClock)
{
    Pass(20);
    float elapsed = engine->frameTimer.elapsed;
    engine->paused = true;
    Pass(35);
    EXPECT_EQ(engine->stepsThisPass, 3); // the pause menu still runs
    EXPECT_EQ(engine->LastInterpolation(), 0.0f);
    EXPECT_FLOAT_EQ(engine->frameTimer.elapsed, elapsed);

    engine->paused = false;
    Pass(33); // 0.005 left + 0.033: three steps, 0.008 over
    EXPECT_NEAR(engine->LastInterpolation(), 0.8f, 1e-3f);
    EXPECT_NEAR(engine->frameTimer.elapsed, elapsed + 0.033f, 1e-5f);
}

TEST_F(EngineLoopTest, StalledPassRunsAtMostTenStepsAndDropsTheRest)
{
    Pass(2000); // two seconds lost to something that blocked
    EXPECT_EQ(engine->stepsThisPass, 10);
    EXPECT_EQ(engine->totalSteps, 10);
    EXPECT_LT(engine->Accumulator(), 0.01f);
    EXPECT_GE(engine->Accumulator(), 0.0f);

    Pass(10);
    EXPECT_LE(engine->stepsThisPass, 2);
    EXPECT_LE(engine->totalSteps, 12);
}

TEST_F(EngineLoopTest, QuitStopsTheStepsOfThePass)
{
    PushQuit();
    Pass(35);
    EXPECT_TRUE(engine->quit);
    EXPECT_EQ(engine->stepsThisPass, 1);
    EXPECT_EQ(engine->totalSteps, 1);
    // The step that read the quit still ran the state's update (the splash timer moved).
    EXPECT_FLOAT_EQ(engine->stateTimer, 0.01f);

    // Nothing more is stepped once the flag is up.
    Pass(35);
    EXPECT_EQ(engine->totalSteps, 1);
    EXPECT_FLOAT_EQ(engine->stateTimer, 0.01f);
}

TEST_F(EngineLoopTest, EscInTheSplashEndsTheProgramInThatStep)
{
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    Pass(35);
    EXPECT_TRUE(engine->quit);
    EXPECT_EQ(engine->totalSteps, 1);
}

TEST_F(EngineLoopTest, EscRulesByState)
{
    std::string splash = LoadStream(music::Splash, "Splash");
    std::string gameover = LoadStream(music::Gameover, "Gameover");

    struct Case
    {
        int state;
        bool paused;
        bool quits;
        int after;
        int restarts;
        const char* plays;
    };
    const Case cases[] = {
        {Splash, false, true, Splash, 0, nullptr},
        {FrontEnd, false, true, FrontEnd, 0, nullptr},
        {Playing, false, false, Playing, 0, nullptr}, // ESC only pauses (the state's job)
        {Playing, true, false, FrontEnd, 1, "splash"},
        {GameOver, false, false, FrontEnd, 1, "splash"},
        // The rule restarts the sound and so does the game-over screen's entry.
        {Continue, false, false, GameOver, 2, "gameover"},
        {Credits, false, false, Credits, 0, nullptr},
        {NewHiscore, false, false, NewHiscore, 0, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.state);
        engine->quit = false;
        engine->paused = c.paused;
        engine->gameState = c.state;
        engine->progress.stage = 4;
        engine->menu.menuPage = 2;
        audio.calls.clear();

        engine->OnKey(27, true);
        engine->Update();

        EXPECT_EQ(engine->quit, c.quits);
        EXPECT_EQ(engine->gameState, c.after);
        EXPECT_EQ(audio.Count("restart"), c.restarts);
        const std::string plays = c.plays != nullptr ? c.plays : "";
        EXPECT_EQ(audio.Count("play", splash), plays == "splash" ? 1 : 0);
        EXPECT_EQ(audio.Count("play", gameover), plays == "gameover" ? 1 : 0);
        if (c.after == FrontEnd && c.state != FrontEnd)
        {
            EXPECT_EQ(engine->progress.stage, 1);
            EXPECT_EQ(engine->menu.menuPage, 0);
            EXPECT_EQ(engine->stateTimer, 0.0f);
        }
        if (c.state == Playing && c.paused)
        {
            EXPECT_FALSE(engine->paused);
            EXPECT_EQ(audio.Count("resume"), 1);
        }
        if (c.after == GameOver)
        {
            EXPECT_FLOAT_EQ(engine->stateTimer, 5.0f);
        }

        engine->OnKey(27, false);
        engine->TickButtons();
    }
}

TEST_F(EngineLoopTest, JoystickButtonsBelowTwentyOnly)
{
    engine->input.joystickPresent = true;
    PushJoyButton(SDL_JOYBUTTONDOWN, 20);
    Pass(10);
    EXPECT_FALSE(engine->input.anyKey);
    EXPECT_EQ(Button(ButtonSelect), ButtonState::Up);

    PushJoyButton(SDL_JOYBUTTONDOWN, 0); // code 327: FIRE's second binding
    Pass(10);
    EXPECT_TRUE(engine->input.anyKey);
    EXPECT_EQ(Button(ButtonFire), ButtonState::Held);

    PushJoyButton(SDL_JOYBUTTONUP, 0);
    Pass(10);
    EXPECT_EQ(Button(ButtonFire), ButtonState::Up);

    // Without a joystick its events are ignored.
    engine->input.joystickPresent = false;
    PushJoyButton(SDL_JOYBUTTONDOWN, 0);
    Pass(10);
    EXPECT_EQ(Button(ButtonFire), ButtonState::Up);
}

TEST_F(EngineLoopTest, TextEntryTakesKeyPressesButNotReleases)
{
    PushKey(SDL_KEYDOWN, SDLK_z, 'z');
    Pass(10);
    ASSERT_EQ(Button(ButtonFire), ButtonState::Held);

    char name[6] = "_____";
    ASSERT_TRUE(engine->input.StartTextEntry(name, sizeof name, 5));
    PushKey(SDL_KEYDOWN, SDLK_x, 'x');
    PushKey(SDL_KEYUP, SDLK_z, 'z');
    Pass(10);
    EXPECT_EQ(name[0], 'X');
    EXPECT_EQ(engine->input.TextLength(), 1);
    EXPECT_EQ(Button(ButtonFire2), ButtonState::Up); // the press went to the text
    EXPECT_EQ(Button(ButtonFire), ButtonState::Up);  // the release reached the binding
}

TEST(EngineSizeTest, SizesAreClamped)
{
    struct Case
    {
        int width, height, wantWidth, wantHeight;
    };
    const Case cases[] = {
        {2000, 0, 1024, 224},
        {0, 0, 256, 224},
        {-5, 5000, 256, 1024},
        {800, 600, 800, 600},
    };
    for (const Case& c : cases)
    {
        EngineSettings settings;
        settings.headless = true;
        settings.width = c.width;
        settings.height = c.height;
        Engine engine(settings);
        EXPECT_EQ(engine.settings.width, c.wantWidth) << c.width << "x" << c.height;
        EXPECT_EQ(engine.settings.height, c.wantHeight) << c.width << "x" << c.height;
    }
}

} // namespace
