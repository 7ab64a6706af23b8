// The 2-D geometry records shared by the game and the editor (points, wall segments with
// their precomputed normal, direction and length, coloured beams, circles, boxes) and the
// small maths over them. Floats in world units; y grows downwards; angles in degrees.
// Degenerate input is defined: a zero-length segment and a zero vector give zero, never NaN.
#pragma once

#include <cstddef>

struct Vec2
{
    float x = 0.0f;
    float y = 0.0f;

    Vec2() = default;
    Vec2(float px, float py) : x(px), y(py) {}

    static bool Equals(const Vec2& point, float px, float py);
};

struct Segment
{
    float x1 = 0.0f, y1 = 0.0f;
    float x2 = 0.0f, y2 = 0.0f;
    float nx = 0.0f, ny = 0.0f; // unit normal (dy, -dx): the left-hand side on screen
    float dx = 0.0f, dy = 0.0f; // unit direction from the first end to the second
    float length = 0.0f;

    Segment() = default;
    Segment(float px1, float py1, float px2, float py2);

    void CopyFrom(const Segment& other);
};

// A segment with a colour at each end: a wall, a line of a model, an editor beam.
struct Beam : Segment
{
    float startRed = 0.0f, startGreen = 0.0f, startBlue = 0.0f;
    float endRed = 0.0f, endGreen = 0.0f, endBlue = 0.0f;

    using Segment::CopyFrom;
    void CopyFrom(const Beam& other);
};

struct Circle
{
    float radius = 0.0f;
    float x = 0.0f, y = 0.0f;
    float offsetX = 0.0f, offsetY = 0.0f;

    Circle() = default;
    Circle(float r, float px, float py) : radius(r), x(px), y(py) {}
    Circle(float r, float px, float py, float ox, float oy)
        : radius(r), x(px), y(py), offsetX(ox), offsetY(oy)
    {
    }
};

struct Box
{
    float halfWidth = 0.0f, halfHeight = 0.0f;
    float centreX = 0.0f, centreY = 0.0f;
    float minX = 0.0f, minY = 0.0f;
    float maxX = 0.0f, maxY = 0.0f;

    Box() = default;
    Box(float width, float height, float cx, float cy);
};

Vec2 Normalize(float x, float y);
float Distance(float x1, float y1, float x2, float y2);
Vec2 Reflect(Vec2 velocity, Vec2 normal, float restitution);
float Lerp(float target, float start, float t);
Vec2 LerpPoint(Vec2 target, Vec2 start, float t);
float InterpolateOverTime(float from, float to, float start, float duration, float now);
void AngleToVectors(float angle, Vec2& direction, Vec2& perpendicular);
// Writes "mm/dd/yy hh:mm:ss" (17 characters and NUL) of the local time; size >= 18.
bool FormatTimestamp(char* out, std::size_t size = 18);
