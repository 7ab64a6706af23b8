#include "game/entities/platform.h"

#include "engine/collision.h"
#include "engine/data_file.h"
#include "game/engine.h"
#include "game/entities/carried_walls.h"

#include <algorithm>
#include <cmath>

namespace
{

// The range of path parameters e for which origin - e * dir lies in [low, high] on one axis.
void ClipAxis(double origin, double dir, double low, double high, double& eLow, double& eHigh)
{
    if (dir == 0.0)
    {
        if (origin < low || origin > high)
        {
            eLow = 1.0;
            eHigh = 0.0;
        }
        return;
    }
    double a = (origin - high) / dir;
    double b = (origin - low) / dir;
    eLow = std::max(eLow, std::min(a, b));
    eHigh = std::min(eHigh, std::max(a, b));
}

} // namespace

MovingPlatform::MovingPlatform()
{
    health = 99999.0f;
}

bool MovingPlatform::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, name) && ReadNameField(file, startTarget) &&
           ReadNameField(file, endTarget) && ReadInt32(file, radius) && ReadFloat32(file, speed) &&
           ReadFloat32(file, stopTime) && ReadFlag(file, repeat) && ReadFlag(file, startOn);
}

void MovingPlatform::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    angle = 0.0f;
    health = 99999.0f;
    outbound = true;
    running = startOn;
    returning = false;
    stopTimer = 0.0f;
}

bool MovingPlatform::StepDirection(Vec2& unit) const
{
    if (startPoint == nullptr || endPoint == nullptr || !(speed > 0.0f) || !std::isfinite(speed))
        return false;
    const float ex = startPoint->x - endPoint->x;
    const float ey = startPoint->y - endPoint->y;
    const float length = std::sqrt(ex * ex + ey * ey);
    // Both points in one place give no direction at all; far-flung ones none worth having.
    if (!(length > 0.0f) || !std::isfinite(length))
        return false;
    unit = outbound ? Vec2(ex / length, ey / length) : Vec2(-ex / length, -ey / length);
    return true;
}

void MovingPlatform::Carry(float dx, float dy)
{
    for (Entity* entity : carriedEntities)
    {
        entity->prevX -= dx;
        entity->prevY -= dy;
        entity->x -= dx;
        entity->y -= dy;
        entity->UpdateCollisionPoints();
    }
    // Shifted, not rebuilt: normal, direction and length stay as they are.
    for (Beam* wall : carriedWalls)
    {
        wall->x1 -= dx;
        wall->y1 -= dy;
        wall->x2 -= dx;
        wall->y2 -= dy;
    }
}

void MovingPlatform::Update()
{
    prevX = x;
    prevY = y;
    stopTimer -= 0.01f;
    Vec2 unit;
    if (stopTimer >= 0.0f || !running || !StepDirection(unit))
        return;
    const float stepX = speed * unit.x;
    const float stepY = speed * unit.y;
    x -= stepX;
    y -= stepY;

    // A landed ship within reach rides along when it rests on one of the walls.
    PlayerShip& ship = gEngine->ship;
    bool carried = false;
    if (ship.landed && Distance(x, y, ship.x, ship.y) <= static_cast<float>(radius))
    {
        const Circle feet(15.0f, ship.x, ship.y);
        for (const Beam* wall : carriedWalls)
        {
            if (CircleHitsSegment(*wall, feet))
            {
                carried = true;
                break;
            }
        }
    }
    Carry(stepX, stepY);
    if (carried)
    {
        ship.x -= stepX;
        ship.y -= stepY;
    }

    // Arrival: within twice the speed of a point, without snapping onto it.
    const float tolerance = 2.0f * speed;
    if (outbound && Distance(x, y, endPoint->x, endPoint->y) < tolerance)
    {
        outbound = false;
        returning = true;
        stopTimer = stopTime;
    }
    else if (returning && Distance(x, y, startPoint->x, startPoint->y) < tolerance)
    {
        if (!repeat)
        {
            running = false;
            returning = false;
            stopTimer = stopTime;
        }
        outbound = true;
    }
}

void MovingPlatform::Activate()
{
    Vec2 unit;
    if (!running && stopTimer <= 0.0f && StepDirection(unit))
    {
        running = true;
        gEngine->res.samples[sfx::ButtonAccess].Play();
    }
    else
        gEngine->res.samples[sfx::ButtonDenied].Play();
}

void MovingPlatform::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(carriedEntities, gone);
    ForgetIn(startPoint, gone);
    ForgetIn(endPoint, gone);
}

