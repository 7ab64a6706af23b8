// The simple obstacles and hazards: Rock (and the large rock, built as a Rock), Tree,
// DepthCharge, Volcano and the VolcanoDebris it throws. No fields of their own in a map.
//
// Rocks, trees and depth charges stand (or drift) until shot; rocks also stop enemy shots
// (the playing state's hit tests). A depth charge drifts 0.1 a tick sideways and turns back
// at walls. A volcano throws a piece of debris on its first update and then every 0.4 to
// 1.3 s, out of its crater at a speed of 2 to 5; debris falls (at most 5 a tick), wraps
// horizontally and bursts on a wall or when shot. Debris that falls out beneath the map's
// lowest wall can never come back and is dropped silently, so a volcano over open space
// does not fill the stage with falling stones.
#pragma once

#include "game/entity.h"

class Rock : public Entity
{
public:
    Rock();
    // Keeps the health set by the constructor or the factory.
    void Spawn(float px, float py) override;
    // Rocks and trees never move: only killed once shot to 0.
    void Update() override;
    void Kill() override;

protected:
    Rock(float radius, float offsetY); // a tree's shape
};

class Tree : public Rock
{
public:
    Tree();
    void Spawn(float px, float py) override;
    void Kill() override;
};

class DepthCharge : public Entity
{
public:
    DepthCharge();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    bool direction = false; // true: drifts to +x
};

class Volcano : public Entity
{
public:
    Volcano();
    void Spawn(float px, float py) override;
    void Update() override;
    // Never hit, as a force.
    bool HitTest(CircleList circles, bool flag = true) override;
    void ThrowDebris();

    float throwTimer = 0.0f;
};

class VolcanoDebris : public Entity
{
public:
    VolcanoDebris();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;

    Vec2 velocity;
    float spin = 0.0f;    // degrees a tick
    int modelVariant = 0; // 0..2: which of the three debris models is drawn
};
