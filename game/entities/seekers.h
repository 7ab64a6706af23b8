// The steering enemies: HomingMissile (placed in maps), and the kinds made only during play,
// LaunchedMissile, Seeker and Wasp (no fields of their own; the factory refuses Seeker).
#pragma once

#include "game/entity.h"

class Emitter;

class HomingMissile : public Entity
{
public:
    HomingMissile();

    float rangeCheckTimer = 0.0f;
    bool launched = false;
};

class LaunchedMissile : public Entity
{
public:
    LaunchedMissile();

    Vec2 velocity;
    Vec2 trailPoint;
    Emitter* trail = nullptr; // owned by the Engine's emitter list
};

class Seeker : public Entity
{
public:
    Seeker();

    Vec2 velocity;
    std::list<Vec2> waypoints; // oldest first
    float waypointTimer = 0.0f;
};

class Wasp : public Entity
{
public:
    Wasp();

    float rangeCheckTimer = 0.0f;
    bool awake = false;
    Vec2 velocity;
    float heading = 0.0f; // degrees; the drawn angle spins separately
    float fireTimer = 0.0f;
};
