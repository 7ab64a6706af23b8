// The play screen captured headless through the vertex sink: which entities are drawn with
// which model and where, the shots' models, and the texts of the head-up display.
#include "game/effects/projectiles.h"
#include "game/engine.h"
#include "game/entities/rocks.h"
#include "game/entities/seekers.h"
#include "game/entities/space_men.h"
#include "game/entities/switches.h"
#include "game/entity.h"
#include "game/play_screen.h"
#include "support/capture_sink.h"
#include "support/map_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

using namespace cavtest;

namespace
{

TEST(PlayScreen, EntitiesAreCulledAroundTheShip)
{
    const struct
    {
        float px, py;
        bool drawn;
    } cases[] =
        {
            {459.0f, 0.0f, true},   {460.0f, 0.0f, false}, {-460.0f, 0.0f, false},
            {0.0f, 320.0f, true},   {0.0f, -320.0f, true}, {0.0f, 320.5f, false},
            {1100.0f, 0.0f, true}, // one wrap width (1000) away: its copy is beside the ship
            {-1300.0f, 0.0f, true}, {540.0f, 0.0f, false}, // 460 either way
        };
    for (const auto& c : cases)
        EXPECT_EQ(EntityInView(c.px + 100.0f, c.py + 50.0f, 100.0f, 50.0f, 1000.0f), c.drawn)
            << c.px << " " << c.py;
}

TEST(PlayScreen, ModelByKindAndState)
{
    struct Case
    {
        EntityKind kind;
        void (*set)(Entity&);
        int slot;
    };
    const Case cases[] = {
        {EntityKind::Generator, nullptr, model::Generator},
        {EntityKind::LaunchedMissile, nullptr, model::Ufo},
        {EntityKind::LargeRock, nullptr, model::BoulderLarge},
        {EntityKind::Force, nullptr, -1},
        {EntityKind::Button, nullptr, model::Button},
        {EntityKind::Button, [](Entity& e) { static_cast<Button&>(e).rearmTimer = 0.5f; },
         model::ButtonIn},
        {EntityKind::SpaceMan, [](Entity& e) { static_cast<SpaceMan&>(e).animationCounter = 0.0f; },
         model::SpaceMan01},
        {EntityKind::SpaceMan,
         [](Entity& e)
         {
             static_cast<SpaceMan&>(e).facing = true;
             static_cast<SpaceMan&>(e).animationCounter = 1.5f;
         },
         model::SpaceMan02Mirrored},
        // Waving runs the counter up to 4: he stays on his last frame instead of vanishing.
        {EntityKind::SpaceMan, [](Entity& e) { static_cast<SpaceMan&>(e).animationCounter = 4.0f; },
         model::SpaceMan04},
        {EntityKind::Beacon, [](Entity& e) { static_cast<Beacon&>(e).tickCounter = 5; },
         model::Beacon1},
        {EntityKind::Beacon, [](Entity& e) { static_cast<Beacon&>(e).tickCounter = 10; },
         model::Beacon2},
        {EntityKind::Beacon,
         [](Entity& e)
         {
             static_cast<Beacon&>(e).tickCounter = 10;
             static_cast<Beacon&>(e).activated = true;
         },
         model::Beacon3},
        {EntityKind::VolcanoDebris,
         [](Entity& e) { static_cast<VolcanoDebris&>(e).modelVariant = 2; }, model::VolDebris3},
        {EntityKind::VolcanoDebris,
         [](Entity& e) { static_cast<VolcanoDebris&>(e).modelVariant = 3; }, -1},
    };
    for (const Case& c : cases)
    {
        EngineSettings settings;
        settings.headless = true;
        Engine engine(settings); // the factory counts reactors in the Engine
        std::unique_ptr<Entity> entity(CreateEntity(static_cast<std::int32_t>(c.kind)));
        ASSERT_NE(entity, nullptr);
        entity->type = static_cast<std::int32_t>(c.kind);
        if (c.set != nullptr)
            c.set(*entity);
        EXPECT_EQ(EntityModelSlot(*entity), c.slot) << static_cast<int>(c.kind);
    }
}

class PlayScreenTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        MapDocument map;
        map.walls.push_back(MakeWall(-500.0f, 300.0f, 500.0f, 300.0f));
        map.entities.push_back(MakeRecord(static_cast<int>(EntityKind::Generator), 100.0f, 0.0f));
        map.entities.push_back(MakeRecord(static_cast<int>(EntityKind::Generator), 0.0f, 400.0f));
        map.title = "FIRST DESCENT";
        map.password = "LUMEN";
        map.endTimer = 30;
        ASSERT_TRUE(WriteAndLoad(map));
        // Every glyph cell fully covered: each character draws as one 32-pixel quad.
        std::vector<unsigned char> pixels(512 * 512 * 4, 255);
        engine->res.font.MeasureGlyphs(pixels.data(), 512, 512);
        engine->res.font2.MeasureGlyphs(pixels.data(), 512, 512);
        engine->gameState = Playing;
        engine->progress.lives = 3;
        engine->progress.score = 1234;
        engine->progress.stage = 1;
        engine->progress.countdownSeconds = -1.0f;
        engine->ship.Spawn(0.0f, 0.0f);
        engine->ship.fuel = 123.45f;
        engine->camera.camX = engine->camera.prevCamX = 320.0f;
        engine->camera.camY = engine->camera.prevCamY = 240.0f;
    }

    std::vector<std::string> HudTexts()
    {
        CaptureSink sink;
        ScopedVertexSink scope(sink);
        engine->DrawHud(0.0f);
        return sink.Texts();
    }

    static bool Has(const std::vector<std::string>& texts, const std::string& text)
    {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST_F(PlayScreenTest, WorldDrawsEntitiesInViewAndShotsByWhoMadeThem)
{
    FireProjectile(engine->effects.playerShots, LaserShotInit, LaserShotUpdate, 50.0f, 0.0f, 0.0f,
                   0.0f, 0.0f);
    FireProjectile(engine->effects.playerShots, LaserShotInit, LaserShotUpdate, 60.0f, 0.0f, 0.0f,
                   0.0f, 0.0f);
    engine->effects.playerShots.back().enemyMade = true; // turned back by the shield

    CaptureSink sink;
    ScopedVertexSink scope(sink);
    engine->DrawWorld(0.0f, 20.0f);

    // The reactor 400 below the ship is out of view; the one beside it is drawn in place.
    std::vector<unsigned int> lists;
    for (const CapturedList& list : sink.lists)
        lists.push_back(list.list);
    EXPECT_EQ(lists,
              (std::vector<unsigned int>{model::Generator, model::PlrBullet, model::Bullet}));
    EXPECT_FLOAT_EQ(sink.lists[0].x, 100.0f + 320.0f);
    EXPECT_FLOAT_EQ(sink.lists[0].y, 0.0f + 240.0f);
    EXPECT_FLOAT_EQ(sink.lists[1].x, 50.0f + 320.0f);
    // The one wall is the first block: twelve glow vertices around its ends, in view.
    const auto wall = std::count_if(sink.vertices.begin(), sink.vertices.end(),
                                    [](const CapturedVertex& v) { return v.block == 0; });
    EXPECT_EQ(wall, 12);
    EXPECT_NEAR(sink.vertices.front().y, 300.0f + 240.0f, 21.0f);
}

TEST_F(PlayScreenTest, HudTextsByState)
{
    struct Case
    {
        const char* name;
        void (*set)(Engine&);
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"top bar and introduction",
         [](Engine& e)
         {
             e.progress.rescued = 2;
             e.stateTimer = 2.0f;
         },
         {"SCORE", "3", "001234", "123", "02", "STAGE 1", "FIRST DESCENT", "PASSWORD", "LUMEN"}},
        {"count-down",
         [](Engine& e)
         {
             e.progress.countdownActive = true;
             e.progress.countdownSeconds = 12.5f;
             e.progress.lastCountdownSecond = 12;
         },
         {"DANGER", "SECTOR DESTRUCTION IN", "12"}},
        {"count-down from an end timer at the int32 limit",
         [](Engine& e)
         {
             e.level.endTimer = std::numeric_limits<int>::max();
             e.progress.countdownActive = true;
             e.progress.countdownSeconds = static_cast<float>(e.level.endTimer);
             e.progress.lastCountdownSecond = std::numeric_limits<int>::max();
         },
         {"DANGER", "2147483647"}},
        {"sector cleared",
         [](Engine& e)
         {
             e.progress.countdownActive = true;
             e.progress.countdownSeconds = 3.0f;
             e.progress.rescued = 3;
             e.ship.leaving = true;
             e.ship.stepTimer = 1.5f; // the figures have rolled up
         },
         {"SECTOR CLEARED", "ASTRONAUGHTS RESCUED 3 * 500 =", "FUEL REMAINING 123 * 10 =",
          "TOTAL SCORE BONUS:", "1500", "1234", "2734"}},
        {"sector failed",
         [](Engine& e)
         {
             e.ship.leaving = true;
             e.ship.stepTimer = 2.0f;
         },
         {"FAILED TO CLEAR SECTOR", "RE-ENTRY IMMINENT"}},
        {"pause menu",
         [](Engine& e)
         {
             e.paused = true;
             e.menu.menuPage = 1;
         },
         {"PAUSED - ESC TO QUIT", "KEYBOARD", "GAMEPAD", "GAMEPAD & MOUSE SENSITIVITY 80 %",
          "<RETURN TO GAME>"}},
        {"binding capture",
         [](Engine& e)
         {
             e.paused = true;
             e.menu.menuPage = 3;
             e.menu.menuItem = 2;
         },
         {"PRESS BUTTON FOR:", "NITRO"}},
    };
    for (const Case& c : cases)
    {
        engine->stateTimer = -1.0f; // the introduction is over
        engine->paused = false;
        engine->menu.menuPage = engine->menu.menuItem = 0;
        engine->progress.countdownActive = false;
        engine->progress.countdownSeconds = -1.0f;
        engine->progress.rescued = 0;
        engine->ship.leaving = false;
        c.set(*engine);
        std::vector<std::string> texts = HudTexts();
        for (const std::string& text : c.texts)
            EXPECT_TRUE(Has(texts, text)) << c.name << ": " << text;
        EXPECT_EQ(Has(texts, "STAGE 1"), engine->stateTimer >= 0.0f) << c.name;
    }
}

} // namespace
