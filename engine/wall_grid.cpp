#include "engine/wall_grid.h"

#include "engine/logger.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

// Cells further than this from the bounds cannot be reached by any query.
constexpr float kFarAway = 1.0e9f;

// Cell-box edges along one axis: centres start at min + 50 and advance by adding 100 (not by
// multiplying), so far from the origin the float rounding puts walls in the designed cells.
void CellEdges(float origin, int count, std::vector<float>& centres, std::vector<float>& lows,
               std::vector<float>& highs)
{
    centres.resize(count);
    lows.resize(count);
    highs.resize(count);
    float centre = origin + 50.0f;
    for (int i = 0; i < count; ++i)
    {
        Box box(250.0f, 250.0f, centre, centre);
        centres[i] = centre;
        lows[i] = box.minX;
        highs[i] = box.maxX;
        centre += 100.0f;
    }
}

// The cells [first, last) whose boxes are not wholly beside [low, high] on this axis: the
// same cells that SegmentHitsBox's quick rejection lets through. Edges never decrease.
void CandidateRange(const std::vector<float>& lows, const std::vector<float>& highs, float low,
                    float high, int& first, int& last)
{
    first = static_cast<int>(
        std::partition_point(highs.begin(), highs.end(), [low](float edge) { return edge < low; }) -
        highs.begin());
    last = static_cast<int>(std::partition_point(lows.begin(), lows.end(),
                                                 [high](float edge) { return edge <= high; }) -
                            lows.begin());
}

// The y-range, widened for rounding, of the part of the wall that lies over the slab
// [low, high] of x: only rows whose boxes overlap it can hold the wall in that column. A
// long diagonal wall thus costs a few cells per column instead of its whole bounding box.
void SlabRows(const Beam& wall, float low, float high, float& yLow, float& yHigh)
{
    double y1 = wall.y1, y2 = wall.y2;
    double ex = double(wall.x2) - double(wall.x1);
    if (ex != 0.0)
    {
        double ta = std::clamp((double(low) - wall.x1) / ex, 0.0, 1.0);
        double tb = std::clamp((double(high) - wall.x1) / ex, 0.0, 1.0);
        double ey = y2 - y1;
        y1 = wall.y1 + ey * ta;
        y2 = wall.y1 + ey * tb;
    }
    double lo = std::min(y1, y2);
    double hi = std::max(y1, y2);
    double pad = 1.0 + 1.0e-4 * (std::fabs(lo) + std::fabs(hi) + std::fabs(ex));
    yLow = static_cast<float>(lo - pad);
    yHigh = static_cast<float>(hi + pad);
    if (!(std::isfinite(yLow) && std::isfinite(yHigh)))
    {
        yLow = std::min(wall.y1, wall.y2);
        yHigh = std::max(wall.y1, wall.y2);
    }
}

} // namespace

const WallGrid::CellList WallGrid::kEmptyCell;

WallGrid::CellList& WallGrid::FillCell(int index)
{
    std::uint32_t& at = cellIndex[static_cast<std::size_t>(index)];
    if (at == 0)
    {
        lists.emplace_back();
        at = static_cast<std::uint32_t>(lists.size());
    }
    return lists[at - 1];
}

