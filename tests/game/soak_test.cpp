// Every shipped stage played for 60 simulated seconds with seeded random input: nothing may
// become NaN, crash or pile up. Every few seconds the ship is put down near a random
// entity of the stage so that every kind sees it close by.
#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entity.h"
#include "support/shipped_pack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <random>

namespace
{

bool Finite(float x, float y)
{
    return std::isfinite(x) && std::isfinite(y);
}

class SoakTest : public cavtest::ShippedPackTest
{
protected:
    // Everything that moves, checked for NaN; the first bad thing's description, or "".
    std::string FirstNaN() const
    {
        const PlayerShip& ship = engine->ship;
        if (!Finite(ship.x, ship.y) || !Finite(ship.vx, ship.vy))
            return "ship";
        for (const Entity* entity : engine->level.entities)
        {
            if (!Finite(entity->x, entity->y) || !Finite(entity->prevX, entity->prevY))
                return "entity " + std::to_string(entity->type);
        }
        for (const auto* shots : {&engine->effects.playerShots, &engine->effects.enemyShots})
        {
            for (const Projectile& shot : *shots)
            {
                if (!Finite(shot.x, shot.y) || !Finite(shot.vx, shot.vy))
                    return "shot";
            }
        }
        for (const Emitter* emitter : engine->effects.emitters)
        {
            for (const Particle& p : emitter->particles)
            {
                if (!Finite(p.x, p.y) || !std::isfinite(p.size))
                    return "particle";
            }
        }
        return "";
    }

    void PutShipNearARandomEntity(std::mt19937& random)
    {
        const auto& entities = engine->level.entities;
        if (entities.empty() || !engine->ship.inPlay || engine->ship.leaving)
            return;
        auto it = entities.begin();
        std::advance(it, static_cast<long>(random() % entities.size()));
        PlayerShip& ship = engine->ship;
        ship.x = ship.prevX = (*it)->x + static_cast<float>(random() % 120) - 60.0f;
        ship.y = ship.prevY = (*it)->y - 70.0f;
        ship.vx = ship.vy = 0.0f;
    }
};

TEST_F(SoakTest, EveryStagePlaysAMinuteOfRandomInputCleanly)
{
    const InputButton actions[] = {ButtonLeft, ButtonRight, ButtonFire, ButtonFire2, ButtonFire3};
    const int stages = static_cast<int>(engine->packs.rosters[0].size());
    for (int stage = 1; stage <= stages; ++stage)
    {
        SCOPED_TRACE(engine->packs.rosters[0][static_cast<std::size_t>(stage - 1)]);
        std::srand(static_cast<unsigned>(stage));
        std::mt19937 random(static_cast<unsigned>(stage) * 7919u);
        engine->NewGame();
        engine->progress.stage = stage;
        engine->StartStage();
        ASSERT_EQ(engine->gameState, Playing);
        const std::size_t placed = engine->level.entities.size();

        bool down[std::size(actions)] = {};
        for (int step = 0; step < 6000 && engine->gameState == Playing; ++step)
        {
            for (std::size_t a = 0; a < std::size(actions); ++a)
            {
                if (random() % 25 == 0)
                    down[a] = !down[a];
                engine->input[actions[a]].Set(down[a]);
            }
            if (step % 400 == 399)
                PutShipNearARandomEntity(random);
            engine->progress.lives = 3; // the whole minute on this stage
            ++engine->totalSteps;
            engine->UpdatePlaying();
            engine->TickButtons();

            const std::string bad = FirstNaN();
            ASSERT_EQ(bad, "") << "step " << step;
            ASSERT_LE(engine->level.entities.size(), placed + 200) << "step " << step;
            ASSERT_LE(engine->effects.emitters.size(), 400u) << "step " << step;
            ASSERT_LE(engine->effects.enemyShots.size() + engine->effects.playerShots.size(),
                      400u)
                << "step " << step;
        }
    }
}

// Each stage cleared in turn: every reactor blown where it stands, the ship lifted out
// during the count-down; after the last stage come the credits.
TEST_F(SoakTest, ThePackRunsFromItsFirstStageToTheCredits)
{
    const int stages = static_cast<int>(engine->packs.rosters[0].size());
    engine->NewGame();
    for (int stage = 1; stage <= stages; ++stage)
    {
        SCOPED_TRACE(stage);
        ASSERT_EQ(engine->progress.stage, stage);
        int steps = 0;
        while (!engine->ship.inPlay && steps++ < 1000)
            engine->UpdatePlaying();
        for (Entity* entity : engine->level.entities)
        {
            if (entity->type == static_cast<int>(EntityKind::Generator))
                entity->health = 0.0f;
        }
        engine->menu.invincible = true;
        while (!engine->progress.countdownActive && steps++ < 2000)
            engine->UpdatePlaying();
        ASSERT_TRUE(engine->progress.countdownActive);
        engine->ship.x = engine->ship.prevX = 0.0f;
        engine->ship.y = engine->ship.prevY = -650.0f;
        while (engine->progress.stage == stage && steps++ < 3000)
            engine->UpdatePlaying();
        ASSERT_EQ(engine->progress.stage, stage + 1);
        while (engine->ship.leaving && engine->gameState == Playing && steps++ < 4000)
            engine->UpdatePlaying();
    }
    EXPECT_EQ(engine->gameState, Credits);
}

} // namespace
