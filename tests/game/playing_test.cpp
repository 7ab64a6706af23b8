// The playing state's rules, headless: the sector bonus (3 men and 123.45 fuel), extra lives,
// the count-down, the scoring of shots, the crash, the reactor, the stage start's branches
// and the pause menu.
#include "game/effects/projectiles.h"
#include "game/engine.h"
#include "game/entities/reactor.h"
#include "game/entity.h"
#include "platform/audio.h"
#include "support/map_fixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace cavtest;

namespace
{

std::string SoundFile(const char* name)
{
    return std::string(CAV_RUN_DIR) + "/Data/SFX/" + name + ".ogg";
}

class PlayingTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        platform::SetAudioBackend(&audio);
        for (auto [slot, name] : {std::pair{sfx::Clock, "Clock"},
                                  {sfx::Danger, "Danger"},
                                  {sfx::ExtraLife, "ExtraLife"},
                                  {sfx::Reactorhit, "Reactorhit"}})
            ASSERT_TRUE(engine->res.samples[slot].Load(SoundFile(name), false));
        MapDocument map;
        map.walls.push_back(MakeWall(-1000.0f, 1000.0f, 1000.0f, 1000.0f));
        map.endTimer = 30;
        ASSERT_TRUE(WriteAndLoad(map));
        engine->gameState = Playing;
        engine->progress.lives = 3;
        engine->progress.countdownSeconds = -1.0f;
        // Out of play for good unless a test brings the ship in.
        engine->ship.inPlay = false;
        engine->ship.stepTimer = 1000.0f;
    }

    void TearDown() override
    {
        LevelTest::TearDown();
        platform::SetAudioBackend(nullptr);
    }

    int Plays(const char* name) const { return audio.Count("play", SoundFile(name)); }

    Entity* Add(EntityKind kind, float x, float y)
    {
        Entity* entity = CreateEntity(static_cast<std::int32_t>(kind));
        entity->type = static_cast<std::int32_t>(kind);
        entity->Spawn(x, y);
        engine->level.entities.push_back(entity);
        return entity;
    }

    Projectile& Shoot(std::list<Projectile>& list, float x, float y, float vx, float vy,
                      float multiplier)
    {
        FireProjectile(list, LaserShotInit, LaserShotUpdate, x, y, 0.0f, 0.0f, 0.0f);
        Projectile& shot = list.back();
        shot.vx = vx;
        shot.vy = vy;
        shot.scoreMultiplier = multiplier;
        return shot;
    }

    void ShipInPlayAt(float x, float y)
    {
        engine->ship.Spawn(x, y);
        engine->ship.shieldOn = false;
    }

    platform::RecordingAudio audio;
};

TEST_F(PlayingTest, LeavingACleanedSectorPaysTheBonusOnceAndRaisesTheStage)
{
    engine->ship.inPlay = true;
    engine->ship.leaving = true;
    engine->ship.stepTimer = 2.02f;
    engine->ship.fuel = 123.45f;
    engine->ship.respawnX = 5.0f;
    engine->progress.countdownActive = true;
    engine->progress.rescued = 3;

    engine->UpdatePlaying();
    EXPECT_EQ(engine->progress.score, 0); // 2.01 s left: not yet
    engine->UpdatePlaying();
    EXPECT_EQ(engine->progress.score, 2734);
    EXPECT_EQ(engine->progress.stage, 2);
    EXPECT_EQ(engine->ship.respawnX, 0.0f);
    for (int i = 0; i < 50; ++i)
        engine->UpdatePlaying();
    EXPECT_EQ(engine->progress.score, 2734);
}

TEST_F(PlayingTest, ExtraLivesComeOneAStepUntilCaughtUp)
{
    engine->progress.score = 35000;
    const int expected[][2] = {{4, 30000}, {5, 50000}, {5, 50000}};
    for (const auto& step : expected)
    {
        engine->UpdatePlaying();
        EXPECT_EQ(engine->progress.lives, step[0]);
        EXPECT_EQ(engine->progress.nextExtraLife, step[1]);
    }
    EXPECT_EQ(Plays("ExtraLife"), 2);
}

