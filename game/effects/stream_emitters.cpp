// The emitters that follow something: the ship's exhaust and fuel stream, a force's stream
// and a missile's trail. They never finish on their own while what they follow is there.
#include "game/effects/emitters.h"
#include "game/effects/particle_steps.h"
#include "game/engine.h"
#include "game/entities/space_men.h"
#include "game/player_ship.h"

#include <algorithm>
#include <cstdlib>

using namespace particle_steps;

namespace
{

// One particle of the exhaust or a trail: behind the nose, thrown backwards in a fan.
Particle PlumeParticle(float px, float py, float angle, const Colour& colour)
{
    const Vec2 back = Dir(angle);
    const Vec2 spray = Dir(angle + static_cast<float>(std::rand() % 180 - 90));
    return MakeParticle(px - 10.0f * back.x, py - 10.0f * back.y, -0.35f * spray.x,
                        -0.35f * spray.y, 5.0f, colour, 1.0f);
}

void PlumeUpdate(Emitter& e, const Colour& fade)
{
    for (Particle& p : e.particles)
    {
        Fade(p, fade);
        p.life -= 0.01f;
        Move(p);
        p.prevSize = p.size;
        p.size += 0.5f;
    }
    e.particles.remove_if(ParticleIsDead);
}

// The periodic emission run before the particle loop; true when an emission is due.
bool PeriodDue(Emitter& e)
{
    e.timer -= 0.01f;
    if (e.timer >= 0.0f)
        return false;
    e.timer += e.period;
    return true;
}

bool Gone(const Entity* what, const std::vector<const Entity*>& gone)
{
    return what != nullptr && std::find(gone.begin(), gone.end(), what) != gone.end();
}

} // namespace

// --- the ship's exhaust ---

void ExhaustEmitter::Init(float, float)
{
    period = 0.01f;
    timer = 0.0f;
    finished = false;
}

void ExhaustEmitter::Emit()
{
    const PlayerShip& ship = gEngine->ship;
    particles.push_back(PlumeParticle(ship.x, ship.y, ship.angle, {1.0f, 0.8f, 0.0f}));
}

void ExhaustEmitter::Update()
{
    const PlayerShip& ship = gEngine->ship;
    if (ship.fuel > 0.0f && ship.inPlay && !ship.exploded && !ship.leaving && PeriodDue(*this) &&
        gEngine->input[ButtonFire].value == ButtonState::Held)
        Emit();
    PlumeUpdate(*this, {0.01f, 0.012f, 0.0f});
}

// --- the fuel stream ---

void FuelStreamEmitter::Init(float, float)
{
    period = 0.05f;
    timer = 0.0f;
    finished = false;
}

void FuelStreamEmitter::Emit()
{
    particles.push_back(MakeParticle(0.0f, 0.0f, 0.0f, 0.0f, 15.0f, {0.0f, 0.8f, 1.0f}, 1.0f));
}

void FuelStreamEmitter::Update()
{
    const PlayerShip& ship = gEngine->ship;
    if (timer > 0.0f)
        timer -= 0.01f;
    if (timer < 0.0f && ship.inPlay && !ship.exploded && !ship.landed &&
        gEngine->input[ButtonFire2].value == ButtonState::Held)
        timer += period;
    for (Particle& p : particles)
    {
        Fade(p, {0.0f, 0.012f, 0.01f});
        p.life -= 0.01f;
        p.prevX = p.x;
        p.prevY = p.y;
        p.x += (ship.x - p.x) * 0.02f;
        p.y += (ship.y - p.y) * 0.02f;
        Jitter(p, 15.0f);
    }
    particles.remove_if(ParticleIsDead);
}

// --- a force's stream ---

void ForceEmitter::Init(float, float)
{
    period = 0.03f;
    timer = 0.0f;
    finished = false;
}

void ForceEmitter::Emit()
{
    if (force == nullptr)
        return;
    const Vec2 d = Dir(static_cast<float>(std::rand() % 360));
    // A force of no radius streams from its centre (rand() % 0 has no answer).
    const float k = force->radius > 0 ? static_cast<float>(std::rand() % force->radius) : 0.0f;
    particles.push_back(MakeParticle(force->x - k * d.x, force->y - k * d.y,
                                     -force->pushDirection.x, -force->pushDirection.y, 5.0f,
                                     {0.0f, 0.8f, 1.0f}, 1.0f));
}

void ForceEmitter::Update()
{
    if (finished)
        return;
    if (force != nullptr && PeriodDue(*this))
        Emit();
    for (Particle& p : particles)
    {
        Fade(p, {0.0f, 0.012f, 0.01f});
        p.life -= 0.01f;
        Move(p);
        p.prevSize = p.size;
        p.size -= 0.5f;
        if (p.size <= 0.0f)
            p.size = 15.0f;
        Vec2 n;
        if (TouchesWall(p, n))
            p.life = 0.0f;
    }
    particles.remove_if(ParticleIsDead);
    // With its force gone the stream only fades out.
    finished = force == nullptr && particles.empty();
}

void ForceEmitter::ForgetEntities(const std::vector<const Entity*>& gone)
{
    if (Gone(force, gone))
        force = nullptr;
}

// --- a missile's trail ---

void TrailEmitter::Follow(const Entity* who, const Vec2* position, const float* angle)
{
    owner = who;
    ownerPosition = position;
    ownerAngle = angle;
}

void TrailEmitter::Init(float, float)
{
    period = 0.03f;
    timer = 0.0f;
    finished = false;
    stop = false;
}

void TrailEmitter::Emit()
{
    if (ownerPosition == nullptr || ownerAngle == nullptr)
        return;
    particles.push_back(
        PlumeParticle(ownerPosition->x, ownerPosition->y, *ownerAngle, {0.0f, 0.8f, 1.0f}));
}

void TrailEmitter::Update()
{
    if (finished)
        return;
    if (!stop && PeriodDue(*this))
        Emit();
    PlumeUpdate(*this, {0.0f, 0.012f, 0.01f});
    finished = stop && particles.empty();
}

void TrailEmitter::ForgetEntities(const std::vector<const Entity*>& gone)
{
    if (!Gone(owner, gone))
        return;
    stop = true;
    owner = nullptr;
    ownerPosition = nullptr;
    ownerAngle = nullptr;
}
