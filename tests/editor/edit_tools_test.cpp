#include "editor/edit_tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>

namespace
{

struct Fixture
{
    EditorDocument doc;
    EditTools tools{doc};

    void Point(int x, int y, bool left = false) { tools.Motion(x, y, left, false); }
    // A left press at (x1, y1), a drag to (x2, y2) and the release: a beam in PlaceBeams mode,
    // a drag in Translate mode.
    void DrawBeam(int x1, int y1, int x2, int y2)
    {
        Point(x1, y1);
        tools.LeftDown(x1, y1);
        Point(x2, y2, true);
        tools.LeftUp();
    }
    // Puts a new record of the kind down at (x, y).
    EntityRecord& Place(std::int32_t kind, int x, int y)
    {
        EXPECT_TRUE(tools.AddEntityCommand(kind));
        Point(x, y);
        tools.LeftDown(x, y);
        tools.LeftUp();
        return *doc.records.back();
    }
    void Drag(int x1, int y1, int x2, int y2) { DrawBeam(x1, y1, x2, y2); }
};

TEST(EditTools, SnapTruncatesTowardZero)
{
    struct Case
    {
        int grid, v, snapped;
    } cases[] = {{8, 13, 8}, {8, 21, 16}, {8, -3, 0}, {8, -9, -8}, {4, 7, 4}, {32, 95, 64}};
    for (const Case& c : cases)
    {
        Fixture f;
        f.tools.gridSize = c.grid;
        EXPECT_EQ(f.tools.Snap(c.v), c.snapped) << c.grid << " " << c.v;
    }
    Fixture f;
    f.DrawBeam(13, 21, 45, 21);
    ASSERT_EQ(f.doc.beams.size(), 1u);
    EXPECT_EQ(f.doc.beams[0].x1, 8.0f);
    EXPECT_EQ(f.doc.beams[0].y1, 16.0f);
    f.DrawBeam(40, 40, 43, 42); // the same grid point: no beam
    EXPECT_EQ(f.doc.beams.size(), 1u);
}

TEST(EditTools, GridSizeStaysWithinFourAndThirtyTwo)
{
    Fixture f;
    const int smaller[] = {4, 4};
    for (int expected : smaller)
    {
        f.tools.DecreaseGridSize();
        EXPECT_EQ(f.tools.gridSize, expected);
    }
    const int larger[] = {8, 16, 32, 32};
    for (int expected : larger)
    {
        f.tools.IncreaseGridSize();
        EXPECT_EQ(f.tools.gridSize, expected);
    }
}

TEST(EditTools, ColourBytesBecomeUnitFloats)
{
    struct Case
    {
        unsigned char byte;
        float value;
    } cases[] = {{255, 1.0f}, {0, 0.0f}};
    for (const Case& c : cases)
    {
        const Colour colour = ColourFromBytes(c.byte, 0, 255);
        EXPECT_FLOAT_EQ(colour.r, c.value);
        EXPECT_EQ(colour.g, 0.0f);
        EXPECT_FLOAT_EQ(colour.b, 1.0f);
    }
}

TEST(EditTools, RotateTurnsInStepsOfTen)
{
    struct Case
    {
        int grid;
        float angle;
        int steps; // grid steps to the right (negative: left)
        float turned;
    } cases[] = {{8, 0, 1, 10}, {8, 0, -1, -10}, {4, 0, 1, 0},
                 {4, 0, -1, 0}, {4, 10, 1, 10},  {4, 10, -1, 0}};
    for (const Case& c : cases)
    {
        Fixture f;
        f.tools.gridSize = c.grid;
        EntityRecord& record = f.Place(0, 80, 80);
        record.angle = c.angle;
        f.Point(80, 80);
        ASSERT_EQ(f.tools.RightDown(), PopupKind::Entity);
        f.tools.RotateCommand();
        f.Point(80 + c.steps * c.grid, 80, true);
        EXPECT_EQ(record.angle, c.turned) << c.grid << " " << c.angle << " " << c.steps;
        f.tools.LeftUp();
        EXPECT_EQ(f.doc.editMode, Translate);
        EXPECT_EQ(f.doc.selectedRecord, EditorDocument::kNoSelection);
    }
}

TEST(EditTools, ScaleAndItsMenuItemOnlyForKindsWithARadius)
{
    for (std::int32_t kind = 0; kind <= 20; ++kind)
    {
        Fixture f;
        EntityRecord& record = f.Place(kind, 80, 80);
        f.Point(80, 80);
        ASSERT_EQ(f.tools.RightDown(), PopupKind::Entity);
        bool offered = false;
        for (const PopupItem& item : f.tools.PopupItems(PopupKind::Entity))
            offered = offered || item.id == ID_Scale;
        const bool scalable = kind == 3 || kind == 10 || kind == 11 || kind == 18;
        EXPECT_EQ(offered, scalable) << kind;
        f.tools.ScaleCommand();
        f.Point(88, 80, true);
        const std::int32_t* radius = RadiusOf(record);
        EXPECT_EQ(radius != nullptr, scalable) << kind;
        if (radius)
        {
            EXPECT_EQ(*radius, 31) << kind;
        }
    }
}

TEST(EditTools, SharedEndsMoveTogetherAndACollapsedBeamGoes)
{
    Fixture f;
    f.DrawBeam(16, 16, 96, 16);
    f.DrawBeam(96, 16, 96, 96);
    f.tools.TranslateCommand();
    f.Drag(97, 17, 96, 40);
    ASSERT_EQ(f.doc.beams.size(), 2u);
    EXPECT_EQ(f.doc.beams[0].y2, 40.0f);
    EXPECT_EQ(f.doc.beams[1].y1, 40.0f);
    EXPECT_EQ(f.doc.beams[0].x2, f.doc.beams[1].x1);
    EXPECT_FLOAT_EQ(f.doc.beams[1].length, 56.0f); // rebuilt from its moved end
    EXPECT_TRUE(f.tools.picks.empty());

    // The free end of the second beam dropped on its joined end removes that beam only.
    f.Drag(96, 96, 96, 40);
    ASSERT_EQ(f.doc.beams.size(), 1u);
    EXPECT_EQ(f.doc.beams[0].x1, 16.0f);
}

TEST(EditTools, PasteReversesBeamsAndKeepsRecords)
{
    Fixture f;
    f.DrawBeam(16, 16, 48, 16);
    f.DrawBeam(16, 32, 48, 32);
    f.Place(5, 24, 24);
    f.Place(20, 40, 24);
    f.tools.CopySectionCommand();
    f.Point(8, 8);
    f.tools.LeftDown(8, 8);
    f.Point(56, 40, true);
    f.tools.LeftUp();
    ASSERT_EQ(f.doc.editMode, Paste);
    ASSERT_EQ(f.doc.copyBeams.size(), 2u);
    f.Point(56, 240); // the copies follow the pointer: 200 down
    f.tools.LeftDown(56, 240);
    ASSERT_EQ(f.doc.beams.size(), 4u);
    ASSERT_EQ(f.doc.records.size(), 4u);
    EXPECT_EQ(f.doc.beams[2].y1, 232.0f);
    EXPECT_EQ(f.doc.beams[3].y1, 216.0f);
    EXPECT_EQ(f.doc.records[2]->type, 5);
    EXPECT_EQ(f.doc.records[3]->type, 20);
    EXPECT_EQ(f.doc.records[3]->y, 224.0f);
    EXPECT_TRUE(f.doc.copyBeams.empty());
    EXPECT_TRUE(f.doc.copyRecords.empty());
    EXPECT_EQ(f.doc.editMode, Translate);
}

TEST(EditTools, RightClickPrefersEndThenBeamThenEntity)
{
    struct Case
    {
        int x, y;
        PopupKind kind;
        int colourItem; // for the end menu
    } cases[] = {
        {103, 100, PopupKind::End, ID_ChangeStartColor}, // also within 15 of the entity
        {197, 100, PopupKind::End, ID_ChangeEndColor},
        {150, 103, PopupKind::Beam, 0},
        {100, 112, PopupKind::Entity, 0},
        {300, 300, PopupKind::None, 0},
    };
    for (const Case& c : cases)
    {
        Fixture f;
        f.tools.gridSize = 4;
        f.DrawBeam(100, 100, 200, 100);
        f.Place(13, 100, 112);
        f.Point(c.x, c.y);
        EXPECT_EQ(f.tools.RightDown(), c.kind) << c.x << "," << c.y;
        EXPECT_EQ(f.doc.selectedBeam,
                  c.kind == PopupKind::End || c.kind == PopupKind::Beam ? 0 : -1);
        EXPECT_EQ(f.doc.selectedRecord, c.kind == PopupKind::Entity ? 0 : -1);
        if (c.colourItem != 0)
        {
            EXPECT_EQ(f.tools.PopupItems(c.kind)[2].id, c.colourItem);
        }
    }
}

TEST(EditTools, DroppedBeamsAndRecordsLeaveNoStalePicksOrSelection)
{
    Fixture f;
    f.DrawBeam(16, 16, 96, 16);
    f.DrawBeam(16, 48, 96, 48);
    f.Place(13, 200, 200);
    f.Place(13, 240, 200);
    // The popup's Translate leaves the end following the pointer; Discard of another beam
    // while it does must not leave the pick pointing at the wrong beam or past the end.
    f.Point(97, 49);
    ASSERT_EQ(f.tools.RightDown(), PopupKind::End);
    f.tools.TranslateSelectionCommand();
    ASSERT_TRUE(f.doc.dragging);
    f.Point(17, 17);
    ASSERT_EQ(f.tools.RightDown(), PopupKind::End);
    f.tools.DiscardCommand();
    EXPECT_TRUE(f.tools.picks.empty());
    ASSERT_EQ(f.doc.beams.size(), 1u);
    f.Point(300, 300);
    EXPECT_EQ(f.doc.beams[0].x2, 16.0f);

    // A selection past an erased record moves with its record.
    f.Point(241, 201);
    ASSERT_EQ(f.tools.RightDown(), PopupKind::Entity);
    f.doc.records[0]->x = 240.0f; // two records on one spot: Discard takes the first
    f.tools.DiscardCommand();
    ASSERT_EQ(f.doc.records.size(), 1u);
    EXPECT_EQ(f.doc.selectedRecord, EditorDocument::kNoSelection);

    // Clear Map while a drag is under way ends it.
    f.tools.TranslateCommand();
    f.Point(17, 17);
    f.tools.LeftDown(17, 17);
    f.tools.ClearMapCommand();
    EXPECT_TRUE(f.tools.picks.empty());
    f.Point(30, 30, true);
    f.tools.LeftUp();
    EXPECT_TRUE(f.doc.beams.empty());
}

TEST(EditTools, CloneReplacesThePendingRecord)
{
    Fixture f;
    f.Place(10, 80, 80);
    EXPECT_TRUE(f.tools.AddEntityCommand(2)); // pending, never put down
    f.Point(80, 80);
    ASSERT_EQ(f.tools.RightDown(), PopupKind::Entity);
    f.tools.CloneCommand();
    ASSERT_NE(f.doc.pendingRecord, nullptr);
    EXPECT_EQ(f.doc.pendingRecord->type, 10);
    EXPECT_EQ(f.doc.editMode, PlaceEntity);
}

// A long run of random presses, drags, releases, clicks, keys and commands over a small map:
// under the sanitizers it must end with no invalid access and nothing leaked.
TEST(EditTools, RandomCommandsKeepTheDocumentSound)
{
    std::srand(20261209);
    Fixture f;
    EditTools& t = f.tools;
    bool left = false;
    // Pointer motion and the left button come most often; Clear Map and Forget rarely.
    const std::function<void(int, int)> actions[] = {
        [&](int x, int y) { t.Motion(x, y, left, std::rand() % 8 == 0); },
        [&](int x, int y) { t.Motion(x, y, left, false); },
        [&](int x, int y) { t.Motion(x, y, left, false); },
        [&](int x, int y) { t.LeftDown(x, y), left = true; },
        [&](int, int) { t.LeftUp(), left = false; },
        [&](int, int)
        {
            if (t.RightDown() == PopupKind::None)
                return;
            void (EditTools::*popup[])() = {
                &EditTools::DiscardCommand, &EditTools::TranslateSelectionCommand,
                &EditTools::RotateCommand,  &EditTools::ScaleCommand,
                &EditTools::CloneCommand,   &EditTools::PopupCloseCommand};
            (t.*popup[std::rand() % 6])();
        },
        [&](int, int) { t.PlaceBeamsCommand(); },
        [&](int, int) { t.PlaceBeamsCommand(); },
        [&](int, int) { t.TranslateCommand(); },
        [&](int, int) { t.TranslateWorldCommand(); },
        [&](int, int) { t.CopySectionCommand(); },
        [&](int, int) { t.AddEntityCommand(std::rand() % 23 - 1); },
        [&](int, int) { t.PanByKey(std::rand() % 3 - 1, std::rand() % 3 - 1); },
        [&](int, int) { std::rand() % 2 ? t.DecreaseGridSize() : t.IncreaseGridSize(); },
        [&](int, int) { std::rand() % 60 ? void() : t.ClearMapCommand(); },
        [&](int, int) { std::rand() % 30 ? void() : t.ForgetMap(); },
    };
    struct
    {
        std::size_t beams = 0, records = 0;
        int dragSteps = 0, pastes = 0;
    } most;
    for (int step = 0; step < 10000; ++step)
    {
        // Coarse points, so that presses and clicks often land on beam ends and records.
        const int x = std::rand() % 14 * 16 - 16 + std::rand() % 3;
        const int y = std::rand() % 14 * 16 - 16 + std::rand() % 3;
        actions[static_cast<std::size_t>(std::rand()) % std::size(actions)](x, y);
        most.beams = std::max(most.beams, f.doc.beams.size());
        most.records = std::max(most.records, f.doc.records.size());
        most.dragSteps += f.tools.picks.empty() ? 0 : 1;
        most.pastes += f.doc.editMode == Paste ? 1 : 0;
        ASSERT_LE(f.tools.panY, 0);
        for (const Pick& pick : f.tools.picks)
        {
            const std::size_t size =
                pick.kind == Pick::RecordPosition ? f.doc.records.size() : f.doc.beams.size();
            ASSERT_LT(static_cast<std::size_t>(pick.index), size) << "step " << step;
        }
        ASSERT_LT(f.doc.selectedBeam, static_cast<int>(f.doc.beams.size()));
        ASSERT_LT(f.doc.selectedRecord, static_cast<int>(f.doc.records.size()));
    }
    // The run did build, drag and paste.
    EXPECT_GE(most.beams, 10u);
    EXPECT_GE(most.records, 10u);
    EXPECT_GE(most.dragSteps, 20);
    EXPECT_GE(most.pastes, 5);
}

} // namespace
