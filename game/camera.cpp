// The camera: keeps the ship's screen position inside 220..420 x 200..280 by scrolling the
// world, and moves the six parallax anchors of the star layers by fractions of the scroll.
#include "game/engine.h"

namespace
{

// Layer speeds of the anchors, in their order: first anchors of layers 1-3, then the second.
constexpr float kLayerSpeed[6] = {0.3f, 0.65f, 1.0f, 0.3f, 0.65f, 1.0f};

// The scroll that brings a world coordinate with the offset back into low..high on screen.
float Scroll(float position, float offset, float low, float high)
{
    float scroll = 0.0f;
    if (position > high - offset)
        scroll = -(position - (high - offset));
    if (position < low - offset)
        scroll += (low - offset) - position;
    return scroll;
}

} // namespace

void Engine::UpdateCamera()
{
    CameraView& c = camera;
    c.prevCamX = c.camX;
    c.prevCamY = c.camY;

    const float t = Scroll(ship.x, c.camX, 220.0f, 420.0f);
    c.camX += t;
    float o = Scroll(ship.y, c.camY, 200.0f, 280.0f);
    c.camY += o;

    // The stars move vertically only while the view's top edge is at or above y -240.
    if (c.camY < 240.0f)
        o = 0.0f;

    for (int i = 0; i < 6; ++i)
    {
        Vec2& anchor = c.anchors[i];
        Vec2& previous = c.prevAnchors[i];
        previous = anchor;
        anchor.x += t * kLayerSpeed[i];
        anchor.y += o * kLayerSpeed[i];
        if (anchor.x < -640.0f)
        {
            anchor.x += 1280.0f;
            previous.x += 1280.0f;
        }
        if (anchor.x > 640.0f)
        {
            anchor.x -= 1280.0f;
            previous.x -= 1280.0f;
        }
    }
}
