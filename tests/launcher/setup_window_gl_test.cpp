// The setup window under a real display: built with and without the title picture, with no
// toolkit assertion and no log box; PLAY and the close box both store the controls' values.
#include "engine/config_file.h"
#include "launcher/setup_app.h"
#include "launcher/setup_frame.h"
#include "support/recording_prompter.h"
#include "support/setup_window_runner.h"
#include "support/temp_dir.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <filesystem>
#include <functional>

using cavtest::Click;
using cavtest::ReadFile;
using cavtest::RecordingPrompter;
using cavtest::RunSetupWindow;
using cavtest::WriteFile;

namespace
{

// A test banner: an uncompressed 24-bit BMP with a gradient.
std::string GradientBmp(int width, int height)
{
    const int row = (width * 3 + 3) / 4 * 4;
    const int size = 54 + row * height;
    std::string bmp(static_cast<std::size_t>(size), '\0');
    auto put = [&bmp](int at, int value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            bmp[static_cast<std::size_t>(at + i)] = static_cast<char>((value >> (8 * i)) & 0xff);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const int at = 54 + y * row + x * 3;
            put(at, 128, 1); // blue
            put(at + 1, y * 255 / height, 1);
            put(at + 2, x * 255 / width, 1);
        }
    return bmp;
}

void SaveScreenshot(wxWindow* window, const std::string& path)
{
    const wxSize size = window->GetClientSize();
    wxBitmap shot(size.x, size.y, 24);
    {
        wxMemoryDC memory(shot);
        wxScreenDC screen;
        const wxPoint origin = window->ClientToScreen(wxPoint(0, 0));
        memory.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y);
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(shot.SaveFile(path, wxBITMAP_TYPE_PNG));
}

class SetupWindowTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        gConfigFile.ResetForNewRun();
    }
    SetupChoices choices;
    bool shown = false;
    RecordingPrompter prompter;
};

TEST_F(SetupWindowTest, PlayWithTheTitlePictureStoresTheControls)
{
    const std::string picture = std::string(CAV_RUN_DIR) + "/Data/Gfx/TitleBar.bmp";
    if (std::filesystem::exists(picture))
    {
        std::filesystem::create_directories("Data/Gfx");
        cavtest::CopyTree(picture, "Data/Gfx/TitleBar.bmp");
    }
    else
        WriteFile("Data/Gfx/TitleBar.bmp", GradientBmp(473, 336));
    WriteFile("Engine.cfg", "[Display Properties]\nRes\t= 1\nVsync\t= 0\nShowFPS\t= 1\n"
                            "Fullscreen\t= 0\nOnlineScore\t= 1\n");
    bool pictureLoaded = false;
    RunSetupWindow(
        choices, shown, prompter,
        [&](SetupApp& app)
        {
            SetupFrame* frame = app.frame;
            pictureLoaded = frame->titleBitmap.IsOk();
            EXPECT_EQ(frame->GetTitle(), "Cavernaut Setup");
            EXPECT_EQ(frame->panel->resolution->GetValue(), "800x600");
            EXPECT_FALSE(frame->panel->vsync->GetValue());
            EXPECT_TRUE(frame->panel->resolution->HasFlag(wxCB_READONLY));
            EXPECT_EQ(frame->panel->play->GetId(), 2);
            EXPECT_EQ(frame->panel->checkUpdates->GetId(), 3);
            // Every control lies inside the panel and none overlaps the next.
            wxRect previous;
            for (wxWindow* w : std::initializer_list<wxWindow*>{
                     frame->panel->resolution, frame->panel->fullscreen, frame->panel->vsync,
                     frame->panel->showFps, frame->panel->onlineScore, frame->panel->checkUpdates,
                     frame->panel->play})
            {
                const wxRect r = w->GetRect();
                EXPECT_FALSE(r.Intersects(previous)) << w->GetLabel();
                EXPECT_TRUE(wxRect(frame->panel->GetClientSize()).Contains(r)) << w->GetLabel();
                previous = r;
            }
            SaveScreenshot(frame, std::string(CAV_ARTIFACT_DIR) + "/setup.png");

            frame->panel->fullscreen->SetValue(true);
            frame->panel->resolution->SetValue("640x480");
            Click(frame->panel->play);
        });
    EXPECT_TRUE(pictureLoaded);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(choices.play);
    EXPECT_EQ(choices.res, 0);
    EXPECT_TRUE(choices.fullscreen);
    EXPECT_FALSE(choices.vsync);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(SetupWindowTest, CloseBoxWithoutThePictureStoresTheControlsAndDoesNotPlay)
{
    WriteFile("Temp", "");
    bool pictureLoaded = true;
    RunSetupWindow(choices, shown, prompter,
                   [&](SetupApp& app)
                   {
                       SetupFrame* frame = app.frame;
                       pictureLoaded = frame->titleBitmap.IsOk();
                       frame->panel->resolution->SetValue("800x600");
                       frame->panel->onlineScore->SetValue(false);
                       frame->panel->showFps->SetValue(false);
                       wxCloseEvent close(wxEVT_CLOSE_WINDOW, frame->GetId());
                       close.SetEventObject(frame);
                       close.SetCanVeto(true);
                       wxPostEvent(frame, close);
                   });
    EXPECT_FALSE(pictureLoaded);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].kind, "inform");
    EXPECT_EQ(prompter.boxes[0].caption, "Release Info");
    EXPECT_FALSE(cavtest::FileExists("Temp"));
    EXPECT_FALSE(choices.play);
    EXPECT_EQ(choices.res, 1);
    EXPECT_FALSE(choices.onlineScore);
    EXPECT_FALSE(choices.showFps);
    EXPECT_TRUE(choices.vsync);
    // The defaults were written at start, since there was no file.
    EXPECT_EQ(ReadFile("Engine.cfg"), "[Display Properties]\nRes\t= 0\nVsync\t= 1\n"
                                      "ShowFPS\t= 1\nFullscreen\t= 0\nOnlineScore\t= 1\n");
}

} // namespace

namespace
{

// The program's own sequence: the window, then "Engine.cfg", then the game, in that order,
// with the toolkit already shut down when the game starts.
TEST_F(SetupWindowTest, PlayHandsOverAfterTheWindowAndTheSettingsFile)
{
    cavtest::FailOnToolkitComplaints();
    WriteFile("Temp", "");
    prompter.whileBoxIsUp = []()
    {
        // The "Release Info" box comes up once the window is there: the player picks
        // 800x600 and presses PLAY.
        SetupApp* app = static_cast<SetupApp*>(wxTheApp);
        app->frame->panel->resolution->SetValue("800x600");
        app->frame->panel->vsync->SetValue(false);
        Click(app->frame->panel->play);
    };
    std::vector<GameLaunch> launches;
    std::string configAtStart;
    bool toolkitGone = false;
    char arg0[] = "setup_window_gl_test";
    char* argv[] = {arg0, nullptr};
    int code = RunSetup(1, argv, prompter,
                        [&](const GameLaunch& launch)
                        {
                            launches.push_back(launch);
                            configAtStart = ReadFile("Engine.cfg");
                            toolkitGone = wxTheApp == nullptr;
                        });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].width, 800);
    EXPECT_EQ(launches[0].height, 600);
    EXPECT_FALSE(launches[0].vsync);
    EXPECT_TRUE(toolkitGone);
    EXPECT_EQ(configAtStart, "[Display Properties]\nRes\t= 1\nVsync\t= 0\nShowFPS\t= 1\n"
                             "Fullscreen\t= 0\nOnlineScore\t= 1\n");
}

} // namespace
