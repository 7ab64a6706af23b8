// The shooting defenders: BlueTurret, RedTurret (which spawns as a BlueTurret), GreenTurret
// and BlueTank. None has fields of its own in a map; all load the common part only.
//
// Each sleeps until a range check (once a second) finds the ship near, then counts its fire
// timer down only while awake and while the ship is in play. The blue turret shoots at the
// ship, the red one launches a Seeker, the green one releases one Wasp and falls asleep
// again, and the tank fires bursts of five falling shots while it patrols its floor between
// the points where a feeler loses the ground. Kills award nothing here: the shot that
// brings health to 0 scores.
#pragma once

#include "game/entity.h"

class BlueTurret : public Entity
{
public:
    BlueTurret();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    float rangeCheckTimer = 1.0f;
    bool awake = false;
    float fireTimer = 0.0f;
};

// A blue turret that launches seekers; it spawns exactly as the blue turret does.
class RedTurret : public BlueTurret
{
public:
    RedTurret();
    void Update() override;
    void Kill() override;
};

class GreenTurret : public Entity
{
public:
    GreenTurret();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    float rangeCheckTimer = 1.0f;
    bool awake = false;
    float fireTimer = 0.0f;
};

class BlueTank : public Entity
{
public:
    BlueTank();
    // Places the feelers with the shape.
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    float rangeCheckTimer = 1.0f;
    bool awake = false;
    float fireTimer = 0.0f;
    int shotCounter = 0;
    bool direction = false; // true: moves along +s
    CircleList leftFeeler;
    CircleList rightFeeler;

private:
    void PlaceCircles();
};
