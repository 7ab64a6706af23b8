#include "engine/collision.h"

#include <algorithm>

bool PointInBox(float px, float py, const Box& box)
{
    return box.minX <= px && px <= box.maxX && box.minY <= py && py <= box.maxY;
}

bool BoxesOverlap(const Box& a, const Box& b)
{
    return !(a.maxX < b.minX || a.maxY < b.minY || a.minX > b.maxX || a.minY > b.maxY);
}

bool PointInCircle(float px, float py, const Circle& circle)
{
    return Distance(px, py, circle.x, circle.y) <= circle.radius;
}

bool CirclesOverlap(const Circle& a, const Circle& b)
{
    return a.radius + b.radius >= Distance(a.x, a.y, b.x, b.y);
}

bool SegmentBoundsOverlap(const Segment& a, const Segment& b)
{
    if (std::max(a.x1, a.x2) < std::min(b.x1, b.x2) || std::min(a.x1, a.x2) > std::max(b.x1, b.x2))
        return false;
    if (std::max(a.y1, a.y2) < std::min(b.y1, b.y2) || std::min(a.y1, a.y2) > std::max(b.y1, b.y2))
        return false;
    return true;
}

bool SegmentsIntersect(const Segment& a, const Segment& b, Vec2& point)
{
    if (!SegmentBoundsOverlap(a, b))
        return false;
    float den = (b.y2 - b.y1) * (a.x2 - a.x1) - (b.x2 - b.x1) * (a.y2 - a.y1);
    if (den == 0.0f)
        return false;
    float ua = ((b.x2 - b.x1) * (a.y1 - b.y1) - (b.y2 - b.y1) * (a.x1 - b.x1)) / den;
    if (!(ua >= 0.0f && ua <= 1.0f))
        return false;
    float ub = ((a.x2 - a.x1) * (a.y1 - b.y1) - (a.y2 - a.y1) * (a.x1 - b.x1)) / den;
    if (!(ub >= 0.0f && ub <= 1.0f))
        return false;
    point = Vec2(a.x1 + (a.x2 - a.x1) * ua, a.y1 + (a.y2 - a.y1) * ua);
    return true;
}

bool SegmentHitsBox(const Segment& segment, const Box& box)
{
    const Segment& s = segment;
    // A zero-length wall is never entered into a grid cell (see CircleHitsSegment).
    if (!(s.length > 0.0f))
        return false;
    if ((s.x1 < box.minX && s.x2 < box.minX) || (s.x1 > box.maxX && s.x2 > box.maxX) ||
        (s.y1 < box.minY && s.y2 < box.minY) || (s.y1 > box.maxY && s.y2 > box.maxY))
        return false;
    Vec2 c = ClosestPointOnSegment(box.centreX, box.centreY, segment);
    return PointInBox(c.x, c.y, box);
}

bool CircleHitsSegment(const Segment& segment, const Circle& circle)
{
    // A zero-length wall has no normal to bounce from: nothing ever hits it.
    if (!(segment.length > 0.0f))
        return false;
    return PointSegmentDistance(circle.x, circle.y, segment) <= circle.radius;
}

Vec2 ClosestPointOnSegment(float px, float py, const Segment& segment)
{
    const Segment& s = segment;
    float lengthSquared = s.length * s.length;
    // A zero-length wall (two clicks on one spot in the editor) is a point, not a NaN.
    if (lengthSquared == 0.0f)
        return Vec2(s.x1, s.y1);
    float t = ((px - s.x1) * (s.x2 - s.x1) + (py - s.y1) * (s.y2 - s.y1)) / lengthSquared;
    if (t < 0.0f)
        t = 0.0f;
    if (t > 1.0f)
        t = 1.0f;
    return Vec2(s.x1 + (s.x2 - s.x1) * t, s.y1 + (s.y2 - s.y1) * t);
}

float PointSegmentDistance(float px, float py, const Segment& segment)
{
    Vec2 c = ClosestPointOnSegment(px, py, segment);
    return Distance(px, py, c.x, c.y);
}
