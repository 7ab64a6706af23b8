// The kinds that help or steer the player: SpaceMan, FuelPod, Beacon and Force. Only the
// Force has a field of its own in a map (its radius).
//
// A space man strolls his ledge (never off it), walks towards a ship landed near him and
// waves between strolls; a landed ship touching him rescues him (+50, once); a shot kills
// him without a burst. A fuel pod feeds a hovering ship that holds its shield within 100
// units and pays its points when drained. A beacon's first touch by the ship makes it the
// ship's respawn point. A force pushes a flying ship inside its circle along -u.
#pragma once

#include "game/entity.h"

class SpaceMan : public Entity
{
public:
    SpaceMan();
    void Spawn(float px, float py) override;
    void Update() override;
    // Shots (any list that is not the ship's own circles) hit him; the ship's circles
    // rescue him when it is landed, and never count as a hit.
    bool HitTest(CircleList circles, bool flag = true) override;
    void Kill() override;

    bool facing = false;
    float animationCounter = 0.0f;
    float walkTimer = 0.0f;
    bool waving = false;
    CircleList feetProbe;
};

class FuelPod : public Entity
{
public:
    FuelPod();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    float fuelLeft = 100.0f;

private:
    void StreamFuel();
};

class Beacon : public Entity
{
public:
    Beacon();
    void Spawn(float px, float py) override;
    void Update() override;
    // Only the ship's own circles can touch a beacon, and nothing is stopped by one: the
    // result is always false.
    bool HitTest(CircleList circles, bool flag = true) override;

    bool activated = false;
    int tickCounter = 0;
};

class Force : public Entity
{
public:
    Force();
    bool Load(DataFile& file) override;
    // Also starts the force's stream of particles. A radius of 0 (which the editor allows)
    // makes a force that pushes nothing and streams from its centre.
    void Spawn(float px, float py) override;
    void Update() override;
    // Nothing ever hits a force.
    bool HitTest(CircleList circles, bool flag = true) override;

    Vec2 pushDirection;
    std::int32_t radius = 0;
};
