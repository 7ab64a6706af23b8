// Score pop-ups: the "%i PTS" texts that rise from a kill scored with a multiplier above 1.
// The playing state clears a record, sets it at the shot and appends it (`AddScorePopup`
// does the three); each step it rises 0.1 units and loses 0.01 of its life of 1.0, and it
// is removed in the step its life reaches 0 (100 steps).
#pragma once

#include "game/effects.h"

#include <list>

// The removal predicate: one step; true when the life is at or below 0.
bool ScorePopupStep(ScorePopup& popup);

// Steps every pop-up once and drops the spent ones.
void UpdateScorePopups(std::list<ScorePopup>& popups);

// Appends a pop-up with `points` at (x, y) to the Engine's list.
void AddScorePopup(float x, float y, int points);
