// The state entries the main loop's ESC rules and the stage start lead to: the title, the
// game-over screen and the credits.
#include "game/effects/emitters.h"
#include "game/engine.h"

#include <new>

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

// The end of a game, until the high-score and continue screens join: straight to game over.
void Engine::EndGame()
{
    ClearLevel();
    EnterGameOver();
}

// Past the pack's last stage: the level goes, the credits' background starts.
void Engine::StartCredits()
{
    gameState = Credits;
    stateTimer = 0.0f;
    ClearLevel();
    if (Emitter* background = new (std::nothrow) CreditsEmitter)
        AddEmitter(background, 0.0f, 0.0f);
    progress.packCompleted = true;
    RestartSound();
    res.streams[music::Credits].Play();
}
