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

#include <cstdint>
#include <vector>

class WallGrid
{
public:
    using CellList = std::vector<const Beam*>;

    static constexpr int kCellSize = 100;
    // Bounds and wall lengths come from file coordinates, so the grid's size is bounded, not
    // the file's: at most kMaxCells cells (a map 50,000 units square; stages are a few
    // thousand) and kMaxEntries walls in cells, counting those that carriers add (a stage
    // needs a few thousand). Within them any map loads in a fraction of a second and a few
    // tens of megabytes.
    static constexpr double kMaxCells = 250000.0;
    static constexpr long long kMaxEntries = 250000;

    // Rebuilds the grid over the walls (any container of Beam) within the bounds. False, with
    // a log line, when it would need more than kMaxCells cells or kMaxEntries entries; the
    // grid is then empty and Refused() tells why the level loader refuses the map.
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
    bool IsEmpty() const { return cellIndex.empty(); }

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
    // and that reach comes from the file. A carrier reserves the entries it may add before
    // it adds anything; past kMaxEntries in all, the reservation fails, nothing is added and
    // the grid counts as refused. Each AddWall also compares the wall with those its cell
    // already holds; past kMaxComparisons in all the grid is refused and AddWall adds no more.
    // Build and Clear reset both counts.
    static constexpr long long kMaxComparisons = 4000000;
    bool ReserveCarriedEntries(long long count);
    bool Refused() const { return refused; }

private:
    // Calls visit(wall) for each wall the circle touches in the nine cells around it, in
    // order, until visit returns true. Returns whether it stopped early.
    template <class Visitor>
    bool Walk(const Circle& circle, Visitor visit) const;

    // The walls of cell column + row * width: a grid may have a million cells, most of them
    // empty, so each cell holds only an index (0: empty, else 1 + its place in `lists`).
    const CellList& CellAt(int index) const
    {
        const std::uint32_t at = cellIndex[static_cast<std::size_t>(index)];
        return at == 0 ? kEmptyCell : lists[at - 1];
    }
    CellList& FillCell(int index);

    static const CellList kEmptyCell;
    std::vector<std::uint32_t> cellIndex;
    std::vector<CellList> lists;
    int width = 0;
    int height = 0;
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    long long entries = 0;     // entries made or reserved since the last Build
    long long comparisons = 0; // walls compared by AddWall since the last Build
    bool refused = false;
};

template <class Visitor>
bool WallGrid::Walk(const Circle& circle, Visitor visit) const
{
    int column = 0;
    int row = 0;
    if (cellIndex.empty() || !CellOf(circle.x, circle.y, column, row))
        return false;
    Box circleBox(circle.radius * 2.0f, circle.radius * 2.0f, circle.x, circle.y);
    for (int i = -1; i <= 1; ++i)
    {
        int c = column + i;
        for (int j = row - 1; j <= row + 1; ++j)
        {
            if (!(j < height && c < width && c >= 0 && j >= 0))
                continue;
            const CellList& cell = CellAt(c + j * width);
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
