// The particle emitters: the fourteen kinds of glowing-dot effect (bursts, sparks, spirals,
// the ship's exhaust and fuel stream, a force's stream, a missile's trail, the credits'
// background). Creation: `new` the kind, set its own fields (a debris direction, a force,
// what a trail follows), then `AddEmitter`, which runs Init and appends it to the Engine's
// list; the list owns it from then on and `UpdateEmitters` steps it once per simulation step
// and deletes it in the step in which it reports finished.
//
// Emitters that read something outside themselves: the exhaust and the fuel stream read the
// Engine's ship (which outlives every emitter); a ForceEmitter reads its Force and a
// TrailEmitter its owner's position and angle until that entity is about to be deleted,
// when `Emitter::ForgetEntities` cuts them loose: the force's stream and the trail then stop
// emitting, let their particles fade and finish.
#pragma once

#include "game/effects.h"

#include <list>

class Force;

// True when the particle's life is below 0 (a life of exactly 0 is still alive).
bool ParticleIsDead(const Particle& particle);

// The emitter list's removal predicate: one Update, then, when finished, deletes the emitter
// and answers true.
bool EmitterIsFinished(Emitter* emitter);

// Steps every emitter of the list once, in order, and deletes the finished ones.
void UpdateEmitters(std::list<Emitter*>& emitters);

// Init(x, y) on a new emitter, then appends it to the Engine's emitter list; returns it.
Emitter* AddEmitter(Emitter* emitter, float x, float y);

// Sets a TrailEmitter's stop flag (the owner died: the trail fades out). Any other kind, or
// none, is left alone.
void StopTrail(Emitter* trail);

// The four big bursts: a ring and a burst of particles that slow down, fall and fade.
class BlueExplosionEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;
};

class OrangeExplosionEmitter : public BlueExplosionEmitter
{
public:
    void Update() override;
    void Emit() override;
};

class GreenTurretEmitter : public BlueExplosionEmitter
{
public:
    void Update() override;
    void Emit() override;
};

class GeneratorEmitter : public BlueExplosionEmitter
{
public:
    GeneratorEmitter() = default;
    void Update() override;
    void Emit() override;
};

// Shot impacts and small kills: a grey burst of nine.
class ImpactEmitter : public BlueExplosionEmitter
{
public:
    ImpactEmitter() = default;
    void Emit() override;
};

// Fifteen white sparks thrown along a wall normal (dx, dy), bouncing off walls.
class DebrisEmitter : public Emitter
{
public:
    DebrisEmitter() = default;
    DebrisEmitter(float normalX, float normalY) : dx(normalX), dy(normalY) {}
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;

    float dx = 0.0f, dy = 0.0f;
};

// The stage start's spiral: 74 emissions of four particles pulled in from 100 units.
class StageStartEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;

    int count = 0;

protected:
    // Init's body with the kind's number of emissions (plus one).
    void Start(float px, float py, int emissions);
};

// The sector exit's spiral: 34 emissions of four particles thrown outward.
class ExitEmitter : public StageStartEmitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;
};

// The Continue screen's endless spiral, pulled in from 300 units.
class ContinueEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;
};

// The credits' background; Init runs 150 steps so the screen starts full.
class CreditsEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;

    int accumulator = 0; // degrees
};

// The ship's exhaust: one particle a step behind the ship while FIRE is held.
class ExhaustEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;
};

// The stream of fuel into the ship. Its Emit is called by a fuel pod while `timer` <= 0;
// the pod then moves the new (last) particle to itself.
class FuelStreamEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;
};

// A force's stream of particles along its push. `force` is set before Init.
class ForceEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    const Force* force = nullptr;
};

// A launched missile's trail. `Follow` is called before Init; `stop` ends the emission and
// the emitter finishes when its last particle has died.
class TrailEmitter : public Emitter
{
public:
    void Init(float px, float py) override;
    void Update() override;
    void Emit() override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    // The owner whose `position` and `angle` the trail reads until it stops.
    void Follow(const Entity* who, const Vec2* position, const float* angle);

    const Entity* owner = nullptr;
    const Vec2* ownerPosition = nullptr;
    const float* ownerAngle = nullptr;
    bool stop = false;
};
