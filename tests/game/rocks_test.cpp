// Rocks, trees, depth charges and volcanoes, stepped one at a time.
#include "game/effects/emitters.h"
#include "game/effects/projectiles.h"
#include "game/entities/rocks.h"
#include "support/map_fixture.h"

#include <cstdlib>

using namespace cavtest;

namespace
{

constexpr std::int32_t kDepthCharge = 9, kTree = 12, kRock = 13, kLargeRock = 14, kVolcano = 15;

class RocksTest : public LevelTest
{
protected:
    Entity* LoadOne(std::int32_t kind, std::vector<Beam> walls = {}, float angle = 0.0f)
    {
        MapDocument map;
        map.walls = std::move(walls);
        map.entities.push_back(MakeRecord(kind, 0.0f, 0.0f, angle));
        EXPECT_TRUE(WriteAndLoad(map));
        engine->ship.inPlay = false; // no crashes into what is tested
        return EntityAt(0);
    }
    Projectile& Shoot(std::list<Projectile>& list)
    {
        FireProjectile(list, LaserShotInit, LaserShotUpdate, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        return list.back();
    }
};

// Each laser hit takes one from the health; the next update of one shot to 0 kills it.
TEST_F(RocksTest, ALargeRockNeedsThreeHitsTheOthersOne)
{
    const struct
    {
        std::int32_t kind;
        int hits;
    } cases[] = {{kRock, 1}, {kLargeRock, 3}, {kTree, 1}, {kDepthCharge, 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.kind);
        Entity* target = LoadOne(c.kind);
        int hits = 0;
        while (!target->dead && hits < 10)
        {
            Shoot(engine->effects.playerShots);
            engine->UpdatePlayerBullets();
            ++hits;
            target->Update();
        }
        EXPECT_EQ(hits, c.hits);
        EXPECT_FALSE(engine->effects.emitters.empty()) << "a burst where it stood";
    }
}

TEST_F(RocksTest, RocksStopEnemyShotsTreesDoNot)
{
    for (std::int32_t kind : {kRock, kLargeRock, kTree})
    {
        SCOPED_TRACE(kind);
        LoadOne(kind);
        Projectile& shot = Shoot(engine->effects.enemyShots);
        shot.enemyMade = true;
        engine->UpdatePlayerBullets();
        EXPECT_EQ(shot.finished, kind != kTree);
    }
}

// Walls at -25 and 25: it turns back at each and never leaves the gap.
TEST_F(RocksTest, DepthChargeDriftsToAndFroBetweenWalls50Apart)
{
    for (unsigned seed : {1u, 2u})
    {
        std::srand(seed);
        Entity* charge = LoadOne(
            kDepthCharge,
            {MakeWall(-25.0f, -100.0f, -25.0f, 100.0f), MakeWall(25.0f, -100.0f, 25.0f, 100.0f)},
            45.0f);
        EXPECT_EQ(charge->angle, 0.0f);
        float lowest = 0.0f, highest = 0.0f;
        for (int i = 0; i < 3000; ++i)
        {
            charge->Update();
            ASSERT_EQ(charge->y, 0.0f);
            lowest = std::min(lowest, charge->x);
            highest = std::max(highest, charge->x);
        }
        EXPECT_NEAR(lowest, -18.0f, 0.2f); // radius 7 from the wall
        EXPECT_NEAR(highest, 18.0f, 0.2f);
    }
}

// The first stone leaves on the first update, out of the crater at 2 to 5 a tick.
TEST_F(RocksTest, VolcanoThrowsOnItsFirstUpdateAtSpeedTwoToFive)
{
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        SCOPED_TRACE(seed);
        std::srand(seed);
        Entity* volcano = LoadOne(kVolcano, {}, 90.0f); // crater towards +x
        volcano->Update();
        ASSERT_EQ(engine->level.entities.size(), 2u);
        auto* debris = dynamic_cast<VolcanoDebris*>(EntityAt(1));
        ASSERT_NE(debris, nullptr);
        EXPECT_EQ(debris->type, 22);
        const float out = debris->velocity.x; // along the crater's opening
        EXPECT_GE(out, 2.0f - 1e-4f);
        EXPECT_LE(out, 5.0f + 1e-4f);
        EXPECT_GE(debris->modelVariant, 0);
        EXPECT_LE(debris->modelVariant, 2);
        EXPECT_EQ(engine->effects.emitters.size(), 1u); // the sparks
    }
}

// Over a ledge with nothing beneath, stones fall out of the map and go: a minute of throwing
// leaves no more than the few in the air.
TEST_F(RocksTest, DebrisFallingOutOfTheMapDies)
{
    std::srand(3);
    LoadOne(kVolcano,
            {MakeWall(-300.0f, 0.0f, -200.0f, 0.0f), MakeWall(200.0f, 0.0f, 300.0f, 0.0f)});
    std::size_t most = 0;
    for (int i = 0; i < 6000; ++i)
    {
        engine->UpdateEntities();
        UpdateEmitters(engine->effects.emitters);
        most = std::max(most, engine->level.entities.size());
    }
    EXPECT_LE(most, 12u);
}

} // namespace
