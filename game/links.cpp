// Entity links: names and targets resolved after each map load, in list (file) order.
// Nothing links back: a target does not learn who points at it.
#include "engine/collision.h"
#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entities/platform.h"
#include "game/entities/rocks.h"
#include "game/entities/rotator.h"
#include "game/entities/space_men.h"
#include "game/entities/switches.h"
#include "game/entity.h"

#include <cstring>

namespace
{

// The name a Button or AreaTrigger target is compared with: only force fields, rotators and
// platforms have one.
EntityKind KindOf(const Entity* entity)
{
    return static_cast<EntityKind>(entity->type);
}

const char* SwitchableName(const Entity* entity)
{
    switch (KindOf(entity))
    {
    case EntityKind::ForceField:
        return static_cast<const ForceField*>(entity)->name;
    case EntityKind::Rotator:
        return static_cast<const Rotator*>(entity)->name;
    case EntityKind::MovingPlatform:
        return static_cast<const MovingPlatform*>(entity)->name;
    default:
        return "";
    }
}

const char* TargetInfoName(const Entity* entity)
{
    if (KindOf(entity) == EntityKind::TargetInfo)
        return static_cast<const TargetInfo*>(entity)->name;
    return "";
}

void LinkTargets(const std::list<Entity*>& entities, const Entity* self, const char* target,
                 std::vector<Entity*>& targets)
{
    for (Entity* other : entities)
    {
        if (other != self && std::strcmp(SwitchableName(other), target) == 0)
            targets.push_back(other);
    }
}

void LinkForceField(const std::list<Entity*>& entities, ForceField* field)
{
    for (Entity* other : entities)
    {
        if (other == field || KindOf(other) != EntityKind::ForceField)
            continue;
        auto partner = static_cast<ForceField*>(other);
        if (std::strcmp(partner->name, field->target) == 0)
            field->partners.push_back(partner);
    }
    // On for good from the start; an activation switches it off for its off time.
    if (field->onTime == 0.0f && field->offTime != 0.0f)
        field->Switch();
}

void LinkRotator(const std::list<Entity*>& entities, std::vector<Beam>& walls, Rotator* rotator)
{
    const Circle reach(static_cast<float>(rotator->radius), rotator->x, rotator->y);
    for (Entity* other : entities)
    {
        if (other == rotator)
            continue;
        bool carried = other->HitTest(CircleList{reach});
        // Forces and volcanoes are never hit, yet they turn with the walls they sit on.
        if (!carried)
        {
            if (KindOf(other) == EntityKind::Force)
            {
                auto force = static_cast<const Force*>(other);
                carried = CirclesOverlap(
                    Circle(static_cast<float>(force->radius), force->x, force->y), reach);
            }
            else if (KindOf(other) == EntityKind::Volcano)
                carried = CirclesOverlap(Circle(20.0f, other->x, other->y), reach);
        }
        if (carried)
            rotator->carriedEntities.push_back(other);
    }
    for (Beam& wall : walls)
    {
        if (CircleHitsSegment(wall, reach))
            rotator->carriedWalls.push_back(&wall);
    }
    rotator->AttachWalls();
}

void LinkPlatform(const std::list<Entity*>& entities, std::vector<Beam>& walls,
                  MovingPlatform* platform)
{
    const Circle reach(static_cast<float>(platform->radius), platform->x, platform->y);
    for (Entity* other : entities)
    {
        if (other == platform)
            continue;
        if (other->HitTest(CircleList{reach}))
            platform->carriedEntities.push_back(other);
        // A later TargetInfo of the same name replaces an earlier one.
        const char* name = TargetInfoName(other);
        if (std::strcmp(name, platform->startTarget) == 0)
            platform->startPoint = other;
        if (std::strcmp(name, platform->endTarget) == 0)
            platform->endPoint = other;
    }
    for (Beam& wall : walls)
    {
        if (CircleHitsSegment(wall, reach))
            platform->carriedWalls.push_back(&wall);
    }
    platform->AttachWalls();
}

} // namespace

void Engine::LinkEntities()
{
    for (Entity* entity : level.entities)
    {
        switch (KindOf(entity))
        {
        case EntityKind::ForceField:
            LinkForceField(level.entities, static_cast<ForceField*>(entity));
            break;
        case EntityKind::Rotator:
            LinkRotator(level.entities, level.walls, static_cast<Rotator*>(entity));
            break;
        case EntityKind::Button:
        {
            auto button = static_cast<Button*>(entity);
            LinkTargets(level.entities, button, button->target, button->targets);
            break;
        }
        case EntityKind::AreaTrigger:
        {
            auto trigger = static_cast<AreaTrigger*>(entity);
            LinkTargets(level.entities, trigger, trigger->target, trigger->targets);
            break;
        }
        case EntityKind::MovingPlatform:
            LinkPlatform(level.entities, level.walls, static_cast<MovingPlatform*>(entity));
            break;
        default:
            break;
        }
    }
}
