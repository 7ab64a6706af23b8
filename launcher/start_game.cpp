// The hand-over to the game: the Engine's constructor runs the whole game and returns when
// the player quits; its destructor shuts it down. Only the Cavernaut program links this
// file; tests inject their own starter.
#include "launcher/start_game.h"

#include "game/engine.h"

void StartGame(const GameLaunch& launch)
{
    Engine engine(launch.width, launch.height, launch.fullscreen, launch.vsync, launch.showFps,
                  launch.title.c_str(), launch.onlineScore);
}
