// The shooting defenders: BlueTurret, RedTurret (which spawns as a BlueTurret), GreenTurret
// and BlueTank. None has fields of its own in a map; all load the common part only.
#pragma once

#include "game/entity.h"

class BlueTurret : public Entity
{
public:
    BlueTurret();

    float rangeCheckTimer = 1.0f;
    bool awake = false;
    float fireTimer = 0.0f;
};

// A blue turret that launches seekers; it spawns exactly as the blue turret does.
class RedTurret : public BlueTurret
{
public:
    RedTurret();
};

class GreenTurret : public Entity
{
public:
    GreenTurret();

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

    float rangeCheckTimer = 1.0f;
    bool awake = false;
    float fireTimer = 0.0f;
    int shotCounter = 0;
    bool direction = false; // true: moves along +s
    CircleList leftFeeler;
    CircleList rightFeeler;
};
