#include "game/engine.h"
#include "support/flight_fixture.h"

using namespace cavtest;

namespace
{

class CameraTest : public FlightTest
{
protected:
    // The ship at a screen position with the camera at (cx, cy).
    void Place(float screenX, float screenY, float cx = 0.0f, float cy = 0.0f)
    {
        engine->camera.camX = cx;
        engine->camera.camY = cy;
        engine->ship.x = screenX - cx;
        engine->ship.y = screenY - cy;
    }
};

TEST_F(CameraTest, KeepsTheShipInItsWindowAndMovesTheLayers)
{
    struct Case
    {
        float screenX, screenY, scrollX, scrollY;
    } cases[] = {{430.0f, 240.0f, -10.0f, 0.0f},
                 {300.0f, 240.0f, 0.0f, 0.0f},
                 {210.0f, 240.0f, 10.0f, 0.0f},
                 {300.0f, 290.0f, 0.0f, -10.0f},
                 {300.0f, 190.0f, 0.0f, 10.0f}};
    const float speed[6] = {0.3f, 0.65f, 1.0f, 0.3f, 0.65f, 1.0f};
    for (const Case& c : cases)
    {
        for (Vec2& anchor : engine->camera.anchors)
            anchor = Vec2(0.0f, 0.0f);
        Place(c.screenX, c.screenY, 0.0f, 300.0f); // the view's top edge above y -240
        engine->UpdateCamera();
        EXPECT_FLOAT_EQ(engine->camera.camX, c.scrollX);
        EXPECT_FLOAT_EQ(engine->camera.camY, 300.0f + c.scrollY);
        EXPECT_FLOAT_EQ(engine->camera.prevCamY, 300.0f);
        for (int i = 0; i < 6; ++i)
        {
            EXPECT_FLOAT_EQ(engine->camera.anchors[i].x, c.scrollX * speed[i]) << i;
            EXPECT_FLOAT_EQ(engine->camera.anchors[i].y, c.scrollY * speed[i]) << i;
        }
    }
}

TEST_F(CameraTest, StarsHoldTheirHeightBelowTheSky)
{
    Place(300.0f, 290.0f, 0.0f, 100.0f);
    engine->UpdateCamera();
    EXPECT_FLOAT_EQ(engine->camera.camY, 90.0f);
    for (const Vec2& anchor : engine->camera.anchors)
        EXPECT_EQ(anchor.y, 0.0f);
}

TEST_F(CameraTest, AnAnchorWrapsWithItsPreviousPosition)
{
    for (Vec2& anchor : engine->camera.anchors)
        anchor = Vec2(-635.0f, 0.0f);
    engine->camera.anchors[3] = Vec2(635.0f, 0.0f);
    Place(430.0f, 240.0f); // scroll -10: layer 3 moves to -645
    engine->UpdateCamera();
    EXPECT_FLOAT_EQ(engine->camera.anchors[2].x, 635.0f);
    EXPECT_FLOAT_EQ(engine->camera.prevAnchors[2].x, 645.0f);
    EXPECT_FLOAT_EQ(engine->camera.anchors[0].x, -638.0f); // layer 1 moved 3: no wrap
    EXPECT_FLOAT_EQ(engine->camera.anchors[3].x, 632.0f);
}

} // namespace
