#include "editor/editor_app.h"
#include "editor/editor_canvas.h"
#include "editor/editor_frame.h"
#include "support/editor_runner.h"
#include "support/fake_map_chooser.h"
#include "support/recording_prompter.h"
#include "support/setup_window_runner.h"
#include "support/temp_dir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <filesystem>
#include <functional>

using namespace cavtest;

namespace
{

struct Item
{
    const char* caption; // null: a separator
    const char* help;
    int id;
};

struct Menu
{
    const char* title;
    std::vector<Item> items;
};

const Menu kMenus[] = {
    {"&File",
     {{"&Load Map\tCtrl-L", "Load An Existing Map", 2},
      {"&Save Map\tCtrl-S", "Save Map", 3},
      {nullptr, "", 0},
      {"E&xit\tCtrl-Q", "Exit", 1}}},
    {"&Edit",
     {{"&Clear Map\tCtrl-c", "Clear Map", 8},
      {"&Translate\tCtrl-t", "Translate entity or beam", 9},
      {"&Translate World\tCtrl-w", "Translate Everything", 10},
      {"&Copy Section\tCtrl-v", "Copy a Section of Map", 11},
      {"&World Properties", "Enter world properties, such as title and password", 12}}},
    {"&View",
     {{"Toggle &Grid\tCtrl-g", "Toggle Grid Display", 13},
      {"Decrease Grid Size\tCtrl-n", "Decrease Grid Size", 14},
      {"Increase Grid Size\tCtrl-m", "Increase Grid Size", 15},
      {"BG Color", "Change The Background Color", 16},
      {"Grid Color", "Change The Grid Color", 17}}},
    {"&BeamGeomtry",
     {{"&Place Beams\tCtrl-p", "Place Beams in the map", 4},
      {"&Start Color\tCtrl-1", "Starting Color of beam", 5},
      {"&End Color\tCtrl-2", "Ending Color of beam", 6},
      {"&Beam Color\tCtrl-3", "Color of beam", 7}}},
    {"&Add Entity",
     {{"Blue Turret", "Create A Blue Turret", 27},
      {"Red Turret", "Create A Red Turret", 35},
      {"Green Turret", "Create A Green Turret", 44},
      {"ForceField", "Create A ForceField", 28},
      {"Button", "Create A Button Trigger", 29},
      {"Area Trigger", "Create An Area Trigger", 38},
      {"Force", "Create A Propulsion Force", 30},
      {"Fuel Pod", "Create A Fuel Pod", 31},
      {"Space Man", "Create A Space Man", 32},
      {"Generator", "Create A Generator", 33},
      {"Blue Tank", "Create A Blue Tank", 34},
      {"Depth Charge", "Create A Depth Charge", 36},
      {"Rotator", "Create A Rotator that wil leffect geometry within its radius", 37},
      {"Tree", "Create A Tree", 39},
      {"Rock", "Create A Rock", 40},
      {"Large Rock", "Create A Large Rock", 41},
      {"Volcano", "Create A Volcano", 42},
      {"Homing Missile", "Create A Homing Missile", 43},
      {"Moving Platform", "Create A Moving Platform", 45},
      {"Target Info", "Create A Target for a Platform", 46},
      {"Beacon", "Create A Respawn Beacon", 47}}},
};

void CheckMenus(wxMenuBar* bar)
{
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuCount(), 5u);
    for (std::size_t m = 0; m < 5; ++m)
    {
        const Menu& expected = kMenus[m];
        EXPECT_EQ(bar->GetMenuLabel(m), expected.title);
        const wxMenuItemList& items = bar->GetMenu(m)->GetMenuItems();
        ASSERT_EQ(items.size(), expected.items.size()) << expected.title;
        std::size_t i = 0;
        for (const wxMenuItem* item : items)
        {
            const Item& want = expected.items[i++];
            if (want.caption == nullptr)
            {
                EXPECT_TRUE(item->IsSeparator());
                continue;
            }
            EXPECT_EQ(item->GetKind(), wxITEM_NORMAL);
            EXPECT_EQ(item->GetItemLabel(), want.caption);
            EXPECT_EQ(item->GetHelp(), want.help);
            EXPECT_EQ(item->GetId(), want.id) << want.caption;
        }
    }
}

