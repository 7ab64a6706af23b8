#include "game/engine.h"
#include "game/entities/platform.h"
#include "game/entities/rocks.h"
#include "game/entities/rotator.h"
#include "game/entities/space_men.h"
#include "game/entities/switches.h"
#include "game/entity.h"
#include "support/map_fixture.h"

#include <algorithm>
#include <cstdlib>

using namespace cavtest;

namespace
{

class LinksTest : public LevelTest
{
protected:
    MapEntityRecord Named(std::int32_t kind, float x, float y, const char* name,
                          const char* target = nullptr)
    {
        MapEntityRecord record = MakeRecord(kind, x, y);
        if (FieldValue* value = FindFieldValue(record, "name"))
            value->text = name;
        if (FieldValue* value = FindFieldValue(record, "target"); value != nullptr && target)
            value->text = target;
        return record;
    }
    template <class T>
    T* As(std::size_t n)
    {
        return dynamic_cast<T*>(EntityAt(n));
    }
};

TEST_F(LinksTest, NamesLinkExactlyAndCaseSensitively)
{
    MapDocument map;
    map.entities.push_back(Named(1, 0.0f, 0.0f, "Gate", "none")); // 0
    map.entities.push_back(Named(2, 100.0f, 0.0f, "", "gate"));   // 1: wrong case
    map.entities.push_back(Named(2, 200.0f, 0.0f, "", "Gate"));   // 2
    map.entities.push_back(Named(11, 300.0f, 0.0f, "", "Gate"));  // 3
    map.entities.push_back(Named(10, 5000.0f, 0.0f, "Gate"));     // 4: a rotator too
    map.entities.push_back(Named(19, 400.0f, 0.0f, "Gate"));      // 5: no name for buttons
    ASSERT_TRUE(WriteAndLoad(map));
    EXPECT_TRUE(As<Button>(1)->targets.empty());
    EXPECT_EQ(As<Button>(2)->targets, (std::vector<Entity*>{EntityAt(0), EntityAt(4)}));
    EXPECT_EQ(As<AreaTrigger>(3)->targets, (std::vector<Entity*>{EntityAt(0), EntityAt(4)}));
}

TEST_F(LinksTest, ForceFieldsListEachOtherButNeverThemselves)
{
    MapDocument map;
    map.entities.push_back(Named(1, 0.0f, 0.0f, "self", "self"));
    map.entities.push_back(Named(1, 100.0f, 0.0f, "left", "right"));
    map.entities.push_back(Named(1, 200.0f, 0.0f, "right", "left"));
    map.entities.push_back(Named(2, 300.0f, 0.0f, "", "")); // an empty target
    ASSERT_TRUE(WriteAndLoad(map));
    EXPECT_TRUE(As<ForceField>(0)->partners.empty());
    EXPECT_EQ(As<ForceField>(1)->partners, std::vector<Entity*>{EntityAt(2)});
    EXPECT_EQ(As<ForceField>(2)->partners, std::vector<Entity*>{EntityAt(1)});
    // Named force fields do not match an empty target; the button does not list itself.
    EXPECT_TRUE(As<Button>(3)->targets.empty());
}

TEST_F(LinksTest, AFieldWithNoOnTimeComesOnForGoodAtLoad)
{
    MapDocument map;
    MapEntityRecord field = Named(1, 50.0f, 60.0f, "steady", "nobody");
    Field(field, "offTime").real = 3.0f;
    Field(field, "onTime").real = 0.0f;
    map.entities.push_back(field);
    map.entities.push_back(Named(1, 150.0f, 60.0f, "blinker", "nobody"));
    ASSERT_TRUE(WriteAndLoad(map));
    EXPECT_TRUE(As<ForceField>(0)->on);
    EXPECT_FALSE(As<ForceField>(1)->on);
    ASSERT_EQ(engine->effects.dynamicBeams.size(), 1u);
    EXPECT_EQ(engine->effects.dynamicBeams.front().anchorA, &As<ForceField>(0)->emitterPoint);
    EXPECT_EQ(engine->effects.dynamicBeams.front().anchorB, nullptr);
}

TEST_F(LinksTest, TheLaterTargetInfoWinsAndThePlatformJumpsToItsStart)
{
    MapDocument map;
    map.walls.push_back(MakeWall(-500.0f, 900.0f, 500.0f, 900.0f));
    map.walls.push_back(MakeWall(80.0f, 105.0f, 120.0f, 105.0f)); // the lift floor
    map.entities.push_back(Named(19, 100.0f, 500.0f, "low"));
    MapEntityRecord lift = MakeRecord(18, 100.0f, 100.0f);
    Field(lift, "startTarget").text = "low";
    Field(lift, "endTarget").text = "high";
    Field(lift, "radius").integer = 20;
    map.entities.push_back(lift);
    map.entities.push_back(MakeRecord(13, 100.0f, 110.0f));   // a rock riding on it
    map.entities.push_back(Named(19, 100.0f, 300.0f, "low")); // the later "low"
    map.entities.push_back(Named(19, 100.0f, -200.0f, "high"));
    ASSERT_TRUE(WriteAndLoad(map));
    auto* platform = As<MovingPlatform>(1);
    EXPECT_FALSE(platform->dead);
    EXPECT_EQ(platform->startPoint, EntityAt(3));
    EXPECT_EQ(platform->endPoint, EntityAt(4));
    EXPECT_EQ(platform->carriedEntities, std::vector<Entity*>{EntityAt(2)});
    ASSERT_EQ(platform->carriedWalls.size(), 1u);
    EXPECT_EQ(platform->carriedWalls[0], &engine->level.walls[1]);
    // Moved by +200 to the start point with what it carries.
    EXPECT_EQ(platform->y, 300.0f);
    EXPECT_EQ(engine->level.walls[1].y1, 305.0f);
    EXPECT_EQ(EntityAt(2)->y, 310.0f);
    EXPECT_EQ(EntityAt(2)->prevY, 310.0f);
    // Its wall was entered into the cells along its path, also where the grid's own build
    // (made before the jump) never put it.
    const WallGrid::CellList* cell = engine->level.wallGrid.Cell(6, 5);
    ASSERT_NE(cell, nullptr);
    EXPECT_NE(std::find(cell->begin(), cell->end(), &engine->level.walls[1]), cell->end());
}

TEST_F(LinksTest, AnUnresolvedPlatformDiesAndIsForgottenByItsButton)
{
    MapDocument map;
    map.walls.push_back(MakeWall(0.0f, 105.0f, 40.0f, 105.0f));
    MapEntityRecord lift = Named(18, 20.0f, 100.0f, "lift");
    Field(lift, "startTarget").text = "nowhere";
    map.entities.push_back(lift);
    map.entities.push_back(Named(2, 500.0f, 100.0f, "", "lift"));
    map.entities.push_back(Named(11, 600.0f, 100.0f, "", "lift"));
    MapEntityRecord turner = Named(10, 3000.0f, 100.0f, "lift"); // a stepped rotator
    turner.fields[2].integer = 90;
    map.entities.push_back(turner);
    ASSERT_TRUE(WriteAndLoad(map));
    auto* platform = As<MovingPlatform>(0);
    EXPECT_TRUE(platform->dead);
    EXPECT_EQ(platform->startPoint, nullptr);
    EXPECT_EQ(engine->level.walls[0].y1, 105.0f); // nothing was moved
    auto* button = As<Button>(1);
    auto* trigger = As<AreaTrigger>(2);
    auto* rotator = As<Rotator>(3);
    ASSERT_EQ(button->targets, (std::vector<Entity*>{platform, rotator}));

    engine->UpdateEntities();
    ASSERT_EQ(engine->level.entities.size(), 3u);
    EXPECT_EQ(button->targets, std::vector<Entity*>{rotator});
    EXPECT_EQ(trigger->targets, std::vector<Entity*>{rotator});
    // What is left in the list is alive and still in the level (ASan reports any stale
    // pointer that Activate would touch).
    const auto& entities = engine->level.entities;
    for (Entity* target : button->targets)
    {
        EXPECT_NE(std::find(entities.begin(), entities.end(), target), entities.end());
        EXPECT_FALSE(target->dead);
        target->Activate();
    }
}

TEST_F(LinksTest, AnEmptyButtonTargetListsEveryEntityWithoutAName)
{
    MapDocument map;
    map.entities.push_back(MakeRecord(13, 0.0f, 0.0f));              // 0: rock
    map.entities.push_back(Named(1, 100.0f, 0.0f, "gate", "none"));  // 1: named field
    map.entities.push_back(Named(1, 200.0f, 0.0f, "", "none"));      // 2: unnamed field
    map.entities.push_back(Named(2, 300.0f, 0.0f, "", ""));          // 3: the button
    map.entities.push_back(Named(10, 400.0f, 0.0f, "spin"));         // 4: named rotator
    map.entities.push_back(Named(10, 500.0f, 0.0f, ""));             // 5: unnamed rotator
    map.entities.push_back(Named(19, 600.0f, 0.0f, "point"));        // 6: its name does not count
    map.entities.push_back(MakeRecord(5, 700.0f, 0.0f));             // 7: space man
    map.entities.push_back(Named(11, 800.0f, 0.0f, "", "nothing"));  // 8: area trigger
    ASSERT_TRUE(WriteAndLoad(map));
    EXPECT_EQ(As<Button>(3)->targets, (std::vector<Entity*>{EntityAt(0), EntityAt(2), EntityAt(5),
                                                            EntityAt(6), EntityAt(7), EntityAt(8)}));
}

// The platform enters its walls into the union of the cells its samples reach; the result
// must equal walking the path sample by sample, wall by wall, cell by cell.
TEST_F(LinksTest, PlatformPathCellsMatchTheSampleWalk)
{
    std::srand(99);
    int carrying = 0;
    auto random = [](float low, float high)
    { return low + (high - low) * float(std::rand()) / float(RAND_MAX); };
    for (int round = 0; round < 25; ++round)
    {
        MapDocument map;
        map.walls.push_back(MakeWall(-1500.0f, 1200.0f, 1800.0f, 1300.0f));
        const float px = random(-1000, 1000), py = random(100, 1000);
        for (int i = 0; i < 12; ++i)
        {
            const float x = px + random(-150, 150), y = py + random(-150, 150);
            map.walls.push_back(MakeWall(x, y, x + random(-80, 80), y + random(-80, 80)));
        }
        MapEntityRecord lift = MakeRecord(18, px, py);
        lift.fields[1].text = "from";
        lift.fields[2].text = "to";
        lift.fields[3].integer = static_cast<std::int32_t>(random(0, 700));
        map.entities.push_back(lift);
        map.entities.push_back(Named(19, px, py, "from")); // no jump: the walls stay put
        map.entities.push_back(Named(19, random(-2500, 2500), random(-800, 2500), "to"));
        ASSERT_TRUE(WriteAndLoad(map));
        auto* platform = As<MovingPlatform>(0);
        ASSERT_FALSE(platform->dead);

        carrying += platform->carriedWalls.empty() ? 0 : 1;
        const LevelData& level = engine->level;
        WallGrid walk;
        walk.Build(level.walls, level.minX, level.minY, level.maxX, level.maxY);
        const float length = Distance(px, py, platform->endPoint->x, platform->endPoint->y);
        const Vec2 dir = Normalize(px - platform->endPoint->x, py - platform->endPoint->y);
        const int c = (2 * platform->radius) / 100 + 1;
        const int samples = 3 + static_cast<int>(length / 100.0f);
        for (int k = 0; k < samples; ++k)
        {
            const float e = -100.0f + 100.0f * float(k);
            const int column = static_cast<int>(px - e * dir.x - level.minX) / 100;
            const int row = static_cast<int>(py - e * dir.y - level.minY) / 100;
            for (const Beam* wall : platform->carriedWalls)
            {
                for (int col = column - c - 1; col <= column + c; ++col)
                {
                    for (int r = row - c - 2; r <= row + c; ++r)
                        walk.AddWall(col, r, wall);
                }
            }
        }
        for (int col = 0; col < walk.Width(); ++col)
        {
            for (int r = 0; r < walk.Height(); ++r)
                ASSERT_EQ(*level.wallGrid.Cell(col, r), *walk.Cell(col, r)) << round;
        }
    }
    EXPECT_GT(carrying, 15);
}

TEST_F(LinksTest, RotatorsCarryWhatTheirCircleTouchesIncludingForcesAndVolcanoes)
{
    MapDocument map;
    map.walls.push_back(MakeWall(-60.0f, 500.0f, 60.0f, 500.0f)); // the bar
    map.walls.push_back(MakeWall(-500.0f, 900.0f, 500.0f, 900.0f));
    MapEntityRecord rotator = Named(10, 0.0f, 500.0f, "spin");
    Field(rotator, "radius").integer = 70;
    map.entities.push_back(rotator);
    MapEntityRecord force = MakeRecord(3, 0.0f, 600.0f);
    Field(force, "radius").integer = 40; // 100 away: 70 + 40 reach it
    map.entities.push_back(force);
    map.entities.push_back(MakeRecord(15, 85.0f, 500.0f));  // volcano: 70 + 20 reach it
    map.entities.push_back(MakeRecord(15, 95.0f, 500.0f));  // just out of reach
    map.entities.push_back(MakeRecord(13, -60.0f, 500.0f)); // rock on the bar
    map.entities.push_back(MakeRecord(20, 0.0f, 600.0f));   // beacons are never hit
    ASSERT_TRUE(WriteAndLoad(map));
    auto* spin = As<Rotator>(0);
    EXPECT_EQ(spin->carriedEntities, (std::vector<Entity*>{EntityAt(1), EntityAt(2), EntityAt(4)}));
    EXPECT_EQ(spin->carriedWalls, std::vector<Beam*>{&engine->level.walls[0]});
    // The bar can turn into cells it did not start in: it is entered there too.
    const WallGrid::CellList* above = engine->level.wallGrid.Cell(5, 3);
    ASSERT_NE(above, nullptr);
    EXPECT_NE(std::find(above->begin(), above->end(), &engine->level.walls[0]), above->end());
}

TEST_F(LinksTest, DeadEntitiesLeaveEveryListThatPointedAtThem)
{
    MapDocument map;
    map.walls.push_back(MakeWall(-60.0f, 500.0f, 60.0f, 500.0f));
    map.walls.push_back(MakeWall(-500.0f, 900.0f, 500.0f, 900.0f));
    MapEntityRecord rotator = Named(10, 0.0f, 500.0f, "spin");
    Field(rotator, "radius").integer = 70;
    map.entities.push_back(rotator);                        // 0
    map.entities.push_back(MakeRecord(13, 30.0f, 500.0f));  // 1: carried rock
    map.entities.push_back(Named(19, 300.0f, 800.0f, "a")); // 2
    map.entities.push_back(Named(19, 300.0f, 600.0f, "b")); // 3
    MapEntityRecord lift = Named(18, 300.0f, 800.0f, "lift");
    Field(lift, "startTarget").text = "a";
    Field(lift, "endTarget").text = "b";
    map.entities.push_back(lift); // 4
    MapEntityRecord field = Named(1, -300.0f, 880.0f, "f1", "f2");
    Field(field, "onTime").real = 0.0f;                            // on for good: beams at load
    map.entities.push_back(field);                                 // 5
    map.entities.push_back(Named(1, -200.0f, 880.0f, "f2", "f1")); // 6
    ASSERT_TRUE(WriteAndLoad(map));
    auto* spin = As<Rotator>(0);
    auto* platform = As<MovingPlatform>(4);
    auto* second = As<ForceField>(6);
    ASSERT_EQ(spin->carriedEntities.size(), 1u);
    ASSERT_EQ(engine->effects.dynamicBeams.size(), 1u);
    EXPECT_EQ(engine->effects.dynamicBeams.front().anchorB, &second->emitterPoint);

    EntityAt(1)->Kill();
    EntityAt(3)->Kill();
    EntityAt(6)->Kill();
    engine->UpdateEntities();
    EXPECT_EQ(engine->level.entities.size(), 4u);
    EXPECT_TRUE(spin->carriedEntities.empty());
    EXPECT_NE(platform->startPoint, nullptr);
    EXPECT_EQ(platform->endPoint, nullptr);
    EXPECT_TRUE(As<ForceField>(3)->partners.empty());
    EXPECT_TRUE(engine->effects.dynamicBeams.empty());
}

// Counts its updates; the first one releases a new entity into the list, as turrets do.
class Releaser : public Entity
{
public:
    explicit Releaser(int* updatesOfChild) : childUpdates(updatesOfChild) {}
    void Update() override;
    int* childUpdates;
    bool released = false;
};

class Child : public Entity
{
public:
    explicit Child(int* count) : updates(count) {}
    void Update() override { ++*updates; }
    int* updates;
};

void Releaser::Update()
{
    if (released)
        return;
    released = true;
    Child* child = new Child(childUpdates);
    child->Spawn(x, y);
    gEngine->level.entities.push_back(child);
}

TEST_F(LinksTest, EntitiesReleasedDuringThePassUpdateInTheSameStep)
{
    int childUpdates = 0;
    engine->level.entities.push_back(new Releaser(&childUpdates));
    int killedUpdates = 0;
    Child* doomed = new Child(&killedUpdates);
    doomed->Kill();
    engine->level.entities.push_back(doomed);

    engine->UpdateEntities();
    EXPECT_EQ(childUpdates, 1);
    // Killed before the pass: one more update, then gone in the same pass.
    EXPECT_EQ(killedUpdates, 1);
    EXPECT_EQ(engine->level.entities.size(), 2u);
    engine->UpdateEntities();
    EXPECT_EQ(childUpdates, 2);
}

// Kills another entity in its update.
class Killer : public Entity
{
public:
    explicit Killer(Entity* prey) : victim(prey) {}
    void Update() override { victim->Kill(); }
    Entity* victim;
};

TEST_F(LinksTest, AnEntityKilledAfterItsOwnUpdateGetsOneMoreUpdateBeforeRemoval)
{
    int updates = 0;
    Child* prey = new Child(&updates);
    engine->level.entities.push_back(prey);
    Killer* killer = new Killer(prey);
    engine->level.entities.push_back(killer);

    engine->UpdateEntities(); // prey updates alive, then dies: it stays for this pass
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(engine->level.entities.size(), 2u);
    EXPECT_TRUE(prey->dead);
    killer->victim = killer; // the next pass must not touch the prey after it is gone
    engine->UpdateEntities();
    EXPECT_EQ(updates, 2);
    // The killer killed itself in its own update this time: both are gone now.
    EXPECT_TRUE(engine->level.entities.empty());
}

} // namespace
