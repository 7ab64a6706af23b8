#include "engine/wall_grid.h"

#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <list>
#include <vector>

namespace
{

Beam MakeWall(float x1, float y1, float x2, float y2)
{
    Beam b;
    b.CopyFrom(Segment(x1, y1, x2, y2));
    return b;
}

// The grid as it was first written: every cell tests every wall, every query walks the nine
// cells. The grid under test reaches the same cells faster; the two must agree exactly.
struct ReferenceGrid
{
    std::vector<std::vector<const Beam*>> cells;
    int width = 0, height = 0;
    float minX, minY, maxX, maxY;

    ReferenceGrid(const std::vector<Beam>& walls, float x0, float y0, float x1, float y1)
        : minX(x0), minY(y0), maxX(x1), maxY(y1)
    {
        width = 2 + static_cast<int>((double(maxX) - double(minX)) * double(0.01f));
        height = 2 + static_cast<int>((double(maxY) - double(minY)) * double(0.01f));
        cells.resize(width * height);
        float cx = minX + 50.0f;
        for (int c = 0; c < width; ++c, cx += 100.0f)
        {
            float cy = minY + 50.0f;
            for (int r = 0; r < height; ++r, cy += 100.0f)
            {
                Box box(250, 250, cx, cy);
                for (const Beam& w : walls)
                {
                    if (SegmentHitsBox(w, box))
                        cells[c + r * width].push_back(&w);
                }
            }
        }
    }

    std::vector<const Beam*> Hits(const Circle& circle) const
    {
        std::vector<const Beam*> found;
        int column = static_cast<int>((maxX - minX) - (maxX - circle.x)) / 100;
        int row = static_cast<int>((maxY - minY) - (maxY - circle.y)) / 100;
        for (int i = -1; i <= 1; ++i)
        {
            for (int j = row - 1; j <= row + 1; ++j)
            {
                if (!(j < height && column + i < width && column + i >= 0 && j >= 0))
                    continue;
                const auto& cell = cells[column + i + j * width];
                Box circleBox(circle.radius * 2, circle.radius * 2, circle.x, circle.y);
                Box cellBox(100, 100, minX + 100 * (column + i), minY + 100 * j);
                if (cell.empty() || !BoxesOverlap(circleBox, cellBox))
                    continue;
                for (const Beam* w : cell)
                {
                    if (CircleHitsSegment(*w, circle))
                        found.push_back(w);
                }
            }
        }
        return found;
    }
};

float Random(float low, float high)
{
    return low + (high - low) * static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX);
}

TEST(WallGrid, SizeFromBoundsIncludingTheThreeHundredUnitCase)
{
    std::vector<Beam> walls{MakeWall(10, 10, 20, 20)};
    WallGrid grid;
    ASSERT_TRUE(grid.Build(walls, 0, 0, 350, 120));
    EXPECT_EQ(grid.Width(), 5);
    EXPECT_EQ(grid.Height(), 3);

    // 300 x 0.01f is 2.99999993: the grid has 4 cells across, not 5.
    ASSERT_TRUE(grid.Build(walls, 0, 0, 300, 300));
    EXPECT_EQ(grid.Width(), 4);
    EXPECT_EQ(grid.Height(), 4);
    ASSERT_TRUE(grid.Build(walls, -150, 0, 150, 0));
    EXPECT_EQ(grid.Width(), 4);
    EXPECT_EQ(grid.Height(), 2);
}

TEST(WallGrid, CellOfPointsOutsideAndFarFromTheOrigin)
{
    std::vector<Beam> walls{MakeWall(10, 10, 20, 20)};
    WallGrid grid;
    ASSERT_TRUE(grid.Build(walls, 200, 300, 900, 800));
    int column = -9, row = -9;
    ASSERT_TRUE(grid.CellOf(200 + 150, 300 + 50, column, row));
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 0);
    // Up to 99 units left of the bounds still counts as column 0 (truncation toward zero).
    ASSERT_TRUE(grid.CellOf(200 - 50, 300 + 50, column, row));
    EXPECT_EQ(column, 0);
    ASSERT_TRUE(grid.CellOf(200 - 99.5f, 300 - 99.5f, column, row));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 0);
    ASSERT_TRUE(grid.CellOf(200 - 150, 300 + 50, column, row));
    EXPECT_EQ(column, -1);

    // The difference is taken from the far edge: with the bounds a million units wide,
    // 1e6 - (1e6 - 99.99) rounds to 100 and the point lands in column 1, not 0.
    ASSERT_TRUE(grid.Build(walls, 0, 0, 1.0e6f, 50));
    ASSERT_TRUE(grid.CellOf(99.99f, 10, column, row));
    EXPECT_EQ(column, 1);
}

