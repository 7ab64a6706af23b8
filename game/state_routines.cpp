// The state routines whose screens are not written yet, so that the main loop can dispatch to
// every state from the start. Each screen's own change takes its routines out of this file.
//
// Empty so far: the front end, playing, splash drawing, game over, continue, new high score
// and credits routines, and the high-score table's start-up. The splash only counts its
// timer, so that its hand-over to the title can be added on top.
#include "game/engine.h"

void Engine::UpdateFrontEnd() {}
void Engine::DrawFrontEnd(float) {}

void Engine::UpdatePlaying() {}
void Engine::DrawPlaying(float) {}
// The ship's explosion ends by restarting the stage; the stage start comes with the playing
// state.
void Engine::StartStage() {}

void Engine::UpdateSplash()
{
    stateTimer += 0.01f;
}
void Engine::DrawSplash(float) {}

void Engine::UpdateGameOver() {}
void Engine::DrawGameOver(float) {}

void Engine::UpdateContinue() {}
void Engine::DrawContinue(float) {}

void Engine::UpdateNewHiscore() {}
void Engine::DrawNewHiscore(float) {}

void Engine::UpdateCredits() {}
void Engine::DrawCredits(float) {}

void Engine::InitScores() {}
