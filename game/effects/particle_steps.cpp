#include "game/effects/particle_steps.h"

#include "game/engine.h"

#include <cmath>
#include <cstdlib>
#include <list>

namespace particle_steps
{

Particle MakeParticle(float x, float y, float vx, float vy, float size, const Colour& colour,
                      float life)
{
    Particle p;
    p.x = p.prevX = x;
    p.y = p.prevY = y;
    p.vx = vx;
    p.vy = vy;
    p.size = p.prevSize = size;
    p.r = colour.r;
    p.g = colour.g;
    p.b = colour.b;
    p.life = life;
    return p;
}

void Fade(Particle& p, const Colour& amount)
{
    if (amount.r != 0.0f && p.r > 0.0f)
        p.r -= amount.r;
    if (amount.g != 0.0f && p.g > 0.0f)
        p.g -= amount.g;
    if (amount.b != 0.0f && p.b > 0.0f)
        p.b -= amount.b;
}

void Move(Particle& p)
{
    p.prevX = p.x;
    p.prevY = p.y;
    p.x += p.vx;
    p.y += p.vy;
}

void Jitter(Particle& p, float reset)
{
    p.prevSize = p.size;
    p.size -= 0.1f * static_cast<float>(std::rand() % 10);
    if (p.size < 0.0f)
        p.size = reset;
}

Vec2 SinCos(float degrees)
{
    const float a = degrees * kDegree;
    return Vec2(std::sin(a), std::cos(a));
}

Vec2 Dir(float degrees)
{
    Vec2 direction;
    Vec2 side;
    AngleToVectors(degrees, direction, side);
    return direction;
}

bool TouchesWall(const Particle& p, Vec2& normal)
{
    const std::list<Circle> probe{Circle(3.0f, p.x, p.y)};
    normal = Vec2();
    return gEngine->CollideWithWalls(probe, normal);
}

} // namespace particle_steps
