#include "game/entities/turrets.h"

#include "game/effects/emitters.h"
#include "game/effects/projectiles.h"
#include "game/engine.h"
#include "game/entities/seekers.h"

#include <cstdlib>
#include <new>

namespace
{

constexpr float kTick = 0.01f;

// Every turret's body: two circles side by side just above its base.
void AddTurretBody(CircleList& shape)
{
    shape.emplace_back(10.0f, 0.0f, 0.0f, -7.0f, -5.0f);
    shape.emplace_back(10.0f, 0.0f, 0.0f, 7.0f, -5.0f);
}

// The entity's up vector u (its muzzle side is -u) and its side vector s.
void UpAndSide(float angle, Vec2& u, Vec2& s)
{
    AngleToVectors(angle + 90.0f, u, s);
}

// The point `distance` units out on the muzzle side: above a turret standing at angle 0.
Vec2 Out(const Entity& e, float distance)
{
    Vec2 u;
    Vec2 s;
    UpAndSide(e.angle, u, s);
    return Vec2(e.x - distance * u.x, e.y - distance * u.y);
}

void RestartSample(int slot)
{
    Sample& sample = gEngine->res.samples[slot];
    sample.Stop();
    sample.Play();
}

// The fire timer runs only while the turret is awake and the ship is in play, so a
// destroyed ship's wait freezes every turret where it stands.
bool FireDue(bool awake, float& fireTimer)
{
    if (!awake || !gEngine->ship.inPlay)
        return false;
    fireTimer -= kTick;
    return fireTimer <= 0.0f;
}

void CheckRange(const Entity& e, float& rangeCheckTimer, bool& awake, float range)
{
    rangeCheckTimer -= kTick;
    if (rangeCheckTimer > 0.0f)
        return;
    rangeCheckTimer = 1.0f;
    const PlayerShip& ship = gEngine->ship;
    awake = Distance(e.x, e.y, ship.x, ship.y) < range;
}

// An enemy shot from `from` at `speed` units a tick along `towardsShip`. A ship exactly at
// the shooter gives a zero direction, hence a shot that stands still, never a NaN.
void ShootAtShip(const Vec2& from, const Entity& shooter, float speed, ProjectileUpdate update)
{
    const PlayerShip& ship = gEngine->ship;
    const Vec2 d = Normalize(ship.x - shooter.x, ship.y - shooter.y);
    FireProjectile(gEngine->effects.enemyShots, EnemyShotInit, update, from.x, from.y, 0.0f,
                   speed * d.x, speed * d.y);
}

void Explode(Entity& e, Emitter* burst)
{
    e.dead = true;
    RestartSample(sfx::Explode2);
    if (burst != nullptr)
        AddEmitter(burst, e.x, e.y);
}

// Spawn shared by every turret and the tank: alive, asleep, first shot 2-4 s after waking.
void SpawnTurret(Entity& e, float px, float py, bool& awake, float& fireTimer)
{
    e.x = e.prevX = px;
    e.y = e.prevY = py;
    e.UpdateCollisionPoints();
    e.dead = false;
    e.health = 1.0f;
    awake = false;
    fireTimer = static_cast<float>(std::rand() % 3 + 2);
}

} // namespace

// ---- blue turret ----

BlueTurret::BlueTurret()
{
    AddTurretBody(shape);
    health = 1.0f;
    points = 20;
}

void BlueTurret::Spawn(float px, float py)
{
    SpawnTurret(*this, px, py, awake, fireTimer);
}

void BlueTurret::Update()
{
    if (health <= 0.0f)
    {
        Kill();
        return;
    }
    if (FireDue(awake, fireTimer))
    {
        fireTimer += static_cast<float>(std::rand() % 5 + 3);
        ShootAtShip(Out(*this, 15.0f), *this, 1.5f, EnemyShotUpdate);
    }
    CheckRange(*this, rangeCheckTimer, awake, 400.0f);
}

void BlueTurret::Kill()
{
    Explode(*this, new (std::nothrow) BlueExplosionEmitter);
}

// ---- red turret ----

RedTurret::RedTurret()
{
    points = 25;
}

