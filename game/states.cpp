// The states around play, their entries and their steps: the splash, game over, the offer to
// continue, the name entry for a new high score and the ending after a pack's last map.
#include "game/effects/emitters.h"
#include "game/engine.h"
#include "game/high_scores.h"

#include <cstdlib>

namespace
{

constexpr float kSplashLength = 7.0f;
constexpr float kSplashFadeOut = 6.0f;
constexpr float kGameOverLength = 5.0f;
constexpr float kContinueLength = 10.0f;
constexpr float kHiscoreFade = 3.0f;
constexpr float kCreditsLength = 80.0f;

bool AnyFirePressed(const Engine& e)
{
    for (InputButton b : {ButtonSelect, ButtonFire, ButtonFire2, ButtonFire3})
    {
        if (e.input[b].value == ButtonState::Pressed)
            return true;
    }
    return false;
}

} // namespace

void Engine::UpdateSplash()
{
    stateTimer += 0.01f;
    if (stateTimer > kSplashLength)
    {
        // From now on the logo is the small mark in the corners of the title screen.
        LineModel::Scale(res.lineModels[model::Pebbleware], 0.25f);
        EnterFrontEnd();
        return;
    }
    if (input[ButtonSelect].value == ButtonState::Pressed && stateTimer <= kSplashFadeOut)
        stateTimer = kSplashFadeOut;
}

void Engine::EnterGameOver()
{
    RestartSound();
    gameState = GameOver;
    stateTimer = kGameOverLength;
    res.streams[music::Gameover].Play();
}

void Engine::UpdateGameOver()
{
    ClearLevel();
    stateTimer -= 0.01f;
    if (stateTimer <= 0.0f || AnyFirePressed(*this))
    {
        RestartSound();
        res.streams[music::Splash].Play();
        EnterFrontEnd();
    }
}

void Engine::EnterContinue()
{
    RestartSound();
    ClearLevel();
    camera.camX = camera.camY = 0.0f;
    camera.prevCamX = camera.prevCamY = 0.0f;
    gameState = Continue;
    stateTimer = kContinueLength;
    AddEmitter(new ContinueEmitter(), 320.0f, 240.0f);
    res.streams[music::Continue].Play();
}

void Engine::UpdateContinue()
{
    stateTimer -= 0.01f;
    if (stateTimer <= 0.0f)
        EnterGameOver();
    // A press in the very step the time runs out still counts.
    if (AnyFirePressed(*this))
    {
        progress.lives = 3;
        progress.score = 0;
        RestartSound();
        StartStage();
        return;
    }
    UpdateEmitters(effects.emitters);
}

void Engine::EndGame()
{
    ClearLevel();
    if (settings.onlineScore)
        FetchOnlineScores();

    const int row = InsertScore(hiscores.scoreNames, hiscores.scores, progress.score);
    if (row >= 0)
    {
        hiscores.scoreEntryIndex = row;
        gameState = NewHiscore;
        input.StartTextEntry(hiscores.scoreNames[row], sizeof hiscores.scoreNames[row],
                             kScoreNameLength);
        stateTimer = kHiscoreFade;
        menu.fireworksTimer = 0.0f;
        RestartSound();
        res.streams[music::HiScore].SetVolume(100);
        res.streams[music::HiScore].Play();
        return;
    }
    if (!progress.packCompleted)
        EnterContinue();
    else
        EnterGameOver();
}

void Engine::UpdateNewHiscore()
{
    menu.blinkTimer += 0.01f;
    if (menu.blinkTimer >= 1.0f)
        menu.blinkTimer = 0.0f;

    if (!input.TextEntryActive())
    {
        stateTimer -= 0.01f;
        if (stateTimer <= kHiscoreFade)
        {
            const float left = stateTimer > 0.0f ? stateTimer : 0.0f;
            res.streams[music::HiScore].SetVolume(static_cast<int>(100.0f * left / kHiscoreFade));
        }
        if (stateTimer <= 0.0f)
        {
            SaveScores();
            if (settings.onlineScore)
                SubmitOnlineScore(hiscores.scoreNames[hiscores.scoreEntryIndex],
                                  hiscores.scores[hiscores.scoreEntryIndex]);
            if (progress.packCompleted)
                EnterGameOver();
            else
                EnterContinue();
            return;
        }
    }

    menu.fireworksTimer -= 0.01f;
    if (menu.fireworksTimer <= 0.0f)
    {
        menu.fireworksTimer = rand() % 2 == 0 ? 0.1f : 0.2f;
        const float y = static_cast<float>(rand() % 480);
        const float x = static_cast<float>(rand() % 640);
        AddEmitter(new BlueExplosionEmitter(), x, y);
    }

    // Leaving with ESC keeps the new entry in memory only: the file stays as it was.
    if (input[ButtonEsc].value == ButtonState::Pressed)
    {
        if (progress.packCompleted)
            EnterGameOver();
        else
            EnterContinue();
        return;
    }
    UpdateEmitters(effects.emitters);
}

void Engine::StartCredits()
{
    gameState = Credits;
    stateTimer = 0.0f;
    ClearLevel();
    AddEmitter(new CreditsEmitter(), 0.0f, 0.0f);
    progress.packCompleted = true;
    RestartSound();
    res.streams[music::Credits].Play();
}

void Engine::UpdateCredits()
{
    stateTimer += 0.01f;
    if (stateTimer > kCreditsLength)
    {
        EndGame();
        return;
    }
    UpdateEmitters(effects.emitters);
}
