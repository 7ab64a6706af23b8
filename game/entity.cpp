#include "game/entity.h"

#include "engine/collision.h"
#include "game/engine.h"
#include "game/entities/platform.h"
#include "game/entities/reactor.h"
#include "game/entities/rocks.h"
#include "game/entities/rotator.h"
#include "game/entities/seekers.h"
#include "game/entities/space_men.h"
#include "game/entities/switches.h"
#include "game/entities/turrets.h"
#include "game/map_format.h"

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

Entity* CreateEntity(std::int32_t type)
{
    // Compared as unsigned: negative codes are as unknown as those above 24.
    switch (static_cast<std::uint32_t>(type))
    {
    case 0:
        return new (std::nothrow) BlueTurret;
    case 1:
        return new (std::nothrow) ForceField;
    case 2:
        return new (std::nothrow) Button;
    case 3:
        return new (std::nothrow) Force;
    case 4:
        return new (std::nothrow) FuelPod;
    case 5:
        return new (std::nothrow) SpaceMan;
    case 6:
        if (gEngine != nullptr)
            ++gEngine->generatorCount;
        return new (std::nothrow) Generator;
    case 7:
        return new (std::nothrow) BlueTank;
    case 8:
        return new (std::nothrow) RedTurret;
    case 9:
        return new (std::nothrow) DepthCharge;
    case 10:
        return new (std::nothrow) Rotator;
    case 11:
        return new (std::nothrow) AreaTrigger;
    case 12:
        return new (std::nothrow) Tree;
    case 13:
        return new (std::nothrow) Rock;
    case 14:
    {
        Rock* rock = new (std::nothrow) Rock;
        if (rock != nullptr)
        {
            rock->health = 3.0f;
            rock->shape.front().radius = 20.0f;
        }
        return rock;
    }
    case 15:
        return new (std::nothrow) Volcano;
    case 16:
        return new (std::nothrow) HomingMissile;
    case 17:
        return new (std::nothrow) GreenTurret;
    case 18:
        return new (std::nothrow) MovingPlatform;
    case 19:
        return new (std::nothrow) TargetInfo;
    case 20:
        return new (std::nothrow) Beacon;
    case 22:
        return new (std::nothrow) VolcanoDebris;
    case 23:
        return new (std::nothrow) LaunchedMissile;
    case 24:
        return new (std::nothrow) Wasp;
    default: // 21 (a Seeker is only launched by a turret) and unknown codes
        return nullptr;
    }
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
