// The steering enemies: HomingMissile (placed in maps), and the kinds made only during play,
// LaunchedMissile, Seeker and Wasp (no fields of their own; the factory refuses Seeker).
//
// The homing missile waits until a range check finds the ship within 200 units, releases a
// LaunchedMissile with its angle and leaves the list on its next update with no explosion;
// its health drops to -1000 at the release, so a shot that reaches it in that step pays
// nothing. The three flying kinds burn out after 1500 ticks (health is their life), wrap
// horizontally and die on a wall. A seeker follows the waypoints the ship leaves every
// 1.5 s; the launched missile and the wasp turn their nose towards the ship, and the wasp
// fires at it every 0.5 s while it is awake (ship within 300 units).
//
// Steering across the horizontal wrap: when the thing and its target lie more than half a
// map width apart horizontally, it steers from its image one map width over. Velocities,
// headings and the trail point start at rest, also for the kinds read from a map.
//
// The launched missile's trail is owned by the Engine's emitter list. Its Kill stops the
// trail (the particles fade out) and drops the pointer; the trail lets go of the missile
// itself when the missile is reaped. So neither reads the other once it is gone.
#pragma once

#include "game/entity.h"

class Emitter;

class HomingMissile : public Entity
{
public:
    HomingMissile();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    float rangeCheckTimer = 0.0f;
    bool launched = false;
};

class LaunchedMissile : public Entity
{
public:
    LaunchedMissile();
    // Also starts the trail, following the trail point and the angle.
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    Vec2 velocity;
    Vec2 trailPoint;
    Emitter* trail = nullptr; // owned by the Engine's emitter list; null once stopped
};

class Seeker : public Entity
{
public:
    Seeker();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    Vec2 velocity;
    std::list<Vec2> waypoints; // oldest first
    float waypointTimer = 0.0f;
};

class Wasp : public Entity
{
public:
    Wasp();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    float rangeCheckTimer = 0.0f;
    bool awake = false;
    Vec2 velocity;
    float heading = 0.0f; // degrees; the drawn angle spins separately
    float fireTimer = 0.0f;
};
