#include "game/engine.h"
#include "game/entities/switches.h"
#include "game/entity.h"
#include "support/map_fixture.h"

#include <algorithm>
#include <iterator>
#include <vector>

using namespace cavtest;

namespace
{

class SwitchesTest : public LevelTest
{
protected:
    // A force field (name, target, startup delay, off time, on time) at (x, y).
    MapEntityRecord Field(float x, float y, const char* name, const char* target, float off,
                          float on, float angle = 0.0f)
    {
        MapEntityRecord record = MakeRecord(1, x, y, angle);
        record.fields[0].text = name;
        record.fields[1].text = target;
        record.fields[2].real = 0.0f;
        record.fields[3].real = off;
        record.fields[4].real = on;
        return record;
    }
    MapEntityRecord Targeting(std::int32_t kind, float x, float y, const char* target)
    {
        MapEntityRecord record = MakeRecord(kind, x, y);
        record.fields[0].text = target;
        return record;
    }
    template <class T>
    T* As(std::size_t n)
    {
        return dynamic_cast<T*>(EntityAt(n));
    }
};

struct FieldCase
{
    const char* what;
    float onTime;
    float offTime;
    std::vector<int> activations;                // ticks after which Activate is called
    std::vector<std::pair<int, bool>> onAtTicks; // expected on flag after the tick
    std::vector<float> beamLives;                // every beam made, in order, at the end
};

TEST_F(SwitchesTest, OnAndOffTimesChooseTheFieldsBehaviour)
{
    const FieldCase cases[] = {
        {"blinks",
         3.0f,
         3.0f,
         {},
         {{1, true}, {150, true}, {350, false}, {650, true}},
         {3.0f, 3.0f, 3.0f, 3.0f}},
        {"on for good, switched off for the off time",
         0.0f,
         3.0f,
         {10},
         {{0, true}, {10, false}, {200, false}, {350, true}, {2000, true}},
         {0.0f, 9999999.0f}},
        {"toggles",
         0.0f,
         0.0f,
         {100, 200, 300},
         {{99, false}, {100, true}, {199, true}, {200, false}, {300, true}},
         {0.0f, 9999999.0f}},
        {"on for the on time when activated",
         3.0f,
         0.0f,
         {10},
         {{9, false}, {10, true}, {200, true}, {350, false}, {2000, false}},
         {3.0f}},
    };
    for (const FieldCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        MapDocument map;
        map.entities.push_back(Field(50.0f, 60.0f, "f", "nobody", c.offTime, c.onTime));
        ASSERT_TRUE(WriteAndLoad(map));
        auto* field = As<ForceField>(0);
        for (int tick = 0; tick <= 2000; ++tick)
        {
            if (tick > 0)
                field->Update();
            if (std::find(c.activations.begin(), c.activations.end(), tick) != c.activations.end())
                field->Activate();
            for (const auto& [at, on] : c.onAtTicks)
            {
                if (at == tick)
                {
                    EXPECT_EQ(field->on, on) << "tick " << tick;
                }
            }
        }
        std::vector<float> lives;
        for (const DynamicBeam& beam : engine->effects.dynamicBeams)
            lives.push_back(beam.life);
        EXPECT_EQ(lives, c.beamLives);
    }
}

TEST_F(SwitchesTest, FieldsShootFromTheirEmitterPointsAlongUOrToTheirPartners)
{
    MapDocument map;
    map.entities.push_back(Field(50.0f, 60.0f, "steady", "nobody", 3.0f, 0.0f, 90.0f));
    map.entities.push_back(Field(0.0f, 100.0f, "left", "right", 3.0f, 3.0f));
    map.entities.push_back(Field(200.0f, 100.0f, "right", "left", 3.0f, 3.0f));
    ASSERT_TRUE(WriteAndLoad(map));
    // Switched on at load: turned by 90 degrees u points left, so the beam starts 10 right
    // of the field and runs 500 to the right.
    ASSERT_EQ(engine->effects.dynamicBeams.size(), 1u);
    const Segment& cast = engine->effects.dynamicBeams.front().beam;
    EXPECT_NEAR(cast.x1, 60.0f, 1e-4f);
    EXPECT_NEAR(cast.y1, 60.0f, 1e-4f);
    EXPECT_NEAR(cast.x2, 560.0f, 1e-3f);
    // Partners: one beam each between their emitter points, none cast along -u.
    engine->UpdateEntities();
    ASSERT_EQ(engine->effects.dynamicBeams.size(), 3u);
    auto left = As<ForceField>(1), right = As<ForceField>(2);
    const DynamicBeam& second = *std::next(engine->effects.dynamicBeams.begin());
    EXPECT_EQ(second.anchorA, &left->emitterPoint);
    EXPECT_EQ(second.anchorB, &right->emitterPoint);
    EXPECT_EQ(engine->effects.dynamicBeams.back().anchorB, &left->emitterPoint);
}

TEST_F(SwitchesTest, AButtonActivatesOnceAndNeverInItsSpawnTick)
{
    MapDocument map;
    map.entities.push_back(Field(0.0f, 100.0f, "gate", "nobody", 0.0f, 0.0f)); // toggles
    map.entities.push_back(Targeting(2, 200.0f, 100.0f, "gate"));
    ASSERT_TRUE(WriteAndLoad(map));
    auto* gate = As<ForceField>(0);
    auto* button = As<Button>(1);
    const CircleList shot{Circle(3.0f, 200.0f, 95.0f)};

    EXPECT_TRUE(button->HitTest(shot)); // the shot stops, but the button is not pressed yet
    EXPECT_FALSE(gate->on);
    EXPECT_FALSE(button->HitTest(shot, false));
    button->Update();
    EXPECT_TRUE(button->HitTest(shot));
    EXPECT_TRUE(gate->on);
    for (int i = 0; i < 50; ++i)
        button->Update();
    button->HitTest(shot); // 0.5 s later: nothing
    EXPECT_TRUE(gate->on);
    for (int i = 0; i < 51; ++i)
        button->Update();
    button->HitTest(shot); // re-armed
    EXPECT_FALSE(gate->on);
    EXPECT_EQ(button->health, 1009.0f + 40.0f);
}

TEST_F(SwitchesTest, ATriggerFiresOncePerEntryOfTheShipOnly)
{
    MapDocument map;
    map.entities.push_back(Field(0.0f, 100.0f, "gate", "nobody", 0.0f, 0.0f));
    MapEntityRecord trigger = Targeting(11, 300.0f, 300.0f, "gate");
    trigger.fields[1].integer = 40;
    map.entities.push_back(trigger);
    ASSERT_TRUE(WriteAndLoad(map));
    auto* gate = As<ForceField>(0);
    auto* area = As<AreaTrigger>(1);
    PlayerShip& ship = engine->ship;
    auto place = [&ship](float x, float y)
    {
        ship.x = x;
        ship.y = y;
        ship.UpdateCollisionPoints();
    };
    auto tick = [&](int n)
    {
        for (int i = 0; i < n; ++i)
        {
            area->Update();
            EXPECT_FALSE(area->HitTest(ship.shape));
        }
    };

    place(300.0f, 310.0f);
    ASSERT_FALSE(ship.shape.empty());
    tick(1);
    EXPECT_TRUE(gate->on);
    tick(199); // resting inside: once only
    EXPECT_TRUE(gate->on);
    // A shot crossing the circle (or a list without the ship's circle) changes nothing.
    EXPECT_FALSE(area->HitTest(CircleList{Circle(3.0f, 300.0f, 300.0f)}));
    EXPECT_FALSE(area->HitTest(CircleList{}));
    EXPECT_TRUE(area->touched);

    auto reenter = [&](int ticksOutside)
    {
        place(500.0f, 300.0f);
        tick(ticksOutside);
        place(300.0f, 310.0f);
        tick(1);
    };
    reenter(1); // two seconds after the last firing: fires
    EXPECT_FALSE(gate->on);
    reenter(1); // within a second of it: nothing
    EXPECT_FALSE(gate->on);
    reenter(100);
    EXPECT_TRUE(gate->on);
}

} // namespace
