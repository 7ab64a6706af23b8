// The shooting defenders, stepped one at a time against a ship placed by hand.
#include "game/effects/projectiles.h"
#include "game/entities/seekers.h"
#include "game/entities/turrets.h"
#include "support/map_fixture.h"

#include <cmath>
#include <cstdlib>

using namespace cavtest;

namespace
{

constexpr std::int32_t kBlueTurret = 0, kBlueTank = 7, kRedTurret = 8, kGreenTurret = 17;

class TurretsTest : public LevelTest
{
protected:
    // One entity of `kind` at the origin (the map has no walls unless given).
    Entity* LoadOne(std::int32_t kind, float angle = 0.0f, std::vector<Beam> walls = {})
    {
        std::srand(7);
        MapDocument map;
        map.walls = std::move(walls);
        map.entities.push_back(MakeRecord(kind, 0.0f, 0.0f, angle));
        EXPECT_TRUE(WriteAndLoad(map));
        return EntityAt(0);
    }
    void PlaceShip(float x, float y, bool inPlay = true)
    {
        PlayerShip& ship = engine->ship;
        ship.x = ship.prevX = x;
        ship.y = ship.prevY = y;
        ship.inPlay = inPlay;
        ship.UpdateCollisionPoints();
    }
    // What the kind has fired so far: shots for the shooters, new entities for the others.
    std::size_t Fired() const
    {
        return engine->effects.enemyShots.size() + engine->level.entities.size() - 1;
    }
    // Steps the entity alone until it fires; the tick it fired on, or -1 within `limit`.
    int TicksToFire(Entity* entity, int limit)
    {
        for (int tick = 1; tick <= limit; ++tick)
        {
            entity->Update();
            if (Fired() > 0)
                return tick;
        }
        return -1;
    }
};

struct RangeCase
{
    std::int32_t kind;
    float range;
};

const RangeCase kRanges[] = {
    {kBlueTurret, 400.0f}, {kRedTurret, 350.0f}, {kGreenTurret, 400.0f}, {kBlueTank, 400.0f}};

TEST_F(TurretsTest, OutOfRangeNeverFiresInRangeFiresTwoToFourSecondsAfterWaking)
{
    for (const RangeCase& c : kRanges)
    {
        SCOPED_TRACE(c.kind);
        Entity* far = LoadOne(c.kind);
        PlaceShip(0.0f, -(c.range + 1.0f));
        EXPECT_EQ(TicksToFire(far, 3000), -1);

        Entity* near = LoadOne(c.kind);
        PlaceShip(0.0f, -(c.range - 1.0f));
        // Woken by the range check at 1.0 s, then 2, 3 or 4 s of fire timer.
        const int tick = TicksToFire(near, 3000);
        EXPECT_GE(tick, 299);
        EXPECT_LE(tick, 502);
    }
}

TEST_F(TurretsTest, TimersFreezeWhileTheShipIsOutOfPlay)
{
    for (const RangeCase& c : kRanges)
    {
        SCOPED_TRACE(c.kind);
        Entity* turret = LoadOne(c.kind);
        PlaceShip(0.0f, -100.0f);
        for (int i = 0; i < 150; ++i) // awake by now, nothing fired yet
            turret->Update();
        engine->ship.inPlay = false;
        EXPECT_EQ(TicksToFire(turret, 2000), -1);
        engine->ship.inPlay = true;
        const int tick = TicksToFire(turret, 500);
        EXPECT_GE(tick, 150); // the remaining 1.5 to 3.5 s
        EXPECT_LE(tick, 352);
    }
}

// Shots leave the muzzle straight at the ship; a ship exactly at the shooter gives a shot
// that stands still, never a NaN.
TEST_F(TurretsTest, ShootersAimAtTheShipFromTheirMuzzle)
{
    struct Case
    {
        std::int32_t kind;
        float shipX;
        float muzzleY, vx;
    };
    const Case cases[] = {{kBlueTurret, 300.0f, -15.0f, 1.5f}, {kBlueTurret, 0.0f, -15.0f, 0.0f},
                          {kBlueTank, 300.0f, -20.0f, 2.75f}, {kBlueTank, 0.0f, -20.0f, 0.0f}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.shipX);
        Entity* shooter = LoadOne(c.kind);
        PlaceShip(c.shipX, 0.0f);
        ASSERT_GT(TicksToFire(shooter, 600), 0);
        const Projectile& shot = engine->effects.enemyShots.back();
        EXPECT_NEAR(shot.x, 0.0f, 1e-4f);
        EXPECT_NEAR(shot.y, c.muzzleY, 1e-4f);
        EXPECT_NEAR(shot.vx, c.vx, 1e-4f);
        EXPECT_EQ(shot.vy, 0.0f);
        EXPECT_TRUE(shot.enemyMade);
    }
}

