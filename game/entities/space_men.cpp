#include "game/entities/space_men.h"

#include "engine/collision.h"
#include "engine/data_file.h"
#include "engine/map_format.h"
#include "game/effects/emitters.h"
#include "game/engine.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace
{

constexpr float kTick = 0.01f;

void UpAndSide(float angle, Vec2& u, Vec2& s)
{
    AngleToVectors(angle + 90.0f, u, s);
}

void RestartSample(int slot)
{
    Sample& sample = gEngine->res.samples[slot];
    sample.Stop();
    sample.Play();
}

// The ship's own circles are told from a shot's by the centre of their first circle.
bool IsShipCircles(const CircleList& circles)
{
    const CircleList& hull = gEngine->ship.shape;
    return !circles.empty() && !hull.empty() && circles.front().x == hull.front().x &&
           circles.front().y == hull.front().y;
}

bool ShipLandedNear(const Entity& e, float range)
{
    const PlayerShip& ship = gEngine->ship;
    return ship.landed && Distance(e.x, e.y, ship.x, ship.y) < range;
}

void PlaceAt(Entity& e, float px, float py)
{
    e.x = e.prevX = px;
    e.y = e.prevY = py;
    e.UpdateCollisionPoints();
    e.dead = false;
    e.health = 1.0f;
}

} // namespace

// ---- space man ----

SpaceMan::SpaceMan()
{
    AddCircle(6.0f, 0.0f, 0.0f);
    health = 1.0f;
    feetProbe.emplace_back(2.0f, 0.0f, 0.0f);
}

void SpaceMan::Spawn(float px, float py)
{
    PlaceAt(*this, px, py);
    facing = std::rand() % 2 == 1;
    animationCounter = static_cast<float>(std::rand() % 20) * 0.1f;
    waving = false;
    walkTimer = static_cast<float>(std::rand() % 5 + 3);
}

void SpaceMan::Update()
{
    prevX = x;
    prevY = y;
    Vec2 u;
    Vec2 s;
    UpAndSide(angle, u, s);

    bool near = false;
    if (ShipLandedNear(*this, 100.0f))
    {
        const PlayerShip& ship = gEngine->ship;
        const Vec2 d = Normalize(x - ship.x, y - ship.y);
        facing = d.x * s.x + d.y * s.y >= 0.0f;
        near = true;
    }
    walkTimer -= kTick;
    animationCounter += near ? 0.09f : 0.03f;

    // He either waves or walks in a tick, never both: the counter runs 2..4 while he waves
    // and 0..2 while he walks, which is what picks his drawn pose.
    if (waving)
    {
        if (animationCounter > 4.0f)
            animationCounter -= 2.0f;
        if (walkTimer <= 0.0f)
        {
            waving = false;
            animationCounter = 0.0f;
            walkTimer = static_cast<float>(std::rand() % 5 + 3);
        }
    }
    else
    {
        if (animationCounter > 2.0f)
            animationCounter -= 2.0f;
        const float step = near ? 0.3f : 0.1f;
        const float sign = facing ? -1.0f : 1.0f;
        x += sign * step * s.x;
        y += sign * step * s.y;
        if (walkTimer <= 0.0f)
        {
            walkTimer = 2.5f;
            if (!near)
            {
                animationCounter = 3.0f;
                waving = true;
            }
        }
    }

    UpdateCollisionPoints();
    feetProbe.front().x = x;
    feetProbe.front().y = y;
    Vec2 normal;
    if (!gEngine->CollideWithWalls(feetProbe, normal))
    {
        // Off the edge: he turns back and never falls.
        facing = !facing;
        x = prevX;
        y = prevY;
        UpdateCollisionPoints();
    }
    if (health <= 0.0f)
        Kill();
}

bool SpaceMan::HitTest(CircleList circles, bool flag)
{
    if (!flag || shape.empty())
        return false;
    for (const Circle& circle : circles)
    {
        if (!CirclesOverlap(circle, shape.front()))
            continue;
        if (!IsShipCircles(circles))
            return true;
        // Rescued once: a man already gone is not counted again.
        if (gEngine->ship.landed && !dead)
        {
            dead = true;
            RestartSample(sfx::Pickup);
            gEngine->progress.score += 50;
            gEngine->progress.rescued += 1;
        }
        return false;
    }
    return false;
}

void SpaceMan::Kill()
{
    RestartSample(sfx::KillSpaceman);
    dead = true;
}

// ---- fuel pod ----

