#include "engine/data_file.h"
#include "game/engine.h"
#include "game/entities/platform.h"
#include "game/entities/reactor.h"
#include "game/entities/rocks.h"
#include "game/entities/rotator.h"
#include "game/entities/seekers.h"
#include "game/entities/space_men.h"
#include "game/entities/switches.h"
#include "game/entities/turrets.h"
#include "game/entity.h"
#include "support/map_fixture.h"

#include <ctime>
#include <cstring>
#include <limits>
#include <typeinfo>

using namespace cavtest;

namespace
{

class LevelLoadTest : public LevelTest
{
};

TEST_F(LevelLoadTest, EveryPlaceableKindRoundTripsWithItsOwnFields)
{
    ASSERT_TRUE(WriteAndLoad(EveryKindMap()));
    ASSERT_EQ(engine->level.entities.size(), 21u);
    ASSERT_EQ(engine->level.walls.size(), 2u);
    EXPECT_STREQ(engine->level.title, "EVERY KIND");
    EXPECT_STREQ(engine->level.password, "KINDS");
    EXPECT_EQ(engine->level.endTimer, 77);
    EXPECT_EQ(engine->progress.generatorCount, 1);
    EXPECT_EQ(engine->level.walls[1].x2, 300.0f);
    EXPECT_EQ(engine->level.walls[1].endBlue, 0.25f);
    EXPECT_FLOAT_EQ(engine->level.walls[1].length, Distance(0.0f, 900.0f, 300.0f, 880.0f));

    const std::type_info* kinds[kPlaceableKindCount] = {
        &typeid(BlueTurret),    &typeid(ForceField),  &typeid(Button),         &typeid(Force),
        &typeid(FuelPod),       &typeid(SpaceMan),    &typeid(Generator),      &typeid(BlueTank),
        &typeid(RedTurret),     &typeid(DepthCharge), &typeid(Rotator),        &typeid(AreaTrigger),
        &typeid(Tree),          &typeid(Rock),        &typeid(Rock),           &typeid(Volcano),
        &typeid(HomingMissile), &typeid(GreenTurret), &typeid(MovingPlatform), &typeid(TargetInfo),
        &typeid(Beacon)};
    for (std::int32_t code = 0; code < kPlaceableKindCount; ++code)
    {
        Entity* entity = EntityAt(static_cast<std::size_t>(code));
        ASSERT_NE(entity, nullptr);
        EXPECT_EQ(typeid(*entity), *kinds[code]) << code;
        EXPECT_EQ(entity->type, code);
        // A rotator's angle counts its turn, a platform has none and a depth charge floats
        // upright: all start at 0.
        const bool startsSquare = code == 9 || code == 10 || code == 18;
        EXPECT_EQ(entity->angle, startsSquare ? 0.0f : 10.0f) << code;
        EXPECT_EQ(entity->x, 1000.0f * code + 5.5f) << code;
        EXPECT_EQ(entity->prevX, entity->x) << code;
        EXPECT_EQ(entity->prevY, 300.0f + code) << code;
    }

    auto* field = dynamic_cast<ForceField*>(EntityAt(1));
    EXPECT_STREQ(field->name, "fieldName");
    EXPECT_STREQ(field->target, "fieldTarget");
    EXPECT_EQ(field->startupDelay, 0.25f);
    EXPECT_EQ(field->offTime, 4.5f);
    EXPECT_EQ(field->onTime, 2.5f);
    EXPECT_STREQ(dynamic_cast<Button*>(EntityAt(2))->target, "buttonTarget");
    EXPECT_EQ(dynamic_cast<Force*>(EntityAt(3))->radius, 33);
    auto* rotator = dynamic_cast<Rotator*>(EntityAt(10));
    EXPECT_STREQ(rotator->name, "rotName");
    EXPECT_EQ(rotator->speed, -2.0f);
    EXPECT_EQ(rotator->increments, 90);
    EXPECT_EQ(rotator->radius, 25);
    auto* trigger = dynamic_cast<AreaTrigger*>(EntityAt(11));
    EXPECT_STREQ(trigger->target, "triggerTarget");
    EXPECT_EQ(trigger->radius, 44);
    auto* platform = dynamic_cast<MovingPlatform*>(EntityAt(18));
    EXPECT_STREQ(platform->name, "platName");
    EXPECT_STREQ(platform->startTarget, "fromHere");
    EXPECT_STREQ(platform->endTarget, "toThere");
    EXPECT_EQ(platform->radius, 12);
    EXPECT_EQ(platform->speed, 3.0f);
    EXPECT_EQ(platform->stopTime, 1.5f);
    EXPECT_TRUE(platform->repeat);
    EXPECT_FALSE(platform->startOn);
    EXPECT_STREQ(dynamic_cast<TargetInfo*>(EntityAt(19))->name, "infoName");

    // The large rock is a rock with three times the health and a wider circle.
    Entity* large = EntityAt(14);
    EXPECT_EQ(large->health, 3.0f);
    EXPECT_EQ(large->shape.front().radius, 20.0f);
    EXPECT_EQ(EntityAt(13)->shape.front().radius, 12.0f);
}

TEST_F(LevelLoadTest, KindsMadeDuringPlayLoadWithTheirCommonFieldsOnly)
{
    MapDocument map = EveryKindMap();
    map.entities.resize(3);
    for (std::int32_t code : {22, 23, 24})
    {
        MapEntityRecord record = MakeRecord(code, 1.0f * code, 2.0f, 3.0f);
        map.entities.push_back(record);
    }
    ASSERT_TRUE(WriteAndLoad(map));
    ASSERT_EQ(engine->level.entities.size(), 6u);
    EXPECT_NE(dynamic_cast<VolcanoDebris*>(EntityAt(3)), nullptr);
    EXPECT_NE(dynamic_cast<LaunchedMissile*>(EntityAt(4)), nullptr);
    EXPECT_NE(dynamic_cast<Wasp*>(EntityAt(5)), nullptr);
    EXPECT_EQ(EntityAt(5)->x, 24.0f);
    EXPECT_EQ(EntityAt(5)->type, 24);
}

TEST_F(LevelLoadTest, UnknownCodesFailTheLoadAndKeepWhatWasReadBefore)
{
    for (std::int32_t code : {21, 25, -1})
    {
        SCOPED_TRACE(code);
        MapDocument map;
        map.walls.push_back(MakeWall(0.0f, 100.0f, 500.0f, 100.0f));
        map.entities.push_back(MakeRecord(6, 50.0f, 100.0f));
        map.entities.push_back(MakeRecord(13, 60.0f, 90.0f));
        map.entities.push_back(MakeRecord(12, 70.0f, 90.0f));
        map.title = "BROKEN";
        const std::string path = "bad" + std::to_string(code) + ".map";
        ASSERT_TRUE(WriteMap(path, map));
        PatchFile(path, 8 + 40 + 16, Le32(static_cast<std::uint32_t>(code)));

        engine->progress.generatorCount = 0;
        engine->level.minX = -5.0f;
        std::strcpy(engine->level.title, "BEFORE");
        EXPECT_FALSE(LoadMapFile(path));
        EXPECT_EQ(engine->level.walls.size(), 1u);
        ASSERT_EQ(engine->level.entities.size(), 1u);
        EXPECT_NE(dynamic_cast<Generator*>(EntityAt(0)), nullptr);
        // The factory counted the Generator although the load failed after it.
        EXPECT_EQ(engine->progress.generatorCount, 1);
        // No tail, bounds or grid for a failed map.
        EXPECT_STREQ(engine->level.title, "BEFORE");
        EXPECT_EQ(engine->level.minX, -5.0f);
        EXPECT_TRUE(engine->level.wallGrid.IsEmpty());
    }
    EXPECT_NE(LogText().find("Failed To Load Map\n"), std::string::npos);
}

TEST_F(LevelLoadTest, AMissingMapKeepsThePreviousLevelAndABadStageIsRefused)
{
    MapDocument map = EveryKindMap();
    ASSERT_TRUE(WriteAndLoad(map));
    EXPECT_FALSE(LoadMapFile("Data/Maps/nothing.map"));
    EXPECT_EQ(engine->level.entities.size(), 21u);
    engine->progress.stage = 2; // past the roster
    EXPECT_FALSE(engine->LoadMap());
    engine->progress.stage = 0;
    EXPECT_FALSE(engine->LoadMap());
    engine->packs.currentPack = 1;
    engine->progress.stage = 1;
    EXPECT_FALSE(engine->LoadMap());
    EXPECT_EQ(engine->level.entities.size(), 21u);
}

TEST_F(LevelLoadTest, BoundsKeepTheirStartValuesAndForceMinYToZero)
{
    MapDocument none;
    ASSERT_TRUE(WriteAndLoad(none));
    EXPECT_EQ(engine->level.minX, 1000.0f);
    EXPECT_EQ(engine->level.minY, 0.0f);
    EXPECT_EQ(engine->level.maxX, 0.0f);
    EXPECT_EQ(engine->level.maxY, 0.0f);
    EXPECT_TRUE(engine->level.wallGrid.IsEmpty());
    Vec2 normal;
    EXPECT_FALSE(engine->CollideWithWalls({Circle(50.0f, 500.0f, 0.0f)}, normal));

    MapDocument far;
    far.walls.push_back(MakeWall(1200.0f, 50.0f, 1500.0f, 80.0f));
    ASSERT_TRUE(WriteAndLoad(far));
    EXPECT_EQ(engine->level.minX, 1000.0f);
    EXPECT_EQ(engine->level.maxX, 1500.0f);
    EXPECT_EQ(engine->level.maxY, 80.0f);
    EXPECT_EQ(engine->level.minY, 0.0f);

    MapDocument sky;
    sky.walls.push_back(MakeWall(10.0f, -50.0f, 200.0f, -20.0f));
    ASSERT_TRUE(WriteAndLoad(sky));
    EXPECT_EQ(engine->level.minX, 10.0f);
    EXPECT_EQ(engine->level.maxX, 200.0f);
    EXPECT_EQ(engine->level.minY, 0.0f);
    EXPECT_EQ(engine->level.maxY, 0.0f);
}

TEST_F(LevelLoadTest, OnlyALevelWithWidthWrapsHorizontally)
{
    MapDocument none;
    ASSERT_TRUE(WriteAndLoad(none));
    EXPECT_EQ(engine->MapWrapWidth(), 0.0f);
    float x = 500.0f, prevX = 499.0f;
    engine->WrapAroundMap(x, prevX); // bounds 1000..0 would have shifted it by -1000
    EXPECT_EQ(x, 500.0f);
    EXPECT_EQ(prevX, 499.0f);

    MapDocument cave;
    cave.walls.push_back(MakeWall(-640.0f, 60.0f, 640.0f, 60.0f));
    ASSERT_TRUE(WriteAndLoad(cave));
    EXPECT_EQ(engine->MapWrapWidth(), 1280.0f);
    x = -650.0f;
    prevX = -648.0f;
    engine->WrapAroundMap(x, prevX);
    EXPECT_EQ(x, 630.0f);
    EXPECT_EQ(prevX, 632.0f);
    x = 645.0f;
    prevX = 643.0f;
    engine->WrapAroundMap(x, prevX);
    EXPECT_EQ(x, -635.0f);
    EXPECT_EQ(prevX, -637.0f);

    // One vertical wall: the bounds have no width, nothing wraps.
    MapDocument post;
    post.walls.push_back(MakeWall(300.0f, 0.0f, 300.0f, 200.0f));
    ASSERT_TRUE(WriteAndLoad(post));
    EXPECT_EQ(engine->MapWrapWidth(), 0.0f);
}

TEST_F(LevelLoadTest, EveryTruncationOfAMapFailsCleanly)
{
    MapDocument map;
    map.walls.push_back(MakeWall(0.0f, 100.0f, 500.0f, 100.0f));
    map.entities.push_back(MakeRecord(18, 50.0f, 100.0f));
    map.entities.push_back(MakeRecord(1, 60.0f, 90.0f));
    map.entities.push_back(MakeRecord(20, 70.0f, 90.0f));
    map.title = "WHOLE";
    ASSERT_TRUE(WriteMap("whole.map", map));
    const std::string bytes = ReadFile("whole.map");
    ASSERT_TRUE(LoadMapFile("whole.map"));
    for (std::size_t size = 0; size < bytes.size(); ++size)
    {
        WriteFile("cut.map", bytes.substr(0, size));
        EXPECT_FALSE(LoadMapFile("cut.map")) << size;
    }
}

TEST_F(LevelLoadTest, HostileCountsFailBeforeAnythingIsAllocated)
{
    const std::string tail(42, '\0');
    const std::uint32_t hostile[][2] = {{0x7fffffffu, 0},
                                        {0, 0x7fffffffu},
                                        {0x80000000u, 0},
                                        {0xffffffffu, 0},
                                        {0, 0xffffffffu},
                                        {0x06666667u, 0}, // * 40 wraps to 24 in 32 bits
                                        {1, 0}};          // one wall but no room for it
    for (const auto& counts : hostile)
    {
        WriteFile("hostile.map", Le32(counts[0]) + Le32(counts[1]) + tail);
        EXPECT_FALSE(LoadMapFile("hostile.map")) << counts[0] << " " << counts[1];
        EXPECT_TRUE(engine->level.walls.empty());
        EXPECT_LT(engine->level.walls.capacity(), 1000u);
        EXPECT_TRUE(engine->level.entities.empty());
    }
    // Entity counts that fit the minimal record size still fail at the first short record.
    WriteFile("many.map", Le32(0) + Le32(3) + Le32(18) + std::string(40, '\0') + tail);
    EXPECT_FALSE(LoadMapFile("many.map"));
    EXPECT_TRUE(engine->level.entities.empty());
}

TEST_F(LevelLoadTest, BytesAfterTheTailFailTheLoad)
{
    MapDocument map;
    map.walls.push_back(MakeWall(0.0f, 100.0f, 500.0f, 100.0f));
    map.password = "ABCDE";
    ASSERT_TRUE(WriteMap("tail.map", map));
    const std::string bytes = ReadFile("tail.map");
    ASSERT_TRUE(LoadMapFile("tail.map"));
    // One stray byte already puts another password at 10 bytes from the end.
    for (const std::string& extra : {std::string(1, '\0'), std::string("XYZ12\0abcd")})
    {
        WriteFile("tail.map", bytes + extra);
        EXPECT_FALSE(LoadMapFile("tail.map")) << extra.size();
        EXPECT_NE(LogText().find("Failed To Load Map\n"), std::string::npos);
    }
}

// A platform whose end point is so far away that the path length overflows, or is
// infinite: the load ends (it used to walk the path sample by sample for ever), nothing is
// registered for it and the platform does not run.
TEST_F(LevelLoadTest, APlatformWithAnEndlessPathRegistersNothingAndStays)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (float far : {1.8e19f, 3.0e38f, inf})
    {
        MapDocument map;
        map.walls.push_back(MakeWall(0.0f, 900.0f, 900.0f, 900.0f));
        map.walls.push_back(MakeWall(80.0f, 105.0f, 120.0f, 105.0f));
        MapEntityRecord lift = MakeRecord(18, 100.0f, 100.0f);
        lift.fields[1].text = "from";
        lift.fields[2].text = "to";
        lift.fields[3].integer = 20;
        map.entities.push_back(lift);
        MapEntityRecord from = MakeRecord(19, 100.0f, 100.0f);
        from.fields[0].text = "from";
        map.entities.push_back(from);
        MapEntityRecord to = MakeRecord(19, far, -far);
        to.fields[0].text = "to";
        map.entities.push_back(to);
        ASSERT_TRUE(WriteAndLoad(map)) << far;
        EXPECT_TRUE(EntityAt(0)->dead) << far;
        // The grid holds what its own build put there, nothing more.
        WallGrid plain;
        plain.Build(engine->level.walls, engine->level.minX, engine->level.minY, engine->level.maxX, engine->level.maxY);
        for (int c = 0; c < plain.Width(); ++c)
        {
            for (int r = 0; r < plain.Height(); ++r)
                EXPECT_EQ(*engine->level.wallGrid.Cell(c, r), *plain.Cell(c, r)) << c << "," << r;
        }
        engine->UpdateEntities();
        EXPECT_EQ(engine->level.entities.size(), 2u);
        EXPECT_EQ(engine->level.walls[1].y1, 105.0f);
    }
}

