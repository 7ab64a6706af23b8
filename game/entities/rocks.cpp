#include "game/entities/rocks.h"

#include "engine/map_format.h"
#include "game/effects/emitters.h"
#include "game/engine.h"

#include <cstdlib>
#include <new>

namespace
{

constexpr float kTick = 0.01f;

// Dead, with the Explode2 sample restarted when `loud`, and the bursts where it stood.
void Burst(Entity& e, bool loud, Emitter* first, Emitter* second = nullptr)
{
    e.dead = true;
    if (loud)
    {
        Sample& sample = gEngine->res.samples[sfx::Explode2];
        sample.Stop();
        sample.Play();
    }
    for (Emitter* emitter : {first, second})
    {
        if (emitter != nullptr)
            AddEmitter(emitter, e.x, e.y);
    }
}

} // namespace

// ---- rocks and trees ----

Rock::Rock() : Rock(12.0f, 0.0f) {}

Rock::Rock(float radius, float offsetY)
{
    AddCircle(radius, 0.0f, offsetY);
    health = 1.0f;
    points = 5;
}

void Rock::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
}

void Rock::Update()
{
    prevX = x;
    prevY = y;
    if (health <= 0.0f)
        Kill();
}

void Rock::Kill()
{
    Burst(*this, true, new (std::nothrow) OrangeExplosionEmitter, new (std::nothrow) ImpactEmitter);
}

Tree::Tree() : Rock(5.0f, -5.0f) {}

void Tree::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    health = 1.0f;
}

void Tree::Kill()
{
    Burst(*this, true, new (std::nothrow) ImpactEmitter);
}

// ---- depth charge ----

DepthCharge::DepthCharge()
{
    AddCircle(7.0f, 0.0f, 0.0f);
    health = 1.0f;
    points = 10;
}

void DepthCharge::Spawn(float px, float py)
{
    angle = 0.0f; // it always floats upright, whatever the map says
    Entity::Spawn(px, py);
    health = 1.0f;
    direction = std::rand() % 2 == 1;
}

void DepthCharge::Update()
{
    if (health <= 0.0f)
    {
        Kill();
        return;
    }
    prevX = x;
    prevY = y;
    x += direction ? 0.1f : -0.1f;
    UpdateCollisionPoints();
    Vec2 normal;
    if (!gEngine->CollideWithWalls(shape, normal))
        return;
    direction = !direction;
    x = prevX;
    y = prevY;
    UpdateCollisionPoints();
}

void DepthCharge::Kill()
{
    Burst(*this, true, new (std::nothrow) ImpactEmitter);
}

// ---- volcano ----

Volcano::Volcano()
{
    health = 9999.0f;
}

void Volcano::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    throwTimer = 0.0f;
    health = 9999.0f;
}

void Volcano::Update()
{
    prevX = x;
    prevY = y;
    throwTimer -= kTick;
    if (throwTimer <= 0.0f)
        ThrowDebris();
}

bool Volcano::HitTest(CircleList, bool)
{
    return false;
}

void Volcano::ThrowDebris()
{
    throwTimer = static_cast<float>(std::rand() % 10) * 0.1f + 0.4f;
    Vec2 u;
    Vec2 s;
    AngleToVectors(angle + 90.0f, u, s);
    if (Emitter* sparks = new (std::nothrow) DebrisEmitter(-u.x, -u.y))
        AddEmitter(sparks, x, y);

    float speed = (static_cast<float>(std::rand() % 30) * 0.1f + 1.0f) * 1.5f;
    const float side = (static_cast<float>(std::rand() % 10) * 0.1f - 0.5f) * 2.5f;
    auto* debris = static_cast<VolcanoDebris*>(
        CreateEntity(static_cast<std::int32_t>(EntityKind::VolcanoDebris)));
    if (debris == nullptr)
        return;
    debris->Spawn(x, y);
    speed = speed < 2.0f ? 2.0f : (speed > 5.0f ? 5.0f : speed);
    debris->velocity = Vec2(-speed * u.x + side * s.x, -speed * u.y + side * s.y);
    debris->modelVariant = std::rand() % 3;
    gEngine->level.entities.push_back(debris);
}

// ---- debris ----

VolcanoDebris::VolcanoDebris()
{
    type = static_cast<std::int32_t>(EntityKind::VolcanoDebris);
    AddCircle(5.0f, 0.0f, 0.0f);
    health = 1.0f;
    points = 5;
}

void VolcanoDebris::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    spin = static_cast<float>(std::rand() % 10) * 0.5f - 5.0f;
}

void VolcanoDebris::Update()
{
    prevX = x;
    prevY = y;
    x += velocity.x;
    y += velocity.y;
    velocity.y += 0.07f;
    if (velocity.y > 5.0f)
        velocity.y = 5.0f;
    angle += spin;
    gEngine->WrapAroundMap(x, prevX);
    UpdateCollisionPoints();
    Vec2 normal;
    if (health <= 0.0f || gEngine->CollideWithWalls(shape, normal))
    {
        Kill();
        return;
    }
    // Falling beneath the lowest wall: nothing is left to stop it, and nobody sees it go.
    if (y > gEngine->level.maxY && velocity.y > 0.0f)
        dead = true;
}

void VolcanoDebris::Kill()
{
    Burst(*this, false, new (std::nothrow) ImpactEmitter);
}