bool WallGrid::BuildFromPointers(const CellList& walls, float boundMinX, float boundMinY,
                                 float boundMaxX, float boundMaxY)
{
    Clear();
    minX = boundMinX;
    minY = boundMinY;
    maxX = boundMaxX;
    maxY = boundMaxY;
    if (walls.empty())
        return true;

    // The size is taken at more than single precision: a range of exactly 300 units must give
    // 2 + trunc(2.9999999...) = 4 cells, not the 5 that float rounding gives, so walls
    // keep the cells every stored map was tested with.
    const double factor = 0.01f;
    double columns = 2.0 + std::trunc((double(maxX) - double(minX)) * factor);
    double rows = 2.0 + std::trunc((double(maxY) - double(minY)) * factor);
    // Inverted bounds (a map without walls) or NaN: no cells, so every query finds nothing.
    if (!(columns >= 1.0 && rows >= 1.0))
        return true;
    if (columns * rows > kMaxCells)
    {
        char text[160];
        std::snprintf(text, sizeof(text),
                      "Wall grid refused: %.0f x %.0f cells, more than %.0f; walls ignored\n",
                      columns, rows, kMaxCells);
        gLogger.Log(text);
        refused = true;
        return false;
    }
    width = static_cast<int>(columns);
    height = static_cast<int>(rows);
    cellIndex.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);

    std::vector<float> centreX, lowX, highX, centreY, lowY, highY;
    CellEdges(minX, width, centreX, lowX, highX);
    CellEdges(minY, height, centreY, lowY, highY);

    // Wall by wall over the cells its course can reach: each cell still lists its walls in
    // wall-list order, and the exact test below decides, as for a scan of every cell.
    for (const Beam* wall : walls)
    {
        float x1 = wall->x1, x2 = wall->x2, y1 = wall->y1, y2 = wall->y2;
        if (std::isnan(x1) || std::isnan(x2) || std::isnan(y1) || std::isnan(y2))
            continue;
        int c0, c1, r0, r1;
        CandidateRange(lowX, highX, std::min(x1, x2), std::max(x1, x2), c0, c1);
        for (int c = c0; c < c1; ++c)
        {
            float yLow, yHigh;
            SlabRows(*wall, lowX[c], highX[c], yLow, yHigh);
            CandidateRange(lowY, highY, std::max(yLow, std::min(y1, y2)),
                           std::min(yHigh, std::max(y1, y2)), r0, r1);
            for (int r = r0; r < r1; ++r)
            {
                if (!SegmentHitsBox(*wall, Box(250.0f, 250.0f, centreX[c], centreY[r])))
                    continue;
                if (++entries > kMaxEntries)
                {
                    Clear();
                    gLogger.Log("Wall grid refused: its walls would fill more than 250000 "
                                "cell entries\n");
                    refused = true;
                    return false;
                }
                FillCell(c + r * width).push_back(wall);
            }
        }
    }
    return true;
}

bool WallGrid::CollideCircle(const Circle& circle, Vec2& normal) const
{
    const Beam* hit = nullptr;
    Walk(circle,
         [&hit](const Beam* wall)
         {
             hit = wall;
             return true;
         });
    if (!hit)
        return false;
    normal.x += hit->nx;
    normal.y += hit->ny;
    return true;
}

void WallGrid::Clear()
{
    std::vector<std::uint32_t>().swap(cellIndex);
    std::vector<CellList>().swap(lists);
    width = 0;
    height = 0;
    entries = 0;
    comparisons = 0;
    refused = false;
}

bool WallGrid::ReserveCarriedEntries(long long count)
{
    if (refused || count < 0 || count > kMaxEntries - entries)
    {
        refused = true;
        return false;
    }
    entries += count;
    return true;
}

bool WallGrid::CellOf(float x, float y, int& column, int& row) const
{
    // The differences are formed from the far edge, on purpose: for points far from
    // the origin this rounds differently from x - min x, and cells must not shift.
    float dx = (maxX - minX) - (maxX - x);
    float dy = (maxY - minY) - (maxY - y);
    if (!(dx > -kFarAway && dx < kFarAway && dy > -kFarAway && dy < kFarAway))
        return false;
    column = static_cast<int>(dx) / kCellSize;
    row = static_cast<int>(dy) / kCellSize;
    return true;
}

const WallGrid::CellList* WallGrid::Cell(int column, int row) const
{
    if (column < 0 || row < 0 || column >= width || row >= height)
        return nullptr;
    return &CellAt(column + row * width);
}

void WallGrid::AddWall(int column, int row, const Beam* wall)
{
    if (refused || column < 0 || row < 0 || column >= width || row >= height ||
        !(wall->length > 0.0f))
        return;
    CellList& cell = FillCell(column + row * width);
    comparisons += static_cast<long long>(cell.size()) + 1;
    if (comparisons > kMaxComparisons)
    {
        gLogger.Log("Wall grid refused: carried walls would take too long to enter\n");
        refused = true;
        return;
    }
    for (const Beam* held : cell)
    {
        if (held->x1 == wall->x1 && held->y1 == wall->y1 && held->x2 == wall->x2 &&
            held->y2 == wall->y2)
            return;
    }
    cell.push_back(wall);
}