TEST_F(PlayingTest, CountdownTicksOncePerSecondThenTheReactorBlows)
{
    engine->progress.countdownActive = true;
    engine->progress.countdownSeconds = 2.0f;
    engine->progress.lastCountdownSecond = 2;
    engine->progress.rescued = 2;

    int steps = 0;
    while (!engine->ship.leaving && steps < 400)
    {
        engine->UpdatePlaying();
        ++steps;
        if (!engine->ship.leaving)
        {
            EXPECT_LE(std::abs(engine->progress.shakeX), 5.0f);
            EXPECT_LE(std::abs(engine->progress.shakeY), 5.0f);
        }
    }
    EXPECT_EQ(Plays("Clock"), 2); // into second 1 and into second 0
    EXPECT_NEAR(steps, 225, 1);   // the blast at -0.25
    EXPECT_FLOAT_EQ(engine->ship.stepTimer, 7.0f);
    EXPECT_TRUE(engine->ship.exploded);
    EXPECT_EQ(engine->progress.rescued, 0);
    EXPECT_EQ(engine->progress.lives, 2);
}

// An end timer at or near the int32 limit is 2^31 as a float: the count-down holds its whole
// seconds at int's largest value instead of converting out of range (the sanitizer build
// stops on that), and the clock, as the arithmetic says, never visibly ticks.
TEST_F(PlayingTest, AnEndTimerAtTheInt32LimitCountsDownDefined)
{
    for (const int endTimer : {std::numeric_limits<int>::max(), 2147483584})
    {
        SCOPED_TRACE(endTimer);
        engine->level.endTimer = endTimer;
        engine->progress.countdownActive = false;
        engine->progress.lastCountdownSecond = 0;
        engine->progress.generatorCount = 1;
        const int clocks = Plays("Clock");
        Add(EntityKind::Generator, 300.0f, 500.0f)->Kill();
        ASSERT_TRUE(engine->progress.countdownActive);
        for (int i = 0; i < 300; ++i)
            engine->UpdatePlaying();
        EXPECT_EQ(engine->progress.lastCountdownSecond, std::numeric_limits<int>::max());
        EXPECT_EQ(Plays("Clock"), clocks + 1);
        EXPECT_FALSE(engine->ship.leaving);
    }
}

TEST_F(PlayingTest, InfiniteTimeHoldsTheCountdownAtZero)
{
    engine->menu.infiniteTime = true;
    engine->progress.countdownActive = true;
    engine->progress.countdownSeconds = 0.5f;
    for (int i = 0; i < 1000; ++i)
        engine->UpdatePlaying();
    EXPECT_FALSE(engine->ship.leaving);
    EXPECT_NEAR(engine->progress.countdownSeconds, 0.0f, 0.011f);
}

TEST_F(PlayingTest, AKillPaysOnceWithTheShotsMultiplier)
{
    const struct
    {
        float multiplier;
        float health;
        int score;
        bool popup;
    } cases[] = {
        {1.0f, 1.0f, 150, false}, // the laser
        {5.0f, 1.0f, 750, true},  // a shot the shield turned back
        {1.0f, 3.0f, 0, false},   // not yet down
        {1.0f, 0.0f, 0, false},   // already down: paid by the hit that took it there
    };
    for (const auto& c : cases)
    {
        engine->progress.score = 0;
        engine->effects.scorePopups.clear();
        engine->effects.playerShots.clear();
        Entity* reactor = Add(EntityKind::Generator, 300.0f, 515.0f);
        reactor->health = c.health;
        // Two shots in the same step: the second finds the reactor already down.
        Shoot(engine->effects.playerShots, 300.0f, 500.0f, 0.0f, 0.0f, c.multiplier);
        Shoot(engine->effects.playerShots, 300.0f, 500.0f, 0.0f, 0.0f, c.multiplier);
        engine->UpdatePlayerBullets();
        EXPECT_EQ(engine->progress.score, c.score) << c.multiplier << " " << c.health;
        ASSERT_EQ(engine->effects.scorePopups.size(), c.popup ? 1u : 0u);
        if (c.popup)
        {
            EXPECT_EQ(engine->effects.scorePopups.front().points, c.score);
        }
        EXPECT_FLOAT_EQ(reactor->health, c.health - 2.0f);
        reactor->dead = true;
    }
}

