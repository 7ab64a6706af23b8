// The small rules the emitter kinds share: making a particle, fading its colour, moving it,
// the size jitter, ring directions and the particles' wall test. Internal to the emitters.
#pragma once

#include "game/effects.h"

namespace particle_steps
{

constexpr float kDegree = 0.017453292f;

struct Colour
{
    float r, g, b;
};

// A particle at rest in its previous position and size.
Particle MakeParticle(float x, float y, float vx, float vy, float size, const Colour& colour,
                      float life);
// Lowers each channel by its amount while it is above 0 (it may end slightly below).
void Fade(Particle& p, const Colour& amount);
// Previous position := position, then one step of the velocity.
void Move(Particle& p);
// Previous size := size, then it shrinks by 0.1 * (rand() % 10); below 0 it becomes `reset`.
void Jitter(Particle& p, float reset);
// The ring and burst direction (sin a, cos a) of an angle in degrees.
Vec2 SinCos(float degrees);
// The direction (cos a, sin a) of an angle in degrees.
Vec2 Dir(float degrees);
// Whether a circle of radius 3 at the particle touches a wall; the wall's normal in `normal`.
bool TouchesWall(const Particle& p, Vec2& normal);

} // namespace particle_steps