void RedTurret::Update()
{
    if (health <= 0.0f)
    {
        Kill();
        return;
    }
    if (FireDue(awake, fireTimer))
    {
        fireTimer = static_cast<float>(std::rand() % 3 + 2);
        Seeker* seeker = new (std::nothrow) Seeker;
        if (seeker != nullptr)
        {
            const Vec2 muzzle = Out(*this, 15.0f);
            seeker->Spawn(muzzle.x, muzzle.y);
            Vec2 u;
            Vec2 s;
            UpAndSide(angle, u, s);
            seeker->velocity = Vec2(-3.0f * u.x, -3.0f * u.y);
            gEngine->level.entities.push_back(seeker);
            RestartSample(sfx::Seeker);
        }
    }
    CheckRange(*this, rangeCheckTimer, awake, 350.0f);
}

void RedTurret::Kill()
{
    Explode(*this, new (std::nothrow) OrangeExplosionEmitter);
}

// ---- green turret ----

GreenTurret::GreenTurret()
{
    AddTurretBody(shape);
    health = 1.0f;
    points = 35;
}

void GreenTurret::Spawn(float px, float py)
{
    SpawnTurret(*this, px, py, awake, fireTimer);
}

void GreenTurret::Update()
{
    if (health <= 0.0f)
    {
        Kill();
        return;
    }
    if (FireDue(awake, fireTimer))
    {
        fireTimer = static_cast<float>(std::rand() % 3 + 2);
        awake = false;
        Wasp* wasp = new (std::nothrow) Wasp;
        if (wasp != nullptr)
        {
            const Vec2 muzzle = Out(*this, 15.0f);
            wasp->Spawn(muzzle.x, muzzle.y);
            wasp->heading = angle;
            // A wasp moves by minus its velocity: this sends it out through the muzzle.
            Vec2 u;
            Vec2 s;
            UpAndSide(angle, u, s);
            wasp->velocity = Vec2(2.5f * u.x, 2.5f * u.y);
            gEngine->level.entities.push_back(wasp);
            RestartSample(sfx::Wasp);
        }
    }
    // One wasp per waking: asleep again after the release, it needs a new range check.
    if (!awake)
        CheckRange(*this, rangeCheckTimer, awake, 400.0f);
}

void GreenTurret::Kill()
{
    Explode(*this, new (std::nothrow) GreenTurretEmitter);
}

// ---- blue tank ----

BlueTank::BlueTank()
{
    AddTurretBody(shape);
    AddCircle(10.0f, 0.0f, -10.0f);
    health = 1.0f;
    points = 30;
    leftFeeler.emplace_back(1.0f, 0.0f, 0.0f, -17.0f, 0.0f);
    rightFeeler.emplace_back(1.0f, 0.0f, 0.0f, 17.0f, 0.0f);
}

void BlueTank::PlaceCircles()
{
    UpdateCollisionPoints();
    ::UpdateCollisionPoints(leftFeeler, angle, x, y);
    ::UpdateCollisionPoints(rightFeeler, angle, x, y);
}

void BlueTank::Spawn(float px, float py)
{
    SpawnTurret(*this, px, py, awake, fireTimer);
    shotCounter = 0;
    direction = std::rand() % 2 == 1;
    PlaceCircles();
}

void BlueTank::Update()
{
    if (health <= 0.0f)
    {
        Kill();
        return;
    }
    if (FireDue(awake, fireTimer))
    {
        fireTimer = 0.3f;
        ShootAtShip(Out(*this, 20.0f), *this, 2.75f, EnemyBulletUpdate);
        if (++shotCounter > 4)
        {
            shotCounter = 0;
            fireTimer += static_cast<float>(std::rand() % 5 + 3);
        }
    }
    CheckRange(*this, rangeCheckTimer, awake, 400.0f);

    // Patrol: 0.3 a tick along the ground, turning back where a feeler finds no wall.
    prevX = x;
    prevY = y;
    Vec2 u;
    Vec2 s;
    UpAndSide(angle, u, s);
    const float step = direction ? 0.3f : -0.3f;
    x += step * s.x;
    y += step * s.y;
    gEngine->WrapAroundMap(x, prevX);
    PlaceCircles();
    Vec2 leftNormal;
    Vec2 rightNormal;
    const bool leftTouches = gEngine->CollideWithWalls(leftFeeler, leftNormal);
    const bool rightTouches = gEngine->CollideWithWalls(rightFeeler, rightNormal);
    if (leftTouches && rightTouches)
        return;
    direction = !direction;
    x = prevX;
    y = prevY;
    PlaceCircles();
}

void BlueTank::Kill()
{
    Explode(*this, new (std::nothrow) BlueExplosionEmitter);
}