// Rotators and platforms reach as far as their file says; over a grid of a million cells
// each carried wall could enter every cell. A small map must load (or be refused) quickly.
TEST_F(LevelLoadTest, CarriersThatReachTheWholeGridAreRefusedQuickly)
{
    auto hostile = [](std::int32_t kind)
    {
        MapDocument map;
        map.walls.push_back(MakeWall(0.0f, 0.0f, 49000.0f, 49000.0f)); // ~240,000 cells
        for (int i = 0; i < 40; ++i)
            map.walls.push_back(MakeWall(24000.0f + i, 24000.0f, 1000.0f, 48000.0f - i));
        MapEntityRecord carrier = MakeRecord(kind, 24000.0f, 24000.0f);
        Field(carrier, "radius").integer = 100000;
        if (kind == 18)
        {
            Field(carrier, "startTarget").text = "a";
            Field(carrier, "endTarget").text = "b";
        }
        map.entities.push_back(carrier);
        MapEntityRecord a = MakeRecord(19, 24000.0f, 24000.0f);
        Field(a, "name").text = "a";
        MapEntityRecord b = MakeRecord(19, 24500.0f, 24500.0f);
        Field(b, "name").text = "b";
        map.entities.push_back(a);
        map.entities.push_back(b);
        return map;
    };
    for (std::int32_t kind : {10, 18})
    {
        ASSERT_TRUE(WriteMap("hostile.map", hostile(kind)));
        engine->ClearLevel();
        // Refused before the registration runs: the fuzzer's one-second limit and the
        // load benchmark watch the time it takes.
        EXPECT_FALSE(LoadMapFile("hostile.map")) << kind;
        EXPECT_TRUE(engine->level.wallGrid.Refused());
        EXPECT_NE(LogText().find("reach too many grid cells"), std::string::npos);
    }
}

