// The simple obstacles and hazards: Rock (and the large rock, built as a Rock), Tree,
// DepthCharge, Volcano and the VolcanoDebris it throws. No fields of their own in a map.
#pragma once

#include "game/entity.h"

class Rock : public Entity
{
public:
    Rock();
    void Spawn(float px, float py) override;
    void Update() override;
};

class Tree : public Entity
{
public:
    Tree();
    void Spawn(float px, float py) override;
    void Update() override; // the rock's update
};

class DepthCharge : public Entity
{
public:
    DepthCharge();
    void Spawn(float px, float py) override;
    void Update() override;

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

    float throwTimer = 0.0f;
};

class VolcanoDebris : public Entity
{
public:
    VolcanoDebris();
    void Spawn(float px, float py) override;
    void Update() override;

    Vec2 velocity;
    float spin = 0.0f;
    int modelVariant = 0;
};
