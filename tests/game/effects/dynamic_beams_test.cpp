#include "game/effects/dynamic_beams.h"
#include "game/effects/emitters.h"
#include "game/effects/score_popups.h"
#include "support/flight_fixture.h"
#include "support/map_fixture.h"

#include <cmath>

using namespace cavtest;

namespace
{

class DynamicBeamsTest : public FlightTest
{
protected:
    // A cast beam as a force field makes it: full length, with its anchor as the last one.
    DynamicBeam CastBeam()
    {
        DynamicBeam b;
        b.beam.CopyFrom(Segment(anchor.x, anchor.y, anchor.x - 500.0f * direction.x,
                                anchor.y - 500.0f * direction.y));
        b.life = 10.0f;
        b.anchorA = &anchor;
        b.direction = &direction;
        b.lastA = anchor;
        return b;
    }

    Vec2 anchor{0.0f, 100.0f};
    Vec2 direction{-1.0f, 0.0f};
};

TEST_F(DynamicBeamsTest, ACastBeamIsCutAtTheFirstWallFromItsFirstStep)
{
    struct Case
    {
        bool blocker;
        float endX;
    } cases[] = {{true, 120.0f}, {false, 500.0f}};
    for (const Case& c : cases)
    {
        engine->ClearLevel();
        if (c.blocker)
            SetWalls({MakeWall(0.0f, 0.0f, 0.0f, 10.0f), MakeWall(120.0f, 50.0f, 120.0f, 150.0f),
                      MakeWall(600.0f, 0.0f, 600.0f, 200.0f)});
        else
            SetWalls({MakeWall(0.0f, 0.0f, 0.0f, 10.0f), MakeWall(600.0f, 0.0f, 600.0f, 200.0f)});
        DynamicBeam b = CastBeam();
        EXPECT_FALSE(DynamicBeamStep(b));
        EXPECT_FLOAT_EQ(b.beam.x2, c.endX);
        EXPECT_FLOAT_EQ(b.beam.y2, 100.0f);
        EXPECT_FLOAT_EQ(b.beam.length, c.endX);
        EXPECT_GE(b.beam.startRed, 0.5f); // flickering red
    }
}

TEST_F(DynamicBeamsTest, ABeamOfNoLengthStaysFinite)
{
    SetWalls({MakeWall(0.0f, 0.0f, 0.0f, 10.0f), MakeWall(600.0f, 0.0f, 600.0f, 200.0f)});
    direction = Vec2(0.0f, 0.0f);
    DynamicBeam b = CastBeam();
    DynamicBeamStep(b);
    for (float v : {b.beam.x2, b.beam.y2, b.beam.nx, b.beam.ny, b.beam.dx, b.beam.length})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(b.beam.length, 0.0f);
}

TEST_F(DynamicBeamsTest, SparksComeEveryTwentyFiveEngineSteps)
{
    DynamicBeam b = CastBeam();
    const int expected[] = {0, 1, 1};
    int i = 0;
    for (int step : {24, 25, 26})
    {
        engine->totalSteps = step;
        DynamicBeamStep(b);
        EXPECT_EQ(EmittersOf<ImpactEmitter>(), expected[i++]) << step;
    }
}

TEST_F(DynamicBeamsTest, ATwoPointBeamFollowsItsAnchorsUntilItsLifeEnds)
{
    Vec2 a(10.0f, 10.0f);
    Vec2 end(50.0f, 10.0f);
    DynamicBeam b;
    b.life = 0.02f;
    b.anchorA = &a;
    b.anchorB = &end;
    b.lastA = a;
    b.lastB = end;
    std::list<DynamicBeam> beams{b};
    UpdateDynamicBeams(beams);
    ASSERT_EQ(beams.size(), 1u);
    EXPECT_FLOAT_EQ(beams.front().beam.x2, 50.0f);
    end.y = 10.5f;
    UpdateDynamicBeams(beams); // life 0: rebuilt, then gone
    EXPECT_TRUE(beams.empty());
    b.life = 1.0f;
    DynamicBeamStep(b);
    EXPECT_FLOAT_EQ(b.beam.y2, 10.5f);
}

TEST_F(DynamicBeamsTest, APopUpRisesTenUnitsOverOneSecond)
{
    AddScorePopup(10.0f, 50.0f, 250);
    std::list<ScorePopup>& popups = engine->effects.scorePopups;
    int steps = 0;
    float lastY = 50.0f;
    while (!popups.empty() && steps < 200)
    {
        lastY = popups.front().y;
        UpdateScorePopups(popups);
        ++steps;
    }
    // One second in float steps of 0.01 from 1.0.
    EXPECT_GE(steps, 100);
    EXPECT_LE(steps, 101);
    EXPECT_NEAR(50.0f - (lastY - 0.1f), 0.1f * static_cast<float>(steps), 1e-3f);
}

} // namespace