// The colour of a pixel near the canvas's middle, between the lines of the 8-pixel grid,
// after a repaint.
void MiddlePixel(EditorCanvas& canvas, unsigned char rgb[3])
{
    canvas.Refresh();
    Settle();
    const wxSize size = canvas.GetClientSize();
    const int x = size.GetWidth() / 2 / 8 * 8 + 4;
    const int yFromTop = size.GetHeight() / 2 / 8 * 8 + 4;
    glReadBuffer(GL_BACK);
    glReadPixels(x, size.GetHeight() - 1 - yFromTop, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

TEST(EditorFrame, StartsInTheRunFolderWithMenusOutlinesTextureAndAClearedCanvas)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(CAV_RUN_DIR);
    RunEditor(
        [](EditorFrame& frame)
        {
            EXPECT_EQ(frame.GetTitle(), "NautED");
            EXPECT_EQ(frame.GetSize(), wxSize(640, 480));
            ASSERT_NE(frame.statusBar, nullptr);
            EXPECT_EQ(frame.statusBar->GetFieldsCount(), 1);
            CheckMenus(frame.GetMenuBar());

            ASSERT_NE(frame.canvas, nullptr);
            EXPECT_TRUE(frame.canvas->GraphicsStarted());
            EXPECT_NE(gBeamTexture, 0u);
            EXPECT_EQ(frame.canvas->gridSize, 8);
            for (const LineModel& outline : frame.document.outlines)
                EXPECT_FALSE(outline.beams.empty());
            // The beacon's outline is its model at 0.375.
            LineModel beacon;
            ASSERT_TRUE(LineModel::Load("Data/Objects/Beacon1.obj", beacon));
            EXPECT_FLOAT_EQ(frame.document.outlines[17].beams[0].x2, beacon.beams[0].x2 * 0.375f);

            unsigned char rgb[3] = {};
            MiddlePixel(*frame.canvas, rgb);
            EXPECT_NEAR(rgb[0], 128, 2);
            EXPECT_NEAR(rgb[1], 128, 2);
            EXPECT_NEAR(rgb[2], 115, 2);

            for (int id = ID_AddEntityFirst; id <= ID_AddEntityLast; ++id)
            {
                Choose(frame, id);
                ASSERT_NE(frame.document.pendingRecord, nullptr);
                EXPECT_EQ(frame.document.pendingRecord->type, id - ID_AddEntityFirst);
                EXPECT_EQ(frame.document.editMode, PlaceEntity);
            }
        });
    std::filesystem::current_path(previous);
}

TEST(EditorFrame, StartsInAnEmptyFolderAndRoutesItsFileAndClearCommands)
{
    TempDir empty;
    RunEditor(
        [](EditorFrame& frame)
        {
            EXPECT_TRUE(frame.canvas->GraphicsStarted());
            EXPECT_EQ(gBeamTexture, 0u);
            for (const LineModel& outline : frame.document.outlines)
                EXPECT_TRUE(outline.beams.empty());

            FakeMapChooser chooser;
            RecordingPrompter prompter;
            frame.UsePrompts(chooser, prompter);
            frame.document.beams.resize(2);
            chooser.path = "two.map";
            Choose(frame, ID_SaveMap);
            frame.document.selectedBeam = 1;
            frame.document.dragging = true;
            Choose(frame, ID_ClearMap);
            EXPECT_TRUE(frame.document.beams.empty());
            EXPECT_EQ(frame.document.selectedBeam, EditorDocument::kNoSelection);
            EXPECT_FALSE(frame.document.dragging);
            frame.canvas->panX = -40;
            frame.canvas->panY = -60;
            Choose(frame, ID_LoadMap);
            EXPECT_EQ(frame.document.beams.size(), 2u);
            EXPECT_EQ(frame.canvas->panX, 0);
            EXPECT_EQ(frame.canvas->panY, 0);
            const std::vector<std::string> boxes = {"Done.|Saved Map",
                                                    "Done.|Map Loaded Successfully"};
            EXPECT_EQ(prompter.Texts(), boxes);
        });
}

} // namespace
