#include "engine/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace
{

TEST(Geometry, SegmentDirectionNormalLength)
{
    Segment s(0, 0, 10, 0);
    EXPECT_FLOAT_EQ(s.dx, 1.0f);
    EXPECT_FLOAT_EQ(s.dy, 0.0f);
    EXPECT_FLOAT_EQ(s.nx, 0.0f);
    EXPECT_FLOAT_EQ(s.ny, -1.0f);
    EXPECT_FLOAT_EQ(s.length, 10.0f);

    Segment diag(1, 1, 4, 5);
    EXPECT_FLOAT_EQ(diag.length, 5.0f);
    EXPECT_FLOAT_EQ(diag.nx, 0.8f);
    EXPECT_FLOAT_EQ(diag.ny, -0.6f);
    // The normal is the direction turned to the left on screen.
    EXPECT_FLOAT_EQ(diag.nx, diag.dy);
    EXPECT_FLOAT_EQ(diag.ny, -diag.dx);
}

TEST(Geometry, DegenerateInputGivesZeroNotNaN)
{
    Segment point(3, 4, 3, 4);
    EXPECT_EQ(point.length, 0.0f);
    EXPECT_EQ(point.dx, 0.0f);
    EXPECT_EQ(point.dy, 0.0f);
    EXPECT_EQ(point.nx, 0.0f);
    EXPECT_EQ(point.ny, 0.0f);
    // Ends near +-3e38 (a corrupt map): the length overflows to infinity, and the direction
    // and normal stay zero rather than inf * 0 = NaN.
    for (const Segment& huge : {Segment(-3e38f, 0, 3e38f, 0), Segment(0, 3e38f, 1, -3e38f),
                                Segment(-3e38f, -3e38f, 3e38f, 3e38f)})
    {
        EXPECT_TRUE(std::isinf(huge.length));
        EXPECT_EQ(huge.dx, 0.0f);
        EXPECT_EQ(huge.dy, 0.0f);
        EXPECT_EQ(huge.nx, 0.0f);
        EXPECT_EQ(huge.ny, 0.0f);
    }
    Vec2 z = Normalize(0.0f, 0.0f);
    EXPECT_EQ(z.x, 0.0f);
    EXPECT_EQ(z.y, 0.0f);
    EXPECT_FLOAT_EQ(InterpolateOverTime(3, 9, 1, 0, 0.5f), 9.0f);
}

TEST(Geometry, BoxCircleAndCopies)
{
    Box b(250, 250, 50, 50);
    EXPECT_FLOAT_EQ(b.minX, -75);
    EXPECT_FLOAT_EQ(b.minY, -75);
    EXPECT_FLOAT_EQ(b.maxX, 175);
    EXPECT_FLOAT_EQ(b.maxY, 175);
    EXPECT_FLOAT_EQ(b.halfWidth, 125);

    Beam beam;
    beam.startRed = 0.5f;
    beam.endBlue = 0.25f;
    beam.CopyFrom(Segment(0, 0, 0, 2));
    EXPECT_FLOAT_EQ(beam.dy, 1.0f);
    EXPECT_FLOAT_EQ(beam.startRed, 0.5f); // the segment copy keeps the colours
    Beam other;
    other.CopyFrom(beam);
    EXPECT_EQ(std::memcmp(&other, &beam, sizeof(Beam)), 0);
    static_assert(sizeof(Segment) == 9 * sizeof(float), "nine floats");
    static_assert(sizeof(Beam) == 15 * sizeof(float), "fifteen floats");

    Circle c(5, 1, 2);
    EXPECT_EQ(c.offsetX, 0.0f);
    EXPECT_TRUE(Vec2::Equals(Vec2(1, 2), 1, 2));
    EXPECT_FALSE(Vec2::Equals(Vec2(1, 2), 1, 2.0001f));
}

TEST(Geometry, ReflectLerpDistance)
{
    Vec2 r = Reflect(Vec2(3, -4), Vec2(0, 1), 1.0f);
    EXPECT_FLOAT_EQ(r.x, 3);
    EXPECT_FLOAT_EQ(r.y, 4);
    r = Reflect(Vec2(3, -4), Vec2(0, 1), 0.5f);
    EXPECT_FLOAT_EQ(r.y, 2);
    r = Reflect(Vec2(3, -4), Vec2(0, 1), 0.0f);
    EXPECT_FLOAT_EQ(r.y, 0);
    EXPECT_FLOAT_EQ(Lerp(10, 0, 0.25f), 2.5f);
    EXPECT_FLOAT_EQ(Lerp(10, 0, 1.5f), 15.0f); // not clamped
    Vec2 p = LerpPoint(Vec2(10, 20), Vec2(0, 0), 0.5f);
    EXPECT_FLOAT_EQ(p.x, 5);
    EXPECT_FLOAT_EQ(p.y, 10);
    EXPECT_FLOAT_EQ(Distance(0, 0, 3, 4), 5);
}

TEST(Geometry, InterpolateOverTimeClampsBothWays)
{
    EXPECT_FLOAT_EQ(InterpolateOverTime(100, 0, 0, 3, 1.5f), 50);
    EXPECT_FLOAT_EQ(InterpolateOverTime(100, 0, 0, 3, 5), 0);
    EXPECT_FLOAT_EQ(InterpolateOverTime(100, 0, 0, 3, -1), 100);
    EXPECT_FLOAT_EQ(InterpolateOverTime(0, 1, 1, 1, 1.5f), 0.5f);
    EXPECT_FLOAT_EQ(InterpolateOverTime(0, 1, 1, 1, 9), 1);
    EXPECT_FLOAT_EQ(InterpolateOverTime(0, 1, 1, 1, 0), 0);
    EXPECT_FLOAT_EQ(InterpolateOverTime(4, 4, 0, 1, 0.5f), 4);
}

TEST(Geometry, AngleToVectorsFollowsScreenAxes)
{
    Vec2 d, p;
    AngleToVectors(90, d, p);
    EXPECT_NEAR(d.x, 0, 1e-6);
    EXPECT_NEAR(d.y, 1, 1e-6);
    EXPECT_NEAR(p.x, -1, 1e-6);
    EXPECT_NEAR(p.y, 0, 1e-6);
    AngleToVectors(0, d, p);
    EXPECT_FLOAT_EQ(d.x, 1);
    EXPECT_NEAR(p.y, 1, 1e-6);
    AngleToVectors(-45, d, p);
    EXPECT_NEAR(std::hypot(d.x, d.y), 1.0, 1e-6);
    EXPECT_NEAR(d.x, std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(d.y, -std::sqrt(0.5), 1e-6);
}

// Facings are compared bit for bit elsewhere, so both degree constants are pinned: the
// direction uses 0.017453292 in single precision, the perpendicular 0.017453293005625408 in
// double. A result that differs in its last bit (another constant, or pi / 180) fails here.
TEST(Geometry, AngleToVectorsUsesBothDegreeConstantsExactly)
{
    struct Case
    {
        float angle, dx, dy, px, py;
    };
    const Case cases[] = {
        {1.0f, 0x1.ffec0ap-1f, 0x1.1df0b2p-6f, -0x1.1df0e2p-6f, 0x1.ffec0ap-1f},
        {33.0f, 0x1.ad663ap-1f, 0x1.16daeep-1f, -0x1.16dafp-1f, 0x1.ad663ap-1f},
        {123.0f, -0x1.16daeep-1f, 0x1.ad663ap-1f, -0x1.ad663cp-1f, -0x1.16daf2p-1f},
        {200.0f, -0x1.e11f64p-1f, -0x1.5e3a88p-2f, 0x1.5e3a9p-2f, -0x1.e11f62p-1f},
        {359.0f, 0x1.ffec0ap-1f, -0x1.1df18cp-6f, 0x1.1defc8p-6f, 0x1.ffec0ap-1f},
        {1000.0f, 0x1.63a1d6p-3f, -0x1.f838bap-1f, 0x1.f838b6p-1f, 0x1.63a1eep-3f},
    };
    for (const Case& c : cases)
    {
        Vec2 d, p;
        AngleToVectors(c.angle, d, p);
        EXPECT_EQ(d.x, c.dx) << c.angle;
        EXPECT_EQ(d.y, c.dy) << c.angle;
        EXPECT_EQ(p.x, c.px) << c.angle;
        EXPECT_EQ(p.y, c.py) << c.angle;
    }
}

TEST(Geometry, TimestampHasTheFixedShape)
{
    char text[32];
    ASSERT_TRUE(FormatTimestamp(text, sizeof text));
    ASSERT_EQ(std::strlen(text), 17u);
    EXPECT_EQ(text[2], '/');
    EXPECT_EQ(text[5], '/');
    EXPECT_EQ(text[8], ' ');
    EXPECT_EQ(text[11], ':');
    EXPECT_EQ(text[14], ':');
    char tiny[10];
    EXPECT_FALSE(FormatTimestamp(tiny, sizeof tiny));
}

} // namespace
