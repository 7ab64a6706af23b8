#include "game/entity.h"

#include "engine/collision.h"
#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entities/platform.h"
#include "game/entities/reactor.h"
#include "game/entities/rocks.h"
#include "game/entities/rotator.h"
#include "game/entities/seekers.h"
#include "game/entities/space_men.h"
#include "game/entities/switches.h"
#include "game/entities/turrets.h"

#include <algorithm>
#include <new>

bool Entity::Load(DataFile& file)
{
    return LoadBase(file);
}

bool Entity::LoadBase(DataFile& file)
{
    return ReadFloat32(file, angle) && ReadFloat32(file, x) && ReadFloat32(file, y);
}

bool Entity::HitTest(CircleList circles, bool)
{
    for (const Circle& theirs : circles)
    {
        for (const Circle& ours : shape)
        {
            if (CirclesOverlap(theirs, ours))
                return true;
        }
    }
    return false;
}

void Entity::Kill()
{
    dead = true;
}

void Entity::Activate() {}

void Entity::ForgetEntities(const std::vector<const Entity*>&) {}

void Entity::UpdateCollisionPoints()
{
    ::UpdateCollisionPoints(shape, angle, x, y);
}

void Entity::Spawn(float px, float py)
{
    x = prevX = px;
    y = prevY = py;
    UpdateCollisionPoints();
    dead = false;
}

void Entity::Update()
{
    prevX = x;
    prevY = y;
}

void Entity::AddCircle(float radius, float offsetX, float offsetY)
{
    shape.emplace_back(radius, 0.0f, 0.0f, offsetX, offsetY);
}

void UpdateCollisionPoints(CircleList& circles, float angle, float x, float y)
{
    if (circles.empty())
        return;
    Vec2 u;
    Vec2 v;
    AngleToVectors(angle + 90.0f, u, v);
    for (Circle& circle : circles)
    {
        circle.x = x + circle.offsetY * u.x + circle.offsetX * v.x;
        circle.y = y + circle.offsetY * u.y + circle.offsetX * v.y;
    }
}

namespace
{

Entity* NewEntityOfKind(std::int32_t type)
{
    switch (static_cast<EntityKind>(type))
    {
    case EntityKind::BlueTurret:
        return new (std::nothrow) BlueTurret;
    case EntityKind::ForceField:
        return new (std::nothrow) ForceField;
    case EntityKind::Button:
        return new (std::nothrow) Button;
    case EntityKind::Force:
        return new (std::nothrow) Force;
    case EntityKind::FuelPod:
        return new (std::nothrow) FuelPod;
    case EntityKind::SpaceMan:
        return new (std::nothrow) SpaceMan;
    case EntityKind::Generator:
        return new (std::nothrow) Generator;
    case EntityKind::BlueTank:
        return new (std::nothrow) BlueTank;
    case EntityKind::RedTurret:
        return new (std::nothrow) RedTurret;
    case EntityKind::DepthCharge:
        return new (std::nothrow) DepthCharge;
    case EntityKind::Rotator:
        return new (std::nothrow) Rotator;
    case EntityKind::AreaTrigger:
        return new (std::nothrow) AreaTrigger;
    case EntityKind::Tree:
        return new (std::nothrow) Tree;
    case EntityKind::Rock:
        return new (std::nothrow) Rock;
    case EntityKind::LargeRock:
    {
        Rock* rock = new (std::nothrow) Rock;
        if (rock != nullptr)
        {
            rock->health = 3.0f;
            rock->shape.front().radius = 20.0f;
        }
        return rock;
    }
    case EntityKind::Volcano:
        return new (std::nothrow) Volcano;
    case EntityKind::HomingMissile:
        return new (std::nothrow) HomingMissile;
    case EntityKind::GreenTurret:
        return new (std::nothrow) GreenTurret;
    case EntityKind::MovingPlatform:
        return new (std::nothrow) MovingPlatform;
    case EntityKind::TargetInfo:
        return new (std::nothrow) TargetInfo;
    case EntityKind::Beacon:
        return new (std::nothrow) Beacon;
    case EntityKind::VolcanoDebris:
        return new (std::nothrow) VolcanoDebris;
    case EntityKind::LaunchedMissile:
        return new (std::nothrow) LaunchedMissile;
    case EntityKind::Wasp:
        return new (std::nothrow) Wasp;
    case EntityKind::Seeker: // only ever launched by a red turret, never read from a map
        break;
    }
    return nullptr; // and every code outside 0..24
}

} // namespace

Entity* CreateEntity(std::int32_t type)
{
    Entity* entity = NewEntityOfKind(type);
    if (entity != nullptr)
        entity->type = type;
    return entity;
}

bool UpdateEntityReapDead(Entity* entity)
{
    entity->Update();
    return entity->dead;
}

bool EntityIsDead(const Entity* entity)
{
    return entity->dead || entity->health <= 0.0f;
}

void ForgetIn(std::vector<Entity*>& list, const std::vector<const Entity*>& gone)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&gone](const Entity* e)
                              { return std::find(gone.begin(), gone.end(), e) != gone.end(); }),
               list.end());
}

void ForgetIn(Entity*& pointer, const std::vector<const Entity*>& gone)
{
    if (std::find(gone.begin(), gone.end(), pointer) != gone.end())
        pointer = nullptr;
}
