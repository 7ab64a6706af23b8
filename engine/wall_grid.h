// WallGrid: the map's collision grid. Cells of 100 x 100 units laid from the map's minimum
// corner; each cell lists, in wall-list order, every wall passing within 75 units of it, so a
// circle query looks at the walls of at most nine cells. The grid holds pointers into the
// caller's wall list, which must neither move nor shrink while the grid is built.
//
// The cell arithmetic is the game's own and stays as it is, quirks included (a point up to
// 99 units left of or above the bounds falls in column or row 0; the nine cells are filtered
// with boxes centred on their lower corners; FindWallsHit reports a wall once per cell that
// lists it). An empty grid (no walls, inverted bounds, or refused) answers every query false.
#pragma once

#include "engine/collision.h"
#include "engine/geometry.h"

#include <vector>

class WallGrid
{
public:
    using CellList = std::vector<const Beam*>;

    static constexpr int kCellSize = 100;
    // Bounds come from file coordinates: one stray wall must not ask for gigabytes.
    static constexpr double kMaxCells = 1000000.0;

    // Rebuilds the grid over the walls (any container of Beam) within the bounds. False, with
    // a log line, when the bounds would need more than kMaxCells cells; the grid is then empty.
    template <class WallList>
    bool Build(const WallList& walls, float minX, float minY, float maxX, float maxY)
    {
        CellList pointers;
        for (const Beam& wall : walls)
            pointers.push_back(&wall);
        return BuildFromPointers(pointers, minX, minY, maxX, maxY);
    }
    bool BuildFromPointers(const CellList& walls, float minX, float minY, float maxX, float maxY);

    // True at the first wall that any circle touches (circles, then cells, then cell lists in
    // order); adds that wall's normal to `normal`. False leaves `normal` unchanged.
    template <class CircleList>
    bool CollideWithWalls(const CircleList& circles, Vec2& normal) const
    {
        for (const Circle& circle : circles)
        {
            if (CollideCircle(circle, normal))
                return true;
        }
        return false;
    }
    bool CollideCircle(const Circle& circle, Vec2& normal) const;

    // Appends every wall the circle touches (once per cell that lists it) to `walls`, a
    // container of const Beam*; true when `walls` is non-empty afterwards.
    template <class WallPointerList>
    bool FindWallsHit(const Circle& circle, WallPointerList& walls) const
    {
        Walk(circle,
             [&walls](const Beam* wall)
             {
                 walls.push_back(wall);
                 return false;
             });
        return !walls.empty();
    }

    // Frees every cell; the grid becomes empty.
    void Clear();
    bool IsEmpty() const { return cells.empty(); }

    int Width() const { return width; }
    int Height() const { return height; }
    float MinX() const { return minX; }
    float MinY() const { return minY; }

    // The cell that holds a point (see the quirks above). False when the point lies so far
    // off that no query could reach a cell (including NaN).
    bool CellOf(float x, float y, int& column, int& row) const;
    // The walls of one cell, or null outside the grid.
    const CellList* Cell(int column, int row) const;
    // Enters a wall into a cell unless the cell holds a wall with the same four end
    // coordinates (walls carried by a moving platform are entered along its path).
    void AddWall(int column, int row, const Beam* wall);

    // Walls that rotators and platforms carry are entered into every cell they can reach,
    // and that reach comes from the file. All carriers of one map together may add at most
    // kMaxCarriedEntries cell entries: hundreds of times what a stage needs, small enough that
    // no map costs more than a few tens of megabytes or a fraction of a second to load.
    // A carrier asks before it adds anything; a refusal adds nothing and marks the grid, and
    // the level loader then refuses the map. Build and Clear reset the count.
    static constexpr long long kMaxCarriedEntries = 2000000;
    bool ReserveCarriedEntries(long long count);
    bool CarriedRefused() const { return carriedRefused; }

private:
    // Calls visit(wall) for each wall the circle touches in the nine cells around it, in
    // order, until visit returns true. Returns whether it stopped early.
    template <class Visitor>
    bool Walk(const Circle& circle, Visitor visit) const;

    std::vector<CellList> cells; // column + row * width
    int width = 0;
    int height = 0;
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    long long carriedEntries = 0;
    bool carriedRefused = false;
};

template <class Visitor>
bool WallGrid::Walk(const Circle& circle, Visitor visit) const
{
    int column = 0;
    int row = 0;
    if (cells.empty() || !CellOf(circle.x, circle.y, column, row))
        return false;
    Box circleBox(circle.radius * 2.0f, circle.radius * 2.0f, circle.x, circle.y);
    for (int i = -1; i <= 1; ++i)
    {
        int c = column + i;
        for (int j = row - 1; j <= row + 1; ++j)
        {
            if (!(j < height && c < width && c >= 0 && j >= 0))
                continue;
            const CellList& cell = cells[c + j * width];
            if (cell.empty())
                continue;
            Box cellBox(100.0f, 100.0f, minX + static_cast<float>(kCellSize * c),
                        minY + static_cast<float>(kCellSize * j));
            if (!BoxesOverlap(circleBox, cellBox))
                continue;
            for (const Beam* wall : cell)
            {
                if (CircleHitsSegment(*wall, circle) && visit(wall))
                    return true;
            }
        }
    }
    return false;
}