TEST_F(PlayingTest, AShotHitsOneEntityOnly)
{
    Entity* first = Add(EntityKind::Rock, 300.0f, 500.0f);
    Entity* second = Add(EntityKind::Rock, 300.0f, 500.0f);
    Shoot(engine->effects.playerShots, 300.0f, 500.0f, 0.0f, 0.0f, 1.0f);
    engine->UpdatePlayerBullets();
    EXPECT_FLOAT_EQ(first->health + second->health, 1.0f);
    EXPECT_EQ(engine->progress.score, 5);
}

TEST_F(PlayingTest, TheShieldTurnsAnEnemyShotIntoAScoringShot)
{
    ShipInPlayAt(0.0f, 0.0f);
    engine->ship.shieldOn = true;
    // 32 units out: far enough to be thrown back; the reactor waits where it lands.
    Add(EntityKind::Generator, 33.0f, 15.0f)->health = 1.0f;
    Shoot(engine->effects.enemyShots, 32.0f, 0.0f, -1.0f, 0.0f, 5.0f).enemyMade = true;

    engine->UpdatePlayerBullets();
    EXPECT_TRUE(engine->effects.enemyShots.front().finished);
    ASSERT_EQ(engine->effects.playerShots.size(), 1u);
    const Projectile& back = engine->effects.playerShots.front();
    EXPECT_FLOAT_EQ(back.x, 33.0f);
    EXPECT_FLOAT_EQ(back.vx, 1.0f);
    EXPECT_TRUE(back.enemyMade);
    EXPECT_TRUE(back.finished); // it hit the reactor at once
    EXPECT_EQ(engine->progress.score, 750);
    ASSERT_EQ(engine->effects.scorePopups.size(), 1u);
    EXPECT_EQ(engine->effects.scorePopups.front().points, 750);
    EXPECT_EQ(engine->progress.lives, 3);

    // Nearer than 29 units the shield simply swallows it.
    engine->effects.playerShots.clear();
    Shoot(engine->effects.enemyShots, 20.0f, 0.0f, -1.0f, 0.0f, 5.0f).enemyMade = true;
    engine->UpdatePlayerBullets();
    EXPECT_TRUE(engine->effects.enemyShots.back().finished);
    EXPECT_TRUE(engine->effects.playerShots.empty());
    EXPECT_EQ(engine->progress.lives, 3);
}

TEST_F(PlayingTest, CrashingIntoTwoThingsCostsOneLife)
{
    for (bool invincible : {false, true})
    {
        ShipInPlayAt(0.0f, 0.0f);
        engine->menu.invincible = invincible;
        engine->progress.lives = 3;
        Entity* a = Add(EntityKind::Rock, 0.0f, 0.0f);
        Entity* b = Add(EntityKind::Rock, 5.0f, 0.0f);
        engine->UpdatePlayerBullets();
        EXPECT_EQ(engine->progress.lives, invincible ? 3 : 2);
        EXPECT_EQ(engine->ship.exploded, !invincible);
        EXPECT_FLOAT_EQ(a->health, -1.0f);
        EXPECT_FLOAT_EQ(b->health, -1.0f);
        a->dead = b->dead = true;
    }
}

TEST_F(PlayingTest, ReactorRegrowsToTenAndDiesAtZero)
{
    Entity* reactor = Add(EntityKind::Generator, 300.0f, 500.0f);
    reactor->health = 9.5f;
    for (int i = 0; i < 100; ++i)
        reactor->Update();
    EXPECT_FLOAT_EQ(reactor->health, 10.0f);
    EXPECT_FALSE(reactor->dead);

    reactor->health = 0.0f; // shot down to exactly nothing
    reactor->Update();
    EXPECT_TRUE(reactor->dead);
}

TEST_F(PlayingTest, TheLastReactorStartsTheCountdown)
{
    engine->progress.generatorCount = 2;
    Entity* first = Add(EntityKind::Generator, 300.0f, 500.0f);
    Entity* last = Add(EntityKind::Generator, 600.0f, 500.0f);
    first->Kill();
    first->Kill(); // a second kill counts nothing
    EXPECT_FALSE(engine->progress.countdownActive);
    EXPECT_EQ(engine->progress.generatorCount, 1);
    last->health = 0.0f;
    last->Update();
    EXPECT_TRUE(engine->progress.countdownActive);
    EXPECT_FLOAT_EQ(engine->progress.countdownSeconds, 30.0f);
    EXPECT_EQ(Plays("Danger"), 1);
}

