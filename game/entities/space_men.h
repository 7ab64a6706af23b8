// The kinds that help or steer the player: SpaceMan, FuelPod, Beacon and Force. Only the
// Force has a field of its own in a map (its radius).
#pragma once

#include "game/entity.h"

class SpaceMan : public Entity
{
public:
    SpaceMan();

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

    float fuelLeft = 100.0f;
};

class Beacon : public Entity
{
public:
    Beacon();
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
    // Nothing ever hits a force.
    bool HitTest(CircleList circles, bool flag = true) override;

    Vec2 pushDirection;
    std::int32_t radius = 0;
};
