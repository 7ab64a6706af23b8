#include "game/entities/rotator.h"

#include "engine/data_file.h"
#include "game/engine.h"
#include "game/entities/carried_walls.h"

#include <algorithm>

Rotator::Rotator()
{
    health = 99999.0f;
}

bool Rotator::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, name) && ReadFloat32(file, speed) &&
           ReadInt32(file, increments) && ReadInt32(file, radius);
}

void Rotator::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(carriedEntities, gone);
}

void Rotator::AttachWalls()
{
    WallGrid& grid = gEngine->level.wallGrid;
    if (grid.IsEmpty())
        return;
    const int cx = SaturatingTrunc(x - gEngine->level.minX) / WallGrid::kCellSize;
    const int cy = SaturatingTrunc(y - gEngine->level.minY) / WallGrid::kCellSize;
    // The reach of each wall's far end while turning, in cells.
    std::vector<int> reach;
    reach.reserve(carriedWalls.size());
    long long entries = 0;
    for (const Beam* wall : carriedWalls)
    {
        const float d1 = Distance(x, y, wall->x1, wall->y1);
        const float d2 = Distance(x, y, wall->x2, wall->y2);
        const int k = SaturatingTrunc(std::max(2.0f * d1, 2.0f * d2) / 100.0f);
        reach.push_back(k);
        entries += CellsInside(grid, cx - k - 1, cx + k, cy - k - 1, cy + k);
    }
    if (!grid.ReserveCarriedEntries(entries))
        return;
    for (std::size_t i = 0; i < carriedWalls.size(); ++i)
    {
        const int k = reach[i];
        AddWallToCells(grid, carriedWalls[i], cx - k - 1, cx + k, cy - k - 1, cy + k);
    }
}
