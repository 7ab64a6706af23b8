// Shots: the steps of the `Projectile` records the Engine keeps by value in its player-shot
// and enemy-shot lists. A shooter makes a local record, gives it an init and an update step
// (`Projectile::SetCallbacks`), runs the init through the stored pointer and appends it; the
// helper `FireProjectile` does exactly that. Pairs in use: LaserShotInit + LaserShotUpdate
// (the ship, player list); EnemyShotInit + EnemyShotUpdate (turrets, wasps) and
// EnemyShotInit + EnemyBulletUpdate (the tank), enemy list.
//
// Each update moves the shot, wraps it around the map's width (never when the map has no
// width), and ends it on a wall (a debris burst and the StageReflect sample, no impact) or
// when its 3 s of life run out or something else finished it (an impact burst).
#pragma once

#include "game/effects.h"

#include <list>

// Laser: velocity 4 along the angle plus the shooter's own; multiplier 1.0.
void LaserShotInit(Projectile& shot, float x, float y, float angle, float vx, float vy);
// Enemy shot: the given velocity, angle 0 (the given one is not used); multiplier 5.0; plays
// the EnemyShot sample.
void EnemyShotInit(Projectile& shot, float x, float y, float angle, float vx, float vy);

void LaserShotUpdate(Projectile& shot);   // straight
void EnemyShotUpdate(Projectile& shot);   // straight, spinning 5.5 degrees a tick
void EnemyBulletUpdate(Projectile& shot); // spinning, falling 0.01 more each tick

// Makes a shot with the pair, runs its init with the start values and appends it to `list`.
void FireProjectile(std::list<Projectile>& list, ProjectileInit init, ProjectileUpdate update,
                    float x, float y, float angle, float vx, float vy);

// Runs every shot of the list once and drops the finished ones.
void UpdateProjectiles(std::list<Projectile>& shots);
