// Homing missiles, launched missiles, seekers and wasps, stepped one at a time against a
// ship placed by hand.
#include "game/effects/emitters.h"
#include "game/effects/projectiles.h"
#include "game/entities/rocks.h"
#include "game/entities/seekers.h"
#include "support/map_fixture.h"

#include <cmath>
#include <cstdlib>

using namespace cavtest;

namespace
{

constexpr std::int32_t kHoming = 16, kDebris = 22, kLaunched = 23, kWasp = 24;

class SeekersTest : public LevelTest
{
protected:
    // One entity of `kind` at the origin, read from a map with the given walls.
    Entity* LoadOne(std::int32_t kind, std::vector<Beam> walls = {})
    {
        std::srand(5);
        MapDocument map;
        map.walls = std::move(walls);
        map.entities.push_back(MakeRecord(kind, 0.0f, 0.0f));
        EXPECT_TRUE(WriteAndLoad(map));
        return EntityAt(0);
    }
    void PlaceShip(float x, float y)
    {
        PlayerShip& ship = engine->ship;
        ship.x = ship.prevX = x;
        ship.y = ship.prevY = y;
        ship.inPlay = true;
        ship.exploded = ship.leaving = false;
        ship.UpdateCollisionPoints();
    }
    // A seeker (never read from a map) alone in a map of the given walls; the level owns it.
    Seeker* NewSeeker(std::vector<Beam> walls = {})
    {
        MapDocument map;
        map.walls = std::move(walls);
        EXPECT_TRUE(WriteAndLoad(map));
        auto* seeker = new Seeker;
        seeker->Spawn(0.0f, 0.0f);
        engine->level.entities.push_back(seeker);
        return seeker;
    }
};

// Released at the first range check when the ship is nearer than 200. A shot that reaches the
// missile in the release step pays nothing; before any release it pays the 30 points.
TEST_F(SeekersTest, HomingMissileReleasesOnlyWithin200AndPaysNothingForIt)
{
    const struct
    {
        float distance;
        bool released;
    } cases[] = {{199.0f, true}, {201.0f, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.distance);
        Entity* homing = LoadOne(kHoming);
        homing->angle = 30.0f;
        PlaceShip(0.0f, -c.distance);
        engine->progress.score = 0;
        homing->Update(); // alone: the new missile is not stepped yet
        ASSERT_EQ(engine->level.entities.size(), c.released ? 2u : 1u);
        FireProjectile(engine->effects.playerShots, LaserShotInit, LaserShotUpdate, 0.0f, -5.0f,
                       0.0f, 0.0f, 0.0f);
        engine->UpdatePlayerBullets();
        EXPECT_EQ(engine->progress.score, c.released ? 0 : 30);
        if (!c.released)
            continue;
        auto* missile = dynamic_cast<LaunchedMissile*>(EntityAt(1));
        ASSERT_NE(missile, nullptr);
        EXPECT_EQ(missile->angle, 30.0f);
        const std::size_t emitters = engine->effects.emitters.size(); // the trail
        engine->UpdateEntities();
        EXPECT_EQ(engine->level.entities.size(), 1u) << "the homing missile left";
        EXPECT_EQ(engine->effects.emitters.size(), emitters) << "and left no blast";
    }
}

// Read from a map, each flying kind starts at rest with defined fields; a launched missile
// with no wall in its way burns out at tick 1500. Its trail is then stopped, not finished,
// and is deleted only after its last particle, long after the missile.
TEST_F(SeekersTest, LaunchedMissileStartsAtRestAndBurnsOutAtTick1500)
{
    auto* debris = dynamic_cast<VolcanoDebris*>(LoadOne(kDebris));
    ASSERT_NE(debris, nullptr);
    EXPECT_EQ(debris->velocity.x + debris->velocity.y, 0.0f);
    EXPECT_GE(debris->modelVariant, 0);
    EXPECT_LE(debris->modelVariant, 2);
    auto* wasp = dynamic_cast<Wasp*>(LoadOne(kWasp));
    ASSERT_NE(wasp, nullptr);
    EXPECT_EQ(wasp->velocity.x + wasp->velocity.y + wasp->heading, 0.0f);

    auto* missile = dynamic_cast<LaunchedMissile*>(LoadOne(kLaunched));
    ASSERT_NE(missile, nullptr);
    EXPECT_EQ(missile->velocity.x + missile->velocity.y, 0.0f);
    EXPECT_EQ(missile->trailPoint.x + missile->trailPoint.y, 0.0f);
    ASSERT_EQ(engine->effects.emitters.size(), 1u);
    auto* trail = dynamic_cast<TrailEmitter*>(engine->effects.emitters.front());
    ASSERT_NE(trail, nullptr);
    ASSERT_EQ(missile->trail, trail);

    PlaceShip(0.0f, 500.0f);
    int tick = 0;
    while (!missile->dead && tick < 2000)
    {
        ++tick;
        missile->Update();
        UpdateEmitters(engine->effects.emitters);
    }
    EXPECT_EQ(tick, 1500);
    EXPECT_EQ(missile->trail, nullptr);
    EXPECT_TRUE(trail->stop);
    EXPECT_FALSE(trail->finished);
    EXPECT_FALSE(trail->particles.empty());

    engine->UpdateEntities(); // reaped; the trail lets go of it
    EXPECT_TRUE(engine->level.entities.empty());
    for (int i = 0; i < 200 && !engine->effects.emitters.empty(); ++i)
        UpdateEmitters(engine->effects.emitters);
    for (const Emitter* left : engine->effects.emitters)
        EXPECT_EQ(dynamic_cast<const TrailEmitter*>(left), nullptr);
}

// A hovering ship leaves one waypoint; a new one only once it has moved over 50 from it.
TEST_F(SeekersTest, SeekerGetsANewWaypointOnlyWhenTheShipMovedOver50)
{
    const struct
    {
        float move;
        std::size_t waypoints;
    } cases[] = {{0.0f, 1u}, {50.0f, 1u}, {51.0f, 2u}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.move);
        Seeker* seeker = NewSeeker();
        PlaceShip(2000.0f, 0.0f); // too far to reach and pop a waypoint within 3 s
        seeker->Update();
        ASSERT_EQ(seeker->waypoints.size(), 1u);
        PlaceShip(2000.0f, c.move);
        for (int i = 0; i < 200; ++i) // one more waypoint check, 1.5 s on
            seeker->Update();
        EXPECT_EQ(seeker->waypoints.size(), c.waypoints);
    }
}

