#include "launcher/setup_choices.h"

#include "engine/config_file.h"
#include "engine/logger.h"
#include "platform/platform.h"

#include <sys/stat.h>

const char* const kEngineConfigPath = "Engine.cfg";
const char* const kReleaseMarkerPath = "Temp";

namespace
{

struct ConfigInts
{
    int res;
    int vsync;
    int showFps;
    int fullscreen;
    int onlineScore;
};

void EngineConfigRoutine(ConfigInts& v)
{
    const std::string path = kEngineConfigPath;
    gConfigFile.Section(path, "[Display Properties]");
    gConfigFile.IntValue(path, "Res", v.res);
    gConfigFile.IntValue(path, "Vsync", v.vsync);
    gConfigFile.IntValue(path, "ShowFPS", v.showFps);
    gConfigFile.IntValue(path, "Fullscreen", v.fullscreen);
    gConfigFile.IntValue(path, "OnlineScore", v.onlineScore);
}

ConfigInts ToInts(const SetupChoices& c)
{
    return ConfigInts{c.res, c.vsync ? 1 : 0, c.showFps ? 1 : 0, c.fullscreen ? 1 : 0,
                      c.onlineScore ? 1 : 0};
}

} // namespace

const char* ResolutionText(int res)
{
    return res == 1 ? "800x600" : "640x480";
}

void StoreResolutionText(const std::string& text, int& res)
{
    if (text == "640x480")
        res = 0;
    else if (text == "800x600")
        res = 1;
}

void ReadEngineConfig(SetupChoices& choices)
{
    choices = SetupChoices();
    ConfigInts v = ToInts(choices);
    EngineConfigRoutine(v);
    choices.res = v.res;
    choices.vsync = v.vsync != 0;
    choices.showFps = v.showFps != 0;
    choices.fullscreen = v.fullscreen != 0;
    choices.onlineScore = v.onlineScore != 0;
}

bool WriteEngineConfig(const SetupChoices& choices)
{
    ConfigInts v = ToInts(choices);
    return gConfigFile.Save(kEngineConfigPath, [&v]() { EngineConfigRoutine(v); });
}

bool MakeGameLaunch(const SetupChoices& choices, GameLaunch& launch)
{
    if (choices.res == 0)
    {
        launch.width = 640;
        launch.height = 480;
    }
    else if (choices.res == 1)
    {
        launch.width = 800;
        launch.height = 600;
    }
    else
    {
        return false;
    }
    launch.fullscreen = choices.fullscreen;
    launch.vsync = choices.vsync;
    launch.showFps = choices.showFps;
    launch.title = "Cavernaut";
    launch.onlineScore = choices.onlineScore;
    return true;
}

bool TakeReleaseMarker()
{
    // Only a file the patcher left counts: a folder or a device named "Temp" is no marker.
    struct stat info;
    if (stat(kReleaseMarkerPath, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (!platform::RemoveFile(kReleaseMarkerPath))
        gLogger.Log("Failed to remove Temp\n");
    return true;
}

void ShowReleaseInfoOnce(platform::Prompter& prompter)
{
    if (TakeReleaseMarker())
        prompter.Inform("0.0.6 More work on patcher.\n0.0.4 Self patching implemented.",
                        "Release Info");
}

void FinishSetup(const SetupChoices& choices, const GameStarter& startGame)
{
    if (!WriteEngineConfig(choices))
        gLogger.Log("Failed to save Engine.cfg\n");
    if (!choices.play)
        return;
    GameLaunch launch;
    if (MakeGameLaunch(choices, launch) && startGame)
        startGame(launch);
}
