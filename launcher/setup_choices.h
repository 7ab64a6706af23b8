// SetupChoices: the display settings the setup window edits and "Engine.cfg" keeps, and the
// hand-over to the game. Plain code with no toolkit: the window reads and stores these; the
// program's main writes "Engine.cfg" after the window has gone and, when "PLAY" was
// pressed, hands the chosen size and flags to the injected GameStarter.
#pragma once

#include "platform/prompter.h"

#include <functional>
#include <string>

struct SetupChoices
{
    int res = 0; // 0 = 640x480, 1 = 800x600
    bool fullscreen = false;
    bool vsync = true;
    bool showFps = true;
    bool onlineScore = true;
    bool play = false;
};

// What the game is started with.
struct GameLaunch
{
    int width = 0;
    int height = 0;
    bool fullscreen = false;
    bool vsync = false;
    bool showFps = false;
    std::string title;
    bool onlineScore = false;
};

// Builds and runs the game; returns when the game has ended.
using GameStarter = std::function<void(const GameLaunch&)>;

extern const char* const kEngineConfigPath;  // "Engine.cfg"
extern const char* const kReleaseMarkerPath; // "Temp", left by the patcher

// The resolution box's text for a setting (any setting but 1 shows "640x480"), and the
// setting a text stands for (any other text leaves `res` as it was).
const char* ResolutionText(int res);
void StoreResolutionText(const std::string& text, int& res);

// Sets the defaults, then reads "Engine.cfg" through gConfigFile, or writes it with the
// defaults when it does not exist.
void ReadEngineConfig(SetupChoices& choices);

// Rewrites "Engine.cfg" with the choices through the settings layer's safe save.
bool WriteEngineConfig(const SetupChoices& choices);

// The size for a resolution setting; false for any setting but 0 and 1.
bool MakeGameLaunch(const SetupChoices& choices, GameLaunch& launch);

// True (and the file removed) when the patcher's marker "Temp" is a regular file.
bool TakeReleaseMarker();

// After a patch: the "Release Info" box, once (the marker is gone afterwards).
void ShowReleaseInfoOnce(platform::Prompter& prompter);

// After the setup window has closed: writes "Engine.cfg", then starts the game when "PLAY"
// was pressed and the resolution is known.
void FinishSetup(const SetupChoices& choices, const GameStarter& startGame);