void MovingPlatform::AttachWalls()
{
    if (startPoint == nullptr || endPoint == nullptr)
    {
        dead = true;
        return;
    }

    // Jump to the start point with everything carried.
    const float dx = x - startPoint->x;
    const float dy = y - startPoint->y;
    Carry(dx, dy);
    x = prevX = startPoint->x;
    y = prevY = startPoint->y;

    // Enter the walls into every cell along the path, from 100 units behind the start to at
    // least the end point, with the platform's reach around each sample.
    WallGrid& grid = gEngine->level.wallGrid;
    if (grid.IsEmpty() || carriedWalls.empty())
        return;
    const float length = Distance(startPoint->x, startPoint->y, endPoint->x, endPoint->y);
    const Vec2 dir = Normalize(startPoint->x - endPoint->x, startPoint->y - endPoint->y);
    // A path to a point at infinity (or one that overflows to it) has no samples to walk and
    // nowhere to go: the platform registers nothing and stays where it is, for good.
    if (!std::isfinite(length) || !std::isfinite(dir.x) || !std::isfinite(dir.y))
    {
        dead = true;
        return;
    }
    // Beyond the grid's own size a larger reach adds no cells.
    const int c = std::min(SaturatingTrunc(2.0f * static_cast<float>(radius)) / 100 + 1,
                           grid.Width() + grid.Height());
    const double samples = 3.0 + std::trunc(static_cast<double>(length) / 100.0);

    // Only samples whose cells can touch the grid matter; a path from a far-off point is
    // clipped to them instead of being walked all the way.
    const double margin = (c + 3.0) * WallGrid::kCellSize;
    const double gridLowX = gEngine->level.minX - margin;
    const double gridHighX = gEngine->level.minX + grid.Width() * 100.0 + margin;
    const double gridLowY = gEngine->level.minY - margin;
    const double gridHighY = gEngine->level.minY + grid.Height() * 100.0 + margin;
    double eLow = -100.0;
    double eHigh = -100.0 + 100.0 * (samples - 1.0);
    ClipAxis(x, dir.x, gridLowX, gridHighX, eLow, eHigh);
    ClipAxis(y, dir.y, gridLowY, gridHighY, eLow, eHigh);
    if (!(eLow <= eHigh))
        return;

    // The cells the samples reach, as one row range per column. Samples lie on a line one
    // cell apart, so their columns and rows move monotonically by at most a cell or two per
    // sample while each sample's block is at least three cells tall: the samples that reach
    // a column are consecutive and their row ranges join into one. A cell that several
    // samples reach takes each wall once, so entering the union wall by wall gives each cell
    // the same list, in the same order, as walking the samples does.
    const int width = grid.Width();
    const int height = grid.Height();
    std::vector<int> lowRow(static_cast<std::size_t>(width), height);
    std::vector<int> highRow(static_cast<std::size_t>(width), -1);
    const double first = std::ceil((eLow + 100.0) / 100.0);
    const double last = std::floor((eHigh + 100.0) / 100.0);
    // Each sample marks the columns of its block: a long path with a wide block over a wide
    // grid would take billions of steps. Past the grid's entry budget the map is refused.
    const double columnSpan = std::min(2.0 * c + 2.0, static_cast<double>(width));
    if ((last - first + 1.0) * columnSpan > static_cast<double>(WallGrid::kMaxEntries) * 16.0)
    {
        grid.ReserveCarriedEntries(WallGrid::kMaxEntries + 1);
        return;
    }
    for (double i = first; i <= last; i += 1.0)
    {
        const float e = static_cast<float>(-100.0 + 100.0 * i);
        const float px = x - e * dir.x;
        const float py = y - e * dir.y;
        const int column = SaturatingTrunc(px - gEngine->level.minX) / WallGrid::kCellSize;
        const int row = SaturatingTrunc(py - gEngine->level.minY) / WallGrid::kCellSize;
        const int r0 = std::max(row - c - 2, 0);
        const int r1 = std::min(row + c, height - 1);
        if (r0 > r1)
            continue;
        for (int col = std::max(column - c - 1, 0); col <= std::min(column + c, width - 1); ++col)
        {
            lowRow[col] = std::min(lowRow[col], r0);
            highRow[col] = std::max(highRow[col], r1);
        }
    }
    long long cellsReached = 0;
    for (int col = 0; col < width; ++col)
        cellsReached += std::max(highRow[col] - lowRow[col] + 1, 0);
    if (!grid.ReserveCarriedEntries(cellsReached * static_cast<long long>(carriedWalls.size())))
        return;
    for (int col = 0; col < width; ++col)
    {
        for (const Beam* wall : carriedWalls)
            AddWallToCells(grid, wall, col, col, lowRow[col], highRow[col]);
    }
}
