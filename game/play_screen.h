// The play screen: Engine::DrawPlaying draws the star background, the world (walls, entities,
// shots, dynamic beams, the ship and its shield) with its particles and pop-ups up to three
// times for the horizontally wrapping map, then the head-up display (Engine::DrawHud). All
// geometry and placement go through the current VertexSink; each pass leaves texturing and
// blending off, so nothing carries into the next.
#pragma once

class Entity;

// How far around the ship entities are drawn: strictly within this many units sideways (or
// at a wrapped copy of the position), within this many up or down inclusive.
constexpr float kViewHalfWidth = 460.0f;
constexpr float kViewHalfHeight = 320.0f;

// Whether an entity drawn at (px, py) lies in the window around the ship at (sx, sy), on the
// map or one wrap width to either side.
bool EntityInView(float px, float py, float sx, float sy, float wrapWidth);

// The line-model slot an entity is drawn with, or -1 for kinds (and states) not drawn.
int EntityModelSlot(const Entity& entity);

// The space man's walking or waving frame (0-3) from his animation counter, which runs up to
// 4 while he waves: held within 0..3 so that he is always drawn.
int SpaceManFrame(float animationCounter);