TEST_F(PlayingTest, StartStageBranches)
{
    const struct
    {
        int stage;
        int lives;
        const char* map;
        int state; // -1: the program quits; -2: the game ends (score entry, continue, over)
    } cases[] = {
        {1, 3, "Data/Maps/test.map", Playing},
        {1, 0, "Data/Maps/test.map", -2},
        {2, 0, "Data/Maps/test.map", Credits}, // past the last map, lives or not
        {1, 3, "Data/Maps/missing.map", -1},
    };
    for (const auto& c : cases)
    {
        engine->quit = false;
        engine->gameState = FrontEnd;
        engine->packs.rosters = {{c.map}};
        engine->progress.stage = c.stage;
        engine->progress.lives = c.lives;
        engine->StartStage();
        EXPECT_EQ(engine->quit, c.state == -1) << c.stage << " " << c.lives << " " << c.map;
        if (c.state == -2)
        {
            EXPECT_TRUE(engine->gameState == NewHiscore || engine->gameState == Continue ||
                        engine->gameState == GameOver)
                << engine->gameState;
        }
        else if (c.state != -1)
        {
            EXPECT_EQ(engine->gameState, c.state) << c.stage << " " << c.lives;
        }
    }
    // The stage that did start:
    engine->packs.rosters = {{"Data/Maps/test.map"}};
    engine->NewGame();
    EXPECT_EQ(engine->gameState, Playing);
    EXPECT_FALSE(engine->ship.inPlay);
    EXPECT_FLOAT_EQ(engine->ship.fuel, 500.0f);
    EXPECT_FLOAT_EQ(engine->ship.stepTimer, 2.5f);
    EXPECT_FLOAT_EQ(engine->stateTimer, 3.5f);
    EXPECT_FLOAT_EQ(engine->progress.countdownSeconds, -1.0f);
    EXPECT_FLOAT_EQ(engine->camera.camX, 320.0f - engine->ship.x);
    EXPECT_FLOAT_EQ(engine->camera.camY, 240.0f - engine->ship.y);
    EXPECT_EQ(engine->effects.emitters.size(), 1u); // the stage-start spiral
    EXPECT_EQ(engine->progress.lives, 3);
}

TEST_F(PlayingTest, PauseMenuRebindsThenSavesTheControlsAndResumes)
{
    Input& input = engine->input;
    auto press = [&](InputButton button)
    {
        input[button].value = ButtonState::Pressed;
        engine->UpdatePlaying();
        input[button].value = ButtonState::Up;
    };
    press(ButtonPause);
    ASSERT_TRUE(engine->paused);
    EXPECT_EQ(engine->menu.menuPage, 1);
    const float timer = engine->stateTimer;

    // "KEYBOARD": five keys in turn bind LEFT, RIGHT, FIRE, FIRE2 and FIRE3.
    press(ButtonSelect);
    EXPECT_EQ(engine->menu.menuPage, 2);
    const int expectedIndex[] = {1, 4, 5, 6};
    for (int key = 0; key < 5; ++key)
    {
        input.OnKey('a' + key, true);
        engine->UpdatePlaying();
        input.OnKey('a' + key, false);
        input.anyKey = false;
        if (key < 4)
        {
            EXPECT_EQ(input.captureIndex, expectedIndex[key]) << key;
        }
    }
    EXPECT_EQ(engine->menu.menuPage, 1);
    EXPECT_EQ(engine->menu.menuItem, 3);
    EXPECT_FALSE(input.captureActive);
    EXPECT_EQ(input.bindings[ActionFire3].primary, 'e');

    press(ButtonSelect); // "<RETURN TO GAME>"
    EXPECT_FALSE(engine->paused);
    EXPECT_FLOAT_EQ(engine->stateTimer, timer); // nothing moved while paused
    EXPECT_NE(ReadFile("Controls.dat").find("FIRE3_PRIMARY\t= 101"), std::string::npos);
}

} // namespace
