// >>> HAND-OVER TO THE GAME <<<
// Placeholder until game/engine.h lands: replace the body with
//     Engine engine(launch.width, launch.height, launch.fullscreen, launch.vsync,
//                   launch.showFps, launch.title.c_str(), launch.onlineScore);
// (and #include "game/engine.h"). The Engine's constructor runs the game and returns when
// the player quits. Only the Cavernaut program links this file; tests inject their own.
#include "launcher/start_game.h"

#include "engine/logger.h"

void StartGame(const GameLaunch& launch)
{
    gLogger.Log("Starting game " + std::to_string(launch.width) + "x" +
                std::to_string(launch.height) + ": the engine is not built yet.\n");
}
