#include "engine/collision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

TEST(Collision, PointsBoxesAndCirclesAreInclusive)
{
    Box box(10, 20, 0, 0); // -5..5 by -10..10
    EXPECT_TRUE(PointInBox(5, 10, box));
    EXPECT_TRUE(PointInBox(-5, -10, box));
    EXPECT_FALSE(PointInBox(5.001f, 0, box));
    EXPECT_TRUE(BoxesOverlap(box, Box(10, 10, 10, 0))); // edges touch at x = 5
    EXPECT_FALSE(BoxesOverlap(box, Box(10, 10, 10.01f, 0)));

    EXPECT_TRUE(CirclesOverlap(Circle(5, 0, 0), Circle(5, 10, 0)));
    EXPECT_FALSE(CirclesOverlap(Circle(5, 0, 0), Circle(5, 10.001f, 0)));
    EXPECT_TRUE(PointInCircle(3, 4, Circle(5, 0, 0)));
    EXPECT_FALSE(PointInCircle(3, 4.01f, Circle(5, 0, 0)));
}

TEST(Collision, SegmentsCrossOnlyWhenNotParallel)
{
    Vec2 point(-1, -1);
    EXPECT_TRUE(SegmentsIntersect(Segment(0, 0, 10, 10), Segment(0, 10, 10, 0), point));
    EXPECT_FLOAT_EQ(point.x, 5);
    EXPECT_FLOAT_EQ(point.y, 5);

    // Collinear and overlapping, and parallel: never an intersection; the point stays put.
    point = Vec2(-1, -1);
    EXPECT_FALSE(SegmentsIntersect(Segment(0, 0, 10, 0), Segment(5, 0, 15, 0), point));
    EXPECT_FALSE(SegmentsIntersect(Segment(0, 0, 10, 0), Segment(0, 1, 10, 1), point));
    // Lines that cross beyond one segment's end.
    EXPECT_FALSE(SegmentsIntersect(Segment(0, 0, 10, 0), Segment(12, -5, 12, 5), point));
    EXPECT_FALSE(SegmentsIntersect(Segment(0, 0, 4, 4), Segment(0, 10, 10, 0), point));
    EXPECT_FLOAT_EQ(point.x, -1);
    // Touching at an end counts.
    EXPECT_TRUE(SegmentsIntersect(Segment(0, 0, 10, 0), Segment(10, -5, 10, 5), point));
    EXPECT_FLOAT_EQ(point.x, 10);

    EXPECT_TRUE(SegmentBoundsOverlap(Segment(0, 0, 10, 10), Segment(10, 10, 20, 30)));
    EXPECT_FALSE(SegmentBoundsOverlap(Segment(0, 0, 10, 10), Segment(0, 11, 5, 20)));
}

TEST(Collision, ClosestPointClampsToTheEnds)
{
    Segment s(0, 0, 10, 0);
    Vec2 before = ClosestPointOnSegment(-7, 3, s);
    Vec2 beyond = ClosestPointOnSegment(25, -4, s);
    Vec2 middle = ClosestPointOnSegment(4, 9, s);
    EXPECT_FLOAT_EQ(before.x, 0);
    EXPECT_FLOAT_EQ(beyond.x, 10);
    EXPECT_FLOAT_EQ(middle.x, 4);
    EXPECT_FLOAT_EQ(middle.y, 0);
    EXPECT_FLOAT_EQ(PointSegmentDistance(13, 4, s), 5);

    EXPECT_TRUE(CircleHitsSegment(s, Circle(5, 13, 4)));
    EXPECT_FALSE(CircleHitsSegment(s, Circle(4.99f, 13, 4)));
}

TEST(Collision, ZeroLengthSegmentIsNeverHit)
{
    Segment dot(3, 4, 3, 4);
    Vec2 c = ClosestPointOnSegment(0, 0, dot);
    EXPECT_FLOAT_EQ(c.x, 3);
    EXPECT_FLOAT_EQ(c.y, 4);
    EXPECT_FLOAT_EQ(PointSegmentDistance(0, 0, dot), 5);
    EXPECT_FALSE(CircleHitsSegment(dot, Circle(5, 0, 0)));
    EXPECT_FALSE(CircleHitsSegment(dot, Circle(50, 3, 4)));
    EXPECT_FALSE(SegmentHitsBox(dot, Box(2, 2, 3, 4)));
}

TEST(Collision, SegmentHitsBoxRejectsSidesAndCornerRegions)
{
    Box box(100, 100, 0, 0);                                         // -50..50
    EXPECT_TRUE(SegmentHitsBox(Segment(-100, 0, 100, 0), box));      // straight through
    EXPECT_TRUE(SegmentHitsBox(Segment(-10, -10, 10, 10), box));     // inside
    EXPECT_FALSE(SegmentHitsBox(Segment(-100, -60, 100, -60), box)); // wholly above
    EXPECT_FALSE(SegmentHitsBox(Segment(60, -100, 70, 100), box));   // wholly right

    // Enters the box near its right edge, but the point nearest the centre, (55, 20), lies
    // outside: the test says no although the segment's first end is inside the box.
    Segment edge(45, 47.5f, 65, -7.5f);
    EXPECT_TRUE(PointInBox(edge.x1, edge.y1, box));
    EXPECT_FALSE(SegmentHitsBox(edge, box));
}

TEST(Collision, NaNNeverHits)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    Segment s(0, 0, 10, 0);
    EXPECT_FALSE(CircleHitsSegment(s, Circle(5, nan, 0)));
    EXPECT_FALSE(SegmentHitsBox(Segment(nan, 0, 10, 0), Box(4, 4, 0, 0)));
    EXPECT_FALSE(PointInCircle(nan, 0, Circle(5, 0, 0)));
}

} // namespace
