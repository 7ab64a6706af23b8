// The state entries the main loop's ESC rules lead to: the title and the game-over screen.
#include "game/engine.h"

void Engine::EnterFrontEnd()
{
    gameState = FrontEnd;
    stateTimer = 0.0f;
    menu.menuItem = 0;
    menu.menuPage = 0;
    menu.blinkTimer = 0.0f;
    menu.introSkip = false;
    progress.stage = 1;
}

void Engine::EnterGameOver()
{
    RestartSound();
    gameState = GameOver;
    stateTimer = 5.0f;
    res.streams[music::Gameover].Play();
}
