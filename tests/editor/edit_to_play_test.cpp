// A small map drawn and edited with the editor's tools, saved by the editor and loaded by
// the game's own loader.
#include "editor/dialog_fields.h"
#include "editor/edit_tools.h"
#include "editor/map_io.h"
#include "game/entities/switches.h"
#include "support/map_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

using namespace cavtest;

namespace
{

class EditToPlayTest : public LevelTest
{
protected:
    void Point(int x, int y, bool left = false) { tools.Motion(x, y, left, false); }
    void Press(int x, int y)
    {
        Point(x, y);
        tools.LeftDown(x, y);
    }
    void DragTo(int x, int y)
    {
        Point(x, y, true);
        tools.LeftUp();
    }
    void PlaceEntity(std::int32_t kind, int x, int y)
    {
        ASSERT_TRUE(tools.AddEntityCommand(kind));
        Press(x, y);
        tools.LeftUp();
    }

    EditorDocument doc;
    EditTools tools{doc};
};

TEST_F(EditToPlayTest, AMapDrawnWithTheToolsLoadsInTheGame)
{
    // A box of four walls, drawn corner to corner.
    const int corners[][2] = {{40, 40}, {600, 40}, {600, 400}, {40, 400}, {40, 40}};
    for (int i = 0; i < 4; ++i)
    {
        Press(corners[i][0], corners[i][1]);
        DragTo(corners[i + 1][0], corners[i + 1][1]);
    }
    PlaceEntity(20, 100, 360); // beacon
    PlaceEntity(6, 500, 360);  // generator
    PlaceEntity(2, 300, 392);  // button
    PlaceEntity(1, 300, 200);  // force field

    // Drag the box's right side out by the shared corners, one at a time.
    tools.TranslateCommand();
    Press(600, 40);
    DragTo(616, 40);
    Press(600, 400);
    DragTo(616, 400);

    // Turn the force field and link the button to it, as the popup and dialogs would.
    Point(300, 200);
    ASSERT_EQ(tools.RightDown(), PopupKind::Entity);
    tools.RotateCommand();
    Point(345, 200, true);
    tools.LeftUp();
    ForceFieldRecord& field = dynamic_cast<ForceFieldRecord&>(*doc.records[3]);
    StoreTextField(L"gate", field.name);
    StoreTextField(L"gate", dynamic_cast<ButtonRecord&>(*doc.records[2]).target);
    StoreTextField(L"EDITED", doc.title);
    StoreTextField(L"EDIT1", doc.password);
    doc.endTimer = ParseIntField(L"45");

    std::filesystem::create_directories("Data/Maps");
    ASSERT_TRUE(SaveMap(doc, "Data/Maps/edited.map"));
    ASSERT_TRUE(LoadMapFile("Data/Maps/edited.map"));

    ASSERT_EQ(engine->level.walls.size(), 4u);
    EXPECT_EQ(engine->level.walls[0].x2, 616.0f);
    EXPECT_EQ(engine->level.walls[1].x1, 616.0f);
    EXPECT_EQ(engine->level.walls[1].x2, 616.0f);
    EXPECT_EQ(engine->level.walls[2].x1, 616.0f);
    ASSERT_EQ(engine->level.entities.size(), 4u);
    const std::int32_t kinds[] = {20, 6, 2, 1};
    std::size_t n = 0;
    for (const Entity* entity : engine->level.entities)
        EXPECT_EQ(entity->type, kinds[n++]);
    const Entity* gate = EntityAt(3);
    ASSERT_NE(gate, nullptr);
    EXPECT_EQ(gate->angle, 90.0f);
    EXPECT_STREQ(static_cast<const ForceField*>(gate)->name, "gate");
    EXPECT_EQ(static_cast<const Button*>(EntityAt(2))->targets.size(), 1u);
    EXPECT_STREQ(engine->level.title, "EDITED");
    EXPECT_STREQ(engine->level.password, "EDIT1");
    EXPECT_EQ(engine->level.endTimer, 45);
    EXPECT_EQ(engine->progress.generatorCount, 1);

    // A second of play on the loaded stage.
    engine->gameState = Playing;
    for (int step = 0; step < 100; ++step)
        engine->Update();
    EXPECT_EQ(engine->level.walls.size(), 4u);
}

} // namespace
