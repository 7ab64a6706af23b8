// Grid arithmetic shared by the kinds that carry walls (Rotator, MovingPlatform): their
// walls are entered into every grid cell they can reach, once, right after linking.
// Map coordinates come from files, so conversions saturate instead of overflowing.
#pragma once

#include "engine/wall_grid.h"

// trunc(value) as an int, held within +-1e9 (NaN counts as far below).
int SaturatingTrunc(float value);

// How many cells of columns first..last and rows first..last (inclusive) lie inside the grid.
long long CellsInside(const WallGrid& grid, int firstColumn, int lastColumn, int firstRow,
                      int lastRow);

// Enters the wall into each cell of columns first..last and rows first..last (inclusive)
// that lies inside the grid.
void AddWallToCells(WallGrid& grid, const Beam* wall, int firstColumn, int lastColumn, int firstRow,
                    int lastRow);
