#include "game/entities/carried_walls.h"

#include <algorithm>

int SaturatingTrunc(float value)
{
    constexpr float kLimit = 1.0e9f;
    if (!(value > -kLimit))
        return -1000000000;
    if (value > kLimit)
        return 1000000000;
    return static_cast<int>(value);
}

long long CellsInside(const WallGrid& grid, int firstColumn, int lastColumn, int firstRow,
                      int lastRow)
{
    const long long columns = std::min(lastColumn, grid.Width() - 1) - std::max(firstColumn, 0) + 1;
    const long long rows = std::min(lastRow, grid.Height() - 1) - std::max(firstRow, 0) + 1;
    return columns > 0 && rows > 0 ? columns * rows : 0;
}

void AddWallToCells(WallGrid& grid, const Beam* wall, int firstColumn, int lastColumn, int firstRow,
                    int lastRow)
{
    const int c0 = std::max(firstColumn, 0);
    const int c1 = std::min(lastColumn, grid.Width() - 1);
    const int r0 = std::max(firstRow, 0);
    const int r1 = std::min(lastRow, grid.Height() - 1);
    for (int column = c0; column <= c1 && !grid.Refused(); ++column)
    {
        for (int row = r0; row <= r1; ++row)
            grid.AddWall(column, row, wall);
    }
}