FuelPod::FuelPod()
{
    AddCircle(15.0f, 0.0f, -13.0f);
    health = 1.0f;
    points = 15;
}

void FuelPod::Spawn(float px, float py)
{
    PlaceAt(*this, px, py);
    fuelLeft = 100.0f;
}

void FuelPod::Update()
{
    const PlayerShip& ship = gEngine->ship;
    if (!ship.landed && !ship.exploded && ship.inPlay &&
        gEngine->input[ButtonFire2].value == ButtonState::Held &&
        Distance(x, y, ship.x, ship.y) < 100.0f)
    {
        fuelLeft -= 0.1f;
        gEngine->ship.fuel += 0.15f;
        StreamFuel();
        if (fuelLeft <= 0.0f)
        {
            gEngine->progress.score += points;
            Kill();
            return; // one burst, whatever else hit it this tick
        }
    }
    if (health <= 0.0f)
        Kill();
}

// The ship's fuel stream emitter is owned by the emitter list, which may have deleted it
// (a cleared level) or never have had it (a ship not yet spawned): it is used only while the
// list still holds it.
void FuelPod::StreamFuel()
{
    FuelStreamEmitter* stream = gEngine->ship.fuelEmitter;
    if (stream == nullptr || shape.empty())
        return;
    const std::list<Emitter*>& emitters = gEngine->effects.emitters;
    if (std::find(emitters.begin(), emitters.end(), stream) == emitters.end())
        return;
    if (stream->timer > 0.0f)
        return;
    stream->Emit();
    if (stream->particles.empty())
        return;
    const float oy = static_cast<float>(std::rand() % 20 - 10);
    const float ox = static_cast<float>(std::rand() % 20 - 10);
    Particle& p = stream->particles.back();
    p.x = p.prevX = shape.front().x + ox;
    p.y = p.prevY = shape.front().y + oy;
}

void FuelPod::Kill()
{
    dead = true;
    RestartSample(sfx::Explode2);
    Emitter* burst = new (std::nothrow) BlueExplosionEmitter;
    if (burst != nullptr)
        AddEmitter(burst, x, y);
}

// ---- beacon ----

Beacon::Beacon()
{
    AddCircle(25.0f, 0.0f, -25.0f);
    health = 1.0f;
}

void Beacon::Spawn(float px, float py)
{
    PlaceAt(*this, px, py);
    activated = false;
    tickCounter = 0;
}

void Beacon::Update()
{
    prevX = x;
    prevY = y;
    ++tickCounter;
}

bool Beacon::HitTest(CircleList circles, bool flag)
{
    if (!flag || shape.empty() || gEngine->ship.shape.empty())
        return false;
    const Circle& hull = gEngine->ship.shape.front();
    for (const Circle& circle : circles)
    {
        if (circle.x != hull.x || circle.y != hull.y || !CirclesOverlap(circle, shape.front()))
            continue;
        if (!activated)
        {
            activated = true;
            gEngine->ship.respawnX = x;
            gEngine->ship.respawnY = y;
            RestartSample(sfx::Beacon);
        }
        break;
    }
    return false;
}

// ---- force ----

Force::Force()
{
    health = 99999.0f;
}

bool Force::Load(DataFile& file)
{
    return LoadBase(file) && ReadInt32(file, radius);
}

void Force::Spawn(float px, float py)
{
    x = prevX = px;
    y = prevY = py;
    dead = false;
    shape.clear();
    AddCircle(static_cast<float>(radius), 0.0f, 0.0f);
    UpdateCollisionPoints();
    health = 99999.0f;
    Vec2 u;
    Vec2 s;
    UpAndSide(angle, u, s);
    pushDirection = u;
    ForceEmitter* stream = new (std::nothrow) ForceEmitter;
    if (stream != nullptr)
    {
        stream->force = this;
        AddEmitter(stream, x, y);
    }
}

void Force::Update()
{
    prevX = x;
    prevY = y;
    Vec2 u;
    Vec2 s;
    UpAndSide(angle, u, s);
    pushDirection = u;
    PlayerShip& ship = gEngine->ship;
    if (ship.inPlay && !ship.exploded && !ship.landed &&
        PointInCircle(ship.x, ship.y, Circle(static_cast<float>(radius), x, y)))
    {
        ship.vx -= 0.01f * u.x;
        ship.vy -= 0.01f * u.y;
    }
}

bool Force::HitTest(CircleList, bool)
{
    return false;
}
