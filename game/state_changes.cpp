// The state entries the main loop's ESC rules lead to: the title and the game-over screen.
#include "game/engine.h"

void Engine::EnterFrontEnd()
{
    gameState = FrontEnd;
    stateTimer = 0.0f;
    menuItem = 0;
    menuPage = 0;
    blinkTimer = 0.0f;
    introSkip = false;
    stage = 1;
}

void Engine::EnterGameOver()
{
    RestartSound();
    gameState = GameOver;
    stateTimer = 5.0f;
    streams[music::Gameover].Play();
}
