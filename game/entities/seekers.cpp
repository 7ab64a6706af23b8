#include "game/entities/seekers.h"

#include "engine/map_format.h"
#include "game/effects/emitters.h"
#include "game/effects/projectiles.h"
#include "game/engine.h"

#include <cmath>
#include <cstdlib>
#include <new>

namespace
{

constexpr float kTick = 0.01f;
constexpr float kFullLife = 1.0f;
constexpr float kLifePerTick = 1.0f / 1500.0f; // 15 s of flight
constexpr float kReleaseRange = 200.0f;
constexpr float kWaspRange = 300.0f;
constexpr float kWaypointSpacing = 50.0f;

// Placed, alive, with its whole life ahead.
void Place(Entity& e, float px, float py)
{
    e.Entity::Spawn(px, py);
    e.health = kFullLife;
}

// The x from which something at `x` steers towards `targetX`: its image one map width over
// when the target lies more than half a width away horizontally, so that it takes the short
// way round the wrap.
float SteeringX(float x, float targetX)
{
    const float width = gEngine->MapWrapWidth();
    if (width <= 0.0f || std::fabs(x - targetX) <= 0.5f * width)
        return x;
    return x < gEngine->level.minX + 0.5f * width ? x + width : x - width;
}

// Turns `facing` towards the ship: nothing when pointing straight at it, up to 13 degrees a
// tick when pointing away. u is the facing's up vector (the nose is -u), s its side vector.
void TurnTowardsShip(const Entity& e, float& facing, const Vec2& u, const Vec2& s)
{
    const PlayerShip& ship = gEngine->ship;
    if (ship.exploded || ship.leaving)
        return;
    const Vec2 w = Normalize(SteeringX(e.x, ship.x) - ship.x, e.y - ship.y);
    const float turn = 6.5f * (1.0f - (w.x * u.x + w.y * u.y));
    facing += (w.x * s.x + w.y * s.y) < 0.0f ? -turn : turn;
}

// One tick nose first: a push along u (`push` per axis), a move by minus the velocity,
// then the drag.
void FlyNoseFirst(Entity& e, Vec2& velocity, const Vec2& u, const Vec2& push, float drag)
{
    velocity.x += push.x * u.x;
    velocity.y += push.y * u.y;
    e.prevX = e.x;
    e.prevY = e.y;
    e.x -= velocity.x;
    e.y -= velocity.y;
    velocity.x *= drag;
    velocity.y *= drag;
}

bool HitsWall(Entity& e)
{
    gEngine->WrapAroundMap(e.x, e.prevX);
    e.UpdateCollisionPoints();
    Vec2 normal;
    return gEngine->CollideWithWalls(e.shape, normal);
}

// Burns one tick of life; true (after Kill) when it has run out.
bool BurnedOut(Entity& e)
{
    e.health -= kLifePerTick;
    if (e.health > 0.0f)
        return false;
    e.Kill();
    return true;
}

void Explode(Entity& e, Emitter* burst)
{
    e.dead = true;
    Sample& sample = gEngine->res.samples[sfx::Explode2];
    sample.Stop();
    sample.Play();
    if (burst != nullptr)
        AddEmitter(burst, e.x, e.y);
}

} // namespace

// ---- homing missile ----

HomingMissile::HomingMissile()
{
    AddCircle(7.0f, 0.0f, -5.0f);
    health = kFullLife;
    points = 30;
}

void HomingMissile::Spawn(float px, float py)
{
    Place(*this, px, py);
    launched = false;
    rangeCheckTimer = 0.0f;
}

void HomingMissile::Update()
{
    if (launched)
    {
        dead = true; // gone without a blast: it became the launched missile
        return;
    }
    if (health <= 0.0f)
    {
        Kill();
        return;
    }
    prevX = x;
    prevY = y;
    const PlayerShip& ship = gEngine->ship;
    if (!ship.inPlay)
        return;
    rangeCheckTimer -= kTick;
    if (rangeCheckTimer > 0.0f)
        return;
    rangeCheckTimer = 1.0f;
    if (Distance(x, y, ship.x, ship.y) >= kReleaseRange)
        return;
    launched = true;
    health = -1000.0f;
    LaunchedMissile* missile = new (std::nothrow) LaunchedMissile;
    if (missile == nullptr)
        return;
    missile->Spawn(x, y);
    missile->angle = angle;
    gEngine->level.entities.push_back(missile);
}

void HomingMissile::Kill()
{
    Explode(*this, new (std::nothrow) BlueExplosionEmitter);
}

// ---- launched missile ----

LaunchedMissile::LaunchedMissile()
{
    type = static_cast<std::int32_t>(EntityKind::LaunchedMissile);
    AddCircle(7.0f, 0.0f, -8.0f);
    health = kFullLife;
    points = 50;
}

