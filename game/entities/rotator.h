// The Rotator: turns walls, the entities among them and a landed ship about its position,
// continuously (increments 0) or by increments degrees per activation. Invisible, no shape.
// Engine::LinkEntities fills its carried lists, then calls AttachWalls.
//
// The entity angle holds the degrees turned so far in a stepped turn; a stepped turn ends
// when it passes the increments. Turned walls are rebuilt, so they keep their length and
// their normal turns with them. A landed ship within the radius turns too; pressing the
// engine action while it rides launches it with the turn's motion of that tick.
#pragma once

#include "engine/map_format.h"
#include "game/entity.h"

class Rotator : public Entity
{
public:
    Rotator();
    bool Load(DataFile& file) override;
    void Spawn(float px, float py) override;
    void Update() override;
    // Stepped: starts a turn (ButtonAccess). Continuous: reverses (ButtonAccess restarted);
    // ButtonDenied when its angle is not 0.
    void Activate() override;
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
