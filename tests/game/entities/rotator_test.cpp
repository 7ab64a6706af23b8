#include "game/engine.h"
#include "game/entities/rotator.h"
#include "game/entity.h"
#include "support/map_fixture.h"

#include <cmath>
#include <limits>

using namespace cavtest;

namespace
{

// A bar from the rotator's centre (0, 500) to (50, 500), turned by a rotator of the given
// speed, increments and radius.
class RotatorTest : public LevelTest
{
protected:
    bool LoadRotator(float speed, std::int32_t increments, std::int32_t radius,
                     bool withPod = false)
    {
        MapDocument map;
        map.walls.push_back(MakeWall(0.0f, 500.0f, 50.0f, 500.0f));
        map.walls.push_back(MakeWall(-500.0f, 900.0f, 500.0f, 900.0f));
        MapEntityRecord record = MakeRecord(10, 0.0f, 500.0f);
        record.fields[0].text = "spin";
        record.fields[1].real = speed;
        record.fields[2].integer = increments;
        record.fields[3].integer = radius;
        map.entities.push_back(record);
        if (withPod)
            map.entities.push_back(MakeRecord(4, 30.0f, 513.0f));
        if (!WriteAndLoad(map))
            return false;
        rotator = dynamic_cast<Rotator*>(EntityAt(0));
        bar = &engine->level.walls[0];
        return rotator != nullptr;
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            engine->UpdateEntities();
    }

    Rotator* rotator = nullptr;
    Beam* bar = nullptr;
};

TEST_F(RotatorTest, AStepOfNinetyDegreesTakesNinetyTicksAndStops)
{
    const struct
    {
        float speed;
        float endY;
        float normalX;
    } cases[] = {{1.0f, 550.0f, 1.0f}, {-1.0f, 450.0f, -1.0f}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.speed);
        ASSERT_TRUE(LoadRotator(c.speed, 90, 60));
        Ticks(5); // idle until activated
        EXPECT_EQ(bar->x2, 50.0f);
        rotator->Activate();
        Ticks(89);
        EXPECT_NE(rotator->angle, 0.0f);
        Ticks(1);
        EXPECT_EQ(rotator->angle, 0.0f);
        EXPECT_NEAR(bar->x2, 0.0f, 0.01f);
        EXPECT_NEAR(bar->y2, c.endY, 0.01f);
        // The wall is rebuilt as it turns: same length, its normal turned with it.
        EXPECT_NEAR(bar->length, 50.0f, 0.001f);
        EXPECT_NEAR(bar->nx, c.normalX, 0.001f);
        EXPECT_NEAR(bar->ny, 0.0f, 0.001f);
        const Beam after = *bar;
        Ticks(10);
        EXPECT_EQ(bar->x2, after.x2);
        EXPECT_EQ(bar->y2, after.y2);
    }
}

TEST_F(RotatorTest, ALandedShipWithinTheRadiusTurnsAndTakesOffWithTheMotion)
{
    const struct
    {
        const char* what;
        float shipX;
        bool turns;
    } cases[] = {{"within the radius", 40.0f, true}, {"beyond it", 70.0f, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(LoadRotator(2.0f, 0, 60));
        PlayerShip& ship = engine->ship;
        ship.x = ship.prevX = c.shipX;
        ship.y = ship.prevY = 488.0f;
        ship.angle = 270.0f;
        ship.landed = true;
        ship.vx = ship.vy = 0.0f;
        Ticks(1);
        // Turned by 2 degrees about the rotator: same distance, new place.
        EXPECT_FLOAT_EQ(Distance(ship.x, ship.y, 0.0f, 500.0f),
                        Distance(c.shipX, 488.0f, 0.0f, 500.0f));
        EXPECT_EQ(ship.x != c.shipX, c.turns);
        EXPECT_EQ(ship.angle, c.turns ? 272.0f : 270.0f);
        EXPECT_EQ(ship.vx, 0.0f);

        // The engine action pressed while riding: off with this tick's motion.
        engine->input[ButtonFire].value = ButtonState::Pressed;
        const float x = ship.x, y = ship.y;
        Ticks(1);
        engine->input[ButtonFire].value = ButtonState::Up;
        EXPECT_FLOAT_EQ(ship.vx, ship.x - x);
        EXPECT_FLOAT_EQ(ship.vy, ship.y - y);
        if (c.turns)
        {
            EXPECT_GT(std::fabs(ship.vy), 0.1f);
        }
    }
}

TEST_F(RotatorTest, ADrainedFuelPodLeavesTheRotatorSafely)
{
    ASSERT_TRUE(LoadRotator(1.0f, 0, 60, true));
    ASSERT_EQ(rotator->carriedEntities.size(), 1u);
    Ticks(5);
    EntityAt(1)->Kill();
    Ticks(1);
    EXPECT_TRUE(rotator->carriedEntities.empty());
    EXPECT_EQ(engine->level.entities.size(), 1u);
    Ticks(5); // ASan reports any access to the freed pod
}

TEST_F(RotatorTest, ASpeedThatIsNotANumberTurnsNothing)
{
    ASSERT_TRUE(LoadRotator(std::numeric_limits<float>::quiet_NaN(), 0, 60));
    Ticks(3);
    EXPECT_EQ(bar->x2, 50.0f);
    EXPECT_EQ(bar->y2, 500.0f);
}

} // namespace