TEST(WallGrid, FirstWallFoundGivesTheNormal)
{
    // Two walls crossing at (150, 150); the circle there touches both.
    std::vector<Beam> walls{MakeWall(100, 150, 200, 150), MakeWall(150, 100, 150, 200)};
    WallGrid grid;
    ASSERT_TRUE(grid.Build(walls, 0, 0, 400, 400));

    Vec2 normal(0.5f, 0.25f);
    std::vector<Circle> shape{Circle(5, 150, 150)};
    ASSERT_TRUE(grid.CollideWithWalls(shape, normal));
    EXPECT_FLOAT_EQ(normal.x, 0.5f + walls[0].nx); // added, not assigned
    EXPECT_FLOAT_EQ(normal.y, 0.25f + walls[0].ny);

    // Circles are taken in order: the first circle touches only the second wall.
    std::list<Circle> two{Circle(3, 150, 120), Circle(3, 120, 150)};
    normal = Vec2();
    ASSERT_TRUE(grid.CollideWithWalls(two, normal));
    EXPECT_FLOAT_EQ(normal.x, walls[1].nx);
    EXPECT_FLOAT_EQ(normal.y, walls[1].ny);

    normal = Vec2(7, 7);
    std::vector<Circle> clear{Circle(3, 120, 120)};
    EXPECT_FALSE(grid.CollideWithWalls(clear, normal));
    EXPECT_EQ(normal.x, 7);
    EXPECT_EQ(normal.y, 7);
}

TEST(WallGrid, FindWallsHitListsAWallOncePerCell)
{
    std::list<Beam> walls{MakeWall(100, 150, 200, 150), MakeWall(300, 300, 310, 310)};
    WallGrid grid;
    ASSERT_TRUE(grid.Build(walls, 0, 0, 400, 400));
    const Beam* first = &walls.front();

    // At (150, 150) the box filter keeps cells (1,1), (1,2), (2,1), (2,2); the wall is listed
    // in all four, so it comes back four times.
    std::vector<const Beam*> hits;
    EXPECT_TRUE(grid.FindWallsHit(Circle(5, 150, 150), hits));
    EXPECT_EQ(hits, std::vector<const Beam*>(4, first));

    // Entries already present count: the result says "non-empty", not "found something".
    std::vector<const Beam*> previous{first};
    EXPECT_TRUE(grid.FindWallsHit(Circle(5, 20, 380), previous));
    EXPECT_EQ(previous.size(), 1u);
    std::vector<const Beam*> none;
    EXPECT_FALSE(grid.FindWallsHit(Circle(5, 20, 380), none));
}

TEST(WallGrid, AgreesWithTheCellByCellBuildOnRandomMaps)
{
    std::srand(1234);
    for (int map = 0; map < 20; ++map)
    {
        std::vector<Beam> walls;
        // The last maps lie far from the origin, where float rounding is coarse.
        const float base = map >= 15 ? 3.0e6f : 0.0f;
        float x0 = base + Random(-3000, 3000), y0 = base + Random(-2000, 0);
        float spanX = Random(0, 2500), spanY = Random(0, 1500);
        for (int i = 0; i < 150; ++i)
        {
            float x = Random(x0 - 50, x0 + spanX + 50), y = Random(y0 - 50, y0 + spanY + 50);
            float len = (i % 10 == 0) ? Random(0, 2000) : Random(0, 120);
            float angle = Random(0, 6.3f);
            walls.push_back(MakeWall(x, y, x + len * std::cos(angle), y + len * std::sin(angle)));
        }
        WallGrid grid;
        ASSERT_TRUE(grid.Build(walls, x0, y0, x0 + spanX, y0 + spanY));
        ReferenceGrid reference(walls, x0, y0, x0 + spanX, y0 + spanY);
        ASSERT_EQ(grid.Width(), reference.width);
        ASSERT_EQ(grid.Height(), reference.height);
        for (int c = 0; c < grid.Width(); ++c)
        {
            for (int r = 0; r < grid.Height(); ++r)
                ASSERT_EQ(*grid.Cell(c, r), reference.cells[c + r * reference.width]);
        }
        for (int q = 0; q < 300; ++q)
        {
            Circle circle(Random(1, 40), Random(x0 - 250, x0 + spanX + 250),
                          Random(y0 - 250, y0 + spanY + 250));
            std::vector<const Beam*> hits;
            grid.FindWallsHit(circle, hits);
            std::vector<const Beam*> expected = reference.Hits(circle);
            ASSERT_EQ(hits, expected);
            Vec2 normal;
            std::vector<Circle> shape{circle};
            ASSERT_EQ(grid.CollideWithWalls(shape, normal), !expected.empty());
            if (!expected.empty())
            {
                EXPECT_EQ(normal.x, expected.front()->nx);
            }
        }
    }
}

class WallGridLimits : public cavtest::TempDirTest
{
};