void LaunchedMissile::Spawn(float px, float py)
{
    type = static_cast<std::int32_t>(EntityKind::LaunchedMissile);
    Place(*this, px, py);
    velocity = Vec2();
    trailPoint = Vec2(px, py);
    StopTrail(trail); // a second spawn starts a new trail
    trail = nullptr;
    auto* emitter = new (std::nothrow) TrailEmitter;
    if (emitter == nullptr)
        return;
    emitter->Follow(this, &trailPoint, &angle);
    trail = AddEmitter(emitter, px, py);
}

void LaunchedMissile::Update()
{
    if (BurnedOut(*this))
        return;
    Vec2 u;
    Vec2 s;
    AngleToVectors(angle + 90.0f, u, s);
    TurnTowardsShip(*this, angle, u, s);

    FlyNoseFirst(*this, velocity, u, Vec2(0.15f, 0.15f), 0.93f);
    trailPoint = Vec2(x + 4.0f * velocity.x - 12.0f * s.x, y + 4.0f * velocity.y - 12.0f * s.y);
    if (HitsWall(*this))
        Kill();
}

void LaunchedMissile::Kill()
{
    // Stopped, not finished: the trail's particles fade out, and the emitter list deletes
    // the trail when they are gone, so the pointer is dropped here and never read again.
    StopTrail(trail);
    trail = nullptr;
    Explode(*this, new (std::nothrow) BlueExplosionEmitter);
}

// ---- seeker ----

Seeker::Seeker()
{
    type = static_cast<std::int32_t>(EntityKind::Seeker);
    AddCircle(7.0f, 0.0f, 0.0f);
    health = kFullLife;
    points = 50;
}

void Seeker::Spawn(float px, float py)
{
    type = static_cast<std::int32_t>(EntityKind::Seeker);
    Place(*this, px, py);
    waypointTimer = 0.0f;
}

void Seeker::Update()
{
    if (BurnedOut(*this))
        return;
    prevX = x;
    prevY = y;
    x += velocity.x;
    y += velocity.y;
    velocity.x *= 0.981f;
    velocity.y *= 0.981f;

    const PlayerShip& ship = gEngine->ship;
    waypointTimer -= kTick;
    if (waypointTimer <= 0.0f)
    {
        waypointTimer = 1.5f;
        if (waypoints.empty() ||
            Distance(waypoints.back().x, waypoints.back().y, ship.x, ship.y) > kWaypointSpacing)
            waypoints.emplace_back(ship.x, ship.y);
    }

    const Vec2 target = waypoints.empty() ? Vec2(ship.x, ship.y) : waypoints.front();
    const float fromX = SteeringX(x, target.x);
    // A seeker exactly on its target gets no push (Normalize of nothing is nothing).
    const Vec2 towards = Normalize(target.x - fromX, target.y - y);
    velocity.x += 0.03f * towards.x;
    velocity.y += 0.03f * towards.y;
    if (!waypoints.empty() && Distance(fromX, y, target.x, target.y) < kWaypointSpacing)
        waypoints.pop_front();

    angle += 5.5f;
    if (angle > 360.0f)
        angle -= 360.0f;
    if (HitsWall(*this))
        Kill();
}

void Seeker::Kill()
{
    Explode(*this, new (std::nothrow) OrangeExplosionEmitter);
}

// ---- wasp ----

Wasp::Wasp()
{
    type = static_cast<std::int32_t>(EntityKind::Wasp);
    AddCircle(7.0f, 0.0f, 0.0f);
    health = kFullLife;
    points = 75;
}

void Wasp::Spawn(float px, float py)
{
    type = static_cast<std::int32_t>(EntityKind::Wasp);
    Place(*this, px, py);
    awake = false;
    rangeCheckTimer = 0.0f;
    fireTimer = static_cast<float>(std::rand() % 3 + 1);
}

void Wasp::Update()
{
    angle += 10.5f;
    if (BurnedOut(*this))
        return;
    Vec2 u;
    Vec2 s;
    AngleToVectors(heading + 90.0f, u, s);
    TurnTowardsShip(*this, heading, u, s);

    FlyNoseFirst(*this, velocity, u, Vec2(0.1f, 0.05f), 0.993f);
    if (HitsWall(*this))
        Kill(); // the rest of the tick still runs: a wasp may fire as it dies

    const PlayerShip& ship = gEngine->ship;
    fireTimer -= kTick;
    if (fireTimer <= 0.0f)
    {
        fireTimer = 0.5f;
        if (awake)
        {
            const Vec2 d = Normalize(ship.x - x, ship.y - y);
            FireProjectile(gEngine->effects.enemyShots, EnemyShotInit, EnemyShotUpdate, x, y, 0.0f,
                           2.5f * d.x, 2.5f * d.y);
        }
    }
    rangeCheckTimer -= kTick;
    if (rangeCheckTimer <= 0.0f)
    {
        rangeCheckTimer = 1.0f;
        awake = Distance(x, y, ship.x, ship.y) < kWaspRange;
    }
}

void Wasp::Kill()
{
    Explode(*this, new (std::nothrow) OrangeExplosionEmitter);
}
