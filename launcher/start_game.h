// The program's real GameStarter: builds the Engine, whose constructor runs the whole game.
#pragma once

#include "launcher/setup_choices.h"

void StartGame(const GameLaunch& launch);