// Long walls alone can ask for more grid entries than any stage needs: 120 walls along a
// tall, narrow map of 240,000 cells would make 7 million. Such maps, and maps wider than the
// grid's cell limit, are refused at once with a log line, not loaded without their walls.
TEST_F(LevelLoadTest, MapsWhoseGridWouldBeHugeAreRefusedQuickly)
{
    MapDocument tall;
    for (int i = 0; i < 120; ++i)
        tall.walls.push_back(MakeWall(float(i), 0.0f, float(i), 2.3e6f));
    MapDocument wide;
    wide.walls.push_back(MakeWall(0.0f, 0.0f, 6.0e4f, 6.0e4f));
    for (const MapDocument& map : {tall, wide})
    {
        ASSERT_TRUE(WriteMap("huge.map", map));
        engine->ClearLevel();
        EXPECT_FALSE(LoadMapFile("huge.map"));
        EXPECT_TRUE(engine->level.wallGrid.Refused());
        EXPECT_TRUE(engine->level.wallGrid.IsEmpty());
    }
    EXPECT_NE(LogText().find("Wall grid refused"), std::string::npos);
}

TEST_F(LevelLoadTest, CharacterFieldsAlwaysEndInNulAndFlagsAreTruthValues)
{
    MapDocument map;
    map.entities.push_back(MakeRecord(19, 0.0f, 0.0f));
    map.entities.push_back(MakeRecord(18, 500.0f, 0.0f));
    ASSERT_TRUE(WriteMap("fields.map", map));
    const long info = 8;
    const long platform = info + 32;
    PatchFile("fields.map", info + 16, std::string(16, 'n'));
    PatchFile("fields.map", platform + 16 + 48 + 12, std::string("\x07\x02", 2));
    const long size = FileSizeOf("fields.map");
    PatchFile("fields.map", size - 42, std::string(38, 'T'));
    ASSERT_TRUE(LoadMapFile("fields.map"));
    EXPECT_EQ(std::strlen(dynamic_cast<TargetInfo*>(EntityAt(0))->name), 15u);
    EXPECT_EQ(std::strlen(engine->level.title), 31u);
    EXPECT_EQ(std::strlen(engine->level.password), 5u);
    // The platform's targets did not resolve; its flags still read as truth values.
    auto* lift = dynamic_cast<MovingPlatform*>(EntityAt(1));
    EXPECT_TRUE(lift->repeat);
    EXPECT_TRUE(lift->startOn);
}

