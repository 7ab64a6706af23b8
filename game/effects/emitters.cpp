// The emitter list's upkeep and the burst, debris and spiral kinds. Every kind's step walks
// its particles in list order (colour fade, life, motion, size, its own extra rule), then
// emits where it does so after the loop, drops the dead particles and decides whether it is
// finished.
#include "game/effects/emitters.h"

#include "game/effects/particle_steps.h"
#include "game/engine.h"

#include <cmath>
#include <cstdlib>

using namespace particle_steps;

bool ParticleIsDead(const Particle& particle)
{
    return particle.life < 0.0f;
}

bool EmitterIsFinished(Emitter* emitter)
{
    emitter->Update();
    if (!emitter->finished)
        return false;
    delete emitter;
    return true;
}

void UpdateEmitters(std::list<Emitter*>& emitters)
{
    emitters.remove_if(EmitterIsFinished);
}

Emitter* AddEmitter(Emitter* emitter, float x, float y)
{
    emitter->Init(x, y);
    gEngine->effects.emitters.push_back(emitter);
    return emitter;
}

void StopTrail(Emitter* trail)
{
    if (auto* emitter = dynamic_cast<TrailEmitter*>(trail))
        emitter->stop = true;
}

void Emitter::ForgetEntities(const std::vector<const Entity*>&) {}

namespace
{

// A ring of particles at the origin, one every `step` degrees below 360.
void Ring(Emitter& e, int step, float speed, const Colour& colour, float life, float size)
{
    for (int a = 0; a < 360; a += step)
    {
        const Vec2 v = SinCos(static_cast<float>(a));
        e.particles.push_back(MakeParticle(e.x, e.y, v.x * speed, v.y * speed, size, colour, life));
    }
}

struct BurstStyle
{
    int step; // degrees between particles, from 0 below 360
    Colour colour;
    float life;
    int sizeBase;
    float speedBase;
    float speedStep; // times rand() % 15
};

void Burst(Emitter& e, const BurstStyle& style)
{
    for (int a = 0; a < 360; a += style.step)
    {
        const float size = static_cast<float>(style.sizeBase + std::rand() % 15);
        const float speed =
            style.speedBase + style.speedStep * static_cast<float>(std::rand() % 15);
        const Vec2 v = SinCos(static_cast<float>(a));
        e.particles.push_back(
            MakeParticle(e.x, e.y, v.x * speed, v.y * speed, size, style.colour, style.life));
    }
}

// The bursts' step: fade, fly, jitter, slow down and fall; finished once all have died.
void BurstUpdate(Emitter& e, const Colour& fade, float damping)
{
    for (Particle& p : e.particles)
    {
        Fade(p, fade);
        p.life -= 0.01f;
        Move(p);
        Jitter(p, 25.0f);
        p.vx *= damping;
        p.vy = p.vy * damping + 0.005f;
    }
    e.particles.remove_if(ParticleIsDead);
    e.finished = e.particles.empty();
}

constexpr Colour kFadeAll{0.005f, 0.005f, 0.005f};

// The spirals' motion: towards (or away from) the origin, turned by 0.75 rad.
void Swirl(Particle& p, float vx, float vy)
{
    const float c = std::cos(0.75f);
    const float s = std::sin(0.75f);
    p.vx = vx * c - vy * s;
    p.vy = vx * s + vy * c;
    p.prevX = p.x;
    p.prevY = p.y;
    p.x += p.vx;
    p.y += p.vy;
}

void Grow(Particle& p, float amount)
{
    p.prevSize = p.size;
    p.size += amount;
    if (p.size > 50.0f)
        p.size = 50.0f;
}

// Four particles on a circle of `radius` about the origin, pulled towards it.
void PullIn(Emitter& e, float radius, float life)
{
    for (int i = 0; i < 4; ++i)
    {
        const Vec2 d = SinCos(static_cast<float>(std::rand() % 360));
        const float px = e.x + radius * d.x;
        const float py = e.y + radius * d.y;
        e.particles.push_back(MakeParticle(px, py, (e.x - px) * 0.015f, (e.y - py) * 0.015f, 5.0f,
                                           {0.75f, 0.75f, 0.75f}, life));
    }
}

// The spirals' step. The timer is counted down before the particle loop and re-armed (with
// an emission) after it; `pull` scales the particle's offset from the origin into its
// velocity before the turn (negative: towards the origin).
void SpiralUpdate(Emitter& e, const Colour& fade, float pull, float grow)
{
    e.timer -= 0.01f;
    for (Particle& p : e.particles)
    {
        Fade(p, fade);
        p.life -= 0.01f;
        Swirl(p, (p.x - e.x) * pull, (p.y - e.y) * pull);
        Grow(p, grow);
    }
    if (e.timer < 0.0f)
    {
        e.timer = e.period;
        e.Emit();
    }
    e.particles.remove_if(ParticleIsDead);
}

} // namespace

