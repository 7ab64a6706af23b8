// "Engine.cfg" and the hand-over to the game, without a display.
#include "engine/config_file.h"
#include "launcher/setup_choices.h"
#include "support/recording_prompter.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

using cavtest::FileExists;
using cavtest::ReadFile;
using cavtest::WriteFile;

namespace
{

const char* const kDefaults = "[Display Properties]\nRes\t= 0\nVsync\t= 1\nShowFPS\t= 1\n"
                              "Fullscreen\t= 0\nOnlineScore\t= 1\n";

class SetupChoicesTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        gConfigFile.ResetForNewRun();
    }

    // A starter that records what the game would have been started with.
    GameStarter Recorder()
    {
        return [this](const GameLaunch& launch) { launches.push_back(launch); };
    }
    std::vector<GameLaunch> launches;
};

TEST_F(SetupChoicesTest, MissingFileIsWrittenWithTheDefaultsAndRewrittenOnClose)
{
    SetupChoices choices;
    choices.res = 1;
    choices.play = true;
    ReadEngineConfig(choices); // starts again from the defaults
    EXPECT_EQ(choices.res, 0);
    EXPECT_FALSE(choices.play);
    EXPECT_EQ(ReadFile("Engine.cfg"), kDefaults);

    // Closed with the close box after changing things: written, no game.
    choices.fullscreen = true;
    choices.showFps = false;
    FinishSetup(choices, Recorder());
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(ReadFile("Engine.cfg"), "[Display Properties]\nRes\t= 0\nVsync\t= 1\n"
                                      "ShowFPS\t= 0\nFullscreen\t= 1\nOnlineScore\t= 1\n");
    EXPECT_EQ(cavtest::FilesUnder("."), std::vector<std::string>{"Engine.cfg"});
}

TEST_F(SetupChoicesTest, PlayAt800x600HandsTheGameItsSizeFlagsAndTitle)
{
    WriteFile("Engine.cfg", "[Display Properties]\nRes\t= 1\nVsync\t= 0\nShowFPS\t= 1\n"
                            "Fullscreen\t= 7\nOnlineScore\t= 0\n");
    SetupChoices choices;
    ReadEngineConfig(choices);
    EXPECT_EQ(choices.res, 1);
    EXPECT_TRUE(choices.fullscreen); // any non-zero value is true
    choices.play = true;
    FinishSetup(choices, Recorder());
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].width, 800);
    EXPECT_EQ(launches[0].height, 600);
    EXPECT_TRUE(launches[0].fullscreen);
    EXPECT_FALSE(launches[0].vsync);
    EXPECT_TRUE(launches[0].showFps);
    EXPECT_FALSE(launches[0].onlineScore);
    EXPECT_EQ(launches[0].title, "Cavernaut");
    EXPECT_EQ(ReadFile("Engine.cfg"), "[Display Properties]\nRes\t= 1\nVsync\t= 0\nShowFPS\t= 1\n"
                                      "Fullscreen\t= 1\nOnlineScore\t= 0\n");
}

TEST_F(SetupChoicesTest, UnknownResolutionShows640x480AndIsWrittenBackAs0)
{
    WriteFile("Engine.cfg", "[Display Properties]\nRes\t= 7\n");
    SetupChoices choices;
    ReadEngineConfig(choices);
    EXPECT_EQ(choices.res, 7);
    EXPECT_TRUE(choices.vsync); // missing keys keep their defaults
    EXPECT_STREQ(ResolutionText(choices.res), "640x480");

    // PLAY without touching the box: the panel maps the box's text back.
    SetupChoices unchanged = choices;
    unchanged.play = true;
    StoreResolutionText("something else", unchanged.res);
    EXPECT_EQ(unchanged.res, 7);
    FinishSetup(unchanged, Recorder()); // no size for 7: no game
    EXPECT_TRUE(launches.empty());

    choices.play = true;
    StoreResolutionText(ResolutionText(choices.res), choices.res);
    EXPECT_EQ(choices.res, 0);
    FinishSetup(choices, Recorder());
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].width, 640);
    EXPECT_EQ(launches[0].height, 480);
    EXPECT_NE(ReadFile("Engine.cfg").find("Res\t= 0\n"), std::string::npos);
}

TEST_F(SetupChoicesTest, AFailedSaveKeepsTheOldFile)
{
    WriteFile("Engine.cfg", kDefaults);
    SetupChoices choices;
    ReadEngineConfig(choices);
    // The disk is full: no byte of the new file fits.
    choices.res = 1;
    {
        cavtest::FileSizeLimit full(0);
        EXPECT_FALSE(WriteEngineConfig(choices));
    }
    EXPECT_EQ(ReadFile("Engine.cfg"), kDefaults);
    EXPECT_EQ(cavtest::FilesUnder("."), std::vector<std::string>{"Engine.cfg"});
}

TEST_F(SetupChoicesTest, ReleaseInfoIsShownOnceAndOnlyForARegularFile)
{
    cavtest::RecordingPrompter prompter;
    ShowReleaseInfoOnce(prompter);
    EXPECT_TRUE(prompter.boxes.empty());

    std::filesystem::create_directory("Temp");
    ShowReleaseInfoOnce(prompter);
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_TRUE(std::filesystem::is_directory("Temp"));
    std::filesystem::remove("Temp");

    WriteFile("Temp", "patched");
    ShowReleaseInfoOnce(prompter);
    ShowReleaseInfoOnce(prompter);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].kind, "inform");
    EXPECT_EQ(prompter.boxes[0].text,
              "0.0.6 More work on patcher.\n0.0.4 Self patching implemented.");
    EXPECT_EQ(prompter.boxes[0].caption, "Release Info");
    EXPECT_FALSE(FileExists("Temp"));
}

// Runs `body` in a child process, as a separate start of the program; returns its exit code.
int InChild(const std::function<int()>& body)
{
    pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(SetupChoicesTest, ChoicesSurviveAFreshStartOfTheProgram)
{
    int first = InChild(
        []()
        {
            SetupChoices choices;
            ReadEngineConfig(choices);
            choices.res = 1;
            choices.fullscreen = true;
            choices.vsync = false;
            choices.showFps = false;
            choices.onlineScore = false;
            FinishSetup(choices, GameStarter());
            return 0;
        });
    ASSERT_EQ(first, 0);
    int second = InChild(
        []()
        {
            SetupChoices choices;
            ReadEngineConfig(choices);
            return (choices.res == 1 ? 1 : 0) | (choices.fullscreen ? 2 : 0) |
                   (choices.vsync ? 4 : 0) | (choices.showFps ? 8 : 0) |
                   (choices.onlineScore ? 16 : 0);
        });
    EXPECT_EQ(second, 1 | 2);
}

} // namespace