TEST_F(LevelLoadTest, ClearLevelEmptiesTheLevelButKeepsTheWorldProperties)
{
    ASSERT_TRUE(WriteAndLoad(EveryKindMap()));
    engine->effects.dynamicBeams.emplace_back();
    engine->effects.playerShots.emplace_back();
    engine->effects.enemyShots.emplace_back();
    engine->effects.scorePopups.emplace_back();
    engine->progress.score = 1234;
    engine->ClearLevel();
    EXPECT_TRUE(engine->level.walls.empty());
    EXPECT_TRUE(engine->level.entities.empty());
    EXPECT_TRUE(engine->effects.dynamicBeams.empty());
    EXPECT_TRUE(engine->effects.playerShots.empty());
    EXPECT_TRUE(engine->effects.enemyShots.empty());
    EXPECT_TRUE(engine->effects.scorePopups.empty());
    EXPECT_TRUE(engine->level.wallGrid.IsEmpty());
    EXPECT_STREQ(engine->level.title, "EVERY KIND");
    EXPECT_EQ(engine->level.endTimer, 77);
    EXPECT_EQ(engine->progress.score, 1234);
}

TEST(EntityFactory, CodesAndConstructorValues)
{
    for (std::int32_t code : {21, 25, -1, 1000, -2147483647 - 1})
        EXPECT_EQ(CreateEntity(code), nullptr) << code;
    std::unique_ptr<Entity> debris(CreateEntity(22));
    ASSERT_NE(dynamic_cast<VolcanoDebris*>(debris.get()), nullptr);
    EXPECT_EQ(debris->type, 22);
    std::unique_ptr<Entity> tank(CreateEntity(7));
    EXPECT_EQ(tank->shape.size(), 3u);
    EXPECT_EQ(tank->points, 30);
    std::unique_ptr<Entity> reactor(CreateEntity(6)); // no Engine: nothing to count
    EXPECT_EQ(reactor->points, 150);
    EXPECT_EQ(reactor->health, 10.0f);
    std::unique_ptr<Entity> rock(CreateEntity(13));
    EXPECT_FALSE(EntityIsDead(rock.get()));
    rock->health = 0.0f;
    EXPECT_TRUE(EntityIsDead(rock.get()));
}