// --- bursts ---

void BlueExplosionEmitter::Init(float px, float py)
{
    x = px;
    y = py;
    finished = false;
    Emit();
}

void BlueExplosionEmitter::Update()
{
    BurstUpdate(*this, kFadeAll, 0.97f);
}

void BlueExplosionEmitter::Emit()
{
    Ring(*this, 15, 1.5f, {0.5f, 0.75f, 1.0f}, 1.5f, 30.0f);
    Burst(*this, {10, {0.5f, 0.75f, 1.5f}, 3.0f, 35, 0.5f, 0.1f});
}

void OrangeExplosionEmitter::Update()
{
    BurstUpdate(*this, {0.005f, 0.005f, 0.0f}, 0.97f);
}

void OrangeExplosionEmitter::Emit()
{
    Ring(*this, 15, 1.5f, {0.75f, 0.5f, 0.0f}, 1.5f, 30.0f);
    Burst(*this, {10, {0.75f, 0.5f, 0.0f}, 3.0f, 35, 0.5f, 0.1f});
}

void GreenTurretEmitter::Update()
{
    BurstUpdate(*this, {0.0f, 0.005f, 0.0f}, 0.97f);
}

void GreenTurretEmitter::Emit()
{
    Ring(*this, 15, 1.5f, {0.0f, 1.0f, 0.0f}, 1.5f, 30.0f);
    Burst(*this, {10, {0.0f, 1.0f, 0.0f}, 3.0f, 35, 0.5f, 0.1f});
}

void GeneratorEmitter::Update()
{
    BurstUpdate(*this, {0.0025f, 0.0025f, 0.0025f}, 0.98f);
}

void GeneratorEmitter::Emit()
{
    Ring(*this, 5, 2.5f, {1.0f, 0.75f, 0.5f}, 3.0f, 30.0f);
    Burst(*this, {10, {1.5f, 0.75f, 0.0f}, 6.0f, 35, 1.0f, 0.2f});
}

void ImpactEmitter::Emit()
{
    Burst(*this, {40, {0.75f, 0.75f, 0.75f}, 3.0f, 15, 0.5f, 0.05f});
}

// --- debris ---

void DebrisEmitter::Init(float px, float py)
{
    x = px;
    y = py;
    period = 0.0f;
    timer = 0.0f;
    finished = false;
    for (int i = 0; i < 15; ++i)
        Emit();
}

void DebrisEmitter::Emit()
{
    const float j1 = std::sin(static_cast<float>(std::rand() % 30 - 15) * kDegree);
    const float j2 = std::sin(static_cast<float>(std::rand() % 30 - 15) * kDegree);
    const float m = std::sqrt(j1 * j1 + j2 * j2);
    particles.push_back(MakeParticle(x, y, m * (j1 + dx) * 10.1f, m * (j2 + dy) * 10.1f, 10.0f,
                                     {1.0f, 1.0f, 1.0f}, 2.0f));
}

