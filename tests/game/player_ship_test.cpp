#include "game/effects/emitters.h"
#include "game/player_ship.h"
#include "support/flight_fixture.h"
#include "support/map_fixture.h"

#include <SDL/SDL.h>

#include <cmath>
#include <vector>

using namespace cavtest;

namespace
{

class PlayerShipTest : public FlightTest
{
protected:
    PlayerShip& Ship() { return engine->ship; }
    // A floor at y 100 (normal (0, -1)) and a far one at 500; bounds x 0..1000.
    void Floor()
    {
        SetWalls(
            {MakeWall(0.0f, 100.0f, 1000.0f, 100.0f), MakeWall(0.0f, 500.0f, 1000.0f, 500.0f)});
    }
};

TEST_F(PlayerShipTest, HeldThrustFollowsTheFormulasAndPressedDoesNotThrust)
{
    Ship().Spawn(0.0f, -100.0f);
    SetButton(ButtonFire, ButtonState::Pressed);
    Tick();
    EXPECT_FLOAT_EQ(Ship().vy, 0.005f * 0.995f);
    EXPECT_FLOAT_EQ(Ship().fuel, 500.0f);
    EXPECT_EQ(Plays(sfx::Engine), 0);

    Ship().Spawn(0.0f, -100.0f);
    SetButton(ButtonFire, ButtonState::Held);
    Tick(100);
    const double pi = std::acos(-1.0);
    const double dx = std::cos(270.0 * pi / 180.0), dy = std::sin(270.0 * pi / 180.0);
    double x = 0.0, y = -100.0, vx = 0.0, vy = 0.0;
    for (int i = 0; i < 100; ++i)
    {
        vx = (vx + dx * 0.025) * 0.995;
        vy = (vy + dy * 0.025 + 0.005) * 0.995;
        x += vx;
        y += vy;
    }
    EXPECT_NEAR(Ship().vx, vx, 1e-4);
    EXPECT_NEAR(Ship().vy, vy, 1e-4);
    EXPECT_NEAR(Ship().x, x, 1e-3);
    EXPECT_NEAR(Ship().y, y, 1e-3);
    EXPECT_NEAR(Ship().fuel, 488.0f, 1e-3);
    EXPECT_EQ(Plays(sfx::Engine), 1);
}

TEST_F(PlayerShipTest, WithoutFuelTheEngineIsDeadButTheShieldStillRises)
{
    Ship().Spawn(0.0f, -100.0f);
    Ship().fuel = 0.0f;
    SetButton(ButtonFire, ButtonState::Held);
    SetButton(ButtonFire2, ButtonState::Pressed);
    Tick();
    EXPECT_FLOAT_EQ(Ship().vy, 0.005f * 0.995f);
    EXPECT_TRUE(Ship().shieldOn);
    EXPECT_EQ(Ship().fuel, 0.0f);
    EXPECT_EQ(Plays(sfx::Engine), 0);
    EXPECT_EQ(Plays(sfx::Shield), 1);
}

TEST_F(PlayerShipTest, LandsOnlySlowAndUprightOnFlatGround)
{
    struct Case
    {
        float vy, angle;
        bool lands;
    } cases[] = {
        {0.3f, 270.0f, true}, {0.3f, 280.0f, true}, {0.5f, 270.0f, false}, {0.3f, 285.0f, false}};
    Floor();
    for (const Case& c : cases)
    {
        Ship().Spawn(500.0f, 89.5f);
        Ship().vy = c.vy;
        Ship().angle = c.angle;
        Tick();
        EXPECT_EQ(Ship().landed, c.lands) << c.vy << " " << c.angle;
        if (c.lands)
        {
            EXPECT_EQ(Ship().angle, 270.0f);
            EXPECT_EQ(Ship().prevAngle, 270.0f);
            EXPECT_EQ(Ship().vy, 0.0f);
        }
    }
}

TEST_F(PlayerShipTest, LaserFiresEveryElevenTicksAndAtOnceAfterARelease)
{
    Ship().Spawn(0.0f, -100.0f);
    std::vector<int> fired;
    for (int tick = 0; tick < 30; ++tick)
    {
        SetButton(ButtonFire3, tick == 0 ? ButtonState::Pressed : ButtonState::Held);
        const std::size_t before = engine->effects.playerShots.size();
        Tick();
        if (engine->effects.playerShots.size() > before)
            fired.push_back(tick);
    }
    EXPECT_EQ(fired, (std::vector<int>{0, 11, 22}));
    SetButton(ButtonFire3, ButtonState::Up);
    Tick();
    SetButton(ButtonFire3, ButtonState::Pressed);
    Tick();
    EXPECT_EQ(engine->effects.playerShots.size(), 4u);
    EXPECT_EQ(Plays(sfx::Phazer), 4);
}

TEST_F(PlayerShipTest, WrapsAcrossTheMapAndTheCameraMovesAlong)
{
    struct Case
    {
        bool walls;
        float from, to, cameraShift;
    } cases[] = {{true, -1.0f, 999.0f, -1000.0f},
                 {true, 1001.0f, 1.0f, 1000.0f},
                 {false, -1.0f, -1.0f, 0.0f}}; // no width: no wrap
    for (const Case& c : cases)
    {
        engine->ClearLevel();
        if (c.walls)
            Floor();
        Ship().Spawn(500.0f, 300.0f);
        const float camera = engine->camera.camX;
        Ship().x = Ship().prevX = c.from;
        Tick();
        EXPECT_FLOAT_EQ(Ship().x, c.to) << c.from;
        EXPECT_FLOAT_EQ(Ship().prevX, c.to) << c.from;
        EXPECT_FLOAT_EQ(engine->camera.camX, camera + c.cameraShift);
        EXPECT_FLOAT_EQ(engine->camera.prevCamX, camera + c.cameraShift);
    }
}

TEST_F(PlayerShipTest, OneCrashCostsOneLifeAndDuringTheCountDownTheShipLeaves)
{
    for (bool countdown : {false, true})
    {
        engine->progress.lives = 3;
        engine->progress.rescued = 2;
        engine->progress.countdownActive = countdown;
        Ship().Spawn(0.0f, -100.0f);
        Ship().Kill();
        Ship().Kill(); // the wreck is hit again in the same step
        EXPECT_EQ(engine->progress.lives, 2);
        EXPECT_TRUE(Ship().exploded);
        EXPECT_EQ(Ship().leaving, countdown);
        EXPECT_EQ(engine->progress.rescued, countdown ? 0 : 2);
        if (countdown)
        {
            EXPECT_EQ(Ship().stepTimer, 7.0f);
        }
    }
    EXPECT_EQ(Plays(sfx::Explode), 2);
}

TEST_F(PlayerShipTest, ClimbingOutLeavesTheSector)
{
    engine->progress.countdownSeconds = -1.0f;
    Ship().Spawn(0.0f, -100.0f);
    Ship().y = -650.0f;
    Tick();
    EXPECT_TRUE(Ship().leaving);
    EXPECT_EQ(Ship().stepTimer, 3.0f);
    EXPECT_EQ(EmittersOf<ExitEmitter>(), 1);
    EXPECT_EQ(EmittersOf<BlueExplosionEmitter>(), 1);
    EXPECT_EQ(Plays(sfx::TeleportOut), 1);
}

TEST_F(PlayerShipTest, SpawnsLandedAboveItsBeaconWithTheCameraOnIt)
{
    Ship().respawnX = 100.0f;
    Ship().respawnY = 200.0f;
    Ship().Spawn(0.0f, -300.0f);
    EXPECT_EQ(Ship().x, 100.0f);
    EXPECT_EQ(Ship().y, 188.0f);
    EXPECT_TRUE(Ship().landed);
    EXPECT_EQ(engine->camera.camX, 220.0f);
    EXPECT_EQ(engine->camera.prevCamY, 52.0f);
    EXPECT_EQ(Ship().fuelEmitter, engine->effects.emitters.back());
    engine->ClearLevel();
    EXPECT_EQ(Ship().fuelEmitter, nullptr);
}

TEST_F(PlayerShipTest, TheMouseSteersThroughTheInputBackEndWhileGrabbed)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    engine->input.mouseFactor = 0.5f;
    inputBackend.mouseDx = 4;
    for (bool grab : {false, true})
    {
        if (grab)
            engine->OnKey(input_code::Tab, true);
        engine->Step();
        EXPECT_EQ(engine->mouseDx, 4);
        Ship().Spawn(0.0f, -100.0f);
        Tick();
        EXPECT_FLOAT_EQ(Ship().angle, grab ? 272.0f : 270.0f);
    }
}

} // namespace