TEST(EntityFactory, CollisionPointsTurnWithTheEntity)
{
    std::unique_ptr<Entity> reactor(CreateEntity(6)); // one circle at (0, -15)
    reactor->Spawn(100.0f, 200.0f);
    EXPECT_NEAR(reactor->shape.front().x, 100.0f, 1e-4f);
    EXPECT_NEAR(reactor->shape.front().y, 185.0f, 1e-4f); // above it: y grows downwards
    reactor->angle = 90.0f;
    reactor->UpdateCollisionPoints();
    EXPECT_NEAR(reactor->shape.front().x, 115.0f, 1e-4f);
    EXPECT_NEAR(reactor->shape.front().y, 200.0f, 1e-4f);

    CircleList loose{Circle(1.0f, 0.0f, 0.0f, 17.0f, 0.0f)};
    UpdateCollisionPoints(loose, 0.0f, 10.0f, 10.0f);
    EXPECT_NEAR(loose.front().x, -7.0f, 1e-4f); // +x offsets go along -x at angle 0
    EXPECT_NEAR(loose.front().y, 10.0f, 1e-4f);
    CircleList none;
    UpdateCollisionPoints(none, 0.0f, 1.0f, 1.0f);
    EXPECT_TRUE(none.empty());

    // Circle lists: empty lists never hit; forces and volcanoes never do.
    EXPECT_FALSE(reactor->HitTest({}));
    EXPECT_TRUE(reactor->HitTest({Circle(1.0f, 115.0f, 200.0f)}));
    std::unique_ptr<Entity> volcano(CreateEntity(15));
    volcano->Spawn(0.0f, 0.0f);
    EXPECT_FALSE(volcano->HitTest({Circle(100.0f, 0.0f, 0.0f)}));
}

} // namespace
