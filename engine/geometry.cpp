#include "engine/geometry.h"

#include "platform/platform.h"

#include <cmath>

bool Vec2::Equals(const Vec2& point, float px, float py)
{
    return point.x == px && point.y == py;
}

Segment::Segment(float px1, float py1, float px2, float py2) : x1(px1), y1(py1), x2(px2), y2(py2)
{
    float ex = x2 - x1;
    float ey = y2 - y1;
    length = std::sqrt(ex * ex + ey * ey);
    // A zero-length segment has no direction; one whose length overflows to infinity (ends
    // near +-3e38 in a corrupt map) would get NaN from inf * 0. Both keep zero vectors.
    if (length > 0.0f && std::isfinite(length))
    {
        float inv = 1.0f / length;
        dx = ex * inv;
        dy = ey * inv;
        nx = (y2 - y1) * inv;
        ny = (x1 - x2) * inv;
    }
}

void Segment::CopyFrom(const Segment& other)
{
    x1 = other.x1;
    y1 = other.y1;
    x2 = other.x2;
    y2 = other.y2;
    nx = other.nx;
    ny = other.ny;
    dx = other.dx;
    dy = other.dy;
    length = other.length;
}

void Beam::CopyFrom(const Beam& other)
{
    Segment::CopyFrom(other);
    startRed = other.startRed;
    startGreen = other.startGreen;
    startBlue = other.startBlue;
    endRed = other.endRed;
    endGreen = other.endGreen;
    endBlue = other.endBlue;
}

Box::Box(float width, float height, float cx, float cy)
    : halfWidth(width * 0.5f), halfHeight(height * 0.5f), centreX(cx), centreY(cy)
{
    minX = cx - halfWidth;
    minY = cy - halfHeight;
    maxX = cx + halfWidth;
    maxY = cy + halfHeight;
}

Vec2 Normalize(float x, float y)
{
    float len = std::sqrt(x * x + y * y);
    if (len == 0.0f)
        return Vec2(0.0f, 0.0f);
    float inv = 1.0f / len;
    return Vec2(x * inv, y * inv);
}

float Distance(float x1, float y1, float x2, float y2)
{
    float ex = x1 - x2;
    float ey = y1 - y2;
    return std::sqrt(ex * ex + ey * ey);
}

Vec2 Reflect(Vec2 velocity, Vec2 normal, float restitution)
{
    float k = (velocity.x * normal.x + velocity.y * normal.y) * (1.0f + restitution);
    return Vec2(velocity.x - normal.x * k, velocity.y - normal.y * k);
}

float Lerp(float target, float start, float t)
{
    return start + (target - start) * t;
}

Vec2 LerpPoint(Vec2 target, Vec2 start, float t)
{
    return Vec2(Lerp(target.x, start.x, t), Lerp(target.y, start.y, t));
}

float InterpolateOverTime(float from, float to, float start, float duration, float now)
{
    if (from == to)
        return from;
    // A zero duration has already finished: the fade is at its end.
    if (duration == 0.0f)
        return to;
    float f = (now - start) / duration;
    float value = (from > to) ? from - f * (from - to) : from + f * (to - from);
    float low = from < to ? from : to;
    float high = from < to ? to : from;
    if (value < low)
        value = low;
    if (value > high)
        value = high;
    return value;
}

void AngleToVectors(float angle, Vec2& direction, Vec2& perpendicular)
{
    // The two degree constants differ in their last digits; both are kept so that facings
    // computed here match those stored and compared elsewhere bit for bit.
    float a = angle * 0.017453292f;
    direction = Normalize(std::cos(a), std::sin(a));
    double b = static_cast<double>(angle + 90.0f) * 0.017453293005625408;
    perpendicular = Normalize(static_cast<float>(std::cos(b)), static_cast<float>(std::sin(b)));
}

bool FormatTimestamp(char* out, std::size_t size)
{
    return platform::LocalTimestamp(out, size);
}
