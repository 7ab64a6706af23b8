// The playing state's rules live in Engine (NewGame, StartStage, UpdatePlaying,
// UpdatePlayerBullets and the pause menu); this header holds the arithmetic that the play
// screen shares with them.
#pragma once

// The sector bonus: 500 a rescued man plus ten a unit of fuel, the fuel part truncated.
int StageBonus(int rescued, float fuel);
