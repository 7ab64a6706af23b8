#include "game/effects/score_popups.h"

#include "game/engine.h"

void ScorePopup::Clear()
{
    x = y = prevX = prevY = 0.0f;
    points = 0;
}

void ScorePopup::Set(float px, float py, int amount)
{
    x = prevX = px;
    y = prevY = py;
    points = amount;
    life = 1.0f;
}

bool ScorePopupStep(ScorePopup& popup)
{
    popup.life -= 0.01f;
    popup.prevX = popup.x;
    popup.prevY = popup.y;
    popup.y -= 0.1f;
    return popup.life <= 0.0f;
}

void UpdateScorePopups(std::list<ScorePopup>& popups)
{
    popups.remove_if(ScorePopupStep);
}

void AddScorePopup(float x, float y, int points)
{
    ScorePopup popup;
    popup.Clear();
    popup.Set(x, y, points);
    gEngine->effects.scorePopups.push_back(popup);
}