void DebrisEmitter::Update()
{
    for (Particle& p : particles)
    {
        Fade(p, kFadeAll);
        p.life -= 0.01f;
        Move(p);
        Jitter(p, 15.0f);
        p.vx *= 0.97f;
        p.vy = p.vy * 0.97f + 0.005f;
        Vec2 n;
        if (TouchesWall(p, n))
        {
            const float k = (p.vx * n.x + p.vy * n.y) * 1.8f;
            p.vx -= n.x * k;
            p.vy -= n.y * k;
        }
    }
    particles.remove_if(ParticleIsDead);
    finished = particles.empty();
}

// --- spirals ---

void StageStartEmitter::Start(float px, float py, int emissions)
{
    x = px;
    y = py;
    finished = false;
    timer = 0.0f;
    count = emissions;
    period = 0.02f;
    Emit();
}

void StageStartEmitter::Init(float px, float py)
{
    Start(px, py, 75);
}

void StageStartEmitter::Emit()
{
    if (--count <= 0)
        return;
    PullIn(*this, 100.0f, 1.0f);
}

void StageStartEmitter::Update()
{
    SpiralUpdate(*this, {0.005f, 0.005f, 0.0f}, -0.03f, 1.5f);
    finished = count <= 0 && particles.empty();
}

void ExitEmitter::Init(float px, float py)
{
    Start(px, py, 35);
}

void ExitEmitter::Emit()
{
    if (--count <= 0)
        return;
    for (int i = 0; i < 4; ++i)
    {
        const Vec2 d = SinCos(static_cast<float>(std::rand() % 360));
        const float px = x + 5.0f * d.x;
        const float py = y + 5.0f * d.y;
        particles.push_back(MakeParticle(px, py, (x + 100.0f * d.x - px) * 0.05f,
                                         (y + 100.0f * d.y - py) * 0.05f, 5.0f,
                                         {0.75f, 0.75f, 0.75f}, 1.0f));
    }
}

void ExitEmitter::Update()
{
    SpiralUpdate(*this, {0.015f, 0.01f, 0.005f}, 0.05f, 1.15f);
    finished = count <= 0 && particles.empty();
}

void ContinueEmitter::Init(float px, float py)
{
    x = px;
    y = py;
    finished = false;
    timer = 0.0f;
    period = 0.05f;
    Emit();
}

void ContinueEmitter::Emit()
{
    PullIn(*this, 300.0f, 1.3f);
}

void ContinueEmitter::Update()
{
    SpiralUpdate(*this, {0.005f, 0.005f, 0.0f}, -0.03f, 1.5f);
}

void CreditsEmitter::Init(float px, float py)
{
    x = px;
    y = py;
    finished = false;
    timer = 0.0f;
    period = 0.05f;
    accumulator = 0;
    Emit();
    for (int i = 0; i < 150; ++i)
        Update();
}

void CreditsEmitter::Emit()
{
    accumulator += 8;
    for (int i = 0; i < 6; ++i)
    {
        if (accumulator > 360)
            accumulator -= 360;
        const Vec2 d = SinCos(static_cast<float>(accumulator));
        const float px = x + 30.0f * d.x;
        const float py = y + 30.0f * d.y;
        particles.push_back(MakeParticle(px, py, (px - x) * 0.0015f, (py - y) * 0.0015f, 0.01f,
                                         {0.0f, 0.0f, 0.0f}, 1.9f));
        accumulator += std::rand() % 45;
    }
}

void CreditsEmitter::Update()
{
    timer -= 0.01f;
    for (Particle& p : particles)
    {
        for (float* channel : {&p.r, &p.g, &p.b})
        {
            if (*channel < 1.0f)
                *channel += 0.005f;
        }
        p.life -= 0.01f;
        Move(p);
        p.vx *= 1.035f;
        p.vy *= 1.035f;
        p.prevSize = p.size;
        p.size *= 1.057f;
    }
    if (timer < 0.0f)
    {
        timer = period;
        Emit();
    }
    particles.remove_if(ParticleIsDead);
}