TEST_F(WallGridLimits, MapWithoutWallsOrInvertedBoundsHasNoCells)
{
    WallGrid grid;
    EXPECT_TRUE(grid.IsEmpty());
    std::vector<Beam> none;
    // A map without walls gets the loader's bounds 1000, 0, 0, 0: max x below min x.
    EXPECT_TRUE(grid.Build(none, 1000, 0, 0, 0));
    EXPECT_TRUE(grid.IsEmpty());
    std::vector<Beam> walls{MakeWall(0, 0, 10, 0)};
    EXPECT_TRUE(grid.Build(walls, 1000, 0, 0, 0));
    EXPECT_TRUE(grid.IsEmpty());
    EXPECT_EQ(grid.Width(), 0);

    Vec2 normal;
    std::vector<Circle> shape{Circle(50, 5, 0)};
    EXPECT_FALSE(grid.CollideWithWalls(shape, normal));
    std::vector<const Beam*> hits;
    EXPECT_FALSE(grid.FindWallsHit(Circle(50, 5, 0), hits));
    EXPECT_EQ(grid.Cell(0, 0), nullptr);
}

TEST_F(WallGridLimits, StrayWallFarAwayIsRefusedNotAllocated)
{
    cavtest::LogCapture log;
    std::vector<Beam> walls{MakeWall(0, 0, 10, 0), MakeWall(1.0e7f, 0, 1.0e7f + 10, 5.0e6f)};
    WallGrid grid;
    ASSERT_TRUE(grid.Build(walls, 0, 0, 20, 20));
    EXPECT_FALSE(grid.IsEmpty());
    EXPECT_FALSE(grid.Build(walls, 0, 0, 1.0e7f + 10, 5.0e6f));
    EXPECT_TRUE(grid.IsEmpty());
    EXPECT_NE(log.Text().find("Wall grid refused"), std::string::npos);
    std::vector<Circle> shape{Circle(5, 5, 0)};
    Vec2 normal;
    EXPECT_FALSE(grid.CollideWithWalls(shape, normal));

    // A long but sane map still builds.
    EXPECT_TRUE(grid.Build(walls, 0, 0, 99000, 900));
    EXPECT_EQ(grid.Width(), 991); // 99000 x 0.01f truncates to 989
    EXPECT_EQ(grid.Height(), 10);
}

TEST_F(WallGridLimits, DegenerateQueriesFindNothingAndStayInBounds)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<Beam> walls{MakeWall(0, 0, 300, 300), MakeWall(50, 150, 50, 150),
                            MakeWall(nan, 0, 10, 10)};
    WallGrid grid;
    ASSERT_TRUE(grid.Build(walls, 0, 0, 300, 300));
    // Neither the NaN wall nor the zero-length one is in any cell, nor can a carrier add them.
    for (int c = 0; c < grid.Width(); ++c)
    {
        for (int r = 0; r < grid.Height(); ++r)
        {
            grid.AddWall(c, r, &walls[1]);
            for (const Beam* w : *grid.Cell(c, r))
                EXPECT_EQ(w, &walls[0]);
        }
    }
    std::vector<const Beam*> hits;
    EXPECT_FALSE(grid.FindWallsHit(Circle(1, 50, 150), hits));
    Vec2 none;
    std::vector<Circle> onTheDot{Circle(1, 50, 150)};
    EXPECT_FALSE(grid.CollideWithWalls(onTheDot, none));

    const Circle odd[] = {Circle(5, nan, 10),    Circle(5, 10, nan),    Circle(nan, 10, 10),
                          Circle(5, inf, 10),    Circle(5, -inf, -inf), Circle(5, 3.0e9f, 0),
                          Circle(5, -3.0e9f, 0), Circle(-5, 10, 10),    Circle(5, -1000, -1000),
                          Circle(5, 1000, 1000), Circle(5, -150, 150),  Circle(5, 150, 450)};
    for (const Circle& circle : odd)
    {
        hits.clear();
        EXPECT_FALSE(grid.FindWallsHit(circle, hits)) << circle.x << "," << circle.y;
        Vec2 normal;
        std::vector<Circle> shape{circle};
        EXPECT_FALSE(grid.CollideWithWalls(shape, normal));
    }
    // An infinite radius only reaches the nine cells around the centre.
    hits.clear();
    EXPECT_TRUE(grid.FindWallsHit(Circle(inf, 150, 150), hits));
}

TEST(WallGrid, AddWallSkipsWallsWithTheSameEnds)
{
    std::vector<Beam> walls{MakeWall(0, 0, 10, 0)};
    WallGrid grid;
    ASSERT_TRUE(grid.Build(walls, 0, 0, 300, 300));
    Beam carried = MakeWall(500, 500, 520, 500);
    Beam twin = carried;
    grid.AddWall(3, 3, &carried);
    grid.AddWall(3, 3, &twin);
    grid.AddWall(-1, 3, &carried);
    grid.AddWall(3, 4, &carried);
    ASSERT_EQ(grid.Cell(3, 3)->size(), 1u);
    EXPECT_EQ(grid.Cell(3, 3)->front(), &carried);
    grid.Clear();
    EXPECT_TRUE(grid.IsEmpty());
}

} // namespace
