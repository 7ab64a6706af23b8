// A shipped stage played from its start to its clear, headless: the ship comes into play,
// sits over the reactor firing until it blows, then either flies out during the count-down
// or waits for the blast; the bonus is paid and the second stage starts.
#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entity.h"
#include "game/playing.h"
#include "support/shipped_pack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace
{

class FullStageTest : public cavtest::ShippedPackTest
{
protected:
    void SetUp() override
    {
        ShippedPackTest::SetUp();
        engine->NewGame();
        ASSERT_EQ(engine->gameState, Playing);
        ASSERT_STREQ(engine->level.title, "FIRST LANDING");
    }

    Entity* Reactor() const
    {
        for (Entity* entity : engine->level.entities)
        {
            if (entity->type == static_cast<int>(EntityKind::Generator))
                return entity;
        }
        return nullptr;
    }

    // Holds the ship still above (x, y), nose down.
    void HoldShipAbove(float x, float y)
    {
        PlayerShip& ship = engine->ship;
        ship.x = ship.prevX = x;
        ship.y = ship.prevY = y - 60.0f;
        ship.vx = ship.vy = 0.0f;
        ship.angle = ship.prevAngle = 90.0f;
        ship.turnRate = 0.0f;
    }

    void PlayToTheNextStage(bool flyOut)
    {
        // The stage-start effect, then the ship drops in.
        int steps = 0;
        while (!engine->ship.inPlay && steps++ < 400)
            engine->UpdatePlaying();
        ASSERT_TRUE(engine->ship.inPlay);

        Entity* reactor = Reactor();
        ASSERT_NE(reactor, nullptr);
        const float rx = reactor->x, ry = reactor->y;
        engine->menu.invincible = true; // whatever the turrets do meanwhile
        engine->input[ButtonFire3].value = ButtonState::Held;
        steps = 0;
        while (!engine->progress.countdownActive && steps++ < 1000)
        {
            HoldShipAbove(rx, ry);
            engine->UpdatePlaying();
        }
        ASSERT_TRUE(engine->progress.countdownActive) << "the reactor never blew";
        EXPECT_EQ(engine->progress.score, 150);
        EXPECT_NEAR(engine->progress.countdownSeconds, 30.0f, 0.015f); // the map's end timer
        engine->input[ButtonFire3].value = ButtonState::Up;
        const int livesBefore = engine->progress.lives;

        if (flyOut)
        {
            for (int i = 0; i < 100; ++i)
            {
                HoldShipAbove(rx, ry);
                engine->UpdatePlaying();
            }
            engine->ship.x = engine->ship.prevX = 0.0f;
            engine->ship.y = engine->ship.prevY = -650.0f;
            engine->progress.rescued = 2;
        }
        const float fuelAtExit = engine->ship.fuel;
        const int rescuedAtExit = engine->progress.rescued;
        steps = 0;
        while (engine->progress.stage == 1 && steps++ < 5000)
        {
            if (!flyOut && !engine->ship.leaving)
                HoldShipAbove(rx, ry);
            engine->UpdatePlaying();
        }
        ASSERT_EQ(engine->progress.stage, 2);
        EXPECT_TRUE(engine->ship.leaving);
        EXPECT_TRUE(engine->progress.stageBonusPaid);
        if (flyOut)
        {
            EXPECT_EQ(engine->progress.score, 150 + StageBonus(rescuedAtExit, fuelAtExit));
            EXPECT_GT(engine->progress.score, 150 + 1000);
            EXPECT_EQ(engine->progress.lives, livesBefore);
        }
        else
        {
            EXPECT_EQ(engine->progress.score, 150); // the blast took the fuel and the men
            EXPECT_EQ(engine->progress.lives, livesBefore - 1);
        }

        // Two seconds later the second stage begins.
        steps = 0;
        while (std::strcmp(engine->level.title, "UPDRAFT CAVERN") != 0 && steps++ < 300)
            engine->UpdatePlaying();
        EXPECT_STREQ(engine->level.title, "UPDRAFT CAVERN");
        EXPECT_EQ(engine->gameState, Playing);
        EXPECT_FALSE(engine->progress.countdownActive);
        EXPECT_FALSE(engine->progress.stageBonusPaid);
        EXPECT_FALSE(engine->ship.inPlay);
    }
};

TEST_F(FullStageTest, FlyingOutDuringTheCountdownPaysTheBonus)
{
    PlayToTheNextStage(true);
}

TEST_F(FullStageTest, WaitingForTheBlastCostsALifeAndStillMovesOn)
{
    PlayToTheNextStage(false);
}

} // namespace
