// The exact collision tests over the geometry records: points, boxes, circles and segments.
// All comparisons are inclusive unless a test says otherwise. The wall grid and the editor's
// picking build on these; the arithmetic is single precision and its order is part of the
// contract (stored maps and tuned game constants depend on where the edges fall).
// A zero-length segment has its first end as closest point, but it is never hit: neither
// SegmentHitsBox nor CircleHitsSegment accepts it, so such a wall is in no grid cell.
#pragma once

#include "engine/geometry.h"

bool PointInBox(float px, float py, const Box& box);
bool BoxesOverlap(const Box& a, const Box& b);
bool PointInCircle(float px, float py, const Circle& circle);
bool CirclesOverlap(const Circle& a, const Circle& b);
bool SegmentBoundsOverlap(const Segment& a, const Segment& b);

// Proper crossing of two segments; parallel and collinear segments never intersect.
// `point` is written only when the result is true.
bool SegmentsIntersect(const Segment& a, const Segment& b, Vec2& point);

// True when the point of the segment nearest the box's centre lies in the box, after a quick
// rejection of segments lying wholly to one side. A segment that only clips a corner region
// can be rejected although it meets the box; the wall grid's margins are sized for that.
bool SegmentHitsBox(const Segment& segment, const Box& box);

bool CircleHitsSegment(const Segment& segment, const Circle& circle);

// Uses the segment's stored length: the segment must come from its constructor.
Vec2 ClosestPointOnSegment(float px, float py, const Segment& segment);
float PointSegmentDistance(float px, float py, const Segment& segment);
