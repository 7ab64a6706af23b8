#include "game/engine.h"
#include "game/entities/platform.h"
#include "game/entities/reactor.h"
#include "game/entities/rotator.h"
#include "game/entities/space_men.h"
#include "game/entity.h"
#include "support/map_fixture.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <set>

using namespace cavtest;

namespace
{

class MapPacksTest : public LevelTest
{
protected:
    // Every 10-unit point of the loaded map that a body of radius 14 reaches from above the
    // shaft without touching a wall (the sky included). Walls that rotators and platforms
    // carry move out of the way in play, so they do not block.
    std::set<std::pair<int, int>> ReachableFromTheRoof() const
    {
        const LevelData& level = engine->level;
        const int columns = static_cast<int>((level.maxX - level.minX) / 10.0f);
        const int rows = static_cast<int>((level.maxY + 100.0f) / 10.0f);
        std::set<const Beam*> moving;
        for (const Entity* entity : level.entities)
        {
            if (entity->type == static_cast<std::int32_t>(EntityKind::Rotator))
                for (const Beam* wall : static_cast<const Rotator*>(entity)->carriedWalls)
                    moving.insert(wall);
            if (entity->type == static_cast<std::int32_t>(EntityKind::MovingPlatform))
                for (const Beam* wall : static_cast<const MovingPlatform*>(entity)->carriedWalls)
                    moving.insert(wall);
        }
        auto free = [&](int c, int r)
        {
            const float x = level.minX + 10.0f * static_cast<float>(c);
            const float y = -100.0f + 10.0f * static_cast<float>(r);
            std::list<const Beam*> hit;
            engine->FindWallsHit(Circle(14.0f, x, y), hit);
            for (const Beam* wall : hit)
                if (moving.count(wall) == 0)
                    return false;
            return true;
        };
        std::set<std::pair<int, int>> seen{{columns / 2, 0}};
        std::vector<std::pair<int, int>> open{{columns / 2, 0}};
        while (!open.empty())
        {
            const auto [c, r] = open.back();
            open.pop_back();
            for (const auto& [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            {
                const std::pair<int, int> next{c + dc, r + dr};
                if (next.first < 0 || next.first > columns || next.second < 0 ||
                    next.second > rows || seen.count(next) != 0 || !free(next.first, next.second))
                    continue;
                seen.insert(next);
                open.push_back(next);
            }
        }
        return seen;
    }
    // A ship standing level where its legs would be, on a wall flat enough to land on.
    bool LandableAt(float x, float floorY) const
    {
        Vec2 left, right;
        return engine->CollideWithWalls({Circle(5.0f, x - 8.0f, floorY - 5.0f)}, left) &&
               engine->CollideWithWalls({Circle(5.0f, x + 8.0f, floorY - 5.0f)}, right) &&
               left.x == right.x && left.y == right.y && std::fabs(left.x) <= 0.3f &&
               left.y < 0.0f;
    }
    void Map(const std::string& name, const char* password, const char* title = "A TITLE")
    {
        MapDocument map;
        map.title = title;
        map.password = password;
        ASSERT_TRUE(WriteMap("Data/Maps/" + name, map));
    }
    void SetUp() override
    {
        LevelTest::SetUp();
        WriteFile("Data/Maps/.keep", "");
    }
};

TEST_F(MapPacksTest, PackNamesAreTheLinesOfTheListAsRead)
{
    EXPECT_FALSE(engine->LoadMapPacks());
    WriteFile("MapPacks.cfg", "");
    EXPECT_FALSE(engine->LoadMapPacks());
    WriteFile("MapPacks.cfg", "FIRST\r\nSECOND");
    engine->packs.currentPack = 1;
    ASSERT_TRUE(engine->LoadMapPacks());
    EXPECT_EQ(engine->packs.packNames, (std::vector<std::string>{"FIRST\n", "SECOND"}));
    EXPECT_EQ(engine->packs.currentPack, 0);
    const std::string log = LogText();
    EXPECT_NE(log.find("No Map Packs Found!\n"), std::string::npos);
    EXPECT_NE(log.find("Loaded Map Packs.\n"), std::string::npos);
}

TEST_F(MapPacksTest, RostersTakeCrlfAndAFinalLineWithoutEnd)
{
    Map("one.map", "ALPHA");
    Map("two.map", "BRAVO");
    Map("three.map", "alpha");
    Map("x.map", "ALPHA", "DUPLICATE");
    Map("y.map", "OTHER", "OTHER PACK");
    WriteFile("MapPacks.cfg", "First\nSecond\n");
    WriteFile("Stages1.txt", "one.map\r\ntwo.map\r\nthree.map\r\nx.map");
    WriteFile("Stages2.txt", "y.map\n");
    ASSERT_TRUE(engine->LoadMapPacks());
    ASSERT_TRUE(engine->LoadStageRosters());
    ASSERT_EQ(engine->packs.rosters.size(), 2u);
    EXPECT_EQ(engine->packs.rosters[0],
              (std::vector<std::string>{"Data/Maps/one.map", "Data/Maps/two.map",
                                        "Data/Maps/three.map", "Data/Maps/x.map"}));
    EXPECT_EQ(engine->packs.passwords[0], (std::vector<std::string>{"ALPHA", "BRAVO", "alpha", "ALPHA"}));
    EXPECT_EQ(engine->packs.passwords[1], std::vector<std::string>{"OTHER"});
    EXPECT_NE(LogText().find("Loaded Map Rosta.\n"), std::string::npos);

    // Exact matches only; the earlier of two equal passwords wins.
    std::strcpy(engine->level.password, "ALPHA");
    ASSERT_TRUE(engine->FindStageByPassword());
    EXPECT_EQ(engine->progress.stage, 1);
    EXPECT_STREQ(engine->level.title, "A TITLE");
    std::strcpy(engine->level.password, "alpha");
    ASSERT_TRUE(engine->FindStageByPassword());
    EXPECT_EQ(engine->progress.stage, 3);
    std::strcpy(engine->level.password, "Bravo");
    EXPECT_FALSE(engine->FindStageByPassword());
    EXPECT_EQ(engine->progress.stage, 5);
    // Another pack's password is found only in that pack.
    std::strcpy(engine->level.password, "OTHER");
    EXPECT_FALSE(engine->FindStageByPassword());
    engine->packs.currentPack = 1;
    ASSERT_TRUE(engine->FindStageByPassword());
    EXPECT_EQ(engine->progress.stage, 1);
    EXPECT_STREQ(engine->level.title, "OTHER PACK");
    engine->packs.currentPack = 7;
    EXPECT_FALSE(engine->FindStageByPassword());
}

TEST_F(MapPacksTest, BadRosterLinesAndMissingOrShortMapsAreRefusedWithALogLine)
{
    Map("one.map", "ALPHA");
    Map("a_name_of_21_letters_", "LONG");
    WriteFile("MapPacks.cfg", "First\n");
    ASSERT_TRUE(engine->LoadMapPacks());

    WriteFile("Stages1.txt", "one.map\n\none.map\n");
    EXPECT_FALSE(engine->LoadStageRosters());
    EXPECT_NE(LogText().find("Blank Line In Stages1.txt!\n"), std::string::npos);

    WriteFile("Stages1.txt", "one.map\na_name_of_22_letters__\n");
    EXPECT_FALSE(engine->LoadStageRosters());
    EXPECT_NE(LogText().find("Map Name Too Long In Stages1.txt: a_name_of_22_letters__\n"),
              std::string::npos);
    // A 300-character line comes in pieces: each is refused, nothing overruns.
    WriteFile("Stages1.txt", std::string(300, 'm') + "\n");
    EXPECT_FALSE(engine->LoadStageRosters());

    WriteFile("Stages1.txt", "a_name_of_21_letters_\n");
    EXPECT_TRUE(engine->LoadStageRosters());

    WriteFile("Stages1.txt", "one.map\nmissing.map\n");
    EXPECT_FALSE(engine->LoadStageRosters());
    EXPECT_NE(LogText().find("Map Not Found: Data/Maps/missing.map\n"), std::string::npos);

    WriteFile("Data/Maps/short.map", std::string(49, '\0'));
    WriteFile("Stages1.txt", "short.map\n");
    EXPECT_FALSE(engine->LoadStageRosters());
    EXPECT_NE(LogText().find("Map Too Short: Data/Maps/short.map\n"), std::string::npos);

    WriteFile("Stages1.txt", "");
    EXPECT_FALSE(engine->LoadStageRosters());
    WriteFile("MapPacks.cfg", "First\nSecond\n");
    WriteFile("Stages1.txt", "one.map\n");
    ASSERT_TRUE(engine->LoadMapPacks());
    EXPECT_FALSE(engine->LoadStageRosters()); // no Stages2.txt
    EXPECT_EQ(engine->packs.rosters.size(), 1u);
    EXPECT_NE(LogText().find("No Map Rosta Found!\n"), std::string::npos);
}

// The pack the build writes into the run folder: every stage loads and looks playable.
TEST_F(MapPacksTest, TheBuiltPackLoadsAndEveryStageIsPlayable)
{
    const std::string run = CAV_RUN_DIR;
    CopyTree(run + "/MapPacks.cfg", "MapPacks.cfg");
    CopyTree(run + "/Stages1.txt", "Stages1.txt");
    CopyTree(run + "/Data/Maps", "Data/Maps");
    ASSERT_TRUE(engine->LoadMapPacks());
    ASSERT_TRUE(engine->LoadStageRosters());
    ASSERT_GE(engine->packs.rosters[0].size(), 12u);

    std::set<std::string> seen;
    std::set<std::int32_t> kinds;
    for (std::size_t i = 0; i < engine->packs.rosters[0].size(); ++i)
    {
        const std::string& password = engine->packs.passwords[0][i];
        SCOPED_TRACE(engine->packs.rosters[0][i]);
        ASSERT_EQ(password.size(), 5u);
        for (char c : password)
            EXPECT_TRUE(std::isupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(seen.insert(password).second);

        engine->progress.generatorCount = 0;
        engine->progress.stage = static_cast<int>(i) + 1;
        ASSERT_TRUE(engine->LoadMap());
        EXPECT_STRNE(engine->level.title, "");
        EXPECT_GT(engine->level.endTimer, 0);
        EXPECT_GE(engine->progress.generatorCount, 1);
        // Wide enough to wrap, small enough to learn, walls inside the grid (y >= -75).
        EXPECT_GE(engine->MapWrapWidth(), 640.0f);
        EXPECT_LE(engine->MapWrapWidth(), 4000.0f);
        EXPECT_LE(engine->level.maxY, 3000.0f);
        for (const Beam& wall : engine->level.walls)
            EXPECT_GE(std::min(wall.y1, wall.y2), -75.0f);
        int beacons = 0;
        for (const Entity* entity : engine->level.entities)
        {
            beacons += dynamic_cast<const Beacon*>(entity) != nullptr;
            kinds.insert(entity->type);
            EXPECT_FALSE(entity->dead) << entity->type; // every platform resolved
            EXPECT_GE(entity->x, engine->level.minX);
            EXPECT_LE(entity->x, engine->level.maxX);
            EXPECT_LE(entity->y, engine->level.maxY);
        }
        // Every entity can be reached from the roof (and so the roof from it); beacons and
        // space men stand on floors a ship can land on. A rotator's walls turn out of the
        // way in play (a door), so they are set aside for this.
        for (Entity* entity : engine->level.entities)
        {
            if (auto rotator = dynamic_cast<Rotator*>(entity))
            {
                for (Beam* wall : rotator->carriedWalls)
                    *wall = MakeWall(0.0f, -5000.0f, 1.0f, -5000.0f);
            }
        }
        const auto reachable = ReachableFromTheRoof();
        for (const Entity* entity : engine->level.entities)
        {
            bool near = false;
            for (const auto& [c, r] : reachable)
                near = near || Distance(engine->level.minX + 10.0f * static_cast<float>(c),
                                        -100.0f + 10.0f * static_cast<float>(r), entity->x,
                                        entity->y) <= 40.0f;
            EXPECT_TRUE(near) << "out of reach: " << entity->type << " at " << entity->x
                              << ", " << entity->y;
            if (entity->type == 5 || entity->type == 20)
            {
                EXPECT_TRUE(LandableAt(entity->x, entity->y))
                    << "no floor: " << entity->type << " at " << entity->x;
            }
        }
        EXPECT_GE(beacons, 1);
        // The ship drops in at x 0 from above: the way down must be open there.
        Vec2 normal;
        for (float y = -50.0f; y < 250.0f; y += 10.0f)
            EXPECT_FALSE(engine->CollideWithWalls({Circle(15.0f, 0.0f, y)}, normal)) << y;
    }
    // Every kind the editor places stands in some stage.
    for (std::int32_t kind = 0; kind < kPlaceableKindCount; ++kind)
        EXPECT_EQ(kinds.count(kind), 1u) << kind;
}

} // namespace
