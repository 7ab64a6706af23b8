// The named and targeting kinds that make a sector's switches: ForceField, Button,
// AreaTrigger and TargetInfo. Names and targets come from the map as 16-byte fields;
// Engine::LinkEntities fills the pointer lists, which own nothing.
//
// A force field's beams follow its `emitterPoint` and `direction` (and a partner's emitter
// point); Spawn computes both, so a field switched at link time, before its first Update,
// already shoots from the right place. The beams go with the field when it is deleted
// (Engine::DropDeadLinks).
//
// Buttons and triggers activate their targets through the virtual Activate; a hit in the
// tick of their spawn (before their first Update) activates nothing, and a second one within
// 1.0 s of the last does nothing either.
#pragma once

#include "engine/map_format.h"
#include "game/entity.h"

class ForceField : public Entity
{
public:
    ForceField();
    bool Load(DataFile& file) override;
    void Spawn(float px, float py) override;
    // Counts the switch timer down: blinks by the on and off times (on for good after the
    // off time when the on time is 0).
    void Update() override;
    // Plays ButtonAccess, then Switch.
    void Activate() override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    // Off: comes on (for the on time, or for good when it is 0) with a beam to each partner,
    // or one beam along -u without partners. On: only a field with on time 0 goes off, and
    // its beams end at once.
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
    // direction := u of the angle; emitter point := position - 10 u.
    void PlaceEmitter();
    void AddBeams(float life);
};

class Button : public Entity
{
public:
    Button();
    bool Load(DataFile& file) override;
    void Spawn(float px, float py) override;
    void Update() override;
    // With `flag` set: true at the first of the circles that overlaps the button, which is
    // then pressed (unless in its spawn tick).
    bool HitTest(CircleList circles, bool flag = true) override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    char target[kNameSize] = "target";
    bool guard = true;
    float rearmTimer = 0.0f;
    std::vector<Entity*> targets;

private:
    void Press();
};

class AreaTrigger : public Entity
{
public:
    AreaTrigger();
    bool Load(DataFile& file) override;
    void Spawn(float px, float py) override;
    void Update() override;
    // Only the ship's own circle counts (the one centred where the ship's first circle is);
    // a list without it changes nothing. Always false: a trigger stops nothing.
    bool HitTest(CircleList circles, bool flag = true) override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    std::int32_t radius = 0;
    char target[kNameSize] = "target";
    bool touched = false;
    bool guard = true;
    float rearmTimer = 0.0f;
    std::vector<Entity*> targets;

private:
    void Fire();
};

class TargetInfo : public Entity
{
public:
    TargetInfo();
    bool Load(DataFile& file) override;
    void Spawn(float px, float py) override;
    // Heals itself: nothing destroys a target point in play.
    void Update() override;

    char name[kNameSize] = "none";
};
