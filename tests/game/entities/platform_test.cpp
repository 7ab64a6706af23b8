#include "engine/collision.h"
#include "game/engine.h"
#include "game/entities/platform.h"
#include "game/entities/switches.h"
#include "game/entity.h"
#include "support/map_fixture.h"

#include <cmath>
#include <limits>

using namespace cavtest;

namespace
{

// A lift floor from x 260 to 340 at y 505 that runs from (300, 500) up to (300, end y).
class PlatformTest : public LevelTest
{
protected:
    bool LoadLift(float speed, float endY = 400.0f, bool startOn = true)
    {
        MapDocument map;
        map.walls.push_back(MakeWall(260.0f, 505.0f, 340.0f, 505.0f));
        map.walls.push_back(MakeWall(-500.0f, 900.0f, 1000.0f, 900.0f));
        MapEntityRecord low = MakeRecord(19, 300.0f, 500.0f);
        low.fields[0].text = "low";
        MapEntityRecord high = MakeRecord(19, 300.0f, endY);
        high.fields[0].text = "high";
        MapEntityRecord lift = MakeRecord(18, 300.0f, 500.0f);
        lift.fields[0].text = "lift";
        lift.fields[1].text = "low";
        lift.fields[2].text = "high";
        lift.fields[3].integer = 30; // radius
        lift.fields[4].real = speed; // per tick
        lift.fields[5].real = 0.5f;  // stop time
        lift.fields[6].flag = false; // repeat
        lift.fields[7].flag = startOn;
        map.entities = {low, high, lift};
        MapEntityRecord button = MakeRecord(2, 0.0f, 800.0f);
        button.fields[0].text = "lift";
        map.entities.push_back(button);
        if (!WriteAndLoad(map))
            return false;
        platform = dynamic_cast<MovingPlatform*>(EntityAt(2));
        floor = &engine->level.walls[0];
        return platform != nullptr;
    }
    bool Touches(float x, float y) const
    {
        Vec2 normal;
        return engine->CollideWithWalls(CircleList{Circle(10.0f, x, y)}, normal);
    }

    MovingPlatform* platform = nullptr;
    Beam* floor = nullptr;
};

TEST_F(PlatformTest, RunsToTheEndAndBackCarryingItsWalls)
{
    ASSERT_TRUE(LoadLift(2.0f));
    const Segment before = *floor;
    bool reachedEnd = false;
    for (int tick = 0; tick < 400 && platform->running; ++tick)
    {
        const bool wasOutbound = platform->outbound;
        engine->UpdateEntities();
        // The floor moves by exactly the platform's displacement, unchanged in shape.
        EXPECT_EQ(floor->y1 - before.y1, platform->y - 500.0f);
        EXPECT_EQ(floor->x1, before.x1);
        if (wasOutbound && !platform->outbound)
        {
            reachedEnd = true;
            EXPECT_LT(std::fabs(platform->y - 400.0f), 4.0f);
            // The collision tests find the floor up there and no longer down here.
            EXPECT_TRUE(Touches(300.0f, platform->y - 2.0f));
            EXPECT_FALSE(Touches(300.0f, 505.0f));
        }
    }
    EXPECT_TRUE(reachedEnd);
    EXPECT_FALSE(platform->running);
    EXPECT_LT(std::fabs(platform->y - 500.0f), 4.0f);
    EXPECT_EQ(floor->length, before.length);
    EXPECT_EQ(floor->ny, before.ny);
    // Resting after a run without repeat: activation is refused, then accepted.
    platform->Activate();
    EXPECT_FALSE(platform->running);
    for (int i = 0; i < 60; ++i)
        engine->UpdateEntities();
    platform->Activate();
    EXPECT_TRUE(platform->running);
}

struct RideCase
{
    const char* what;
    bool landed;
    float shipX;
    bool rides;
};

TEST_F(PlatformTest, ALandedShipWithinReachRidesAlong)
{
    const RideCase cases[] = {
        {"landed on the floor", true, 300.0f, true},
        {"hovering just above it", false, 300.0f, false},
        {"landed on it beyond the radius", true, 335.0f, false},
    };
    for (const RideCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(LoadLift(2.0f));
        PlayerShip& ship = engine->ship;
        ship.x = ship.prevX = c.shipX;
        ship.y = ship.prevY = 493.0f;
        ship.landed = c.landed;
        for (int i = 0; i < 20; ++i)
            engine->UpdateEntities();
        EXPECT_EQ(ship.y, c.rides ? 453.0f : 493.0f);
        EXPECT_EQ(ship.prevY, 493.0f); // the ship's own update moves its previous position
    }
}

TEST_F(PlatformTest, APlatformThatCannotTravelStaysPut)
{
    const struct
    {
        const char* what;
        float speed;
        float endY;
    } cases[] = {
        {"both points in one place", 2.0f, 500.0f},
        {"speed 0", 0.0f, 400.0f},
        {"negative speed", -1.0f, 400.0f},
        {"speed not a number", std::numeric_limits<float>::quiet_NaN(), 400.0f},
        {"infinite speed", std::numeric_limits<float>::infinity(), 400.0f},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(LoadLift(c.speed, c.endY));
        for (int i = 0; i < 100; ++i)
            engine->UpdateEntities();
        EXPECT_EQ(platform->x, 300.0f);
        EXPECT_EQ(platform->y, 500.0f);
        EXPECT_EQ(floor->y1, 505.0f);
        EXPECT_TRUE(Touches(300.0f, 500.0f));
        platform->running = false;
        platform->Activate();
        EXPECT_FALSE(platform->running);
    }
}

TEST_F(PlatformTest, LosingAnEndPointInPlayStopsThePlatformSafely)
{
    ASSERT_TRUE(LoadLift(2.0f));
    EntityAt(1)->Kill(); // the end point
    engine->UpdateEntities();
    EXPECT_EQ(platform->endPoint, nullptr);
    const float y = platform->y;
    platform->running = false;
    // Its button still reaches it; it refuses and stays (ASan checks every access).
    dynamic_cast<Button*>(EntityAt(2))->HitTest(CircleList{Circle(3.0f, 0.0f, 795.0f)});
    engine->UpdateEntities();
    EXPECT_FALSE(platform->running);
    EXPECT_EQ(platform->y, y);
}

} // namespace
