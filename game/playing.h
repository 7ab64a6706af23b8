// The playing state's rules live in Engine (NewGame, StartStage, UpdatePlaying,
// UpdatePlayerBullets and the pause menu); this header holds the arithmetic that the play
// screen shares with them.
#pragma once

// The sector bonus: 500 a rescued man plus ten a unit of fuel, the fuel part truncated.
int StageBonus(int rescued, float fuel);

// The count-down's whole seconds, truncated toward zero. An end timer near the int32 limit
// becomes 2^31 or more as a float, which no int holds: such a value is held at the end of
// int's range first, so the clock and its text stay defined (and, at such values, still).
int WholeSeconds(float seconds);