// The red turret's seeker and the green turret's wasp leave through the muzzle, 15 units
// out along the turret's up side; a wasp moves by minus its velocity.
TEST_F(TurretsTest, LaunchersReleaseOneCraftAtTheMuzzle)
{
    struct Case
    {
        std::int32_t kind;
        float angle;
        float muzzleX, muzzleY; // with the turret at the origin
        float velocityX, velocityY;
    };
    const Case cases[] = {
        {kRedTurret, 0.0f, 0.0f, -15.0f, 0.0f, -3.0f},
        {kRedTurret, 180.0f, 0.0f, 15.0f, 0.0f, 3.0f},
        {kGreenTurret, 0.0f, 0.0f, -15.0f, 0.0f, 2.5f},
        {kGreenTurret, 90.0f, 15.0f, 0.0f, -2.5f, 0.0f},
        {kGreenTurret, 180.0f, 0.0f, 15.0f, 0.0f, -2.5f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.kind << " at " << c.angle);
        Entity* turret = LoadOne(c.kind, c.angle);
        PlaceShip(c.muzzleX * 5.0f, c.muzzleY * 5.0f);
        ASSERT_GT(TicksToFire(turret, 600), 0);
        ASSERT_EQ(engine->level.entities.size(), 2u);
        Entity* craft = EntityAt(1);
        EXPECT_NEAR(craft->x, c.muzzleX, 1e-4f);
        EXPECT_NEAR(craft->y, c.muzzleY, 1e-4f);
        Vec2 velocity;
        if (auto seeker = dynamic_cast<Seeker*>(craft))
            velocity = seeker->velocity;
        else if (auto wasp = dynamic_cast<Wasp*>(craft))
        {
            velocity = wasp->velocity;
            EXPECT_EQ(wasp->heading, c.angle);
            EXPECT_FALSE(dynamic_cast<GreenTurret*>(turret)->awake); // asleep again
        }
        else
            FAIL() << "released " << craft->type;
        EXPECT_NEAR(velocity.x, c.velocityX, 1e-4f);
        EXPECT_NEAR(velocity.y, c.velocityY, 1e-4f);
        // Nothing more within the next second: a wasp needs a new waking and a new timer.
        for (int i = 0; i < 100; ++i)
            turret->Update();
        EXPECT_EQ(engine->level.entities.size(), 2u);
    }
}

TEST_F(TurretsTest, TankFiresBurstsOfFiveFallingShots)
{
    Entity* tank = LoadOne(kBlueTank);
    PlaceShip(0.0f, -200.0f);
    ASSERT_GT(TicksToFire(tank, 600), 0);
    for (int i = 0; i < 4 * 32; ++i) // 0.3 s apart
        tank->Update();
    ASSERT_EQ(engine->effects.enemyShots.size(), 5u);
    for (int i = 0; i < 250; ++i) // at least 3 s of rest follow
        tank->Update();
    EXPECT_EQ(engine->effects.enemyShots.size(), 5u);
    EXPECT_EQ(engine->effects.enemyShots.front().update, &EnemyBulletUpdate);
}

TEST_F(TurretsTest, TankPatrolsItsFloorAndStaysPutWithoutOne)
{
    struct Case
    {
        bool floor;
        float minX, maxX; // how far it must get each way
    };
    for (const Case c : {Case{true, -150.0f, 150.0f}, Case{false, 0.0f, 0.0f}})
    {
        SCOPED_TRACE(c.floor);
        std::vector<Beam> walls;
        if (c.floor)
            walls.push_back(MakeWall(-200.0f, 0.0f, 200.0f, 0.0f));
        Entity* tank = LoadOne(kBlueTank, 0.0f, walls);
        PlaceShip(0.0f, -5000.0f, false);
        float lowest = 0.0f, highest = 0.0f;
        for (int i = 0; i < 5000; ++i)
        {
            tank->Update();
            ASSERT_NEAR(tank->y, 0.0f, 1e-3f);
            ASSERT_GE(tank->x, -200.0f);
            ASSERT_LE(tank->x, 200.0f);
            lowest = std::min(lowest, tank->x);
            highest = std::max(highest, tank->x);
        }
        EXPECT_LE(lowest, c.minX);
        EXPECT_GE(highest, c.maxX);
        if (!c.floor)
        {
            EXPECT_TRUE(lowest == 0.0f && highest == 0.0f);
        }
    }
}

} // namespace
