// The named and targeting kinds that make a sector's switches: ForceField, Button,
// AreaTrigger and TargetInfo. Names and targets come from the map as 16-byte fields;
// Engine::LinkEntities fills the pointer lists, which own nothing.
#pragma once

#include "game/entity.h"
#include "game/map_format.h"

class ForceField : public Entity
{
public:
    ForceField();
    bool Load(DataFile& file) override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    // Off: comes on (for the on time, or for good when it is 0) with a beam to each partner,
    // or one beam along -u without partners. On: only a field with on time 0 goes off.
    void Switch();

    char name[kNameSize] = "none";
    char target[kNameSize] = "target";
    float offTime = 3.0f;
    float onTime = 3.0f;
    float startupDelay = 0.0f;
    float switchTimer = 0.0f;
    bool on = false;
    Vec2 emitterPoint;
    Vec2 direction;
    std::vector<Entity*> partners;

private:
    void AddBeams(float life);
};

class Button : public Entity
{
public:
    Button();
    bool Load(DataFile& file) override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    char target[kNameSize] = "target";
    bool guard = true;
    float rearmTimer = 0.0f;
    std::vector<Entity*> targets;
};

class AreaTrigger : public Entity
{
public:
    AreaTrigger();
    bool Load(DataFile& file) override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    std::int32_t radius = 0;
    char target[kNameSize] = "target";
    bool touched = false;
    bool guard = true;
    float rearmTimer = 0.0f;
    std::vector<Entity*> targets;
};

class TargetInfo : public Entity
{
public:
    TargetInfo();
    bool Load(DataFile& file) override;

    char name[kNameSize] = "none";
};
