// PlayerShip: the player's craft, an Entity held by value in the Engine (never in the entity
// list). Each playing step calls Update, which turns the input into push, turning, laser and
// shield, applies gravity and drag, wraps the ship around the map, lands it on flat ground
// and ends the sector when it climbs above y -600. The playing state tests the hull against
// walls, entities and shots and calls Kill.
//
// Input feel: the engine pushes only while FIRE is Held (not on the step it is Pressed);
// turning needs LEFT/RIGHT Held; the laser and the shield react to Pressed or Held.
//
// `fuelEmitter` points into the Engine's emitter list, which owns it; the Engine clears the
// pointer whenever it deletes its emitters, so readers check it for null.
#pragma once

#include "game/entity.h"

class FuelStreamEmitter;

class PlayerShip : public Entity
{
public:
    PlayerShip();

    // Puts the ship into play at (px, py), or landed 12 units above its respawn point.
    void Spawn(float px, float py) override;
    // One 0.01 s tick.
    void Update() override;
    // Destroys the ship: one life. A ship already exploded is left as it is.
    void Kill() override;
    // Takes the ship out of play at its respawn point (or (0, -300) without one).
    void Respawn();
    // True when any circle overlaps the shield circle; restarts the ShieldReflect sample.
    bool HitTestWithSound(CircleList circles);

    float vx = 0.0f, vy = 0.0f;
    float prevAngle = 0.0f;
    bool inPlay = false;
    bool landed = false;
    bool leaving = false;
    bool exploded = false;
    float explosionTimer = 0.0f;
    bool engineSoundOn = false;
    float engineFade = 0.0f;
    float turnRate = 0.0f;
    float fuel = 0.0f;
    std::int32_t laserCounter = 0;
    bool shieldOn = false;
    float ringAngle = 0.0f, prevRingAngle = 0.0f;
    std::int32_t frame = 0;
    CircleList leftLeg;
    CircleList rightLeg;
    CircleList shield;
    FuelStreamEmitter* fuelEmitter = nullptr;
    float respawnX = 0.0f, respawnY = 0.0f;
    float stepTimer = 0.0f;

private:
    // The steps of Update; `d` is the facing and `p` the side at the start of the tick.
    void Thrust(const Vec2& d);
    void Turn();
    void Wrap();
    void PlaceCircles(const Vec2& d, const Vec2& p);
    void TryLanding();
    void FireLaser(const Vec2& d);
    void UpdateShield();
    void CheckSectorExit();
};