TEST_F(SeekersTest, SeekerExactlyOnItsWaypointStaysFinite)
{
    Seeker* seeker = NewSeeker();
    PlaceShip(0.0f, 0.0f);
    for (int i = 0; i < 10; ++i)
        seeker->Update();
    EXPECT_TRUE(std::isfinite(seeker->velocity.x + seeker->velocity.y + seeker->x + seeker->y));
}

// Held at its distance from the ship: awake, it fires every 0.5 s straight at the ship at
// 2.5 a tick; at 350 it never wakes.
TEST_F(SeekersTest, WaspFiresEveryHalfSecondAt250AndNeverAt350)
{
    for (float distance : {250.0f, 350.0f})
    {
        SCOPED_TRACE(distance);
        auto* wasp = dynamic_cast<Wasp*>(LoadOne(kWasp));
        engine->effects.enemyShots.clear();
        PlaceShip(distance, 0.0f);
        std::vector<int> fired;
        for (int tick = 1; tick <= 600; ++tick)
        {
            wasp->x = wasp->prevX = wasp->y = wasp->prevY = 0.0f;
            wasp->velocity = Vec2();
            const std::size_t before = engine->effects.enemyShots.size();
            wasp->Update();
            if (engine->effects.enemyShots.size() > before)
                fired.push_back(tick);
        }
        if (distance > 300.0f)
        {
            EXPECT_TRUE(fired.empty());
            continue;
        }
        ASSERT_GE(fired.size(), 5u);
        for (std::size_t i = 1; i < fired.size(); ++i) // 0.5 s, give or take the float tick
            EXPECT_NEAR(fired[i] - fired[i - 1], 50, 1);
        const Projectile& shot = engine->effects.enemyShots.back();
        EXPECT_NEAR(std::hypot(shot.vx, shot.vy), 2.5f, 1e-4f);
        EXPECT_GT(shot.vx, 2.49f);
    }
}

// A wall through each flying kind ends it on its next tick, with a blast.
TEST_F(SeekersTest, AWallKillsEachFlyingKind)
{
    const std::vector<Beam> wall = {MakeWall(3.0f, -100.0f, 3.0f, 100.0f)};
    for (std::int32_t kind : {kLaunched, kWasp, kDebris, std::int32_t{21}})
    {
        SCOPED_TRACE(kind);
        Entity* flyer = kind == 21 ? NewSeeker(wall) : LoadOne(kind, wall);
        PlaceShip(0.0f, -1000.0f);
        const std::size_t emitters = engine->effects.emitters.size();
        flyer->Update();
        EXPECT_TRUE(flyer->dead);
        EXPECT_GT(engine->effects.emitters.size(), emitters);
    }
}

} // namespace
