// The Rotator: turns walls, the entities among them and a landed ship about its position,
// continuously (increments 0) or by increments degrees per activation. Invisible, no shape.
// Engine::LinkEntities fills its carried lists, then calls AttachWalls.
#pragma once

#include "game/entity.h"
#include "game/map_format.h"

class Rotator : public Entity
{
public:
    Rotator();
    bool Load(DataFile& file) override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    // Once after linking: enters every carried wall into each grid cell it can sweep while
    // turning, so the collision tests find it at any angle.
    void AttachWalls();

    char name[kNameSize] = "none";
    float speed = 0.0f; // degrees a tick
    std::int32_t increments = 0;
    std::int32_t radius = 0;
    std::vector<Entity*> carriedEntities;
    std::vector<Beam*> carriedWalls;
};
