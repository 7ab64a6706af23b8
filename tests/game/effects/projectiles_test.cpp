#include "game/effects/emitters.h"
#include "game/effects/projectiles.h"
#include "support/flight_fixture.h"
#include "support/map_fixture.h"

using namespace cavtest;

namespace
{

class ProjectilesTest : public FlightTest
{
protected:
    std::list<Projectile>& Shots() { return engine->effects.playerShots; }
    // Ticks until the list is empty (at most `limit`).
    int RunOut(int limit = 1000)
    {
        int ticks = 0;
        while (!Shots().empty() && ticks < limit)
        {
            UpdateProjectiles(Shots());
            ++ticks;
        }
        return ticks;
    }
};

TEST_F(ProjectilesTest, ALaserLivesThreeSecondsAndEndsInAnImpact)
{
    FireProjectile(Shots(), LaserShotInit, LaserShotUpdate, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(Shots().front().vx, 5.0f);
    EXPECT_EQ(Shots().front().scoreMultiplier, 1.0f);
    const int ticks = RunOut();
    // 3.0 s counted down in float steps of 0.01.
    EXPECT_GE(ticks, 300);
    EXPECT_LE(ticks, 301);
    EXPECT_EQ(EmittersOf<ImpactEmitter>(), 1);
    EXPECT_EQ(EmittersOf<DebrisEmitter>(), 0);
}

TEST_F(ProjectilesTest, AWallEndsAShotWithDebrisAndNoImpact)
{
    SetWalls({MakeWall(20.0f, 0.0f, 20.0f, 200.0f), MakeWall(300.0f, 0.0f, 300.0f, 200.0f)});
    FireProjectile(Shots(), LaserShotInit, LaserShotUpdate, 40.0f, 100.0f, 180.0f, 0.0f, 0.0f);
    EXPECT_EQ(RunOut(), 4); // 36, 32, 28, then 24 is within 5 of the wall
    EXPECT_EQ(EmittersOf<DebrisEmitter>(), 1);
    EXPECT_EQ(EmittersOf<ImpactEmitter>(), 0);
    EXPECT_EQ(Plays(sfx::StageReflect), 1);
}

TEST_F(ProjectilesTest, ShotsWrapAcrossTheMapWidthOnly)
{
    struct Case
    {
        bool walls;
        float x;
    } cases[] = {{true, 3.0f}, {false, 1003.0f}};
    for (const Case& c : cases)
    {
        engine->ClearLevel();
        if (c.walls)
            SetWalls(
                {MakeWall(0.0f, 0.0f, 1000.0f, 0.0f), MakeWall(0.0f, 400.0f, 1000.0f, 400.0f)});
        FireProjectile(Shots(), LaserShotInit, LaserShotUpdate, 998.0f, 200.0f, 0.0f, 1.0f, 0.0f);
        UpdateProjectiles(Shots());
        ASSERT_EQ(Shots().size(), 1u);
        EXPECT_FLOAT_EQ(Shots().front().x, c.x);
        EXPECT_FLOAT_EQ(Shots().front().prevX, c.x - 5.0f);
        EXPECT_FLOAT_EQ(Shots().front().vx, 5.0f);
        EXPECT_FLOAT_EQ(Shots().front().shape.front().x, c.x);
    }
}

TEST_F(ProjectilesTest, AnEnemyBulletSpinsAndFalls)
{
    FireProjectile(engine->effects.enemyShots, EnemyShotInit, EnemyBulletUpdate, 0.0f, 0.0f, 45.0f,
                   2.0f, 0.0f);
    Projectile& shot = engine->effects.enemyShots.front();
    EXPECT_TRUE(shot.enemyMade);
    EXPECT_EQ(shot.scoreMultiplier, 5.0f);
    EXPECT_EQ(shot.angle, 0.0f);
    EXPECT_EQ(Plays(sfx::EnemyShot), 1);
    for (int i = 0; i < 3; ++i)
        UpdateProjectiles(engine->effects.enemyShots);
    EXPECT_FLOAT_EQ(shot.vy, 0.03f);
    EXPECT_FLOAT_EQ(shot.y, 0.03f); // it moves, then falls faster
    EXPECT_FLOAT_EQ(shot.angle, 16.5f);
    EXPECT_FLOAT_EQ(shot.prevAngle, 11.0f);
}

} // namespace
