// The simple obstacles and hazards: Rock (and the large rock, built as a Rock), Tree,
// DepthCharge, Volcano and the VolcanoDebris it throws. No fields of their own in a map.
#pragma once

#include "game/entity.h"

class Rock : public Entity
{
public:
    Rock();
};

class Tree : public Entity
{
public:
    Tree();
};

class DepthCharge : public Entity
{
public:
    DepthCharge();

    bool direction = false; // true: drifts to +x
};

class Volcano : public Entity
{
public:
    Volcano();
    // Never hit, as a force.
    bool HitTest(CircleList circles, bool flag = true) override;

    float throwTimer = 0.0f;
};

class VolcanoDebris : public Entity
{
public:
    VolcanoDebris();

    Vec2 velocity;
    float spin = 0.0f;
    int modelVariant = 0;
};
