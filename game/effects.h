// The short-lived world objects the Engine keeps in lists beside its entities: shots
// (`Projectile`, held by value), particle emitters (`Emitter`, owned pointers), score pop-ups
// and dynamic beams (both by value). Only the records live here; their steps live in
// game/effects/, one family a file.
#pragma once

#include "engine/geometry.h"

#include <list>
#include <vector>

class Entity;

struct Projectile;
using ProjectileInit = void (*)(Projectile& shot, float x, float y, float angle, float vx,
                                float vy);
using ProjectileUpdate = void (*)(Projectile& shot);

struct Projectile
{
    std::list<Circle> shape;
    float x = 0.0f, y = 0.0f;
    float prevX = 0.0f, prevY = 0.0f;
    float vx = 0.0f, vy = 0.0f;
    float angle = 0.0f;
    float prevAngle = 0.0f;
    float life = 0.0f;
    bool finished = false;
    bool enemyMade = false;
    float scoreMultiplier = 1.0f;
    ProjectileInit init = nullptr;
    ProjectileUpdate update = nullptr;

    // Stores both steps and clears finished.
    void SetCallbacks(ProjectileInit initStep, ProjectileUpdate updateStep);
    // Runs the update step (none: nothing moves) and tells whether the shot is over.
    static bool RunUpdate(Projectile& shot);
};

struct Particle
{
    float x = 0.0f, y = 0.0f;
    float prevX = 0.0f, prevY = 0.0f;
    float vx = 0.0f, vy = 0.0f;
    float size = 0.0f;
    float prevSize = 0.0f;
    float r = 0.0f, g = 0.0f, b = 0.0f;
    float life = 0.0f;
};

// Made with new by whoever wants the effect, placed with Init and appended to the Engine's
// emitter list, which owns and deletes it (through this base, hence the virtual destructor).
class Emitter
{
public:
    virtual ~Emitter() = default;
    virtual void Init(float px, float py) = 0;
    virtual void Update() = 0;
    virtual void Emit() = 0;
    // The entities in `gone` are about to be deleted: an emitter that reads one of them
    // stops reading it here (and stops emitting). The base reads no entity.
    virtual void ForgetEntities(const std::vector<const Entity*>& gone);

    std::list<Particle> particles;
    float x = 0.0f, y = 0.0f;
    bool finished = false;
    float period = 0.0f;
    float timer = 0.0f;
};

struct ScorePopup
{
    float x = 0.0f, y = 0.0f;
    float prevX = 0.0f, prevY = 0.0f;
    int points = 0;
    float life = 0.0f;

    // Zeroes position, previous position and points.
    void Clear();
    // Places it (previous position too) with the points and a life of 1.0.
    void Set(float px, float py, int amount);
};

// A flickering beam between two tracked points, or cast from one point along a direction.
// The creator keeps the pointed-to positions alive as long as the record lives.
struct DynamicBeam
{
    Beam beam;
    float life = 0.0f;
    const Vec2* anchorA = nullptr;
    const Vec2* anchorB = nullptr; // null: a cast beam
    const Vec2* direction = nullptr;
    Vec2 lastA;
    Vec2 lastB;
    // Set by the first step's rebuild: a beam is fitted to its anchors (and cut at walls)
    // from its first step, whatever its creator put in lastA and lastB.
    bool built = false;
};
